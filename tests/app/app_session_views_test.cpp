#include <gtest/gtest.h>

#include "app/app_session.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;

namespace {

struct TViewsSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  int ViewChanges = 0;

  explicit TViewsSession(int draws = 60) {
    SaveFileAtomic(Session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(draws, 7)));
    Session.LoadOptions();
    Session.LoadArchive();
    Session.GenerateDefaultCombs();
    Session.SetListener([this](uint32_t c) { ViewChanges += (c & kChangeViews) ? 1 : 0; });
  }
  TIniFile Frm() const { return Session.FrmFile(); }
  size_t StatusCount(const std::string& text) const {
    return size_t(std::count(Hooks.Statuses.begin(), Hooks.Statuses.end(), text));
  }
};

constexpr const char* kWeekStatus = "Построение статистики по дням недели...";
constexpr const char* kLayoutStatus = "Построение схемы выпадения номеров...";
constexpr const char* kCardStatus = "Обновление карты тиражей...";
constexpr const char* kGraphStatus = "Анализ тиражей и построение графиков...";

}  // namespace

TEST(AppSessionViews, OnlyTheViewOnScreenIsBuilt) {
  TViewsSession s;
  s.Session.RecalcViews(true);
  for (const char* status : {kWeekStatus, kLayoutStatus, kCardStatus, kGraphStatus}) {
    EXPECT_EQ(s.StatusCount(status), 0u) << status;
  }
  EXPECT_FALSE(s.Session.Views().Card.Built());

  s.Session.ShowView(TWorkView::Week);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 1u);
  EXPECT_EQ(s.Session.Views().Week.Draws(), 60);
  s.Session.ShowView(TWorkView::Week);  // nothing changed: not built again
  s.Session.RecalcViews(false);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 1u);

  // An offset change reaches the view on screen at once and the others when shown.
  s.Session.SetDrawsOffset(10);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 2u);
  EXPECT_EQ(s.Session.Views().Week.Draws(), 50);
  EXPECT_EQ(s.StatusCount(kLayoutStatus), 0u);
  s.Session.ShowView(TWorkView::Layout);
  EXPECT_EQ(s.StatusCount(kLayoutStatus), 2u);  // scheme and comparison
  EXPECT_EQ(s.Session.Views().Compare[0].Depth, 50);

  // A forced recalculation off screen (sorted view toggled) still reaches the
  // weekday view once it comes back.
  s.Session.SetSortedDraws(true);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 2u);
  s.Session.ShowView(TWorkView::Week);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 3u);

  s.Session.ShowView(TWorkView::Card);
  EXPECT_EQ(s.StatusCount(kCardStatus), 1u);
  EXPECT_EQ(s.Session.Views().Card.RowCount(), 61);
  s.Session.SetDrawsOffset(0);  // the card ignores the offset
  EXPECT_EQ(s.StatusCount(kCardStatus), 1u);
  s.Session.MutableArchive().Draws[3].Balls = {1, 2, 3, 4};  // an edit keeps the count
  s.Session.RecalcViews(false);
  EXPECT_EQ(s.StatusCount(kCardStatus), 2u);
  EXPECT_EQ(s.Session.Views().Card.Text(57, 1), "1");

  s.Session.ShowView(TWorkView::Graphs);
  EXPECT_EQ(s.StatusCount(kGraphStatus), 1u);
  EXPECT_EQ(s.Session.Views().Graph.Values.size(), 60u);
  EXPECT_EQ(s.Hooks.Messages.size(), 0u);
}

TEST(AppSessionViews, HiddenTabsAreNotBuiltAndComeBackForced) {
  TViewsSession s;
  s.Session.ShowView(TWorkView::Week);
  s.Session.SetTabVisible(TWorkView::Week, false);
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "TabWeek", true));
  s.Session.SetDrawsOffset(5);
  EXPECT_EQ(s.StatusCount(kWeekStatus), 1u);
  s.Session.SetTabVisible(TWorkView::Week, true);
  EXPECT_TRUE(s.Frm().ReadBool("TFormMain", "TabWeek", false));
  EXPECT_EQ(s.StatusCount(kWeekStatus), 2u);
  EXPECT_EQ(s.Session.Views().Week.Draws(), 55);
  EXPECT_FALSE(s.Session.CanFilterWeek({1, 1, 3, 1}) && !s.Session.TabVisible(TWorkView::Week));
}

