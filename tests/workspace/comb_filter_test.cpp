// Filtering the combination list: the statistics table step, the grid steps, and the fast
// filters of every method against the literal per-combination test.
#include "workspace/comb_filter.h"

#include <gtest/gtest.h>

#include <set>

#include "core/combinatorics.h"
#include "core/errors.h"
#include "stats/stat_test_support.h"
#include "test_paths.h"
#include "workspace/comb_workspace.h"

namespace vetrilo {
using test::Selected;
using test::TRecordingHooks;
using test::TStatFixture;

namespace {

struct TFilterFixture : TStatFixture {
  TRecordingHooks Hooks;
  TCombWorkspace Combs{Archive, Hooks};

  explicit TFilterFixture(const std::vector<test::TDrawSpec>& draws = {}) : TStatFixture(draws) {
    Combs.GenerateCombs(0, "", false);
  }
  void Step(const std::string& code, const TStatDrawArray& values, const std::string& text,
            bool exclude) {
    auto stat = Stat(code);
    Combs.FilterStep(*stat, values, code, text, exclude, Archive.LastIndex(0), false);
  }
};

}  // namespace

TEST(CombFilter, NumberSevenKeepsAndRemovesTheExpectedCounts) {
  TFilterFixture f;
  f.Step("NUMS", Selected({{7, 0, 0, 0}}), "7", false);
  EXPECT_EQ(f.Combs.Count(), 15180);  // C(46,3)
  for (TComb c : f.Combs.Combs()) ASSERT_TRUE(CombHasNumber(c, 7));
  ASSERT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_EQ(f.Combs.Journal()[0].Caption, "NUMS");
  EXPECT_EQ(f.Combs.Journal()[0].Values, "7");
  EXPECT_EQ(f.Combs.Journal()[0].Count, 15180);
  EXPECT_EQ(f.Combs.Journal()[0].Kind, TJournalKind::Include);
  EXPECT_EQ(f.Hooks.Statuses, (std::vector<std::string>{"Создание файла отката...", "",
                                                        "Фильтрация комбинаций...", ""}));

  f.Combs.Undo();
  EXPECT_EQ(f.Combs.Count(), 178365);
  EXPECT_TRUE(f.Combs.Journal().empty());
  f.Step("NUMS", Selected({{7, 0, 0, 0}, {8, 0, 0, 0}}), JoinValueTexts({"7", "8"}), true);
  EXPECT_EQ(f.Combs.Count(), Binomial(45, 4));
  EXPECT_EQ(f.Combs.Journal()[0].Values, "7; 8");
  EXPECT_EQ(f.Combs.Journal()[0].Kind, TJournalKind::Exclude);
  f.Combs.Undo();
  f.Step("NUMS", Selected({{7, 0, 0, 0}}), "7", true);
  EXPECT_EQ(f.Combs.Count(), 163185);
}

TEST(CombFilter, EmptyListsAndEmptySelections) {
  TFilterFixture f;
  // No value selected: nothing happens, not even an undo copy.
  f.Step("NUMS", TStatDrawArray(), "", false);
  EXPECT_EQ(f.Combs.Count(), 178365);
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_TRUE(f.Combs.Journal().empty());

  // An empty list stays empty and writes no row.
  f.Combs.GenerateCombs(1, "", true);
  ASSERT_EQ(f.Combs.Count(), 0);
  f.Step("NUMS", Selected({{7, 0, 0, 0}}), "7", true);
  EXPECT_EQ(f.Combs.Count(), 0);
  EXPECT_TRUE(f.Combs.Journal().empty());

  // The bonus ball filters nothing in.
  f.Combs.GenerateCombs(0, "", true);
  f.Step("POE1", Selected({{5, 0, 0, 0}}), "5", false);
  EXPECT_EQ(f.Combs.Count(), 0);
  f.Combs.Undo();
  f.Step("POE1", Selected({{5, 0, 0, 0}}), "5", true);
  EXPECT_EQ(f.Combs.Count(), 178365);
}

TEST(CombFilter, GridValuesAreDistinctNumbersInFirstSeenOrder) {
  TGridValues card;
  for (const char* cell : {"17", "", " ", "25", "17", "x"}) card.AddCardCell(cell);
  EXPECT_EQ(card.Text(), "17; 25; 0");
  TGridValues layout;
  for (const char* cell : {"[17], 25", "", "25, 3", "[3]"}) layout.AddLayoutCell(cell);
  EXPECT_EQ(layout.Text(), "17; 25; 3");
  ASSERT_EQ(layout.Values().size(), 3u);
  EXPECT_EQ(layout.Values()[0].Key(), Selected({{17, 0, 0, 0}})[0].Key());
  TGridValues week;
  for (int column : {5, 6, 7, 6}) week.AddNumber(column);
  EXPECT_EQ(week.Text(), "5; 6; 7");
}

TEST(CombFilter, GridStepKeepsTheNumbersOrFailsWithoutAny) {
  TFilterFixture f;
  TGridValues values;
  values.AddLayoutCell("[17], 25");
  f.Combs.GridFilterStep(f.List, values, kLayoutFilterCaption, false, 0, false);
  EXPECT_EQ(f.Combs.Count(), 178365 - Binomial(45, 4));
  ASSERT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_EQ(f.Combs.Journal()[0].Caption, "Схема");
  EXPECT_EQ(f.Combs.Journal()[0].Values, "17; 25");

  // Nothing collected: the message, and the list, journal and undo copy stay as they were,
  // so "Отменить" still undoes the previous step.
  const TCombsArray undoBefore = f.Combs.UndoCombs();
  try {
    f.Combs.GridFilterStep(f.List, TGridValues(), kCardFilterCaption, true, 0, false);
    FAIL() << "no failure";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(std::string(e.what()), "В выделенном диапазоне нет значений для фильтра!");
  }
  EXPECT_EQ(f.Combs.Count(), 178365 - Binomial(45, 4));
  EXPECT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_EQ(f.Combs.UndoCombs(), undoBefore);
}

TEST(CombFilter, ApplyFilterReadsTheUndoCopy) {
  // Scripts take the undo copy themselves; the filter always starts from it.
  TFilterFixture f;
  auto nums = f.Stat("NUMS");
  f.Combs.TakeUndo(false);
  f.Combs.DeleteRows({{0, 177000}});
  f.Combs.TakeUndo(false);
  const auto with47 = std::count_if(f.Combs.Combs().begin(), f.Combs.Combs().end(),
                                    [](TComb c) { return CombHasNumber(c, 47); });
  f.Combs.ApplyFilter(*nums, Selected({{47, 0, 0, 0}}), "Числа тиража", "47", false, 0, false);
  EXPECT_EQ(f.Combs.Count(), with47);
  EXPECT_EQ(f.Combs.Count(), Binomial(14, 3));  // the rest are the combinations of 33..47
  f.Combs.DropUndo();
  f.Combs.ApplyFilter(*nums, Selected({{47, 0, 0, 0}}), "Числа тиража", "47", false, 0, false);
  EXPECT_EQ(f.Combs.Count(), 0);
  EXPECT_EQ(f.Combs.Journal().size(), 2u);  // no row for the empty undo copy
}

TEST(CombFilter, AStoppedFilterLeavesListUndoAndJournalAsBefore) {
  TStatFixture st;
  test::TStopHooks hooks;
  TCombWorkspace combs(st.Archive, hooks);
  auto nums = st.Stat("NUMS");
  const int last = st.Archive.LastIndex(0);
  auto sameJournal = [](const std::vector<TJournalRow>& a, const std::vector<TJournalRow>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i].Caption != b[i].Caption || a[i].Values != b[i].Values || a[i].Count != b[i].Count)
        return false;
    }
    return true;
  };
  // 178,265 combinations: 44 slices of 4,096, one look at the request before each.
  const int slices =
      int((178365 - 100 + TCombWorkspace::kStopPollCombs - 1) / TCombWorkspace::kStopPollCombs);
  for (const int polls : {0, 1, slices / 2, slices - 1}) {
    SCOPED_TRACE(polls);
    combs.GenerateCombs(0, "", true);
    combs.DeleteRows({{0, 99}});  // a step before, with its undo copy and journal row
    const TCombsArray list = combs.Combs();
    const TCombsArray undo = combs.UndoCombs();
    const std::vector<TJournalRow> journal = combs.Journal();
    hooks.Polls = 0;
    hooks.AfterPolls = polls;
    hooks.Stop = false;
    EXPECT_THROW(combs.FilterStep(*nums, Selected({{7, 0, 0, 0}}), "NUMS", "7", false, last, false),
                 EStopped);
    EXPECT_EQ(hooks.Polls, polls + 1);
    EXPECT_EQ(combs.Combs(), list);
    EXPECT_EQ(combs.UndoCombs(), undo);
    EXPECT_TRUE(sameJournal(combs.Journal(), journal));
    EXPECT_EQ(hooks.Statuses.back(), "");

    // A grid step and the script form (undo copy taken by the caller) end the same way.
    hooks.Stop = false;
    TGridValues seven;
    seven.AddNumber(7);
    EXPECT_THROW(combs.GridFilterStep(st.List, seven, kCardFilterCaption, true, last, false),
                 EStopped);
    EXPECT_EQ(combs.Combs(), list);
    EXPECT_EQ(combs.UndoCombs(), undo);
    hooks.Stop = false;
    hooks.Polls = 0;
    combs.TakeUndo(false);
    EXPECT_THROW(combs.ApplyFilter(*nums, Selected({{7, 0, 0, 0}}), "NUMS", "7", true, last, false),
                 EStopped);
    EXPECT_EQ(combs.Combs(), list);
    EXPECT_EQ(combs.UndoCombs(), list);
    EXPECT_TRUE(sameJournal(combs.Journal(), journal));
  }
  // Never stopped: every slice is looked at and the step is done.
  hooks.AfterPolls = -1;
  hooks.Stop = false;
  hooks.Polls = 0;
  combs.GenerateCombs(0, "", true);
  combs.DeleteRows({{0, 99}});
  combs.FilterStep(*nums, Selected({{7, 0, 0, 0}}), "NUMS", "7", false, last, false);
  EXPECT_EQ(hooks.Polls, slices);
  EXPECT_EQ(combs.Journal().size(), 2u);
  for (TComb c : combs.Combs()) ASSERT_TRUE(CombHasNumber(c, 7));
}

