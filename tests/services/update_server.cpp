#include "services/update_server.h"

#include <archive.h>
#include <archive_entry.h>
#include <httplib.h>

#include <chrono>

namespace vetrilo::test {

TUpdateServer::TUpdateServer() : server_(std::make_unique<httplib::Server>()) {
  server_->Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
    std::string body;
    bool cut = false;
    {
      std::lock_guard lock(mutex_);
      ++requests_[req.path];
      const auto it = files_.find(req.path);
      if (it == files_.end()) {
        res.status = 404;
        return;
      }
      body = it->second;
      if (CutFirst > 0 && req.path.ends_with(".tgz")) {
        --CutFirst;
        cut = true;
      }
    }
    if (!cut) {
      res.set_content(body, "application/octet-stream");
      return;
    }
    const size_t size = body.size();
    res.set_content_provider(size, "application/octet-stream",
                             [body](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset >= body.size() / 2) return false;  // the connection drops
                               sink.write(body.data() + offset, body.size() / 2 - offset);
                               return true;
                             });
    (void)size;
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TUpdateServer::~TUpdateServer() {
  server_->stop();
  thread_.join();
}

void TUpdateServer::Put(const std::string& path, std::string bytes) {
  std::lock_guard lock(mutex_);
  files_[path] = std::move(bytes);
}

int TUpdateServer::Requests(const std::string& path) const {
  std::lock_guard lock(mutex_);
  const auto it = requests_.find(path);
  return it == requests_.end() ? 0 : it->second;
}

std::string MakeTarGz(const std::vector<TPackageEntry>& entries) {
  std::string out;
  archive* a = archive_write_new();
  archive_write_add_filter_gzip(a);
  archive_write_set_format_pax_restricted(a);
  archive_write_open(
      a, &out, nullptr,
      [](archive*, void* user, const void* data, size_t n) -> la_ssize_t {
        static_cast<std::string*>(user)->append(static_cast<const char*>(data), n);
        return static_cast<la_ssize_t>(n);
      },
      nullptr);
  for (const TPackageEntry& e : entries) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, e.Name.c_str());
    archive_entry_set_mtime(entry, 1700000000, 0);
    switch (e.Kind) {
      case TPackageEntry::File:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_size(entry, static_cast<la_int64_t>(e.Bytes.size()));
        break;
      case TPackageEntry::Folder:
        archive_entry_set_filetype(entry, AE_IFDIR);
        break;
      case TPackageEntry::Symlink:
        archive_entry_set_filetype(entry, AE_IFLNK);
        archive_entry_set_symlink(entry, e.Bytes.c_str());
        break;
      case TPackageEntry::Hardlink:
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_hardlink(entry, e.Bytes.c_str());
        break;
    }
    archive_entry_set_perm(entry,
                           static_cast<mode_t>(e.Kind == TPackageEntry::Folder ? 0755 : e.Mode));
    archive_write_header(a, entry);
    if (e.Kind == TPackageEntry::File) archive_write_data(a, e.Bytes.data(), e.Bytes.size());
    archive_entry_free(entry);
  }
  archive_write_close(a);
  archive_write_free(a);
  return out;
}

}  // namespace vetrilo::test
