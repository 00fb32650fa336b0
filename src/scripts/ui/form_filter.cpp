#include "scripts/ui/form_filter.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "app/ui/qt_text.h"
#include "views/draw_stats.h"

namespace vetrilo {

namespace {

// Depths and level values: digits, ",", "-" and ";" only, typed or pasted.
class TRangeValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return IsRangeText(S(input)) ? Acceptable : Invalid;
  }
};

QDoubleSpinBox* CoefBox(const char* name) {
  auto* box = new QDoubleSpinBox;
  box->setObjectName(name);
  box->setDecimals(3);
  box->setRange(-1000000.0, 1000000.0);
  box->setSingleStep(0.1);
  return box;
}

}  // namespace

TFormFilter::TFormFilter(const TStatList& list, const std::string& text, int currentMethod,
                         int currentDepth, std::function<void(const std::string&)> showError,
                         QWidget* parent)
    : QDialog(parent), list_(list), showError_(std::move(showError)) {
  setObjectName("FormFilter");
  setWindowTitle(QTr("Фильтр"));
  const TFilterEditorValues v = FilterEditorValues(text, list, currentMethod, currentDepth);
  methodText_ = v.MethodText;
  storedSortColumn_ = v.SortColumn;

  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  int row = 0;
  auto label = [&](const QString& caption, QWidget* buddy) {
    auto* l = new QLabel(caption);
    l->setBuddy(buddy);
    return l;
  };

  method_ = new QComboBox;
  method_->setObjectName("cbDrawsStatType");
  for (const auto& [index, caption] : FilterEditorMethods(list, v.Method)) {
    method_->addItem(Q(caption), index);
  }
  method_->setCurrentIndex(method_->findData(v.Method));
  grid->addWidget(label(QTr("Тип фильтра:"), method_), row, 0);
  grid->addWidget(method_, row++, 1, 1, 3);

  drawsLen_ = new QLineEdit;
  drawsLen_->setObjectName("edDrawsLen");
  drawsLen_->setToolTip(QTr(
      "Количество тиражей для расчета статистики\n\nДопустимые форматы:\n1 - одно значение\n1, 2, "
      "3 - список значений через запятую\n1-10;2 - нижняя и верхняя граница диапазона; шаг "
      "изменения"));
  drawsLen_->setValidator(new TRangeValidator(drawsLen_));
  grid->addWidget(label(QTr("Количество тиражей:"), drawsLen_), row, 0);
  grid->addWidget(drawsLen_, row++, 1);

  sortColumn_ = new QComboBox;
  sortColumn_->setObjectName("cbDrawsSortOrder");
  for (const std::string& caption : DrawStatsCaptions()) sortColumn_->addItem(Q(caption));
  direction_ = new QComboBox;
  direction_->setObjectName("cbDirection");
  direction_->addItems({QTr("Сверху-вниз"), QTr("Снизу-вверх")});
  grid->addWidget(label(QTr("Сортировать по столбцу:"), sortColumn_), row, 0);
  grid->addWidget(sortColumn_, row, 1);
  grid->addWidget(label(QTr("Направление:"), direction_), row, 2);
  grid->addWidget(direction_, row++, 3);

  multiSelect_ = new QCheckBox(
      QTr("Использовать режим одновременного выделения нескольких значений в списке"));
  multiSelect_->setObjectName("cbMultiSelect");
  grid->addWidget(multiSelect_, row++, 0, 1, 4);

  levelMode_ = new QComboBox;
  levelMode_->setObjectName("cbLevelMode");
  for (int i = 0; i < kLevelModeCount; ++i) levelMode_->addItem(Q(LevelModeCaption(i)));
  grid->addWidget(label(QTr("Режим выделения значений в списке статистики:"), levelMode_), row++, 0,
                  1, 4);
  grid->addWidget(levelMode_, row, 0, 1, 2);
  levelValue_ = new QLineEdit;
  levelValue_->setObjectName("edLevelValue");
  levelValue_->setValidator(new TRangeValidator(levelValue_));
  grid->addWidget(label(QTr("Значения:"), levelValue_), row, 2);
  grid->addWidget(levelValue_, row++, 3);

  stopMode_ = new QComboBox;
  stopMode_->setObjectName("cbStopMode");
  for (int i = 0; i < kStopModeCount; ++i) stopMode_->addItem(Q(StopModeCaption(i)));
  stopValue_ = new QSpinBox;
  stopValue_->setObjectName("edStopValue");
  stopValue_->setRange(1, 2147483647);
  stopValue_->setToolTip(QTr("Значение для режима остановки"));
  grid->addWidget(label(QTr("Остановка по:"), stopMode_), row, 0);
  grid->addWidget(stopMode_, row, 1);
  grid->addWidget(label(QTr("Значение:"), stopValue_), row, 2);
  grid->addWidget(stopValue_, row++, 3);
  layout->addLayout(grid);

  auto* weights = new QGroupBox;
  auto* wgrid = new QGridLayout(weights);
  cdlOverride_ =
      new QCheckBox(QTr("Использовать приведенные ниже коэффициенты для расчета значений \"Вес\""));
  cdlOverride_->setObjectName("cbCDLOverride");
  wgrid->addWidget(cdlOverride_, 0, 0, 1, 6);
  coefCount_ = CoefBox("edCoefCount");
  coefDeviation_ = CoefBox("edCoefDeviation");
  coefLevel_ = CoefBox("edCoefLevel");
  wgrid->addWidget(label(QTr("Количество:"), coefCount_), 1, 0);
  wgrid->addWidget(coefCount_, 1, 1);
  wgrid->addWidget(label(QTr("Отклонение:"), coefDeviation_), 1, 2);
  wgrid->addWidget(coefDeviation_, 1, 3);
  wgrid->addWidget(label(QTr("Глубина:"), coefLevel_), 1, 4);
  wgrid->addWidget(coefLevel_, 1, 5);
  coefPercents_ = new QCheckBox(QTr("Использовать значения в %"));
  coefPercents_->setObjectName("cbCoefPercents");
  coefAbs_ = new QCheckBox(QTr("Использовать абсолютные значения"));
  coefAbs_->setObjectName("cbCoefAbs");
  wgrid->addWidget(coefPercents_, 2, 0, 1, 3);
  wgrid->addWidget(coefAbs_, 2, 3, 1, 3);
  layout->addWidget(weights);

  auto* modeRow = new QHBoxLayout;
  filterMode_ = new QComboBox;
  filterMode_->setObjectName("cbFilterMode");
  filterMode_->addItems({QTr("Удалить выделенные"), QTr("Оставить выделенные")});
  modeRow->addWidget(label(QTr("Режим фильтра:"), filterMode_));
  modeRow->addWidget(filterMode_, 1);
  layout->addLayout(modeRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormFilter::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFormFilter::reject);
  layout->addWidget(buttons);

  drawsLen_->setText(Q(v.DrawsLen));
  sortColumn_->setCurrentIndex(
      v.SortColumn >= 0 && v.SortColumn < sortColumn_->count() ? v.SortColumn : -1);
  direction_->setCurrentIndex(v.BottomUp ? 1 : 0);
  multiSelect_->setChecked(v.MultiSelect);
  levelMode_->setCurrentIndex(v.LevelMode);
  levelValue_->setText(Q(v.LevelValues));
  stopMode_->setCurrentIndex(v.StopMode);
  stopValue_->setValue(v.StopValue);
  cdlOverride_->setChecked(v.CDLOverride);
  coefCount_->setValue(double(v.CoefCount));
  coefDeviation_->setValue(double(v.CoefDeviation));
  coefLevel_->setValue(double(v.CoefLevel));
  coefPercents_->setChecked(v.UsePercents);
  coefAbs_->setChecked(v.UseAbsValues);
  filterMode_->setCurrentIndex(v.Keep ? 1 : 0);

  connect(levelMode_, &QComboBox::currentIndexChanged, this, &TFormFilter::UpdateEnables);
  connect(cdlOverride_, &QCheckBox::toggled, this, &TFormFilter::UpdateEnables);
  UpdateEnables();
}

