#include "views/draw_stats.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::TStatFixture;

namespace {

TStatDrawRec Record(int lastDraw, int ago, int count, int norm = 0, int minGap = 0,
                    int maxGap = 0) {
  TStatDrawRec r;
  r.LastDraw = lastDraw;
  r.Ago = ago;
  r.Count = count;
  r.Norm = norm;
  r.MinGap = uint16_t(minGap);
  r.MaxGap = uint16_t(maxGap);
  r.SetWords(7);
  return r;
}

TDrawStatsCellInput Input(int analysed, int64_t total, int maxAgo, bool hasNorm, int fact) {
  TDrawStatsCellInput in;
  in.Analysed = analysed;
  in.Totals.Total = total;
  in.Totals.MaxAgo = maxAgo;
  in.HasNorm = hasNorm;
  in.Fact = fact;
  return in;
}

// 20 cells joined by "|" for compact expectations.
std::string Joined(const std::array<std::string, kDrawStatsColumns>& cells) {
  std::string s;
  for (size_t i = 0; i < cells.size(); ++i) s += (i ? "|" : "") + cells[i];
  return s;
}

}  // namespace

TEST(DrawStatsCells, RulesOfEveryColumn) {
  struct TCase {
    const char* Name;
    TStatDrawRec Rec;
    TDrawStatsCellInput In;
    const char* Expected;
  };
  const TCase cases[] = {
      // 10 of 400 is 2.5 %; deviation 5 - 7; weight Ago - (Count - Norm) = 12 + 2.
      {"plain", Record(100, 12, 10, 7, 3, 9), Input(100, 400, 48, true, 105),
       "7|10|2.50000|7|3|42.85714|12|25.00|9.00|100|3|10.0000|9|110|110|110|105|+5|+5|+5"},
      {"count 1", Record(100, 4, 1, 0), Input(50, 400, 48, true, 130),
       "7|1|0.25000|0|1|100.00000|4|8.33|3.00|100|-|-|-|-|200|152|130|-|+70|+22"},
      {"never seen", Record(0, 0, 0, 3), Input(50, 400, 48, true, 130),
       "7|0|0.00000|3|-3|-100.00000|-|-|-|-|-|-|-|-|-|-|-|-|-|-"},
      {"norm 0 and count 0", Record(0, 0, 0, 0), Input(50, 400, 48, true, -1),
       "7|0|0.00000|0|0|0.00000|-|-|-|-|-|-|-|-|-|-|-|-|-|-"},
      {"seen but count 0", Record(90, 3, 0, 0), Input(50, 400, 48, true, 95),
       "7|0|0.00000|0|0|0.00000|3|6.25|3.00|90|-|-|-|-|-|182|95|-|-|+87"},
      {"no norm, no later draw", Record(100, 12, 10, 7, 3, 9), Input(100, 400, 48, false, -1),
       "7|10|2.50000|-|-|-|12|25.00|12.00|100|3|10.0000|9|110|110|110|-|-|-|-"},
      {"empty totals", Record(0, 0, 0), Input(0, 0, 0, false, -1),
       "7|0|-|-|-|-|-|-|-|-|-|-|-|-|-|-|-|-|-|-"},
      // Ties round to even: 100 + 5/2, 7 x 3 / 2 = 10.5, 8 x 4 / 3.
      {"ties to even", Record(7, 1, 2, 0, 1, 1), Input(5, 4, 1, false, 10),
       "7|2|50.00000|-|-|-|1|100.00|1.00|7|1|2.5000|1|10|10|11|10|0|0|+1"},
      {"ties to even up", Record(9, 1, 2, 0, 1, 1), Input(7, 4, 1, false, 20),
       "7|2|50.00000|-|-|-|1|100.00|1.00|9|1|3.5000|1|12|14|13|20|-8|-6|-7"},
      // 1073741824 x 4 wraps to 0 in 32 bits; (2^30 + 1) x 5 wraps to 1073741829.
      {"32-bit products", Record(1073741824, 1, 3, 0, 1, 1), Input(3, 3, 1, false, 2),
       "7|3|100.00000|-|-|-|1|100.00|1.00|1073741824|1|1.0000|1|1073741825|0|268435457|2|"
       "+1073741823|-2|+268435455"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Joined(DrawStatsCells(c.Rec, "7", c.In)), c.Expected);
  }
}

