#include "stakes/ui/stake_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>
#include <climits>

#include "app/ui/qt_text.h"
#include "stakes/stake_dialog.h"

namespace vetrilo {

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QSpinBox* Spin(const char* name, int lo, int hi, int value, const QString& hint) {
  auto* spin = new QSpinBox;
  spin->setObjectName(name);
  spin->setRange(lo, hi);
  spin->setValue(value);
  spin->setToolTip(hint);
  return spin;
}

QLineEdit* CommentEdit(const std::string& text) {
  auto* edit = new QLineEdit(Q(text));
  edit->setObjectName("edComment");
  edit->setMaxLength(kStakeCommentMaxChars);
  return edit;
}

}  // namespace

TFormStake::TFormStake(const TStakeRec& rec, std::function<void(const std::string&)> showError,
                       QWidget* parent)
    : QDialog(parent), rec_(rec), showError_(std::move(showError)) {
  setObjectName("FormStake");
  setWindowTitle(QTr("Добавление ставки"));
  drawNumber_ =
      Spin("edDrawNumber", 1, INT_MAX, std::max(1, rec.DrawNumber), QTr("Номер первого тиража"));
  stakeData_ = new QLineEdit(Q(rec.NumbersText(";")));
  stakeData_->setObjectName("edStakeData");
  stakeData_->setToolTip(QTr("Введите числа, разделенные точкой с запятой или запятой"));
  comment_ = CommentEdit(rec.Comment);
  drawsCount_ =
      Spin("edDrawsCount", 1, kStakeDrawsMax, 1,
           QTr("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
  sum_ = new QLineEdit;
  sum_->setObjectName("edStakeSum");
  sum_->setReadOnly(true);
  auto updateSum = [this] {
    sum_->setText(QString::number(StakeNumbersSum(S(stakeData_->text()))));
  };
  connect(stakeData_, &QLineEdit::textChanged, this, updateSum);
  updateSum();
  auto* form = new QFormLayout;
  form->addRow(QTr("Номер тиража:"), drawNumber_);
  form->addRow(QTr("Ставка:"), stakeData_);
  form->addRow(QTr("Сумма:"), sum_);
  form->addRow(QTr("Комментарий к ставке:"), comment_);
  form->addRow(QTr("Кол-во тиражей:"), drawsCount_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
}

TStakeRec TFormStake::Stake() const {
  TStakeRec r = rec_;
  r.DrawNumber = drawNumber_->value();
  r.Comment = S(comment_->text());
  if (auto numbers = ParseStakeNumbers(S(stakeData_->text()))) r.SetNumbers(*numbers);
  return r;
}

void TFormStake::accept() {
  if (!ParseStakeNumbers(S(stakeData_->text()))) {
    showError_(Tr("Введена некорректная комбинация!"));
    stakeData_->setFocus();
    return;
  }
  if (auto error = MultiStakeDialogError(S(comment_->text()))) {
    showError_(*error);
    comment_->setFocus();
    return;
  }
  QDialog::accept();
}

TFormMulti::TFormMulti(int32_t draw, std::function<void(const std::string&)> showError,
                       QWidget* parent)
    : QDialog(parent), showError_(std::move(showError)) {
  setObjectName("FormMulti");
  setWindowTitle(QTr("Добавление мультиставки"));
  drawNumber_ = Spin("edDrawNumber", 1, INT_MAX, std::max(1, draw), QTr("Номер тиража"));
  comment_ = CommentEdit(std::string(kManualStakeComment));
  drawsCount_ =
      Spin("edDrawsCount", 1, kStakeDrawsMax, 1,
           QTr("Количество тиражей, на которые нужно сделать ставку (начиная с указанного)"));
  auto* form = new QFormLayout;
  form->addRow(QTr("Номер тиража:"), drawNumber_);
  form->addRow(QTr("Комментарий к ставке:"), comment_);
  form->addRow(QTr("Кол-во тиражей:"), drawsCount_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
}

std::string TFormMulti::CommentText() const {
  return S(comment_->text());
}

void TFormMulti::accept() {
  if (auto error = MultiStakeDialogError(CommentText())) {
    showError_(*error);
    comment_->setFocus();
    return;
  }
  QDialog::accept();
}

TFormStakeFilter::TFormStakeFilter(QWidget* parent) : QDialog(parent) {
  setObjectName("FormStakeFilter");
  setWindowTitle(QTr("Удаление по условию"));
  condition_ = new QComboBox;
  condition_->setObjectName("cbCondition");
  condition_->addItems({QTr("Равно [ = ]"), QTr("Более [ > ]"), QTr("Не менее [ >= ]"),
                        QTr("Менее [ < ]"), QTr("Не более [ <= ]")});
  condition_->setToolTip(QTr("Режим сравнения с количеством совпадений"));
  value_ = Spin("edValue", 0, 4, 0, QTr("Количество совпадений"));
  auto* form = new QFormLayout;
  form->addRow(QTr("Выберите условие:"), condition_);
  form->addRow("", value_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
}

}  // namespace vetrilo
