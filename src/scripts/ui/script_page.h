#pragma once

#include <QAbstractTableModel>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scripts/script_list_view.h"

namespace vetrilo {

class TAppSession;
class TActionList;

// The script as a virtual list: one row per line, the engine's texts.
class TScriptListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TScriptListModel(TAppSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();

 private:
  TAppSession& session_;
  // Row texts made on first display: a line is read once, not on every repaint.
  mutable std::vector<std::optional<std::array<std::string, kScriptListColumns>>> rows_;
};

// The "Сценарий" page of the work area: the script list, its commands and the
// line count. The commands are the session's; the editors only build lines.
class TScriptPage : public QWidget {
  Q_OBJECT
 public:
  TScriptPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);

  QTableView* List() { return list_; }
  QLabel* CountLabel() { return panels_[0]; }
  QLabel* Panel(int index) { return panels_.at(size_t(index)); }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);

  // The main window's count of last draws to exclude, for new lines.
  void SetDrawsExcludeSource(std::function<int()> source) { drawsExclude_ = std::move(source); }
  // Replace the modal dialogs (tests): the line editor (title, line in/out; false
  // on Cancel) and the file choice ("open", "save" or "load").
  void SetLineEditor(std::function<bool(const QString& title, std::string& line)> editor) {
    lineEditor_ = std::move(editor);
  }
  void SetFileChooser(std::function<QString(const QString& kind)> chooser) {
    chooseFile_ = std::move(chooser);
  }
  // The number of tests asked before "Тест" (0: cancelled), and what opens a
  // finished run's log.
  void SetTestCountAsker(std::function<int(int maximum)> ask) { askTestCount_ = std::move(ask); }
  void SetLogOpener(std::function<void(const QString& path)> open) { openLog_ = std::move(open); }

  // The enable state the commands see.
  TScriptListState ListState() const;
  int FocusedRow() const;
  std::vector<int> SelectedRows() const;
  void FocusRow(int row);

 private:
  void CreateActions();
  bool Enabled(TScriptCommand command) const;
  bool EditLine(const QString& title, std::string& line);
  QString ChooseFile(const QString& kind);
  void ScriptAddExecute();
  void ScriptEmptyExecute();
  void ScriptCloneExecute();
  void ScriptEditExecute();
  void ScriptDelExecute();
  void ScriptClrExecute();
  void ScriptMoveExecute(int delta);
  void ScriptOpenExecute();
  void ScriptSaveExecute();
  void ScriptLoadExecute();
  void CreateRunActions();
  void RunExecute(int testDraws);
  void ShowRunPanels();

  TAppSession& session_;
  TActionList& actions_;
  TScriptListModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  std::array<QLabel*, 5> panels_{};
  QList<QAction*> commands_;     // editing the script
  QList<QAction*> runCommands_;  // running it and the run's options
  std::function<int()> drawsExclude_;
  std::function<bool(const QString&, std::string&)> lineEditor_;
  std::function<QString(const QString&)> chooseFile_;
  std::function<int(int)> askTestCount_;
  std::function<void(const QString&)> openLog_;
};

}  // namespace vetrilo
