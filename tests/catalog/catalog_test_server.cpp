#include "catalog/catalog_test_server.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>

namespace vetrilo::test {

TCatalogTestServer::TCatalogTestServer(const std::string& dbPath, const std::string& filesDir,
                                       const catalog::TServerLimits& limits)
    : service_(std::make_unique<catalog::TCatalogService>(dbPath)),
      server_(std::make_unique<catalog::TCatalogServer>(*service_, filesDir, limits)) {
  port_ = server_->Bind("127.0.0.1", 0);
  if (port_ <= 0) throw std::runtime_error("no free port");
  thread_ = std::thread([this] { server_->Listen(); });
  // The first request waits until the server accepts.
  httplib::Client probe("127.0.0.1", port_);
  for (int i = 0; i < 500 && !probe.Get("/"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

TCatalogTestServer::~TCatalogTestServer() {
  server_->Stop();
  thread_.join();
}

}  // namespace vetrilo::test
