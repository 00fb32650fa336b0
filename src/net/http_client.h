#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vetrilo {

// The proxy one request goes through; an empty server means a direct connection.
struct THttpProxy {
  std::string Server;
  int Port = 0;
  std::string Username;
  std::string Password;
};

// The limits every request of every client keeps, so that no server, however
// slow, holds the program for long.
constexpr int kConnectTimeoutMs = 5000;
constexpr int kIdleTimeoutMs = 10000;
constexpr int kRequestDeadlineMs = 30000;
// A package may take longer: the deadline grows by its size at this rate.
constexpr int64_t kPackageBytesPerSecond = 50 * 1024;

// One libcurl connection reused for every request: cookies kept between
// requests, redirects followed, gzip and deflate replies decoded, the request
// headers of a desktop browser. Every failure (network, time-out, deadline,
// HTTP status of 400 and above, a reply above the size limit) throws EVetrilo.
class THttpClient {
 public:
  THttpClient();
  ~THttpClient();
  THttpClient(const THttpClient&) = delete;
  THttpClient& operator=(const THttpClient&) = delete;

  int ConnectTimeoutMs = kConnectTimeoutMs;
  // Longest wait for the next byte of a reply.
  int ReadTimeoutMs = kIdleTimeoutMs;
  // The whole request, redirects included: a server sending a byte now and
  // then never trips the idle time-out, this ends it.
  int DeadlineMs = kRequestDeadlineMs;
  // Above 0: the deadline grows by the reply's size (its Content-Length, or
  // what came so far when larger) at this many bytes a second.
  int64_t DeadlineBytesPerSecond = 0;
  // A larger reply (after decoding) is an error, never an unbounded buffer.
  size_t MaxBodyBytes = size_t{16} << 20;
  // Headers other than the browser defaults (empty: the defaults).
  std::string UserAgent;
  std::string Accept;
  // The protocols a redirect may lead to.
  std::string RedirectProtocols = "http,https";
  // When set, redirects are followed here hop by hop (at most 10), and each
  // next address is shown to it before anything is asked of it: it throws
  // EVetrilo to refuse the hop.
  std::function<void(const std::string& from, const std::string& to)> CheckRedirect;
  // When set, called every few tens of milliseconds while a request runs, so
  // the screen repaints and takes input.
  std::function<void()> Poll;

  // The body of a GET, bytes as they came.
  std::string Get(const std::string& url, const THttpProxy& proxy = {});
  // A form POST to the catalogue server: a form-URL-encoded body, no proxy,
  // the catalogue's request headers; https certificates are verified.
  std::string PostForm(const std::string& url, const std::string& body);

 private:
  std::string Perform(const std::string& url, const THttpProxy& proxy, const std::string* form);
  void* curl_ = nullptr;
  void* multi_ = nullptr;
};

}  // namespace vetrilo
