#include <gtest/gtest.h>

#include "core/file_io.h"
#include "stats/stat_test_support.h"
#include "test_paths.h"

namespace vetrilo {
using test::SameRecords;
using test::Selected;
using test::Texts;
using test::TStatFixture;

namespace {

using TTexts = std::vector<std::string>;

const char* const kRepCodes[] = {"RPV2",   "RPV3",   "PRL2",  "PRV2O1", "PRV2O2", "PRV2O3", "PRV+1",
                                 "PRV-1",  "PRV+2",  "PRV-2", "RPC2",   "RPC3",   "PRB2",   "RPO1",
                                 "PRC2O2", "PRC2O3", "PRC+1", "PRC-1",  "PRC+2",  "PRC-2"};
const char* const kCountCodes[] = {"RPC2",   "RPC3",  "PRB2",  "RPO1",  "PRC2O2",
                                   "PRC2O3", "PRC+1", "PRC-1", "PRC+2", "PRC-2"};

// Index 3 is the newest analysed draw in most cases; index 4 is hidden by a draw offset of 1.
TStatFixture MakeFixture() {
  return TStatFixture({{11, 46, 12, 30, 1, 1, ""},
                       {12, 12, 30, 13, 20, 2, ""},
                       {13, 8, 20, 12, 40, 3, ""},
                       {14, 5, 12, 30, 47, 4, ""},
                       {15, 6, 13, 22, 33, 5, ""}});
}

}  // namespace

TEST(RepeatStats, SeedsComeFromTheNewestDraw) {
  TStatFixture f = MakeFixture();
  struct TCase {
    std::string Code;
    int LastIndex;
    TTexts Values;
  };
  const TCase cases[] = {
      {"RPV2", 3, {"5 x0", "12 x0", "30 x0", "47 x0"}},
      {"PRV2O3", 3, {"5 x0", "12 x0", "30 x0", "47 x0"}},  // still the newest draw for d > 1
      {"PRV+1", 3, {"6 x0", "13 x0", "31 x0", "1 x0"}},
      {"PRV-1", 3, {"4 x0", "11 x0", "29 x0", "46 x0"}},
      {"PRV+2", 3, {"7 x0", "14 x0", "32 x0", "2 x0"}},
      {"PRV-2", 3, {"3 x0", "10 x0", "28 x0", "45 x0"}},
      {"RPV3", 3, {"5 x0", "12 x0", "30 x0", "47 x0"}},
      {"PRL2", 2, {"8 x0", "20 x0", "12 x0", "40 x0"}},  // drawing order
      {"RPV2", 4, {"6 x0", "13 x0", "22 x0", "33 x0"}},  // offset 0: the hidden draw is newest
      {"RPC2", 3, {"1 x0", "2 x0", "3 x0", "4 x0"}},
      {"PRB2", 3, {"1 x0", "2 x0", "3 x0", "4 x0"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " at " + std::to_string(c.LastIndex));
    auto stat = f.Stat(c.Code);
    TStatDrawArray list;
    stat->GetAllValues(c.LastIndex, list);
    EXPECT_EQ(Texts(*stat, list), c.Values);
  }
}

// Draws 0..3 against the newest draw 3; the draws before index 0 are four zeros,
// which the shifted classes compare as 1, 2, 46 or 45.
TEST(RepeatStats, RangeFromTheArchiveStartInBothOrders) {
  TStatFixture f = MakeFixture();
  struct TCase {
    std::string Code;
    TTexts Values;
  };
  const TCase cases[] = {
      {"RPV2", {"5 x0", "12 x3", "30 x1", "47 x0"}},
      {"PRV2O1", {"5 x0", "12 x2", "30 x1", "47 x0"}},
      {"PRV2O2", {"5 x0", "12 x1", "30 x1", "47 x0"}},
      {"PRV2O3", {"5 x0", "12 x0", "30 x0", "47 x0"}},
      {"PRV+1", {"6 x0", "13 x1", "31 x0", "1 x4"}},   // draw 0 has 1: four shifted zeros
      {"PRV-1", {"4 x0", "11 x0", "29 x0", "46 x4"}},  // draw 0 has 46
      {"PRV+2", {"7 x0", "14 x0", "32 x0", "2 x0"}},
      {"PRV-2", {"3 x0", "10 x0", "28 x0", "45 x0"}},
      {"RPV3", {"5 x0", "12 x2", "30 x0", "47 x0"}},
      {"PRL2", {"5 x0", "12 x1", "30 x1", "47 x0"}},
      {"RPC2", {"1 x1", "2 x2", "3 x0", "4 x0", "0 x1"}},
      {"RPO1", {"1 x1", "2 x1", "3 x0", "4 x0", "0 x2"}},
      {"PRC2O2", {"1 x0", "2 x1", "3 x0", "4 x0", "0 x3"}},
      {"PRC2O3", {"1 x0", "2 x0", "3 x0", "4 x0", "0 x4"}},
      {"PRC+1", {"1 x1", "2 x0", "3 x0", "4 x1", "0 x2"}},
      {"PRC-1", {"1 x1", "2 x0", "3 x0", "4 x1", "0 x2"}},
      {"PRC+2", {"1 x0", "2 x0", "3 x0", "4 x0", "0 x4"}},
      {"PRC-2", {"1 x0", "2 x0", "3 x0", "4 x0", "0 x4"}},
      {"RPC3", {"1 x2", "2 x0", "3 x0", "4 x0", "0 x2"}},
      {"PRB2", {"1 x1", "2 x1", "3 x0", "4 x0", "0 x2"}},
  };
  ASSERT_EQ(std::size(cases), std::size(kRepCodes));
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = f.Stat(c.Code);
    const TStatDrawArray drawn = RangeValues(*stat, 0, 3, false);
    EXPECT_EQ(Texts(*stat, drawn), c.Values);
    EXPECT_TRUE(SameRecords(drawn, RangeValues(*stat, 0, 3, true)));
  }
  auto rpv2 = f.Stat("RPV2");
  const TStatDrawArray list = RangeValues(*rpv2, 0, 3, false);
  EXPECT_EQ(list[1].LastDraw, 14);
  EXPECT_EQ(list[1].Ago, 1);
  EXPECT_EQ(list[1].MinGap, 1);
  EXPECT_EQ(list[1].MaxGap, 1);
  EXPECT_EQ(list[2].LastDraw, 12);
  EXPECT_EQ(list[2].Ago, 3);
  EXPECT_EQ(list[0].Ago, 0);
}

TEST(RepeatStats, EarlierDrawsAreReadRelativeToTheAnalysedDraw) {
  TStatFixture f = MakeFixture();
  struct TCase {
    std::string Code;
    int Index, LastIndex;
    TTexts Values;
  };
  const TCase cases[] = {
      // Draw 2 took 12 and 20 from draw 1; only the numbers of the newest draw count.
      {"RPV2", 2, 3, {"12 x1"}},
      {"RPV2", 2, 2, {"12 x1", "20 x1"}},
      {"RPV2", 1, 3, {"12 x1", "30 x1"}},
      {"RPC2", 2, 3, {"2 x1"}},
      {"RPC2", 2, 0, {"2 x1"}},  // counts do not depend on the newest draw
      {"RPO1", 3, 3, {"2 x1"}},  // draw 3 against draw 1
      {"RPO1", 1, 3, {"0 x1"}},  // nothing two back: four zeros
      {"RPC3", 2, 3, {"1 x1"}},  // draws 1 and 0
      {"PRB2", 2, 3, {"1 x1"}},
      {"PRB2", 1, 3, {"2 x1"}},  // draw 0 and the zeros before it
      {"RPV2", 4, 4, {}},        // the hidden draw, once visible, shares nothing
      {"PRV+1", 0, 3, {"1 x4"}},
      {"PRV+1", 0, 0, {}},  // newest draw 0 shifted: 47, 13, 31, 2 has no 1
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + std::to_string(c.Index) + "/" + std::to_string(c.LastIndex));
    auto stat = f.Stat(c.Code);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, c.Index, c.LastIndex, false)), c.Values);
  }
}

