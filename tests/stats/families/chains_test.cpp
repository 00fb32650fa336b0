#include <gtest/gtest.h>

#include <map>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;
using TTexts = std::vector<std::string>;
using TDraws = std::vector<test::TDrawSpec>;

namespace {

void UseSettings(TStatFixture& f, int channelSize, const std::string& segments) {
  f.List.ChannelSize = channelSize;
  for (size_t i = 0; i < segments.size(); ++i)
    f.List.MatrixSegments[i] = uint8_t(segments[i] - '0');
  f.List.BuildMethods();
}

// Newest draw 4, 18, 25, 40; draw index 1 follows 18, 21, 33, 46.
const TDraws kAllChains = {
    {1, 18, 21, 33, 46, 1, ""}, {2, 2, 18, 30, 44, 1, ""}, {3, 4, 18, 25, 40, 1, ""}};
// Index 1 equals the newest draw position by position, index 0 the one before
// it except at position 2; index 2 is the draw examined.
const TDraws kPositions = {{1, 5, 10, 20, 30, 1, ""},
                           {2, 6, 11, 21, 31, 1, ""},
                           {3, 7, 12, 22, 32, 1, ""},
                           {4, 5, 9, 20, 30, 1, ""},
                           {5, 6, 11, 21, 31, 1, ""}};
// The same numbers in another drawing order: positions differ unless sorted.
const TDraws kOrder = {
    {1, 10, 3, 7, 40, 1, ""}, {2, 2, 9, 44, 15, 1, ""}, {3, 10, 40, 3, 7, 1, ""}};
// 12 is in the newest draw and in the draw before index 1, which has no number of 11..20.
const TDraws kInsideMiss = {
    {1, 12, 1, 2, 3, 1, ""}, {2, 5, 25, 35, 45, 1, ""}, {3, 12, 30, 40, 47, 1, ""}};
const TDraws kInsideHit = {
    {1, 12, 1, 2, 3, 1, ""}, {2, 15, 19, 35, 45, 1, ""}, {3, 12, 30, 40, 47, 1, ""}};

}  // namespace

TEST(ChainStats, ValuesOfOneDraw) {
  struct TCase {
    std::string Name;
    TDraws Draws;
    int ChannelSize;
    std::string Segments;
    std::string Code;
    int Index;
    bool Sorted;
    TTexts Expected;
  };
  const TCase cases[] = {
      {"all numbers",
       kAllChains,
       8,
       "",
       "SDV2",
       1,
       false,
       {"18 -> 2 x1", "18 -> 18 x1", "18 -> 30 x1", "18 -> 44 x1"}},
      {"first draw", kAllChains, 8, "", "SDV2", 0, false, {}},
      {"damaged ball",
       {{1, 18, 21, 33, 46, 1, ""}, {2, 0, 18, 30, 44, 1, ""}, {3, 4, 18, 25, 40, 1, ""}},
       8,
       "",
       "SDV2",
       1,
       false,
       {"18 -> 18 x1", "18 -> 30 x1", "18 -> 44 x1"}},
      {"all channels",
       kAllChains,
       8,
       "",
       "SCV2",
       1,
       false,
       {"03 -> 01 x2", "03 -> 03 x2", "03 -> 04 x2", "03 -> 06 x2", "05 -> 01 x1", "05 -> 03 x1",
        "05 -> 04 x1", "05 -> 06 x1"}},
      {"channels of 10",
       kAllChains,
       10,
       "",
       "SCV2",
       1,
       false,
       {"02 -> 01 x1", "02 -> 02 x1", "02 -> 03 x1", "02 -> 05 x1", "03 -> 01 x1", "03 -> 02 x1",
        "03 -> 03 x1", "03 -> 05 x1", "04 -> 01 x1", "04 -> 02 x1", "04 -> 03 x1", "04 -> 05 x1"}},
      {"no channels", kAllChains, 0, "", "SCV2", 1, false, {}},
      {"all segments", kAllChains, 8, "", "SSV2", 1, false, {"1 -> 1 x16"}},
      {"positions",
       kPositions,
       8,
       "",
       "SDP2",
       2,
       false,
       {"6 -> 7 x1", "11 -> 12 x1", "21 -> 22 x1", "31 -> 32 x1"}},
      {"one position", kPositions, 8, "", "SDN2", 2, false, {"11 -> 12 x1"}},
      {"three steps",
       kPositions,
       8,
       "",
       "SDP3",
       2,
       false,
       {"5-6 -> 7 x1", "20-21 -> 22 x1", "30-31 -> 32 x1"}},
      {"three steps, position 1", kPositions, 8, "", "SDM1", 2, false, {"5-6 -> 7 x1"}},
      {"three steps, position 2", kPositions, 8, "", "SDM2", 2, false, {}},
      {"second draw has no three-step chain", kPositions, 8, "", "SDP3", 1, false, {}},
      {"channels, three steps",
       kPositions,
       8,
       "",
       "SCP3",
       2,
       false,
       {"01-01 -> 01 x1", "02-02 -> 02 x1", "03-03 -> 03 x1", "04-04 -> 04 x1"}},
      {"channel, three steps, position 2", kPositions, 8, "", "SCM2", 2, false, {"02-02 -> 02 x1"}},
      {"segments, three steps", kPositions, 8, "", "SSP3", 2, false, {"1-1 -> 1 x4"}},
      {"segment 0 at position 1", kPositions, 8, "000000111", "SSN1", 2, false, {"0 -> 1 x1"}},
      {"drawing order", kOrder, 8, "", "SDP2", 1, false, {"10 -> 2 x1"}},
      {"sorted order",
       kOrder,
       8,
       "",
       "SDP2",
       1,
       true,
       {"3 -> 2 x1", "7 -> 9 x1", "10 -> 15 x1", "40 -> 44 x1"}},
      {"channel positions sorted",
       kOrder,
       10,
       "",
       "SCP2",
       1,
       true,
       {"01 -> 01 x2", "01 -> 02 x1", "04 -> 05 x1"}},
      {"inside, miss", kInsideMiss, 10, "", "SDA2", 1, false, {"12 -> 00 x1"}},
      {"inside, miss", kInsideMiss, 10, "", "SDG2", 1, false, {}},
      {"inside, miss", kInsideMiss, 10, "", "SDZ2", 1, false, {"12 -> 00 x1"}},
      {"inside, miss", kInsideMiss, 10, "", "SDC2", 1, false, {"12 -> 0 x1"}},
      {"inside, hit", kInsideHit, 10, "", "SDA2", 1, false, {"12 -> 15 x1", "12 -> 19 x1"}},
      {"inside, hit", kInsideHit, 10, "", "SDG2", 1, false, {"12 -> 15 x1", "12 -> 19 x1"}},
      {"inside, hit", kInsideHit, 10, "", "SDZ2", 1, false, {}},
      {"inside, hit", kInsideHit, 10, "", "SDC2", 1, false, {"12 -> 2 x1"}},
      {"inside, first draw", kInsideHit, 10, "", "SDA2", 0, false, {}},
      {"inside, no channels", kInsideHit, -1, "", "SDZ2", 1, false, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name + " " + c.Code);
    TStatFixture f(c.Draws);
    UseSettings(f, c.ChannelSize, c.Segments);
    auto stat = f.Stat(c.Code);
    if (!stat) continue;
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, c.Index, f.Archive.High(), c.Sorted)), c.Expected);
  }
}

