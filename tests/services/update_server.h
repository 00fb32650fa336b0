#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace vetrilo::test {

// A stand-in for the update site on 127.0.0.1 at a free port: serves the
// files put into it, counts the requests of every path, and can cut a
// download short.
class TUpdateServer {
 public:
  TUpdateServer();
  ~TUpdateServer();
  TUpdateServer(const TUpdateServer&) = delete;
  TUpdateServer& operator=(const TUpdateServer&) = delete;

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  void Put(const std::string& path, std::string bytes);
  int Requests(const std::string& path) const;
  // The first N requests for a package (".tgz") send half of it and drop the connection.
  std::atomic<int> CutFirst{0};

 private:
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> files_;
  std::map<std::string, int> requests_;
};

// A ".tar.gz" package built entry by entry.
struct TPackageEntry {
  enum TKind { File, Folder, Symlink, Hardlink };
  std::string Name;
  std::string Bytes;  // file contents, or a link's target
  TKind Kind = File;
  int Mode = 0644;
};
std::string MakeTarGz(const std::vector<TPackageEntry>& entries);

}  // namespace vetrilo::test
