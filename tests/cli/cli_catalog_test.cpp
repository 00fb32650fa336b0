#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "catalog/catalog_test_server.h"
#include "core/cp1251.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "scripts/script_file.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::TTempDir;

// One installation: a program folder whose settings name the user and the server.
struct TInstall {
  TInstall(const std::string& site, const std::string& name, const std::string& mail) {
    test::WriteFile(dir.File("Vetrilo_4d47.ini"), Utf8ToCp1251("[GLOBAL]\r\nCatalogSite=" + site +
                                                               "\r\n[CATALOG]\r\nUserName=" + name +
                                                               "\r\nUserMail=" + mail + "\r\n"));
  }
  test::TRunResult Cli(std::vector<std::string> words) const {
    words.insert(words.begin(), {VETRILO_CLI, "--dir", dir.Path(), "catalog"});
    return test::RunProgram(words);
  }
  TTempDir dir;
};

TEST(CliCatalog, SystemsArePublishedListedFetchedAndDeleted) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  const TInstall boris(server.Site(), "Борис", "boris@example.org");
  test::WriteFile(anna.dir.File("six.txt"), "1 2 3 4\r\n3,4,5,6\r\n1;2;5;6\r\nnot a line\r\n");

  const auto put = anna.Cli({"put-system", anna.dir.File("six.txt"), "--title",
                             "Шесть & семь=", "--descr", "3 если 4", "--olap", "3"});
  ASSERT_EQ(put.Status, 0) << put.Err;
  EXPECT_EQ(put.Out, "1\n");
  // The key was made once and kept.
  const std::string key = TIniData::Parse(test::ReadFile(anna.dir.File("Vetrilo_4d47.ini")))
                              .ReadString("CATALOG", "Key", "");
  EXPECT_EQ(key.size(), 32u);

  const auto list = boris.Cli({"systems"});
  ASSERT_EQ(list.Status, 0) << list.Err;
  const auto lines = SplitLines(list.Out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "Id\tНазвание\tАвтор\tЧисла\tБлок\tКомбинаций\tДата создания\tСтатус\tЗагрузок\t"
            "Последняя\tКомментарии\tСсылка");
  EXPECT_TRUE(lines[1].starts_with("1\tШесть & семь=\tАнна\t06\t3\t3\t")) << lines[1];

  const auto get = boris.Cli({"get-system", "1"});
  ASSERT_EQ(get.Status, 0) << get.Err;
  EXPECT_EQ(test::ReadFile(boris.dir.File("Systems/4-06-3_0001.dat")),
            "01 02 03 04\r\n03 04 05 06\r\n01 02 05 06\r\n");
  EXPECT_NE(boris.Cli({"systems"}).Out.find("\tЗагружена\t1\t"), std::string::npos);

  const auto refused = boris.Cli({"delete-system", "1"});
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Err.find("Вы можете удалять только свои системы!"), std::string::npos);
  EXPECT_EQ(anna.Cli({"delete-system", "1"}).Status, 0);
  EXPECT_EQ(SplitLines(boris.Cli({"systems"}).Out).size(), 1u);

  // A foreign key for the same address cannot write.
  const TInstall impostor(server.Site(), "Анна", "ANNA@example.org");
  const auto denied = impostor.Cli({"put-system", anna.dir.File("six.txt"), "--title", "x"});
  EXPECT_EQ(denied.Status, 1);
  EXPECT_NE(denied.Err.find("Ошибка сохранения системы #0!"), std::string::npos) << denied.Err;
  EXPECT_NE(denied.Err.find("уже используется другой установкой"), std::string::npos) << denied.Err;
}

TEST(CliCatalog, GetSystemReplacesASystemBuiltHereOnlyWhenAnsweredYes) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  test::WriteFile(anna.dir.File("six.txt"), "1 2 3 4\r\n3 4 5 6\r\n");
  ASSERT_EQ(
      anna.Cli({"put-system", anna.dir.File("six.txt"), "--title", "Шесть", "--olap", "3"}).Status,
      0);
  std::filesystem::create_directories(anna.dir.File("Systems"));
  const std::string built = anna.dir.File("Systems/4-06-2_0000.dat");
  test::WriteFile(built, "01 02 03 04\r\n");
  const std::string question =
      "Для 6 чисел сохранена система \"4-06-2_0000.dat\", построенная на этом компьютере.\n\n"
      "Заменить её загружаемой системой \"Шесть\"?";

  const auto kept = anna.Cli({"get-system", "1"});
  EXPECT_EQ(kept.Status, 3) << kept.Err;
  EXPECT_NE(kept.Err.find(question + " no\n"), std::string::npos) << kept.Err;
  EXPECT_EQ(kept.Out, "");
  EXPECT_EQ(test::ReadFile(built), "01 02 03 04\r\n");
  EXPECT_FALSE(std::filesystem::exists(anna.dir.File("Systems/4-06-3_0001.dat")));

  const auto replaced = anna.Cli({"get-system", "1", "--answer", "yes"});
  ASSERT_EQ(replaced.Status, 0) << replaced.Err;
  EXPECT_NE(replaced.Err.find(question + " yes\n"), std::string::npos) << replaced.Err;
  EXPECT_FALSE(std::filesystem::exists(built));
  EXPECT_EQ(test::ReadFile(anna.dir.File("Systems/4-06-3_0001.dat")),
            "01 02 03 04\r\n03 04 05 06\r\n");
  EXPECT_EQ(anna.Cli({"get-system", "1", "--answer", "maybe"}).Status, 2);
}

