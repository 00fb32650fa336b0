#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "services/self_update.h"

namespace vetrilo {

// "Найдена новая версия программы": the running version, the new one and its
// description; "Установить" accepts.
class TfrmUpdateInformer : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmUpdateInformer(const TUpdateOffer& offer, QWidget* parent = nullptr);

  QLineEdit* CurrentVersionField() { return current_; }
  QLineEdit* NewVersionField() { return newVersion_; }
  QPlainTextEdit* DescriptionField() { return description_; }
  QPushButton* InstallButton() { return install_; }
  QPushButton* CancelButton() { return cancel_; }

 private:
  QLineEdit* current_ = nullptr;
  QLineEdit* newVersion_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  QPushButton* install_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vetrilo
