// vetrilo-catalog: the catalogue server of shared systems and scripts.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "catalog/catalog_server.h"
#include "catalog/catalog_service.h"

namespace {

constexpr const char* kUsage =
    "usage: vetrilo-catalog --db FILE [--listen HOST:PORT] [--files DIR] [--seed DIR]\n"
    "       vetrilo-catalog --db FILE --reset-key EMAIL\n"
    "  --listen    address to serve on (default 127.0.0.1:8047); plain HTTP, put a TLS\n"
    "              proxy in front of it for the internet\n"
    "  --files     also serve the files of DIR read-only under /files/\n"
    "  --seed      on a new database, add the system files (4-NN-B_IIII.dat) of DIR\n"
    "  --reset-key forget the installation key bound to EMAIL and exit\n";

vetrilo::catalog::TCatalogServer* gServer = nullptr;

void OnSignal(int) {
  if (gServer) gServer->Stop();
}

}  // namespace

int main(int argc, char** argv) {
  std::string db, listen = "127.0.0.1:8047", files, seed, resetMail;
  bool reset = false;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        std::cerr << a << " needs a value\n" << kUsage;
        std::exit(2);
      }
      return args[++i];
    };
    if (a == "--db") {
      db = value();
    } else if (a == "--listen") {
      listen = value();
    } else if (a == "--files") {
      files = value();
    } else if (a == "--seed") {
      seed = value();
    } else if (a == "--reset-key") {
      resetMail = value();
      reset = true;
    } else if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      std::cerr << "unknown argument: " << a << "\n" << kUsage;
      return 2;
    }
  }
  if (db.empty()) {
    std::cerr << "--db FILE is required\n" << kUsage;
    return 2;
  }
  const size_t colon = listen.rfind(':');
  int port = -1;
  try {
    port = colon == std::string::npos ? -1 : std::stoi(listen.substr(colon + 1));
  } catch (...) {
  }
  if (port < 0 || port > 65535) {
    std::cerr << "--listen wants HOST:PORT, not " << listen << "\n";
    return 2;
  }
  try {
    vetrilo::catalog::TCatalogService service(db);
    if (reset) {
      const bool removed = service.ResetKey(resetMail);
      std::cout << (removed ? "key of " + resetMail + " forgotten\n"
                            : "no key is bound to " + resetMail + "\n");
      return 0;
    }
    if (!seed.empty() && service.Created()) {
      std::cout << "seeded " << service.SeedSystems(seed) << " systems from " << seed << "\n";
    }
    vetrilo::catalog::TCatalogServer server(service, files);
    const std::string host = listen.substr(0, colon);
    const int bound = server.Bind(host, port);
    if (bound < 0) {
      std::cerr << "cannot listen on " << listen << "\n";
      return 1;
    }
    gServer = &server;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::cout << "vetrilo-catalog on http://" << host << ":" << bound << " db " << db << std::endl;
    server.Listen();
    gServer = nullptr;
  } catch (const std::exception& e) {
    std::cerr << "vetrilo-catalog: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
