#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;
using TTexts = std::vector<std::string>;

namespace {

void UseSettings(TStatFixture& f, int channelSize, const std::string& segments) {
  f.List.ChannelSize = channelSize;
  for (size_t i = 0; i < segments.size(); ++i)
    f.List.MatrixSegments[i] = uint8_t(segments[i] - '0');
  f.List.BuildMethods();
}

}  // namespace

TEST(PeriodStats, PeriodsAreDifferencesOfDrawNumbers) {
  struct TCase {
    std::string Name;
    int ChannelSize;
    std::string Segments;
    std::vector<test::TDrawSpec> Draws;
    std::string Code;
    TTexts Expected;
  };
  const TCase cases[] = {
      // 17 in the draws numbered 100, 103 and 110: the first appearance adds nothing.
      {"numbers with gaps",
       8,
       "",
       {{100, 17, 1, 2, 3, 1, ""}, {103, 17, 4, 5, 6, 1, ""}, {110, 1, 4, 17, 7, 1, ""}},
       "PRDV",
       {"17 x 3 x1", "1 x 10 x1", "4 x 7 x1", "17 x 7 x1"}},
      // Channel 2 twice in one draw: only the first yields a period.
      {"channel twice",
       10,
       "",
       {{1, 12, 25, 33, 44, 1, ""}, {2, 11, 15, 30, 41, 1, ""}},
       "PRDC",
       {"02 x 1 x1", "03 x 1 x1", "05 x 1 x1"}},
      {"no channels", 0, "", {{1, 12, 25, 33, 44, 1, ""}, {2, 11, 15, 30, 41, 1, ""}}, "PRDC", {}},
      // Segment 0 is an item of its own; a damaged ball has none.
      {"segment 0",
       8,
       "02",
       {{5, 1, 2, 3, 4, 1, ""}, {7, 0, 60, 2, 9, 1, ""}, {8, 1, 40, 41, 42, 1, ""}},
       "PRDG",
       {"2 x 2 x1", "1 x 2 x1", "0 x 3 x1", "1 x 1 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStatFixture f(c.Draws);
    UseSettings(f, c.ChannelSize, c.Segments);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, RangeValues(*stat, 0, f.Archive.High(), false)), c.Expected);
  }
}

TEST(PeriodStats, GapsBetweenEqualPeriods) {
  // 5 comes every 2 draws: the period 5 x 2 is seen at the draws 3, 5 and 7.
  TStatFixture f({{1, 5, 1, 2, 3, 1, ""},
                  {2, 6, 7, 8, 9, 1, ""},
                  {3, 5, 10, 11, 12, 1, ""},
                  {4, 6, 13, 14, 15, 1, ""},
                  {5, 5, 16, 17, 18, 1, ""},
                  {6, 6, 19, 20, 21, 1, ""},
                  {7, 5, 22, 23, 24, 1, ""}});
  auto stat = f.Stat("PRDV");
  const TStatDrawArray list = RangeValues(*stat, 0, 6, false);
  TStatDrawRec probe;
  probe.SetWords(5, 2);
  const int i = list.Find(probe.Key());
  ASSERT_GE(i, 0);
  EXPECT_EQ(list[size_t(i)].Count, 3);
  EXPECT_EQ(list[size_t(i)].LastDraw, 7);
  EXPECT_EQ(list[size_t(i)].Ago, 1);
  EXPECT_EQ(list[size_t(i)].MinGap, 2);
  EXPECT_EQ(list[size_t(i)].MaxGap, 2);
}

