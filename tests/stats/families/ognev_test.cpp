#include "stats/families/ognev.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::TDrawSpec;
using test::Texts;
using test::TStatFixture;

TEST(OgnevStats, OgnevNumberInEveryMode) {
  struct TCase {
    TComb Comb;
    int Mode0, Mode1, Mode2;
    bool Pair;
  };
  const TCase cases[] = {
      {MakeComb(3, 8, 21, 40), 2, 2, 2, false},     // 5 13 19 -> 8 6
      {MakeComb(1, 2, 4, 8), 1, 3, 3, true},        // 1 2 4 -> 1 2
      {MakeComb(1, 3, 6, 10), 0, 2, 2, false},      // 2 3 4 -> 1 1
      {MakeComb(30, 5, 17, 2), 10, 10, 10, false},  // 25 12 15 -> 13 3
      {MakeComb(2, 5, 17, 30), 8, 8, 8, false},     // 3 12 13 -> 9 1
      {MakeComb(1, 3, 5, 7), 0, 0, 0, false},       // 2 2 2 -> 0 0
      {MakeComb(1, 3, 5, 8), 1, 1, 1, true},        // 2 2 3 -> 0 1
      {MakeComb(1, 2, 3, 11), 7, 7, 7, false},      // 1 1 8 -> 0 7
      {MakeComb(1, 2, 46, 47), 0, 86, 86, false},   // 1 44 1 -> 43 43
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(CombListText(c.Comb));
    EXPECT_EQ(OgnevNumber(c.Comb, 0).Number, c.Mode0);
    EXPECT_EQ(OgnevNumber(c.Comb, 1).Number, c.Mode1);
    EXPECT_EQ(OgnevNumber(c.Comb, 2).Number, c.Mode2);
    EXPECT_EQ(OgnevNumber(c.Comb, 2).Pair, c.Pair);
    EXPECT_FALSE(OgnevNumber(c.Comb, 0).Pair);
    EXPECT_FALSE(OgnevNumber(c.Comb, 1).Pair);
  }
}

TEST(OgnevStats, CharacteristicClassesByOrder) {
  TStatFixture f({{4, 30, 5, 17, 2, 1, ""}});
  auto hco1 = f.Stat("HCO1");
  auto hco2 = f.Stat("HCO2");
  EXPECT_EQ(Texts(*hco1, CombValues(*hco1, MakeComb(1, 2, 4, 8))),
            std::vector<std::string>{"1 x1"});
  EXPECT_EQ(Texts(*hco2, CombValues(*hco2, MakeComb(1, 2, 4, 8))),
            std::vector<std::string>{"3 x1"});
  EXPECT_EQ(Texts(*hco1, DrawValues(*hco1, 0, 0, false)), std::vector<std::string>{"10 x1"});
  EXPECT_EQ(Texts(*hco1, DrawValues(*hco1, 0, 0, true)), std::vector<std::string>{"8 x1"});
  auto& graph = static_cast<TCustomGraphStat&>(*hco2);
  EXPECT_EQ(graph.GetDrawGraphValue(0, 0, false), 10);
  EXPECT_EQ(graph.GetDrawGraphValue(0, 0, true), 8);
  EXPECT_EQ(graph.GetGraphValue(MakeComb(1, 3, 6, 10), 0, 0, false), 2);
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*hco1).GetGraphValue(MakeComb(1, 3, 6, 10), 0, 0, false),
            0);
  EXPECT_EQ(hco1->ParseValue("12"), 12);

  struct TCase {
    std::string Code;
    int Selected;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"HCO1", 1, MakeComb(1, 2, 4, 8), true},  {"HCO2", 1, MakeComb(1, 2, 4, 8), false},
      {"HCO2", 3, MakeComb(1, 2, 4, 8), true},  {"HCO1", 2, MakeComb(3, 8, 21, 40), true},
      {"HCO1", 0, MakeComb(1, 3, 6, 10), true}, {"HCO2", 0, MakeComb(1, 3, 6, 10), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb));
    auto stat = f.Stat(c.Code);
    stat->LoadDraws(-1, 0, false);
    EXPECT_EQ(stat->CombMatches(c.Comb, Selected({{c.Selected, 0, 0, 0}}), 0, false, false),
              c.Expected);
  }
}

TEST(OgnevStats, FullSetValueRanges) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    int Min, Max;
  };
  for (const TCase& c : {TCase{"HCO1", 0, 43}, TCase{"HCO2", 0, 86}}) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    const TStatDrawArray list = FullSetValues(*stat);
    int lo = 1000, hi = -1;
    int64_t total = 0;
    for (const TStatDrawRec& r : list) {
      lo = std::min<int>(lo, r.Value[0]);
      hi = std::max<int>(hi, r.Value[0]);
      total += r.Count;
      EXPECT_EQ(r.Value[1] | r.Value[2] | r.Value[3], 0);
    }
    EXPECT_EQ(lo, c.Min);
    EXPECT_LE(hi, c.Max);
    EXPECT_EQ(total, kAllCombinations);
  }
  auto hco1 = f.Stat("HCO1");
  EXPECT_EQ(FullSetValues(*hco1).size(), 44u);  // every value 0..43 occurs
}

