#include "catalog/catalog_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace vetrilo::catalog {
namespace {

using TClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A request line with its headers; more is a client that never ends them.
constexpr size_t kMaxHeaderBytes = 64 * 1024;
// Chunk lines and the like on top of the body's own bytes.
constexpr size_t kFramingSlack = 64 * 1024;
// Of a refused body, so much more is read and dropped after the reply (or this
// long), so that a client still sending it reads the reply before the reset.
constexpr size_t kDrainBytes = kMaxBodyBytes;
constexpr milliseconds kDrainTime{2000};
// What a client can push ahead of the server into the kernel, per connection.
constexpr int kReceiveBufferBytes = 256 * 1024;
// Waits are cut in slices so that a stopping server is seen at once.
constexpr int kWaitSliceMs = 100;

void PeerName(int fd, bool local, std::string& ip, int& port) {
  sockaddr_storage addr{};
  socklen_t len = sizeof addr;
  auto* sa = reinterpret_cast<sockaddr*>(&addr);
  if ((local ? ::getsockname(fd, sa, &len) : ::getpeername(fd, sa, &len)) != 0) return;
  char text[INET6_ADDRSTRLEN] = {};
  if (addr.ss_family == AF_INET) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(&addr);
    ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    port = ntohs(in->sin_port);
  } else if (addr.ss_family == AF_INET6) {
    const auto* in = reinterpret_cast<const sockaddr_in6*>(&addr);
    ::inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof text);
    port = ntohs(in->sin6_port);
  }
  ip = text;
}

// One client connection with the deadlines of its requests: the headers by a
// fixed time, the body at a minimum rate, each within its size.
class TConnection final : public httplib::Stream {
 public:
  TConnection(int fd, const TServerLimits& limits, const std::atomic<int>& listener)
      : fd_(fd), limits_(limits), listener_(listener) {}

  // The connection waits for a request: its headers are due by the deadline.
  void BeginRequest() {
    phase_ = TPhase::Headers;
    headerDeadline_ = TClock::now() + milliseconds(limits_.HeaderDeadlineMs);
    delivered_ = 0;
  }
  // The headers are in; the body's clock starts.
  void BeginBody() {
    phase_ = TPhase::Body;
    bodyStart_ = TClock::now();
    delivered_ = 0;
  }
  // The first byte of the next request came (or was read ahead) in time.
  bool AwaitRequest() const { return pos_ < len_ || Wait(POLLIN, headerDeadline_); }

  bool Overflowed() const { return overflowed_; }
  bool TimedOut() const { return timedOut_; }
  // Part of the request may still be unread: nothing after it can be trusted.
  bool MustClose() const { return closeAfterReply_ || failed_; }
  void CloseAfterReply() { closeAfterReply_ = true; }

  // Of a body refused for its size, reads and drops a bounded part of what the
  // client still sends (a slow client gets no such time).
  void Drain() {
    if (timedOut_ || !(overflowed_ || closeAfterReply_)) return;
    ::shutdown(fd_, SHUT_WR);
    const auto until = TClock::now() + kDrainTime;
    char sink[16384];
    size_t total = 0;
    while (total < kDrainBytes && Wait(POLLIN, until)) {
      const ssize_t n = ::recv(fd_, sink, sizeof sink, 0);
      if (n <= 0 && !(n < 0 && errno == EINTR)) break;
      if (n > 0) total += size_t(n);
    }
  }

  bool is_readable() const override { return pos_ < len_ || Wait(POLLIN, ReadDeadline()); }
  bool is_writable() const override {
    return Wait(POLLOUT, TClock::now() + milliseconds(limits_.IoTimeoutMs));
  }

  ssize_t read(char* ptr, size_t size) override {
    if (failed_) return -1;
    if (pos_ == len_) {
      if (!Wait(POLLIN, ReadDeadline())) {
        failed_ = true;
        return -1;
      }
      ssize_t n = 0;
      do {
        n = ::recv(fd_, buffer_, sizeof buffer_, 0);
      } while (n < 0 && errno == EINTR);
      if (n <= 0) {
        failed_ = n < 0;
        return n;
      }
      pos_ = 0;
      len_ = size_t(n);
    }
    const size_t n = std::min(size, len_ - pos_);
    const bool body = phase_ == TPhase::Body;
    if (delivered_ + n > (body ? limits_.MaxBodyBytes + kFramingSlack : kMaxHeaderBytes)) {
      overflowed_ = body;
      failed_ = true;
      return -1;
    }
    std::memcpy(ptr, buffer_ + pos_, n);
    pos_ += n;
    delivered_ += n;
    return ssize_t(n);
  }

  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) return -1;
    ssize_t n = 0;
    do {
      n = ::send(fd_, ptr, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n;
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    PeerName(fd_, false, ip, port);
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    PeerName(fd_, true, ip, port);
  }
  int socket() const override { return fd_; }

 private:
  enum class TPhase { Headers, Body };

  // Headers: their fixed deadline. Body: the time by which the bytes read so
  // far plus one second's worth are due at the minimum rate, and no longer
  // than one read's time-out from now.
  TClock::time_point ReadDeadline() const {
    if (phase_ == TPhase::Headers) return headerDeadline_;
    const uint64_t rate = std::max<size_t>(limits_.MinBodyBytesPerSecond, 1);
    const auto due = bodyStart_ + std::chrono::microseconds((delivered_ + rate) * 1000000 / rate);
    return std::min(due, TClock::now() + milliseconds(limits_.IoTimeoutMs));
  }

  // Until the socket is ready for `events`; false when the time is up (a
  // time-out) or the server stops.
  bool Wait(short events, TClock::time_point until) const {
    for (;;) {
      if (listener_.load() == INVALID_SOCKET) return false;
      const auto left = std::chrono::duration_cast<milliseconds>(until - TClock::now()).count();
      if (left <= 0) {
        timedOut_ = true;
        return false;
      }
      pollfd p{fd_, events, 0};
      const int r = ::poll(&p, 1, int(std::min<int64_t>(left, kWaitSliceMs)));
      if (r > 0) return true;  // an error or hang-up shows in the read or write itself
      if (r < 0 && errno != EINTR) return false;
    }
  }

  int fd_;
  const TServerLimits& limits_;
  const std::atomic<int>& listener_;
  TPhase phase_ = TPhase::Headers;
  TClock::time_point headerDeadline_{};
  TClock::time_point bodyStart_{};
  uint64_t delivered_ = 0;  // of the current phase
  char buffer_[4096];
  size_t pos_ = 0, len_ = 0;
  bool overflowed_ = false;
  mutable bool timedOut_ = false;
  bool failed_ = false;
  bool closeAfterReply_ = false;
};