TEST(DrawStatsCells, WeightFollowsTheCdlSettings) {
  TDrawStatsCellInput in = Input(100, 400, 48, true, -1);
  EXPECT_EQ(DrawStatsCells(Record(100, 12, 5, 7), "7", in)[kDsWeight], "14.00");
  in.Cdl.UsePercents = true;
  in.Cdl.CountWeight = 1;
  // 5 x 100 / 400 - (-2 x 100 / 7) + 12 x 100 / 48
  const double expected = 1.25 + 200.0 / 7 + 25;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", expected);
  EXPECT_EQ(DrawStatsCells(Record(100, 12, 5, 7), "7", in)[kDsWeight], buf);
}

TEST(DrawStatsCells, RoundRatioHalfEven) {
  struct TCase {
    int64_t Num, Den, Expected;
  };
  for (const TCase& c : std::initializer_list<TCase>{{5, 2, 2},
                                                     {7, 2, 4},
                                                     {-5, 2, -2},
                                                     {-7, 2, -4},
                                                     {10, 4, 2},
                                                     {11, 4, 3},
                                                     {-11, 4, -3},
                                                     {1, 3, 0},
                                                     {2, 3, 1},
                                                     {-2, 3, -1},
                                                     {5, -2, -2},
                                                     {0, 9, 0}}) {
    EXPECT_EQ(RoundRatioHalfEven(c.Num, c.Den), c.Expected) << c.Num << "/" << c.Den;
  }
}

namespace {

// Draws 1..n numbered 101.., each with numbers derived from its index.
std::vector<test::TDrawSpec> Specs(int n) {
  std::vector<test::TDrawSpec> specs;
  for (int i = 0; i < n; ++i) {
    specs.push_back({101 + i, 1 + i % 47, 1 + (i * 7 + 3) % 47, 1 + (i * 13 + 11) % 47,
                     1 + (i * 29 + 17) % 47, 1 + i % 17, "07/04/2014"});
    // Keep the four numbers distinct.
    auto& s = specs.back();
    while (s.B2 == s.B1) s.B2 = s.B2 % 47 + 1;
    while (s.B3 == s.B1 || s.B3 == s.B2) s.B3 = s.B3 % 47 + 1;
    while (s.B4 == s.B1 || s.B4 == s.B2 || s.B4 == s.B3) s.B4 = s.B4 % 47 + 1;
  }
  return specs;
}

TDrawStatsInput InputOf(const TStatFixture& f, int offset, int depth) {
  TDrawStatsInput in;
  in.Archive = &f.Archive;
  in.LastIndex = f.Archive.LastIndex(offset);
  in.Depth = depth;
  return in;
}

}  // namespace