TEST(ChainStats, CountChainsOverTheRange) {
  // Nothing ever falls into channel 6 (41..47) or segment 2.
  const TDraws draws = {{1, 1, 2, 3, 4, 1, ""}, {2, 5, 6, 7, 8, 1, ""}, {3, 9, 10, 11, 12, 1, ""}};
  TStatFixture f(draws);
  TTexts two, three;
  for (int t = 0; t <= 8; ++t) {
    // The first draw has no predecessor; the second none before that.
    two.push_back("0 -> " + std::to_string(t) + (t == 0 ? " x2" : " x0"));
    three.push_back("0-0 -> " + std::to_string(t) + (t == 0 ? " x1" : " x0"));
  }
  auto sc2c = f.Stat("SC2C6");
  EXPECT_EQ(Texts(*sc2c, RangeValues(*sc2c, 0, 2, false)), two);
  auto sc3c = f.Stat("SC3C6");
  EXPECT_EQ(Texts(*sc3c, RangeValues(*sc3c, 0, 2, false)), three);

  UseSettings(f, 8, "0000");
  // Segment 0 holds 1..4: the draw after them differs from the newest one there.
  auto ss2c = f.Stat("SS2C0");
  EXPECT_EQ(Texts(*ss2c, RangeValues(*ss2c, 0, 2, false)), TTexts{"0 -> 0 x1"});
}

TEST(ChainStats, CountChainsSeedTheNewestSituation) {
  // Newest draw: two numbers in channel 2 of size 10, two in segment 2.
  TStatFixture f({{1, 1, 5, 30, 40, 1, ""}, {2, 11, 15, 1, 2, 1, ""}});
  UseSettings(f, 10, "22");
  TTexts two, three;
  for (int t = 0; t <= 10; ++t) {
    two.push_back("2 -> " + std::to_string(t) + " x0");
    three.push_back("0-2 -> " + std::to_string(t) + " x0");
  }
  TStatDrawArray seeded;
  f.Stat("SC2C2")->GetAllValues(1, seeded);
  EXPECT_EQ(Texts(*f.Stat("SC2C2"), seeded), two);
  seeded.Clear();
  f.Stat("SC3C2")->GetAllValues(1, seeded);
  EXPECT_EQ(Texts(*f.Stat("SC3C2"), seeded), three);
  seeded.Clear();
  f.Stat("SS2C2")->GetAllValues(1, seeded);
  EXPECT_EQ(Texts(*f.Stat("SS2C2"), seeded), TTexts{"2 -> 0 x0"});
  seeded.Clear();
  f.Stat("SS3C1")->GetAllValues(
      1, seeded);  // three numbers of the older draw in segment 1, two of the newest
  EXPECT_EQ(Texts(*f.Stat("SS3C1"), seeded), TTexts{"3-2 -> 0 x0"});
  seeded.Clear();
  f.Stat("SDV2")->GetAllValues(1, seeded);
  EXPECT_TRUE(seeded.empty());
}

