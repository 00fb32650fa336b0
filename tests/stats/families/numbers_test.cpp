#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;

TEST(NumberStats, CombinationValuesAndTexts) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    TComb Comb;
    std::vector<std::string> Expected;
  };
  const TCase cases[] = {
      {"EVEN", MakeComb(1, 3, 5, 7), {"0:4 x1"}},
      {"SMAL", MakeComb(1, 3, 5, 7), {"4:0 x1"}},
      {"EVNV", MakeComb(1, 3, 5, 7), {"нннн (015) x1"}},
      {"EVNV", MakeComb(2, 5, 8, 11), {"ЧнЧн (005) x1"}},
      {"PRIM", MakeComb(1, 4, 6, 8), {"1:3 x1"}},
      {"PRMV", MakeComb(1, 4, 6, 8), {"ПССС (008) x1"}},
      {"SMAL", MakeComb(20, 23, 24, 30), {"2:2 x1"}},
      {"SMLV", MakeComb(20, 23, 24, 30), {"1122 (003) x1"}},
      {"NUMS", MakeComb(3, 15, 27, 41), {"3 x1", "15 x1", "27 x1", "41 x1"}},
      {"DIGS", MakeComb(10, 20, 30, 40), {"1 x1", "0 x4", "2 x1", "3 x1", "4 x1"}},
      {"DIGS", MakeComb(1, 11, 12, 47), {"1 x4", "2 x1", "4 x1", "7 x1"}},
      {"POS3", MakeComb(3, 15, 27, 41), {"27 x1"}},
      {"POE1", MakeComb(3, 15, 27, 41), {}},
  };
  for (const TCase& c : cases) {
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, CombValues(*stat, c.Comb)), c.Expected) << c.Code;
  }
}

TEST(NumberStats, SeededListsAndTheLateZero) {
  // Draws never had 4 odd numbers until the last one: 0 is appended after 1..4.
  TStatFixture f({{1, 2, 4, 5, 7, 3, ""}, {2, 1, 3, 5, 7, 4, ""}});
  auto even = f.Stat("EVEN");
  EXPECT_EQ(Texts(*even, RangeValues(*even, 0, 0, false)),
            (std::vector<std::string>{"1:3 x0", "2:2 x1", "3:1 x0", "4:0 x0"}));
  EXPECT_EQ(Texts(*even, RangeValues(*even, 0, 1, false)).back(), "0:4 x1");
  auto nums = f.Stat("NUMS");
  const TStatDrawArray numbers = RangeValues(*nums, 0, 1, false);
  EXPECT_EQ(numbers.size(), 47u);
  auto evnv = f.Stat("EVNV");
  EXPECT_EQ(RangeValues(*evnv, 0, 1, false).size(), 16u);
  auto smlv = f.Stat("SMLV");  // not pre-seeded
  EXPECT_EQ(Texts(*smlv, RangeValues(*smlv, 0, 1, false)),
            (std::vector<std::string>{"1111 (000) x2"}));
}

TEST(NumberStats, PositionalClassesFollowTheCallersOrder) {
  TStatFixture f({{1, 30, 5, 17, 2, 9, ""}});
  auto pos1 = f.Stat("POS1");
  auto evnv = f.Stat("EVNV");
  auto nums = f.Stat("NUMS");
  EXPECT_EQ(Texts(*pos1, DrawValues(*pos1, 0, 0, false)), std::vector<std::string>{"30 x1"});
  EXPECT_EQ(Texts(*pos1, DrawValues(*pos1, 0, 0, true)), std::vector<std::string>{"2 x1"});
  EXPECT_EQ(Texts(*evnv, DrawValues(*evnv, 0, 0, false)),
            std::vector<std::string>{"ЧннЧ (006) x1"});
  EXPECT_EQ(Texts(*evnv, DrawValues(*evnv, 0, 0, true)), std::vector<std::string>{"ЧннЧ (006) x1"});
  EXPECT_EQ(Texts(*nums, DrawValues(*nums, 0, 0, false)),
            (std::vector<std::string>{"30 x1", "5 x1", "17 x1", "2 x1"}));
  auto poe = f.Stat("POE1");
  EXPECT_EQ(Texts(*poe, DrawValues(*poe, 0, 0, false)), std::vector<std::string>{"9 x1"});
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*poe).GetDrawGraphValue(0, 0, false), 9);
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*pos1).GetDrawGraphValue(0, 0, true), 2);
}

TEST(NumberStats, DigitsRepeatedInOneDrawResetMinGap) {
  TStatFixture f({{10, 1, 2, 3, 4, 1, ""}, {14, 10, 20, 30, 40, 1, ""}});
  auto digs = f.Stat("DIGS");
  const TStatDrawArray list = RangeValues(*digs, 0, 1, false);
  const int zero = list.Find(Selected({{0, 0, 0, 0}})[0].Key());
  ASSERT_GE(zero, 0);
  EXPECT_EQ(list[size_t(zero)].Count, 4);
  EXPECT_EQ(list[size_t(zero)].MinGap, 0);
  const int one = list.Find(Selected({{1, 0, 0, 0}})[0].Key());
  EXPECT_EQ(list[size_t(one)].MinGap, 4);
  EXPECT_EQ(list[size_t(one)].MaxGap, 4);
}

TEST(NumberStats, CombMatches) {
  TStatFixture f({{1, 5, 6, 7, 8, 1, ""}});
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"NUMS", Selected({{7, 0, 0, 0}}), MakeComb(1, 7, 9, 10), true},
      {"NUMS", Selected({{7, 0, 0, 0}}), MakeComb(1, 8, 9, 10), false},
      {"NUMS", Selected({{7, 1, 0, 0}}), MakeComb(1, 7, 9, 10), false},
      {"DIGS", Selected({{0, 0, 0, 0}}), MakeComb(1, 2, 3, 40), true},
      {"EVEN", Selected({{2, 0, 0, 0}}), MakeComb(2, 4, 5, 7), true},
      {"EVEN", Selected({{1, 0, 0, 0}}), MakeComb(2, 4, 5, 7), false},
      {"PRMV", Selected({{8, 0, 0, 0}}), MakeComb(1, 4, 6, 8), true},
      {"POS2", Selected({{4, 0, 0, 0}}), MakeComb(1, 4, 6, 8), true},
      {"POS3", Selected({{4, 0, 0, 0}}), MakeComb(1, 4, 6, 8), false},
      {"POE1", Selected({{4, 0, 0, 0}}), MakeComb(1, 4, 6, 8), false},
  };
  for (const TCase& c : cases) {
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, false), c.Expected) << c.Code;
  }
}

TEST(NumberStats, TextsReadBack) {
  TStatFixture f;
  auto evnv = f.Stat("EVNV");
  EXPECT_EQ(evnv->ParseValue("нЧЧн"), 9);
  EXPECT_EQ(evnv->ParseValue("ЧЧЧЧ (000)"), 0);
  EXPECT_EQ(evnv->ParseValue("н"), 8);  // missing characters count as off
  auto smlv = f.Stat("SMLV");
  EXPECT_EQ(smlv->ParseValue("1122 (003)"), 3);
  auto even = f.Stat("EVEN");
  EXPECT_EQ(even->ParseValue("3:1"), 3);
  EXPECT_EQ(even->ParseValue("2"), 2);
  EXPECT_EQ(even->ParseValue("x:1"), 0);
  auto nums = f.Stat("NUMS");
  EXPECT_EQ(nums->ParseValue("17"), 17);
  EXPECT_EQ(nums->ParseValue("abc"), 0);
}

}  // namespace vetrilo
