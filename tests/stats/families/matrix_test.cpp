#include <gtest/gtest.h>

#include "stats/families/grid_test_support.h"

namespace vetrilo {
using test::Numbered;
using test::Selected;
using test::Texts;
using test::TGridFixture;
using Strings = std::vector<std::string>;

namespace {

// 47 characters: columns (rows) 1, 2, 3 and 47 occupied.
const std::string kEdges = "111" + std::string(43, '0') + "1";
constexpr uint64_t kEdgesPattern =
    (uint64_t{1} << 46) + (uint64_t{1} << 45) + (uint64_t{1} << 44) + 1;

TStatDrawArray SelectedKey(uint64_t key) {
  TStatDrawArray list;
  TStatDrawRec r;
  r.SetKey(key);
  list.Append(r);
  return list;
}

}  // namespace

TEST(MatrixStats, CombinationValuesAndTexts) {
  struct TCase {
    int Cols;
    std::string Code;
    TComb Comb;
    Strings Expected;
  };
  const TComb stacked = MakeComb(1, 9, 17, 30);  // 8 columns: column 1 three times, rows 1-4
  const TCase cases[] = {
      {8, "COLS", stacked, {"1 x3", "6 x1"}},
      {8, "ROWS", stacked, {"1 x1", "2 x1", "3 x1", "4 x1"}},
      {8, "COLN", stacked, {"2 x1"}},
      {8, "ROWN", stacked, {"4 x1"}},
      {8, "COLA", stacked, {"1 x 3 x1"}},
      {8, "COLC", stacked, {"1 x1"}},
      {8, "ROWA", stacked, {}},
      {8, "ROWC", stacked, {"0 x1"}},
      {8,
       "COLV",
       stacked,
       {"1 x 3 x1", "2 x 0 x1", "3 x 0 x1", "4 x 0 x1", "5 x 0 x1", "6 x 1 x1", "7 x 0 x1",
        "8 x 0 x1"}},
      {8,
       "ROWV",
       stacked,
       {"1 x 1 x1", "2 x 1 x1", "3 x 1 x1", "4 x 1 x1", "5 x 0 x1", "6 x 0 x1"}},
      {8, "COLM", stacked, {"10000100 (132) x1"}},
      {8, "ROWM", stacked, {"111100 (060) x1"}},
      {8, "COL1", stacked, {"3 x1"}},
      {8, "COL2", stacked, {"0 x1"}},
      {8, "ROW4", stacked, {"1 x1"}},
      {8, "KFM2", stacked, {}},  // tuples have no norm
      // 8 and 9 are consecutive but 8 ends row 1; 9 and 10 stand side by side.
      {8, "ROWA", MakeComb(8, 9, 10, 20), {"2 x 2 x1"}},
      {8, "ROWC", MakeComb(8, 9, 10, 20), {"1 x1"}},
      {8, "COLA", MakeComb(8, 9, 10, 20), {}},
      {8, "ROWA", MakeComb(1, 2, 3, 12), {"1 x 3 x1"}},
      {8, "COLA", MakeComb(1, 2, 9, 10), {"1 x 2 x1", "2 x 2 x1"}},
      {8, "COLC", MakeComb(1, 2, 9, 10), {"2 x1"}},
      {8, "ROWC", MakeComb(1, 2, 9, 10), {"2 x1"}},
      {8, "COLM", MakeComb(1, 2, 12, 47), {"11010010 (210) x1"}},
      {8, "ROWM", MakeComb(1, 2, 12, 47), {"110001 (049) x1"}},
      {10, "COLM", MakeComb(1, 2, 12, 47), {"1100001000 (776) x1"}},
      {10, "ROWS", MakeComb(10, 11, 41, 47), {"1 x1", "2 x1", "5 x2"}},
      // One row of 47 columns.
      {47, "COLS", MakeComb(1, 2, 3, 47), {"1 x1", "2 x1", "3 x1", "47 x1"}},
      {47, "ROWS", MakeComb(1, 2, 3, 47), {"1 x4"}},
      {47, "ROWN", MakeComb(1, 2, 3, 47), {"1 x1"}},
      {47, "ROWA", MakeComb(1, 2, 3, 47), {"1 x 3 x1"}},
      {47, "ROWM", MakeComb(1, 2, 3, 47), {"1 (001) x1"}},
      {47, "COLM", MakeComb(1, 2, 3, 47), {kEdges + " (123145302310913) x1"}},
      {100, "COLM", MakeComb(1, 2, 3, 47), {kEdges + " (123145302310913) x1"}},
      // One column of 47 rows.
      {1, "COLS", MakeComb(1, 2, 3, 47), {"1 x4"}},
      {1, "COLV", MakeComb(1, 2, 3, 47), {"1 x 4 x1"}},
      {1, "COLA", MakeComb(1, 2, 3, 47), {"1 x 3 x1"}},
      {1, "ROWA", MakeComb(1, 2, 3, 47), {}},
      {1, "COLM", MakeComb(1, 2, 3, 47), {"1 (001) x1"}},
      {1, "ROWM", MakeComb(1, 2, 3, 47), {kEdges + " (123145302310913) x1"}},
      {1, "ROW47", MakeComb(1, 2, 3, 47), {"1 x1"}},
      // 32 columns: the top bit of 32 prints unsigned.
      {32, "COLM", MakeComb(1, 2, 3, 4), {"1111" + std::string(28, '0') + " (4026531840) x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " cols " + std::to_string(c.Cols));
    TGridFixture f(8, c.Cols);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    EXPECT_EQ(Texts(*stat, CombValues(*stat, c.Comb)), c.Expected);
  }
}

TEST(MatrixStats, PatternsKeepEveryBitInTheEightByteValue) {
  struct TCase {
    int Cols;
    std::string Code;
    TComb Comb;
    uint64_t Pattern;
    uint64_t FirstLine;  // the bit of column (row) 1
  };
  const TCase cases[] = {
      {8, "COLM", MakeComb(1, 2, 12, 47), 210, 128},
      {32, "COLM", MakeComb(1, 2, 3, 4), 0xF0000000u, 0x80000000u},
      {47, "COLM", MakeComb(1, 2, 3, 47), kEdgesPattern, uint64_t{1} << 46},
      {1, "ROWM", MakeComb(1, 2, 3, 47), kEdgesPattern, uint64_t{1} << 46},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " cols " + std::to_string(c.Cols));
    TGridFixture f(8, c.Cols);
    auto stat = f.Stat(c.Code);
    const TStatDrawArray values = CombValues(*stat, c.Comb);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Key(), c.Pattern);
    // Up to 32 lines the pattern is the first 32-bit half, the second half 0.
    if (c.Pattern <= 0xFFFFFFFFu) {
      EXPECT_EQ(values[0].Half(2), 0);
    }
    EXPECT_TRUE(stat->CombMatches(c.Comb, SelectedKey(c.Pattern), 0, false, false));
    // The first line takes part in the comparison.
    EXPECT_FALSE(stat->CombMatches(c.Comb, SelectedKey(c.Pattern & ~c.FirstLine), 0, false, false));
  }
}

TEST(MatrixStats, MaskTextsReadBack) {
  struct TCase {
    int Cols;
    std::string Code;
    std::string Text;
    int32_t Expected;
  };
  const TCase cases[] = {
      {8, "COLM", "11010010 (210)", 210},
      {8, "COLM", "11010010", 210},
      {8, "COLM", "11", 192},  // missing positions read as "0"
      {8, "COLM", "1x1", 160},
      {8, "COLM", "", 0},
      {8, "ROWM", "110001 (049)", 49},
      {8, "ROWM", "1", 32},
      {10, "COLM", "1100001000 (776)", 776},
      {47, "COLM", kEdges, 1},  // the answer holds the low 32 bits
      {47, "COLM", std::string(15, '0') + "1", 0x80000000 - 0x100000000LL},
      {0, "COLM", "11", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + c.Text);
    TGridFixture f(8, c.Cols);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    EXPECT_EQ(stat->ParseValue(c.Text), c.Expected);
  }
  TGridFixture f(8, 8);
  EXPECT_EQ(f.Stat("COLV")->ParseValue("3"), 0);  // values are picked, not typed
  EXPECT_EQ(f.Stat("KFM2")->ParseValue("3"), 0);
  EXPECT_EQ(f.Stat("COLS")->ParseValue("3"), 3);
}

TEST(MatrixStats, TuplesFollowTheCallersPositionOrder) {
  // Drawn as 30, 3, 47, 7 (8 columns): columns 6, 3, 7, 7 and rows 4, 1, 6, 1.
  TGridFixture f(8, 8, "", {{1, 30, 3, 47, 7, 5, ""}});
  struct TCase {
    std::string Code;
    bool Sorted;
    Strings Expected;
  };
  const TCase cases[] = {
      {"KFS2", false, {"6:3 x1", "3:7 x1", "7:7 x1"}},
      {"KFS2", true, {"3:7 x1", "7:6 x1", "6:7 x1"}},
      {"KRS2", false, {"4:1 x1", "1:6 x1", "6:1 x1"}},
      {"KRM2", true, {"1:1 x1", "1:4 x2", "1:6 x2", "4:6 x1"}},
      {"KFM3", false, {"6:3:7 x2", "6:7:7 x1", "3:7:7 x1"}},
      {"KRS3", true, {"1:1:4 x1", "1:4:6 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, c.Sorted)), c.Expected);
  }
}

TEST(MatrixStats, SeededValuesFollowTheWidth) {
  struct TCase {
    int Cols;
    std::string Code;
    size_t Count;
    std::string First, Last;
  };
  const TCase cases[] = {
      {8, "COLS", 8, "1 x0", "8 x0"},
      {8, "ROWS", 6, "1 x0", "6 x0"},
      {8, "COLV", 40, "1 x 0 x0", "8 x 4 x0"},
      {8, "ROWV", 30, "1 x 0 x0", "6 x 4 x0"},
      {8, "COLN", 4, "1 x0", "4 x0"},
      {8, "ROWN", 4, "1 x0", "4 x0"},
      {8, "COL3", 6, "1 x0", "6 x0"},
      {8, "ROW2", 8, "1 x0", "8 x0"},
      {8, "COLM", 0, "", ""},
      {8, "COLA", 0, "", ""},
      {8, "ROWC", 0, "", ""},
      {8, "KRM2", 0, "", ""},
      {47, "COLV", 94, "1 x 0 x0", "47 x 1 x0"},
      {47, "ROWV", 5, "1 x 0 x0", "1 x 4 x0"},
      {47, "ROWN", 1, "1 x0", "1 x0"},
      {47, "COL5", 1, "1 x0", "1 x0"},
      {47, "ROW1", 47, "1 x0", "47 x0"},
      {1, "COLV", 5, "1 x 0 x0", "1 x 4 x0"},
      {1, "ROWV", 94, "1 x 0 x0", "47 x 1 x0"},
      {1, "COLN", 1, "1 x0", "1 x0"},
      {1, "COL1", 47, "1 x0", "47 x0"},
      {3, "COLN", 3, "1 x0", "3 x0"},
      {3, "ROWS", 16, "1 x0", "16 x0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " cols " + std::to_string(c.Cols));
    TGridFixture f(8, c.Cols);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    TStatDrawArray list;
    stat->GetAllValues(0, list);
    const Strings seeds = Texts(*stat, list);
    ASSERT_EQ(seeds.size(), c.Count);
    if (c.Count == 0) continue;
    EXPECT_EQ(seeds.front(), c.First);
    EXPECT_EQ(seeds.back(), c.Last);
  }
}

TEST(MatrixStats, ParameterRangesFollowTheWidthAtBuildTime) {
  struct TCase {
    int Cols;
    Strings Columns, Rows;
  };
  const TCase cases[] = {
      {8, Numbered("COL", 1, 8), Numbered("ROW", 1, 6)},
      {1, Numbered("COL", 1, 1), Numbered("ROW", 1, 47)},
      {10, Numbered("COL", 1, 10), Numbered("ROW", 1, 5)},
      {47, Numbered("COL", 1, 47), Numbered("ROW", 1, 1)},
      {100, Numbered("COL", 1, 47), Numbered("ROW", 1, 1)},
      {0, {}, {}},
      {-3, {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Cols);
    TGridFixture f(8, c.Cols);
    EXPECT_EQ(f.Codes("COL"), c.Columns);
    EXPECT_EQ(f.Codes("ROW"), c.Rows);
    for (const char* code : {"KFM4", "KFS4", "KRM4", "KRS4"})
      EXPECT_EQ(f.List.FindByCode(code), -1);
    for (const char* code : {"COLS", "ROWM", "KFM2", "KRS3"}) EXPECT_GE(f.List.FindByCode(code), 0);
  }
  TGridFixture f(8, 8);
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("ROW3"), true),
            "{ mtx } Количество чисел в 3 строке матрицы [ NG ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KFS2"), true),
            "{ mtx } Сочетания из 2 столбцов по соседним числам [ S ]");
}

TEST(MatrixStats, NoMatrixForAWidthOfZeroOrLess) {
  for (int cols : {0, -3}) {
    SCOPED_TRACE(cols);
    TGridFixture f(8, cols, "", {{1, 1, 9, 17, 30, 5, ""}, {2, 1, 2, 9, 10, 5, ""}});
    const TStatDrawArray everything = Selected({{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 2, 0, 0}});
    int checked = 0;
    for (const TStatMethod& m : f.List.Methods) {
      if (m.Stat->GetGroup() != 4) continue;
      SCOPED_TRACE(m.Code());
      auto stat = f.List.CreateStat(m);
      EXPECT_TRUE(RangeValues(*stat, 0, 1, true).empty());
      EXPECT_TRUE(CombValues(*stat, MakeComb(1, 2, 9, 10)).empty());
      EXPECT_FALSE(stat->CombMatches(MakeComb(1, 2, 9, 10), everything, 1, false, false));
      if (auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get())) {
        EXPECT_EQ(graph->GetDrawGraphValue(1, 1, false), 0);
      }
      ++checked;
    }
    EXPECT_EQ(checked, 20);  // 12 column and row classes, 8 tuples
  }
}

