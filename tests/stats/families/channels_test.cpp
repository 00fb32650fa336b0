#include <gtest/gtest.h>

#include "stats/families/grid_test_support.h"

namespace vetrilo {
using test::Numbered;
using test::Selected;
using test::Texts;
using test::TGridFixture;
using Strings = std::vector<std::string>;

namespace {

Strings Seeds(TCustomStat& stat) {
  TStatDrawArray list;
  stat.GetAllValues(0, list);
  return Texts(stat, list);
}

}  // namespace

TEST(ChannelStats, CombinationValuesAndTexts) {
  struct TCase {
    int Size;
    std::string Code;
    TComb Comb;
    Strings Expected;
  };
  const TCase cases[] = {
      {8, "CHAN", MakeComb(3, 7, 30, 47), {"01 [1-8] x2", "04 [25-32] x1", "06 [41-48] x1"}},
      {8,
       "CHNV",
       MakeComb(3, 7, 30, 47),
       {"01 [1-8] x 2 x1", "02 [9-16] x 0 x1", "03 [17-24] x 0 x1", "04 [25-32] x 1 x1",
        "05 [33-40] x 0 x1", "06 [41-48] x 1 x1"}},
      {8, "CHNC", MakeComb(3, 7, 30, 47), {"3 x1"}},
      {8, "CHN1", MakeComb(3, 7, 30, 47), {"2 x1"}},
      {8, "CHN2", MakeComb(3, 7, 30, 47), {"0 x1"}},
      {8, "CHN6", MakeComb(3, 7, 30, 47), {"1 x1"}},
      {8, "KCM2", MakeComb(3, 7, 30, 47), {}},  // tuples have no norm
      {3,
       "CHAN",
       MakeComb(1, 4, 7, 10),
       {"01 [1-3] x1", "02 [4-6] x1", "03 [7-9] x1", "04 [10-12] x1"}},
      {3, "CHNC", MakeComb(1, 4, 7, 10), {"4 x1"}},
      {3, "CHN16", MakeComb(45, 46, 47, 1), {"2 x1"}},
      {10,
       "CHNV",
       MakeComb(5, 15, 41, 47),
       {"01 [1-10] x 1 x1", "02 [11-20] x 1 x1", "03 [21-30] x 0 x1", "04 [31-40] x 0 x1",
        "05 [41-50] x 2 x1"}},
      {10, "CHNC", MakeComb(5, 15, 41, 47), {"3 x1"}},
      {47, "CHAN", MakeComb(1, 2, 46, 47), {"01 [1-47] x4"}},
      {47, "CHNC", MakeComb(1, 2, 46, 47), {"1 x1"}},
      {47, "CHN1", MakeComb(1, 2, 46, 47), {"4 x1"}},
      {100, "CHAN", MakeComb(1, 2, 46, 47), {"01 [1-47] x4"}},  // above 47 acts as 47
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " size " + std::to_string(c.Size));
    TGridFixture f(c.Size, 8);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    EXPECT_EQ(Texts(*stat, CombValues(*stat, c.Comb)), c.Expected);
  }
}

