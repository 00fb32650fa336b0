#include "net/http_client.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/errors.h"
#include "net/catalog_client.h"
#include "net/hostile_server.h"
#include "net/proxy_settings.h"
#include "net/web_client.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::THostileServer;

std::string Letters(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += char('a' + i % 26);
  return s;
}

// The message of what `request` throws; empty when it does not throw.
std::string ErrorOf(const std::function<void()>& request) {
  try {
    request();
  } catch (const EVetrilo& e) {
    return e.Message();
  }
  return {};
}

}  // namespace

TEST(HttpClient, EveryClientHasTheProductionLimits) {
  THttpClient http;
  EXPECT_EQ(http.ConnectTimeoutMs, 5000);
  EXPECT_EQ(http.ReadTimeoutMs, 10000);
  EXPECT_EQ(http.DeadlineMs, 30000);
  EXPECT_EQ(kPackageBytesPerSecond, 50 * 1024);
  const TCatalogClient catalog("http://127.0.0.1:1", {});
  EXPECT_EQ(catalog.ConnectTimeoutMs, 5000);
  EXPECT_EQ(catalog.ReadTimeoutMs, 10000);
  EXPECT_EQ(catalog.DeadlineMs, 30000);
  TProxySettings proxy;
  test::TRecordingHooks hooks;
  const TWebClient web(proxy, hooks);
  EXPECT_EQ(web.Http.DeadlineMs, 30000);
}

// One byte every 50 ms never leaves the connection idle for the read
// time-out; only the deadline ends such a reply.
TEST(HttpClient, AReplyThatNeverIdlesEndsAtTheDeadline) {
  THostileServer server;
  server.Drip("/slow", Letters(200), 50);
  const std::string expected = "Ответ сервера не получен полностью за 300 мс";
  struct TCase {
    const char* Name;
    std::function<void()> Request;
  };
  const auto client = [] {
    auto http = std::make_unique<THttpClient>();
    http->ReadTimeoutMs = 2000;
    http->DeadlineMs = 300;
    return http;
  };
  const TCase cases[] = {
      {"GET", [&] { client()->Get(server.Url("/slow")); }},
      {"POST", [&] { client()->PostForm(server.Url("/slow"), "a=1"); }},
      {"catalogue",
       [&] {
         TCatalogClient catalog(server.Url(""), {"n", "m@x", "k"});
         catalog.ReadTimeoutMs = 2000;
         catalog.DeadlineMs = 300;
         catalog.Request("/slow", {});
       }},
      {"page",
       [&] {
         TProxySettings proxy;
         test::TRecordingHooks hooks;
         TWebClient web(proxy, hooks);
         web.Http.ReadTimeoutMs = 2000;
         web.Http.DeadlineMs = 300;
         web.GetPage(server.Url("/slow"), false);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ErrorOf(c.Request), expected);
  }
  EXPECT_EQ(server.Requests("/slow"), 4);
  EXPECT_EQ(server.Delivered("/slow"), 0);
}

// 30 s plus the size at the rate in production; here 500 ms plus 1000 bytes
// at 5,000 bytes a second.
TEST(HttpClient, TheDeadlineGrowsWithTheSizeOfTheReply) {
  THostileServer server;
  server.Drip("/package", Letters(1000), 50);
  THttpClient http;
  http.ReadTimeoutMs = 2000;
  http.DeadlineMs = 500;
  http.DeadlineBytesPerSecond = 5000;
  EXPECT_EQ(ErrorOf([&] { http.Get(server.Url("/package")); }),
            "Ответ сервера не получен полностью за 700 мс");
}

// The reply is held until the poll has run: a transfer that kept the thread
// to itself would end with the idle time-out instead.
TEST(HttpClient, ThePollRunsWhileTheTransferWaits) {
  THostileServer server;
  server.Hold("/held", "the body");
  THttpClient http;
  http.ReadTimeoutMs = 1500;
  http.DeadlineMs = 3000;
  int polls = 0;
  http.Poll = [&] {
    if (++polls == 3) server.Release();
  };
  EXPECT_EQ(http.Get(server.Url("/held")), "the body");
  EXPECT_GE(polls, 3);
  EXPECT_EQ(server.Delivered("/held"), 1);
}

TEST(HttpClient, EveryRedirectHopIsCheckedBeforeItIsAsked) {
  THostileServer server;
  server.Redirect("/a", "/b");
  server.Redirect("/b", server.Url("/c"), 301);
  server.Redirect("/c", server.Url("/d"), 307);
  server.Serve("/d", "end");
  server.Redirect("/loop", "/loop");
  THttpClient http;
  std::vector<std::string> hops;
  http.CheckRedirect = [&](const std::string& from, const std::string& to) {
    hops.push_back(from + " > " + to);
    if (to.ends_with("/d")) throw EVetrilo("refused " + to);
  };
  EXPECT_EQ(ErrorOf([&] { http.Get(server.Url("/a")); }), "refused " + server.Url("/d"));
  EXPECT_EQ(hops, (std::vector<std::string>{server.Url("/a") + " > " + server.Url("/b"),
                                            server.Url("/b") + " > " + server.Url("/c"),
                                            server.Url("/c") + " > " + server.Url("/d")}));
  EXPECT_EQ(server.Requests("/c"), 1);
  EXPECT_EQ(server.Requests("/d"), 0);
  EXPECT_EQ(ErrorOf([&] { http.Get(server.Url("/loop")); }),
            "Слишком много перенаправлений (больше 10)");
  EXPECT_EQ(server.Requests("/loop"), 11);
  // Without a check curl follows the chain itself.
  THttpClient plain;
  EXPECT_EQ(plain.Get(server.Url("/a")), "end");
}

}  // namespace vetrilo
