#include "scripts/script_editors.h"

#include <gtest/gtest.h>

#include "script_test_support.h"

namespace vetrilo {
using test::TScriptFixture;

TEST(ScriptEditors, LineEditorStartsFromTheLineOrFromTheDefaults) {
  const TLineEditorValues empty = LineEditorValues("", 5);
  EXPECT_EQ(empty.StartList, 0);
  EXPECT_EQ(empty.StakeMode, 0);
  EXPECT_EQ(empty.DrawsExclude, 5);
  EXPECT_FALSE(empty.ClearStakes);
  EXPECT_FALSE(empty.NewOnly);
  EXPECT_EQ(empty.Comment, "");
  for (const std::string& f : empty.Filters) EXPECT_EQ(f, "");

  const TLineEditorValues v =
      LineEditorValues("excl:7#all#nex#clr| TSD1#SUMS:1000#LNO:#SF:1 | |x#y| | | | |Проба", 5);
  EXPECT_EQ(v.StartList, 1);
  EXPECT_EQ(v.DrawsExclude, 7);
  EXPECT_EQ(v.StakeMode, 3);
  EXPECT_TRUE(v.ClearStakes);
  EXPECT_TRUE(v.NewOnly);
  EXPECT_EQ(v.Filters[0], "TSD1#SUMS:1000#LNO:#SF:1");
  EXPECT_EQ(v.Filters[1], "");
  EXPECT_EQ(v.Filters[2], "x#y");
  EXPECT_EQ(v.Comment, "Проба");
  EXPECT_EQ(BuildEditedLine(v), "EXCL:7#ALL#CLR#NEX|TSD1#SUMS:1000#LNO:#SF:1| |x#y| | | | |Проба");
  // A line gives its own count even when it is 0.
  EXPECT_EQ(LineEditorValues("FULL:0#RAND| | | | | | | |", 5).DrawsExclude, 0);
}

TEST(ScriptEditors, LineEditorRefusesCharactersAFileCannotHold) {
  TLineEditorValues v = LineEditorValues("", 0);
  EXPECT_EQ(CheckLineEditor(v), std::nullopt);
  v.Filters[2] = "TSD#NUMS:10#LNO:✓";
  auto refusal = CheckLineEditor(v);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->Control, "edFilter3");
  EXPECT_EQ(refusal->Message, "Символ \"✓\" не может быть записан в файл сценария!");
  v.Comment = "中";
  refusal = CheckLineEditor(v);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->Control, "edComments");
}

TEST(ScriptEditors, FilterEditorDefaultsThenTheRecord) {
  TScriptFixture f;
  f.List.Cdl = {0.5L, -2.0L, 3.25L, true, false};
  const int sums = f.List.FindByCode("SUMS");
  const TFilterEditorValues d = FilterEditorValues("", f.List, sums, 700);
  EXPECT_EQ(d.Method, sums);
  EXPECT_EQ(d.DrawsLen, "700");
  EXPECT_EQ(d.SortColumn, 1);
  EXPECT_FALSE(d.BottomUp);
  EXPECT_FALSE(d.MultiSelect);
  EXPECT_EQ(d.LevelMode, 0);
  EXPECT_EQ(d.StopMode, 0);
  EXPECT_EQ(d.StopValue, 1);
  EXPECT_FALSE(d.CDLOverride);
  EXPECT_EQ(d.CoefCount, 0.5L);
  EXPECT_EQ(d.CoefDeviation, -2.0L);
  EXPECT_EQ(d.CoefLevel, 3.25L);
  EXPECT_TRUE(d.UsePercents);
  EXPECT_FALSE(d.Keep);

  const std::string text = "BMF12#EVEN:100-500;100#WMV:3#SC:4#0.5:-1:2:1:0";
  const TFilterEditorValues v = FilterEditorValues(text, f.List, sums, 700);
  EXPECT_EQ(v.Method, f.List.FindByCode("EVEN"));
  EXPECT_EQ(v.DrawsLen, "100-500;100");
  EXPECT_EQ(v.SortColumn, 12);
  EXPECT_TRUE(v.BottomUp);
  EXPECT_TRUE(v.MultiSelect);
  EXPECT_TRUE(v.Keep);
  EXPECT_EQ(v.LevelMode, 19);
  EXPECT_EQ(v.LevelValues, "3");
  EXPECT_EQ(v.StopMode, 1);
  EXPECT_EQ(v.StopValue, 4);
  EXPECT_TRUE(v.CDLOverride);
  EXPECT_EQ(v.CoefDeviation, -1.0L);
  EXPECT_FALSE(v.UseAbsValues);
  EXPECT_EQ(BuildEditedFilter(v, f.List), text);

  // No stop word: the editor shows 1; an unknown method keeps its word.
  const TFilterEditorValues u = FilterEditorValues("TSD#XYZ:10", f.List, sums, 700);
  EXPECT_EQ(u.Method, -1);
  EXPECT_EQ(u.StopValue, 1);
  EXPECT_EQ(BuildEditedFilter(u, f.List), "TSD1#XYZ:10#LNO:#SF:1");
}

