#include "stats/ui/form_shredding.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"
#include "stats/families/shredding.h"

namespace vetrilo {

TFormShredding::TFormShredding(const TStatList& list, const TDrawArchive& archive, int previewIndex,
                               bool sorted, QWidget* parent)
    : QDialog(parent), archive_(archive), previewIndex_(previewIndex), sorted_(sorted) {
  setObjectName("FormShredding");
  setWindowTitle(QTr("Методы шинковки"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  for (int i = 0; i < 3; ++i) {
    const size_t k = size_t(i);
    auto* label = new QLabel(QString(QTr("Формула %1:")).arg(i + 1));
    formulas_[k] = new QLineEdit(Q(list.Formula[k]));
    formulas_[k]->setObjectName(QString("edFormula%1").arg(i + 1));
    formulas_[k]->setToolTip(QTr("Используемая формула"));
    formulas_[k]->setMinimumWidth(320);
    label->setBuddy(formulas_[k]);
    digits_[k] = new QSpinBox;
    digits_[k]->setObjectName(QString("edDigits%1").arg(i + 1));
    digits_[k]->setToolTip(QTr("Количество используемых знаков после запятой"));
    digits_[k]->setRange(1, 5);
    const int d = list.FormulaDigits[k];
    digits_[k]->setValue(d >= 1 && d <= 5 ? d : 2);
    values_[k] = new QLabel;
    values_[k]->setObjectName(QString("lblValue%1").arg(i + 1));
    grid->addWidget(label, 2 * i, 0);
    grid->addWidget(formulas_[k], 2 * i, 1);
    grid->addWidget(digits_[k], 2 * i, 2);
    grid->addWidget(values_[k], 2 * i + 1, 1, 1, 2);
    connect(formulas_[k], &QLineEdit::textChanged, this, [this, i] { UpdatePreview(i); });
    connect(digits_[k], &QSpinBox::valueChanged, this, [this, i] { UpdatePreview(i); });
    UpdatePreview(i);
  }
  layout->addLayout(grid);
  auto* info =
      new QLabel(QTr("Используемые переменные:\n"
                     "n1, n2, n3, ..., nX - числа текущего тиража\n"
                     "p1, p2, p3, ..., pX - числа предыдущего тиража"));
  info->setObjectName("lblInfo");
  layout->addWidget(info);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::array<std::string, 3> TFormShredding::Formulas() const {
  return {S(formulas_[0]->text()), S(formulas_[1]->text()), S(formulas_[2]->text())};
}

std::array<uint8_t, 3> TFormShredding::Digits() const {
  return {uint8_t(digits_[0]->value()), uint8_t(digits_[1]->value()), uint8_t(digits_[2]->value())};
}

void TFormShredding::UpdatePreview(int i) {
  const size_t k = size_t(i);
  const TShredPreview preview =
      ShredPreview(archive_, previewIndex_, sorted_, S(formulas_[k]->text()), digits_[k]->value());
  values_[k]->setText(Q(preview.Text));
  values_[k]->setStyleSheet(preview.Failed ? "color: #C00000" : "");
}

}  // namespace vetrilo