namespace {

// Selections a table could hand over for a method: single values, every third value, all of
// them, and records a table never shows (a further word set, an unknown value).
std::vector<TStatDrawArray> SelectionsFor(TCustomStat& stat, const TDrawArchive& archive) {
  TStatDrawArray values = FullSetValues(stat);
  const TStatDrawArray drawn =
      RangeValues(stat, FirstIndexForDepth(archive.High(), 300), archive.High(), false);
  for (const TStatDrawRec& r : drawn) {
    if (values.Find(r.Key()) < 0) values.Append(r);
  }
  std::vector<TStatDrawArray> out;
  if (!values.empty()) {
    out.push_back(TStatDrawArray());
    out.back().Append(values[0]);
    out.push_back(TStatDrawArray());
    out.back().Append(values[values.size() / 2]);
  }
  TStatDrawArray third, all;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i % 3 == 1) third.Append(values[i]);
    all.Append(values[i]);
  }
  out.push_back(third);
  out.push_back(all);
  TStatDrawArray odd;
  TStatDrawRec r;
  r.SetWords(7, 1, 0, 0);
  odd.Append(r);
  r.SetWords(0, 0, 0, 0);
  odd.Append(r);
  r.SetHalves(3, 0);
  odd.Append(r);
  r.SetWords(999, 0, 0, 0);
  odd.Append(r);
  out.push_back(odd);
  return out;
}

}  // namespace