TEST(CliCatalog, ScriptsArePublishedRatedFetchedAndFailuresReported) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  const TInstall boris(server.Site(), "Борис", "boris@example.org");
  WriteScriptFile(anna.dir.File("my.lsc"), {"NUMS 1", "SUM 2"});

  const auto put =
      anna.Cli({"put-script", anna.dir.File("my.lsc"), "--title", "Мой", "--descr", "d"});
  ASSERT_EQ(put.Status, 0) << put.Err;
  EXPECT_EQ(put.Out, "1\n");
  const auto again = boris.Cli({"put-script", anna.dir.File("my.lsc"), "--title", "мой"});
  EXPECT_EQ(again.Status, 1);
  EXPECT_NE(again.Err.find("Сценарий с таким названием уже существует!"), std::string::npos);

  ASSERT_EQ(boris.Cli({"rate", "1", "4", "--notes", "годится"}).Status, 0);
  const auto list = boris.Cli({"scripts", "--filter", "4"});
  ASSERT_EQ(list.Status, 0) << list.Err;
  const auto rows = SplitLines(list.Out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_TRUE(rows[1].starts_with("1\tОбщий\tМой\tАнна\tVetrilo_4d47\t")) << rows[1];
  EXPECT_NE(rows[1].find("\t4.000\t1\t4\t"), std::string::npos) << rows[1];
  EXPECT_TRUE(SplitLines(anna.Cli({"scripts", "--filter", "2"}).Out).at(1).starts_with("1\tМой\t"));

  const auto get = boris.Cli({"get-script", "1"});
  EXPECT_EQ(get.Out, "NUMS 1\nSUM 2\n");
  EXPECT_EQ(boris.Cli({"delete-script", "1"}).Status, 1);
  EXPECT_EQ(anna.Cli({"delete-script", "1"}).Status, 0);
  EXPECT_EQ(SplitLines(boris.Cli({"scripts", "--filter", "0"}).Out).size(), 1u);

  const auto down = anna.Cli({"scripts", "--site", "http://127.0.0.1:1"});
  EXPECT_EQ(down.Status, 1);
  EXPECT_TRUE(down.Err.find("Ошибка загрузки каталога online-сценариев!") != std::string::npos)
      << down.Err;
  EXPECT_EQ(anna.Cli({"rate", "1", "7"}).Status, 2);
}

// The largest bodies the program sends: a system over 47 numbers and a long script.
TEST(CliCatalog, LargeSystemsAndScriptsArePublishedWhole) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  const TInstall boris(server.Site(), "Борис", "boris@example.org");
  // The first 3,000 combinations of 4 of 1..47 in order; they reach 47.
  std::string lines, stored;
  int count = 0;
  for (int a = 1; a <= 47 && count < 3000; ++a)
    for (int b = a + 1; b <= 47 && count < 3000; ++b)
      for (int c = b + 1; c <= 47 && count < 3000; ++c)
        for (int d = c + 1; d <= 47 && count < 3000; ++d, ++count) {
          char line[64];
          std::snprintf(line, sizeof line, "%d %d %d %d\r\n", a, b, c, d);
          lines += line;
          std::snprintf(line, sizeof line, "%02d %02d %02d %02d\r\n", a, b, c, d);
          stored += line;
        }
  test::WriteFile(anna.dir.File("big.txt"), lines);
  const auto put =
      anna.Cli({"put-system", anna.dir.File("big.txt"), "--title", "Большая", "--olap", "2"});
  ASSERT_EQ(put.Status, 0) << put.Err;
  EXPECT_EQ(put.Out, "1\n");
  const auto get = boris.Cli({"get-system", "1"});
  ASSERT_EQ(get.Status, 0) << get.Err;
  EXPECT_EQ(test::ReadFile(boris.dir.File("Systems/4-47-2_0001.dat")), stored);

  // 500 KB of script lines, now and then with the characters the escapes change.
  std::vector<std::string> script;
  std::string printed;
  size_t bytes = 0;
  for (int i = 0; bytes < 500 * 1024; ++i) {
    std::string line = "NUMS " + std::to_string(i % 47 + 1) + " SUM " +
                       std::to_string(60 + i % 50) + "-" + std::to_string(120 + i % 40) +
                       " ODD 1-3 EVEN 1-3";
    if (i % 100 == 0) line += " \"строка\" '№" + std::to_string(i) + "' ?";
    script.push_back(line);
    printed += line + "\n";
    bytes += line.size() + 2;
  }
  WriteScriptFile(anna.dir.File("big.lsc"), script);
  const auto publish = anna.Cli({"put-script", anna.dir.File("big.lsc"), "--title", "Длинный"});
  ASSERT_EQ(publish.Status, 0) << publish.Err;
  EXPECT_EQ(publish.Out, "1\n");
  const auto fetched = boris.Cli({"get-script", "1"});
  ASSERT_EQ(fetched.Status, 0) << fetched.Err;
  EXPECT_EQ(fetched.Out, printed);
}

