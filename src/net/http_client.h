#pragma once

#include <cstddef>
#include <string>

namespace vetrilo {

// The proxy one request goes through; an empty server means a direct connection.
struct THttpProxy {
  std::string Server;
  int Port = 0;
  std::string Username;
  std::string Password;
};

// One libcurl connection reused for every request: cookies kept between
// requests, redirects followed, gzip and deflate replies decoded, the request
// headers of a desktop browser. Every failure (network, time-out, HTTP status
// of 400 and above, a reply above the size limit) throws EVetrilo.
class THttpClient {
 public:
  THttpClient();
  ~THttpClient();
  THttpClient(const THttpClient&) = delete;
  THttpClient& operator=(const THttpClient&) = delete;

  int ConnectTimeoutMs = 5000;
  // Longest wait for the next byte of a reply.
  int ReadTimeoutMs = 10000;
  // A larger reply (after decoding) is an error, never an unbounded buffer.
  size_t MaxBodyBytes = size_t{16} << 20;
  // Headers other than the browser defaults (empty: the defaults).
  std::string UserAgent;
  std::string Accept;
  // The protocols a redirect may lead to.
  std::string RedirectProtocols = "http,https";

  // The body of a GET, bytes as they came.
  std::string Get(const std::string& url, const THttpProxy& proxy = {});
  // A form POST to the catalogue server: a form-URL-encoded body, no proxy,
  // the catalogue's request headers; https certificates are verified.
  std::string PostForm(const std::string& url, const std::string& body);

 private:
  std::string Perform(const std::string& url, const THttpProxy& proxy, const std::string* form);
  void* curl_ = nullptr;
};

}  // namespace vetrilo
