#include "stats/families/differences.h"

#include <gtest/gtest.h>

#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;

namespace {
using TTexts = std::vector<std::string>;
}  // namespace

TEST(DifferenceStats, CombinationValuesAndTexts) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    TComb Comb;
    TTexts Expected;
  };
  const TCase cases[] = {
      {"DIFA", MakeComb(1, 2, 3, 4), {"1 x3"}},
      {"DIFM", MakeComb(1, 2, 3, 4), {"1 x1"}},
      {"DIFD", MakeComb(1, 2, 3, 4), {"3 x1"}},
      {"DIFO", MakeComb(1, 2, 3, 4), {"1 x 3 x1"}},
      {"DIFK", MakeComb(1, 2, 3, 4), {"3 x1"}},
      {"DIFA", MakeComb(5, 12, 30, 47), {"7 x1", "18 x1", "17 x1"}},
      {"DIFM", MakeComb(5, 12, 30, 47), {"18 x1"}},
      {"DIFD", MakeComb(5, 12, 30, 47), {"42 x1"}},
      {"DIFO", MakeComb(5, 12, 30, 47), {"7 x 1 x1", "18 x 1 x1", "17 x 1 x1"}},
      {"DIFK", MakeComb(5, 12, 30, 47), {"1 x1"}},
      {"DIFA", MakeComb(1, 4, 7, 9), {"3 x2", "2 x1"}},
      {"DIFO", MakeComb(1, 4, 7, 9), {"3 x 2 x1", "2 x 1 x1"}},
      {"DIFK", MakeComb(1, 4, 7, 9), {"2 x1"}},
      {"DIFO", MakeComb(1, 3, 8, 10), {"2 x 2 x1", "5 x 1 x1"}},  // not neighbouring repeats
      {"DIFD", MakeComb(1, 2, 3, 47), {"46 x1"}},
      // Only draws yield difference runs.
      {"KDS2", MakeComb(1, 2, 3, 4), {}},
      {"KDS3", MakeComb(1, 2, 3, 4), {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb));
    auto stat = f.Stat(c.Code);
    const TStatDrawArray list = CombValues(*stat, c.Comb);
    EXPECT_EQ(Texts(*stat, list), c.Expected);
    if (stat->Class().HasGraph()) {
      EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*stat).GetGraphValue(c.Comb, 0, 0, false),
                list[0].Value[0]);
    }
  }
}

TEST(DifferenceStats, DrawsFollowTheCallersOrder) {
  TStatFixture f({{1, 40, 3, 22, 9, 1, ""}, {2, 1, 2, 3, 4, 1, ""}});
  struct TCase {
    std::string Code;
    int Index;
    TTexts Drawn;   // drawing order
    TTexts Sorted;  // ascending
  };
  const TCase cases[] = {
      {"DIFA", 0, {"37 x1", "19 x1", "13 x1"}, {"6 x1", "13 x1", "18 x1"}},
      {"DIFM", 0, {"37 x1"}, {"18 x1"}},
      {"DIFD", 0, {"37 x1"}, {"37 x1"}},
      {"DIFK", 0, {"1 x1"}, {"1 x1"}},
      {"DIFO", 0, {"37 x 1 x1", "19 x 1 x1", "13 x 1 x1"}, {"6 x 1 x1", "13 x 1 x1", "18 x 1 x1"}},
      {"KDS2", 0, {"37:19 x1", "19:13 x1"}, {"6:13 x1", "13:18 x1"}},
      {"KDS3", 0, {"37:19:13 x1"}, {"6:13:18 x1"}},
      {"KDS2", 1, {"1:1 x2"}, {"1:1 x2"}},
      {"KDS3", 1, {"1:1:1 x1"}, {"1:1:1 x1"}},
      {"DIFO", 1, {"1 x 3 x1"}, {"1 x 3 x1"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " draw " + std::to_string(c.Index));
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, c.Index, 1, false)), c.Drawn);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, c.Index, 1, true)), c.Sorted);
  }
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*f.Stat("DIFM")).GetDrawGraphValue(0, 1, false), 37);
  EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*f.Stat("DIFM")).GetDrawGraphValue(0, 1, true), 18);
}

TEST(DifferenceStats, SeededLists) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    size_t Size;
    int First, Last;
  };
  const TCase cases[] = {
      {"DIFA", 46, 1, 46}, {"DIFM", 46, 1, 46}, {"DIFD", 46, 1, 46}, {"DIFK", 3, 1, 3},
      {"DIFO", 0, 0, 0},   {"KDS2", 0, 0, 0},   {"KDS3", 0, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    const TStatDrawArray list = RangeValues(*stat, 0, -1, false);
    ASSERT_EQ(list.size(), c.Size);
    if (c.Size == 0) continue;
    EXPECT_EQ(list[0].Value[0], c.First);
    EXPECT_EQ(list[c.Size - 1].Value[0], c.Last);
    EXPECT_EQ(list[0].Count, 0);
  }
}

