#pragma once

#include <memory>
#include <string>
#include <thread>

#include "catalog/catalog_server.h"
#include "catalog/catalog_service.h"

namespace vetrilo::test {

// The real catalogue server in this process, on 127.0.0.1 at a free port, over
// a database file in `dbPath`; stopped with the object.
class TCatalogTestServer {
 public:
  explicit TCatalogTestServer(const std::string& dbPath, const std::string& filesDir = {},
                              const catalog::TServerLimits& limits = {});
  ~TCatalogTestServer();

  catalog::TCatalogService& Service() { return *service_; }
  int Port() const { return port_; }
  std::string Site() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  std::unique_ptr<catalog::TCatalogService> service_;
  std::unique_ptr<catalog::TCatalogServer> server_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace vetrilo::test
