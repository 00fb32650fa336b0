#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "catalog/catalog_service.h"

namespace vetrilo::catalog {

// Every request body above this is refused with 413, however it is framed
// (a length, chunks, to the end of the stream; a form or not).
constexpr size_t kMaxBodyBytes = size_t{1} << 20;

// What one client may take of the server: slow, idle and oversized clients are
// cut off so that they cannot hold the workers the others need.
struct TServerLimits {
  size_t MaxBodyBytes = kMaxBodyBytes;
  // The request line and headers are complete this long after the connection
  // (or the previous reply on a kept-alive one) began to wait for them.
  int HeaderDeadlineMs = 5000;
  // After the headers the body keeps at least this average rate; the first
  // second's worth is free, so a small body has a second to arrive.
  size_t MinBodyBytesPerSecond = 10 * 1024;
  // The longest wait for one read of the body or one write of the reply.
  int IoTimeoutMs = 5000;
  // Connections served at once; the others wait for a free worker.
  int Workers = 64;
  // Requests on one connection before it is closed.
  int KeepAliveRequests = 100;
};

class THttpFront;

// The HTTP front of the service: POST to the catalogue paths, and with a files
// folder, GET of its files under "/files/".
class TCatalogServer {
 public:
  TCatalogServer(TCatalogService& service, const std::string& filesDir = {},
                 const TServerLimits& limits = {});
  ~TCatalogServer();
  TCatalogServer(const TCatalogServer&) = delete;
  TCatalogServer& operator=(const TCatalogServer&) = delete;

  // Binds the address; port 0 takes a free one. Returns the port, -1 on failure.
  int Bind(const std::string& host, int port);
  // Serves until Stop().
  void Listen();
  void Stop();

 private:
  std::unique_ptr<THttpFront> server_;
};

}  // namespace vetrilo::catalog
