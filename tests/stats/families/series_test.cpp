#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;
using TTexts = std::vector<std::string>;

namespace {

const TStatDrawRec* FindValue(const TStatDrawArray& list, int w1, int w2) {
  TStatDrawRec probe;
  probe.SetWords(w1, w2);
  const int i = list.Find(probe.Key());
  return i < 0 ? nullptr : &list[size_t(i)];
}

// 17 in draws 1, 2, 3, not in 4, again in 5 and 6 (the newest).
const std::vector<test::TDrawSpec> kRuns = {
    {1, 17, 1, 2, 3, 1, ""},    {2, 17, 4, 5, 6, 1, ""},    {3, 17, 7, 8, 9, 1, ""},
    {4, 10, 11, 12, 13, 1, ""}, {5, 17, 20, 21, 22, 1, ""}, {6, 32, 31, 17, 30, 1, ""},
};

}  // namespace

TEST(SeriesStats, GroupsAndPausesOverTheAnalysedRange) {
  TStatFixture f(kRuns);
  struct TCase {
    std::string Code;
    int First;
    TTexts Expected;
  };
  const TCase cases[] = {
      // Closed run at draw 4, open run at the newest draw; numbers absent from
      // the newest draw never show.
      {"GRPV", 0, {"17 x 3 x1", "17 x 2 x1", "30 x 1 x1", "31 x 1 x1", "32 x 1 x1"}},
      {"GRPP", 0, {"17 x 1 x1", "30 x 5 x1", "31 x 5 x1", "32 x 5 x1"}},
      // Runs are cut at the first analysed draw.
      {"GRPV", 2, {"17 x 1 x1", "17 x 2 x1", "30 x 1 x1", "31 x 1 x1", "32 x 1 x1"}},
      {"GRPP", 2, {"17 x 1 x1", "30 x 3 x1", "31 x 3 x1", "32 x 3 x1"}},
      // Depth 1: groups of length 1, no pause at all.
      {"GRPV", 5, {"17 x 1 x1", "30 x 1 x1", "31 x 1 x1", "32 x 1 x1"}},
      {"GRPP", 5, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " from " + std::to_string(c.First));
    auto stat = f.Stat(c.Code);
    for (bool sorted : {false, true}) {
      EXPECT_EQ(Texts(*stat, RangeValues(*stat, c.First, 5, sorted)), c.Expected);
    }
  }
}

TEST(SeriesStats, ValuesCarryTheDrawOfTheirRun) {
  TStatFixture f(kRuns);
  auto groups = f.Stat("GRPV");
  const TStatDrawArray list = RangeValues(*groups, 0, 5, false);
  const TStatDrawRec* closed = FindValue(list, 17, 3);
  ASSERT_NE(closed, nullptr);
  EXPECT_EQ(closed->LastDraw, 3);  // the run's last draw, index 2
  EXPECT_EQ(closed->Ago, 4);
  const TStatDrawRec* open = FindValue(list, 17, 2);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->LastDraw, 6);
  EXPECT_EQ(open->Ago, 1);
  auto pauses = f.Stat("GRPP");
  const TStatDrawArray pauseList = RangeValues(*pauses, 0, 5, false);
  const TStatDrawRec* pause = FindValue(pauseList, 30, 5);
  ASSERT_NE(pause, nullptr);
  EXPECT_EQ(pause->LastDraw, 5);
  EXPECT_EQ(pause->Ago, 2);
}

