#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

#include "stakes/system_design.h"

namespace vetrilo {

class TAppSession;

// "Построить систему": n and block in, a system with that guarantee out; it
// can be kept in "Systems" and staked in the numbers of the combination list.
class TFormSystemDesign : public QDialog {
  Q_OBJECT
 public:
  TFormSystemDesign(TAppSession& session, QWidget* parent = nullptr);

  QSpinBox* Nums() { return nums_; }
  QSpinBox* Block() { return block_; }
  QSpinBox* TimeLimit() { return timeLimit_; }
  QPushButton* MakeButton() { return make_; }
  QPushButton* StopButton() { return stop_; }
  QPushButton* SaveButton() { return save_; }
  QPushButton* StakeButton() { return stakeButton_; }
  QProgressBar* Progress() { return progress_; }
  QLabel* Result() { return result_; }
  const TSystemLines& Lines() const { return lines_; }

  void Make();
  void Save();
  void Stake();

 private:
  void UpdateButtons();

  TAppSession& session_;
  QSpinBox* nums_ = nullptr;
  QSpinBox* block_ = nullptr;
  QSpinBox* timeLimit_ = nullptr;
  QPushButton* make_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* stakeButton_ = nullptr;
  QPushButton* close_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* result_ = nullptr;
  TSystemLines lines_;
  int linesNums_ = 0;
  int linesBlock_ = 0;
  bool running_ = false;
  bool stopRequested_ = false;
};

}  // namespace vetrilo