TEST(ChannelStats, TuplesFollowTheCallersPositionOrder) {
  // Drawn as 30, 3, 47, 7: channels 4, 1, 6, 1; sorted 3, 7, 30, 47: 1, 1, 4, 6.
  TGridFixture f(8, 8, "", {{1, 30, 3, 47, 7, 5, ""}});
  struct TCase {
    std::string Code;
    bool Sorted;
    Strings Expected;
  };
  const TCase cases[] = {
      {"KCS2", false, {"4:1 x1", "1:6 x1", "6:1 x1"}},
      {"KCS2", true, {"1:1 x1", "1:4 x1", "4:6 x1"}},
      {"KCM2", true, {"1:1 x1", "1:4 x2", "1:6 x2", "4:6 x1"}},
      {"KCM2", false, {"4:1 x2", "4:6 x1", "1:6 x1", "1:1 x1", "6:1 x1"}},
      {"KCM3", true, {"1:1:4 x1", "1:1:6 x1", "1:4:6 x2"}},
      {"KCS3", false, {"4:1:6 x1", "1:6:1 x1"}},
      {"CHAN", false, {"04 [25-32] x1", "01 [1-8] x2", "06 [41-48] x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, c.Sorted)), c.Expected);
  }
}

TEST(ChannelStats, SeededValuesFollowTheSize) {
  struct TCase {
    int Size;
    std::string Code;
    size_t Count;
    std::string First, Last;
  };
  const TCase cases[] = {
      {8, "CHAN", 6, "01 [1-8] x0", "06 [41-48] x0"},
      {8, "CHNV", 30, "01 [1-8] x 0 x0", "06 [41-48] x 4 x0"},
      {8, "CHNC", 4, "1 x0", "4 x0"},
      {8, "CHN3", 8, "1 x0", "8 x0"},
      {3, "CHAN", 16, "01 [1-3] x0", "16 [46-48] x0"},
      {3, "CHNV", 64, "01 [1-3] x 0 x0", "16 [46-48] x 3 x0"},
      {3, "CHNC", 3, "1 x0", "3 x0"},  // 4 channels can be hit, yet 1..3 only
      {3, "CHN16", 3, "1 x0", "3 x0"},
      {10, "CHNV", 25, "01 [1-10] x 0 x0", "05 [41-50] x 4 x0"},
      {47, "CHNV", 5, "01 [1-47] x 0 x0", "01 [1-47] x 4 x0"},
      {47, "CHN1", 47, "1 x0", "47 x0"},
      {1000000, "CHN1", 47, "1 x0", "47 x0"},
      {8, "KCM2", 0, "", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " size " + std::to_string(c.Size));
    TGridFixture f(c.Size, 8);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    const Strings seeds = Seeds(*stat);
    ASSERT_EQ(seeds.size(), c.Count);
    if (c.Count == 0) continue;
    EXPECT_EQ(seeds.front(), c.First);
    EXPECT_EQ(seeds.back(), c.Last);
  }
}

TEST(ChannelStats, ParameterRangeFollowsTheSizeAtBuildTime) {
  struct TCase {
    int Size;
    Strings Expected;
  };
  const TCase cases[] = {
      {8, Numbered("CHN", 1, 6)},
      {3, Numbered("CHN", 1, 16)},
      {10, Numbered("CHN", 1, 5)},
      {47, Numbered("CHN", 1, 1)},
      {100, Numbered("CHN", 1, 1)},
      {0, {}},
      {-4, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Size);
    TGridFixture f(c.Size, 8);
    EXPECT_EQ(f.Codes("CHN"), c.Expected);
    for (const char* code : {"CHAN", "CHNV", "CHNC", "KCM2", "KCM3", "KCS2", "KCS3"}) {
      EXPECT_GE(f.List.FindByCode(code), 0) << code;
    }
    EXPECT_EQ(f.List.FindByCode("KCM4"), -1);
    EXPECT_EQ(f.List.FindByCode("KCS4"), -1);
  }
  // The range is read when the list is built, not when the class is defined.
  TGridFixture f(8, 8);
  f.List.ChannelSize = 12;
  EXPECT_EQ(f.Codes("CHN").size(), 6u);
  f.List.BuildMethods();
  EXPECT_EQ(f.Codes("CHN"), Numbered("CHN", 1, 4));
  const int chn2 = f.List.FindByCode("CHN2");
  EXPECT_EQ(f.List.MethodCaption(chn2, true), "{ grp } Количество чисел в 2 канале [ NG ]");
}

TEST(ChannelStats, NoChannelsForASizeOfZeroOrLess) {
  for (int size : {0, -4}) {
    SCOPED_TRACE(size);
    TGridFixture f(size, 8, "", {{1, 3, 7, 30, 47, 5, ""}, {2, 1, 2, 3, 4, 5, ""}});
    const TStatDrawArray everything = Selected({{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 2, 0, 0}});
    int checked = 0;
    for (const TStatMethod& m : f.List.Methods) {
      if (m.Stat->GetGroup() != 3) continue;
      SCOPED_TRACE(m.Code());
      auto stat = f.List.CreateStat(m);
      EXPECT_TRUE(RangeValues(*stat, 0, 1, false).empty());
      EXPECT_TRUE(CombValues(*stat, MakeComb(1, 2, 3, 4)).empty());
      EXPECT_TRUE(FullSetValues(*stat).empty());
      EXPECT_FALSE(stat->CombMatches(MakeComb(1, 2, 3, 4), everything, 1, false, false));
      if (auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get())) {
        EXPECT_EQ(graph->GetDrawGraphValue(0, 1, false), 0);
      }
      ++checked;
    }
    EXPECT_EQ(checked, 7);  // CHAN CHNV CHNC KCM2 KCM3 KCS2 KCS3
  }
}

TEST(ChannelStats, CombMatches) {
  TGridFixture f(8, 8);
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      // "06 [41-48] x 0": every combination without a number in 41..47.
      {"CHNV", Selected({{6, 0, 0, 0}}), MakeComb(1, 2, 3, 4), true},
      {"CHNV", Selected({{6, 0, 0, 0}}), MakeComb(1, 2, 3, 41), false},
      {"CHNV", Selected({{1, 2, 0, 0}}), MakeComb(1, 2, 9, 41), true},
      {"CHNV", Selected({{1, 2, 0, 0}}), MakeComb(1, 2, 3, 41), false},
      {"CHAN", Selected({{4, 0, 0, 0}}), MakeComb(25, 1, 2, 3), true},
      {"CHAN", Selected({{4, 0, 0, 0}}), MakeComb(1, 2, 3, 4), false},
      {"CHNC", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 9, 10), true},
      {"CHNC", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 9, 17), false},
      {"KCM2", Selected({{1, 4, 0, 0}}), MakeComb(3, 30, 40, 41), true},
      {"KCM2", Selected({{1, 4, 0, 0}}), MakeComb(30, 3, 40, 41), false},  // order kept
      {"KCS2", Selected({{4, 6, 0, 0}}), MakeComb(1, 30, 41, 2), true},
      {"KCS2", Selected({{4, 6, 0, 0}}), MakeComb(30, 1, 41, 2), false},
      {"KCM3", Selected({{1, 4, 6, 0}}), MakeComb(3, 7, 30, 47), true},
      {"KCM3", Selected({{1, 4, 0, 0}}), MakeComb(3, 7, 30, 47), false},
      {"CHN2", Selected({{0, 0, 0, 0}}), MakeComb(1, 2, 3, 4), true},
      {"CHN2", Selected({{0, 0, 0, 0}}), MakeComb(9, 1, 2, 3), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, false), c.Expected);
  }
}

