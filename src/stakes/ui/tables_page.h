#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "stakes/stake_tables.h"

namespace vetrilo {

class TAppSession;
class TActionList;
class TCombsPage;
class TFormStake;
class TFormSystemDesign;

// "Добавление регулярной ставки".
class TFormTable : public QDialog {
  Q_OBJECT
 public:
  TFormTable(const TTableDialogInput& input, int selectedCount, TComb selected,
             std::vector<std::string> existingNames, QWidget* parent = nullptr);
  TTableDialogInput Input() const;
  QLineEdit* Comment() { return comment_; }
  QLineEdit* CombStart() { return combStart_; }
  QRadioButton* UseMyComb() { return useMyComb_; }
  QRadioButton* UseLastDraw() { return useLastDraw_; }
  QSpinBox* Step() { return step_; }
  // The refusal shown by the last OK (empty when it was accepted).
  QString LastError() const { return lastError_; }
  std::function<void(const QString&)> ShowError;
  void accept() override;

 private:
  void UpdateStart();
  int selectedCount_;
  std::vector<std::string> names_;
  QLineEdit* comment_ = nullptr;
  QRadioButton* useMyComb_ = nullptr;
  QRadioButton* useLastDraw_ = nullptr;
  QLineEdit* combStart_ = nullptr;
  QSpinBox* step_ = nullptr;
  QString lastError_;
};

// The work tab "Регуляры": the tables list and its commands.
class TTablesPage : public QWidget {
  Q_OBJECT
 public:
  TTablesPage(TAppSession& session, TActionList& actions, TCombsPage& combs,
              QWidget* parent = nullptr);

  QTableWidget* List() { return list_; }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);
  std::vector<int> SelectedRows() const;

  // Seams for the modal windows (tests replace them).
  std::function<bool(TFormTable&)> RunTableDialog;
  std::function<bool(TFormStake&)> RunStakeDialog;
  // The number of draws of the table test (0: cancelled).
  std::function<int(int max)> AskTestCount;
  std::function<void(TFormSystemDesign&)> RunSystemDesign;

 private:
  void CreateActions();
  void Reload();
  void AddExecute();
  void StakeExecute();
  void TestExecute();

  TAppSession& session_;
  TActionList& actions_;
  TCombsPage& combs_;
  QTableWidget* list_ = nullptr;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
