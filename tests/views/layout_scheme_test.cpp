#include "views/layout_scheme.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::TDrawSpec;

namespace {

TDrawArchive Numbered(int first, int count) {
  std::vector<TDrawSpec> specs;
  for (int i = 0; i < count; ++i) {
    const int base = (i * 4) % 40;
    specs.push_back({first + i, base + 1, base + 2, base + 3, base + 4, 1, ""});
  }
  return MakeArchive(specs);
}

}  // namespace

TEST(NumberTally, WindowAndMarks) {
  const TDrawArchive archive = Numbered(1, 5);
  EXPECT_EQ(ViewWindow(archive, 0, 3).First, 2);
  EXPECT_EQ(ViewWindow(archive, 0, 3).Last, 4);
  EXPECT_EQ(ViewWindow(archive, 1, 100).First, 0);
  EXPECT_EQ(ViewWindow(archive, 4, 100).Last, 0);
  EXPECT_TRUE(ViewWindow(TDrawArchive(), 0, 10).Empty());
  EXPECT_TRUE(NextDrawMarks(archive, 0).empty());
  EXPECT_EQ(NextDrawMarks(archive, 1), (std::set<int>{17, 18, 19, 20}));
  EXPECT_EQ(NextDrawMarks(archive, 4), (std::set<int>{5, 6, 7, 8}));
  EXPECT_TRUE(NextDrawMarks(archive, 5).empty());
}

TEST(LayoutScheme, NumbersByCountAndLastDraw) {
  // 7 and 12 both three times, last in draw 512; 30 twice, last in 511.
  const TDrawArchive archive = MakeArchive({{509, 7, 12, 30, 1, 1, ""},
                                            {510, 12, 7, 2, 3, 1, ""},
                                            {511, 30, 4, 5, 6, 1, ""},
                                            {512, 7, 8, 12, 9, 1, ""}});
  TLayoutScheme s;
  s.Build(archive, 0, 100);
  // Rows: counts 3, 2, 1; columns: draws 512, 511, 510, 509.
  ASSERT_EQ(s.RowCount(), 4);
  ASSERT_EQ(s.ColumnCount(), 5);
  EXPECT_EQ(s.Text(0, 1), "512");
  EXPECT_EQ(s.Text(0, 3), "510");
  EXPECT_EQ(s.Text(1, 0), "3");
  EXPECT_EQ(s.Text(3, 0), "1");
  EXPECT_EQ(s.Text(1, 1), "7, 12");
  EXPECT_EQ(s.Text(2, 2), "30");
  EXPECT_EQ(s.Text(3, 1), "8, 9");
  EXPECT_EQ(s.Text(3, 2), "4, 5, 6");
  EXPECT_EQ(s.Text(3, 3), "2, 3");
  EXPECT_EQ(s.Text(3, 4), "1");
  EXPECT_EQ(s.Text(2, 1), "");

  // The hidden newest draw brackets its numbers; depth beyond the archive takes all.
  s.Build(archive, 1, 1000);
  EXPECT_EQ(s.Text(0, 1), "511");
  EXPECT_EQ(s.Text(1, 0), "2");
  EXPECT_EQ(s.Text(1, 1), "30");
  EXPECT_EQ(s.Text(1, 2), "[12], [7]");
  EXPECT_EQ(s.Color(1, 2, true).Rule, "mark");
  EXPECT_EQ(s.Color(1, 2, false).Rgb, 0x00FF00u);
  EXPECT_EQ(s.SelectionValues({1, 1, 2, 1}).Text(), "30; 12; 7");
  EXPECT_EQ(s.SelectionValues({1, 1, 3, 2}).Text(), "30; 4; 5; 6; 12; 7; 2; 3; 1");

  TLayoutScheme empty;
  empty.Build(TDrawArchive(), 0, 10);
  EXPECT_EQ(empty.RowCount(), 1);
  EXPECT_EQ(empty.ColumnCount(), 1);
}

TEST(LayoutScheme, GradientAndCheckerboardColours) {
  TLayoutScheme s;
  s.Build(Numbered(1, 12), 0, 12);  // 10 columns of last draws, 2 rows of counts
  ASSERT_EQ(s.RowCount(), 3);
  ASSERT_EQ(s.ColumnCount(), 11);
  // red 255 - 155*1/3 = 203.33, green 255 - 155*1/11 = 240.9, blue 100 + 155/3 = 151.67
  EXPECT_EQ(s.Color(1, 1, true), (TCellColor{"gradient", 0xCBF198u}));
  // red 255 - 155*2/3 = 151.67, green 255 - 155*10/11 = 114.09, blue 203.33
  EXPECT_EQ(s.Color(2, 10, true), (TCellColor{"gradient", 0x9872CBu}));
  struct TCase {
    int Row, Column;
    const char* Rule;
  };
  for (const TCase& c : std::vector<TCase>{{1, 1, "green"}, {1, 6, "pink"}, {2, 10, "pink"}}) {
    SCOPED_TRACE(c.Column);
    EXPECT_EQ(s.Color(c.Row, c.Column, false).Rule, c.Rule);
  }
  EXPECT_EQ(s.Color(0, 1, true).Rule, "default");
  EXPECT_EQ(s.Color(1, 0, false).Rule, "default");
}

TEST(LayoutScheme, SelectionReadsBracketedPieces) {
  TGridValues v;
  v.AddLayoutCell("[17], 25");
  EXPECT_EQ(v.Text(), "17; 25");
  for (const TGridRect& r : std::vector<TGridRect>{{0, 1, 3, 1}, {1, 1, 48, 1}}) {
    EXPECT_FALSE(TLayoutScheme::CanFilter(r));
  }
  EXPECT_TRUE(TLayoutScheme::CanFilter({1, 1, 47, 5}));
}

TEST(LayoutCompare, ListsGroupNumbersByCount) {
  const TDrawArchive archive = Numbered(101, 20);
  const TLayoutCompareList all = BuildLayoutCompare(archive, 0, 50);
  EXPECT_EQ(all.Caption, "101 - 120");
  // 20 draws of 10 repeating groups of four: numbers 1..40 twice each, first-met order.
  ASSERT_EQ(all.Items.size(), 1u);
  EXPECT_EQ(all.Items[0].Count, 2);
  EXPECT_EQ(all.Items[0].Numbers.substr(0, 14), "37, 38, 39, 40");

  const TLayoutCompareList some = BuildLayoutCompare(archive, 2, 12);
  EXPECT_EQ(some.Caption, "107 - 118");
  ASSERT_EQ(some.Items.size(), 2u);
  EXPECT_EQ(some.Items[0].Count, 2);
  EXPECT_EQ(some.Items[0].Numbers, "29, 30, 31, 32, 25, 26, 27, 28");
  EXPECT_EQ(some.Items[1].Count, 1);

  const TLayoutCompareList none = BuildLayoutCompare(TDrawArchive(), 0, 50);
  EXPECT_TRUE(none.Items.empty());
  EXPECT_EQ(none.Caption, "");
}

}  // namespace vetrilo
