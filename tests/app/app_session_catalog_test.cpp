#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/app_session.h"
#include "catalog/catalog_test_server.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/result_server.h"
#include "scripts/script_file.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

// A program folder whose settings point at a catalogue server.
struct TCatalogSession {
  TCatalogSession(const std::string& site, const std::string& mail = "anna@example.org") {
    WriteFile(Dir.File("Vetrilo_4d47.ini"),
              Utf8ToCp1251("[GLOBAL]\r\nCatalogSite=" + site +
                           "\r\n[CATALOG]\r\nUserName=Анна\r\nUserMail=" + mail + "\r\n"));
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(test::MakeDraws({{1000, 1, 2, 3, 4, 1, "01/01/2020"}})));
    Session.LoadOptions();
    EXPECT_EQ(Session.Initialize(TCommandLine{}), -1);
    Hooks.Messages.clear();
  }
  std::string LastMessage() const {
    return Hooks.Messages.empty() ? "" : Hooks.Messages.back().Text;
  }

  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
};

tSystemData System(const std::string& title, int nums, const std::string& clist, int csize) {
  tSystemData d;
  d.Title = title;
  d.Descr = "d";
  d.Author = "Анна";
  d.AuthorMail = "anna@example.org";
  d.Nums = uint8_t(nums);
  d.Olap = 3;
  d.CList = clist;
  d.CSize = csize;
  return d;
}

TEST(AppSessionCatalog, SystemsPageOperationsAndSystemPlay) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  TCatalogSession anna(server.Site());
  TCatalogSession boris(server.Site(), "boris@example.org");

  EXPECT_EQ(anna.Session.AddSystem(System("Шесть", 6, "01 02 05 06\r\n03 04 05 06", 2)), 0);
  EXPECT_EQ(anna.Session.AddSystem(System("Шесть-2", 6, "01 02 03 04", 1)), 1);
  ASSERT_TRUE(anna.Hooks.Messages.empty()) << anna.LastMessage();
  EXPECT_EQ(boris.Session.LoadSystems(2), 1);
  ASSERT_EQ(boris.Session.Systems().size(), 2u);
  EXPECT_FALSE(boris.Session.SystemOwn(0));
  EXPECT_TRUE(anna.Session.SystemOwn(0));

  // Someone else's system is not deleted, and nothing is asked.
  EXPECT_FALSE(boris.Session.DeleteSystem(0));
  EXPECT_EQ(boris.LastMessage(), "Вы можете удалять только свои системы!");
  EXPECT_TRUE(boris.Hooks.Questions.empty());

  // No system on disk: system play fails with the lookup's message and stakes nothing.
  boris.Session.PasteCombs("01 02 03 10\r\n01 02 04 05");
  ASSERT_EQ(boris.Session.Combs().Count(), 2);
  const int64_t before = boris.Session.StakeBook().File.Count();
  auto accept = [](int32_t&, std::string& comment, int&) {
    EXPECT_EQ(comment, "Системная игра для 6 чисел [комбинации]: 4-06-3_0001");
    return true;
  };
  EXPECT_FALSE(boris.Session.StakeSystem(false, accept));
  EXPECT_NE(boris.LastMessage().find("Система для 6 чисел не найдена"), std::string::npos);
  EXPECT_EQ(boris.Session.StakeBook().File.Count(), before);

  // Downloading the first, then the second of the same size keeps only the second.
  EXPECT_TRUE(boris.Session.DownloadSystems({0}));
  EXPECT_TRUE(boris.Session.SystemDownloaded(0));
  EXPECT_TRUE(boris.Session.DownloadSystems({1}));
  EXPECT_FALSE(boris.Session.SystemDownloaded(0));
  EXPECT_TRUE(boris.Session.SystemDownloaded(1));
  EXPECT_TRUE(boris.Session.DownloadSystems({0}));

  // The numbers 1, 2, 3, 10, 4, 5: the line 01 02 05 06 is 1 2 4 5, which is in the list.
  EXPECT_TRUE(boris.Session.StakeSystem(false, accept));
  const TStakeFile& file = boris.Session.StakeBook().File;
  ASSERT_EQ(file.Count(), before + 1);
  const TStakeRec rec = file.Read(2, -1);
  EXPECT_EQ(rec.Kind, kStakeSystem);
  EXPECT_EQ(rec.SampleSize, 2);
  EXPECT_EQ(rec.Numbers, (std::array<uint8_t, 4>{1, 2, 4, 5}));
  // The whole system: a separator, then both lines.
  EXPECT_TRUE(boris.Session.StakeSystem(true, [](int32_t& draw, std::string&, int&) {
    draw = 1005;
    return true;
  }));
  ASSERT_EQ(file.Count(), before + 4);
  EXPECT_EQ(file.Read(2, -1).SampleSize, 2);
  EXPECT_EQ(file.Read(2, -1).DrawNumber, 1005);
  EXPECT_FALSE(boris.Session.StakeSystem(true, [](int32_t&, std::string&, int&) { return false; }));
  EXPECT_EQ(file.Count(), before + 4);

  // The author deletes after Yes; the local copy elsewhere is the other user's business.
  anna.Hooks.Answer = true;
  ASSERT_EQ(anna.Session.LoadSystems(), -1);
  EXPECT_TRUE(anna.Session.DeleteSystem(0));
  EXPECT_EQ(anna.Hooks.Questions.back(), "Вы действительно хотите удалить систему \"Шесть\"?");
  EXPECT_TRUE(anna.Hooks.DefaultNo.back());
  EXPECT_EQ(anna.Session.Systems().size(), 1u);

  // Hiding the page clears the list and is stored.
  anna.Session.SetSystemsEnabled(false);
  EXPECT_TRUE(anna.Session.Systems().empty());
  EXPECT_NE(test::ReadFile(anna.Dir.File("Vetrilo_4d47.frm")).find("SystemsEnabled=0"),
            std::string::npos);
}