TEST(SeriesStats, ChannelsAndSegmentsAsItems) {
  struct TCase {
    std::string Name;
    int ChannelSize;
    std::string Segments;  // digits for the numbers 1, 2, ...; the rest are 1
    std::vector<test::TDrawSpec> Draws;
    std::string Code;
    TTexts Expected;
  };
  // Channel size 10: channels 1..10, 11..20, 21..30, 31..40, 41..47.
  const std::vector<test::TDrawSpec> channelDraws = {
      {1, 11, 15, 1, 2, 1, ""},  // channel 2 twice counts once
      {2, 12, 30, 3, 4, 1, ""},
      {3, 41, 42, 43, 44, 1, ""},  // channel 5 is not in the newest draw
      {4, 13, 25, 26, 5, 1, ""},
  };
  // Number 1 lies in segment 0; the middle record is damaged (0 and 60 have no item).
  const std::vector<test::TDrawSpec> segmentDraws = {
      {1, 1, 2, 3, 4, 1, ""}, {2, 0, 60, 6, 7, 1, ""}, {3, 1, 8, 9, 10, 1, ""}};
  const TCase cases[] = {
      {"channel groups",
       10,
       "",
       channelDraws,
       "GRCV",
       {"01 x 2 x1", "02 x 2 x1", "03 x 1 x2", "01 x 1 x1", "02 x 1 x1"}},
      {"channel pauses", 10, "", channelDraws, "GRCP", {"03 x 1 x2", "01 x 1 x1", "02 x 1 x1"}},
      {"one big channel", 47, "", channelDraws, "GRCV", {"01 x 4 x1"}},
      {"one big channel", 47, "", channelDraws, "GRCP", {}},
      {"no channels", 0, "", channelDraws, "GRCV", {}},
      {"no channels", -4, "", channelDraws, "GRCP", {}},
      {"segment 0", 8, "0", segmentDraws, "GRSV", {"0 x 1 x2", "1 x 3 x1"}},
      {"segment 0", 8, "0", segmentDraws, "GRSP", {"0 x 1 x1"}},
      {"segment 0",
       8,
       "0",
       segmentDraws,
       "GRPV",
       {"1 x 1 x2", "8 x 1 x1", "9 x 1 x1", "10 x 1 x1"}},
      {"segments 2 and 3", 8, "3332", segmentDraws, "GRSV", {"3 x 1 x2", "1 x 2 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name + " " + c.Code);
    TStatFixture f(c.Draws);
    f.List.ChannelSize = c.ChannelSize;
    for (size_t i = 0; i < c.Segments.size(); ++i)
      f.List.MatrixSegments[i] = uint8_t(c.Segments[i] - '0');
    f.List.BuildMethods();
    auto stat = f.Stat(c.Code);
    const int last = f.Archive.High();
    EXPECT_EQ(Texts(*stat, RangeValues(*stat, 0, last, false)), c.Expected);
  }
}

TEST(SeriesStats, CombMatchesLooksAtTheItemOnly) {
  TStatFixture f(kRuns);
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      // Channel 3 (17..24 with size 8), whatever the run length.
      {"GRCV", Selected({{3, 2, 0, 0}}), MakeComb(1, 2, 17, 40), true},
      {"GRCP", Selected({{3, 9, 0, 0}}), MakeComb(24, 2, 5, 40), true},
      {"GRCV", Selected({{3, 2, 0, 0}}), MakeComb(1, 2, 16, 40), false},
      {"GRPV", Selected({{17, 3, 0, 0}}), MakeComb(5, 17, 30, 41), true},
      {"GRPV", Selected({{17, 3, 0, 0}}), MakeComb(5, 18, 30, 41), false},
      {"GRSV", Selected({{1, 1, 0, 0}}), MakeComb(5, 18, 30, 41), true},
      {"GRSP", Selected({{2, 1, 0, 0}}), MakeComb(5, 18, 30, 41), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    stat->LoadDraws(-1, 5, false);
    for (bool exclude : {false, true}) {
      EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 5, false, exclude), c.Expected);
    }
  }
}

TEST(SeriesStats, ClassData) {
  TStatFixture f;
  const int grcv = f.List.FindByCode("GRCV");
  ASSERT_GE(grcv, 0);
  EXPECT_EQ(f.List.MethodCaption(grcv, true),
            "{ ser } Повторы каналов в нескольких тиражах подряд [ D ]");
  for (const char* code : {"GRPV", "GRPP", "GRCV", "GRCP", "GRSV", "GRSP"}) {
    const TStatMethod& m = f.List.Item(f.List.FindByCode(code));
    EXPECT_FALSE(m.Stat->CanParseValue()) << code;
    EXPECT_EQ(m.Stat->GetHelpCode(), code);
    auto stat = f.List.CreateStat(m);
    EXPECT_EQ(stat->ParseValue("17"), 0);
    EXPECT_TRUE(CombValues(*stat, MakeComb(1, 2, 3, 4)).empty());
  }
}

}  // namespace vetrilo