TEST(CombFilter, FastFiltersOfEveryMethodEqualTheLiteralTest) {
  TDrawArchive archive;
  archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
  TStatList list;
  list.Draws = &archive;
  list.BuildMethods();
  // A small list as files and the clipboard bring it: any order, repeats, 0, large bytes.
  const TCombsArray small = {MakeComb(5, 1, 9, 3),     MakeComb(0, 0, 0, 0),
                             MakeComb(47, 46, 2, 1),   MakeComb(200, 3, 3, 7),
                             MakeComb(10, 20, 30, 40), MakeComb(23, 24, 1, 2),
                             MakeComb(7, 7, 7, 7),     MakeComb(255, 64, 48, 11)};
  const int last = archive.High() - 3;
  int compared = 0;
  auto compare = [&](const TStatMethod& m, const TCombsArray& combs, const TStatDrawArray& selected,
                     bool exclude, bool sorted) {
    auto fast = list.CreateStat(m);
    auto literal = list.CreateStat(m);
    const TCombsArray a = FilteredCombs(*fast, combs, selected, last, sorted, exclude);
    const TCombsArray b = FilteredCombs(*literal, combs, selected, last, sorted, exclude, true);
    // Whole outputs compared; only the sizes are printed on a failure.
    EXPECT_TRUE(a == b) << a.size() << " vs " << b.size() << " kept of " << selected.size()
                        << " values" << (exclude ? ", exclude" : ", include")
                        << (sorted ? ", sorted" : "") << ", " << combs.size() << " combinations";
    ++compared;
  };
  // Classes with a filter loop of their own are compared on the full set too; for the
  // others the default loop asks CombMatches as the literal path does, so the small list
  // (which holds the odd bytes) is enough and keeps the test quick.
  const std::set<std::string> ownLoop = {
      "TstValues",     "TstDigits",      "TstEvenCount",   "TstSmallCount", "TstPrimeCount",
      "TstEvenValues", "TstSmallValues", "TstPrimeValues", "TstPosVal",     "TstPosExt"};
  for (const TStatMethod& m : list.Methods) {
    SCOPED_TRACE(m.Code());
    const int before = compared;
    auto probe = list.CreateStat(m);
    const std::vector<TStatDrawArray> selections = SelectionsFor(*probe, archive);
    const bool fullSet = ownLoop.count(m.Stat->ClassName()) > 0;
    for (size_t i = 0; i < selections.size(); ++i) {
      for (bool exclude : {false, true}) {
        for (bool sorted : {false, true}) compare(m, small, selections[i], exclude, sorted);
        if (!fullSet) continue;
        // The full set is costly under the literal test: one value, a third, the odd records,
        // and the sorted view once.
        if (i == 0 || i + 3 == selections.size() || i + 1 == selections.size()) {
          compare(m, FullSet(), selections[i], exclude, false);
        }
        if (i + 3 == selections.size()) compare(m, FullSet(), selections[i], exclude, true);
      }
    }
    EXPECT_GE(compared - before, 12);  // at least the three selections every method gets
  }
}

}  // namespace vetrilo