std::vector<std::string> SystemFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A system built here exists nowhere else: a download for its count asks first,
// and whichever is kept is the only file for that count.
TEST(AppSessionCatalog, DownloadOverASystemBuiltHereAsksFirst) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  TCatalogSession anna(server.Site());
  ASSERT_EQ(
      anna.Session.AddSystem(System("Десять", 10, "01 02 03 04\r\n05 06 07 08\r\n07 08 09 10", 3)),
      0);
  const std::string systems = anna.Dir.File("Systems");
  const std::string built = "4-10-3_0000.dat";
  const struct {
    bool Answer;
    std::vector<std::string> Kept;
  } cases[] = {
      {false, {built, "4-11-3_0000.dat"}},
      {true, {"4-10-3_0001.dat", "4-11-3_0000.dat"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Answer);
    std::filesystem::remove_all(systems);
    std::filesystem::create_directories(systems);
    WriteFile(JoinPath(systems, built), "01 02 03 04\r\n");
    WriteFile(JoinPath(systems, "4-11-3_0000.dat"), "01 02 03 04\r\n");  // another count stays
    anna.Hooks.Questions.clear();
    anna.Hooks.Answer = c.Answer;
    EXPECT_EQ(anna.Session.DownloadSystems({0}), c.Answer);
    ASSERT_EQ(anna.Hooks.Questions.size(), 1u);
    EXPECT_EQ(anna.Hooks.Questions[0],
              "Для 10 чисел сохранена система \"4-10-3_0000.dat\", построенная на этом "
              "компьютере.\r\rЗаменить её загружаемой системой \"Десять\"?");
    EXPECT_EQ(SystemFiles(systems), c.Kept);
    EXPECT_EQ(anna.Session.SystemDownloaded(0), c.Answer);
  }
  EXPECT_TRUE(anna.Hooks.Messages.empty()) << anna.LastMessage();

  // A catalogue file no longer listed goes without a question.
  std::filesystem::remove_all(systems);
  std::filesystem::create_directories(systems);
  WriteFile(JoinPath(systems, "4-10-1_0042.dat"), "01 02 03 04\r\n");
  anna.Hooks.Questions.clear();
  EXPECT_TRUE(anna.Session.DownloadSystems({0}));
  EXPECT_TRUE(anna.Hooks.Questions.empty());
  EXPECT_EQ(SystemFiles(systems), std::vector<std::string>{"4-10-3_0001.dat"});
}