TEST(DrawStats, NumsOverAHundredDrawsWithHiddenDraws) {
  TStatFixture f(Specs(130));
  auto stat = f.Stat("NUMS");
  TDrawStatsTable t;
  BuildDrawStats(*stat, InputOf(f, 30, 100), nullptr, t);
  EXPECT_EQ(t.FirstIndex, 0);
  EXPECT_EQ(t.LastIndex, 99);
  EXPECT_EQ(t.Analysed, 100);
  ASSERT_EQ(t.Rows.size(), 47u);
  EXPECT_EQ(t.Totals.Total, 400);
  EXPECT_FALSE(t.HasNorm);
  for (size_t i = 0; i < t.Rows.size(); ++i) {
    const TDrawStatsRow& row = t.Rows[i];
    SCOPED_TRACE(row.Cells[kDsValue]);
    EXPECT_EQ(row.Cells[kDsValue], std::to_string(i + 1));  // seeded in value order
    EXPECT_EQ(row.Cells[kDsCount], std::to_string(row.Rec.Count));
    EXPECT_EQ(row.Cells[kDsNorm], "-");
    if (row.Rec.Ago == 0) continue;
    // "Факт": the first later draw (hidden ones included) that holds the number.
    std::string fact = "-";
    for (int k = f.Archive.FindDrawIndex(row.Rec.LastDraw) + 1; k <= f.Archive.High(); ++k) {
      if (f.Archive.Draws[size_t(k)].HasNumber(int(i + 1))) {
        fact = std::to_string(f.Archive.Draws[size_t(k)].Number);
        break;
      }
    }
    EXPECT_EQ(row.Cells[kDsFact], fact);
  }
  // Depth beyond the visible archive takes all of it.
  BuildDrawStats(*stat, InputOf(f, 0, 5000), nullptr, t);
  EXPECT_EQ(t.FirstIndex, 0);
  EXPECT_EQ(t.Analysed, 130);
  EXPECT_EQ(t.Totals.Total, 520);
  // With offset 0 the newest occurrence of each number has no later draw.
  for (const TDrawStatsRow& row : t.Rows) {
    if (row.Rec.Ago > 0) {
      EXPECT_EQ(row.Cells[kDsFact], "-") << row.Cells[kDsValue];
    }
  }
}

TEST(DrawStats, AStoppedFactSearchLeavesThoseColumnsEmpty) {
  TStatFixture f(Specs(130));
  auto stat = f.Stat("NUMS");
  TDrawStatsTable full;
  BuildDrawStats(*stat, InputOf(f, 30, 100), nullptr, full);
  ASSERT_EQ(full.Rows.size(), 47u);
  EXPECT_FALSE(full.FactsStopped);
  for (int after : {0, 5}) {
    SCOPED_TRACE(after);
    test::TStopHooks hooks;
    hooks.AfterPolls = after;
    TDrawStatsInput input = InputOf(f, 30, 100);
    input.Hooks = &hooks;
    TDrawStatsTable t;
    EXPECT_THROW(BuildDrawStats(*stat, input, nullptr, t), EStopped);
    EXPECT_TRUE(t.FactsStopped);
    ASSERT_EQ(t.Rows.size(), full.Rows.size());
    for (size_t i = 0; i < t.Rows.size(); ++i) {
      for (int col = 0; col < kDrawStatsColumns; ++col) {
        const bool fact = col >= kDsFact && full.Rows[i].Rec.Ago != 0;
        EXPECT_EQ(t.Rows[i].Cells[size_t(col)], fact ? "" : full.Rows[i].Cells[size_t(col)])
            << "row " << i << " column " << DrawStatsCaptions()[size_t(col)];
      }
    }
    EXPECT_EQ(t.Chart.Actual.size(), full.Chart.Actual.size());
  }
}

TEST(DrawStats, NormScalesTheFullSetExactlyAndRoundsHalfToEven) {
  TStatFixture f(Specs(61));
  for (const char* code : {"NUMS", "EVEN", "PRMV", "DIGS"}) {
    SCOPED_TRACE(code);
    auto stat = f.Stat(code);
    const TDistribution dist = LiteralDistribution(f.List, f.List.Item(f.List.FindByCode(code)));
    TDrawStatsTable t;
    BuildDrawStats(*stat, InputOf(f, 3, 57), &dist, t);
    ASSERT_TRUE(t.HasNorm);
    const int64_t lo = t.Totals.MinCount, hi = t.Totals.MaxCount;
    for (const TDrawStatsRow& row : t.Rows) {
      int64_t full = -1;
      for (const TDfcRecord& d : dist.Records) {
        if (d.Key() == row.Rec.Key()) full = d.Count;
      }
      ASSERT_GE(full, 0);
      // The reference in long double: no tie is lost at these magnitudes.
      const long double exact = dist.MinCount == dist.MaxCount
                                    ? full * (long double)(hi + lo) / 2 / dist.MaxCount
                                    : full * (long double)hi / dist.MaxCount;
      EXPECT_EQ(row.Rec.Norm, (int64_t)std::nearbyintl(exact)) << row.Cells[kDsValue];
      EXPECT_EQ(row.Cells[kDsNorm], std::to_string(row.Rec.Norm));
      EXPECT_EQ(row.Cells[kDsDeviation], std::to_string(row.Rec.Count - row.Rec.Norm));
    }
  }
}

