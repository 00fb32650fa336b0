#include "acquire/draw_download.h"

#include <gtest/gtest.h>

#include <set>

#include "acquire/page_parser.h"
#include "core/errors.h"
#include "core/format.h"
#include "net/result_server.h"
#include "test_support.h"

namespace vetrilo {
using test::ClosedPort;
using test::TRecordingHooks;
using test::TResultServer;

namespace {

// The operator's history: one draw every `step` days from `first` on, `count` draws.
TDrawsArray History(TDateKey first, int count, int step, int firstNumber = 1) {
  TDrawsArray draws;
  TDateKey key = first;
  for (int i = 0; i < count; ++i) {
    TDrawRec d;
    d.Number = firstNumber + i;
    d.Balls = {uint8_t(1 + i % 43), uint8_t(2 + i % 43), uint8_t(3 + i % 43), uint8_t(47)};
    d.Extra = uint8_t(1 + i % 17);
    d.Date = DateKeyToText(key);
    draws.push_back(d);
    key = DateKeyAddDays(key, step);
  }
  return draws;
}

std::string Window(TDateKey from, TDateKey to) {
  return "fromDateIn=" + DateKeyToText(from) + "&toDateIn=" + DateKeyToText(to);
}

std::string RetryQuestion(const std::string& error) {
  return "Ошибка загрузки архива тиражей с сайта: \"" + error + "\"\r\rПовторить попытку?";
}

// One download against a server: the archive, the proxy and the client.
struct TRun {
  TDrawArchive Archive;
  TProxySettings Proxy;
  TRecordingHooks Hooks;
  TWebClient Web{Proxy, Hooks};
  std::vector<std::string> WaitTexts;
  int Saves = 0;
  int ProxySaves = 0;
  // The pauses before the retries, in seconds; none is really waited.
  std::vector<int> Pauses;
  std::function<bool(std::string_view)> AskRetry;
  std::function<void()> AfterAppend;