TEST(AppSessionViews, OptionsSavedAtOnceAndDepthsAtShutdown) {
  TViewsSession s;
  s.Session.SetColorCard(false);
  s.Session.SetColorCardSequences(false);
  s.Session.SetLayoutGradient(false);
  s.Session.SetWeekChartMode(1);
  s.Session.SetWeekChartType(true);
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "ColorCard", true));
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "ColorCardSequences", true));
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "LayoutGradient", true));
  EXPECT_EQ(s.Frm().ReadInteger("TFormMain", "WeekChartMode", 0), 1);
  EXPECT_TRUE(s.Frm().ReadBool("TFormMain", "WeekChartType", false));
  EXPECT_FALSE(s.Session.CardOptions().ChannelColors);

  s.Session.SetWeekLen(30);
  s.Session.SetLayoutLen(0);  // clamped to 1
  s.Session.SetLayoutCompareLen(4, 77);
  s.Session.SetDrawsGraphLen(12);
  const int sums = s.Session.StatList().FindByCode("SUMS");
  s.Session.SelectGraphMethod(sums);
  s.Session.SaveWindowSettings({});
  EXPECT_EQ(s.Frm().ReadInteger("TFormMain", "WeekLen", 0), 30);
  EXPECT_EQ(s.Frm().ReadInteger("TFormMain", "LayoutLen", 0), 1);
  EXPECT_EQ(s.Frm().ReadInteger("TFormMain", "LayoutCompareLen5", 0), 77);
  EXPECT_EQ(s.Frm().ReadInteger("TFormMain", "DrawsGraphLen", 0), 12);
  EXPECT_EQ(s.Frm().ReadString("TFormMain", "DrawsGraphType", ""), "SUMS");

  TAppSession again(TAppPaths::ForFolder(s.Dir.Path()), s.Hooks);
  again.LoadOptions();
  EXPECT_EQ(again.Views().WeekDepth, 30);
  EXPECT_EQ(again.Views().LayoutDepth, 1);
  EXPECT_EQ(again.Views().CompareDepths[4], 77);
  EXPECT_EQ(again.Views().GraphDepth, 12);
  EXPECT_EQ(again.Views().GraphMethod, sums);
  EXPECT_EQ(again.WeekChartMode(), 1);
  EXPECT_TRUE(again.WeekChartType());
  EXPECT_FALSE(again.LayoutGradient());

  TRepeatsWindowState r = again.RepeatsWindow();
  EXPECT_EQ(r.DrawsLength, 100);
  r.DrawsLength = 40;
  r.DrawsDeep = 9;
  again.SaveRepeatsWindow(r);
  EXPECT_EQ(s.Frm().ReadInteger("TFormRepeats", "DrawsLength", 0), 40);
  EXPECT_EQ(s.Frm().ReadInteger("TFormRepeats", "DrawsDeep", 0), 9);
  EXPECT_EQ(again.RepeatsWindow().DrawsDeep, 9);
}

TEST(AppSessionViews, GridFiltersWriteTheirJournalRows) {
  TViewsSession s;
  s.Session.ShowView(TWorkView::Card);
  const int all = s.Session.Combs().Count();
  ASSERT_EQ(all, kAllCombinations);
  EXPECT_FALSE(s.Session.CanFilterCard({0, 1, 3, 1}));
  EXPECT_FALSE(s.Session.CanFilterCard({45, 1, 48, 1}));
  ASSERT_TRUE(s.Session.CanFilterCard({1, 1, 47, 1}));
  const TDrawRec newest = s.Session.Archive().Draws.back();
  EXPECT_TRUE(s.Session.FilterCombsByCard({1, 1, 47, 1}, false));
  auto journal = s.Session.Combs().Journal();
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].Caption, "Карта");
  EXPECT_EQ(journal[0].Kind, TJournalKind::Exclude);
  // None of the newest draw's numbers is left: C(43, 4) combinations.
  EXPECT_EQ(s.Session.Combs().Count(), 123410);
  for (TComb comb : s.Session.Combs().Combs()) {
    for (uint8_t n : newest.Balls) ASSERT_FALSE(CombHasNumber(comb, n));
  }

  s.Session.ShowView(TWorkView::Week);
  EXPECT_TRUE(s.Session.FilterCombsByWeek({5, 1, 7, 2}, true));
  journal = s.Session.Combs().Journal();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[1].Caption, "Неделя");
  EXPECT_EQ(journal[1].Values, "5; 6; 7");

  s.Session.ShowView(TWorkView::Layout);
  const TLayoutScheme& scheme = s.Session.Views().Layout;
  EXPECT_TRUE(s.Session.FilterCombsByLayout({1, 1, scheme.ColumnCount() - 1, 1}, true));
  journal = s.Session.Combs().Journal();
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(journal[2].Caption, "Схема");
  EXPECT_FALSE(journal[2].Values.empty());

  // Only empty cells: the message, and the list stays.
  const int before = s.Session.Combs().Count();
  const TGridRect emptyCells{48, 1, 48, 1};
  EXPECT_FALSE(s.Session.FilterCombsByWeek(emptyCells, true));
  s.Session.ShowView(TWorkView::Card);
  int emptyColumn = 1;
  while (!s.Session.Views().Card.Text(1, emptyColumn).empty()) ++emptyColumn;
  EXPECT_FALSE(s.Session.FilterCombsByCard({emptyColumn, 1, emptyColumn, 1}, true));
  ASSERT_EQ(s.Hooks.Messages.size(), 2u);
  EXPECT_EQ(s.Hooks.Messages[1].Text, "В выделенном диапазоне нет значений для фильтра!");
  EXPECT_EQ(s.Session.Combs().Count(), before);
}

}  // namespace vetrilo