// The candidate stands for the draw after LastIndex.
TEST(RepeatStats, CombMatchesOfEveryClass) {
  TStatFixture f = MakeFixture();
  const TComb a = MakeComb(5, 12, 20, 33);
  const TComb b = MakeComb(6, 13, 22, 33);
  const TComb c = MakeComb(5, 12, 30, 33);
  struct TCase {
    std::string Code;
    int LastIndex;
    int Selected;
    TComb Comb;
    bool Expected;
  };
  const TCase cases[] = {
      {"RPV2", 3, 12, a, true},
      {"RPV2", 3, 12, b, false},
      {"RPV3", 3, 5, a, true},
      {"PRL2", 3, 30, a, false},
      {"PRV2O1", 3, 20, a, true},
      {"PRV2O2", 3, 47, c, false},
      {"PRV2O3", 3, 33, b, true},
      {"PRV+1", 3, 13, b, true},
      {"PRV-1", 3, 13, a, false},
      {"PRV+2", 3, 22, b, true},
      {"PRV-2", 3, 6, b, true},
      // RPC2 against draw 3 (5, 12, 30, 47).
      {"RPC2", 3, 2, a, true},
      {"RPC2", 3, 3, c, true},
      {"RPC2", 3, 0, b, true},
      {"RPC2", 3, 0, a, false},
      {"RPC2", 2, 2, a, true},
      {"RPC2", 4, 4, b, true},
      // Shifted: 6, 13, 31, 1 / 4, 11, 29, 46 / 7, 14, 32, 2 / 3, 10, 28, 45.
      {"PRC+1", 3, 0, a, true},
      {"PRC+1", 3, 2, b, true},
      {"PRC-1", 3, 0, b, true},
      {"PRC+2", 3, 0, c, true},
      {"PRC-2", 3, 1, c, false},
      // RPO1 against draw 2, PRC2O2 against draw 1, PRC2O3 against draw 0.
      {"RPO1", 3, 2, a, true},
      {"RPO1", 3, 1, c, true},
      {"RPO1", 3, 0, b, true},
      {"PRC2O2", 3, 1, b, true},
      {"PRC2O2", 3, 2, c, true},
      {"PRC2O3", 3, 1, a, true},
      {"PRC2O3", 3, 2, c, true},
      {"RPO1", 0, 0, c, true},  // nothing two back: zeros
      // RPC3: in draws 3 and 2 (12); PRB2: in draw 3, not in draw 2 (5, 30, 47).
      {"RPC3", 3, 1, a, true},
      {"RPC3", 3, 0, b, true},
      {"RPC3", 3, 1, c, true},
      {"PRB2", 3, 1, a, true},
      {"PRB2", 3, 2, c, true},
      {"PRB2", 3, 0, b, true},
      {"RPC3", 0, 0, c, true},
      {"PRB2", 0, 2, c, true},  // draw 0 and zeros before it
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Code + " at " + std::to_string(t.LastIndex) + " " + CombListText(t.Comb) +
                 " selecting " + std::to_string(t.Selected));
    auto stat = f.Stat(t.Code);
    for (bool sorted : {false, true}) {
      stat->LoadDraws(-1, t.LastIndex, sorted);
      for (bool exclude : {false, true}) {
        EXPECT_EQ(stat->CombMatches(t.Comb, Selected({{t.Selected, 0, 0, 0}}), t.LastIndex, sorted,
                                    exclude),
                  t.Expected);
      }
    }
  }
}

