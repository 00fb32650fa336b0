#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <functional>
#include <string>

#include "core/draw_archive.h"

namespace vetrilo {

// The draw dialog of adding and editing: number, the five numbers, date and
// time. OK closes it only when the numbers pass the check; otherwise the
// message is shown and the numbers field gets the focus.
class TFormDraw : public QDialog {
  Q_OBJECT
 public:
  TFormDraw(const TDrawRec& draw, std::function<void(const std::string&)> showError,
            QWidget* parent = nullptr);

  // The record the fields give (valid once the dialog was accepted).
  TDrawRec Draw() const;

  QSpinBox* NumberField() { return number_; }
  QLineEdit* DataField() { return data_; }
  QDateEdit* DateField() { return date_; }
  QTimeEdit* TimeField() { return time_; }

  void accept() override;

 private:
  std::function<void(const std::string&)> showError_;
  QSpinBox* number_ = nullptr;
  QLineEdit* data_ = nullptr;
  QDateEdit* date_ = nullptr;
  QTimeEdit* time_ = nullptr;
};

}  // namespace vetrilo
