#include <gtest/gtest.h>

#include "acquire/draws_csv.h"
#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/result_server.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::TRecordingHooks;
using test::TResultServer;
using test::TTempDir;
using test::WriteFile;

namespace {

const TDrawsArray kHistory = MakeDraws({{1, 5, 17, 23, 40, 9, "07/04/2014"},
                                        {2, 1, 2, 3, 4, 5, "07/08/2014"},
                                        {3, 6, 7, 8, 9, 10, "07/11/2014"}});

// Records the titles of the questions too.
struct TTitledHooks : TRecordingHooks {
  std::vector<std::string> Titles;
  bool Confirm(std::string_view title, std::string_view question) override {
    Titles.emplace_back(title);
    return Ask(question);
  }
};

struct TSession {
  TTempDir Dir;
  TTitledHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  std::vector<std::string> WaitTexts;
  std::vector<std::string>& Titles = Hooks.Titles;
  uint32_t Changes = 0;

  explicit TSession(const std::string& site = "", const TDrawsArray& draws = {}) {
    if (!site.empty())
      WriteFile(Session.Paths().IniFile(), "[GLOBAL]\r\nResultsSite=" + site + "\r\n");
    if (!draws.empty()) WriteFile(Session.Paths().ArchiveFile(), SerializeDrawRecords(draws));
    Session.LoadOptions();
    Session.LoadArchive();
    Session.SetToday(20140731);
    Session.SetWaitWindow([this](std::string_view t) { WaitTexts.emplace_back(t); });
    Session.SetListener([this](uint32_t c) { Changes |= c; });
    Hooks.Messages.clear();
  }
  TDrawsArray StoredDraws() const {
    return ParseDrawRecords(ReadFile(Session.Paths().ArchiveFile()));
  }
};

}  // namespace

TEST(AppSessionAcquire, DownloadNeedsTheResultSiteSetting) {
  TSession s;
  try {
    s.Session.DownloadDraws();
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_NE(e.Message().find("ResultsSite="), std::string::npos) << e.Message();
  }
  EXPECT_EQ(s.Session.DrawsDownloadExecute().End, TDownloadEnd::Failed);
  ASSERT_EQ(s.Hooks.Messages.size(), 1u);
  EXPECT_EQ(s.Hooks.Messages[0].Text.rfind("Не задан адрес страницы результатов лотереи!", 0), 0u);
  // Nothing to ask about at start-up without the address.
  s.Session.StartupDownload();
  EXPECT_TRUE(s.Hooks.Questions.empty());
}

TEST(AppSessionAcquire, DownloadSavesRefreshesAndClosesTheWaitWindow) {
  TResultServer server(kHistory);
  TSession s(server.Site());
  const TDownloadResult r = s.Session.DownloadDraws();
  EXPECT_EQ(r.Added, 3);
  EXPECT_EQ(s.StoredDraws().size(), 3u);
  EXPECT_EQ(s.StoredDraws()[2].Date, "07/11/2014");
  EXPECT_TRUE(s.Changes & kChangeArchive);
  EXPECT_FALSE(s.Session.Busy());
  ASSERT_FALSE(s.WaitTexts.empty());
  EXPECT_EQ(s.WaitTexts.front(), "Загрузка архива тиражей...");
  EXPECT_EQ(s.WaitTexts.back(), "");
  EXPECT_EQ(s.Hooks.Statuses.back(), "");
  // The retry question carries the error title.
  server.FailFirst = 1;
  s.Session.SetToday(20140831);
  EXPECT_EQ(s.Session.DownloadDraws().End, TDownloadEnd::Failed);
  EXPECT_EQ(s.Titles, std::vector<std::string>{"Ошибка"});
  EXPECT_EQ(s.WaitTexts.back(), "");
}

TEST(AppSessionAcquire, StartUpDownloadFollowsTheSetting) {
  TResultServer server(kHistory);
  TSession s(server.Site());
  s.Session.StartupDownload();  // 0: ask, answered No
  ASSERT_EQ(s.Hooks.Questions.size(), 1u);
  EXPECT_EQ(s.Hooks.Questions[0],
            "Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее "
            "подключение к сети Интернет.");
  EXPECT_FALSE(s.Hooks.DefaultNo[0]);  // nothing is lost by Yes
  EXPECT_TRUE(server.Windows().empty());
  s.Session.SetDownloadDrawsOnStart(2);
  s.Session.StartupDownload();
  EXPECT_EQ(s.Hooks.Questions.size(), 1u);
  EXPECT_TRUE(server.Windows().empty());
  s.Session.SetDownloadDrawsOnStart(1);
  EXPECT_EQ(s.Session.FrmFile().ReadInteger("TFormMain", "DownloadDrawsOnStart", -1), 1);
  s.Session.StartupDownload();
  EXPECT_EQ(s.Hooks.Questions.size(), 1u);
  EXPECT_EQ(s.Session.Archive().Count(), 3);
}

TEST(AppSessionAcquire, LoadOnlyDownloadsAndEnds) {
  TResultServer server(kHistory);
  TSession s(server.Site());
  EXPECT_EQ(s.Session.Initialize(TCommandLine::Parse({"/LOADONLY"})), 0);
  EXPECT_EQ(s.StoredDraws().size(), 3u);
  EXPECT_TRUE(s.Hooks.Questions.empty());
  TSession failing("http://127.0.0.1:" + std::to_string(test::ClosedPort()));
  EXPECT_EQ(failing.Session.Initialize(TCommandLine::Parse({"loadonly"})), 1);
}

