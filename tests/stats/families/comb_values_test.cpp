#include "stats/families/comb_values.h"

#include <gtest/gtest.h>

#include "stats/stat_registry.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Selected;
using test::Texts;
using test::TStatFixture;

namespace {

using TTexts = std::vector<std::string>;

// Any class of the family, enabled or not, by its code.
std::unique_ptr<TCustomStat> AnyStat(const TStatList& list, const std::string& code) {
  for (const TStatClassRow& row : StatClassTable()) {
    if (!row.Class) continue;
    const TStatClass& cls = row.Class();
    int low = 0, high = 0;
    if (cls.HasParamRange()) cls.GetParamRange(list, low, high);
    for (int p = low; p <= high; ++p) {
      if (cls.GetCodeFor(p) == code) return cls.Create(list, p);
    }
  }
  ADD_FAILURE() << code;
  return nullptr;
}

}  // namespace

TEST(CombValueStats, TuplesOfADrawInBothOrders) {
  TStatFixture f({{1, 30, 5, 17, 2, 1, ""}});
  struct TCase {
    std::string Code;
    TTexts Drawn;   // drawing order
    TTexts Sorted;  // ascending
  };
  const TCase cases[] = {
      {"KNM2",
       {"30:5", "30:17", "30:2", "5:17", "5:2", "17:2"},
       {"2:5", "2:17", "2:30", "5:17", "5:30", "17:30"}},
      {"KNM3",
       {"30:5:17", "30:5:2", "30:17:2", "5:17:2"},
       {"2:5:17", "2:5:30", "2:17:30", "5:17:30"}},
      {"KNM4", {"30:5:17:2"}, {"2:5:17:30"}},
      {"KNS2", {"30:5", "5:17", "17:2"}, {"2:5", "5:17", "17:30"}},
      {"KNS3", {"30:5:17", "5:17:2"}, {"2:5:17", "5:17:30"}},
      {"KNS4", {"30:5:17:2"}, {"2:5:17:30"}},
      {"KNP21", {"30:5"}, {"2:5"}},
      {"KNP22", {"5:17"}, {"5:17"}},
      {"KNP23", {"17:2"}, {"17:30"}},
      {"KNP31", {"30:5:17"}, {"2:5:17"}},
      {"KNP32", {"5:17:2"}, {"5:17:30"}},
      {"KNP41", {"30:5:17:2"}, {"2:5:17:30"}},
      // The sorted classes sort a copy whatever the caller asks for.
      {"KNO2", {"2:5", "5:17", "17:30"}, {"2:5", "5:17", "17:30"}},
      {"KNO3", {"2:5:17", "5:17:30"}, {"2:5:17", "5:17:30"}},
      {"KNO4", {"2:5:17:30"}, {"2:5:17:30"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    auto stat = AnyStat(f.List, c.Code);
    ASSERT_TRUE(stat);
    TTexts drawn, sorted;
    for (const std::string& t : c.Drawn) drawn.push_back(t + " x1");
    for (const std::string& t : c.Sorted) sorted.push_back(t + " x1");
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, false)), drawn);
    EXPECT_EQ(Texts(*stat, DrawValues(*stat, 0, 0, true)), sorted);
    // No seeds and no values of a combination alone.
    EXPECT_TRUE(RangeValues(*stat, 0, -1, false).empty());
    EXPECT_TRUE(CombValues(*stat, MakeComb(2, 5, 17, 30)).empty());
    EXPECT_EQ(stat->ParseValue("5:17"), 0);
  }
}

TEST(CombValueStats, TupleWordsAndGaps) {
  TStatFixture f({{3, 5, 17, 30, 40, 1, ""}, {9, 5, 17, 20, 21, 1, ""}, {12, 17, 5, 1, 2, 1, ""}});
  auto knm2 = f.Stat("KNM2");
  const TStatDrawArray list = RangeValues(*knm2, 0, 2, false);
  TStatDrawRec pair;
  pair.SetWords(5, 17);
  const int e = list.Find(pair.Key());
  ASSERT_GE(e, 0);
  EXPECT_EQ(list[size_t(e)].Count, 2);  // (17, 5) of draw 12 is another value
  EXPECT_EQ(list[size_t(e)].MinGap, 6);
  EXPECT_EQ(list[size_t(e)].LastDraw, 9);
  EXPECT_EQ(list[size_t(e)].Ago, 2);
  pair.SetWords(17, 5);
  EXPECT_GE(list.Find(pair.Key()), 0);
  EXPECT_EQ(list.size(), 6u + 5u + 6u);  // (5, 17) is shared by the first two draws
}

