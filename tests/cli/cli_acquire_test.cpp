#include <gtest/gtest.h>

#include "acquire/draws_csv.h"
#include "core/draw_archive.h"
#include "net/result_server.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::RunProgram;
using test::TResultServer;
using test::TTempDir;
using test::WriteFile;

namespace {

const TDrawsArray kHistory = MakeDraws({{1, 5, 17, 23, 40, 9, "07/04/2014"},
                                        {2, 1, 2, 3, 4, 5, "07/08/2014"},
                                        {3, 6, 7, 8, 9, 10, "07/11/2014"}});

test::TRunResult Cli(const TTempDir& dir, std::vector<std::string> words) {
  words.insert(words.begin(), {VETRILO_CLI, "--dir", dir.Path()});
  return RunProgram(words);
}

TDrawsArray Stored(const TTempDir& dir) {
  return ParseDrawRecords(ReadFile(dir.File("Vetrilo_4d47.ldr")));
}

}  // namespace

TEST(CliAcquire, ParsePagePrintsTheNewDrawsOrThePageError) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws({{7, 1, 2, 3, 4, 5, "07/04/2014"}})));
  WriteFile(dir.File("page.html"), test::ResultsPage(kHistory));
  const auto r = Cli(dir, {"parse-page", dir.File("page.html")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "Number,1,2,3,4,E,Date\n8,1,2,3,4,5,07/08/2014\n9,6,7,8,9,10,07/11/2014\n");
  WriteFile(dir.File("bad.html"), "<section class=\"winningNumbersResults\">no footer");
  const auto bad = Cli(dir, {"parse-page", dir.File("bad.html")});
  EXPECT_EQ(bad.Status, 2);
  EXPECT_NE(bad.Err.find("Не удалось найти пару идентификаторов"), std::string::npos) << bad.Err;
}