// HCO3: only the newest analysed draw has values; Count marks the next draw.
TEST(OgnevStats, DynamicValuesAgainstTheNextDraw) {
  TStatFixture f({{1, 1, 3, 5, 7, 1, ""},       // f = 0
                  {2, 1, 3, 5, 8, 1, ""},       // pair: f = 1
                  {3, 1, 2, 4, 8, 1, ""},       // pair: f = 3
                  {4, 1, 2, 3, 11, 1, ""},      // f = 7
                  {5, 7, 21, 40, 44, 1, ""}});  // f = 10
  struct TCase {
    int LastIndex;  // newest analysed draw; the draws after it are hidden
    std::vector<std::string> Values;
  };
  const TCase cases[] = {
      {0, {"0 x0"}},  // 0 is never a number, not even of a missing draw
      {1, {"1 (1) x1"}},
      {2, {"3 (1) x1", "27 x0", "24 x0", "21 x0", "18 x0", "15 x0", "12 x0", "9 x0", "6 x0"}},
      {3, {"7 x1", "42 x0", "35 x0", "28 x0", "21 x1", "14 x0"}},
      // Offset 0: no next draw, so no hit (40 belongs to the analysed draw itself).
      {4, {"10 x0", "40 x0", "30 x0", "20 x0"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.LastIndex);
    auto hco3 = f.Stat("HCO3");
    const TStatDrawArray range = RangeValues(*hco3, 0, c.LastIndex, false);
    EXPECT_EQ(Texts(*hco3, range), c.Values);
    for (const TStatDrawRec& r : range) {
      EXPECT_EQ(r.LastDraw, c.LastIndex + 1);
      EXPECT_EQ(r.Ago, 1);
    }
    if (c.LastIndex > 0) {
      EXPECT_TRUE(DrawValues(*hco3, c.LastIndex - 1, c.LastIndex, false).empty());
    }
  }
  // The pair keeps its marker words; its multiples do not.
  auto hco3 = f.Stat("HCO3");
  const TStatDrawArray pair = RangeValues(*hco3, 2, 2, false);
  EXPECT_EQ(pair[0].Value[1], 1);
  EXPECT_EQ(pair[0].Value[3], 2);
  EXPECT_EQ(pair[1].Value[1] | pair[1].Value[3], 0);
  EXPECT_EQ(hco3->ParseValue("7"), 0);  // values are only picked, never typed
}

TEST(OgnevStats, DynamicValuesOfALoneDrawAndBySortedOrder) {
  struct TCase {
    TDrawSpec Draw;
    bool Sorted;
    std::vector<std::string> Values;
  };
  const TCase cases[] = {
      {{9, 1, 3, 5, 7, 1, ""}, false, {"0 x0"}},
      {{9, 30, 5, 17, 2, 1, ""}, false, {"10 x0", "40 x0", "30 x0", "20 x0"}},
      {{9, 30, 5, 17, 2, 1, ""}, true, {"8 x0", "40 x0", "32 x0", "24 x0", "16 x0"}},
      // f = 18: f² = 324 must not wrap to a byte (68 would give 50 and 32).
      {{9, 3, 26, 5, 6, 1, ""}, false, {"18 x0", "36 x0"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(CombListText(MakeComb(c.Draw.B1, c.Draw.B2, c.Draw.B3, c.Draw.B4)));
    TStatFixture f({c.Draw});
    auto hco3 = f.Stat("HCO3");
    EXPECT_EQ(Texts(*hco3, RangeValues(*hco3, 0, 0, c.Sorted)), c.Values);
  }
}

TEST(OgnevStats, DynamicCombMatchesAnyNumber) {
  TStatFixture f({{1, 1, 2, 3, 11, 1, ""}});
  auto hco3 = f.Stat("HCO3");
  const TStatDrawArray values = RangeValues(*hco3, 0, 0, false);  // 7, 42, 35, 28, 21, 14
  hco3->LoadDraws(-1, 0, false);
  EXPECT_TRUE(hco3->CombMatches(MakeComb(1, 2, 3, 42), values, 0, false, false));
  EXPECT_TRUE(hco3->CombMatches(MakeComb(7, 8, 9, 10), values, 0, false, true));
  EXPECT_FALSE(hco3->CombMatches(MakeComb(1, 2, 3, 11), values, 0, false, false));
  // A pair entry matches by its first word.
  EXPECT_TRUE(hco3->CombMatches(MakeComb(3, 4, 5, 6), Selected({{3, 1, 0, 2}}), 0, false, false));
  EXPECT_FALSE(hco3->CombMatches(MakeComb(1, 4, 5, 6), Selected({{3, 1, 0, 2}}), 0, false, false));
}

}  // namespace vetrilo