TEST(DrawStats, EqualFullCountsScaleToTheMeanOfTheActualExtremes) {
  // NUMS over two draws: counts are 1 (8 numbers) and 0: mean 0.5 rounds to 0;
  // over draws where a number is seen 3 times and another 0: 1.5 rounds to 2.
  TStatFixture f({{1, 1, 2, 3, 4, 1, ""},
                  {2, 5, 6, 7, 8, 1, ""},
                  {3, 1, 9, 10, 11, 1, ""},
                  {4, 1, 12, 13, 14, 1, ""}});
  auto stat = f.Stat("NUMS");
  const TDistribution dist = LiteralDistribution(f.List, f.List.Item(f.List.FindByCode("NUMS")));
  TDrawStatsTable t;
  BuildDrawStats(*stat, InputOf(f, 2, 2), &dist, t);
  for (const TDrawStatsRow& row : t.Rows) EXPECT_EQ(row.Rec.Norm, 0);
  BuildDrawStats(*stat, InputOf(f, 0, 4), &dist, t);
  for (const TDrawStatsRow& row : t.Rows) EXPECT_EQ(row.Rec.Norm, 2);
  EXPECT_EQ(t.Rows[0].Cells[kDsDeviation], "1");
}

TEST(DrawStats, ChartFollowsTheCacheOrderOrTheValueOrder) {
  TStatFixture f(Specs(40));
  auto stat = f.Stat("SMLV");  // rows in order of first occurrence
  const TDistribution dist = LiteralDistribution(f.List, f.List.Item(f.List.FindByCode("SMLV")));
  TDrawStatsInput in = InputOf(f, 0, 40);
  TDrawStatsTable t;
  BuildDrawStats(*stat, in, &dist, t);
  ASSERT_EQ(t.Chart.Full.size(), dist.Records.size());
  for (size_t k = 0; k < dist.Records.size(); ++k) {
    EXPECT_EQ(t.Chart.Full[k].X, double(k + 1));
  }
  // Drawing order gives patterns that no ascending combination has: those
  // rows have no point.
  size_t inFullSet = 0;
  for (const TDrawStatsRow& row : t.Rows) {
    for (const TDfcRecord& d : dist.Records) inFullSet += d.Key() == row.Rec.Key() ? 1 : 0;
  }
  EXPECT_LT(inFullSet, t.Rows.size());
  EXPECT_EQ(t.Chart.Actual.size(), inFullSet);
  for (const TChartPoint& p : t.Chart.Actual) {
    const TDfcRecord& d = dist.Records[size_t(p.X) - 1];
    EXPECT_EQ(p.Label, t.Chart.Full[size_t(p.X) - 1].Label);
    bool found = false;
    for (const TDrawStatsRow& row : t.Rows) {
      if (row.Rec.Key() == d.Key())
        found = (p.Y == row.Rec.Count && p.Label == row.Cells[kDsValue]);
    }
    EXPECT_TRUE(found) << p.Label;
  }
  in.ShowTotalLine = false;
  BuildDrawStats(*stat, in, &dist, t);
  EXPECT_TRUE(t.Chart.Full.empty());
  EXPECT_FALSE(t.Chart.Actual.empty());

  BuildDrawStats(*stat, in, nullptr, t);
  ASSERT_EQ(t.Chart.Actual.size(), t.Rows.size());
  for (size_t k = 1; k < t.Chart.Actual.size(); ++k) {
    EXPECT_EQ(t.Chart.Actual[k].X, double(k + 1));
    EXPECT_LT(stat->TextToValue(t.Chart.Actual[k - 1].Label),
              stat->TextToValue(t.Chart.Actual[k].Label));
  }
  BuildDrawStats(*stat, InputOf(f, 0, 1), nullptr, t);  // one entry: no chart
  EXPECT_EQ(t.Rows.size(), 1u);
  EXPECT_TRUE(t.Chart.Actual.empty());
}