  TDownloadResult Download(const std::string& site, TDateKey today) {
    Web.WaitText = [this](std::string_view t) { WaitTexts.emplace_back(t); };
    TDrawDownload d(Archive, Web, Hooks, site, today);
    d.Pause = [this](int seconds) { Pauses.push_back(seconds); };
    if (AskRetry) d.AskRetry = AskRetry;
    d.DrawsAppended = [this] {
      ++Saves;
      if (AfterAppend) AfterAppend();
    };
    d.SaveProxy = [this] {
      ++ProxySaves;
      Proxy.Saved = true;
    };
    return d.DownloadNewDraws();
  }
};

}  // namespace

TEST(DrawDownload, EmptyArchiveWalksForwardInWindowsOf100Days) {
  const TDrawsArray history = History(20140704, 60, 7);  // up to 08/21/2015
  TResultServer server(history);
  TRun run;
  const TDownloadResult r = run.Download(server.Site(), 20150901);
  EXPECT_EQ(r.End, TDownloadEnd::UpToDate);
  EXPECT_EQ(r.Added, 60);
  ASSERT_EQ(run.Archive.Count(), 60);
  for (int i = 0; i < 60; ++i) {
    EXPECT_EQ(run.Archive.Draws[size_t(i)].Number, i + 1);
    EXPECT_EQ(run.Archive.Draws[size_t(i)].Date, history[size_t(i)].Date);
    EXPECT_EQ(run.Archive.Draws[size_t(i)].Balls, history[size_t(i)].Balls);
  }
  // Every window starts the day after the newest stored draw and spans 100 days.
  const std::vector<std::string> windows = server.Windows();
  ASSERT_EQ(windows.size(), 5u);
  EXPECT_EQ(windows[0], Window(20140704, 20141011));
  EXPECT_EQ(windows[1], Window(20141011, 20150118));  // newest was 10/10/2014
  EXPECT_EQ(windows[4], Window(20150801, 20150901));  // after 07/31/2015, cut at today
  EXPECT_EQ(run.Saves, 5);
  EXPECT_EQ(run.Hooks.Statuses.front(), "Загрузка тиражей 07/04/2014 - 10/11/2014...");
  EXPECT_EQ(run.WaitTexts.front(), "Загрузка архива тиражей...");
  EXPECT_TRUE(run.Hooks.Questions.empty());
}

TEST(DrawDownload, StopsWithoutRequestWhenTheNewestDrawIsDatedToday) {
  TResultServer server(History(20150101, 3, 1));
  TRun run;
  run.Archive.Draws = History(20150101, 3, 1);
  EXPECT_EQ(run.Download(server.Site(), 20150103).End, TDownloadEnd::UpToDate);
  EXPECT_TRUE(server.Windows().empty());
}

TEST(DrawDownload, AWindowWithoutNewDrawsEndsTheDownload) {
  TDrawsArray history = History(20140704, 3, 7);
  TDrawsArray later = History(20150601, 3, 7, 4);  // beyond the first empty window
  history.insert(history.end(), later.begin(), later.end());
  TResultServer server(history);
  TRun run;
  const TDownloadResult r = run.Download(server.Site(), 20151231);
  EXPECT_EQ(r.End, TDownloadEnd::NoNewDraws);
  EXPECT_EQ(r.Added, 3);
  EXPECT_EQ(server.Windows().size(), 2u);
}

TEST(DrawDownload, ServerModesGiveTheSameDraws) {
  const TDrawsArray history = History(20140704, 20, 5);
  for (auto mode : {TResultServer::TMode::Normal, TResultServer::TMode::Gzip,
                    TResultServer::TMode::Deflate, TResultServer::TMode::Redirect}) {
    SCOPED_TRACE(static_cast<int>(mode));
    TResultServer server(history);
    server.Mode = mode;
    TRun run;
    const TDownloadResult r = run.Download(server.Site(), 20141231);
    EXPECT_EQ(r.Added, 20);
    EXPECT_EQ(run.Archive.Count(), 20);
    EXPECT_TRUE(run.Hooks.Questions.empty());
  }
}

TEST(DrawDownload, FailuresAskToRetry) {
  const TDrawsArray history = History(20140704, 10, 5);
  {
    TResultServer server(history);
    server.FailFirst = 2;
    TRun run;
    run.Hooks.Answer = true;
    const TDownloadResult r = run.Download(server.Site(), 20141011);
    EXPECT_EQ(r.End, TDownloadEnd::UpToDate);
    EXPECT_EQ(r.Added, 10);
    ASSERT_EQ(run.Hooks.Questions.size(), 2u);
    EXPECT_EQ(run.Hooks.Questions[0], RetryQuestion("HTTP/1.1 500 Internal Server Error"));
    EXPECT_EQ(run.Web.Attempt, 3);
  }
  struct TCase {
    std::function<void(TResultServer&, TRun&)> Setup;
    std::string ErrorStart;
  };
  const TCase cases[] = {
      {[](TResultServer& s, TRun& r) {
         s.Mode = TResultServer::TMode::Slow;
         s.SlowMs = 1500;
         r.Web.Http.ReadTimeoutMs = 200;
       },
       "Сервер не ответил за 200 мс"},
      {[](TResultServer& s, TRun& r) {
         s.Mode = TResultServer::TMode::Huge;
         s.HugeBytes = 3 << 20;
         r.Web.Http.MaxBodyBytes = 1 << 20;
       },
       "Ответ сервера больше 1048576 байт"},
      {[](TResultServer& s, TRun&) { s.FailFirst = 1; }, "HTTP/1.1 500"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ErrorStart);
    TResultServer server(history);
    TRun run;
    c.Setup(server, run);
    const TDownloadResult r = run.Download(server.Site(), 20141231);
    EXPECT_EQ(r.End, TDownloadEnd::Failed);
    EXPECT_EQ(run.Archive.Count(), 0);
    ASSERT_EQ(run.Hooks.Questions.size(), 1u);
    EXPECT_EQ(run.Hooks.Questions[0].rfind(
                  "Ошибка загрузки архива тиражей с сайта: \"" + c.ErrorStart, 0),
              0u)
        << run.Hooks.Questions[0];
  }
  TRun refused;
  const TDownloadResult r =
      refused.Download("http://127.0.0.1:" + std::to_string(ClosedPort()), 20141231);
  EXPECT_EQ(r.End, TDownloadEnd::Failed);
  ASSERT_EQ(refused.Hooks.Questions.size(), 1u);
}

TEST(DrawDownload, GarbageIsAPageWithoutResults) {
  TResultServer server(History(20140704, 10, 5));
  server.Mode = TResultServer::TMode::Garbage;
  TRun run;
  EXPECT_EQ(run.Download(server.Site(), 20141231).End, TDownloadEnd::NoNewDraws);
  EXPECT_TRUE(run.Hooks.Questions.empty());
  EXPECT_EQ(run.Archive.Count(), 0);
}

TEST(DrawDownload, AServerIgnoringTheDatesIsStoppedAfterOneWindow) {
  const TDrawsArray history = History(20140704, 20, 7);
  TResultServer server(history);
  server.Mode = TResultServer::TMode::IgnoreWindow;
  TRun run;
  run.Archive.Draws = history;
  const TDownloadResult r = run.Download(server.Site(), 20150601);
  EXPECT_EQ(r.End, TDownloadEnd::Stale);
  // The draws older than the window are not stored again, and the loop ends.
  EXPECT_EQ(r.Added, 0);
  EXPECT_EQ(SerializeDrawRecords(run.Archive.Draws), SerializeDrawRecords(history));
  EXPECT_EQ(run.Saves, 0);
  EXPECT_EQ(server.Windows().size(), 1u);
  EXPECT_EQ(r.Reason, "Сервер вернул только тиражи до " +
                          DateKeyToText(DateKeyAddDays(20140704, 19 * 7 + 1)) +
                          ": он не учитывает запрошенные даты, загрузка остановлена");
  EXPECT_EQ(run.Hooks.Statuses.back(), r.Reason);
}

TEST(DrawDownload, DrawsDatedBeforeTheWindowAreNeverAppended) {
  // Stored: 10 weekly draws up to 09/05/2014. The server lists them again among
  // three new ones, one dated after the first window (ends 12/14/2014) and one
  // whose date does not read as a date.
  const TDrawsArray stored = History(20140704, 10, 7);
  TDrawsArray listed = stored;
  for (const auto& [date, number] : std::vector<std::pair<std::string, int>>{
           {"09/10/2014", 101}, {"n/a", 102}, {"10/01/2014", 103}, {"02/20/2015", 104}}) {
    TDrawRec d = History(20140101, 1, 1, number)[0];
    d.Date = date;
    listed.push_back(d);
  }
  TResultServer server(listed);
  server.Mode = TResultServer::TMode::IgnoreWindow;
  TRun run;
  run.Archive.Draws = stored;
  const TDownloadResult r = run.Download(server.Site(), 20150601);
  // The second window (from 02/21/2015) lists only stored draws: it ends the download.
  EXPECT_EQ(r.End, TDownloadEnd::Stale);
  EXPECT_EQ(r.Added, 4);
  ASSERT_EQ(run.Archive.Count(), 14);
  const std::vector<std::string> dates = {"09/10/2014", "n/a", "10/01/2014", "02/20/2015"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(run.Archive.Draws[10 + i].Date, dates[i]);
    EXPECT_EQ(run.Archive.Draws[10 + i].Number, int(11 + i));
  }
  EXPECT_EQ(server.Windows(),
            (std::vector<std::string>{Window(20140906, 20141214), Window(20150221, 20150531)}));
  EXPECT_EQ(run.Saves, 1);
  EXPECT_EQ(r.Reason,
            "Сервер вернул только тиражи до 02/21/2015: он не учитывает запрошенные даты, "
            "загрузка остановлена");
}

TEST(DrawDownload, AnUnreadableNewestDateIsReported) {
  TResultServer server(History(20140704, 10, 5));
  for (const char* date : {"", "13/45/2014", "later"}) {
    SCOPED_TRACE(date);
    TRun run;
    run.Archive.Draws = History(20140704, 2, 5);
    run.Archive.Draws.back().Date = date;
    const TDownloadResult r = run.Download(server.Site(), 20141231);
    EXPECT_EQ(r.End, TDownloadEnd::BadDate);
    EXPECT_EQ(r.Added, 0);
    EXPECT_EQ(run.Hooks.Statuses.back(), "Дата тиража № 2 не распознана: загрузка остановлена");
    ASSERT_EQ(run.Hooks.Messages.size(), 1u);
    EXPECT_EQ(run.Hooks.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(
        run.Hooks.Messages[0].Text.rfind(
            "Не удалось определить дату последнего тиража № 2 (\"" + std::string(date) + "\")!", 0),
        0u);
  }
  EXPECT_TRUE(server.Windows().empty());
}

TEST(DrawDownload, AutomaticProxyTriesCandidatesSilentlyAndKeepsTheOneThatWorks) {
  TResultServer server(History(20140704, 10, 5));
  const int dead = ClosedPort();
  server.ProxyList = {"127.0.0.1:" + std::to_string(dead),
                      "127.0.0.1:" + std::to_string(server.Port())};
  TRun run;
  run.Proxy.Mode = 1;
  run.Proxy.Server.clear();
  run.Proxy.ListSite = server.Site() + "/proxies";
  const TDownloadResult r = run.Download(server.Site(), 20141231);
  EXPECT_EQ(r.Added, 10);
  EXPECT_TRUE(run.Hooks.Questions.empty());
  EXPECT_TRUE(run.Hooks.Messages.empty());
  EXPECT_EQ(run.Proxy.Server, "127.0.0.1");
  EXPECT_EQ(run.Proxy.Port, server.Port());
  EXPECT_EQ(run.ProxySaves, 1);
  EXPECT_FALSE(run.Proxy.Candidates.has_value());
  EXPECT_GT(server.ProxiedRequests(), 0);
  EXPECT_EQ(server.ProxyListOffsets(), std::vector<int>{0});
  EXPECT_NE(std::find(run.WaitTexts.begin(), run.WaitTexts.end(),
                      "Загрузка архива тиражей...\r\rПоиск proxy-серверов"),
            run.WaitTexts.end());
  EXPECT_NE(std::find(run.WaitTexts.begin(), run.WaitTexts.end(),
                      Format("Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : %d",
                             {server.Port()})),
            run.WaitTexts.end());
}

TEST(DrawDownload, ProxySearchPagesAndFailures) {
  TResultServer server;
  for (int i = 0; i < 40; ++i) server.ProxyList.push_back("10.0.0." + std::to_string(i) + ":80");
  TProxySettings proxy;
  proxy.ListSite = server.Site() + "/proxies";
  TRecordingHooks hooks;
  TWebClient web(proxy, hooks);
  web.SearchCandidates(false);
  EXPECT_EQ(proxy.Candidates->size(), 30u);
  EXPECT_EQ(server.ProxyListOffsets(), (std::vector<int>{0, 15}));
  EXPECT_EQ(ParseProxyList("<td>host.example:8080</td> 1.2.3.4:3128, x:0 y:70000 :80"),
            (std::vector<std::string>{"host.example:8080", "1.2.3.4:3128"}));

  struct TCase {
    std::string ListSite;
    std::string Message;
  };
  TResultServer empty;
  const TCase cases[] = {
      {"",
       "Ошибка получения списка proxy-серверов!\r\rНе задан адрес сервиса списка "
       "proxy-серверов: укажите его в параметре ProxyListSite= раздела [PROXY] файла "
       "настроек."},
      {empty.Site() + "/proxies",
       "Ошибка получения списка proxy-серверов!\r\rНе найдено ни одного proxy-сервера с "
       "заданными параметрами"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ListSite);
    TRun run;
    run.Proxy.Mode = 1;
    run.Proxy.ListSite = c.ListSite;
    const TDownloadResult r = run.Download(server.Site(), 20141231);
    EXPECT_EQ(r.End, TDownloadEnd::NoNewDraws);  // no request: nothing came
    ASSERT_EQ(run.Hooks.Messages.size(), 1u);
    EXPECT_EQ(run.Hooks.Messages[0].Text, c.Message);
  }
  EXPECT_TRUE(server.Windows().empty());
}

TEST(DrawDownload, ManualProxyCarriesItsCredentials) {
  TResultServer server(History(20140704, 3, 5));
  TRun run;
  run.Proxy.Mode = 2;
  run.Proxy.Server = "127.0.0.1";
  run.Proxy.Port = server.Port();
  run.Proxy.Username = "user";
  run.Proxy.Password = "secret";
  EXPECT_EQ(run.Download("http://127.0.0.1:" + std::to_string(server.Port()), 20141231).Added, 3);
  EXPECT_GT(server.ProxiedRequests(), 0);
  EXPECT_EQ(server.ProxyAuthorization(), "Basic dXNlcjpzZWNyZXQ=");
  EXPECT_EQ(run.ProxySaves, 0);
}

TEST(HttpClient, HeadersCookiesStatusAndUtf8) {
  TResultServer server;
  THttpClient http;
  const std::string headers = http.Get(server.Site() + "/headers");
  for (const char* line :
       {"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8",
        "Accept-Encoding: gzip, deflate, sdch",
        "Accept-Language: ru-RU,ru;q=0.8,en-US;q=0.6,en;q=0.4", "Connection: keep-alive",
        "User-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/53.0.2785.116 Safari/537.36"}) {
    EXPECT_NE(headers.find(line), std::string::npos) << line << "\n" << headers;
  }
  EXPECT_EQ(headers.find("Cookie:"), std::string::npos);
  http.Get(server.Site() + "/setcookie");
  EXPECT_NE(http.Get(server.Site() + "/headers").find("Cookie: visit=42"), std::string::npos);
  try {
    http.Get(server.Site() + "/missing");
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "HTTP/1.1 404 Not Found");
  }
  TProxySettings proxy;
  TRecordingHooks hooks;
  TWebClient web(proxy, hooks);
  EXPECT_EQ(web.GetPage(server.Site() + "/utf8", false), "Тираж");
  EXPECT_EQ(web.GetPage(server.Site() + "/utf8", true), "\xD2\xE8\xF0\xE0\xE6");
}

TEST(DrawDownload, AYesWaitsLongerEachTimeAndFiveFailuresInARowEndTheDownload) {
  const std::string error = "HTTP/1.1 500 Internal Server Error";
  TResultServer server(History(20140704, 10, 5));
  server.FailFirst = 1000000;
  TRun run;
  // Yes to every question; a loop without a limit still ends the test.
  run.AskRetry = [&run](std::string_view q) {
    run.Hooks.Questions.emplace_back(q);
    return run.Hooks.Questions.size() < 20;
  };
  const TDownloadResult r = run.Download(server.Site(), 20141231);
  EXPECT_EQ(r.End, TDownloadEnd::Failed);
  EXPECT_EQ(server.Windows().size(), 5u);
  EXPECT_EQ(run.Hooks.Questions, std::vector<std::string>(4, RetryQuestion(error)));
  EXPECT_EQ(run.Pauses, (std::vector<int>{1, 2, 4, 8}));
  ASSERT_EQ(run.Hooks.Messages.size(), 1u);
  EXPECT_EQ(run.Hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(run.Hooks.Messages[0].Text,
            "Ошибка загрузки архива тиражей с сайта: \"" + error + "\"");
  for (const char* status : {"Повторная попытка через 1 с...", "Повторная попытка через 8 с..."}) {
    EXPECT_NE(std::find(run.Hooks.Statuses.begin(), run.Hooks.Statuses.end(), status),
              run.Hooks.Statuses.end())
        << status;
  }
  // No ends it at once, without a pause.
  TResultServer failing(History(20140704, 10, 5));
  failing.FailFirst = 1000000;
  TRun declined;
  EXPECT_EQ(declined.Download(failing.Site(), 20141231).End, TDownloadEnd::Failed);
  EXPECT_EQ(declined.Hooks.Questions.size(), 1u);
  EXPECT_TRUE(declined.Pauses.empty());
  EXPECT_TRUE(declined.Hooks.Messages.empty());
}

TEST(DrawDownload, AWindowThatBringsDrawsStartsTheCountOfFailuresAgain) {
  // Two windows: 07/04-10/11/2014 with 20 draws, then 10/10-12/31/2014 with 10.
  TResultServer server(History(20140704, 30, 5));
  server.FailFirst = 4;
  TRun run;
  run.Hooks.Answer = true;
  bool failedAgain = false;
  run.AfterAppend = [&] {
    if (!failedAgain) server.FailFirst = 4;
    failedAgain = true;
  };
  const TDownloadResult r = run.Download(server.Site(), 20141231);
  EXPECT_EQ(r.End, TDownloadEnd::UpToDate);
  EXPECT_EQ(r.Added, 30);
  EXPECT_EQ(server.Windows().size(), 10u);
  EXPECT_EQ(run.Hooks.Questions.size(), 8u);
  EXPECT_EQ(run.Pauses, (std::vector<int>{1, 2, 4, 8, 1, 2, 4, 8}));
  EXPECT_TRUE(run.Hooks.Messages.empty());
}

TEST(DrawDownload, AutomaticProxyTriesAtMostTenCandidates) {
  TResultServer server(History(20140704, 10, 5));
  std::set<int> dead;
  while (dead.size() < 15) dead.insert(ClosedPort());
  for (int port : dead) server.ProxyList.push_back("127.0.0.1:" + std::to_string(port));
  TRun run;
  run.Proxy.Mode = 1;
  run.Proxy.ListSite = server.Site() + "/proxies";
  run.AskRetry = [&run](std::string_view q) {
    run.Hooks.Questions.emplace_back(q);
    return run.Hooks.Questions.size() < 20;
  };
  const TDownloadResult r = run.Download(server.Site(), 20141231);
  EXPECT_EQ(r.End, TDownloadEnd::Failed);
  std::set<std::string> tried;
  for (const std::string& text : run.WaitTexts) {
    const size_t at = text.find(", proxy ");
    if (at != std::string::npos) tried.insert(text.substr(at));
  }
  EXPECT_EQ(tried.size(), 10u);
  // Rotation is silent and at once; the end says why.
  EXPECT_TRUE(run.Hooks.Questions.empty());
  EXPECT_TRUE(run.Pauses.empty());
  ASSERT_EQ(run.Hooks.Messages.size(), 1u);
  EXPECT_EQ(run.Hooks.Messages[0].Text.rfind("Ошибка загрузки архива тиражей с сайта: \"", 0), 0u)
      << run.Hooks.Messages[0].Text;
  EXPECT_EQ(run.Web.Attempt, 11);
  EXPECT_EQ(server.ProxiedRequests(), 0);
}

}  // namespace vetrilo
