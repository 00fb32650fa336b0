// The catalogue server against clients that send too much, too slowly or
// nothing at all, over raw sockets to a real loopback server.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalog_server.h"
#include "catalog/catalog_test_server.h"
#include "net/catalog_codec.h"
#include "test_support.h"

namespace vetrilo::test {
namespace {

using catalog::kMaxBodyBytes;
using catalog::TServerLimits;

// A plain TCP client. Every wait is bounded, so a test that goes wrong still ends.
class TRawClient {
 public:
  explicit TRawClient(int port, int sendBuffer = 0) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sendBuffer > 0) ::setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    timeval bound{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &bound, sizeof bound);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(uint16_t(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~TRawClient() { ::close(fd_); }
  TRawClient(const TRawClient&) = delete;
  TRawClient& operator=(const TRawClient&) = delete;

  bool Connected() const { return connected_; }
  // False once the server has closed or reset the connection.
  bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n <= 0) return false;
      bytes.remove_prefix(size_t(n));
    }
    return true;
  }
  void EndSending() { ::shutdown(fd_, SHUT_WR); }
  // Everything until the server closes (or the bound passes).
  std::string ReadAll() {
    std::string out;
    char buf[4096];
    for (;;) {
      const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
      if (n <= 0) return out;
      out.append(buf, size_t(n));
    }
  }
  // The server has neither closed nor reset the connection (nor sent anything).
  bool StillOpen() {
    char c;
    const ssize_t n = ::recv(fd_, &c, 1, MSG_DONTWAIT | MSG_PEEK);
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

// The status of the first reply in `reply`; 0 for none.
int Status(const std::string& reply) {
  int status = 0;
  return std::sscanf(reply.c_str(), "HTTP/1.1 %d", &status) == 1 ? status : 0;
}

// A list request padded with an ignored field to `size` bytes.
std::string PaddedForm(size_t size) {
  std::string body = "fltid=0&pad=";
  body.resize(size, 'x');
  return body;
}

std::string Gzip(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, uLong(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

enum class TFraming { Length, Chunked, ToTheEnd };

std::string Chunked(const std::string& body) {
  std::string out;
  for (size_t at = 0; at < body.size(); at += 50000) {
    const std::string part = body.substr(at, 50000);
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", part.size());
    out += size + part + "\r\n";
  }
  return out + "0\r\n\r\n";
}

TEST(CatalogServerLimits, EveryBodyUpToTheLimitIsServedAndAboveItRefused) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  const std::string form = "application/x-www-form-urlencoded";
  struct TCase {
    const char* Name;
    TFraming Framing;
    std::string ContentType;
    std::string Encoding;
    std::string Body;
    int Status;
  };
  const std::vector<TCase> cases = {
      {"form of 9 KB", TFraming::Length, form, "", PaddedForm(9000), 200},
      {"form of 1 MB", TFraming::Length, form, "", PaddedForm(kMaxBodyBytes), 200},
      {"chunked form of 1 MB", TFraming::Chunked, form, "", PaddedForm(kMaxBodyBytes), 200},
      {"chunked, no type, 1 MB", TFraming::Chunked, "", "", PaddedForm(kMaxBodyBytes), 200},
      {"form over 1 MB", TFraming::Length, form, "", PaddedForm(kMaxBodyBytes + 1), 413},
      {"chunked form over 1 MB", TFraming::Chunked, form, "", PaddedForm(kMaxBodyBytes + 1), 413},
      {"chunked, no type, over 1 MB", TFraming::Chunked, "", "", PaddedForm(kMaxBodyBytes + 1),
       413},
      {"to the end, over 1 MB", TFraming::ToTheEnd, "", "", PaddedForm(kMaxBodyBytes + 1), 413},
      {"2 MB packed into a few KB", TFraming::Length, form, "gzip",
       Gzip(PaddedForm(2 * kMaxBodyBytes)), 413},
      {"2 MB packed, chunked", TFraming::Chunked, "", "gzip", Gzip(PaddedForm(2 * kMaxBodyBytes)),
       413},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRawClient client(server.Port());
    ASSERT_TRUE(client.Connected());
    std::string head =
        "POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    if (!c.ContentType.empty()) head += "Content-Type: " + c.ContentType + "\r\n";
    if (!c.Encoding.empty()) head += "Content-Encoding: " + c.Encoding + "\r\n";
    switch (c.Framing) {
      case TFraming::Length:
        head += "Content-Length: " + std::to_string(c.Body.size()) + "\r\n\r\n" + c.Body;
        break;
      case TFraming::Chunked:
        head += "Transfer-Encoding: chunked\r\n\r\n" + Chunked(c.Body);
        break;
      case TFraming::ToTheEnd:
        head += "\r\n" + c.Body;
        break;
    }
    // A refused body may be cut off while it is sent; the reply still comes.
    client.Send(head);
    if (c.Framing == TFraming::ToTheEnd) client.EndSending();
    const std::string reply = client.ReadAll();
    EXPECT_EQ(Status(reply), c.Status);
    if (c.Status == 200) {
      EXPECT_NE(reply.find("<result></result>"), std::string::npos);
    }
  }
}

// A chunked flood without a content type: refused once past the limit, and the
// server stops taking it soon after instead of reading it all.
TEST(CatalogServerLimits, ChunkedFloodIsRefusedAndCutOff) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  constexpr size_t kFlood = 8 * kMaxBodyBytes;
  TRawClient client(server.Port(), 64 * 1024);
  ASSERT_TRUE(client.Connected());
  std::string reply;
  std::thread reader([&] { reply = client.ReadAll(); });
  size_t sent = 0;
  bool open = client.Send(
      "POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
      "Transfer-Encoding: chunked\r\n\r\n");
  const std::string chunk = "10000\r\n" + std::string(0x10000, 'x') + "\r\n";
  while (open && sent < kFlood) {
    open = client.Send(chunk);
    if (open) sent += 0x10000;
  }
  if (open) client.Send("0\r\n\r\n");
  reader.join();
  EXPECT_EQ(Status(reply), 413);
  EXPECT_LT(sent, kFlood);
  std::printf("[ report ] chunked flood: the server closed after %zu KB of %zu KB\n", sent >> 10,
              kFlood >> 10);
}

// Dozens of clients that connected and then send nothing more (or a byte now
// and then) hold a worker each; the others are still served at once.
TEST(CatalogServerLimits, SlowClientsLeaveRoomForOthers) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  constexpr int kSlow = 50;
  std::vector<std::unique_ptr<TRawClient>> slow;
  for (int i = 0; i < kSlow; ++i) {
    slow.push_back(std::make_unique<TRawClient>(server.Port()));
    ASSERT_TRUE(slow.back()->Connected());
    ASSERT_TRUE(slow.back()->Send("P"));
  }
  httplib::Client c("127.0.0.1", server.Port());
  c.set_read_timeout(30, 0);
  const auto start = std::chrono::steady_clock::now();
  auto list = c.Post("/scripts/scr_getlist.php", "fltid=1", "application/x-www-form-urlencoded");
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 200);
  EXPECT_EQ(list->body, "<result></result>");
  // It was served while every slow client was still connected, not after the
  // server gave up on them.
  int open = 0;
  for (auto& s : slow) open += s->StillOpen();
  EXPECT_EQ(open, kSlow);
  std::printf("[ report ] list request with %d slow clients connected: %.1f ms\n", kSlow,
              std::chrono::duration<double, std::milli>(took).count());
}

