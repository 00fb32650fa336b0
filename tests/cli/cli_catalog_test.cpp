#include <gtest/gtest.h>

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
    test::WriteFile(dir.File("Vetrilo_4d47.ini"),
                    Utf8ToCp1251("[GLOBAL]\r\nCatalogSite=" + site + "\r\n[CATALOG]\r\nUserName=" +
                                 name + "\r\nUserMail=" + mail + "\r\n"));
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

  const auto put = anna.Cli({"put-system", anna.dir.File("six.txt"), "--title", "Шесть & семь=",
                             "--descr", "3 если 4", "--olap", "3"});
  ASSERT_EQ(put.Status, 0) << put.Err;
  EXPECT_EQ(put.Out, "1\n");
  // The key was made once and kept.
  const std::string key =
      TIniData::Parse(test::ReadFile(anna.dir.File("Vetrilo_4d47.ini"))).ReadString("CATALOG", "Key", "");
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

  const auto put = anna.Cli({"put-script", anna.dir.File("my.lsc"), "--title", "Мой", "--descr", "d"});
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

}  // namespace
}  // namespace vetrilo
