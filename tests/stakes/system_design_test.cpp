#include "stakes/system_design.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/errors.h"
#include "core/file_io.h"
#include "test_paths.h"

namespace vetrilo {
namespace {

TSystemLines AllLines(int n) {
  TSystemLines lines;
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b)
      for (int c = b + 1; c <= n; ++c)
        for (int d = c + 1; d <= n; ++d)
          lines.push_back({uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d)});
  return lines;
}

// The Steiner quadruple system on 8 points: the 4-subsets of 0..7 whose XOR is 0.
// Every triple lies in exactly one line, so two lines share at most 2 numbers.
TSystemLines Steiner8() {
  TSystemLines lines;
  for (const TSystemLine& line : AllLines(8)) {
    if (((line[0] - 1) ^ (line[1] - 1) ^ (line[2] - 1) ^ (line[3] - 1)) == 0) lines.push_back(line);
  }
  return lines;
}

TDesignOptions Design(int n, int block, double seconds, uint64_t seed = 1) {
  TDesignOptions options;
  options.Nums = n;
  options.Block = block;
  options.TimeLimit = seconds;
  options.Seed = seed;
  return options;
}

TSystemLines Without(TSystemLines lines, size_t index) {
  lines.erase(lines.begin() + long(index));
  return lines;
}

}  // namespace

TEST(SystemDesign, VerifierOnSystemsKnownByHand) {
  ASSERT_EQ(Steiner8().size(), 14u);
  // The three lines are the complements of a partition of 1..6 into pairs: a
  // draw misses one pair, so it leaves 3 numbers in the line of another pair.
  // Yet the triple 1, 3, 5 lies in no line.
  const TSystemLines pairs = {{1, 2, 3, 4}, {1, 2, 5, 6}, {3, 4, 5, 6}};
  const TSystemLines halves = {{1, 2, 3, 4}, {5, 6, 7, 8}};
  struct TCase {
    const char* Name;
    TSystemLines Lines;
    int N;
    int Block;
    int64_t Uncovered;
    bool Covering;
  } cases[] = {
      {"complete on 7", AllLines(7), 7, 3, 0, true},
      // Another line still holds 3 of the removed one.
      {"complete on 7 less a line", Without(AllLines(7), 5), 7, 3, 0, true},
      {"Steiner on 8", Steiner8(), 8, 3, 0, true},
      // Only the removed line itself loses: every other draw holding 3 of it
      // holds another triple whose own line remains.
      {"Steiner on 8 less a line", Without(Steiner8(), 3), 8, 3, 1, false},
      {"pairs on 6: 3 if 4 without covering", pairs, 6, 3, 0, false},
      // With 7 a draw holding 7 needs its other 3 in a line: 20 triples, 12 in lines.
      {"pairs on 7", pairs, 7, 3, 8, false},
      // Two halves of 8: every draw has 2 in one half; 6 * 6 draws split 2 + 2.
      {"halves, block 2", halves, 8, 2, 0, false},
      {"halves, block 3", halves, 8, 3, 36, false},
      {"no lines", {}, 6, 0, 15, false},
      {"one line holds everything for block 0", {{1, 2, 3, 4}}, 9, 0, 0, false},
      {"one line, block 1: draws inside the other 5", {{1, 2, 3, 4}}, 9, 1, 5, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSystemCheck fast = VerifySystem(c.Lines, c.N, c.Block);
    const TSystemCheck literal = VerifySystemLiteral(c.Lines, c.N, c.Block);
    EXPECT_EQ(fast.Uncovered, c.Uncovered);
    EXPECT_EQ(literal.Uncovered, c.Uncovered);
    EXPECT_EQ(fast.Covering, c.Covering);
    EXPECT_EQ(literal.Covering, c.Covering);
    EXPECT_EQ(fast.Holds(), c.Uncovered == 0);
  }
}

TEST(SystemDesign, FastVerifierEqualsTheExhaustiveCheckOnRandomSystems) {
  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    const int n = 5 + int(random() % 10);
    const int count = 1 + int(random() % 20);
    TSystemLines lines;
    for (int i = 0; i < count; ++i) {
      std::vector<uint8_t> all;
      for (int p = 1; p <= n; ++p) all.push_back(uint8_t(p));
      std::shuffle(all.begin(), all.end(), random);
      TSystemLine line{all[0], all[1], all[2], all[3]};
      // Lines as a file gives them: any order.
      lines.push_back(line);
    }
    for (int block = 0; block <= 3; ++block) {
      SCOPED_TRACE("n " + std::to_string(n) + " block " + std::to_string(block));
      const TSystemCheck fast = VerifySystem(lines, n, block);
      const TSystemCheck literal = VerifySystemLiteral(lines, n, block);
      EXPECT_EQ(fast.Subsets, literal.Subsets);
      EXPECT_EQ(fast.Uncovered, literal.Uncovered);
      EXPECT_EQ(fast.Covering, literal.Covering);
    }
  }
  // The whole field: a few lines, every draw of 47 walked by the reference.
  const TSystemLines few = {{1, 2, 3, 4}, {44, 45, 46, 47}, {5, 17, 30, 47}};
  EXPECT_EQ(VerifySystem(few, 47, 3).Uncovered, VerifySystemLiteral(few, 47, 3).Uncovered);
  EXPECT_EQ(VerifySystem(few, 47, 3).Subsets, 178365);
}