// A client that keeps its headers coming a byte at a time, each well within
// the time-out of one read, is cut off at the deadline of the whole; so is one
// that sends nothing.
TEST(CatalogServerLimits, HeadersAreDueByTheDeadline) {
  TTempDir dir;
  TServerLimits limits;
  limits.HeaderDeadlineMs = 500;
  TCatalogTestServer server(dir.File("c.db"), {}, limits);
  TRawClient idle(server.Port());
  TRawClient dribble(server.Port());
  ASSERT_TRUE(idle.Connected() && dribble.Connected());
  const std::string headers =
      "POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
      "X-Slow: " +
      std::string(100, 'a');
  size_t sent = 0;
  while (sent < headers.size() && dribble.Send(headers.substr(sent, 1)) && dribble.StillOpen()) {
    ++sent;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // 150 bytes take 7.5 s
  }
  EXPECT_LT(sent, headers.size());
  const std::string reply = dribble.ReadAll();
  EXPECT_TRUE(reply.empty() || Status(reply) == 408) << reply;
  EXPECT_EQ(idle.ReadAll(), "");  // closed without a word
}

// After the headers the body must keep up a minimum rate.
TEST(CatalogServerLimits, SlowBodyIsCutOff) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  TRawClient client(server.Port());
  ASSERT_TRUE(client.Connected());
  const std::string body = PaddedForm(100000);
  ASSERT_TRUE(
      client.Send("POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                  std::to_string(body.size()) + "\r\n\r\n"));
  std::string reply;
  std::atomic<bool> closed{false};
  std::thread reader([&] {
    reply = client.ReadAll();
    closed = true;
  });
  // 1 KB/s, a tenth of the minimum: the server gives up after about a second.
  size_t sent = 0;
  for (int i = 0; i < 50 && !closed; ++i) {
    if (!client.Send(body.substr(sent, 100))) break;
    sent += 100;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  client.EndSending();
  reader.join();
  EXPECT_EQ(Status(reply), 408);
  EXPECT_LT(sent, 5000u);
}

// A client that asks before sending its body hears at once that it is too long.
TEST(CatalogServerLimits, DeclaredLengthOverTheLimitIsRefusedUnread) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  TRawClient client(server.Port());
  ASSERT_TRUE(
      client.Send("POST /scripts/scr_putscript.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                  "Expect: 100-continue\r\nContent-Length: " +
                  std::to_string(2 * kMaxBodyBytes) + "\r\n\r\n"));
  const std::string reply = client.ReadAll();
  EXPECT_EQ(Status(reply), 413) << reply;
  EXPECT_NE(reply.find("Connection: close"), std::string::npos) << reply;
}

// The same connection serves its next request after a body that was read
// whole; a refused one ends it.
TEST(CatalogServerLimits, KeepAliveContinuesOnlyAfterAWholeBody) {
  TTempDir dir;
  TCatalogTestServer server(dir.File("c.db"));
  const std::string list =
      "POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
      "Content-Type: application/x-www-form-urlencoded\r\n"
      "Content-Length: 7\r\n\r\nfltid=1";
  TRawClient client(server.Port());
  ASSERT_TRUE(client.Send(list + list));
  const std::string over =
      "POST /scripts/scr_getlist.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
      "Content-Length: " +
      std::to_string(kMaxBodyBytes + 1) + "\r\n\r\n";
  // What looks like a request inside the refused body is never served.
  ASSERT_TRUE(client.Send(over + list));
  client.EndSending();
  const std::string replies = client.ReadAll();
  size_t served = 0;
  for (size_t at = replies.find("HTTP/1.1 200"); at != std::string::npos;
       at = replies.find("HTTP/1.1 200", at + 1)) {
    ++served;
  }
  EXPECT_EQ(served, 2u) << replies;
  EXPECT_NE(replies.find("HTTP/1.1 413"), std::string::npos) << replies;
}

}  // namespace
}  // namespace vetrilo::test
