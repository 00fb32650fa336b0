#include "stats/families/sequences.h"

#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;

namespace {

int32_t Graph(TCustomStat& stat, TComb comb) {
  return static_cast<TCustomGraphStat&>(stat).GetGraphValue(comb, 0, 0, false);
}

}  // namespace

TEST(SequenceStats, CombinationValuesAndGraphs) {
  TStatFixture f;
  auto seql = f.Stat("SEQL");
  auto seqs = f.Stat("SEQS");
  auto lens = f.Stat("LENS");
  struct TCase {
    TComb Comb;
    std::vector<std::string> Seql;
    std::string Seqs, Lens;
    int SeqsGraph, LensGraph;
  };
  const TCase cases[] = {
      {MakeComb(1, 2, 3, 4), {"4 x1"}, "1 x1", "4 x1", 1, 4},
      {MakeComb(1, 2, 4, 5), {"2 x2"}, "2 x1", "2 x1", 2, 2},
      {MakeComb(3, 10, 25, 40), {"1 x4"}, "0 x1", "1 x1", 0, 0},
      {MakeComb(1, 3, 4, 5), {"1 x1", "3 x1"}, "1 x1", "3 x1", 1, 3},
      {MakeComb(1, 2, 5, 9), {"2 x1", "1 x2"}, "1 x1", "2 x1", 1, 2},
      {MakeComb(1, 5, 6, 7), {"1 x1", "3 x1"}, "1 x1", "3 x1", 1, 3},
      {MakeComb(46, 47, 1, 2), {"2 x2"}, "2 x1", "2 x1", 2, 2},  // no wrap past 47
      {MakeComb(5, 4, 3, 20), {"1 x4"}, "0 x1", "1 x1", 1, 3},   // only graphs go down
      {MakeComb(9, 8, 12, 13), {"1 x2", "2 x1"}, "1 x1", "2 x1", 2, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(CombListText(c.Comb));
    EXPECT_EQ(Texts(*seql, CombValues(*seql, c.Comb)), c.Seql);
    EXPECT_EQ(Texts(*seqs, CombValues(*seqs, c.Comb)), std::vector<std::string>{c.Seqs});
    EXPECT_EQ(Texts(*lens, CombValues(*lens, c.Comb)), std::vector<std::string>{c.Lens});
    EXPECT_EQ(Graph(*seqs, c.Comb), c.SeqsGraph);
    EXPECT_EQ(Graph(*lens, c.Comb), c.LensGraph);
  }
}

TEST(SequenceStats, DrawingOrderAgainstSorted) {
  TStatFixture f({{7, 5, 4, 3, 20, 1, ""}});
  struct TCase {
    std::string Code;
    bool Sorted;
    std::vector<std::string> Values;
    int GraphValue;  // -1: no graph
  };
  const TCase cases[] = {
      {"SEQL", false, {"1 x4"}, -1}, {"SEQL", true, {"3 x1", "1 x1"}, -1},
      {"SEQS", false, {"0 x1"}, 1},  {"SEQS", true, {"1 x1"}, 1},
      {"LENS", false, {"1 x1"}, 3},  {"LENS", true, {"3 x1"}, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + (c.Sorted ? " sorted" : " drawn"));
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, c.Sorted)), c.Values);
    if (c.GraphValue >= 0) {
      EXPECT_EQ(static_cast<TCustomGraphStat&>(*stat).GetDrawGraphValue(0, 0, c.Sorted),
                c.GraphValue);
    }
  }
}

