#pragma once

#include <httplib.h>

#include <mutex>
#include <string>
#include <thread>

namespace vetrilo::test {

// A stand-in catalogue answering every POST with `Reply`, recording the last
// request, for replies the real server never gives.
class TCatalogStandIn {
 public:
  TCatalogStandIn() {
    server_.Post(R"(.*)", [this](const httplib::Request& req, httplib::Response& res) {
      std::lock_guard lock(mutex_);
      LastPath = req.path;
      LastBody = req.body;
      LastHeaders = req.headers;
      res.set_content(Reply, "text/html");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~TCatalogStandIn() {
    server_.stop();
    thread_.join();
  }
  std::string Site() const { return "http://127.0.0.1:" + std::to_string(port_); }

  std::string Reply;
  std::string LastPath, LastBody;
  httplib::Headers LastHeaders;

 private:
  std::mutex mutex_;
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace vetrilo::test
