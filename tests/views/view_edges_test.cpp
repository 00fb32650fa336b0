// Every view at the edges of the archive: empty, and the offset at the oldest draw.
#include <gtest/gtest.h>

#include "stats/stat_test_support.h"
#include "views/analysis_views.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"

namespace vetrilo {
using test::TStatFixture;

TEST(ViewEdges, OffsetAtTheOldestDrawLeavesOneVisibleDraw) {
  TStatFixture f({{7, 1, 2, 3, 4, 1, "01/06/2014"},
                  {8, 4, 5, 6, 7, 2, "01/07/2014"},
                  {9, 10, 11, 12, 13, 3, "01/08/2014"}});
  const int oldest = f.Archive.High();
  for (int depth : {1, 2, 1000}) {
    SCOPED_TRACE(depth);
    const TDrawWindow w = ViewWindow(f.Archive, oldest, depth);
    EXPECT_EQ(w.First, 0);
    EXPECT_EQ(w.Last, 0);

    TLayoutScheme scheme;
    scheme.Build(f.Archive, oldest, depth);
    ASSERT_EQ(scheme.RowCount(), 2);
    ASSERT_EQ(scheme.ColumnCount(), 2);
    EXPECT_EQ(scheme.Text(0, 1), "7");
    EXPECT_EQ(scheme.Text(1, 1), "1, 2, 3, [4]");  // 4 comes again in the hidden draw 8
    EXPECT_EQ(BuildLayoutCompare(f.Archive, oldest, depth).Caption, "7 - 7");

    TWeekdayStats week;
    week.Build(f.Archive, oldest, depth);
    EXPECT_EQ(week.Draws(), 1);
    EXPECT_EQ(week.Count(1, 4), 1);
    EXPECT_EQ(week.Count(2, 5), 0);

    const TDrawGraph graph = BuildDrawGraph(*f.Stat("SUMS"), "", f.Archive, oldest, depth, false);
    ASSERT_EQ(graph.Values.size(), 1u);
    EXPECT_EQ(graph.Values[0].Y, 10);
    EXPECT_EQ(graph.Mode, 10);
  }
  // The card, the sums and the repeats look at the whole archive whatever the offset.
  TDrawCard card;
  card.Build(f.Archive);
  EXPECT_EQ(card.RowCount(), 4);
  EXPECT_EQ(BuildSumDistribution(f.Archive).Actual.size(), 3u);
  EXPECT_EQ(AnalyzeRepeats(f.Archive, 10, 10).Rows.size(), 1u);
}

TEST(ViewEdges, EmptyArchive) {
  TStatFixture f;
  TLayoutScheme scheme;
  scheme.Build(f.Archive, 0, 100);
  EXPECT_EQ(scheme.RowCount(), 1);
  EXPECT_TRUE(scheme.SelectionValues({1, 1, 47, 10}).Empty());
  TWeekdayStats week;
  week.Build(f.Archive, 0, 100);
  EXPECT_EQ(week.Draws(), 0);
  EXPECT_EQ(week.ChartPoints(0, 1, 1, WeekdayShortNames(1049)).size(), 47u);
  TDrawCard card;
  card.Build(f.Archive);
  EXPECT_TRUE(card.Shows(f.Archive));
  EXPECT_TRUE(card.SelectionValues({1, 1, 47, 1}).Empty());
  EXPECT_TRUE(BuildDrawGraph(*f.Stat("SUMS"), "", f.Archive, 0, 100, false).Empty());
  EXPECT_TRUE(AnalyzeRepeats(f.Archive, 100, 100).Rows.empty());
  EXPECT_TRUE(DrawInfoRows(f.List, f.Archive, 0, false).empty());
}

}  // namespace vetrilo
