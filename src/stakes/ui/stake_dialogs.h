#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>
#include <string>

#include "stakes/stake_record.h"
#include "stakes/stake_store.h"

namespace vetrilo {

// "Добавление ставки": the draw, the numbers with their running sum, the
// comment and the number of draws. OK applies the engine's checks in their
// order; a refusal is shown through `showError` and keeps the dialog open.
class TFormStake : public QDialog {
  Q_OBJECT
 public:
  TFormStake(const TStakeRec& rec, std::function<void(const std::string&)> showError,
             QWidget* parent = nullptr);
  // The record with the dialog's draw, comment and numbers (ascending).
  TStakeRec Stake() const;
  int Draws() const { return drawsCount_->value(); }
  QLineEdit* StakeData() { return stakeData_; }
  QLineEdit* Comment() { return comment_; }
  QLineEdit* Sum() { return sum_; }
  QSpinBox* DrawNumber() { return drawNumber_; }
  QSpinBox* DrawsCount() { return drawsCount_; }
  void accept() override;

 private:
  TStakeRec rec_;
  std::function<void(const std::string&)> showError_;
  QSpinBox* drawNumber_ = nullptr;
  QLineEdit* stakeData_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QSpinBox* drawsCount_ = nullptr;
  QLineEdit* sum_ = nullptr;
};

// "Добавление мультиставки": common draw, comment and draws of several stakes.
class TFormMulti : public QDialog {
  Q_OBJECT
 public:
  TFormMulti(int32_t draw, std::function<void(const std::string&)> showError,
             QWidget* parent = nullptr);
  int32_t DrawNumber() const { return drawNumber_->value(); }
  std::string CommentText() const;
  int Draws() const { return drawsCount_->value(); }
  QLineEdit* Comment() { return comment_; }
  void accept() override;

 private:
  std::function<void(const std::string&)> showError_;
  QSpinBox* drawNumber_ = nullptr;
  QLineEdit* comment_ = nullptr;
  QSpinBox* drawsCount_ = nullptr;
};

// "Удаление по условию": the condition and the match count, both from 0 each time.
class TFormStakeFilter : public QDialog {
  Q_OBJECT
 public:
  explicit TFormStakeFilter(QWidget* parent = nullptr);
  TStakeCondition Condition() const { return TStakeCondition(condition_->currentIndex()); }
  int Value() const { return value_->value(); }
  QComboBox* ConditionBox() { return condition_; }
  QSpinBox* ValueBox() { return value_; }

 private:
  QComboBox* condition_ = nullptr;
  QSpinBox* value_ = nullptr;
};

}  // namespace vetrilo
