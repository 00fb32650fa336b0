#pragma once

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QTableView>
#include <functional>
#include <vector>

namespace vetrilo {

class TAppSession;
class TActionList;

// The commands of the draw archive: download, CSV import and export, adding,
// editing and deleting draws, the start-up download choice and the proxy
// dialog, with the wait window of the download.
class TDrawActions : public QObject {
  Q_OBJECT
 public:
  TDrawActions(TAppSession& session, TActionList& actions, QTableView* drawList, QWidget* window);
  ~TDrawActions() override;

  // The archive commands and the start-up choice, for the draws menu.
  void FillMenu(QMenu* menu);
  // Rows of the draw list that are selected, top first.
  std::vector<int> SelectedRows() const;
  QDialog* WaitWindow() { return wait_; }

 private:
  void CreateActions();
  void ShowWait(std::string_view text);
  // Opens the dialog; OK runs `apply`, whose engine error is shown and the
  // dialog opens again with what was typed.
  void OpenApplying(QDialog* dialog, std::function<void()> apply);
  void AddExecute();
  void EditExecute();
  void ImportExecute();
  void ExportExecute();
  void EditProxyExecute();
  void UpdateStartChoice();

  TAppSession& session_;
  TActionList& actions_;
  QTableView* drawList_;
  QWidget* window_;
  QDialog* wait_ = nullptr;
  QLabel* waitText_ = nullptr;
};

}  // namespace vetrilo
