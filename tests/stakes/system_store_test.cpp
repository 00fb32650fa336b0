#include "stakes/system_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/game.h"
#include "test_paths.h"
#include "test_support.h"
#include "workspace/comb_file.h"

namespace vetrilo {
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

std::vector<std::string> CombTexts(const TCombsArray& combs) {
  std::vector<std::string> texts;
  for (const TComb comb : combs) texts.push_back(CombListText(comb));
  return texts;
}

const std::vector<uint8_t> kSix = {1, 2, 3, 10, 4, 5};

}  // namespace

TEST(SystemStore, CollectsNumbersInOrderOfFirstAppearanceEachCombinationAscending) {
  EXPECT_EQ(CollectNumbers(TCombsArray{MakeComb(1, 2, 3, 10), MakeComb(1, 2, 4, 5)}), kSix);
  // A combination read from text keeps its order; it is collected ascending.
  EXPECT_EQ(CollectNumbers(TCombsArray{MakeComb(40, 7, 3, 9), MakeComb(9, 1, 40, 2)}),
            (std::vector<uint8_t>{3, 7, 9, 40, 1, 2}));
  EXPECT_TRUE(CollectNumbers(TCombsArray{}).empty());
  EXPECT_EQ(CollectNumbers(FullSet()).size(), 47u);
  EXPECT_EQ(SystemFileName(12, 2, 317), "4-12-2_0317.dat");
}

TEST(SystemStore, LinesBecomeCombinationsOfTheCollectedNumbers) {
  TTempDir dir;
  // Any run of the separators splits; blank lines are no combination; any line end.
  WriteFile(dir.File("4-06-2_0001.dat"),
            "01 02 05 06\r\n3*4+5,6\n\r\n1 - 2..3~4\r2=3\\4_5|;:/\r\n");
  const TFoundSystem system = FindSystem(dir.Path(), kSix);
  EXPECT_EQ(system.Name, "4-06-2_0001");
  EXPECT_EQ(CombTexts(system.Combs),
            (std::vector<std::string>{"1;2;4;5", "3;4;5;10", "1;2;3;10", "2;3;4;10"}));
}

TEST(SystemStore, TheFirstMatchingFileByNameIsUsed) {
  TTempDir dir;
  WriteFile(dir.File("4-06-1_0009.dat"), "1 2 3 4\r\n");
  WriteFile(dir.File("4-06-0_0100.DAT"), "3 4 5 6\r\n");
  // Not for 6 numbers, or not of the file mask: never read.
  WriteFile(dir.File("4-6-0_0001.dat"), "x\r\n");
  WriteFile(dir.File("4-06-0.dat"), "x\r\n");
  WriteFile(dir.File("4-06-0_0001.txt"), "x\r\n");
  WriteFile(dir.File("5-06-0_0001.dat"), "x\r\n");
  WriteFile(dir.File("4-16-0_0001.dat"), "x\r\n");
  std::filesystem::create_directory(dir.File("4-06-0_0000.dat"));
  const TFoundSystem system = FindSystem(dir.Path(), kSix);
  EXPECT_EQ(system.Name, "4-06-0_0100");
  EXPECT_EQ(CombTexts(system.Combs), (std::vector<std::string>{"3;4;5;10"}));
}

TEST(SystemStore, MissingSystemAndBadLinesFailWithTheirMessages) {
  TTempDir dir;
  try {
    FindSystem(dir.File("Systems"), kSix);
    FAIL() << "no system folder";
  } catch (const ESystemNotFound& e) {
    EXPECT_EQ(e.Message(), "Система для 6 чисел не найдена или не загружена на компьютер!");
    EXPECT_EQ(e.ShownText(),
              "Система для 6 чисел не найдена или не загружена на компьютер!\r\rПеред системной "
              "игрой необходимо предварительно загрузить системы на Ваш компьютер через меню "
              "\"Системы\" - \"Загрузить\".");
  }
  WriteFile(dir.File("4-05-0_0001.dat"), "1 2 3 4\r\n");
  EXPECT_THROW(FindSystem(dir.Path(), kSix), ESystemNotFound);

  const struct {
    const char* Line;
    const char* Reason;
  } cases[] = {
      {"1 2 3 7", "в строке \"1 2 3 7\" позиция \"7\" вне диапазона 1..6"},
      {"0 1 2 3", "в строке \"0 1 2 3\" позиция \"0\" вне диапазона 1..6"},
      {"1 2 3", "в строке \"1 2 3\" 3 чисел вместо 4"},
      {"1 2 3 4 5", "в строке \"1 2 3 4 5\" 5 чисел вместо 4"},
      {"1 2 a 4", "в строке \"1 2 a 4\" позиция \"a\" вне диапазона 1..6"},
      {"1 2 2 4", "в строке \"1 2 2 4\" позиция 2 повторяется"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Line);
    WriteFile(dir.File("4-06-0_0001.dat"), std::string("1 2 3 4\r\n") + c.Line + "\r\n");
    try {
      FindSystem(dir.Path(), kSix);
      ADD_FAILURE() << "read";
    } catch (const ESystemNotFound&) {
      ADD_FAILURE() << "not found";
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message(), std::string("Ошибка загрузки комбинаций системы!\r\r") + c.Reason);
    }
  }
}

TEST(CliSystem, LookupPrintsTheNameAndTheCombinations) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("Systems"));
  WriteFile(dir.File("Systems/4-06-2_0007.dat"), "01 02 05 06\r\n01 02 03 04\r\n");
  WriteFile(dir.File("list.lcv"), "1;2;3;10\r\n5;4;2;1\r\n");
  const std::string expected = "4-06-2_0007\n1;2;4;5\n1;2;3;10\n";
  auto run = RunProgram(
      {VETRILO_CLI, "--dir", dir.Path(), "system", "lookup", "6", "--combs", dir.File("list.lcv")});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, expected);
  run = RunProgram(
      {VETRILO_CLI, "--dir", dir.Path(), "system", "lookup", "6", "--numbers", "1,2,3,10,4,5"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, expected);

  const std::vector<std::vector<std::string>> refused = {
      {"lookup", "7", "--numbers", "1,2,3,10,4,5,6"},  // no system for 7
      {"lookup", "5", "--numbers", "1,2,3,10,4,5"},    // N is not the count
      {"lookup", "6", "--numbers", "1,2,3,10,4,4"},
      {"lookup", "6", "--numbers", "1,2,3,10,4,48"},
      {"lookup", "6"},
      {"lookup", "6", "--combs", "missing.lcv"},
  };
  for (const auto& words : refused) {
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path(), "system"};
    argv.insert(argv.end(), words.begin(), words.end());
    run = RunProgram(argv);
    SCOPED_TRACE(words[1]);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty());
  }
  run = RunProgram(
      {VETRILO_CLI, "--dir", dir.Path(), "system", "lookup", "7", "--numbers", "1,2,3,10,4,5,6"});
  EXPECT_EQ(run.Err,
            "vetrilo-cli: Система для 7 чисел не найдена или не загружена на компьютер!\n");
}

}  // namespace vetrilo
