#include "scripts/filter_variants.h"

#include <gtest/gtest.h>

#include "core/game.h"
#include "scripts/script_test_support.h"

namespace vetrilo {
using test::LiteralVariants;
using test::TScriptFixture;
using test::VariantDump;

namespace {

std::vector<TFilterItem> Items(const TStatList& list, const std::vector<std::string>& texts) {
  std::vector<TFilterItem> items;
  for (const std::string& t : texts) items.push_back(ParseScriptFilter(t, list));
  return items;
}

std::vector<std::string> AllTexts(const TVariantPlan& plan) {
  std::vector<std::string> texts;
  plan.ForEach([&](int64_t number, const TFilterRec& v) {
    EXPECT_EQ(number, static_cast<int64_t>(texts.size()) + 1);
    texts.push_back(FormatVariant(v));
    return true;
  });
  return texts;
}

std::string ErrorOf(const std::vector<TFilterItem>& items) {
  try {
    TVariantPlan plan(items);
  } catch (const EScriptFilterError& e) {
    return "filter: " + e.Message();
  } catch (const EScriptTooLarge& e) {
    return "large: " + e.Message();
  }
  return "";
}

}  // namespace

TEST(FilterVariants, PartVariantAndLabelTexts) {
  TScriptFixture f;
  const TScriptLine line = ParseScriptLine(
      "EXCL:3#ALL#NEX|TSD1#SUMS:1000#LNO:#SF:1|BMF6#EVEN:500#LMV:3#ST:2| | | | | |Проба", f.List);
  const TVariantPlan plan(line.AssignedFilters());
  ASSERT_EQ(plan.Count(), 1);
  const TFilterRec v = plan.Variant(0);
  EXPECT_EQ(FormatFilterPart(v[0]), "TSD#SUMS:1000#LNO:#SF:1");
  EXPECT_EQ(FormatVariant(v), "TSD#SUMS:1000#LNO:#SF:1 + BMF#EVEN:500#LMV:3#ST:2");
  EXPECT_EQ(VariantFilterText(line.Options, &v),
            "EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1 + BMF#EVEN:500#LMV:3#ST:2");
  EXPECT_EQ(VariantLabel(3, 12, line.Comment, "EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1"),
            "03.012: Проба @ EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1");
  EXPECT_EQ(v[1].Method, f.Method("EVEN"));
  EXPECT_EQ(v[0].Method, f.Method("SUMS"));

  // An unknown method: the variant shows the code as written.
  const TScriptLine unknown = ParseScriptLine("FULL:0#RAND|TSD1#ZZZZ:1000#LNO:#SF:1", f.List);
  const TFilterRec u = TVariantPlan(unknown.AssignedFilters()).Variant(0);
  EXPECT_EQ(u[0].Method, nullptr);
  EXPECT_EQ(FormatFilterPart(u[0]), "TSD#ZZZZ:1000#LNO:#SF:1");
  EXPECT_FALSE(v[2].Assigned);

  // A line without filters: variant 0 and the options text alone.
  const TScriptLine bare = ParseScriptLine("FULL:0#RAND| | | | | | | |", f.List);
  EXPECT_EQ(VariantLabel(1, 0, bare.Comment, VariantFilterText(bare.Options, nullptr)),
            "01.000: @ FULL#RAND");
  EXPECT_EQ(VariantLabel(123, 4567, "x", "F"), "123.4567: x @ F");

  TFilterPart part;
  part.Assigned = true;
  part.Method = f.Method("POS10");
  part.DrawsLen = -5;
  part.BottomUp = part.Keep = true;
  part.LevelMode = 31;
  part.ValueText = "1, 2";
  part.StopMode = 4;
  part.StopValue = 9;
  part.CDLOverride = true;
  part.CoefCount = 0.1L;
  part.CoefDeviation = -1;
  part.UseAbsValues = true;
  EXPECT_EQ(FormatFilterPart(part), "BSF#POS10:-5#LVA:1, 2#SV:9#0.1:-1:0:0:1");
}

TEST(FilterVariants, LabelIsTheWholeTextAndItsStoredCopyIs255Characters) {
  const std::string comment(300 * 2, 'x');
  EXPECT_EQ(VariantLabel(1, 1, comment, "F"), "01.001: " + comment + " @ F");
  EXPECT_EQ(StoredVariantLabel(VariantLabel(1, 1, comment, "F")),
            "01.001: " + comment.substr(0, 247));
  std::string cyr;
  for (int i = 0; i < 300; ++i) cyr += "Ж";
  const std::string label = VariantLabel(2, 3, cyr, "F");
  EXPECT_EQ(label, "02.003: " + cyr + " @ F");
  // "02.003: " is 8 characters, then 247 two-byte letters.
  EXPECT_EQ(StoredVariantLabel(label), "02.003: " + cyr.substr(0, 247 * 2));
  const std::string shortLabel = VariantLabel(2, 3, "Ж", "F");
  EXPECT_EQ(shortLabel, "02.003: Ж @ F");
  EXPECT_EQ(StoredVariantLabel(shortLabel), shortLabel);
  // Exactly 255 characters stay whole; one more is cut.
  const std::string exact = "01.001: " + std::string(255 - 8 - 4, 'y') + " @ F";
  EXPECT_EQ(StoredVariantLabel(exact), exact);
  EXPECT_EQ(StoredVariantLabel(exact + "Ж"), exact);
}

TEST(FilterVariants, PartTextWithoutAMethodReadsBackAsWritten) {
  TScriptFixture f;
  struct TCase {
    std::string Filter;
    std::string PartText;
  };
  const TCase cases[] = {
      {"TSD1#ZZZZ:1000#LNO:#SF:1", "TSD#ZZZZ:1000#LNO:#SF:1"},
      // The code is the first ":"-sub-word under the word rule, as the depth is the second.
      {"TSD1#:100:100#LNO:#SF:1", "TSD#100:100#LNO:#SF:1"},
      {"TSD1#::QQ::7:9#LNO:#SF:1", "TSD#QQ:7#LNO:#SF:1"},
      {"BMF2#ZZ::200#LMV:3#ST:2", "BMF#ZZ:200#LMV:3#ST:2"},
      {"TSD1#Жук:5, 6#LDV:1;2#SF:1", "TSD#Жук:5#LDV:1;2#SF:1"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Filter);
    const TFilterItem item = ParseScriptFilter(c.Filter, f.List);
    ASSERT_EQ(item.Method, nullptr);
    const TVariantPlan plan({item});
    ASSERT_GE(plan.Count(), 1);
    const std::string text = FormatFilterPart(plan.Variant(0)[0]);
    EXPECT_EQ(text, c.PartText);
    // Read again, the part text names the same code and depth.
    const TFilterItem again = ParseScriptFilter(text, f.List);
    EXPECT_EQ(again.Method, nullptr);
    EXPECT_EQ(FormatFilterPart(TVariantPlan({again}).Variant(0)[0]), text);
  }
}

TEST(FilterVariants, MessageQuotesTheWholeFilterEvenWithANulByte) {
  TScriptFixture f;
  const std::string filter = std::string("TSD1#ZZ\0ZZ:abc#LNO:#SF:1", 24);
  EXPECT_EQ(ErrorOf(Items(f.List, {filter})),
            "filter: Некорректное описание фильтра: " + filter + "!");
  EXPECT_EQ(MalformedFilterMessage(ParseScriptFilter(filter, f.List)),
            "Некорректное описание фильтра: " + filter + "!");
}

TEST(FilterVariants, EnumerationOrderOfTwelveVariants) {
  TScriptFixture f;
  const auto items = Items(
      f.List, {"TSD1#NUMS:100-300;100#LMV:1, 2#SF:1", "BMF1#EVEN:500, 1000#LDV:1, 2, 3#ST:2"});
  const TVariantPlan plan(items);
  EXPECT_EQ(plan.Count(), 12);
  EXPECT_EQ(plan.Choices(0), 6);
  EXPECT_EQ(plan.Choices(1), 2);
  const std::vector<std::string> expected = {
      "TSD#NUMS:100#LMV:1#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:100#LMV:1#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:100#LMV:2#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:100#LMV:2#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:200#LMV:1#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:200#LMV:1#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:200#LMV:2#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:200#LMV:2#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:300#LMV:1#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:300#LMV:1#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:300#LMV:2#SF:1 + BMF#EVEN:500#LDV:1, 2, 3#ST:2",
      "TSD#NUMS:300#LMV:2#SF:1 + BMF#EVEN:1000#LDV:1, 2, 3#ST:2",
  };
  EXPECT_EQ(AllTexts(plan), expected);
  const TFilterRec v = plan.Variant(5);
  EXPECT_EQ(v[0].DrawsLen, 200);
  EXPECT_EQ(v[0].Value, "1");
  EXPECT_EQ(v[1].DrawsLen, 1000);
  EXPECT_EQ(v[1].Value, "1,2,3");
  EXPECT_EQ(v[1].ValueText, "1, 2, 3");
}

TEST(FilterVariants, ValuePerLevelMode) {
  TScriptFixture f;
  struct TCase {
    std::string Level;
    std::vector<std::string> Values, ValueTexts;
  };
  const TCase cases[] = {
      {"WDV:1, 2", {"1", "2"}, {"1", "2"}},
      {"PXR:5-1;-2", {"5", "3", "1"}, {"5", "3", "1"}},
      {"CDV:1, 2", {"1,2"}, {"1, 2"}},
      {"LVA:1-7;3", {"1,4,7"}, {"1-7;3"}},
      {"DDP: 01 ;+2", {"1,2"}, {"01 ;+2"}},
      {"LNO:not parsed", {"not parsed"}, {"not parsed"}},
      {"LNO:", {""}, {""}},
      {"DLV:-3", {"-3"}, {"-3"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Level);
    const TVariantPlan plan(Items(f.List, {"TSD1#NUMS:7#" + c.Level + "#SF:1"}));
    ASSERT_EQ(plan.Count(), static_cast<int64_t>(c.Values.size()));
    for (size_t k = 0; k < c.Values.size(); ++k) {
      const TFilterRec v = plan.Variant(static_cast<int64_t>(k));
      EXPECT_EQ(v[0].Value, c.Values[k]);
      EXPECT_EQ(v[0].ValueText, c.ValueTexts[k]);
      EXPECT_EQ(v[0].DrawsLen, 7);
    }
  }
}

TEST(FilterVariants, PlanMatchesTheLiteralEnumeration) {
  TScriptFixture f;
  const std::vector<std::vector<std::string>> lines = {
      {"TSD1#NUMS:5"},
      {"BMF3#XYZ:1,2,3#CMV:10-30;10#SC:4#1:2:3:1:1", "TSD1#POS10:100#LVA:1;2",
       "TMD2#EVEN:1-4;1#WLV:0,1"},
      {"TSD1#NUMS:1#LNO:", "TSD1#NUMS:1,1#LMP:3", "TSD1#NUMS:2#PAM:-1-1;1", "TSD1#NUMS:3#DDV:1",
       "TSD1#NUMS:4,5#LLV:9", "TSD1#NUMS:6#LDP:1,2", "TSD1#NUMS:7-9;1#PIL:4,5"},
  };
  for (const auto& texts : lines) {
    const auto items = Items(f.List, texts);
    const TVariantPlan plan(items);
    const std::vector<TFilterRec> literal = LiteralVariants(items);
    ASSERT_EQ(plan.Count(), static_cast<int64_t>(literal.size()));
    size_t k = 0;
    plan.ForEach([&](int64_t number, const TFilterRec& v) {
      EXPECT_EQ(number, static_cast<int64_t>(k) + 1);
      EXPECT_EQ(VariantDump(v), VariantDump(literal[k]));
      EXPECT_EQ(VariantDump(plan.Variant(static_cast<int64_t>(k))), VariantDump(literal[k]));
      ++k;
      return true;
    });
    EXPECT_EQ(k, literal.size());
  }
}

TEST(FilterVariants, ForEachStopsWhenAsked) {
  TScriptFixture f;
  const TVariantPlan plan(Items(f.List, {"TSD1#NUMS:1-100;1"}));
  int64_t seen = 0;
  plan.ForEach([&](int64_t number, const TFilterRec&) {
    seen = number;
    return number < 3;
  });
  EXPECT_EQ(seen, 3);
  EXPECT_EQ(plan.Variant(100)[0].Assigned, false);  // outside the plan: an empty record
  EXPECT_EQ(plan.Variant(-1)[0].Assigned, false);

  const TVariantPlan none({});
  EXPECT_EQ(none.Count(), 0);
  none.ForEach([&](int64_t, const TFilterRec&) {
    ADD_FAILURE() << "a line without filters has no enumerated variants";
    return true;
  });
}

TEST(FilterVariants, MalformedFilters) {
  TScriptFixture f;
  struct TCase {
    std::vector<std::string> Filters;
    std::string Error;
  };
  const TCase cases[] = {
      {{"TSD1#NUMS:10-20"}, "filter: Некорректное описание фильтра: TSD1#NUMS:10-20#LNO:#SF:0!"},
      {{"TSD1#NUMS:500-100;100#LNO:#SF:1"},
       "filter: Некорректное описание фильтра: TSD1#NUMS:500-100;100#LNO:#SF:1!"},
      {{"TSD1#NUMS"}, "filter: Некорректное описание фильтра: TSD1#NUMS:#LNO:#SF:0!"},
      {{"TSD1#NUMS:1-10;0"}, "filter: Некорректное описание фильтра: TSD1#NUMS:1-10;0#LNO:#SF:0!"},
      {{"TSD1#NUMS:5#LMV"}, "filter: Некорректное описание фильтра: TSD1#NUMS:5#LMV:#SF:0!"},
      {{"BMF2#NUMS:5#LDV:a-b#ST:1"},
       "filter: Некорректное описание фильтра: BMF2#NUMS:5#LDV:a-b#ST:1!"},
      {{"TSD1#XYZ:5#LVA:;"}, "filter: Некорректное описание фильтра: TSD1#XYZ:5#LVA:;#SF:0!"},
      // The first malformed filter in order is reported, also after an oversized one.
      {{"TSD1#NUMS:1-2000000;1", "TSD1#EVEN:x", "TSD1#NUMS:y"},
       "filter: Некорректное описание фильтра: TSD1#EVEN:x#LNO:#SF:0!"},
      // An unknown level code reads as mode 0, whose text is not parsed.
      {{"TSD1#NUMS:5#XXX:junk"}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Filters[0]);
    EXPECT_EQ(ErrorOf(Items(f.List, c.Filters)), c.Error);
  }
}

TEST(FilterVariants, SizesAreCheckedExactlyAndLimited) {
  TScriptFixture f;
  const std::string tooMany =
      "large: Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
      "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а "
      "затем повторите попытку.\r\rКоличество вариантов фильтров превышает 1000000.";
  struct TCase {
    std::vector<std::string> Filters;
    int64_t Count;  // -1: refused as too many variants
  };
  const std::string seven = "TSD1#NUMS:1-7;1";
  const std::string eight = "TSD1#NUMS:1-8;1";
  const TCase cases[] = {
      {{"TSD1#NUMS:1-1000;1#LMV:1-1000;1"}, 1000000},
      {{"TSD1#NUMS:1-1000;1#LMV:0-1000;1"}, -1},
      {{"TSD1#NUMS:1-1000000;1"}, 1000000},
      {{"TSD1#NUMS:1-1000001;1"}, -1},
      {{"TSD1#NUMS:1-1000;1", "TSD1#NUMS:1-1000;1", "TSD1#NUMS:1,2"}, -1},
      {{seven, seven, seven, seven, seven, seven, seven}, 823543},
      {{eight, eight, eight, eight, eight, eight, eight}, -1},
      // 2^32 depths and 2^32 level values: exact counts, no overflow into a small number.
      {{"TSD1#NUMS:-2147483648-2147483647;1#LMV:-2147483648-2147483647;1"}, -1},
      {{"TSD1#NUMS:-2147483648-2147483647;1"}, -1},
      {{"TSD1#NUMS:-2147483648-2147483647;2147483647"}, 3},
      {{"TSD1#NUMS:2147483647--2147483648;-2147483648"}, 2},
      // A list mode makes one variant whatever the length of its list.
      {{"TSD1#NUMS:1-1000;1#LDV:1-1000000;1"}, 1000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Filters[0]);
    const auto items = Items(f.List, c.Filters);
    if (c.Count < 0) {
      EXPECT_EQ(ErrorOf(items), tooMany);
      continue;
    }
    const TVariantPlan plan(items);
    EXPECT_EQ(plan.Count(), c.Count);
  }
  const TVariantPlan wide(Items(f.List, {"TSD1#NUMS:-2147483648-2147483647;2147483647"}));
  EXPECT_EQ(wide.Variant(0)[0].DrawsLen, -2147483647 - 1);
  EXPECT_EQ(wide.Variant(1)[0].DrawsLen, -1);
  EXPECT_EQ(wide.Variant(2)[0].DrawsLen, 2147483646);

  // A list mode's list is held as one text, so its length is limited too.
  const std::string listError =
      ErrorOf(Items(f.List, {"TSD1#NUMS:5#CDV:-2147483648-2147483647;1"}));
  EXPECT_EQ(
      listError,
      "large: Список \"-2147483648-2147483647;1\" содержит слишком много значений (4294967296)!");
  EXPECT_EQ(ErrorOf(Items(f.List, {"TSD1#NUMS:5#CDV:1-1000001;1"})).rfind("large: Список", 0), 0u);
}

TEST(FilterVariants, LimitPlanEnumeratesEveryVariantOnce) {
  TScriptFixture f;
  const TVariantPlan plan(Items(f.List, {"TSD1#NUMS:1-1000;1#LMV:1-1000;1"}));
  int64_t seen = 0;
  int32_t lastDepth = 0;
  std::string lastValue;
  plan.ForEach([&](int64_t number, const TFilterRec& v) {
    ++seen;
    if (number == plan.Count()) {
      lastDepth = v[0].DrawsLen;
      lastValue = v[0].Value;
    }
    return true;
  });
  EXPECT_EQ(seen, kMaxScriptVariants);
  EXPECT_EQ(lastDepth, 1000);
  EXPECT_EQ(lastValue, "1000");
  EXPECT_EQ(plan.Variant(1234)[0].DrawsLen, 2);
  EXPECT_EQ(plan.Variant(1234)[0].Value, "235");
}

}  // namespace vetrilo
