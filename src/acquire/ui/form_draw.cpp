#include "acquire/ui/form_draw.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <climits>

#include "acquire/draw_edit.h"
#include "app/ui/qt_text.h"

namespace vetrilo {

TFormDraw::TFormDraw(const TDrawRec& draw, std::function<void(const std::string&)> showError,
                     QWidget* parent)
    : QDialog(parent), showError_(std::move(showError)) {
  setObjectName("FormDraw");
  setWindowTitle(QTr("Введите данные следующего тиража"));
  number_ = new QSpinBox;
  number_->setObjectName("edDrawNumber");
  number_->setRange(1, INT_MAX);
  number_->setToolTip(QTr("Номер тиража"));
  number_->setValue(draw.Number);
  data_ = new QLineEdit;
  data_->setObjectName("edDrawData");
  const bool empty = draw.Balls == std::array<uint8_t, 4>{} && draw.Extra == 0;
  if (!empty) data_->setText(Q(DrawNumbersText(draw)));
  const TDateKey key = DialogDate(draw.Date, 0);
  const QDateTime now = QDateTime::currentDateTime();
  date_ = new QDateEdit(key > 0 ? QDate(key / 10000, key / 100 % 100, key % 100) : now.date());
  date_->setObjectName("edDrawDate");
  date_->setToolTip(QTr("Дата проведения тиража"));
  date_->setDisplayFormat(QTr("d MMMM yyyy 'г.'"));
  date_->setCalendarPopup(true);
  time_ = new QTimeEdit(key > 0 ? QTime(0, 0) : now.time());
  time_->setObjectName("edDrawTime");
  time_->setToolTip(QTr("Время проведения тиража"));

  auto* form = new QFormLayout;
  form->addRow(QTr("Номер тиража:"), number_);
  auto* dataLabel = new QLabel(QTr("Выпавшие числа, разделенные точкой с запятой или запятой:"));
  dataLabel->setBuddy(data_);
  auto* when = new QHBoxLayout;
  when->addWidget(date_, 1);
  when->addWidget(time_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormDraw::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormDraw::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(dataLabel);
  layout->addWidget(data_);
  auto* dateLabel = new QLabel(QTr("Дата и время тиража:"));
  dateLabel->setBuddy(date_);
  layout->addWidget(dateLabel);
  layout->addLayout(when);
  layout->addWidget(buttons);
  data_->setFocus();
}

TDrawRec TFormDraw::Draw() const {
  const auto numbers = ParseDrawNumbers(S(data_->text()));
  const QDate d = date_->date();
  return MakeDrawRecord(number_->value(), numbers.value_or(TDrawNumbers{}),
                        MakeDateKey(d.year(), d.month(), d.day()));
}

void TFormDraw::accept() {
  if (!ParseDrawNumbers(S(data_->text()))) {
    if (showError_) showError_(Tr(kBadDrawCombination));
    data_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace vetrilo