TEST(ScriptEditors, FilterEditorOffersTheListedMethodsAndTheFiltersOwn) {
  TScriptFixture f;
  f.List.ApplyFavoritesText("NUMS,SUMS");
  const int even = f.List.FindByCode("EVEN");
  const auto listed = FilterEditorMethods(f.List, f.List.FindByCode("SUMS"));
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].first, f.List.FindByCode("NUMS"));
  const auto withOwn = FilterEditorMethods(f.List, even);
  ASSERT_EQ(withOwn.size(), 3u);
  EXPECT_EQ(withOwn[2].first, even);
}

TEST(ScriptEditors, FilterEditorChecksInOrder) {
  TScriptFixture f;
  const int nums = f.List.FindByCode("NUMS");
  const int sums = f.List.FindByCode("SUMS");
  const char* badRange = "Введен некорректный диапазон значений!";
  const char* noList =
      "Для данного вида статистики не доступен режим выделения по списку значений!";
  const char* multi =
      "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может "
      "быть выполнена!\rВыберите другой способ останова.";
  // Find a method whose values cannot be read from text.
  int unparsable = -1;
  for (int i = 0; i < f.List.Count() && unparsable < 0; ++i) {
    if (!f.List.Item(i).Stat->CanParseValue()) unparsable = i;
  }
  ASSERT_GE(unparsable, 0);
  ASSERT_TRUE(f.List.Item(nums).Stat->CanParseValue());
  struct TCase {
    int Method;
    std::string Depth;
    int Level;
    std::string Values;
    bool Multi;
    int Stop;
    std::string Control;  // empty: accepted
    std::string Message;
  };
  const std::vector<TCase> cases = {
      {nums, "100", 0, "", false, 0, "", ""},
      {nums, "", 0, "", false, 0, "edDrawsLen", badRange},
      {nums, "0", 0, "", false, 0, "edDrawsLen", badRange},
      {nums, "0,0", 0, "", false, 0, "", ""},
      {nums, "500-100;100", 0, "", false, 0, "edDrawsLen", badRange},
      {nums, "10-20", 0, "", false, 0, "edDrawsLen", badRange},
      {nums, "1-2000000000;1", 0, "", false, 0, "", ""},
      {unparsable, "100", 31, "1", false, 0, "cbLevelMode", noList},
      {-1, "100", 31, "1", false, 0, "cbLevelMode", noList},
      {nums, "100", 31, "", false, 0, "edLevelValue", badRange},
      {nums, "100", 31, "5,7", false, 0, "", ""},
      {sums, "100", 1, "", false, 0, "edLevelValue", badRange},
      {sums, "100", 1, "x", false, 0, "edLevelValue", badRange},
      {sums, "100", 0, "x", false, 0, "", ""},
      {sums, "100", 0, "", true, 1, "cbStopMode", multi},
      {sums, "100", 0, "", true, 2, "", ""},
      {sums, "100", 0, "", false, 1, "", ""},
      // Several faults: the first in order wins.
      {unparsable, "0", 31, "", true, 1, "edDrawsLen", badRange},
      {unparsable, "5", 31, "", true, 1, "cbLevelMode", noList},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const TCase& c = cases[i];
    TFilterEditorValues v;
    v.Method = c.Method;
    v.DrawsLen = c.Depth;
    v.LevelMode = c.Level;
    v.LevelValues = c.Values;
    v.MultiSelect = c.Multi;
    v.StopMode = c.Stop;
    const auto refusal = CheckFilterEditor(v, f.List);
    if (c.Control.empty()) {
      EXPECT_FALSE(refusal) << refusal->Message;
    } else {
      ASSERT_TRUE(refusal);
      EXPECT_EQ(refusal->Control, c.Control);
      EXPECT_EQ(refusal->Message, c.Message);
    }
  }
}

TEST(ScriptEditors, FilterEditorEnableRulesAndInput) {
  for (int mode = 0; mode < kLevelModeCount; ++mode) {
    const bool weight = mode == 19 || mode == 20 || mode == 21;
    EXPECT_EQ(FilterOverrideEnabled(mode), weight) << mode;
    EXPECT_EQ(FilterCoefsEnabled(mode, true), weight) << mode;
    EXPECT_FALSE(FilterCoefsEnabled(mode, false)) << mode;
  }
  EXPECT_TRUE(IsRangeText("1-10;2,300"));
  EXPECT_TRUE(IsRangeText(""));
  for (const char* bad : {"1 2", "1.5", "a", "+1", "1:2", "№"})
    EXPECT_FALSE(IsRangeText(bad)) << bad;
}

}  // namespace vetrilo