TEST(DifferenceStats, OnlyTheFirstDifferenceTracksGaps) {
  // Difference 3 is d3 and 10 is d2 in draws 10 and 20 (no gaps between them);
  // 3 is d1 in draw 27.
  TStatFixture f({{10, 1, 2, 12, 15, 1, ""}, {20, 1, 5, 15, 18, 1, ""}, {27, 4, 7, 20, 40, 1, ""}});
  auto difa = f.Stat("DIFA");
  TStatDrawArray list = RangeValues(*difa, 0, 1, false);
  TStatDrawRec three;
  three.SetWords(3);
  int e = list.Find(three.Key());
  ASSERT_GE(e, 0);
  EXPECT_EQ(list[size_t(e)].Count, 2);
  EXPECT_EQ(list[size_t(e)].MinGap, 0);
  EXPECT_EQ(list[size_t(e)].MaxGap, 0);
  EXPECT_EQ(list[size_t(e)].LastDraw, 20);
  EXPECT_EQ(list[size_t(e)].Ago, 1);
  TStatDrawRec ten;  // d2 of both draws
  ten.SetWords(10);
  e = list.Find(ten.Key());
  EXPECT_EQ(list[size_t(e)].Count, 2);
  EXPECT_EQ(list[size_t(e)].MaxGap, 0);

  list = RangeValues(*difa, 0, 2, false);
  e = list.Find(three.Key());
  EXPECT_EQ(list[size_t(e)].Count, 3);
  EXPECT_EQ(list[size_t(e)].MinGap, 7);
  EXPECT_EQ(list[size_t(e)].MaxGap, 7);
  EXPECT_EQ(list[size_t(e)].LastDraw, 27);

  // KDS2: (d2, d3) = (10, 3) in both draws is added without gaps.
  auto kds2 = f.Stat("KDS2");
  list = RangeValues(*kds2, 0, 1, false);
  TStatDrawRec pair;
  pair.SetWords(10, 3);
  e = list.Find(pair.Key());
  ASSERT_GE(e, 0);
  EXPECT_EQ(list[size_t(e)].Count, 2);
  EXPECT_EQ(list[size_t(e)].MaxGap, 0);
  // KDS3 adds its one triple with gaps.
  auto kds3 = f.Stat("KDS3");
  EXPECT_EQ(Texts(*kds3, RangeValues(*kds3, 0, 2, false)),
            (TTexts{"1:10:3 x1", "4:10:3 x1", "3:13:20 x1"}));
}

TEST(DifferenceStats, CombMatches) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TComb c = MakeComb(1, 4, 7, 9);  // differences 3, 3, 2
  const TCase cases[] = {
      {"DIFA", Selected({{2, 0, 0, 0}}), c, true},
      {"DIFA", Selected({{5, 0, 0, 0}}), c, false},
      {"DIFM", Selected({{3, 0, 0, 0}}), c, true},
      {"DIFM", Selected({{2, 0, 0, 0}}), c, false},
      {"DIFD", Selected({{8, 0, 0, 0}}), c, true},
      {"DIFK", Selected({{2, 0, 0, 0}}), c, true},
      {"DIFK", Selected({{1, 0, 0, 0}}), c, false},
      {"DIFO", Selected({{3, 2, 0, 0}}), c, true},
      {"DIFO", Selected({{2, 1, 0, 0}}), c, true},
      {"DIFO", Selected({{3, 1, 0, 0}}), c, false},
      {"KDS2", Selected({{3, 3, 0, 0}}), c, true},
      {"KDS2", Selected({{3, 2, 0, 0}}), c, true},
      {"KDS2", Selected({{2, 3, 0, 0}}), c, false},
      {"KDS3", Selected({{3, 3, 2, 0}}), c, true},
      {"KDS3", Selected({{3, 3, 0, 0}}), c, false},
      {"DIFA", Selected({{37, 0, 0, 0}}), MakeComb(40, 3, 22, 9), true},  // the given order
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Code + " " + CombListText(t.Comb));
    auto stat = f.Stat(t.Code);
    EXPECT_EQ(stat->CombMatches(t.Comb, t.Selection, 0, false, false), t.Expected);
    EXPECT_EQ(stat->CombMatches(t.Comb, t.Selection, 0, false, true), t.Expected);
  }
}

TEST(DifferenceStats, RegistryCaptionsParsingAndTheDisabledRun) {
  TStatFixture f({{1, 1, 2, 3, 4, 1, ""}});
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KDS2"), true),
            "{ dif } Сочетания из 2 разностей между числами [ S ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("DIFM"), true),
            "{ dif } Максимальная разность между соседними позициями [ SNG ]");
  EXPECT_EQ(f.List.FindByCode("KDS4"), -1);
  EXPECT_EQ(f.Stat("DIFA")->ParseValue("17"), 17);
  EXPECT_EQ(f.Stat("DIFO")->ParseValue("3 x 2"), 0);
  EXPECT_EQ(f.Stat("KDS3")->ParseValue("3"), 0);

  const TStatClass& kds4 = ClassOf<TstCombDiffSeq4>();
  EXPECT_FALSE(kds4.IsEnabled());
  EXPECT_EQ(kds4.GetCodeFor(0), "KDS4");
  auto stat = kds4.Create(f.List, 0);
  EXPECT_TRUE(DrawValues(*stat, 0, 0, false).empty());
  EXPECT_FALSE(stat->CombMatches(MakeComb(1, 2, 3, 4), Selected({{1, 1, 1, 1}}), 0, false, false));
  TStatDrawRec v;
  v.SetWords(1, 2, 3, 4);
  EXPECT_EQ(stat->ValueToText(v), "1:2:3:4");
}

}  // namespace vetrilo