// The installation key is the user's credential at the catalogue: reading the
// catalogue writes nothing, and a settings file that gets the key is private
// unless its owner chose otherwise.
TEST(CliCatalog, ReadsWriteNoSettingsAndTheKeyIsPrivate) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const auto mode = [](const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
  };
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  const std::string ini = anna.dir.File("Vetrilo_4d47.ini");
  ASSERT_EQ(::chmod(ini.c_str(), 0640), 0);
  const std::string before = test::ReadFile(ini);
  for (const char* read : {"systems", "scripts"}) {
    SCOPED_TRACE(read);
    const auto r = anna.Cli({read});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(test::ReadFile(ini), before);
  }
  // Without any settings file a read creates none.
  TTempDir bare;
  const auto list = test::RunProgram(
      {VETRILO_CLI, "--dir", bare.Path(), "catalog", "systems", "--site", server.Site()});
  ASSERT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(mode(bare.File("Vetrilo_4d47.ini")), -1);

  // A write makes the key: in a new file that is private, in an existing one
  // the owner's mode stays.
  test::WriteFile(anna.dir.File("six.txt"), "1 2 3 4\r\n3 4 5 6\r\n");
  ASSERT_EQ(anna.Cli({"put-system", anna.dir.File("six.txt"), "--title", "x"}).Status, 0);
  EXPECT_EQ(TIniData::Parse(test::ReadFile(ini)).ReadString("CATALOG", "Key", "").size(), 32u);
  EXPECT_EQ(mode(ini), 0640);
  const auto rate = test::RunProgram(
      {VETRILO_CLI, "--dir", bare.Path(), "catalog", "rate", "1", "3", "--site", server.Site()});
  EXPECT_EQ(rate.Status, 1);  // no e-mail to write for
  const std::string made = bare.File("Vetrilo_4d47.ini");
  EXPECT_EQ(mode(made), 0600);
  EXPECT_EQ(TIniData::Parse(test::ReadFile(made)).ReadString("CATALOG", "Key", "").size(), 32u);
}

}  // namespace
// A title from the catalogue is printed under the output's escaping rule: it
// can neither break the TSV nor drive the terminal.
TEST(CliCatalog, TitlesArePrintedEscaped) {
  TTempDir db;
  test::TCatalogTestServer server(db.File("c.db"));
  const TInstall anna(server.Site(), "Анна", "anna@example.org");
  WriteScriptFile(anna.dir.File("my.lsc"), {"NUMS 1"});
  const std::string title =
      "a\x1b[2Jb\tc\xC2\x9B"
      "d\\";
  const auto put = anna.Cli({"put-script", anna.dir.File("my.lsc"), "--title", title});
  ASSERT_EQ(put.Status, 0) << put.Err;
  const auto list = anna.Cli({"scripts", "--filter", "2"});
  ASSERT_EQ(list.Status, 0) << list.Err;
  const auto lines = SplitLines(list.Out);
  ASSERT_EQ(lines.size(), 2u) << list.Out;
  EXPECT_NE(lines[1].find("\ta\\x1b[2Jb\\tc\\x9bd\\\\\t"), std::string::npos) << lines[1];
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '\t'),
            std::count(lines[0].begin(), lines[0].end(), '\t'));
  EXPECT_EQ(list.Out.find('\x1b'), std::string::npos);
}

}  // namespace vetrilo