TEST(AppSessionCatalog, FailuresLeaveTheListsEmptyWithThePagesMessages) {
  TCatalogSession s("http://127.0.0.1:" + std::to_string(test::ClosedPort()));
  EXPECT_EQ(s.Session.LoadSystems(), -1);
  EXPECT_TRUE(s.Session.Systems().empty());
  EXPECT_EQ(s.LastMessage().rfind("Ошибка загрузки списка систем!\r\r", 0), 0u);
  EXPECT_EQ(s.Session.LoadOnlineScripts(), -1);
  EXPECT_EQ(s.LastMessage().rfind("Ошибка загрузки каталога online-сценариев!\r\r", 0), 0u);
  const size_t shown = s.Hooks.Messages.size();
  // At start-up the same failures are quiet; the systems list shows its placeholder.
  s.Session.LoadSystems(0, true);
  s.Session.LoadOnlineScripts(0, true);
  EXPECT_EQ(s.Hooks.Messages.size(), shown);
  ASSERT_EQ(s.Session.Systems().size(), 1u);
  EXPECT_EQ(s.Session.Systems()[0].Title, "Список систем не доступен!");
  EXPECT_EQ(s.Session.AddSystem(System("x", 5, "01 02 03 04", 1)), -1);
  EXPECT_EQ(
      s.LastMessage().rfind("Ошибка добавления системы!\r\rОшибка сохранения системы #0!\r\r", 0),
      0u);
  EXPECT_EQ(s.Session.Systems().size(), 1u);
}

TEST(AppSessionCatalog, ScriptCatalogueOperations) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  TCatalogSession anna(server.Site());
  TCatalogSession boris(server.Site(), "boris@example.org");
  anna.Session.AddScriptLine("NUMS 1");
  tScriptData data = anna.Session.NewOnlineScriptData();
  EXPECT_EQ(data.Author, "Анна");
  EXPECT_EQ(anna.Session.CheckOnlineScriptData(data),
            "Название сценария должно быть указано обязательно!");
  data.Title = "Мой";
  EXPECT_EQ(anna.Session.CheckOnlineScriptData(data), "");
  EXPECT_EQ(anna.Session.PublishOnlineScript(data), 0);
  EXPECT_EQ(boris.Session.CheckOnlineScriptData(data),
            "Сценарий с таким названием уже существует!\rВыберите другое название.");

  boris.Session.SetScriptLibraryFilter(3);  // "Только мои"
  EXPECT_TRUE(boris.Session.OnlineScripts().empty());
  boris.Session.SetScriptLibraryFilter(2);
  ASSERT_EQ(boris.Session.OnlineScripts().size(), 1u);
  EXPECT_TRUE(boris.Session.DownloadOnlineScript(0));
  EXPECT_EQ(boris.Session.Script(), std::vector<std::string>{"NUMS 1"});
  EXPECT_EQ(ReadScriptFile(boris.Session.ScriptAutosaveFile()), std::vector<std::string>{"NUMS 1"});
  EXPECT_FALSE(boris.Session.DeleteOnlineScript(0));  // not editable: nothing asked
  EXPECT_TRUE(boris.Hooks.Questions.empty());
  EXPECT_TRUE(boris.Session.RateOnlineScript(0, 5, "отлично"));
  EXPECT_EQ(boris.Session.OnlineScripts().at(0).RatingYou, 5);
  const auto rates = anna.Session.OnlineScriptRates(0);
  ASSERT_TRUE(rates.has_value());
  ASSERT_EQ(rates->size(), 1u);
  EXPECT_EQ(rates->at(0).Notes, "отлично");
  EXPECT_TRUE(boris.Session.RateOnlineScript(0, -1, ""));
  EXPECT_TRUE(boris.Session.OnlineScripts().empty());  // hidden from "all but hidden"

  anna.Hooks.Answer = true;
  EXPECT_TRUE(anna.Session.DeleteOnlineScript(0));
  EXPECT_EQ(anna.Hooks.Questions.back(), "Вы действительно хотите удалить сценарий \"Мой\"?");
  EXPECT_TRUE(anna.Hooks.DefaultNo.back());
  EXPECT_TRUE(anna.Session.OnlineScripts().empty());
  anna.Session.SetScriptLibraryOn(false);
  EXPECT_TRUE(anna.Session.OnlineScripts().empty());
  ASSERT_TRUE(anna.Hooks.Messages.empty()) << anna.LastMessage();
}

}  // namespace
}  // namespace vetrilo
