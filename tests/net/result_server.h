#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/draw_archive.h"

namespace httplib {
class Server;
}

namespace vetrilo::test {

// A result page in the operator's layout listing these draws in this order.
std::string ResultsPage(const TDrawsArray& draws);

// A stand-in for the operator's result site and a proxy-list service on
// 127.0.0.1 at a free port, running for the life of the object. It answers
// every date window with the page of the draws dated inside it, and can be
// told to misbehave. It also serves as an HTTP proxy to itself.
class TResultServer {
 public:
  explicit TResultServer(TDrawsArray draws = {});
  ~TResultServer();
  TResultServer(const TResultServer&) = delete;
  TResultServer& operator=(const TResultServer&) = delete;

  int Port() const { return port_; }
  std::string Site() const { return "http://127.0.0.1:" + std::to_string(port_); }

  enum class TMode {
    Normal,
    Gzip,          // the page gzip-compressed by hand
    Deflate,       // the page deflate-compressed by hand
    Redirect,      // a 302 to the same query under another path
    Garbage,       // bytes that are no page
    Slow,          // waits SlowMs before answering
    IgnoreWindow,  // every draw, whatever the dates asked
    Huge,          // a chunked reply of HugeBytes bytes
  };
  std::atomic<TMode> Mode{TMode::Normal};
  std::atomic<int> FailFirst{0};  // the first N result requests answer 500
  std::atomic<int> SlowMs{0};
  std::atomic<size_t> HugeBytes{0};
  // Lines the proxy-list service answers, one page of 15 per offset.
  std::vector<std::string> ProxyList;

  // The query of every result request, in order ("fromDateIn=..&toDateIn=..").
  std::vector<std::string> Windows() const;
  // Requests that came through the proxy form ("GET http://..."), and the
  // Proxy-Authorization header of the last one.
  int ProxiedRequests() const { return proxied_; }
  std::string ProxyAuthorization() const;
  // Offsets the proxy-list service was asked for.
  std::vector<int> ProxyListOffsets() const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  TDrawsArray draws_;
  mutable std::mutex mutex_;
  std::vector<std::string> windows_;
  std::vector<int> proxyOffsets_;
  std::string proxyAuthorization_;
  std::atomic<int> proxied_{0};
};

// A port on 127.0.0.1 that nothing listens on.
int ClosedPort();

}  // namespace vetrilo::test
