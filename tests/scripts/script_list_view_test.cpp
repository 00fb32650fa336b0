#include "scripts/script_list_view.h"

#include <gtest/gtest.h>

#include "script_test_support.h"

namespace vetrilo {
using test::TScriptFixture;

namespace {
using TRow = std::array<std::string, kScriptListColumns>;
}

TEST(ScriptListView, RowsShowCommentOptionsAndNormalFilters) {
  TScriptFixture f;
  EXPECT_EQ(ScriptListCaptions()[0], "Комментарии");
  EXPECT_EQ(ScriptListCaptions()[8], "Фильтр 7");
  struct TCase {
    std::string Line;
    TRow Row;
  };
  const std::string plain = "Исходный список; Случайно; Все создаваемые ставки";
  const std::vector<TCase> cases = {
      {"", {}},
      {"FULL:0#RAND| | | | | | | |", {"", plain, "", "", "", "", "", "", ""}},
      {"excl:3#all#clr| tsd#sums:1000 | |bmf2#EVEN:500#LMV:3#ST:2| | | | |Проба | x",
       {"Проба | x", "Исключить 3 тиражей; Все; Удалить ставки; Все создаваемые ставки",
        "TSD1#SUMS:1000#LNO:#SF:0", "", "TSD2#EVEN:500#LMV:3#ST:2", "", "", "", ""}},
      // Not a script line at all: kept and shown as what it reads as.
      {"just some text", {"", plain, "", "", "", "", "", "", ""}},
      {"FULL#NONE#NEX|TSD#XYZ:5",
       {"", "Исходный список; Не делать ставок; Только новые ставки", "TSD1#XYZ:5#LNO:#SF:0", "",
        "", "", "", "", ""}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    EXPECT_EQ(ScriptListRow(c.Line, f.List), c.Row);
  }
  EXPECT_EQ(ScriptLineCountText(12), "Строк: 12");
}

TEST(ScriptListView, EnableRulesOfTheCommands) {
  const std::vector<std::string> lines = {"FULL:0#RAND|TSD#NUMS:10", "", "FULL:0#ALL|TSD#NUMS:9"};
  const std::vector<std::string> none;
  using C = TScriptCommand;
  struct TCase {
    const std::vector<std::string>* Lines;
    int Focused;
    int Selected;
    std::vector<C> Enabled;
  };
  const std::vector<C> all = {C::Add, C::Empty, C::Clone, C::Edit, C::Del, C::Clr,
                              C::Up,  C::Down,  C::Open,  C::Save, C::Load};
  const std::vector<TCase> cases = {
      {&none, -1, 0, {C::Add, C::Open, C::Load}},
      {&lines, -1, 0, {C::Add, C::Empty, C::Clr, C::Open, C::Save, C::Load}},
      {&lines,
       0,
       1,
       {C::Add, C::Empty, C::Clone, C::Edit, C::Del, C::Clr, C::Down, C::Open, C::Save, C::Load}},
      {&lines, 1, 2, {C::Add, C::Empty, C::Del, C::Clr, C::Up, C::Down, C::Open, C::Save, C::Load}},
      {&lines,
       2,
       1,
       {C::Add, C::Empty, C::Clone, C::Edit, C::Del, C::Clr, C::Up, C::Open, C::Save, C::Load}},
      {&lines, 7, 0, {C::Add, C::Empty, C::Clr, C::Open, C::Save, C::Load}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const TCase& c = cases[i];
    for (C command : all) {
      const bool expected =
          std::find(c.Enabled.begin(), c.Enabled.end(), command) != c.Enabled.end();
      TScriptListState state{c.Lines, c.Focused, c.Selected, false, false};
      EXPECT_EQ(ScriptCommandEnabled(command, state), expected) << int(command);
      state.Busy = true;
      EXPECT_FALSE(ScriptCommandEnabled(command, state));
      state.Busy = false;
      state.Running = true;
      EXPECT_FALSE(ScriptCommandEnabled(command, state));
    }
  }
}

TEST(ScriptListView, RatingLabelsBecomeLines) {
  TScriptFixture f;
  struct TCase {
    std::string Label;
    std::string Line;
    bool Accepted;
  };
  const std::vector<TCase> cases = {
      {"03.012: Проба @ EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1",
       "EXCL:3#ALL#NEX|TSD#SUMS:1000#LNO:#SF:1| | | | | | |03.012: Проба", true},
      // The comment may hold "@": the label splits at its last one.
      {"01.002: a@b @ FULL#RAND + TSD#NUMS:10#LNO:#SF:1 + BMF#EVEN:5#LMV:3#ST:2",
       "FULL#RAND|TSD#NUMS:10#LNO:#SF:1|BMF#EVEN:5#LMV:3#ST:2| | | | | |01.002: a@b", true},
      {"01.000: @ FULL#RAND", "FULL#RAND| | | | | | | |01.000:", false},
      // Without "@" the whole label is the rest and the comment is empty.
      {"TSD#NUMS:10#LNO:#SF:1", "TSD#NUMS:10#LNO:#SF:1| | | | | | | |", false},
      {"FULL#RAND + TSD#NUMS:10#LNO:#SF:1", "FULL#RAND|TSD#NUMS:10#LNO:#SF:1| | | | | | |", true},
      {"02.001:x@ FULL#RAND+TSD#NUMS:10", "FULL#RAND+TSD#NUMS:10| | | | | | | |02.001:x", false},
      {"", "| | | | | | | | |", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TRatingLine made = RatingLabelToScriptLine(c.Label, f.List);
    EXPECT_EQ(made.Line, c.Line);
    EXPECT_EQ(made.Accepted, c.Accepted);
  }
  // Read back: the comment keeps the number prefix, filters take sort column 1.
  const TRow row = ScriptListRow(RatingLabelToScriptLine(cases[0].Label, f.List).Line, f.List);
  EXPECT_EQ(row[0], "03.012: Проба");
  EXPECT_EQ(row[1], "Исключить 3 тиражей; Все; Только новые ставки");
  EXPECT_EQ(row[2], "TSD1#SUMS:1000#LNO:#SF:1");
  EXPECT_EQ(RatingRejectedMessage("x @ y"), "Строку\r\rx @ y\r\rневозможно добавить в сценарий!");
}

TEST(ScriptListView, RatingLabelWithMoreThanSevenPartsIsNotPadded) {
  TScriptFixture f;
  std::string label = "09.001: c @ FULL#RAND";
  for (int i = 1; i <= 8; ++i) label += " + TSD#NUMS:" + std::to_string(i) + "#LNO:#SF:1";
  const TRatingLine made = RatingLabelToScriptLine(label, f.List);
  EXPECT_TRUE(made.Accepted);
  EXPECT_EQ(made.Line.find("| "), std::string::npos);
  EXPECT_TRUE(made.Line.ends_with("TSD#NUMS:8#LNO:#SF:1|09.001: c"));
}

}  // namespace vetrilo
