#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>

#include "core/cp1251.h"
#include "core/draw_archive.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TRunFolder {
  TTempDir Dir;
  TRunFolder() {
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws({{1000, 5, 6, 7, 8, 1, "01/01/2020"},
                                              {1001, 1, 2, 40, 41, 2, "01/04/2020"},
                                              {1002, 3, 9, 4, 44, 3, "01/08/2020"}})));
  }
  test::TRunResult Run(const std::string& script, std::vector<std::string> words,
                       const std::vector<std::string>& env = {}) {
    WriteFile(Dir.File("s.lsc"), Utf8ToCp1251(script));
    words.insert(words.begin(), {VETRILO_CLI, "--dir", Dir.Path(), "script"});
    words.insert(words.begin() + 5, Dir.File("s.lsc"));
    return RunProgram(words, env);
  }
};

}  // namespace

TEST(CliScriptRun, PrintsTheStakesOfTheRunWithTheirMatches) {
  TRunFolder f;
  auto r = f.Run("FULL:0#FIRST| | | | | | | |x\r\n", {"test", "--draws", "2", "--seed", "1"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "1001\t1;2;3;4\t3\t178365\t2\t01.000: x @ FULL#FIRST\n"
            "-1\t\t0\t0\t-1\t\n"
            "1002\t1;2;3;4\t3\t178365\t2\t01.000: x @ FULL#FIRST\n"
            "# stakes made: 2\n# offset: 0\n");
  // A forecast is for the draw after the newest; "CLR" empties the file first.
  r = f.Run("FULL:0#LAST#CLR| | | | | | | |\r\n", {"forecast", "--offset", "1"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "-1\t\t0\t0\t-1\t\n#CLR\n"
            "1002\t44;45;46;47\t3\t178365\t1\t01.000: @ FULL#LAST\n"
            "# stakes made: 1\n# offset: 1\n");
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lsk")).size(), 304u);
}

TEST(CliScriptRun, ARunEndedByAnErrorOrAStopLineSaysWhy) {
  TRunFolder f;
  auto r = f.Run("CURR:0#STOP| | | | | | | |\r\n", {"forecast"});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Out,
            "# stakes made: 0\n# offset: 0\n"
            "# Внимание!: Выполнение сценария прервано, т.к. после применения всех фильтров в "
            "списке комбинаций их осталось более одной: 178365!\\r\\rФильтры: 01.000: @ "
            "CURR#STOP\n");
  r = f.Run("FULL:0#FIRST| | | | | | | |\r\nFULL:0#FIRST|TSD1#NUMS:x#LNO:#SF:1| | | | | |\r\n",
            {"test", "--draws", "2"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Out.substr(r.Out.find("# stakes")),
            "# stakes made: 1\n# offset: 2\n"
            "# Ошибка: Некорректное описание фильтра: TSD1#NUMS:x#LNO:#SF:1!\n");

  for (const auto& words : std::vector<std::vector<std::string>>{{"test"},
                                                                 {"forecast", "--draws", "2"},
                                                                 {"test", "--draws", "3"},
                                                                 {"forecast", "--offset", "3"}}) {
    r = f.Run("FULL:0#FIRST| | | | | | | |\r\n", words);
    EXPECT_EQ(r.Status, 2) << words.back();
    EXPECT_TRUE(r.Out.empty());
  }
  r = RunProgram({VETRILO_CLI, "--dir", f.Dir.Path(), "script", "forecast", f.Dir.Path()});
  EXPECT_EQ(r.Status, 2);
}

TEST(CliScriptRun, AKilledRunHasPrintedTheStakesItMade) {
  // 20 variants, one stake each, at two offsets; the process is killed at a file
  // write part-way through.
  const std::string script = "FULL:0#FIRST|TMF1#NUMS:1-20;1#LNO:#ST:1| | | | | |\r\n";
  const std::vector<std::string> words = {"test", "--draws", "2", "--seed", "1"};
  std::string whole;
  {
    TRunFolder f;
    const auto r = f.Run(script, words);
    ASSERT_EQ(r.Status, 0) << r.Err;
    whole = r.Out;
    ASSERT_TRUE(whole.ends_with("# stakes made: 40\n# offset: 0\n")) << whole;
  }
  TRunFolder f;
  const auto r = f.Run(script, words, {"VETRILO_FILE_FAULT=100:KILL"});
  ASSERT_EQ(r.Status, 128 + SIGKILL) << r.Err;
  // Whole records, in the order of the full run, as far as it got.
  ASSERT_FALSE(r.Out.empty());
  EXPECT_TRUE(r.Out.ends_with("\n"));
  EXPECT_TRUE(whole.starts_with(r.Out)) << r.Out;
  EXPECT_EQ(r.Out.find("# stakes made"), std::string::npos) << r.Out;
  EXPECT_GE(std::count(r.Out.begin(), r.Out.end(), '\n'), 4) << r.Out;
}

}  // namespace vetrilo
