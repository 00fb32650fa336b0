#include "views/ui/analysis_tabs.h"

#include <QAction>
#include <QTabBar>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "views/ui/analysis_windows.h"
#include "views/ui/card_page.h"
#include "views/ui/graphs_page.h"
#include "views/ui/layout_page.h"
#include "views/ui/week_page.h"

namespace vetrilo {

namespace {

struct TTabInfo {
  TWorkView View;
  const char* Action;
  const char* Caption;
  const char* Hint;
  const char* Title;
};
constexpr TTabInfo kTabs[] = {
    {TWorkView::Graphs, "TabGraps", "Вкладка \"Графики\"", "Скрыть / показать вкладку \"Графики\"",
     "Графики"},
    {TWorkView::Card, "TabCard", "Вкладка \"Карта\"", "Скрыть / показать вкладку \"Карта тиражей\"",
     "Карта"},
    {TWorkView::Layout, "TabLayout", "Вкладка \"Схема\"", "Скрыть / показать вкладку \"Схема\"",
     "Схема"},
    {TWorkView::Week, "TabWeek", "Вкладка \"Неделя\"", "Скрыть / показать вкладку \"Неделя\"",
     "Неделя"},
};

}  // namespace

TAnalysisTabs::TAnalysisTabs(TAppSession& session, TActionList& actions, QTabWidget* tabs,
                             QTableView* drawList, QTableView* combList, QObject* parent)
    : QObject(parent),
      session_(session),
      actions_(actions),
      tabs_(tabs),
      drawList_(drawList),
      combList_(combList) {
  CreateActions();
  graphs_ = new TGraphsPage(session_, actions_);
  card_ = new TCardPage(session_, actions_);
  layout_ = new TLayoutPage(session_, actions_);
  week_ = new TWeekPage(session_, actions_);
  // Right after "Статистика", before the stake and script pages.
  int at = tabs_->count();
  for (int i = 0; i < tabs_->count(); ++i) {
    if (tabs_->widget(i)->objectName() == "StatsPage") at = i + 1;
  }
  for (const TTabInfo& tab : kTabs) tabs_->insertTab(at++, PageOf(tab.View), QTr(tab.Title));
  ApplyTabVisibility();
  connect(tabs_, &QTabWidget::currentChanged, this, &TAnalysisTabs::OnCurrentChanged);
  if (drawList_) {
    connect(drawList_, &QAbstractItemView::doubleClicked, this, [this] {
      if (QAction* info = actions_.Find("DrawsInfo"); info && info->isEnabled()) info->trigger();
    });
  }
}

TFormRepeats* TAnalysisTabs::RepeatsWindow() const {
  return repeats_.data();
}

QWidget* TAnalysisTabs::PageOf(TWorkView view) const {
  switch (view) {
    case TWorkView::Graphs:
      return graphs_;
    case TWorkView::Card:
      return card_;
    case TWorkView::Layout:
      return layout_;
    case TWorkView::Week:
      return week_;
    default:
      return nullptr;
  }
}

void TAnalysisTabs::CreateActions() {
  for (const TTabInfo& tab : kTabs) {
    const TWorkView view = tab.View;
    QAction* action = actions_.Add(tab.Action, QTr(tab.Caption), QTr(tab.Hint), [this, view] {
      session_.SetTabVisible(view, !session_.TabVisible(view));
    });
    action->setCheckable(true);
    action->setChecked(session_.TabVisible(view));
  }
  actions_.Add("TotalSumCombs", QTr("Распределение сумм тиражей и всех возможных комбинаций"),
               QTr("Распределение сумм всех возможных комбинаций и архива тиражей одновременно"),
               [this] {
                 auto* window = new TFormSumChart(session_.TotalSumCombs(), tabs_->window());
                 window->show();
               });
  actions_.Add(
      "AnalyzeRepeats", QTr("Количество повторов в зависимости от тиража"),
      QTr("Количество повторов в зависимости от тиража"),
      [this] {
        if (!repeats_) {
          repeats_ = new TFormRepeats(session_, tabs_->window());
          repeats_->setAttribute(Qt::WA_DeleteOnClose);
        }
        repeats_->open();
        repeats_->Calculate();
      },
      [this] { return session_.Archive().Count() > 0; });
  actions_.Add(
      "DrawsInfo", QTr("Сведения о тираже"), QTr("Просмотр подробных сведений о тираже"),
      [this] {
        const int index = SelectedDrawIndex();
        if (index < 0) return;
        (new TFormInfo(session_, index, 0, tabs_->window()))->show();
      },
      [this] { return SelectedDrawIndex() >= 0; });
  actions_.Add(
      "CombsInfo", QTr("Сведения о комбинации"), QTr("Просмотр подробных сведений о комбинации"),
      [this] {
        const int row = SelectedCombRow();
        if (row < 0) return;
        (new TFormInfo(session_, -1, session_.Combs().Comb(row), tabs_->window()))->show();
      },
      [this] { return SelectedCombRow() >= 0; });
}

int TAnalysisTabs::SelectedDrawIndex() const {
  if (!drawList_ || !drawList_->selectionModel()) return -1;
  const QModelIndex current = drawList_->selectionModel()->currentIndex();
  if (!current.isValid() || !drawList_->selectionModel()->isSelected(current)) return -1;
  const int index = session_.Archive().High() - current.row();
  return index >= 0 && index < session_.Archive().Count() ? index : -1;
}

int TAnalysisTabs::SelectedCombRow() const {
  if (!combList_ || !combList_->selectionModel()) return -1;
  const QModelIndex current = combList_->selectionModel()->currentIndex();
  if (!current.isValid() || !combList_->selectionModel()->isSelected(current)) return -1;
  return current.row() < session_.Combs().Count() ? current.row() : -1;
}

void TAnalysisTabs::FillMenus(QMenu* view, QMenu* draws, QMenu* combs) {
  if (view) {
    for (const TTabInfo& tab : kTabs) view->addAction(actions_.Find(tab.Action));
    view->addSeparator();
    for (const char* name : {"ViewColorCard", "ViewColorCardSequences", "ViewShemaGradient",
                             "ViewWeekChartMode", "ViewWeekChartType"}) {
      view->addAction(actions_.Find(name));
    }
  }
  if (draws) {
    draws->addSeparator();
    for (const char* name : {"DrawsInfo", "TotalSumCombs", "AnalyzeRepeats"}) {
      draws->addAction(actions_.Find(name));
    }
  }
  if (combs) {
    combs->addSeparator();
    combs->addAction(actions_.Find("CombsInfo"));
  }
}

void TAnalysisTabs::ApplyTabVisibility() {
  for (const TTabInfo& tab : kTabs) {
    const int index = tabs_->indexOf(PageOf(tab.View));
    if (index >= 0) tabs_->setTabVisible(index, session_.TabVisible(tab.View));
    actions_.Find(tab.Action)->setChecked(session_.TabVisible(tab.View));
  }
}

void TAnalysisTabs::OnCurrentChanged(int index) {
  QWidget* page = tabs_->widget(index);
  TWorkView view = TWorkView::Other;
  for (const TTabInfo& tab : kTabs) {
    if (PageOf(tab.View) == page) view = tab.View;
  }
  if (page && page->objectName() == "StatsPage") view = TWorkView::Stats;
  session_.ShowView(view);
}

void TAnalysisTabs::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeOptions) ApplyTabVisibility();
  graphs_->OnSessionChanged(changes);
  card_->OnSessionChanged(changes);
  layout_->OnSessionChanged(changes);
  week_->OnSessionChanged(changes);
}

void TAnalysisTabs::CommitState() {
  graphs_->CommitDepth();
  layout_->CommitDepths();
  week_->CommitDepth();
  TMainOptions& o = session_.Options();
  o.WeekHeight = week_->ChartHeight();
  o.LayoutCompareHeight = layout_->CompareHeight();
}

}  // namespace vetrilo
