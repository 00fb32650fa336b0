#include "stakes/ui/form_system_design.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <chrono>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "core/format.h"
#include "stakes/system_store.h"

namespace vetrilo {

TFormSystemDesign::TFormSystemDesign(TAppSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("FormSystemDesign");
  setWindowTitle(QTr("Построить систему"));
  nums_ = new QSpinBox;
  nums_->setObjectName("edNums");
  nums_->setRange(kSystemMinNums, kSystemMaxNums);
  nums_->setValue(12);
  nums_->setToolTip(QTr("Количество используемых чисел"));
  block_ = new QSpinBox;
  block_->setObjectName("edOlap");
  block_->setRange(0, kSystemMaxBlock);
  block_->setValue(3);
  block_->setToolTip(
      QTr("Сколько чисел тиража система гарантирует в одной комбинации, когда все 4 числа тиража "
          "среди выбранных"));
  timeLimit_ = new QSpinBox;
  timeLimit_->setObjectName("edTimeLimit");
  timeLimit_->setRange(1, 3600);
  timeLimit_->setValue(60);
  timeLimit_->setSuffix(QTr(" с"));
  progress_ = new QProgressBar;
  progress_->setObjectName("pbProgress");
  progress_->setRange(0, 100);
  progress_->setValue(0);
  result_ = new QLabel;
  result_->setObjectName("lbResult");
  result_->setWordWrap(true);
  make_ = new QPushButton(QTr("Построить"));
  make_->setObjectName("btMake");
  stop_ = new QPushButton(QTr("Стоп"));
  stop_->setObjectName("btStop");
  save_ = new QPushButton(QTr("Сохранить в системы"));
  save_->setObjectName("btSave");
  save_->setToolTip(QTr("Сохранить систему в папке \"Systems\" для системной игры"));
  stakeButton_ = new QPushButton(QTr("Сделать ставки"));
  stakeButton_->setObjectName("btStake");
  stakeButton_->setToolTip(QTr("Ставки по всем комбинациям системы в числах списка комбинаций"));
  close_ = new QPushButton(QTr("Закрыть окно"));
  close_->setObjectName("btClose");
  connect(make_, &QPushButton::clicked, this, [this] { Make(); });
  connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
  connect(save_, &QPushButton::clicked, this, [this] { Save(); });
  connect(stakeButton_, &QPushButton::clicked, this, [this] { Stake(); });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  auto* form = new QFormLayout;
  form->addRow(QTr("Числа:"), nums_);
  form->addRow(QTr("Блок:"), block_);
  form->addRow(QTr("Время не более:"), timeLimit_);
  auto* run = new QHBoxLayout;
  run->addWidget(make_);
  run->addWidget(stop_);
  auto* after = new QHBoxLayout;
  after->addWidget(save_);
  after->addWidget(stakeButton_);
  after->addStretch(1);
  after->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(run);
  layout->addWidget(progress_);
  layout->addWidget(result_);
  layout->addLayout(after);
  resize(460, sizeHint().height());
  UpdateButtons();
}

void TFormSystemDesign::UpdateButtons() {
  make_->setEnabled(!running_);
  stop_->setEnabled(running_);
  nums_->setEnabled(!running_);
  block_->setEnabled(!running_);
  timeLimit_->setEnabled(!running_);
  save_->setEnabled(!running_ && !lines_.empty());
  stakeButton_->setEnabled(!running_ && !lines_.empty() && session_.StakesOpen());
  close_->setEnabled(!running_);
}

void TFormSystemDesign::Make() {
  running_ = true;
  stopRequested_ = false;
  lines_.clear();
  result_->clear();
  progress_->setValue(0);
  UpdateButtons();
  const int nums = nums_->value(), block = block_->value();
  const uint64_t seed = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    lines_ = session_.MakeSystemDesign(
        nums, block, timeLimit_->value(), seed, [this](const TDesignProgress& p) {
          progress_->setValue(int(100 * std::min(1.0, p.Elapsed / std::max(p.TimeLimit, 0.001))));
          result_->setText(Q(Format(Tr("Найдено: %d комбинаций"), {p.Best})));
          QCoreApplication::processEvents();
          return !stopRequested_;
        });
    linesNums_ = nums;
    linesBlock_ = block;
    progress_->setValue(100);
    const TSystemCheck check = VerifySystem(lines_, nums, block);
    result_->setText(Q(Format(Tr("Система для %d чисел, блок %d: %d комбинаций; проверено, условие "
                                 "выполняется для всех %d тиражей."),
                              {nums, block, int(lines_.size()), int(check.Subsets)})));
  } catch (const EVetrilo& e) {
    session_.ShowError(e.Message());
  }
  running_ = false;
  UpdateButtons();
}

void TFormSystemDesign::Save() {
  if (lines_.empty()) return;
  if (session_.SaveDesignedSystem(lines_, linesNums_, linesBlock_)) {
    result_->setText(
        result_->text() + "\n" +
        Q(Format(Tr("Сохранена как \"%s\"."), {SystemFileName(linesNums_, linesBlock_, 0)})));
  }
}

void TFormSystemDesign::Stake() {
  if (lines_.empty()) return;
  session_.StakeDesignedSystem(lines_, linesNums_, linesBlock_, 1);
}

}  // namespace vetrilo
