#include "views/draw_graphs.h"

#include <gtest/gtest.h>

#include "core/demo_archive.h"
#include "stats/custom_stat.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::TStatFixture;

namespace {

const std::vector<test::TDrawSpec> kDraws = {{101, 1, 2, 3, 4, 5, "01/01/2014"},
                                             {102, 10, 20, 30, 40, 6, "01/04/2014"},
                                             {103, 1, 2, 3, 5, 7, "01/08/2014"},
                                             {104, 4, 3, 2, 1, 8, "01/11/2014"}};

}  // namespace

TEST(DrawGraph, ValuesMeanAndModeOverTheWindow) {
  TStatFixture f(kDraws);
  auto sums = f.Stat("SUMS");
  const TDrawGraph g = BuildDrawGraph(*sums, "sums", f.Archive, 0, 3, false);
  ASSERT_EQ(g.Values.size(), 3u);
  EXPECT_EQ(g.Values[0].X, 102);  // oldest first
  EXPECT_EQ(g.Values[0].Y, 100);
  EXPECT_EQ(g.Values[0].Label, "102");
  EXPECT_EQ(g.Values[2].Y, 10);
  EXPECT_DOUBLE_EQ(g.Mean, 121.0 / 3);
  EXPECT_EQ(DrawGraphMeanText(g), "40.3333");
  EXPECT_EQ(g.Mode, 100);  // three values once each: the first one wins

  // Depth beyond the visible archive starts at the oldest draw; the offset ends earlier.
  const TDrawGraph deep = BuildDrawGraph(*f.Stat("SUMS"), "sums", f.Archive, 1, 1000, false);
  ASSERT_EQ(deep.Values.size(), 3u);
  EXPECT_EQ(deep.Values.front().X, 101);
  EXPECT_EQ(deep.Values.back().X, 103);
  EXPECT_EQ(deep.Mode, 10);

  // The first position differs with the sorted view; a value the same everywhere
  // gives equal mean and mode.
  const TDrawGraph pos = BuildDrawGraph(*f.Stat("POS1"), "pos", f.Archive, 0, 1, false);
  EXPECT_EQ(pos.Values[0].Y, 4);
  const TDrawGraph sorted = BuildDrawGraph(*f.Stat("POS1"), "pos", f.Archive, 0, 1, true);
  EXPECT_EQ(sorted.Values[0].Y, 1);
  TStatFixture same({{1, 1, 2, 3, 4, 1, ""}, {2, 4, 3, 2, 1, 1, ""}, {3, 2, 1, 4, 3, 1, ""}});
  const TDrawGraph flat = BuildDrawGraph(*same.Stat("SUMS"), "", same.Archive, 0, 10, false);
  EXPECT_DOUBLE_EQ(flat.Mean, 10);
  EXPECT_EQ(flat.Mode, 10);

  EXPECT_TRUE(BuildDrawGraph(*f.Stat("SUMS"), "", TDrawArchive(), 0, 10, false).Empty());
}

TEST(DrawGraph, SelectorListsTheGraphMethods) {
  TStatFixture f(kDraws);
  const auto items = DrawGraphMethodItems(f.List);
  ASSERT_FALSE(items.empty());
  bool sums = false;
  for (const TMethodItem& item : items) {
    EXPECT_TRUE(f.List.Item(item.Method).Stat->HasGraph());
    sums = sums || f.List.Item(item.Method).Code() == "SUMS";
  }
  EXPECT_TRUE(sums);
  EXPECT_LT(items.size(), DrawStatsMethodItems(f.List).size());
}

TEST(InfoWindow, DrawAndCombinationRows) {
  TStatFixture f(kDraws);
  const auto rows = DrawInfoRows(f.List, f.Archive, 1, false);
  ASSERT_GT(rows.size(), 2u);
  EXPECT_EQ(rows[0].Name, "Номер тиража:");
  EXPECT_EQ(rows[0].Value, "102");
  EXPECT_EQ(rows[1].Name, "Дата тиража:");
  EXPECT_EQ(rows[1].Value, "01/04/2014");
  size_t graphs = 0;
  for (int i = 0; i < f.List.Count(); ++i) {
    graphs += f.List.Item(i).Stat->IsEnabled() && f.List.Item(i).Stat->HasGraph() ? 1 : 0;
  }
  EXPECT_EQ(rows.size(), graphs + 2);
  auto sumsRow = std::find_if(rows.begin(), rows.end(), [&](const TInfoRow& r) {
    return r.Name == f.Stat("SUMS")->GetName();
  });
  ASSERT_NE(sumsRow, rows.end());
  EXPECT_EQ(sumsRow->Value, "100");
  EXPECT_TRUE(DrawInfoRows(f.List, f.Archive, 4, false).empty());

  // A combination is read as the draw after the newest visible one, at any offset
  // and with an empty archive, without reading outside the archive.
  for (int offset : {0, 1, 3}) {
    const auto comb = CombInfoRows(f.List, f.Archive, MakeComb(5, 6, 7, 8), offset, false);
    EXPECT_EQ(comb.size(), graphs);
  }
  TDrawArchive empty;
  TStatList list;
  list.Draws = &empty;
  list.BuildMethods();
  EXPECT_EQ(CombInfoRows(list, empty, MakeComb(5, 6, 7, 8), 0, false).size(), graphs);
}

TEST(InfoWindow, Matrix) {
  EXPECT_EQ(InfoMatrixRows(8), 6);
  EXPECT_EQ(InfoMatrixRows(47), 1);
  EXPECT_EQ(InfoMatrixRows(1), 47);
  EXPECT_EQ(InfoMatrixNumber(0, 0, 8), 1);
  EXPECT_EQ(InfoMatrixNumber(1, 2, 8), 11);
  EXPECT_EQ(InfoMatrixNumber(5, 6, 8), 47);
  EXPECT_EQ(InfoMatrixNumber(5, 7, 8), 0);
  const TComb comb = MakeComb(11, 3, 47, 20);
  EXPECT_EQ(InfoMatrixText(1, 2, 8, comb), "11");
  EXPECT_EQ(InfoMatrixText(1, 3, 8, comb), "");
  EXPECT_EQ(InfoMatrixText(5, 6, 8, comb), "47");
  EXPECT_EQ(InfoMatrixColor(1, 2, 8, 8), (TCellColor{"channel", ChannelColor(11, 8)}));
  EXPECT_EQ(InfoMatrixColor(5, 7, 8, 8).Rule, "default");
}

}  // namespace vetrilo