TEST(CliAcquire, DownloadAgainstTheResultSite) {
  TResultServer server(kHistory);
  TTempDir dir;
  const auto none = Cli(dir, {"download"});
  EXPECT_EQ(none.Status, 2);
  EXPECT_NE(none.Err.find("ResultsSite="), std::string::npos) << none.Err;
  WriteFile(dir.File("Vetrilo_4d47.ini"), "[GLOBAL]\r\nResultsSite=" + server.Site() + "\r\n");
  const auto r = Cli(dir, {"download", "--today", "20140731"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Загрузка тиражей 07/04/2014 - 07/31/2014..."), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("total 3"), std::string::npos) << r.Err;
  EXPECT_EQ(Stored(dir).size(), 3u);
  const auto again = Cli(dir, {"download", "--today", "20140731"});
  EXPECT_EQ(again.Status, 0);
  EXPECT_NE(again.Err.find("total 0"), std::string::npos);
  server.FailFirst = 1;
  const auto failed = Cli(dir, {"download", "--today", "20140831"});
  EXPECT_EQ(failed.Status, 2);
  server.FailFirst = 1;
  const auto retried = Cli(dir, {"download", "--today", "20140831", "--answer", "yes"});
  EXPECT_EQ(retried.Status, 0) << retried.Err;
}

TEST(CliAcquire, DownloadFromAServerIgnoringTheDatesStoresNoDrawTwice) {
  const TDrawsArray stored = MakeDraws({{1, 1, 2, 3, 4, 5, "07/04/2014"},
                                        {2, 5, 6, 7, 8, 9, "07/08/2014"},
                                        {3, 9, 10, 11, 12, 13, "07/11/2014"},
                                        {4, 13, 14, 15, 16, 17, "07/15/2014"},
                                        {5, 17, 18, 19, 20, 1, "07/18/2014"},
                                        {6, 21, 22, 23, 24, 2, "07/22/2014"}});
  TDrawsArray listed = stored;
  for (const TDrawRec& d :
       MakeDraws({{7, 25, 26, 27, 28, 3, "07/25/2014"}, {8, 29, 30, 31, 32, 4, "07/29/2014"}})) {
    listed.push_back(d);
  }
  TResultServer server(listed);
  server.Mode = TResultServer::TMode::IgnoreWindow;
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ini"), "[GLOBAL]\r\nResultsSite=" + server.Site() + "\r\n");
  WriteFile(dir.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(stored));
  const auto r = Cli(dir, {"download", "--today", "20141231"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Сервер вернул только тиражи до 07/30/2014: он не учитывает запрошенные "
                       "даты, загрузка остановлена"),
            std::string::npos)
      << r.Err;
  EXPECT_NE(r.Err.find("total 2"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47.ldr")), SerializeDrawRecords(listed));
}

TEST(CliAcquire, CsvBothWays) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(kHistory));
  ASSERT_EQ(Cli(dir, {"csv-export", dir.File("out.csv")}).Status, 0);
  EXPECT_EQ(ReadFile(dir.File("out.csv")), DrawsCsvText(kHistory));
  WriteFile(dir.File("in.csv"), "\"08/01/2014\";1;2;3;4;5\r\n2;\"x\";1;2;3;4;5\r\n");
  const auto r = Cli(dir, {"csv-import", dir.File("in.csv")});
  EXPECT_EQ(r.Status, 0);
  EXPECT_NE(r.Err.find("imported 1"), std::string::npos) << r.Err;
  EXPECT_EQ(Stored(dir).back().Number, 4);
  EXPECT_EQ(Cli(dir, {"csv-import", dir.Path()}).Status, 2);
  EXPECT_EQ(Cli(dir, {"csv-import", dir.File("missing.csv")}).Status, 2);
}

TEST(CliAcquire, DrawCommandsAndRefusals) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(kHistory));
  ASSERT_EQ(Cli(dir, {"draw", "add", "--numbers", "5;17;23;40;9", "--date", "08/01/2014"}).Status,
            0);
  EXPECT_EQ(Stored(dir).back().Number, 4);
  EXPECT_EQ(Stored(dir).back().Date, "08/01/2014");
  const std::string before = ReadFile(dir.File("Vetrilo_4d47.ldr"));
  struct TCase {
    std::vector<std::string> Words;
    std::string Message;
  };
  const TCase refused[] = {
      {{"draw", "add", "--numbers", "5,17,17,40,9", "--date", "08/01/2014"},
       "Введена некорректная комбинация!"},
      {{"draw", "add", "--numbers", "5;17;23;48;9", "--date", "08/01/2014"},
       "Введена некорректная комбинация!"},
      {{"draw", "add", "--numbers", "5;17;23;40;18", "--date", "08/01/2014"},
       "Введена некорректная комбинация!"},
      {{"draw", "add", "--numbers", "5;17;23;40;9", "--date", "02/30/2014"}, "--date"},
      {{"draw", "add", "--numbers", "5;17;23;40;9", "--date", "08/01/2014", "--number", "0"},
       "--number"},
      {{"draw", "edit", "--row", "4", "--numbers", "1;2;3;4;5"},
       "Запись со индексом -1 в файле данных не найдена!"},
      {{"draw", "delete", "--rows", "0,9"}, "Запись со индексом -6 в файле данных не найдена!"},
  };
  for (const TCase& c : refused) {
    SCOPED_TRACE(c.Words[1] + " " + c.Words[3]);
    const auto r = Cli(dir, c.Words);
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
    EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47.ldr")), before);
  }
  ASSERT_EQ(
      Cli(dir, {"draw", "edit", "--row", "3", "--numbers", "9;8;7;6;5", "--number", "100"}).Status,
      0);
  EXPECT_EQ(Stored(dir)[0].Number, 100);
  EXPECT_EQ(Stored(dir)[0].Balls, (std::array<uint8_t, 4>{9, 8, 7, 6}));
  EXPECT_EQ(Stored(dir)[0].Date, "07/04/2014");
  ASSERT_EQ(Cli(dir, {"draw", "delete", "--rows", "0,2"}).Status, 0);
  const TDrawsArray left = Stored(dir);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].Number, 100);
  EXPECT_EQ(left[1].Number, 3);
}

TEST(CliAcquire, DownloadGivesUpAfterFiveFailuresWhateverTheAnswer) {
  TResultServer server(kHistory);
  server.FailFirst = 1000000;
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ini"), "[GLOBAL]\r\nResultsSite=" + server.Site() + "\r\n");
  // A second of the pauses lasts 1 ms here.
  const auto r = test::RunProgram(
      {VETRILO_CLI, "--dir", dir.Path(), "download", "--today", "20140731", "--answer", "yes"},
      {"VETRILO_RETRY_PAUSE_MS=1"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(server.Windows().size(), 5u);
  const std::string question =
      "Ошибка загрузки архива тиражей с сайта: \"HTTP/1.1 500 Internal Server Error\"\n\n"
      "Повторить попытку? yes";
  size_t questions = 0;
  for (size_t at = r.Err.find(question); at != std::string::npos;
       at = r.Err.find(question, at + 1)) {
    ++questions;
  }
  EXPECT_EQ(questions, 4u) << r.Err;
  size_t last = 0;
  for (int seconds : {1, 2, 4, 8}) {
    const size_t at =
        r.Err.find("Повторная попытка через " + std::to_string(seconds) + " с...", last);
    ASSERT_NE(at, std::string::npos) << seconds << "\n" << r.Err;
    last = at;
  }
  EXPECT_NE(r.Err.find("Ошибка: Ошибка загрузки архива тиражей с сайта: \"HTTP/1.1 500 Internal "
                       "Server Error\"\n"),
            std::string::npos)
      << r.Err;
  EXPECT_TRUE(Stored(dir).empty());
}

}  // namespace vetrilo