TEST(ChannelStats, TextsReadBackAndGraphValues) {
  TGridFixture f(8, 8, "", {{5, 3, 7, 30, 47, 5, ""}});
  auto chan = f.Stat("CHAN");
  EXPECT_EQ(chan->ParseValue("03 [17-24]"), 3);
  EXPECT_EQ(chan->ParseValue("5"), 5);  // no blank: the whole text
  EXPECT_EQ(chan->ParseValue("12"), 12);
  EXPECT_EQ(chan->ParseValue("abc"), 0);
  EXPECT_EQ(chan->ParseValue(" 3"), 0);
  EXPECT_EQ(f.Stat("CHNV")->ParseValue("3"), 0);  // values are picked, not typed
  EXPECT_EQ(f.Stat("CHNC")->ParseValue("2"), 2);
  auto chnc = f.Stat("CHNC");
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*chnc).GetDrawGraphValue(0, 0, false), 3);
  auto chn1 = f.Stat("CHN1");
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*chn1).GetDrawGraphValue(0, 0, false), 2);
  EXPECT_EQ(
      static_cast<TCustomGraphStat&>(*chn1).GetGraphValue(MakeComb(9, 10, 11, 12), 0, 0, false), 0);
}

TEST(ChannelStats, DrawsTrackGapsPerChannel) {
  // Channel 1 occurs in draws 10, 13 and 20 (twice in 20).
  TGridFixture f(
      8, 8, "",
      {{10, 1, 20, 30, 40, 1, ""}, {13, 2, 21, 31, 41, 1, ""}, {20, 3, 4, 32, 42, 1, ""}});
  auto chan = f.Stat("CHAN");
  const TStatDrawArray list = RangeValues(*chan, 0, 2, false);
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0].Count, 4);
  EXPECT_EQ(list[0].LastDraw, 20);
  EXPECT_EQ(list[0].Ago, 1);
  EXPECT_EQ(list[0].MinGap, 0);  // the second number of draw 20 sees a gap of 0
  EXPECT_EQ(list[0].MaxGap, 7);
  EXPECT_EQ(list[1].Count, 0);  // channel 2 never occurs: seeded only
}

}  // namespace vetrilo
