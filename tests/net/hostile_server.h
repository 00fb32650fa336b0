#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace vetrilo::test {

// A server on 127.0.0.1 at a free port that misbehaves on purpose, one way
// per path (GET and POST alike); paths not set up answer 404.
class THostileServer {
 public:
  THostileServer();
  ~THostileServer();
  THostileServer(const THostileServer&) = delete;
  THostileServer& operator=(const THostileServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  void Serve(const std::string& path, std::string body);
  // The body with its Content-Length, one byte at a time, `everyMs` before each.
  void Drip(const std::string& path, std::string body, int everyMs);
  // The body once Release() was called (or the server stops).
  void Hold(const std::string& path, std::string body);
  void Release() { released_ = true; }
  void Redirect(const std::string& path, std::string location, int status = 302);
  void Fail(const std::string& path, int status = 500);

  int Requests(const std::string& path) const;
  // Replies whose whole body was let go (counted just before its last bytes).
  int Delivered(const std::string& path) const;

 private:
  enum class TKind { Serve, Drip, Hold, Redirect, Fail };
  struct TRoute {
    TKind Kind = TKind::Serve;
    std::string Body;  // or the redirect's location
    int Number = 0;    // drip interval or status
  };
  void Set(const std::string& path, TRoute route);
  void Count(std::map<std::string, int>& counts, const std::string& path);
  // False once the server stops: a slow reply gives up then.
  bool Wait(int ms) const;

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<bool> released_{false};
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, TRoute> routes_;
  std::map<std::string, int> requests_;
  std::map<std::string, int> delivered_;
};

}  // namespace vetrilo::test
