// Generation modes and the combination file in both directions.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/combinatorics.h"
#include "core/errors.h"
#include "test_support.h"
#include "workspace/comb_file.h"
#include "workspace/comb_generate.h"

namespace vetrilo {
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

TEST(CombGenerate, ModesKeepTheExpectedCountsAndMatchTheLiteralWalk) {
  struct TCase {
    int Mode;
    std::string Numbers;
    size_t Expected;
  };
  const TCase cases[] = {
      {0, "", 178365},
      {0, "1;2", 178365},                    // mode 0 ignores the numbers
      {1, "1;2", 178365 - Binomial(45, 4)},  // 29,370
      {1, "", 0},                            // any of nothing
      {1, " 7 ", 15180},                     // words are trimmed
      {1, "7,x,300", 15180},                 // x reads 0, 300 is ignored: only 7 can match
      {2, "1;2;3;4;5", 5},                   // C(5,4)
      {2, "1;2;3", 0},
      {2, "", 0},
      {3, "", 178365},  // none of nothing
      {3, "47", 178365 - 15180},
      {3, "1,2;3", Binomial(44, 4)},
      {9, "1", 178365},  // an unknown stored mode makes the full set
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Mode) + " " + c.Numbers);
    TCombsArray fast, literal;
    GenerateFromFullSet(c.Mode, ParseGenerateNumbers(c.Numbers), fast);
    GenerateFromFullSetLiteral(c.Mode, ParseGenerateNumbers(c.Numbers), literal);
    EXPECT_EQ(fast.size(), c.Expected);
    EXPECT_EQ(fast, literal);
  }
  TCombsArray all;
  GenerateFromFullSet(0, {}, all);
  EXPECT_EQ(all, FullSet());
  EXPECT_EQ(all.front(), MakeComb(1, 2, 3, 4));
}

TEST(CombGenerate, NumbersParsingAndCaptions) {
  EXPECT_EQ(ParseGenerateNumbers("1;2, 3 ,,a;256;-1;255"), (std::vector<uint8_t>{1, 2, 3, 0, 255}));
  EXPECT_EQ(GenerateModeCaption(0), "Полный список (все возможные для данного лото варианты)");
  EXPECT_EQ(GenerateModeCaption(4), "Загрузить список из заранее подготовленного CSV-файла");
  EXPECT_TRUE(GenerateModeCaption(5).empty());
  EXPECT_FALSE(GenerateParameterEnabled(0));
  EXPECT_TRUE(GenerateParameterEnabled(3));
  EXPECT_TRUE(GenerateFileButtonEnabled(4));
  EXPECT_FALSE(GenerateFileButtonEnabled(1));
}

TEST(CombFile, ReadingKeepsOrderSkipsOddLinesAndAcceptsAnyLineEnd) {
  TCombsArray combs;
  ParseCombFileText(
      "5;1;9;3\r\n1;2;3\n\n 7 , 8 ;9;10\rx;2;3;4\r\n300;1;2;3\n1;2;3;4;5\n;;11;;12;13;14;;\n  \n"
      "20;21;22;23",
      combs);
  EXPECT_EQ(combs, (TCombsArray{MakeComb(5, 1, 9, 3), MakeComb(7, 8, 9, 10), MakeComb(0, 2, 3, 4),
                                MakeComb(44, 1, 2, 3), MakeComb(11, 12, 13, 14),
                                MakeComb(20, 21, 22, 23)}));
}

TEST(CombFile, WritingIsListFormWithCrLfAndRoundTrips) {
  TTempDir dir;
  const TCombsArray combs = {MakeComb(3, 15, 27, 41), MakeComb(5, 1, 9, 3)};
  WriteCombFile(dir.File("a.lcv"), combs);
  EXPECT_EQ(ReadFile(dir.File("a.lcv")), "3;15;27;41\r\n5;1;9;3\r\n");
  TCombsArray back;
  ReadCombFile(dir.File("a.lcv"), back);
  EXPECT_EQ(back, combs);
  WriteCombFile(dir.File("empty.lcv"), {});
  EXPECT_EQ(ReadFile(dir.File("empty.lcv")), "");
}

TEST(CombFile, UnusablePathsFailWithoutTouchingAnything) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("folder.lcv"));
  WriteFile(dir.File("folder.lcv/inside"), "x");
  WriteFile(dir.File("plain"), "keep");
  for (const std::string& path :
       {dir.File("folder.lcv"), dir.File("plain/below.lcv"), dir.File("missing/x.lcv")}) {
    SCOPED_TRACE(path);
    EXPECT_THROW(WriteCombFile(path, TCombsArray{MakeComb(1, 2, 3, 4)}), EVetrilo);
    TCombsArray combs{MakeComb(9, 9, 9, 9)};
    EXPECT_THROW(ReadCombFile(path, combs), EVetrilo);
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.lcv")));
  EXPECT_EQ(ReadFile(dir.File("plain")), "keep");
  // No temporary file is left beside the targets.
  size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 2u);
}

}  // namespace vetrilo
