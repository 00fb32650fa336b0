#include "catalog/catalog_server.h"

#include <httplib.h>

namespace vetrilo::catalog {

TCatalogServer::TCatalogServer(TCatalogService& service, const std::string& filesDir)
    : server_(std::make_unique<httplib::Server>()) {
  server_->set_payload_max_length(kMaxBodyBytes);
  server_->set_read_timeout(10, 0);
  server_->set_write_timeout(10, 0);
  server_->Post(R"(/scripts/[a-z_]+\.php)", [&service](const httplib::Request& req,
                                                        httplib::Response& res) {
    const auto params = ParseFormBody(req.body);
    const auto reply = params ? service.Handle(req.path, *params)
                              : std::optional<std::string>(ErrorReply("Неверный запрос"));
    if (!reply) {
      res.status = 404;
      return;
    }
    res.set_content(*reply, "text/html; charset=utf-8");
  });
  if (!filesDir.empty()) server_->set_mount_point("/files", filesDir);
}

TCatalogServer::~TCatalogServer() { Stop(); }

int TCatalogServer::Bind(const std::string& host, int port) {
  if (port == 0) return server_->bind_to_any_port(host);
  return server_->bind_to_port(host, port) ? port : -1;
}

void TCatalogServer::Listen() { server_->listen_after_bind(); }

void TCatalogServer::Stop() {
  if (server_->is_running()) server_->stop();
}

}  // namespace vetrilo::catalog
