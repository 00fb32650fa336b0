#include "stats/families/sums.h"

#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;

namespace {

using TTexts = std::vector<std::string>;

// A selection of values stored as two signed 32-bit halves.
TStatDrawArray SelectedHalves(std::initializer_list<std::pair<int32_t, int32_t>> values) {
  TStatDrawArray list;
  for (const auto& [a, b] : values) {
    TStatDrawRec r;
    r.SetHalves(a, b);
    list.Append(r);
  }
  return list;
}

int32_t GraphValue(TCustomStat& stat, TComb comb, int index) {
  return dynamic_cast<TCustomGraphStat&>(stat).GetGraphValue(comb, index, index, false);
}

// Sums 100, 105, 100, 90, 100: the newest draw is the reference with sum 100.
const std::vector<test::TDrawSpec> kSumHistory = {
    {1, 10, 20, 30, 40, 1, ""}, {2, 45, 10, 20, 30, 2, ""}, {3, 5, 25, 30, 40, 3, ""},
    {4, 5, 15, 30, 40, 4, ""},  {5, 40, 30, 20, 10, 5, ""},
};

}  // namespace

TEST(SumStats, CombinationValuesAndTexts) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    TComb Comb;
    TTexts Expected;
  };
  const TCase cases[] = {
      {"SUMS", MakeComb(1, 2, 3, 4), {"10 x1"}},
      {"SUMS", MakeComb(44, 45, 46, 47), {"182 x1"}},
      {"SUME", MakeComb(1, 3, 5, 7), {"0 x1"}},
      {"SUME", MakeComb(2, 3, 8, 46), {"56 x1"}},
      {"SUMP", MakeComb(1, 4, 6, 8), {"1 x1"}},  // 1 counts as prime
      {"SUMP", MakeComb(2, 23, 40, 47), {"72 x1"}},
      {"SUM1", MakeComb(1, 2, 6, 47), {"56-136 x1"}},        // 56
      {"SUM1", MakeComb(20, 35, 40, 41), {"56-136 x1"}},     // 136
      {"SUM1", MakeComb(1, 2, 5, 47), {"Остальные x1"}},     // 55
      {"SUM1", MakeComb(20, 35, 40, 42), {"Остальные x1"}},  // 137
      {"SUM2", MakeComb(1, 2, 14, 47), {"64-128 x1"}},       // 64
      {"SUM2", MakeComb(1, 2, 13, 47), {"Остальные x1"}},    // 63
      {"SUM3", MakeComb(1, 2, 21, 47), {"71-121 x1"}},       // 71
      {"SUM3", MakeComb(20, 30, 35, 36), {"71-121 x1"}},     // 121
      {"SUM3", MakeComb(1, 2, 20, 47), {"Остальные x1"}},    // 70
      {"SUM3", MakeComb(20, 30, 35, 37), {"Остальные x1"}},  // 122
      {"S2T3", MakeComb(1, 2, 3, 4), {"2 x1"}},
      {"S2T3", MakeComb(1, 2, 3, 5), {"2 x1"}},
      {"S2T3", MakeComb(1, 2, 4, 8), {"0 x1"}},
      {"S2T3", MakeComb(10, 1, 30, 11), {"1 x1"}},  // order does not matter
      // The change classes need history: a combination alone has no values.
      {"SUMC", MakeComb(1, 2, 3, 4), {}},
      {"SUMV", MakeComb(1, 2, 3, 4), {}},
      {"SUMT", MakeComb(1, 2, 3, 4), {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb));
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, CombValues(*stat, c.Comb)), c.Expected);
    if (!c.Expected.empty() && stat->Class().HasGraph()) {
      EXPECT_EQ(GraphValue(*stat, c.Comb, 0), CombValues(*stat, c.Comb)[0].Value[0]);
    }
  }
}

