#include "net/ui/form_proxy.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"

namespace vetrilo {

TFormProxy::TFormProxy(const TProxySettings& settings, QWidget* parent) : QDialog(parent) {
  setObjectName("FormProxy");
  setWindowTitle(QTr("Параметры proxy-сервера"));
  off_ = new QRadioButton(QTr("Не использовать proxy-сервер"));
  off_->setObjectName("rbProxyOff");
  auto_ = new QRadioButton(QTr("Автоматический поиск сервера (возможны задержки)"));
  auto_->setObjectName("rbProxyAuto");
  manual_ = new QRadioButton(QTr("Ручной выбор proxy-сервера:"));
  manual_->setObjectName("rbProxyManual");
  (settings.Mode == 1 ? auto_ : settings.Mode == 2 ? manual_ : off_)->setChecked(true);

  server_ = new QLineEdit(Q(settings.Server));
  server_->setObjectName("edServer");
  port_ = new QSpinBox;
  port_->setObjectName("edPort");
  port_->setRange(1, 65535);
  port_->setValue(settings.Port >= 1 && settings.Port <= 65535 ? settings.Port : 80);
  username_ = new QLineEdit(Q(settings.Username));
  username_->setObjectName("edUsername");
  username_->setToolTip(QTr("Имя пользователя (не обязательно)"));
  password_ = new QLineEdit(Q(settings.Password));
  password_->setObjectName("edPassword");
  password_->setToolTip(QTr("Пароль (не обязательно)"));
  password_->setEchoMode(QLineEdit::Password);

  auto* fields = new QFormLayout;
  fields->setContentsMargins(24, 0, 0, 0);
  fields->addRow(QTr("Имя или адрес сервера:"), server_);
  fields->addRow(QTr("Порт:"), port_);
  fields->addRow(QTr("Имя пользователя:"), username_);
  fields->addRow(QTr("Пароль:"), password_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(off_);
  layout->addWidget(auto_);
  layout->addWidget(manual_);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  for (QRadioButton* b : {off_, auto_, manual_}) {
    connect(b, &QRadioButton::toggled, this, [this] { UpdateFields(); });
  }
  UpdateFields();
}

void TFormProxy::UpdateFields() {
  const bool manual = manual_->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{server_, port_, username_, password_}) {
    w->setEnabled(manual);
  }
}

int TFormProxy::Choice() const {
  return auto_->isChecked() ? 1 : manual_->isChecked() ? 2 : 0;
}
std::string TFormProxy::Server() const {
  return S(server_->text().trimmed());
}
int TFormProxy::Port() const {
  return port_->value();
}
std::string TFormProxy::Username() const {
  return S(username_->text());
}
std::string TFormProxy::Password() const {
  return S(password_->text());
}

}  // namespace vetrilo