// A draw judged as a candidate after the draw before it gets its own count.
TEST(RepeatStats, CountOfADrawEqualsItsCountAsACandidate) {
  TDrawArchive archive;
  archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
  TStatList list;
  list.Draws = &archive;
  list.BuildMethods();
  ASSERT_GT(archive.Count(), 100);
  for (const char* code : kCountCodes) {
    SCOPED_TRACE(code);
    auto stat = list.CreateStat(list.Item(list.FindByCode(code)));
    // From index 4 on every class has real draws before it.
    for (int i = 4; i <= archive.High(); ++i) {
      const TStatDrawArray values = DrawValues(*stat, i, archive.High(), false);
      ASSERT_EQ(values.size(), 1u);
      const int n = values[0].Value[0];
      const TComb comb = archive.GetDraw(i, false).Comb();
      stat->LoadDraws(-1, i - 1, false);
      ASSERT_TRUE(stat->CombMatches(comb, Selected({{n, 0, 0, 0}}), i - 1, false, false)) << i;
      ASSERT_FALSE(stat->CombMatches(comb, Selected({{n + 1, 0, 0, 0}}), i - 1, false, false)) << i;
    }
  }
}

TEST(RepeatStats, NoNormNoGraphAndOneMethodPerClass) {
  TStatFixture f;
  for (const char* code : kRepCodes) {
    SCOPED_TRACE(code);
    const int i = f.List.FindByCode(code);
    ASSERT_GE(i, 0);
    const TStatClass& cls = *f.List.Item(i).Stat;
    EXPECT_FALSE(cls.HasNorm());
    EXPECT_FALSE(cls.HasGraph());
    EXPECT_FALSE(cls.HasParamRange());
    EXPECT_EQ(cls.GetHelpCode(), code);
    auto stat = f.Stat(code);
    EXPECT_TRUE(CombValues(*stat, MakeComb(1, 2, 3, 4)).empty());
    EXPECT_EQ(stat->ParseValue("12"), 12);
  }
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("PRV+1"), true),
            "{ rep } Данные предыдущего тиража + 1 [ D ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("PRC-2"), false),
            "{ rep } Количество совпадений \"значений - 2\"");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("RPO1"), false),
            "{ rep } Количество повторов в 2-х тиражах через 1 тираж(а)");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("PRV2O3"), false),
            "{ rep } Повторяющиеся числа в 2-х тиражах через 3 тираж(а)");
}

}  // namespace vetrilo