TEST(MatrixStats, CombMatches) {
  TGridFixture f(8, 8);
  const TComb stacked = MakeComb(1, 9, 17, 30);
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"COLS", Selected({{6, 0, 0, 0}}), stacked, true},
      {"COLS", Selected({{6, 0, 0, 0}}), MakeComb(1, 2, 3, 4), false},
      {"ROWS", Selected({{4, 0, 0, 0}}), stacked, true},
      {"COLV", Selected({{1, 3, 0, 0}}), stacked, true},
      {"COLV", Selected({{2, 0, 0, 0}}), stacked, true},
      {"COLV", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 3, 4), false},
      {"ROWV", Selected({{6, 1, 0, 0}}), stacked, false},
      {"COLN", Selected({{2, 0, 0, 0}}), stacked, true},
      {"ROWN", Selected({{2, 0, 0, 0}}), stacked, false},
      {"COLM", Selected({{132, 0, 0, 0}}), stacked, true},
      {"ROWM", Selected({{132, 0, 0, 0}}), stacked, false},
      {"COLA", Selected({{1, 3, 0, 0}}), stacked, true},
      {"COLA", Selected({{1, 2, 0, 0}}), stacked, false},
      {"ROWA", Selected({{2, 2, 0, 0}}), MakeComb(8, 9, 10, 20), true},
      {"ROWA", Selected({{1, 2, 0, 0}}), MakeComb(8, 9, 10, 20), false},
      {"COLC", Selected({{1, 0, 0, 0}}), stacked, true},
      {"ROWC", Selected({{0, 0, 0, 0}}), stacked, true},
      {"KFM2", Selected({{1, 6, 0, 0}}), stacked, true},
      {"KFS2", Selected({{1, 6, 0, 0}}), stacked, true},
      {"KFS2", Selected({{6, 1, 0, 0}}), stacked, false},
      {"KRM3", Selected({{1, 2, 4, 0}}), stacked, true},
      {"COL1", Selected({{3, 0, 0, 0}}), stacked, true},
      {"ROW5", Selected({{1, 0, 0, 0}}), stacked, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, false), c.Expected);
  }
}

TEST(MatrixStats, GraphValues) {
  TGridFixture f(8, 8, "", {{1, 30, 9, 1, 17, 5, ""}});
  struct TCase {
    std::string Code;
    int32_t Expected;
  };
  const TCase cases[] = {{"COLN", 2}, {"ROWN", 4}, {"COLC", 1},
                         {"ROWC", 0}, {"COL1", 3}, {"ROW4", 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(static_cast<TCustomGraphStat&>(*stat).GetDrawGraphValue(0, 0, false), c.Expected);
  }
}

}  // namespace vetrilo
