#include "net/hostile_server.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>

namespace vetrilo::test {

THostileServer::THostileServer() : server_(std::make_unique<httplib::Server>()) {
  const auto handler = [this](const httplib::Request& req, httplib::Response& res) {
    TRoute route;
    {
      std::lock_guard lock(mutex_);
      ++requests_[req.path];
      const auto it = routes_.find(req.path);
      if (it == routes_.end()) {
        res.status = 404;
        return;
      }
      route = it->second;
    }
    const std::string path = req.path;
    switch (route.Kind) {
      case TKind::Serve:
        res.set_content(route.Body, "application/octet-stream");
        Count(delivered_, path);
        return;
      case TKind::Fail:
        res.status = route.Number;
        res.set_content("failed", "text/plain");
        return;
      case TKind::Redirect:
        res.set_redirect(route.Body, route.Number);
        return;
      case TKind::Drip:
      case TKind::Hold:
        break;
    }
    const size_t size = route.Body.size();
    res.set_content_provider(size, "application/octet-stream",
                             [this, route, path](size_t offset, size_t, httplib::DataSink& sink) {
                               if (route.Kind == TKind::Hold) {
                                 while (!released_) {
                                   if (!Wait(5)) return false;
                                 }
                                 // Counted first: the client may be done before this thread runs
                                 // again.
                                 Count(delivered_, path);
                                 return sink.write(route.Body.data() + offset,
                                                   route.Body.size() - offset);
                               }
                               if (!Wait(route.Number)) return false;
                               if (offset + 1 == route.Body.size()) Count(delivered_, path);
                               return sink.write(route.Body.data() + offset, 1);
                             });
  };
  server_->Get(".*", handler);
  server_->Post(".*", handler);
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

THostileServer::~THostileServer() {
  stopping_ = true;
  server_->stop();
  thread_.join();
}

bool THostileServer::Wait(int ms) const {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (stopping_) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 5)));
  }
  return !stopping_;
}

void THostileServer::Set(const std::string& path, TRoute route) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(route);
}

void THostileServer::Count(std::map<std::string, int>& counts, const std::string& path) {
  std::lock_guard lock(mutex_);
  ++counts[path];
}

void THostileServer::Serve(const std::string& path, std::string body) {
  Set(path, {TKind::Serve, std::move(body), 0});
}
void THostileServer::Drip(const std::string& path, std::string body, int everyMs) {
  Set(path, {TKind::Drip, std::move(body), everyMs});
}
void THostileServer::Hold(const std::string& path, std::string body) {
  Set(path, {TKind::Hold, std::move(body), 0});
}
void THostileServer::Redirect(const std::string& path, std::string location, int status) {
  Set(path, {TKind::Redirect, std::move(location), status});
}
void THostileServer::Fail(const std::string& path, int status) {
  Set(path, {TKind::Fail, {}, status});
}

int THostileServer::Requests(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto it = requests_.find(path);
  return it == requests_.end() ? 0 : it->second;
}

int THostileServer::Delivered(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto it = delivered_.find(path);
  return it == delivered_.end() ? 0 : it->second;
}

}  // namespace vetrilo::test