void TFormFilter::UpdateEnables() {
  const int mode = levelMode_->currentIndex();
  cdlOverride_->setEnabled(FilterOverrideEnabled(mode));
  const bool coefs = FilterCoefsEnabled(mode, cdlOverride_->isChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{coefCount_, coefDeviation_, coefLevel_,
                                                    coefPercents_, coefAbs_}) {
    w->setEnabled(coefs);
  }
}

TFilterEditorValues TFormFilter::Values() const {
  TFilterEditorValues v;
  v.Method = method_->currentIndex() >= 0 ? method_->currentData().toInt() : -1;
  v.MethodText = methodText_;
  v.DrawsLen = S(drawsLen_->text());
  v.SortColumn = sortColumn_->currentIndex() >= 0 ? sortColumn_->currentIndex() : storedSortColumn_;
  v.BottomUp = direction_->currentIndex() == 1;
  v.MultiSelect = multiSelect_->isChecked();
  v.LevelMode = std::max(0, levelMode_->currentIndex());
  v.LevelValues = S(levelValue_->text());
  v.StopMode = std::max(0, stopMode_->currentIndex());
  v.StopValue = stopValue_->value();
  v.CDLOverride = cdlOverride_->isChecked();
  v.CoefCount = coefCount_->value();
  v.CoefDeviation = coefDeviation_->value();
  v.CoefLevel = coefLevel_->value();
  v.UsePercents = coefPercents_->isChecked();
  v.UseAbsValues = coefAbs_->isChecked();
  v.Keep = filterMode_->currentIndex() == 1;
  return v;
}

void TFormFilter::accept() {
  if (auto refusal = CheckFilterEditor(Values(), list_)) {
    if (showError_) showError_(refusal->Message);
    if (auto* w = findChild<QWidget*>(Q(refusal->Control))) w->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace vetrilo
