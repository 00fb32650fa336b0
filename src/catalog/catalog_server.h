#pragma once

#include <memory>
#include <string>

#include "catalog/catalog_service.h"

namespace httplib {
class Server;
}

namespace vetrilo::catalog {

// Form bodies above this are refused before they reach the service.
constexpr size_t kMaxBodyBytes = size_t{1} << 20;

// The HTTP front of the service: POST to the catalogue paths, and with a files
// folder, GET of its files under "/files/".
class TCatalogServer {
 public:
  TCatalogServer(TCatalogService& service, const std::string& filesDir = {});
  ~TCatalogServer();
  TCatalogServer(const TCatalogServer&) = delete;
  TCatalogServer& operator=(const TCatalogServer&) = delete;

  // Binds the address; port 0 takes a free one. Returns the port, -1 on failure.
  int Bind(const std::string& host, int port);
  // Serves until Stop().
  void Listen();
  void Stop();

 private:
  std::unique_ptr<httplib::Server> server_;
};

}  // namespace vetrilo::catalog