TEST(ChainStats, ParameterRangesFollowTheSettings) {
  struct TCase {
    int ChannelSize;
    std::string Segments;
    std::vector<int> ChannelParams;  // SC2C and SC3C
    std::vector<int> SegmentParams;  // SS2C and SS3C
  };
  const TCase cases[] = {
      {8, "", {1, 2, 3, 4, 5, 6}, {1}},
      {10, "12", {1, 2, 3, 4, 5}, {1, 2}},
      {47, "55555555555555555555555555555555555555555555555", {1}, {5}},
      {100, "0", {1}, {0, 1}},
      {0, "00000000000000000000000000000000000000000000000", {}, {0, 1}},
      {-3, "9", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ChannelSize);
    TStatFixture f;
    UseSettings(f, c.ChannelSize, c.Segments);
    std::map<std::string, std::vector<int>> params;
    for (const TStatMethod& m : f.List.Methods) params[m.Stat->GetCode()].push_back(m.Param);
    EXPECT_EQ(params["SC2C%d"], c.ChannelParams);
    EXPECT_EQ(params["SC3C%d"], c.ChannelParams);
    EXPECT_EQ(params["SS2C%d"], c.SegmentParams);
    EXPECT_EQ(params["SS3C%d"], c.SegmentParams);
    EXPECT_EQ(params["SCN%d"], (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(params["SDV2"], std::vector<int>{0});
  }
}

TEST(ChainStats, CombMatches) {
  TStatFixture f(kInsideMiss);
  UseSettings(f, 10, "");
  struct TCase {
    std::string Name;
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    int LastIndex;
    bool Expected;
  };
  const TCase cases[] = {
      // Positional classes look at every number of the candidate.
      {"second word, first position", "SDP2", Selected({{7, 19, 0, 0}}), MakeComb(19, 1, 2, 3), 2,
       true},
      {"second word, last position", "SDP2", Selected({{7, 19, 0, 0}}), MakeComb(1, 2, 3, 19), 2,
       true},
      {"first word is not looked at", "SDP2", Selected({{7, 19, 0, 0}}), MakeComb(7, 1, 2, 3), 2,
       false},
      {"three steps: third word", "SDM3", Selected({{5, 6, 7, 0}}), MakeComb(1, 2, 7, 9), 2, true},
      {"three steps: second word no", "SDP3", Selected({{5, 6, 7, 0}}), MakeComb(1, 2, 6, 9), 2,
       false},
      {"channel", "SCV2", Selected({{3, 5, 0, 0}}), MakeComb(1, 2, 3, 41), 2, true},
      {"channel no", "SCV2", Selected({{3, 5, 0, 0}}), MakeComb(1, 2, 3, 40), 2, false},
      {"channel three steps", "SCP3", Selected({{1, 2, 4, 0}}), MakeComb(1, 2, 3, 31), 2, true},
      {"segment", "SSN1", Selected({{1, 1, 0, 0}}), MakeComb(1, 2, 3, 31), 2, true},
      {"count of two", "SC2C1", Selected({{1, 2, 0, 0}}), MakeComb(1, 2, 20, 30), 2, true},
      {"count of one", "SC2C1", Selected({{1, 2, 0, 0}}), MakeComb(1, 20, 30, 40), 2, false},
      {"count, three steps", "SC3C1", Selected({{0, 1, 2, 0}}), MakeComb(1, 2, 20, 30), 2, true},
      {"count, three steps, second word", "SC3C1", Selected({{0, 2, 1, 0}}), MakeComb(1, 2, 20, 30),
       2, false},
      {"segment count", "SS2C1", Selected({{3, 4, 0, 0}}), MakeComb(1, 2, 20, 30), 2, true},
      // Inside channels: failures and counts stand for the whole channel of the number.
      {"failure", "SDZ2", Selected({{12, 0, 0, 0}}), MakeComb(1, 15, 30, 40), 2, true},
      {"failure, other channel", "SDZ2", Selected({{12, 0, 0, 0}}), MakeComb(1, 25, 30, 40), 2,
       false},
      {"failure, 12 not in the newest draw", "SDZ2", Selected({{12, 0, 0, 0}}),
       MakeComb(1, 15, 30, 40), 1, false},
      {"count", "SDC2", Selected({{12, 3, 0, 0}}), MakeComb(1, 19, 30, 40), 2, true},
      {"success", "SDG2", Selected({{12, 15, 0, 0}}), MakeComb(1, 15, 30, 40), 2, true},
      {"success, other number", "SDG2", Selected({{12, 15, 0, 0}}), MakeComb(1, 19, 30, 40), 2,
       false},
      {"all, failure entry", "SDA2", Selected({{12, 15, 0, 0}, {12, 0, 0, 0}}),
       MakeComb(1, 19, 30, 40), 2, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name + " " + c.Code);
    auto stat = f.Stat(c.Code);
    if (!stat) continue;
    stat->LoadDraws(-1, c.LastIndex, false);
    for (bool exclude : {false, true}) {
      EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, c.LastIndex, false, exclude), c.Expected);
    }
  }
}