TEST(SequenceStats, SeededRangeWithGaps) {
  TStatFixture f({{10, 1, 2, 3, 4, 1, ""},
                  {11, 3, 10, 25, 40, 1, ""},
                  {15, 7, 8, 30, 31, 1, ""},
                  {17, 20, 21, 22, 23, 1, ""}});
  auto seqs = f.Stat("SEQS");
  const TStatDrawArray counts = RangeValues(*seqs, 0, 3, false);
  EXPECT_EQ(Texts(*seqs, counts), (std::vector<std::string>{"0 x1", "1 x2", "2 x1"}));
  const TStatDrawRec& one = counts[1];
  EXPECT_EQ(one.LastDraw, 17);
  EXPECT_EQ(one.Ago, 1);
  EXPECT_EQ(one.MinGap, 7);
  EXPECT_EQ(one.MaxGap, 7);
  auto seql = f.Stat("SEQL");
  EXPECT_EQ(Texts(*seql, RangeValues(*seql, 0, 3, false)),
            (std::vector<std::string>{"1 x4", "2 x2", "3 x0", "4 x2"}));
  auto lens = f.Stat("LENS");
  EXPECT_EQ(Texts(*lens, RangeValues(*lens, 1, 3, false)),
            (std::vector<std::string>{"1 x1", "2 x1", "3 x0", "4 x1"}));
}

TEST(SequenceStats, CombMatchesInBothModes) {
  TStatFixture f({{1, 5, 6, 7, 8, 1, ""}});
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"LENS", Selected({{3, 0, 0, 0}}), MakeComb(1, 3, 4, 5), true},
      {"LENS", Selected({{2, 0, 0, 0}}), MakeComb(1, 3, 4, 5), false},
      {"LENS", Selected({{1, 0, 0, 0}}), MakeComb(3, 10, 25, 40), true},
      {"SEQL", Selected({{1, 0, 0, 0}}), MakeComb(1, 3, 4, 5), true},
      {"SEQL", Selected({{3, 0, 0, 0}}), MakeComb(1, 3, 4, 5), true},
      {"SEQL", Selected({{2, 0, 0, 0}, {4, 0, 0, 0}}), MakeComb(1, 3, 4, 5), false},
      {"SEQS", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 4, 5), true},
      {"SEQS", Selected({{0, 0, 0, 0}}), MakeComb(1, 2, 4, 5), false},
      {"SEQS", Selected({{0, 0, 0, 0}}), MakeComb(3, 10, 25, 40), true},
      {"SEQS", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 3, 4), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb));
    auto stat = f.Stat(c.Code);
    stat->LoadDraws(-1, 0, false);
    // The same answer in both modes: include keeps, exclude removes the matching ones.
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, false), c.Expected);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, true), c.Expected);
  }
}

TEST(SequenceStats, FullSetDistributions) {
  TStatFixture f;
  auto count = [](const TStatDrawArray& list, int value) {
    for (const TStatDrawRec& r : list) {
      if (r.Key() == Selected({{value, 0, 0, 0}})[0].Key()) return r.Count;
    }
    return -1;
  };
  auto seqs = f.Stat("SEQS");
  const TStatDrawArray runs = FullSetValues(*seqs);
  EXPECT_EQ(runs.size(), 3u);      // never more than 2 real runs
  EXPECT_EQ(count(runs, 2), 946);  // a, a+1, b, b+1 with b >= a + 3
  auto lens = f.Stat("LENS");
  const TStatDrawArray longest = FullSetValues(*lens);
  EXPECT_EQ(count(longest, 4), 44);
  EXPECT_EQ(count(longest, 1), 135751);  // C(44, 4): no two neighbours consecutive
  int64_t total = 0;
  for (const TStatDrawRec& r : longest) total += r.Count;
  EXPECT_EQ(total, kAllCombinations);
  auto seql = f.Stat("SEQL");
  const TStatDrawArray lengths = FullSetValues(*seql);
  EXPECT_EQ(count(lengths, 4), 44);
  int64_t positions = 0;
  for (const TStatDrawRec& r : lengths) positions += int64_t(r.Count) * r.Value[0];
  EXPECT_EQ(positions, 4 * int64_t(kAllCombinations));  // run lengths add up to 4
}

}  // namespace vetrilo
