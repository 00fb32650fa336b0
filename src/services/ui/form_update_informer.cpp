#include "services/ui/form_update_informer.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"

namespace vetrilo {

TfrmUpdateInformer::TfrmUpdateInformer(const TUpdateOffer& offer, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmUpdateInformer");
  setWindowTitle(QTr("Найдена новая версия программы"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  current_ = new QLineEdit(Q(offer.CurrentVersion));
  current_->setObjectName("edCurrentVersion");
  current_->setReadOnly(true);
  newVersion_ = new QLineEdit(Q(offer.NewVersion));
  newVersion_->setObjectName("edNewVersion");
  newVersion_->setReadOnly(true);
  form->addRow(QTr("Текущая версия программы:"), current_);
  form->addRow(QTr("Новая версия программы:"), newVersion_);
  layout->addLayout(form);
  layout->addWidget(new QLabel(QTr("Описание версии:")));
  QStringList lines;
  for (const std::string& line : offer.Description) lines << Q(line);
  description_ = new QPlainTextEdit(lines.join('\n'));
  description_->setObjectName("mmDescription");
  description_->setReadOnly(true);
  layout->addWidget(description_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  install_ = new QPushButton(QTr("Установить"));
  install_->setObjectName("btnInstall");
  install_->setToolTip(QTr("Установить это обновление"));
  install_->setDefault(true);
  cancel_ = new QPushButton(QTr("Отмена"));
  cancel_->setObjectName("btnCancel");
  cancel_->setToolTip(QTr("Отказаться от обновления"));
  buttons->addWidget(install_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(install_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  resize(520, 380);
}

}  // namespace vetrilo