TEST(ChainStats, CaptionsAndTexts) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    std::string Caption;
    std::string HelpCode;
    std::array<int, 3> Value;
    std::string Text;
  };
  const TCase cases[] = {
      {"SDV2",
       "{ mov } Переходы чисел между 2 тиражами без учета позиции [ D ]",
       "SDV2",
       {5, 17, 0},
       "5 -> 17"},
      {"SDN1",
       "{ mov } Переходы чисел между 2 тиражами в 1 позиции [ SD ]",
       "SDNx",
       {5, 17, 0},
       "5 -> 17"},
      {"SDM4",
       "{ mov } Переходы чисел между 3 тиражами в 4 позиции [ SD ]",
       "SDMx",
       {3, 12, 40},
       "3-12 -> 40"},
      {"SCV2",
       "{ mov } Переходы каналов между 2 тиражами без учета позиции [ D ]",
       "SCV2",
       {3, 5, 0},
       "03 -> 05"},
      {"SCP3",
       "{ mov } Переходы каналов между 3 тиражами с учетом позиции [ SD ]",
       "SCP3",
       {3, 4, 5},
       "03-04 -> 05"},
      {"SC2C3",
       "{ mov } Переходы кол-ва чисел в 3 канале между 2 тиражами [ D ]",
       "SC2Cx",
       {7, 2, 0},
       "7 -> 2"},
      {"SC3C6",
       "{ mov } Переходы кол-ва чисел в 6 канале между 3 тиражами [ D ]",
       "SC3Cx",
       {1, 1, 0},
       "1-1 -> 0"},
      {"SDZ2",
       "{ mov } Переходы чисел в пределах каналов (N-0, не удачные) [ D ]",
       "SDZ2",
       {7, 0, 0},
       "07 -> 00"},
      {"SDG2",
       "{ mov } Переходы чисел в пределах каналов (N-M, удачные) [ D ]",
       "SDG2",
       {7, 8, 0},
       "07 -> 08"},
      {"SDC2",
       "{ mov } Переходы чисел в пределах каналов (количество) [ D ]",
       "SDC2",
       {7, 2, 0},
       "7 -> 2"},
      {"SSP2",
       "{ mov } Переходы сегментов между 2 тиражами с учетом позиции [ SD ]",
       "SSP2",
       {1, 2, 0},
       "1 -> 2"},
      {"SSM2",
       "{ mov } Переходы сегментов между 3 тиражами в 2 позиции [ SD ]",
       "SSMx",
       {1, 1, 0},
       "1-1 -> 0"},
      {"SS2C1",
       "{ mov } Переходы кол-ва чисел в 1 сегменте между 2 тиражами [ D ]",
       "SS2Cx",
       {2, 0, 0},
       "2 -> 0"},
      {"SS3C1",
       "{ mov } Переходы кол-ва чисел в 1 сегменте между 3 тиражами [ D ]",
       "SS3Cx",
       {1, 2, 3},
       "1-2 -> 3"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    const int i = f.List.FindByCode(c.Code);
    ASSERT_GE(i, 0);
    EXPECT_EQ(f.List.MethodCaption(i, true), c.Caption);
    EXPECT_EQ(f.List.Item(i).Stat->GetHelpCode(), c.HelpCode);
    EXPECT_FALSE(f.List.Item(i).Stat->CanParseValue());
    EXPECT_FALSE(f.List.Item(i).Stat->HasGraph());
    auto stat = f.List.CreateStat(f.List.Item(i));
    TStatDrawRec value;
    value.SetWords(c.Value[0], c.Value[1], c.Value[2]);
    EXPECT_EQ(stat->ValueToText(value), c.Text);
    EXPECT_TRUE(CombValues(*stat, MakeComb(1, 2, 3, 4)).empty());
  }
}

}  // namespace vetrilo