TEST(DrawStatsTable, RowTextsSortAndCopy) {
  TDrawStatsTable t;
  const char* counts[] = {"9", "10", "-", "10", "2"};
  for (int i = 0; i < 5; ++i) {
    TDrawStatsRow row;
    row.Rec.SetWords(i % 2 ? -i : i);
    for (int c = 0; c < kDrawStatsColumns; ++c) row.Cells[size_t(c)] = std::to_string(c);
    row.Cells[kDsValue] = "v" + std::to_string(i);
    row.Cells[kDsCount] = counts[i];
    t.Rows.push_back(row);
  }
  EXPECT_EQ(t.RowTexts(0),
            (std::vector<std::string>{"v0", "9", "2", "4", "5", "6", "7", "8", "10", "11", "12"}));
  EXPECT_EQ(t.SortedOrder(kDsCount, false), (std::vector<int>{2, 4, 0, 1, 3}));
  EXPECT_EQ(t.SortedOrder(kDsCount, true), (std::vector<int>{1, 3, 0, 4, 2}));
  EXPECT_EQ(t.SortedOrder(kDsValue, false), (std::vector<int>{3, 1, 0, 2, 4}));  // -3 -1 0 2 4
  EXPECT_EQ(t.SortedOrder(-1, true), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(t.CopyText({3, 0}, {kDsValue, kDsCount}), "v3\t10\nv0\t9\n");
}

TEST(DrawStatsMethods, SelectorListsListedMethodsSortedWhenOrdered) {
  TStatFixture f;
  auto items = DrawStatsMethodItems(f.List);
  ASSERT_EQ(int(items.size()), f.List.Count());
  EXPECT_EQ(items[0].Caption, "{ num } Числа тиража [ N ]");
  f.List.ApplyFavoritesText("POS2,nums,DIGS");
  f.List.Ordered = true;
  items = DrawStatsMethodItems(f.List);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Caption, "{ num } Цифры тиража [ N ]");
  EXPECT_EQ(items[1].Caption, "{ num } Числа тиража [ N ]");
  EXPECT_EQ(f.List.Item(items[2].Method).Code(), "POS2");
}

// Axis labels never overlap: upright while that keeps at least half of what
// turned labels would show, steps of 1, 2, 5 times a power of ten.
TEST(DrawStatsChart, AxisLabelPlans) {
  const struct {
    size_t Count;
    double Width, Widest, Line;
    TAxisLabelPlan Plan;
  } cases[] = {
      {0, 800, 20, 14, {1, false}},      {5, 800, 40, 14, {1, false}},  // room for every label
      {170, 850, 20, 14, {10, false}},    // sums: short numbers, every tenth upright
      {128, 830, 90, 14, {5, true}},      // long bit patterns: turned, every fifth
      {47, 600, 100, 14, {2, true}},      // turned labels fit every other slot
      {1000, 100, 10, 10, {200, false}},  // a crowd on a tiny axis
      {3, 0, 10, 10, {1, false}},         // not laid out yet
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Count);
    EXPECT_EQ(PlanAxisLabels(c.Count, c.Width, c.Widest, c.Line), c.Plan);
  }
}

}  // namespace vetrilo