TEST(PeriodStats, CombMatchesLooksBackByThePeriod) {
  // Newest draw at index 4; 17 came in index 2 but not in index 1.
  TStatFixture f({{1, 17, 1, 2, 3, 1, ""},
                  {2, 4, 5, 6, 7, 1, ""},
                  {3, 8, 17, 9, 10, 1, ""},
                  {4, 11, 12, 13, 14, 1, ""},
                  {5, 15, 16, 18, 19, 1, ""},
                  {6, 17, 20, 21, 22, 1, ""}});  // hidden behind LastIndex 4
  struct TCase {
    std::string Name;
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    int LastIndex;
    bool Include;  // CombMatches in include mode
    bool Exclude;  // and in exclude mode
  };
  const TComb with17 = MakeComb(17, 30, 31, 32);
  const TComb without17 = MakeComb(16, 30, 31, 32);
  const TCase cases[] = {
      {"draw X-2 has 17", "PRDV", Selected({{17, 3, 0, 0}}), with17, 4, true, false},
      {"other numbers", "PRDV", Selected({{17, 3, 0, 0}}), without17, 4, false, false},
      {"draw X-3 lacks 17", "PRDV", Selected({{17, 4, 0, 0}}), with17, 4, false, true},
      {"before index 0", "PRDV", Selected({{17, 50, 0, 0}}), with17, 4, false, true},
      {"any entry may match", "PRDV", Selected({{17, 4, 0, 0}, {17, 3, 0, 0}}), with17, 4, true,
       true},
      {"hidden draws are read", "PRDV", Selected({{17, 0, 0, 0}}), with17, 4, true, false},
      // Channel 3 (17..24): draw index 2 holds 17, index 3 none of channel 3.
      {"channel", "PRDC", Selected({{3, 3, 0, 0}}), MakeComb(1, 2, 24, 40), 4, true, false},
      {"channel absent", "PRDC", Selected({{3, 2, 0, 0}}), MakeComb(1, 2, 24, 40), 4, false, true},
      {"segment", "PRDG", Selected({{1, 1, 0, 0}}), MakeComb(1, 2, 24, 40), 4, true, false},
      {"segment before index 0", "PRDG", Selected({{1, 9, 0, 0}}), MakeComb(1, 2, 24, 40), 4, false,
       true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto stat = f.Stat(c.Code);
    stat->LoadDraws(-1, c.LastIndex, false);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, c.LastIndex, false, false), c.Include);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, c.LastIndex, false, true), c.Exclude);
  }
}

TEST(PeriodStats, SearchStartsWithAnEmptyMemory) {
  TStatFixture f({{100, 17, 1, 2, 3, 1, ""},
                  {103, 17, 4, 5, 6, 1, ""},
                  {104, 7, 8, 9, 10, 1, ""},
                  {106, 17, 11, 12, 13, 1, ""}});
  auto stat = f.Stat("PRDV");
  TStatDrawRec three;
  three.SetWords(17, 3);
  EXPECT_EQ(stat->FindValueInDraws(three, 0, 3, false), 103);
  EXPECT_EQ(stat->FindValueInDraws(three, 1, 3, false), 106);  // 103 -> 106, remembered from 1 on
  EXPECT_EQ(stat->FindValueInDraws(three, 2, 3, false), -1);   // 106 is the first 17 seen
  EXPECT_EQ(stat->FindValueInDraws(three, -5, 3, false), 103);
}

TEST(PeriodStats, ClassData) {
  TStatFixture f;
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("PRDV"), true),
            "{ per } Периоды повторения чисел [ P ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("PRDG"), true),
            "{ per } Периоды повторения сегментов [ P ]");
  auto prdc = f.Stat("PRDC");
  EXPECT_FALSE(prdc->Class().CanParseValue());
  EXPECT_FALSE(prdc->Class().HasNorm());
  TStatDrawRec value;
  value.SetWords(3, 2);
  EXPECT_EQ(prdc->ValueToText(value), "03 x 2");
  auto prdv = f.Stat("PRDV");
  value.SetWords(17, 5);
  EXPECT_EQ(prdv->ValueToText(value), "17 x 5");
}

}  // namespace vetrilo

namespace vetrilo {

// A damaged archive whose draw numbers span more than 32 bits: the period is
// taken in 64 bits and kept in its 16-bit word (4,000,000,000 -> 10240).
TEST(PeriodStats, DrawNumbersFarApartDoNotOverflow) {
  test::TStatFixture f({{-2000000000, 17, 1, 2, 3, 1, ""}, {2000000000, 17, 4, 5, 6, 1, ""}});
  f.List.ChannelSize = 8;
  f.List.MatrixSegments[0] = 2;
  f.List.BuildMethods();
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"PRDV", {"17 x 10240 x1"}},
      {"PRDC", {"03 x 10240 x1", "01 x 10240 x1"}},
      {"PRDG", {"1 x 10240 x1"}},
  };
  for (const auto& [code, expected] : cases) {
    SCOPED_TRACE(code);
    auto stat = f.Stat(code);
    EXPECT_EQ(test::Texts(*stat, RangeValues(*stat, 0, f.Archive.High(), false)), expected);
  }
}

}  // namespace vetrilo
