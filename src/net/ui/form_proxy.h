#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <string>

#include "net/proxy_settings.h"

namespace vetrilo {

// "Параметры proxy-сервера": off, automatic search or a server chosen by hand.
// The caller applies the choice and the fields when the dialog is accepted.
class TFormProxy : public QDialog {
  Q_OBJECT
 public:
  explicit TFormProxy(const TProxySettings& settings, QWidget* parent = nullptr);

  // 0 off, 1 automatic, 2 manual.
  int Choice() const;
  std::string Server() const;
  int Port() const;
  std::string Username() const;
  std::string Password() const;

  QRadioButton* OffButton() { return off_; }
  QRadioButton* AutoButton() { return auto_; }
  QRadioButton* ManualButton() { return manual_; }
  QLineEdit* ServerField() { return server_; }
  QSpinBox* PortField() { return port_; }

 private:
  // The fields take input only for a server chosen by hand.
  void UpdateFields();

  QRadioButton* off_ = nullptr;
  QRadioButton* auto_ = nullptr;
  QRadioButton* manual_ = nullptr;
  QLineEdit* server_ = nullptr;
  QSpinBox* port_ = nullptr;
  QLineEdit* username_ = nullptr;
  QLineEdit* password_ = nullptr;
};

}  // namespace vetrilo