TEST(AppSessionAcquire, AddEditDeleteKeepTheFileInStep) {
  TSession s("", kHistory);
  TDrawRec d;
  d.Number = s.Session.Archive().NextDrawNumber(0);
  d.Balls = {1, 2, 3, 4};
  d.Extra = 5;
  d.Date = "08/01/2014";
  s.Session.AddDraw(d);
  EXPECT_EQ(s.StoredDraws().back().Number, 4);
  d.Balls = {9, 8, 7, 6};
  s.Session.EditDraw(0, d);
  EXPECT_EQ(s.StoredDraws().back().Balls, (std::array<uint8_t, 4>{9, 8, 7, 6}));
  EXPECT_THROW(s.Session.EditDraw(4, d), EVetrilo);

  s.Session.SetDrawsOffset(3);
  s.Hooks.Answer = false;
  EXPECT_FALSE(s.Session.DeleteDraws({0, 2}, true));
  EXPECT_EQ(s.Session.Archive().Count(), 4);
  EXPECT_EQ(s.Hooks.Questions.back(),
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_EQ(s.Titles.back(), "Предупреждение");
  EXPECT_TRUE(s.Hooks.DefaultNo.back());
  s.Hooks.Answer = true;
  EXPECT_TRUE(s.Session.DeleteDraws({0, 2}, true));
  const TDrawsArray stored = s.StoredDraws();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].Number, 1);
  EXPECT_EQ(stored[1].Number, 3);
  EXPECT_EQ(s.Session.DrawsOffset(), 1);  // clamped to the smaller archive
  EXPECT_EQ(s.Hooks.Statuses.back(), "");
}

TEST(AppSessionAcquire, CsvImportAndExport) {
  TSession s("", kHistory);
  const std::string out = s.Dir.File("draws.csv");
  s.Session.ExportDraws(out);
  EXPECT_EQ(ReadFile(out), DrawsCsvText(kHistory));
  EXPECT_EQ(s.Session.ImportDraws(out), 0);
  WriteFile(out, "\"08/01/2014\";1;2;3;4;5\r\n");
  EXPECT_EQ(s.Session.ImportDraws(out), 1);
  EXPECT_EQ(s.StoredDraws().back().Number, 4);
  EXPECT_NE(std::find(s.Hooks.Statuses.begin(), s.Hooks.Statuses.end(),
                      "Импорт тиражей из файла \"" + out + "\"..."),
            s.Hooks.Statuses.end());
  // A folder in place of the file: the read fails and nothing is imported.
  EXPECT_THROW(s.Session.ImportDraws(s.Dir.Path()), EVetrilo);
  EXPECT_THROW(s.Session.ExportDraws(s.Dir.Path()), EVetrilo);
  EXPECT_EQ(s.Session.Archive().Count(), 4);
  EXPECT_FALSE(s.Session.Busy());
}

TEST(AppSessionAcquire, ProxyDialogChoices) {
  TSession s;
  s.Session.ApplyProxySettings(2, " proxy.local ", 3128, "user", "pa;ss");
  TProxySettings back = TProxySettings::Load(s.Session.IniFile());
  EXPECT_EQ(back.Mode, 2);
  EXPECT_EQ(back.Server, "proxy.local");
  EXPECT_EQ(back.Password, "pa;ss");  // plain text, as existing files hold it
  s.Session.ApplyProxySettings(0, "proxy.local", 3128, "user", "pa;ss");
  back = TProxySettings::Load(s.Session.IniFile());
  EXPECT_EQ(back.Mode, 0);
  EXPECT_EQ(back.Server, "proxy.local");  // typed values stay stored
  s.Session.ApplyProxySettings(1, "proxy.local", 3128, "user", "pa;ss");
  back = TProxySettings::Load(s.Session.IniFile());
  EXPECT_EQ(back.Mode, 1);
  EXPECT_EQ(back.Server, "");
  EXPECT_EQ(back.Port, 0);
  EXPECT_EQ(back.Username, "");
  EXPECT_TRUE(s.Session.Proxy().Saved);
  // A stored server without a mode means the manual mode.
  WriteFile(s.Session.Paths().IniFile(), "[PROXY]\r\nProxyServer=p\r\n");
  EXPECT_EQ(TProxySettings::Load(s.Session.IniFile()).Mode, 2);
}

TEST(AppSessionAcquire, ResultSiteIsASetting) {
  TSession s;
  TSystemSettings settings = s.Session.SystemSettings();
  settings.ResultsSite = "ftp://x";
  EXPECT_THROW(s.Session.ApplySystemSettings(settings), EVetrilo);
  settings.ResultsSite = " http://127.0.0.1:9/ ";
  s.Session.ApplySystemSettings(settings);
  EXPECT_EQ(s.Session.ResultsSite(), "http://127.0.0.1:9/");
  EXPECT_EQ(s.Session.IniFile().ReadString("GLOBAL", "ResultsSite", ""), "http://127.0.0.1:9/");
  EXPECT_EQ(s.Session.SystemSettings().ResultsSite, "http://127.0.0.1:9/");
}

}  // namespace vetrilo