TEST(SumStats, SeededListsCaptionsAndParsing) {
  TStatFixture f;
  auto sums = f.Stat("SUMS");
  const TStatDrawArray all = RangeValues(*sums, 0, -1, false);
  ASSERT_EQ(all.size(), 173u);
  EXPECT_EQ(all[0].Value[0], 10);
  EXPECT_EQ(all[172].Value[0], 182);
  EXPECT_EQ(all[5].Count, 0);

  struct TCase {
    std::string Code;
    TTexts Seeds;
  };
  const TCase seeds[] = {
      {"SUM1", {"Остальные x0", "56-136 x0"}},
      {"SUM2", {"Остальные x0", "64-128 x0"}},
      {"SUMT", {"= x0", "+ x0", "- x0"}},
      {"SUME", {}},
      {"SUMP", {}},
      {"S2T3", {}},
      {"SUMC", {}},
      {"SUMV", {}},
  };
  for (const TCase& c : seeds) {
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, RangeValues(*stat, 0, -1, false)), c.Seeds) << c.Code;
  }

  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("SUM1"), true),
            "{ sum } Сумма тиража: диапазон 1 (1/3) [ NG ]");
  EXPECT_EQ(ClassOf<TstSumRanges>().GetCaptionFor(2), "Сумма тиража: диапазон 2 (1/2)");
  EXPECT_EQ(ClassOf<TstSumRanges>().GetCaptionFor(3), "Сумма тиража: диапазон 3 (2/3)");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("SUMV"), true),
            "{ sum } Сумма тиража: изменения (диапазон) [ D ]");
  EXPECT_EQ(f.List.FindByCode("SUM4"), -1);

  EXPECT_EQ(f.Stat("SUMS")->ParseValue("120"), 120);
  EXPECT_EQ(f.Stat("S2T3")->ParseValue("2"), 2);
  for (const char* code : {"SUM1", "SUMC", "SUMV", "SUMT"}) {
    EXPECT_EQ(f.Stat(code)->ParseValue("1"), 0) << code;
  }
}

TEST(SumStats, ChangesLearnOnlyFromDrawsAfterTheReferenceSum) {
  TStatFixture f(kSumHistory);
  struct TCase {
    std::string Code;
    TTexts Expected;
  };
  const TCase cases[] = {
      {"SUMC", {"+05 : 100 + 5 = 105 x1", "- 10 : 100 - 10 = 90 x1"}},
      {"SUMT", {"= x0", "+ x1", "- x1"}},
      // Predecessors 100, 105, 100, 90 all lie within 17 of the reference sum.
      {"SUMV", {"+05 x1", "- 05 x1", "- 10 x1", "+10 x1"}},
  };
  for (const TCase& c : cases) {
    auto stat = f.Stat(c.Code);
    for (bool sorted : {false, true}) {
      EXPECT_EQ(Texts(*stat, RangeValues(*stat, 0, 4, sorted)), c.Expected) << c.Code;
    }
  }

  // A negative change is a signed first half: the same change merges into one entry.
  auto sumv = f.Stat("SUMV");
  const TStatDrawArray list = RangeValues(*sumv, 0, 4, false);
  EXPECT_EQ(list[1].Half(1), -5);
  EXPECT_EQ(list[1].Half(2), 0);
  EXPECT_EQ(list[1].LastDraw, 3);

  // With the reference at draw 4 (sum 90) no predecessor had sum 90.
  auto sumc = f.Stat("SUMC");
  EXPECT_TRUE(RangeValues(*sumc, 0, 3, false).empty());
  // SUMV with reference 90: predecessors 100, 105, 100 lie within 17 (87..107).
  EXPECT_EQ(Texts(*sumv, RangeValues(*sumv, 0, 3, false)),
            (TTexts{"+05 x1", "- 05 x1", "- 10 x1"}));
}

TEST(SumStats, SumvBandEdges) {
  // The predecessor of the reference draw (sum 100) has sum p.
  struct TCase {
    TComb Predecessor;  // its sum
    TTexts Expected;
  };
  const TCase cases[] = {
      {MakeComb(10, 20, 23, 30), {"+17 x1"}},   // 83
      {MakeComb(20, 30, 33, 34), {"- 17 x1"}},  // 117
      {MakeComb(10, 20, 22, 30), {}},           // 82
      {MakeComb(20, 30, 33, 35), {}},           // 118
  };
  for (const TCase& c : cases) {
    const TComb p = c.Predecessor;
    TStatFixture f({{7, CombByte(p, 1), CombByte(p, 2), CombByte(p, 3), CombByte(p, 4), 1, ""},
                    {8, 10, 20, 30, 40, 1, ""}});
    auto sumv = f.Stat("SUMV");
    EXPECT_EQ(Texts(*sumv, RangeValues(*sumv, 0, 1, false)), c.Expected) << CombListText(p);
  }
}