TEST(SystemDesign, VerifierRefusesPositionsOutsideAndBadSizes) {
  EXPECT_THROW(VerifySystem({{1, 2, 3, 9}}, 8, 3), EVetrilo);
  EXPECT_THROW(VerifySystem({{1, 2, 3, 4}}, 4, 3), EVetrilo);
  EXPECT_THROW(VerifySystem({{1, 2, 3, 4}}, 48, 3), EVetrilo);
  EXPECT_THROW(VerifySystem({{1, 2, 3, 4}}, 8, 4), EVetrilo);
  EXPECT_THROW(MakeSystem(Design(8, -1, 1)), EVetrilo);
}

TEST(SystemDesign, ConstructedSystemsHoldTheirClaimAndBeatThePublishedCoverings) {
  // C(n,4,3) of the covering tables: a system need only meet the weaker claim.
  const std::pair<int, size_t> coverings[] = {{5, 4}, {6, 6}, {7, 12}, {8, 14}, {9, 25}, {10, 30}};
  for (const auto& [n, covering] : coverings) {
    SCOPED_TRACE(n);
    const TSystemLines lines = MakeSystem(Design(n, 3, 0.5, 5));
    EXPECT_EQ(VerifySystemLiteral(lines, n, 3).Uncovered, 0);
    EXPECT_LE(lines.size(), covering);
    for (const TSystemLine& line : lines) {
      EXPECT_TRUE(line[0] >= 1 && line[0] < line[1] && line[1] < line[2] && line[2] < line[3] &&
                  line[3] <= n);
    }
  }
  // Any 4 of 5 numbers share 3 with any line.
  EXPECT_EQ(MakeSystem(Design(5, 3, 0.2)).size(), 1u);
  for (int block = 0; block <= 2; ++block) {
    SCOPED_TRACE(block);
    const TSystemLines lines = MakeSystem(Design(11, block, 0.3));
    EXPECT_EQ(VerifySystemLiteral(lines, 11, block).Uncovered, 0);
  }
}

TEST(SystemDesign, StoppedConstructionStillAnswersAValidSystem) {
  int calls = 0;
  TDesignOptions options = Design(14, 3, 30);
  options.Progress = [&](const TDesignProgress& progress) {
    ++calls;
    EXPECT_GT(progress.Best, 0);
    EXPECT_EQ(progress.TimeLimit, 30);
    return false;
  };
  const TSystemLines lines = MakeSystem(options);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(VerifySystem(lines, 14, 3).Uncovered, 0);

  std::atomic<bool> stop{true};
  TDesignOptions stopping = Design(20, 3, 30);
  stopping.Stop = &stop;
  const TSystemLines stopped = MakeSystem(stopping);
  EXPECT_EQ(VerifySystem(stopped, 20, 3).Uncovered, 0);
}

TEST(SystemDesign, FileTextNamesAndParsing) {
  EXPECT_EQ(SystemFileText({{1, 2, 7, 12}, {3, 10, 11, 40}}), "01 02 07 12\r\n03 10 11 40\r\n");
  const TSystemLines parsed = ParseSystemText("12 7 2 1\r\n\r\n3;10;11;40\n");
  EXPECT_EQ(parsed, (TSystemLines{{1, 2, 7, 12}, {3, 10, 11, 40}}));
  EXPECT_EQ(SystemLargestPosition(parsed), 40);
  EXPECT_EQ(SystemLargestPosition({}), 0);
  EXPECT_THROW(ParseSystemText("1 2 3 13\r\n", 12), EVetrilo);
  EXPECT_THROW(ParseSystemText("1 2 3\r\n"), EVetrilo);
  EXPECT_THROW(ParseSystemText("1 2 2 3\r\n"), EVetrilo);
  const std::pair<const char*, int> names[] = {
      {"4-12-2_0317.dat", 12}, {"4-08-3_0000.DAT", 8}, {"4-47-0_x.dat", 47},
      {"4-04-3_0001.dat", 0},  {"4-48-3_0001.dat", 0}, {"4-8-3_0001.dat", 0},
      {"5-12-2_0317.dat", 0},  {"4-12-2_0317.txt", 0}, {"system.dat", 0},
  };
  for (const auto& [name, n] : names) EXPECT_EQ(SystemNumsFromFileName(name), n) << name;
}

TEST(SystemDesign, TheCatalogueSamplesHoldThreeIfFour) {
  // data/catalog/samples beside data/demo: systems for 5..12 numbers.
  const std::filesystem::path samples =
      std::filesystem::path(VETRILO_DEMO_ARCHIVE).parent_path().parent_path() / "catalog" /
      "samples";
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(samples)) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const int n = SystemNumsFromFileName(name);
    ASSERT_GE(n, kSystemMinNums);
    const std::string bytes = ReadFileBytes(entry.path().string());
    const TSystemLines lines = ParseSystemText(bytes, n);
    EXPECT_EQ(SystemFileText(lines), bytes);
    EXPECT_EQ(VerifySystemLiteral(lines, n, 3).Uncovered, 0);
    ++seen;
  }
  EXPECT_GE(seen, 8);
}

}  // namespace vetrilo
