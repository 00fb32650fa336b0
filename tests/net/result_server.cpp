#include "net/result_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>

#include "core/cp1251.h"
#include "core/dates.h"

namespace vetrilo::test {
namespace {

std::string Compress(const std::string& data, bool gzip) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()) + 32, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

TDateKey DateParam(const httplib::Request& req, const char* name) {
  try {
    return TextToDateKey(req.get_param_value(name));
  } catch (...) {
    return 0;
  }
}

}  // namespace

std::string ResultsPage(const TDrawsArray& draws) {
  std::string page =
      "<html><head><title>Results</title></head><body><header>menu</header>"
      "<section class=\"winningNumbersResults\"><h2>Results</h2><table><thead><tr><th>Date</th>"
      "<th>Numbers</th></tr></thead><tbody>\n";
  for (const TDrawRec& d : draws) {
    page += "<tr class=\"row\"><td><div>" + Utf8ToCp1251(d.Date) + "</div></td><td><div>" +
            std::to_string(d.Balls[0]) + "-" + std::to_string(d.Balls[1]) + "-" +
            std::to_string(d.Balls[2]) + "-" + std::to_string(d.Balls[3]) + " Bonus " +
            std::to_string(d.Extra) + "</div></td></tr>\n";
  }
  page += "</tbody></table></section><footer id=\"footerMain\">(c)</footer></body></html>";
  return page;
}

TResultServer::TResultServer(TDrawsArray draws)
    : server_(std::make_unique<httplib::Server>()), draws_(std::move(draws)) {
  auto results = [this](const httplib::Request& req, httplib::Response& res) {
    if (req.target.rfind("http://", 0) == 0) {
      ++proxied_;
      std::lock_guard lock(mutex_);
      proxyAuthorization_ = req.get_header_value("Proxy-Authorization");
    }
    {
      std::lock_guard lock(mutex_);
      windows_.push_back("fromDateIn=" + req.get_param_value("fromDateIn") +
                         "&toDateIn=" + req.get_param_value("toDateIn"));
    }
    if (FailFirst > 0) {
      --FailFirst;
      res.status = 500;
      res.set_content("failure", "text/plain");
      return;
    }
    const TMode mode = Mode;
    if (mode == TMode::Redirect && req.path.find("/moved/") == std::string::npos) {
      const size_t q = req.target.find('?');
      res.set_redirect("/moved/site/winningNumberSearch" +
                       (q == std::string::npos ? std::string() : req.target.substr(q)));
      return;
    }
    if (mode == TMode::Slow) std::this_thread::sleep_for(std::chrono::milliseconds(SlowMs));
    if (mode == TMode::Garbage) {
      std::string bytes;
      for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 7919) % 251);
      res.set_content(bytes, "application/octet-stream");
      return;
    }
    if (mode == TMode::Huge) {
      const size_t total = HugeBytes;
      res.set_chunked_content_provider(
          "application/octet-stream", [total](size_t offset, httplib::DataSink& sink) {
            if (offset >= total) {
              sink.done();
              return true;
            }
            const std::string chunk(std::min<size_t>(65536, total - offset), 'x');
            return sink.write(chunk.data(), chunk.size());
          });
      return;
    }
    const TDateKey from = DateParam(req, "fromDateIn");
    const TDateKey to = DateParam(req, "toDateIn");
    TDrawsArray shown;
    for (const TDrawRec& d : draws_) {
      TDateKey key = 0;
      try {
        key = TextToDateKey(d.Date);
      } catch (...) {
      }
      if (mode == TMode::IgnoreWindow || (key >= from && key <= to)) shown.push_back(d);
    }
    const std::string page = ResultsPage(shown);
    if (mode == TMode::Gzip || mode == TMode::Deflate) {
      // A type the server would not compress again by itself.
      res.set_header("Content-Encoding", mode == TMode::Gzip ? "gzip" : "deflate");
      res.set_content(Compress(page, mode == TMode::Gzip), "application/octet-stream");
      return;
    }
    res.set_content(page, "text/html");
  };
  server_->Get(R"(.*/site/winningNumberSearch)", results);
  server_->Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
    std::string body;
    for (const auto& [k, v] : req.headers) body += k + ": " + v + "\n";
    res.set_content(body, "text/plain");
  });
  server_->Get("/setcookie", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "visit=42; Path=/");
    res.set_content("ok", "text/plain");
  });
  server_->Get("/missing", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content("no such page", "text/plain");
  });
  server_->Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("Тираж", "text/plain; charset=utf-8");
  });
  server_->Get(R"(.*/proxies)", [this](const httplib::Request& req, httplib::Response& res) {
    const int offset = std::atoi(req.get_param_value("offset").c_str());
    std::string body = "<table>\n";
    {
      std::lock_guard lock(mutex_);
      proxyOffsets_.push_back(offset);
      for (size_t i = size_t(offset); i < ProxyList.size() && i < size_t(offset) + 15; ++i) {
        body += "<tr><td>" + ProxyList[i] + "</td></tr>\n";
      }
    }
    res.set_content(body + "</table>", "text/html");
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TResultServer::~TResultServer() {
  server_->stop();
  thread_.join();
}

std::vector<std::string> TResultServer::Windows() const {
  std::lock_guard lock(mutex_);
  return windows_;
}

std::string TResultServer::ProxyAuthorization() const {
  std::lock_guard lock(mutex_);
  return proxyAuthorization_;
}

std::vector<int> TResultServer::ProxyListOffsets() const {
  std::lock_guard lock(mutex_);
  return proxyOffsets_;
}

int ClosedPort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
}

}  // namespace vetrilo::test