TEST(SumStats, CombMatches) {
  TStatFixture f(kSumHistory);
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    int LastIndex;
    bool Expected;
  };
  const TComb s100 = MakeComb(10, 20, 30, 40);
  const TComb s105 = MakeComb(10, 20, 30, 45);
  const TComb s90 = MakeComb(5, 15, 30, 40);
  const TCase cases[] = {
      {"SUMS", Selected({{100, 0, 0, 0}}), s100, 4, true},
      {"SUMS", Selected({{100, 0, 0, 0}}), s105, 4, false},
      {"SUMS", Selected({{100, 0, 0, 1}}), s100, 4, false},  // the second half must be 0
      {"SUME", Selected({{100, 0, 0, 0}}), s100, 4, true},
      {"SUMP", Selected({{0, 0, 0, 0}}), s100, 4, true},
      {"S2T3", Selected({{1, 0, 0, 0}}), MakeComb(10, 20, 30, 45), 4, true},
      {"S2T3", Selected({{0, 0, 0, 0}}), MakeComb(10, 20, 30, 45), 4, false},
      // SUM1 (56..136): the range when selected, else the rest.
      {"SUM1", Selected({{1, 0, 0, 0}}), s100, 4, true},
      {"SUM1", Selected({{1, 0, 0, 0}}), MakeComb(1, 2, 3, 4), 4, false},
      {"SUM1", Selected({{0, 0, 0, 0}}), s100, 4, false},
      {"SUM1", Selected({{0, 0, 0, 0}}), MakeComb(1, 2, 3, 4), 4, true},
      {"SUM1", Selected({}), MakeComb(1, 2, 3, 4), 4, true},
      {"SUM1", Selected({{0, 0, 0, 0}, {1, 0, 0, 0}}), MakeComb(1, 2, 3, 4), 4, false},
      {"SUM1", Selected({{0, 0, 0, 0}, {1, 0, 0, 0}}), s100, 4, true},
      // SUMC: the second half is the sum that followed.
      {"SUMC", SelectedHalves({{100, 105}}), s105, 4, true},
      {"SUMC", SelectedHalves({{100, 105}}), s100, 4, false},
      // SUMV and SUMT judge the combination as the draw after the reference draw.
      {"SUMV", SelectedHalves({{5, 0}}), s105, 4, true},
      {"SUMV", SelectedHalves({{-10, 0}}), s90, 4, true},
      {"SUMV", SelectedHalves({{-10, 0}}), s90, 3, false},  // reference 90: change 0
      {"SUMV", SelectedHalves({{15, 0}}), s105, 3, true},
      {"SUMT", SelectedHalves({{-1, 0}}), s90, 4, true},
      {"SUMT", SelectedHalves({{-1, 0}}), s105, 4, false},
      {"SUMT", SelectedHalves({{0, 0}}), s90, 3, true},
      {"SUMT", SelectedHalves({{1, 0}}), s100, 3, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb) + " last " + std::to_string(c.LastIndex));
    auto stat = f.Stat(c.Code);
    for (bool exclude : {false, true}) {
      EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, c.LastIndex, false, exclude), c.Expected);
    }
  }
}

TEST(SumStats, GraphValuesOfTheChangeClassesReadThePreviousDraw) {
  TStatFixture f(kSumHistory);
  auto sumc = f.Stat("SUMC");
  auto sumt = f.Stat("SUMT");
  auto& c = dynamic_cast<TCustomGraphStat&>(*sumc);
  auto& t = dynamic_cast<TCustomGraphStat&>(*sumt);
  const int expectedC[] = {100, 5, -5, -10, 10};  // the oldest draw has a zero predecessor
  const int expectedT[] = {1, 1, -1, -1, 1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(c.GetDrawGraphValue(i, 4, false), expectedC[i]) << i;
    EXPECT_EQ(t.GetDrawGraphValue(i, 4, true), expectedT[i]) << i;
  }
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*f.Stat("SUMS")).GetDrawGraphValue(1, 4, false), 105);
}

}  // namespace vetrilo
