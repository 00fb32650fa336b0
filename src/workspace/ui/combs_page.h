#pragma once

#include <QMenu>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <functional>

#include "workspace/comb_list_view.h"

namespace vetrilo {

class TAppSession;
class TActionList;
class TCombListModel;
class TJournalModel;

// What the generation dialog gave.
struct TGenerateChoice {
  int Mode = 0;
  QString Parameter;
  bool SaveAsDefaults = false;
};

// The left tab "Комбинации": the combination list, the applied-filter list, the field of the
// last draws to exclude and the buttons of the list's commands. It registers the commands in
// the window's action list; the rules and effects are the workspace's.
class TCombsPage : public QWidget {
  Q_OBJECT
 public:
  TCombsPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);

  QTableView* CombList() { return combList_; }
  QTableView* Journal() { return journal_; }
  QSpinBox* ExcludeField() { return excludeField_; }

  // The commands, for the window's menu.
  void FillMenu(QMenu* menu) const;
  // The list or journal changed / the colours did.
  void Reload();
  void Repaint();
  // Height of the applied-filter list (FiltersHeight, saved at shut-down).
  int FiltersHeight() const;

  TCombsScreenState ScreenState() const;
  TRowRanges Selection() const;

  // Replace the modal dialogs (tests): file choice (save = true for "Сохранить"), generation.
  void SetFileChooser(std::function<QString(bool save)> chooser) {
    chooseFile_ = std::move(chooser);
  }
  void SetGenerateDialog(std::function<bool(TGenerateChoice&)> dialog) {
    generateDialog_ = std::move(dialog);
  }

 private:
  void CreateActions();
  void CombsGenExecute();
  void CombsOpenExecute();
  void CombsSaveExecute();
  void CombsCopyExecute();
  void CombsPasteExecute();
  void CombsDeleteExecute();
  void CombsExcludeExecute();
  void CombsUndoExecute();
  void CombsFindExecute();
  bool Enabled(TCombsCommand command) const;

  TAppSession& session_;
  TActionList& actions_;
  TCombListModel* combModel_ = nullptr;
  TJournalModel* journalModel_ = nullptr;
  QTableView* combList_ = nullptr;
  QTableView* journal_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QSpinBox* excludeField_ = nullptr;
  bool clipboardHasText_ = false;
  std::function<QString(bool)> chooseFile_;
  std::function<bool(TGenerateChoice&)> generateDialog_;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
