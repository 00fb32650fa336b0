#include <gtest/gtest.h>

#include "stats/families/grid_test_support.h"

namespace vetrilo {
using test::Numbered;
using test::Selected;
using test::Texts;
using test::TGridFixture;
using Strings = std::vector<std::string>;

namespace {

const std::string kHalves = std::string(23, '1') + std::string(24, '2');  // 1..23, 24..47
const std::string kTwoFirst = "2211";                                     // 1, 2 in segment 2
const std::string kTwoAndFive = std::string(20, '2') + std::string(27, '5');

}  // namespace

TEST(SegmentStats, CombinationValuesAndTexts) {
  struct TCase {
    std::string Map;
    std::string Code;
    TComb Comb;
    Strings Expected;
  };
  const TCase cases[] = {
      {"", "SGMS", MakeComb(3, 15, 27, 41), {"1 x4"}},
      {"", "SGMV", MakeComb(3, 15, 27, 41), {"1 x 4 x1"}},
      {"", "SGMC", MakeComb(3, 15, 27, 41), {"1 x1"}},
      {"", "SGM1", MakeComb(3, 15, 27, 41), {"4 x1"}},
      {"", "KGM2", MakeComb(3, 15, 27, 41), {}},  // tuples have no norm
      {kHalves, "SGMS", MakeComb(5, 17, 30, 41), {"1 x2", "2 x2"}},
      {kHalves, "SGMV", MakeComb(5, 17, 30, 41), {"1 x 2 x1", "2 x 2 x1"}},
      {kHalves, "SGMC", MakeComb(5, 17, 30, 41), {"2 x1"}},
      {kHalves, "SGM2", MakeComb(5, 17, 30, 41), {"2 x1"}},
      {kHalves, "SGMV", MakeComb(1, 2, 3, 4), {"1 x 4 x1", "2 x 0 x1"}},
      // The segment list is ordered by the smallest number of each segment.
      {kTwoFirst, "SGMS", MakeComb(1, 3, 4, 5), {"2 x1", "1 x3"}},
      {kTwoFirst, "SGMV", MakeComb(3, 4, 5, 6), {"2 x 0 x1", "1 x 4 x1"}},
      {kTwoAndFive, "SGM2", MakeComb(1, 2, 3, 4), {"4 x1"}},
      {kTwoAndFive, "SGM3", MakeComb(1, 2, 3, 4), {"0 x1"}},
      {kTwoAndFive, "SGMV", MakeComb(1, 2, 30, 4), {"2 x 3 x1", "5 x 1 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " map " + c.Map);
    TGridFixture f(8, 8, c.Map);
    auto stat = f.Stat(c.Code);
    ASSERT_TRUE(stat);
    EXPECT_EQ(Texts(*stat, CombValues(*stat, c.Comb)), c.Expected);
  }
}

TEST(SegmentStats, TuplesFollowTheCallersPositionOrder) {
  // Drawn as 30, 5, 41, 17 with the halves map: segments 2, 1, 2, 1.
  TGridFixture f(8, 8, kHalves, {{1, 30, 5, 41, 17, 5, ""}});
  struct TCase {
    std::string Code;
    bool Sorted;
    Strings Expected;
  };
  const TCase cases[] = {
      {"KGM2", true, {"1:1 x1", "1:2 x4", "2:2 x1"}},
      {"KGM2", false, {"2:1 x3", "2:2 x1", "1:2 x1", "1:1 x1"}},
      {"KGS2", true, {"1:1 x1", "1:2 x1", "2:2 x1"}},
      {"KGS2", false, {"2:1 x2", "1:2 x1"}},
      {"KGM3", true, {"1:1:2 x2", "1:2:2 x2"}},
      {"KGS3", false, {"2:1:2 x1", "1:2:1 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, c.Sorted)), c.Expected);
  }
}

TEST(SegmentStats, SeedsAndParameterRangeFollowTheMap) {
  struct TCase {
    std::string Map;
    Strings SegmentSeeds;
    Strings Methods;
  };
  const TCase cases[] = {
      {"", {"1 x0"}, Numbered("SGM", 1, 1)},
      {kHalves, {"1 x0", "2 x0"}, Numbered("SGM", 1, 2)},
      {kTwoFirst, {"2 x0", "1 x0"}, Numbered("SGM", 1, 2)},
      {kTwoAndFive, {"2 x0", "5 x0"}, Numbered("SGM", 2, 5)},  // 3 and 4 unused yet listed
      {std::string(47, '9'), {"9 x0"}, Numbered("SGM", 9, 9)},
      {"0", {"0 x0", "1 x0"}, Numbered("SGM", 0, 1)},
      {"x3", {"1 x0", "3 x0"}, Numbered("SGM", 1, 3)},  // not a digit: segment 1
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Map);
    TGridFixture f(8, 8, c.Map);
    EXPECT_EQ(f.Codes("SGM"), c.Methods);
    auto sgms = f.Stat("SGMS");
    TStatDrawArray seeds;
    sgms->GetAllValues(0, seeds);
    EXPECT_EQ(Texts(*sgms, seeds), c.SegmentSeeds);
    for (const char* code : {"SGMV", "SGMC", "KGM2", "KGS3"}) {
      auto stat = f.Stat(code);
      TStatDrawArray none;
      stat->GetAllValues(0, none);
      EXPECT_TRUE(none.empty()) << code;
    }
    for (const char* code : {"KGM4", "KGS4"}) EXPECT_EQ(f.List.FindByCode(code), -1);
  }
  TGridFixture f(8, 8, kTwoAndFive);
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("SGM4"), true),
            "{ sgm } Количество чисел в 4 сегменте матрицы [ NG ]");
}

TEST(GridFamilies, HelpCodesNameTheParameterisedClassesOnce) {
  TGridFixture f(8, 8, kHalves);
  const std::pair<const char*, const char*> cases[] = {
      {"CHN3", "CHNx"}, {"COL8", "COLx"}, {"ROW1", "ROWx"}, {"SGM2", "SGMx"},
      {"CHNV", "CHNV"}, {"KCM2", "KCM2"}, {"KRS3", "KRS3"}, {"SGMC", "SGMC"},
  };
  for (const auto& [code, help] : cases) {
    const int i = f.List.FindByCode(code);
    ASSERT_GE(i, 0) << code;
    EXPECT_EQ(f.List.Item(i).Stat->GetHelpCode(), help) << code;
  }
}

TEST(SegmentStats, CombMatchesAndGraphValues) {
  TGridFixture f(8, 8, kHalves, {{1, 30, 5, 41, 17, 5, ""}});
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"SGMS", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 3, 24), true},
      {"SGMS", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 3, 4), false},
      {"SGMV", Selected({{2, 0, 0, 0}}), MakeComb(1, 2, 3, 4), true},
      {"SGMV", Selected({{1, 2, 0, 0}}), MakeComb(1, 2, 30, 40), true},
      {"SGMV", Selected({{1, 2, 0, 0}}), MakeComb(1, 2, 3, 40), false},
      {"SGMC", Selected({{1, 0, 0, 0}}), MakeComb(24, 25, 26, 27), true},
      {"KGM2", Selected({{1, 2, 0, 0}}), MakeComb(1, 30, 2, 3), true},
      {"KGS2", Selected({{1, 2, 0, 0}}), MakeComb(30, 1, 2, 3), false},
      {"KGS3", Selected({{2, 1, 1, 0}}), MakeComb(30, 1, 2, 3), true},
      {"SGM1", Selected({{3, 0, 0, 0}}), MakeComb(1, 30, 2, 3), true},
      {"SGM2", Selected({{3, 0, 0, 0}}), MakeComb(1, 30, 2, 3), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, false), c.Expected);
  }
  auto sgmc = f.Stat("SGMC");
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*sgmc).GetDrawGraphValue(0, 0, false), 2);
  auto sgm1 = f.Stat("SGM1");
  EXPECT_EQ(static_cast<TCustomGraphStat&>(*sgm1).GetDrawGraphValue(0, 0, false), 2);
  EXPECT_EQ(f.Stat("SGMS")->ParseValue("2"), 2);
  EXPECT_EQ(f.Stat("SGMV")->ParseValue("2"), 0);
}