namespace vetrilo {
namespace {

// A method that shows its values but cannot read them back.
class TstUnparsable : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstUnparsable";
  static constexpr const char* kCode = "UNPR";
  static constexpr const char* kCaption = "test";
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = 0;
  static constexpr bool kCanParse = false;
  bool CombMatches(TComb, const TStatDrawArray&, int, bool, bool) override { return false; }
};

}  // namespace

TEST(CombFilter, RowsAreSelectedByTheirTextsOrParsed) {
  TStatFixture f;
  auto nums = f.Stat("NUMS");
  TStatDrawArray rows;
  nums->GetAllValues(0, rows);
  rows[6].Count = 12;  // the record of the row itself is taken, not a parsed copy
  TStatDrawArray selected;
  std::string unknown;
  ASSERT_TRUE(SelectRowsByText(*nums, rows, {"7", "60", "7", "3"}, selected, unknown));
  ASSERT_EQ(selected.size(), 3u);
  EXPECT_EQ(selected[0].Count, 12);
  EXPECT_EQ(selected[1].Half(1), 60);
  EXPECT_EQ(selected[2].Word(1), 3);

  auto evnv = f.Stat("EVNV");
  selected = TStatDrawArray();
  ASSERT_TRUE(SelectRowsByText(*evnv, TStatDrawArray(), {"ЧнЧн (005)"}, selected, unknown));
  EXPECT_EQ(selected[0].Half(1), 5);

  auto unparsable = ClassOf<TstUnparsable>().Create(f.List, 0);
  TStatDrawArray shown;
  TStatDrawRec r;
  r.SetWords(4);
  shown.Append(r);
  selected = TStatDrawArray();
  EXPECT_TRUE(SelectRowsByText(*unparsable, shown, {"4"}, selected, unknown));
  EXPECT_FALSE(SelectRowsByText(*unparsable, shown, {"4", "5"}, selected, unknown));
  EXPECT_EQ(unknown, "5");
}

}  // namespace vetrilo
