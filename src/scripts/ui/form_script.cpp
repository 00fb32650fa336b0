#include "scripts/ui/form_script.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "scripts/ui/form_filter.h"

namespace vetrilo {

TFormScript::TFormScript(TAppSession& session, const QString& title, const std::string& line,
                         int drawsExclude, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("FormScript");
  setWindowTitle(title.isEmpty() ? QString(QTr("Элемент сценария")) : title);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QGridLayout;
  int row = 0;
  auto label = [&](const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
  };

  comment_ = new QLineEdit;
  comment_->setObjectName("edComments");
  comment_->setToolTip(QTr("Комментарии (можно оставить пустым)"));
  form->addWidget(label(QTr("Комментарии:"), comment_), row, 0);
  form->addWidget(comment_, row++, 1, 1, 3);

  startList_ = new QComboBox;
  startList_->setObjectName("cbStartCombsType");
  for (int i = 0; i < kStartListCount; ++i) startList_->addItem(Q(StartListCaption(i)));
  drawsExclude_ = new QSpinBox;
  drawsExclude_->setObjectName("edDrawsExclude");
  drawsExclude_->setRange(0, 2147483647);
  drawsExclude_->setToolTip(QTr(
      "Исключить указанное количество тиражей из списка комбинаций перед применением фильтров"));
  form->addWidget(label(QTr("Начальный список комбинаций:"), startList_), row, 0);
  form->addWidget(startList_, row, 1);
  form->addWidget(label(QTr("Кол-во тиражей:"), drawsExclude_), row, 2);
  form->addWidget(drawsExclude_, row++, 3);

  stakeMode_ = new QComboBox;
  stakeMode_->setObjectName("cbResultCombsMode");
  for (int i = 0; i < kStakeModeCount; ++i) stakeMode_->addItem(Q(StakeModeCaption(i)));
  form->addWidget(
      label(QTr("В случае неоднозначного результата после применения фильтров:"), stakeMode_),
      row++, 0, 1, 4);
  form->addWidget(stakeMode_, row++, 0, 1, 4);

  clearStakes_ =
      new QCheckBox(QTr("Удалить все ставки перед выполнением (накопление только рейтинга)"));
  clearStakes_->setObjectName("cbClearStakes");
  form->addWidget(clearStakes_, row++, 0, 1, 4);
  newOnly_ =
      new QCheckBox(QTr("Только новые ставки (пропускать те ставки, которые уже есть в списке)"));
  newOnly_->setObjectName("cbNewOnly");
  form->addWidget(newOnly_, row++, 0, 1, 4);

  for (int n = 1; n <= kScriptFilterCount; ++n) {
    auto* field = new QLineEdit;
    field->setObjectName(QString("edFilter%1").arg(n));
    field->setMinimumWidth(420);
    field->installEventFilter(this);
    auto* button = new QToolButton;
    button->setObjectName(QString("btnFilter%1").arg(n));
    button->setText("...");
    button->setToolTip(QTr("Редактировать фильтр"));
    connect(button, &QToolButton::clicked, this, [this, n] { EditFilter(n); });
    filters_[size_t(n - 1)] = field;
    buttons_[size_t(n - 1)] = button;
    form->addWidget(label(QString(QTr("Фильтр %1:")).arg(n).toUtf8().constData(), field), row, 0);
    form->addWidget(field, row, 1, 1, 2);
    form->addWidget(button, row++, 3, Qt::AlignLeft);
  }
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormScript::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormScript::reject);
  layout->addWidget(buttons);

  const TLineEditorValues v = LineEditorValues(line, drawsExclude);
  comment_->setText(Q(v.Comment));
  startList_->setCurrentIndex(v.StartList);
  drawsExclude_->setValue(v.DrawsExclude);
  stakeMode_->setCurrentIndex(v.StakeMode);
  clearStakes_->setChecked(v.ClearStakes);
  newOnly_->setChecked(v.NewOnly);
  for (int n = 1; n <= kScriptFilterCount; ++n) Filter(n)->setText(Q(v.Filters[size_t(n - 1)]));
}

TLineEditorValues TFormScript::Values() const {
  TLineEditorValues v;
  v.Comment = S(comment_->text());
  v.StartList = std::max(0, startList_->currentIndex());
  v.DrawsExclude = drawsExclude_->value();
  v.StakeMode = std::max(0, stakeMode_->currentIndex());
  v.ClearStakes = clearStakes_->isChecked();
  v.NewOnly = newOnly_->isChecked();
  for (int n = 1; n <= kScriptFilterCount; ++n) {
    v.Filters[size_t(n - 1)] = S(filters_[size_t(n - 1)]->text());
  }
  return v;
}

void TFormScript::EditFilter(int n) {
  QLineEdit* field = Filter(n);
  std::string text = S(field->text());
  if (filterEditor_) {
    if (filterEditor_(text)) field->setText(Q(text));
    return;
  }
  TFormFilter editor(
      session_.StatList(), text, session_.DrawStatsMethod(), session_.DrawsStatLen(),
      [this](const std::string& message) { session_.ShowError(message); }, this);
  if (editor.exec() == QDialog::Accepted) field->setText(Q(editor.FilterText()));
}

void TFormScript::accept() {
  if (auto refusal = CheckLineEditor(Values())) {
    session_.ShowError(refusal->Message);
    if (auto* w = findChild<QWidget*>(Q(refusal->Control))) w->setFocus();
    return;
  }
  QDialog::accept();
}

bool TFormScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (int n = 1; n <= kScriptFilterCount; ++n) {
      if (watched == filters_[size_t(n - 1)]) {
        EditFilter(n);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vetrilo