TEST(SegmentStats, NumbersOutsideTheRangeLieInNoSegment) {
  // A damaged archive: numbers 0 and 200.
  TGridFixture f(8, 8, kHalves, {{1, 0, 200, 5, 30, 5, ""}, {2, 1, 2, 3, 4, 5, ""}});
  struct TCase {
    std::string Code;
    Strings Expected;
  };
  const TCase cases[] = {
      {"SGMS", {"0 x2", "1 x1", "2 x1"}},
      {"SGMV", {"1 x 1 x1", "2 x 1 x1", "0 x 2 x1"}},
      {"SGMC", {"3 x1"}},
      {"KGS2", {"0:0 x1", "0:1 x1", "1:2 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 1, false)), c.Expected);
  }
  // Every method of the three families copes with such a draw, the same way
  // with the indexed and the searched value list.
  for (const TStatMethod& m : f.List.Methods) {
    const int group = m.Stat->GetGroup();
    if (group < 3 || group > 5) continue;
    SCOPED_TRACE(m.Code());
    auto stat = f.List.CreateStat(m);
    for (bool sorted : {false, true}) {
      const TStatDrawArray list = RangeValues(*stat, 0, 1, sorted);
      EXPECT_TRUE(test::SameRecords(list, RangeValues(*stat, 0, 1, sorted, true)));
    }
  }
}

}  // namespace vetrilo
