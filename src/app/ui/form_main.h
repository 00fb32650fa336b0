#pragma once

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <array>
#include <functional>

#include "app/app_session.h"
#include "app/command_line.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_hooks.h"

namespace vetrilo {

class TDrawListModel;
class TCombsPage;
class TStatsPage;
class TDrawActions;
class TScriptPage;
class TAnalysisTabs;
class TStakesPage;
class TTablesPage;
class TRatingsPage;

// The main window: the left pane with the draw archive and the combination
// list, the right work area whose pages the views add, the menus,
// the status bar. It shows the session and calls it; it holds no rules.
class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormMain(TAppSession& session, TQtHooks& hooks, QWidget* parent = nullptr);
  ~TFormMain() override;

  TAppSession& Session() { return session_; }
  TActionList& Actions() { return *actions_; }
  QTabWidget* LeftTabs() { return leftTabs_; }
  QTabWidget* WorkTabs() { return workTabs_; }
  QTableView* DrawList() { return drawList_; }
  QSpinBox* OffsetField() { return offsetField_; }
  TCombsPage* CombsPage() { return combsPage_; }
  QLabel* StatusPanel(int index) { return panels_.at(static_cast<size_t>(index)); }
  TStatsPage* StatsPage() { return statsPage_; }
  TDrawActions* DrawActions() { return drawActions_; }
  TScriptPage* ScriptPage() { return scriptPage_; }
  TAnalysisTabs* AnalysisTabs() { return analysisTabs_; }
  TStakesPage* StakesPage() { return stakesPage_; }
  TTablesPage* TablesPage() { return tablesPage_; }
  TRatingsPage* RatingsPage() { return ratingsPage_; }

  void SetCommandLine(const TCommandLine& commandLine) { commandLine_ = commandLine; }
  // What a choice of another language starts before the window closes; by
  // default a new copy of the program with the word "restart".
  void SetRestart(std::function<void()> restart) { restart_ = std::move(restart); }
  QMenu* LanguageMenu() { return languageMenu_; }
  // The work that runs once the window is visible (loading the data files, the
  // command-line jobs). Returns -1 to go on running, else the exit status.
  int DeferredInit();
  // Placement, sizes, fields and column settings into the window settings file.
  void SaveWindowState();
  // Whether the stored placement asks for a maximized window.
  bool StartMaximized() const { return startMaximized_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  // "Формулы шинковки": the dialog applies through the session on OK.
  void EditShreddingExecute();
  void SettingsEditExecute();
  // Favourite methods: the manager, the reset to all, the description.
  void CreateFavoritesActions();
  // Self-update and "О программе" (form_main_update.cpp).
  void CreateUpdateActions();
  void FillHelpMenu();
  void RestartForUpdate();
  // Opens a dialog; on OK runs `apply`. An engine error is shown and the dialog
  // opens again with what the user typed.
  void OpenApplyingDialog(QDialog* dialog, std::function<void()> apply);
  void CreateMenus();
  // Interface language and help.
  void CreateLanguageActions();
  void FillLanguageMenu(QMenu* menu);
  void ChooseLanguageExecute(uint32_t language);
  void RestoreWindowState();
  void CreateLeftPane();
  void CreateStatusBar();
  void OnSessionChanged(uint32_t changes);
  void RefreshStatusPanels();
  void RefreshOffsetField();

  TAppSession& session_;
  TQtHooks& hooks_;
  QMenu* languageMenu_ = nullptr;
  std::function<void()> restart_;
  TActionList* actions_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTabWidget* leftTabs_ = nullptr;
  QTabWidget* workTabs_ = nullptr;
  QTableView* drawList_ = nullptr;
  TDrawListModel* drawModel_ = nullptr;
  QSpinBox* offsetField_ = nullptr;
  QPointer<QWidget> focusBeforeBusy_;
  std::array<QLabel*, 8> panels_{};
  QProgressBar* progress_ = nullptr;
  TCombsPage* combsPage_ = nullptr;
  TStatsPage* statsPage_ = nullptr;
  TDrawActions* drawActions_ = nullptr;
  TScriptPage* scriptPage_ = nullptr;
  TAnalysisTabs* analysisTabs_ = nullptr;
  // Stakes and ratings.
  TStakesPage* stakesPage_ = nullptr;
  TTablesPage* tablesPage_ = nullptr;
  TRatingsPage* ratingsPage_ = nullptr;
  TCommandLine commandLine_;
  bool startMaximized_ = false;
  bool stateSaved_ = false;
  bool closeAfterRun_ = false;
  class TFormProgress* progressWindow_ = nullptr;
};

}  // namespace vetrilo
