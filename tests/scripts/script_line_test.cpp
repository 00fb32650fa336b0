#include "scripts/script_line.h"

#include <gtest/gtest.h>

#include "scripts/script_test_support.h"

namespace vetrilo {
using test::TScriptFixture;

TEST(ScriptLine, FieldsFollowTheWordRules) {
  struct TCase {
    std::string Line;
    std::vector<std::string> Fields;  // options, filters 1..7
    std::string Comment;
  };
  const std::string example =
      "FULL:0#RAND|TSD1#SUMS:1000#LNO:#SF:1|BMF6#EVEN:500#LMV:3#ST:2| | | | | |Проба";
  const TCase cases[] = {
      {"A|B||C", {"A", "B", "C", "", "", "", "", ""}, ""},
      {"||  A  |  B ", {"A", "B", "", "", "", "", "", ""}, ""},
      {example,
       {"FULL:0#RAND", "TSD1#SUMS:1000#LNO:#SF:1", "BMF6#EVEN:500#LMV:3#ST:2", "", "", "", "", ""},
       "Проба"},
      // Only the space is a blank: a tab stays in the field.
      {"O|\tB\t|", {"O", "\tB\t", "", "", "", "", "", ""}, ""},
      // The comment is everything after the "|" that ends field 8, "|" included.
      {"O|1|2|3|4|5|6|7|  a | b|c  ", {"O", "1", "2", "3", "4", "5", "6", "7"}, "a | b|c"},
      {"O|1|2|3|4|5|6|7||x", {"O", "1", "2", "3", "4", "5", "6", "7"}, "|x"},
      {"O|1|2|3|4|5|6|7|", {"O", "1", "2", "3", "4", "5", "6", "7"}, ""},
      {"O|1|2|3|4|5|6|7", {"O", "1", "2", "3", "4", "5", "6", "7"}, ""},
      {"O|1|2", {"O", "1", "2", "", "", "", "", ""}, ""},
      {"", {"", "", "", "", "", "", "", ""}, ""},
      {"||||", {"", "", "", "", "", "", "", ""}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    EXPECT_EQ(ScriptLineOptions(c.Line), c.Fields[0]);
    for (int n = 1; n <= kScriptFilterCount; ++n) {
      EXPECT_EQ(ScriptLineFilter(c.Line, n), c.Fields[size_t(n)]) << n;
    }
    EXPECT_EQ(ScriptLineComment(c.Line), c.Comment);
  }
  EXPECT_EQ(ScriptLineFilter(example, 0), "");
  EXPECT_EQ(ScriptLineFilter(example, 8), "");
}

TEST(ScriptLine, OptionsReadWriteAndCaption) {
  struct TCase {
    std::string Text;
    int StartList, DrawsExclude, StakeMode;
    bool Clear, NewOnly;
    std::string Editor, Label, Caption;
  };
  const TCase cases[] = {
      {"FULL:0#RAND", 0, 0, 0, false, false, "FULL:0#RAND", "FULL#RAND",
       "Исходный список; Случайно; Все создаваемые ставки"},
      {"", 0, 0, 0, false, false, "FULL:0#RAND", "FULL#RAND",
       "Исходный список; Случайно; Все создаваемые ставки"},
      {"EXCL", 1, 0, 0, false, false, "EXCL:0#RAND", "EXCL:0#RAND",
       "Исключить 0 тиражей; Случайно; Все создаваемые ставки"},
      {"excl:7", 1, 7, 0, false, false, "EXCL:7#RAND", "EXCL:7#RAND",
       "Исключить 7 тиражей; Случайно; Все создаваемые ставки"},
      {"EXCL:3#ALL#CLR", 1, 3, 3, true, false, "EXCL:3#ALL#CLR", "EXCL:3#ALL",
       "Исключить 3 тиражей; Все; Удалить ставки; Все создаваемые ставки"},
      {"curr:x#first#nex#clr", 2, 0, 1, true, true, "CURR:0#FIRST#CLR#NEX", "CURR#FIRST#NEX",
       "Текущий список; Первая; Удалить ставки; Только новые ставки"},
      {"FULLER: 12 #sysc#NEX", 0, 12, 5, false, true, "FULL:12#SYSC#NEX", "FULL#SYSC#NEX",
       "Исходный список; Система [комб]; Только новые ставки"},
      // Flags count from word 3 on; an unknown stake mode reads RAND; unknown words are ignored.
      {"FULL:0#CLR#xyz", 0, 0, 0, false, false, "FULL:0#RAND", "FULL#RAND",
       "Исходный список; Случайно; Все создаваемые ставки"},
      {"BOGUS:5#LASTX#CLRX#NEX", 0, 5, 0, false, true, "FULL:5#RAND#NEX", "FULL#RAND#NEX",
       "Исходный список; Случайно; Только новые ставки"},
      {"EXCL:-2147483648#none", 1, -2147483648, 8, false, false, "EXCL:-2147483648#NONE",
       "EXCL:-2147483648#NONE",
       "Исключить -2147483648 тиражей; Не делать ставок; Все создаваемые ставки"},
      {"EXCL:2147483648#$1", 1, 0, 0, false, false, "EXCL:0#RAND", "EXCL:0#RAND",
       "Исключить 0 тиражей; Случайно; Все создаваемые ставки"},
      {"EXCL:$10#Stop", 1, 0, 6, false, false, "EXCL:0#STOP", "EXCL:0#STOP",
       "Исключить 0 тиражей; Остановить; Все создаваемые ставки"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TScriptOptions o = ParseScriptOptions(c.Text);
    EXPECT_EQ(o.StartList, c.StartList);
    EXPECT_EQ(o.DrawsExclude, c.DrawsExclude);
    EXPECT_EQ(o.StakeMode, c.StakeMode);
    EXPECT_EQ(o.ClearStakes, c.Clear);
    EXPECT_EQ(o.NewOnly, c.NewOnly);
    EXPECT_EQ(FormatScriptOptions(o), c.Editor);
    EXPECT_EQ(FormatLabelOptions(o), c.Label);
    EXPECT_EQ(ScriptOptionsCaption(o), c.Caption);
    const TScriptOptions again = ParseScriptOptions(FormatScriptOptions(o));
    EXPECT_EQ(FormatScriptOptions(again), c.Editor);
  }
}

TEST(ScriptLine, EveryStakeModeAndCaptionTable) {
  const char* codes[] = {"RAND", "FIRST", "LAST", "ALL", "SYSA", "SYSC", "STOP", "SKIP", "NONE"};
  const char* shorts[] = {"Случайно",   "Первая",        "Последняя",
                          "Все",        "Система [все]", "Система [комб]",
                          "Остановить", "Пропустить",    "Не делать ставок"};
  for (int i = 0; i < kStakeModeCount; ++i) {
    SCOPED_TRACE(codes[i]);
    EXPECT_EQ(ParseScriptOptions(std::string("FULL:0#") + codes[i]).StakeMode, i);
    EXPECT_EQ(StakeModeCode(i), codes[i]);
    EXPECT_EQ(StakeModeShortCaption(i), shorts[i]);
  }
  EXPECT_EQ(StakeModeCaption(3), "Выбрать все комбинации (не рекомендуется)");
  EXPECT_EQ(StakeModeCaption(8), "Не делать ставок (для последовательного выполнения)");
  EXPECT_EQ(StartListCaption(1), "Удалить N последних тиражей (для прогнозов)");
  EXPECT_EQ(StartListShortCaption(2, 5), "Текущий список");
  EXPECT_EQ(LevelModeCaption(5), "\"Глубина\": из заданного списка значений");
  EXPECT_EQ(LevelModeCode(31), "LVA");
  EXPECT_EQ(StopModeCaption(2), "Пока список не будет пуст и откатить на шаг");
  EXPECT_EQ(StopModeCode(5), "SP");
  for (const std::string& text :
       {StartListCode(3), StartListShortCaption(-1, 0), StakeModeCode(9), StakeModeCaption(-1),
        LevelModeCode(32), LevelModeCaption(32), StopModeCode(6), StopModeCaption(-1)}) {
    EXPECT_EQ(text, "# ERROR #");
  }
  TScriptOptions bad;
  bad.StartList = 7;
  bad.StakeMode = 200;
  EXPECT_EQ(ScriptOptionsCaption(bad), "# ERROR #; # ERROR #; Все создаваемые ставки");
}

TEST(ScriptLine, LevelModesThatExpand) {
  std::string expanding;
  for (int m = 0; m < kLevelModeCount; ++m) expanding += LevelModeExpands(m) ? '1' : '0';
  EXPECT_EQ(expanding, "01111001111001111001111111111110");
}

TEST(ScriptFilter, ReadsAndWritesTheNormalForm) {
  TScriptFixture f;
  struct TCase {
    std::string Text;
    std::string Normal;
    std::string MethodCode;  // empty: no method
    std::string DrawsLen;
    int SortColumn;
    bool BottomUp, Multi, Keep;
    int LevelMode;
    std::string LevelValues;
    int StopMode, StopValue;
  };
  const TCase cases[] = {
      {"TSD1#NUMS:1000#LNO:#SF:1", "TSD1#NUMS:1000#LNO:#SF:1", "NUMS", "1000", 1, false, false,
       false, 0, "", 0, 1},
      {"BMF12#even:100-500;100#lmv:3#st:2", "BMF12#EVEN:100-500;100#LMV:3#ST:2", "EVEN",
       "100-500;100", 12, true, true, true, 1, "3", 3, 2},
      // Letter tests are case-sensitive; no digits after the three letters read as column 1.
      {"bmf1#NUMS:5", "TSD1#NUMS:5#LNO:#SF:0", "NUMS", "5", 1, false, false, false, 0, "", 0, 0},
      {"TSD#NUMS:5", "TSD1#NUMS:5#LNO:#SF:0", "NUMS", "5", 1, false, false, false, 0, "", 0, 0},
      {"TSD12x#NUMS:5", "TSD12#NUMS:5#LNO:#SF:0", "NUMS", "5", 12, false, false, false, 0, "", 0,
       0},
      {"TSD007#NUMS:5", "TSD7#NUMS:5#LNO:#SF:0", "NUMS", "5", 7, false, false, false, 0, "", 0, 0},
      // Three characters, not three bytes, come before the sort column.
      {"ЖSD7#NUMS:5", "TSD7#NUMS:5#LNO:#SF:0", "NUMS", "5", 7, false, false, false, 0, "", 0, 0},
      {"ЖЖЖ12#NUMS:5", "TSD12#NUMS:5#LNO:#SF:0", "NUMS", "5", 12, false, false, false, 0, "", 0, 0},
      {"BЖF3#NUMS:5", "BSF3#NUMS:5#LNO:#SF:0", "NUMS", "5", 3, true, false, true, 0, "", 0, 0},
      {"B\xE2\x82\xACM45#NUMS:5", "BMD45#NUMS:5#LNO:#SF:0", "NUMS", "5", 45, true, true, false, 0,
       "", 0, 0},
      {"Ж7#NUMS:5", "TSD1#NUMS:5#LNO:#SF:0", "NUMS", "5", 1, false, false, false, 0, "", 0, 0},
      {"XFB5M#NUMS:5", "BMF5#NUMS:5#LNO:#SF:0", "NUMS", "5", 5, true, true, true, 0, "", 0, 0},
      {"BMF99999999999#NUMS:5", "BMF1#NUMS:5#LNO:#SF:0", "NUMS", "5", 1, true, true, true, 0, "", 0,
       0},
      // An unknown method keeps the whole word.
      {"TSD1#XYZ:100#LDV:1, 2, 5#SV", "TSD1#XYZ:100#LDV:1, 2, 5#SV:1", "", "100", 1, false, false,
       false, 5, "1, 2, 5", 4, 1},
      {"TSD1#  NUMS: 100 , 200 #LDV:  1;2 ", "TSD1#  NUMS: 100 , 200 #LDV:1;2#SF:0", "",
       "100 , 200", 1, false, false, false, 5, "1;2", 0, 0},
      {"TSD1#NUMS:1000#LMV", "TSD1#NUMS:1000#LMV:#SF:0", "NUMS", "1000", 1, false, false, false, 1,
       "", 0, 0},
      {"TSD1#NUMS:1000#QQQ:7#ZZ:x", "TSD1#NUMS:1000#LNO:7#SF:1", "NUMS", "1000", 1, false, false,
       false, 0, "7", 0, 1},
      {"TSD1#NUMS: 100-300;100 :junk#pxr:1;2:3#sp:+7", "TSD1#NUMS:100-300;100#PXR:1;2#SP:7", "NUMS",
       "100-300;100", 1, false, false, false, 30, "1;2", 5, 7},
      // The words run together over empty ones; an empty method word is written as a blank.
      {"TSD1##NUMS:3", "TSD1#NUMS:3#LNO:#SF:0", "NUMS", "3", 1, false, false, false, 0, "", 0, 0},
      {"TSD", "TSD1# #LNO:#SF:0", "", "", 1, false, false, false, 0, "", 0, 0},
      {"#", "TSD1# #LNO:#SF:0", "", "", 1, false, false, false, 0, "", 0, 0},
      // Prefix rule, with an exact code first.
      {"TSD1#NUMSX:100", "TSD1#NUMS:100#LNO:#SF:0", "NUMS", "100", 1, false, false, false, 0, "", 0,
       0},
      {"TSD1#pos10:100", "TSD1#POS10:100#LNO:#SF:0", "POS10", "100", 1, false, false, false, 0, "",
       0, 0},
      {"TSD1#POS1:100", "TSD1#POS1:100#LNO:#SF:0", "POS1", "100", 1, false, false, false, 0, "", 0,
       0},
      {"TSD1#POS11", "TSD1#POS11:#LNO:#SF:0", "POS11", "", 1, false, false, false, 0, "", 0, 0},
      {"TSD1#POS10X:100", "TSD1#POS1:100#LNO:#SF:0", "POS1", "100", 1, false, false, false, 0, "",
       0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TFilterItem item = ParseScriptFilter(c.Text, f.List);
    EXPECT_TRUE(item.Assigned);
    EXPECT_EQ(FormatScriptFilter(item), c.Normal);
    EXPECT_EQ(item.Method ? item.Method->Code() : "", c.MethodCode);
    if (!c.MethodCode.empty()) {
      EXPECT_EQ(item.Method, f.Method(c.MethodCode));
    }
    EXPECT_EQ(item.DrawsLen, c.DrawsLen);
    EXPECT_EQ(item.SortColumn, c.SortColumn);
    EXPECT_EQ(item.BottomUp, c.BottomUp);
    EXPECT_EQ(item.MultiSelect, c.Multi);
    EXPECT_EQ(item.Keep, c.Keep);
    EXPECT_EQ(item.LevelMode, c.LevelMode);
    EXPECT_EQ(item.LevelValues, c.LevelValues);
    EXPECT_EQ(item.StopMode, c.StopMode);
    EXPECT_EQ(item.StopValue, c.StopValue);
    EXPECT_FALSE(item.CDLOverride);
    EXPECT_EQ(FormatScriptFilter(ParseScriptFilter(c.Normal, f.List)), c.Normal);
  }
  for (const char* empty : {"", " ", "   "}) {
    const TFilterItem item = ParseScriptFilter(empty, f.List);
    EXPECT_FALSE(item.Assigned);
    EXPECT_EQ(FormatScriptFilter(item), "");
  }
}

TEST(ScriptFilter, WeightOverrideWordAndFractions) {
  TScriptFixture f;
  struct TCase {
    std::string Word5;
    long double Count, Deviation, Level;
    bool Percents, Abs;
    std::string Normal;
  };
  const TCase cases[] = {
      {"0.5:-1.25:2:1:0", 0.5L, -1.25L, 2, true, false, "0.5:-1.25:2:1:0"},
      {"abc:1,5:.5:yes:1", 0, 0, 0.5L, false, true, "0:0:0.5:0:1"},
      {":", 0, 0, 0, false, false, "0:0:0:0:0"},
      {"+3.:1e3: -0.25 : 1 :1", 3, 1000, -0.25L, false, true, "3:1000:-0.25:0:1"},
      {"1e99999:inf:nan", 0, 0, 0, false, false, "0:0:0:0:0"},
      {"0x10:1e:--1", 0, 0, 0, false, false, "0:0:0:0:0"},
      {"0.1:1e20:123456789012345678", 0.1L, 1e20L, 123456789012345678.0L, false, false,
       "0.1:1e+20:1.23456789012346e+17:0:0"},
      {"0.30000000000000004:0.00001:100000000000000", 0.30000000000000004L, 0.00001L, 1e14L, false,
       false, "0.3:1e-05:100000000000000:0:0"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Word5);
    const TFilterItem item = ParseScriptFilter("TSD1#NUMS:10#LNO:#SF:1#" + c.Word5, f.List);
    EXPECT_TRUE(item.CDLOverride);
    EXPECT_EQ(item.CoefCount, c.Count);
    EXPECT_EQ(item.CoefDeviation, c.Deviation);
    EXPECT_EQ(item.CoefLevel, c.Level);
    EXPECT_EQ(item.UsePercents, c.Percents);
    EXPECT_EQ(item.UseAbsValues, c.Abs);
    const std::string normal = "TSD1#NUMS:10#LNO:#SF:1#" + c.Normal;
    EXPECT_EQ(FormatScriptFilter(item), normal);
    EXPECT_EQ(FormatScriptFilter(ParseScriptFilter(normal, f.List)), normal);
  }
  // A trailing "#" makes no fifth word.
  EXPECT_FALSE(ParseScriptFilter("TSD1#NUMS:10#LNO:#SF:1#", f.List).CDLOverride);
}

TEST(ScriptLine, BuildWritesOneSeparatorPerFieldAndKeepsTexts) {
  std::array<std::string, kScriptFilterCount> filters;
  EXPECT_EQ(BuildScriptLine("FULL:0#RAND", filters, ""), "FULL:0#RAND| | | | | | | |");
  filters[0] = "TSD1#SUMS:1000#LNO:#SF:1";
  filters[1] = "BMF6#EVEN:500#LMV:3#ST:2";
  EXPECT_EQ(BuildScriptLine("FULL:0#RAND", filters, "Проба"),
            "FULL:0#RAND|TSD1#SUMS:1000#LNO:#SF:1|BMF6#EVEN:500#LMV:3#ST:2| | | | | |Проба");
  filters = {};
  filters[2] = " A ";
  filters[6] = "   ";
  EXPECT_EQ(BuildScriptLine(" EXCL:1 ", filters, "  "), " EXCL:1 | | | A | | | | |");
  EXPECT_EQ(BuildScriptLine("", filters, " c "), " | | | A | | | | | c ");
}

TEST(ScriptLine, NormalForm) {
  TScriptFixture f;
  struct TCase {
    std::string Line, Normal;
  };
  const TCase cases[] = {
      {"", ""},
      {" ", "FULL:0#RAND| | | | | | | |"},
      {"FULL:0#RAND| | | | | | | |", "FULL:0#RAND| | | | | | | |"},
      {"FULL:0#RAND|TSD1#SUMS:1000#LNO:#SF:1|BMF6#EVEN:500#LMV:3#ST:2| | | | | |Проба",
       "FULL:0#RAND|TSD1#SUMS:1000#LNO:#SF:1|BMF6#EVEN:500#LMV:3#ST:2| | | | | |Проба"},
      {"excl:7#all#nex#clr|bmf1#nums:100-500;100#ldv:1, 2, 5#st:3| | |TSD2#pos10:5| | | |Проба | "
       "два ",
       "EXCL:7#ALL#CLR#NEX|TSD1#NUMS:100-500;100#LDV:1, 2, 5#ST:3| | |TSD2#POS10:5#LNO:#SF:0| | | "
       "|Проба | два"},
      {"A|B||C", "FULL:0#RAND|BSD1# #LNO:#SF:0|TSD1# #LNO:#SF:0| | | | | |"},
      {"O|1|2|3|4|5|6|7||x",
       "FULL:0#RAND|TSD1# #LNO:#SF:0|TSD1# #LNO:#SF:0|TSD1# #LNO:#SF:0|TSD1# "
       "#LNO:#SF:0|TSD1# #LNO:#SF:0|TSD1# #LNO:#SF:0|TSD1# #LNO:#SF:0||x"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    EXPECT_EQ(NormalizeScriptLine(c.Line, f.List), c.Normal);
    EXPECT_EQ(NormalizeScriptLine(c.Normal, f.List), c.Normal);
  }
  const TScriptLine none = ParseScriptLine("FULL:0#RAND| | | | | | | |", f.List);
  EXPECT_FALSE(none.Separator);
  EXPECT_TRUE(none.AssignedFilters().empty());
  EXPECT_EQ(ScriptOptionsCaption(none.Options),
            "Исходный список; Случайно; Все создаваемые ставки");
  EXPECT_TRUE(ParseScriptLine("", f.List).Separator);

  // Assigned filters are compacted in field order.
  const TScriptLine gaps =
      ParseScriptLine("FULL:0#RAND| |TSD1#EVEN:1| |BMF2#NUMS:2| | | |", f.List);
  const auto items = gaps.AssignedFilters();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Method, f.Method("EVEN"));
  EXPECT_EQ(items[1].Method, f.Method("NUMS"));
}

}  // namespace vetrilo
