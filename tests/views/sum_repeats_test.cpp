#include <gtest/gtest.h>

#include <numeric>

#include "core/errors.h"
#include "test_support.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"

namespace vetrilo {
using test::MakeArchive;

TEST(SumDistribution, FullSetAgainstTheArchive) {
  const TDrawArchive archive = MakeArchive({{1, 1, 2, 3, 4, 1, ""},
                                            {2, 20, 21, 30, 25, 1, ""},
                                            {3, 10, 20, 30, 36, 1, ""},
                                            {4, 44, 45, 46, 47, 1, ""}});
  const TSumDistribution d = BuildSumDistribution(archive);
  ASSERT_EQ(d.Theory.size(), 173u);
  EXPECT_EQ(d.Theory.front().Sum, 10);
  EXPECT_EQ(d.Theory.back().Sum, 182);
  EXPECT_EQ(d.Theory[d.Theory.size() / 2].Sum, 96);
  EXPECT_EQ(std::accumulate(d.Theory.begin(), d.Theory.end(), 0,
                            [](int s, const TSumCount& t) { return s + t.Count; }),
            kAllCombinations);
  EXPECT_EQ(d.MinTheory, 1);
  EXPECT_EQ(d.Theory[86].Count, d.MaxTheory);  // the middle sum is the most frequent
  ASSERT_EQ(d.Actual.size(), 3u);
  EXPECT_EQ(d.ActualCount(96), 2);
  EXPECT_EQ(d.ActualCount(10), 1);
  EXPECT_EQ(d.ActualCount(11), 0);
  EXPECT_EQ(d.MaxActual, 2);
  EXPECT_DOUBLE_EQ(d.Scaled(d.MaxTheory), 2.0);

  // Each level: the outermost sums whose full-set count reaches the threshold.
  const double w = d.MaxTheory - d.MinTheory + 1;
  const std::array<int, 3> thresholds{int(d.MinTheory + w / 3), int(d.MinTheory + w / 2),
                                      int(d.MinTheory + 2 * w / 3)};
  for (size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const TSumLevel& level = d.Levels[k];
    EXPECT_EQ(level.Threshold, thresholds[k]);
    int low = 0;
    int high = 0;
    for (const TSumCount& t : d.Theory) {
      if (t.Count < level.Threshold) continue;
      if (low == 0) low = t.Sum;
      high = t.Sum;
    }
    EXPECT_EQ(level.Low, low);
    EXPECT_EQ(level.High, high);
    const char* const shares[] = {"1/3", "1/2", "2/3"};
    EXPECT_EQ(level.Title, "Диапазон " + std::to_string(k + 1) + " (от " + shares[k] +
                               " и выше по оси Y) - суммы " + std::to_string(low) + "-" +
                               std::to_string(high));
  }
  EXPECT_LT(d.Levels[0].Low, d.Levels[2].Low);
  // Sums are symmetric around 96.
  EXPECT_EQ(d.Levels[1].Low + d.Levels[1].High, 192);

  const TSumDistribution none = BuildSumDistribution(TDrawArchive());
  EXPECT_TRUE(none.Actual.empty());
  EXPECT_EQ(none.MaxActual, 0);
  EXPECT_EQ(none.Scaled(none.MaxTheory), 0.0);
}

TEST(RepeatsAnalysis, RowsByDrawAndMatchCount) {
  const TDrawArchive archive = MakeArchive({{1, 1, 2, 3, 4, 1, ""},
                                            {2, 1, 2, 5, 6, 1, ""},
                                            {3, 1, 7, 8, 9, 1, ""},
                                            {4, 1, 2, 3, 10, 1, ""}});
  const TRepeatsAnalysis a = AnalyzeRepeats(archive, 100, 100);
  struct TRow {
    int Draw, Matches, Repeats;
    std::string Draws;
  };
  const std::vector<TRow> expected = {
      {4, 1, 1, "3"}, {4, 2, 1, "2"}, {4, 3, 1, "1"}, {3, 1, 2, "2 1"}, {2, 2, 1, "1"}};
  ASSERT_EQ(a.Rows.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a.Rows[i].Draw, expected[i].Draw);
    EXPECT_EQ(a.Rows[i].Matches, expected[i].Matches);
    EXPECT_EQ(a.Rows[i].Repeats, expected[i].Repeats);
    EXPECT_EQ(a.Rows[i].Draws, expected[i].Draws);
  }
  EXPECT_EQ(a.MaxMatches, 3);
  const auto series = a.Series();
  ASSERT_EQ(series.size(), 3u);
  EXPECT_EQ(series[0].Title, "Совпадений: 1");
  ASSERT_EQ(series[0].Points.size(), 2u);
  EXPECT_EQ(series[0].Points[0].X, 3);  // last row first
  EXPECT_EQ(series[0].Points[0].Y, 2);
  EXPECT_EQ(series[1].Points.size(), 2u);

  // Look-back 1 compares every draw only with the one before it; length 2 the newest two.
  const TRepeatsAnalysis near = AnalyzeRepeats(archive, 2, 1);
  ASSERT_EQ(near.Rows.size(), 2u);
  EXPECT_EQ(near.Rows[0].Draw, 4);
  EXPECT_EQ(near.Rows[0].Draws, "3");
  EXPECT_EQ(near.Rows[1].Draw, 3);
  EXPECT_EQ(near.Rows[1].Draws, "2");

  const TRepeatsAnalysis single = AnalyzeRepeats(MakeArchive({{1, 1, 2, 3, 4, 1, ""}}), 100, 100);
  EXPECT_TRUE(single.Rows.empty());
  EXPECT_TRUE(single.Series().empty());
  EXPECT_TRUE(AnalyzeRepeats(TDrawArchive(), 100, 100).Rows.empty());
}

TEST(RepeatsAnalysis, StopsWhenAsked) {
  test::TStopHooks hooks;
  hooks.AfterPolls = 1;
  const TDrawArchive archive =
      MakeArchive({{1, 1, 2, 3, 4, 1, ""}, {2, 1, 2, 5, 6, 1, ""}, {3, 1, 7, 8, 9, 1, ""}});
  EXPECT_THROW(AnalyzeRepeats(archive, 100, 100, &hooks), EStopped);
}

}  // namespace vetrilo
