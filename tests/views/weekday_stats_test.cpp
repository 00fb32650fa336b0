#include "views/weekday_stats.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;

namespace {

// 01/06/2014 was a Monday.
TDrawArchive WeekArchive() {
  return MakeArchive({{1, 1, 2, 3, 4, 1, "01/05/2014"},      // Sunday
                      {2, 1, 5, 6, 7, 1, "01/06/2014"},      // Monday
                      {3, 1, 2, 8, 9, 1, ""},                // no date
                      {4, 1, 2, 10, 11, 1, "13/40/2014"},    // impossible date
                      {5, 1, 5, 12, 47, 1, "01/07/2014"},    // Tuesday
                      {6, 5, 6, 13, 14, 1, "01/13/2014"}});  // Monday
}

const auto& kNames = WeekdayShortNames(1049);

}  // namespace

TEST(WeekdayStats, DateTexts) {
  struct TCase {
    const char* Text;
    int Weekday;
  };
  for (const TCase& c : std::vector<TCase>{{"01/06/2014", 1},
                                           {"01/12/2014", 7},
                                           {"02/29/2016", 1},
                                           {"02/29/2015", 0},
                                           {"", 0},
                                           {"1/6/2014", 0},
                                           {"garbage", 0},
                                           {"07/04/2014", 5}}) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(WeekdayOfDateText(c.Text), c.Weekday);
  }
  EXPECT_EQ(WeekdayShortNames(1049)[0], "Пн");
  EXPECT_EQ(WeekdayShortNames(1033)[6], "Sun");
  EXPECT_EQ(WeekdayShortNames(1058)[6], "Вс");
}

TEST(WeekdayStats, CountsGridAndTotals) {
  TWeekdayStats w;
  w.Build(WeekArchive(), 0, 1000);
  EXPECT_EQ(w.Count(1, 5), 2);  // Mondays 2 and 6
  EXPECT_EQ(w.Count(1, 1), 1);
  EXPECT_EQ(w.Count(2, 47), 1);
  EXPECT_EQ(w.Count(7, 4), 1);
  EXPECT_EQ(w.Count(1, 8), 0);  // only in the undated draw
  EXPECT_EQ(w.MaxCount(), 2);
  EXPECT_EQ(w.Draws(), 6);
  EXPECT_EQ(w.UndatedDraws(), 2);

  EXPECT_EQ(w.Text(0, 0, kNames), "");
  EXPECT_EQ(w.Text(0, 1, kNames), "1");
  EXPECT_EQ(w.Text(0, 48, kNames), "Всего");
  EXPECT_EQ(w.Text(1, 0, kNames), "Пн");
  EXPECT_EQ(w.Text(7, 0, kNames), "Вс");
  EXPECT_EQ(w.Text(1, 5, kNames), "2");
  EXPECT_EQ(w.Text(3, 5, kNames), "");
  EXPECT_EQ(w.Text(1, 48, kNames), "8");  // Monday: two draws
  EXPECT_EQ(w.Text(4, 48, kNames), "");
  EXPECT_EQ(w.Text(8, 0, kNames), "Всего");
  EXPECT_EQ(w.Text(8, 1, kNames), "3");    // 1 on Sunday, Monday, Tuesday
  EXPECT_EQ(w.Text(8, 48, kNames), "16");  // four dated draws
  EXPECT_EQ(w.Text(9, 0, kNames), "Без даты");
  EXPECT_EQ(w.Text(9, 1, kNames), "2");
  EXPECT_EQ(w.Text(9, 8, kNames), "1");
  EXPECT_EQ(w.Text(9, 48, kNames), "8");

  // White for few, pure red for the most; no colour for empty or total cells.
  EXPECT_EQ(w.Color(1, 5), (TCellColor{"heat", 0xFF0000u}));
  EXPECT_EQ(w.Color(1, 1), (TCellColor{"heat", 0xFF8080u}));  // 255 - 127.5 rounds to 128
  EXPECT_EQ(w.Color(3, 5).Rule, "default");
  EXPECT_EQ(w.Color(8, 1).Rule, "default");
  EXPECT_EQ(w.Color(1, 48).Rule, "default");
}

TEST(WeekdayStats, WindowFollowsDepthAndOffset) {
  TWeekdayStats w;
  w.Build(WeekArchive(), 0, 1);
  // Only the newest visible draw: four cells of 1, all pure red.
  int cells = 0;
  for (int d = 1; d <= 7; ++d) {
    for (int n = 1; n <= 47; ++n) {
      if (w.Count(d, n) == 0) continue;
      ++cells;
      EXPECT_EQ(w.Color(d, n).Rgb, 0xFF0000u);
    }
  }
  EXPECT_EQ(cells, 4);
  EXPECT_EQ(w.Count(1, 13), 1);

  w.Build(WeekArchive(), 1, 1000);  // the newest Monday is hidden
  EXPECT_EQ(w.Count(1, 5), 1);
  EXPECT_EQ(w.Count(1, 13), 0);
  EXPECT_EQ(w.Draws(), 5);

  w.Build(TDrawArchive(), 0, 1000);
  EXPECT_EQ(w.MaxCount(), 0);
  EXPECT_EQ(w.Text(8, 48, kNames), "");
  EXPECT_EQ(w.Color(1, 1).Rule, "default");
}

TEST(WeekdayStats, ChartAndSelection) {
  TWeekdayStats w;
  w.Build(WeekArchive(), 0, 1000);
  const auto byNumbers = w.ChartPoints(0, 1, 30, kNames);  // Monday's row
  ASSERT_EQ(byNumbers.size(), 47u);
  EXPECT_EQ(byNumbers[4].X, 5);
  EXPECT_EQ(byNumbers[4].Y, 2);
  EXPECT_EQ(byNumbers[4].Label, "5");
  const auto byDays = w.ChartPoints(1, 4, 1, kNames);  // number 1's column
  ASSERT_EQ(byDays.size(), 7u);
  EXPECT_EQ(byDays[0].Label, "Пн");
  EXPECT_EQ(byDays[0].Y, 1);
  EXPECT_EQ(byDays[2].Y, 0);
  EXPECT_EQ(byDays[6].Y, 1);
  // A total row or column charts zeros rather than totals.
  EXPECT_EQ(w.ChartPoints(0, 8, 1, kNames)[0].Y, 0);

  EXPECT_EQ(TWeekdayStats::SelectionValues({5, 1, 7, 2}).Text(), "5; 6; 7");
  EXPECT_EQ(TWeekdayStats::SelectionValues({0, 1, 2, 7}).Text(), "1; 2");
  EXPECT_EQ(TWeekdayStats::SelectionValues({46, 1, 48, 9}).Text(), "46; 47");
  EXPECT_TRUE(TWeekdayStats::SelectionValues({0, 1, 0, 7}).Empty());
  EXPECT_TRUE(TWeekdayStats::SelectionValues({48, 1, 48, 7}).Empty());
}

}  // namespace vetrilo