// The connection the current worker serves, for the handlers.
thread_local TConnection* gConnection = nullptr;

void RefuseAndClose(httplib::Response& res, int status) {
  res.status = status;
  res.set_header("Connection", "close");
  if (gConnection) gConnection->CloseAfterReply();
}

}  // namespace

// cpp-httplib's server with connections of our own: its reads are bounded in
// time and size, and a refused request ends its connection.
class THttpFront : public httplib::Server {
 public:
  explicit THttpFront(const TServerLimits& limits) : limits_(limits) {
    new_task_queue = [n = size_t(std::max(limits.Workers, 1))] {
      return new httplib::ThreadPool(n);
    };
    set_payload_max_length(limits.MaxBodyBytes);
    set_keep_alive_max_count(size_t(std::max(limits.KeepAliveRequests, 1)));
    set_keep_alive_timeout(std::max(limits.HeaderDeadlineMs / 1000, 1));
    set_socket_options([](socket_t sock) {
      httplib::default_socket_options(sock);
      // Accepted sockets inherit it: a client cannot park megabytes in the kernel.
      const int size = kReceiveBufferBytes;
      ::setsockopt(sock, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    });
  }

  int BindTo(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : bind_to_port(host, port) ? port : -1;
    // The library listens with a backlog of 5: bursts of connections would be dropped.
    if (bound > 0) ::listen(svr_sock_, SOMAXCONN);
    return bound;
  }

 private:
  bool process_and_close_socket(socket_t sock) override {
    TConnection connection(sock, limits_, svr_sock_);
    gConnection = &connection;
    bool ret = true;
    for (int left = std::max(limits_.KeepAliveRequests, 1); left > 0; --left) {
      connection.BeginRequest();
      if (!connection.AwaitRequest()) break;
      bool closed = false;
      ret = process_request(connection, left == 1, closed,
                            [&connection](httplib::Request&) { connection.BeginBody(); });
      if (!ret || closed || connection.MustClose()) break;
    }
    if (connection.MustClose()) connection.Drain();
    gConnection = nullptr;
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ret;
  }

  TServerLimits limits_;
};

TCatalogServer::TCatalogServer(TCatalogService& service, const std::string& filesDir,
                               const TServerLimits& limits)
    : server_(std::make_unique<THttpFront>(limits)) {
  const size_t maxBody = limits.MaxBodyBytes;
  // A declared length above the limit is refused before a byte of the body.
  server_->set_expect_100_continue_handler(
      [maxBody](const httplib::Request& req, httplib::Response& res) {
        if (req.get_header_value<uint64_t>("Content-Length") <= maxBody) return 100;
        RefuseAndClose(res, 413);
        return 413;
      });
  server_->set_pre_routing_handler([maxBody](const httplib::Request& req, httplib::Response& res) {
    if (req.get_header_value<uint64_t>("Content-Length") <= maxBody) {
      return httplib::Server::HandlerResponse::Unhandled;
    }
    RefuseAndClose(res, 413);
    return httplib::Server::HandlerResponse::Handled;
  });
  // A body the library itself stopped reading: too long or too slow.
  server_->set_error_handler(
      httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (gConnection && gConnection->Overflowed()) {
          res.status = 413;
        } else if (gConnection && gConnection->TimedOut()) {
          res.status = 408;
        }
        if (gConnection && gConnection->MustClose()) res.set_header("Connection", "close");
        return httplib::Server::HandlerResponse::Unhandled;
      }));
  // The body is read here, not by the library, whose own cap on forms is 8 KB.
  server_->Post(R"(/scripts/[a-z_]+\.php)", [&service, maxBody](
                                                const httplib::Request& req, httplib::Response& res,
                                                const httplib::ContentReader& read) {
    if (req.is_multipart_form_data()) {
      RefuseAndClose(res, 415);
      return;
    }
    std::string body;
    bool over = false;
    const bool ok = read([&](const char* data, size_t size) {
      if (body.size() + size > maxBody) {
        over = true;
        return false;
      }
      body.append(data, size);
      return true;
    });
    if (!ok) {
      const bool tooLong = over || (gConnection && gConnection->Overflowed());
      const bool tooSlow = gConnection && gConnection->TimedOut();
      RefuseAndClose(res, tooLong ? 413 : tooSlow ? 408 : 400);
      return;
    }
    const auto params = ParseFormBody(body);
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

TCatalogServer::~TCatalogServer() {
  Stop();
}

int TCatalogServer::Bind(const std::string& host, int port) {
  return server_->BindTo(host, port);
}

void TCatalogServer::Listen() {
  server_->listen_after_bind();
}

void TCatalogServer::Stop() {
  if (server_->is_running()) server_->stop();
}

}  // namespace vetrilo::catalog
