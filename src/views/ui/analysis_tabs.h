#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>

#include "views/analysis_views.h"

namespace vetrilo {

class TAppSession;
class TActionList;
class TGraphsPage;
class TCardPage;
class TLayoutPage;
class TWeekPage;
class TFormRepeats;

// The work tabs "Графики", "Карта", "Схема", "Неделя" with their tab and view
// options, and the windows of sums, repeats and information. The main window
// hands it its tab widget, its lists and its menus.
class TAnalysisTabs : public QObject {
  Q_OBJECT
 public:
  TAnalysisTabs(TAppSession& session, TActionList& actions, QTabWidget* tabs, QTableView* drawList,
                QTableView* combList, QObject* parent = nullptr);

  TGraphsPage* GraphsPage() { return graphs_; }
  TCardPage* CardPage() { return card_; }
  TLayoutPage* LayoutPage() { return layout_; }
  TWeekPage* WeekPage() { return week_; }
  TFormRepeats* RepeatsWindow() const;
  QWidget* PageOf(TWorkView view) const;

  // "Вид" menu of the tabs and options; the draw and combination commands go to
  // the given menus.
  void FillMenus(QMenu* view, QMenu* draws, QMenu* combs);
  void OnSessionChanged(uint32_t changes);
  // Depths and heights into the options saved at shut-down.
  void CommitState();

 private:
  void CreateActions();
  void ApplyTabVisibility();
  void OnCurrentChanged(int index);
  int SelectedDrawIndex() const;
  int SelectedCombRow() const;

  TAppSession& session_;
  TActionList& actions_;
  QTabWidget* tabs_;
  QTableView* drawList_;
  QTableView* combList_;
  TGraphsPage* graphs_ = nullptr;
  TCardPage* card_ = nullptr;
  TLayoutPage* layout_ = nullptr;
  TWeekPage* week_ = nullptr;
  QPointer<TFormRepeats> repeats_;
};

}  // namespace vetrilo