TEST(CombValueStats, CombMatches) {
  TStatFixture f;
  struct TCase {
    std::string Code;
    TStatDrawArray Selection;
    TComb Comb;
    bool Expected;
  };
  const TComb candidate = MakeComb(2, 5, 17, 30);
  const TCase cases[] = {
      {"KNM2", Selected({{5, 17, 0, 0}}), candidate, true},
      {"KNM2", Selected({{30, 5, 0, 0}, {30, 17, 0, 0}, {30, 2, 0, 0}}), candidate, false},
      {"KNM2", Selected({{5, 2, 0, 0}, {17, 2, 0, 0}}), candidate, false},
      {"KNM2", Selected({{2, 30, 0, 0}}), candidate, true},
      {"KNM3", Selected({{2, 17, 30, 0}}), candidate, true},
      {"KNM3", Selected({{2, 17, 0, 0}}), candidate, false},  // a pair is not a triple
      {"KNS2", Selected({{21, 40, 0, 0}}), MakeComb(3, 9, 21, 40), true},
      {"KNS2", Selected({{8, 21, 0, 0}}), MakeComb(3, 9, 21, 40), false},
      {"KNS2", Selected({{3, 21, 0, 0}}), MakeComb(3, 9, 21, 40), false},
      {"KNS3", Selected({{9, 21, 40, 0}}), MakeComb(3, 9, 21, 40), true},
      {"KNP22", Selected({{8, 21, 0, 0}}), MakeComb(3, 8, 21, 40), true},
      {"KNP22", Selected({{21, 40, 0, 0}}), MakeComb(3, 8, 21, 40), false},
      {"KNP23", Selected({{21, 40, 0, 0}}), MakeComb(3, 8, 21, 40), true},
      {"KNP32", Selected({{8, 21, 40, 0}}), MakeComb(3, 8, 21, 40), true},
      {"KNP31", Selected({{8, 21, 40, 0}}), MakeComb(3, 8, 21, 40), false},
      {"KNP41", Selected({{3, 8, 21, 40}}), MakeComb(3, 8, 21, 40), true},
      {"KNP41", Selected({{3, 8, 21, 40}}), MakeComb(8, 3, 21, 40), false},
      {"KNM4", Selected({{3, 8, 21, 40}}), MakeComb(3, 8, 21, 40), true},
      {"KNO2", Selected({{2, 5, 0, 0}}), MakeComb(30, 5, 17, 2), true},
      {"KNO2", Selected({{2, 17, 0, 0}}), MakeComb(30, 5, 17, 2), false},
      {"KNO4", Selected({{2, 5, 17, 30}}), MakeComb(30, 5, 17, 2), true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code + " " + CombListText(c.Comb));
    auto stat = AnyStat(f.List, c.Code);
    ASSERT_TRUE(stat);
    for (bool exclude : {false, true}) {
      EXPECT_EQ(stat->CombMatches(c.Comb, c.Selection, 0, false, exclude), c.Expected);
    }
  }
}

TEST(CombValueStats, RegistryEntriesCaptionsAndDisabledClasses) {
  TStatFixture f;
  TTexts codes;
  for (const TStatMethod& m : f.List.Methods) {
    if (m.Stat->ClassName().rfind("TstCombVal", 0) == 0) codes.push_back(m.Code());
  }
  EXPECT_EQ(codes, (TTexts{"KNM2", "KNM3", "KNS2", "KNS3", "KNP21", "KNP22", "KNP23", "KNP31",
                           "KNP32", "KNP41"}));
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KNM2"), true),
            "{ num } Сочетания из 2 чисел по всем числам тиража [ S ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KNS3"), true),
            "{ num } Сочетания из 3 соседних чисел тиража [ S ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KNP22"), true),
            "{ num } Сочетания из 2-х чисел тиража начиная с 2 позиции [ S ]");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("KNP41"), false),
            "{ num } Сочетания из 4-х чисел тиража начиная с 1 позиции");
  EXPECT_EQ(ClassOf<TstCombValPos3>().GetHelpCode(), "KNP3");
  EXPECT_EQ(ClassOf<TstCombValMix3>().GetHelpCode(), "KNM3");
  EXPECT_EQ(ClassOf<TstCombValSort3>().GetCaptionFor(0),
            "Сочетания из 3 чисел тиража по возрастанию");

  for (const TStatClass* cls :
       {&ClassOf<TstCombValMix4>(), &ClassOf<TstCombValSeq4>(), &ClassOf<TstCombValSort2>(),
        &ClassOf<TstCombValSort3>(), &ClassOf<TstCombValSort4>()}) {
    EXPECT_FALSE(cls->IsEnabled()) << cls->ClassName();
    EXPECT_EQ(f.List.FindByCode(cls->GetCode()), -1) << cls->ClassName();
  }
  EXPECT_EQ(ClassOf<TstCombValSort2>().GetAllFlags(), 0);
  EXPECT_FALSE(ClassOf<TstCombValMix2>().HasNorm());
}

}  // namespace vetrilo
