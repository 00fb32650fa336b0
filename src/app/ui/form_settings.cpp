#include "app/ui/form_settings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"
#include "core/format.h"
#include "core/ini_file.h"

namespace vetrilo {
namespace {

// Cell editors that accept only what the cell may hold.
class TPatternDelegate : public QStyledItemDelegate {
 public:
  TPatternDelegate(const QString& pattern, QObject* parent)
      : QStyledItemDelegate(parent), pattern_(pattern) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* editor =
        qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (editor) {
      editor->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern_), editor));
    }
    return editor;
  }

 private:
  QString pattern_;
};

const QString kDigits = QStringLiteral("[0-9]*");
const QString kAmount = QStringLiteral("[0-9]*[.,]?[0-9]*");

QString RealText(long double v) {
  return Q(FloatToIniText(v));
}

long double ReadReal(const QLineEdit* edit, long double def) {
  const auto v = ParseIniFloat(S(edit->text()));
  return v ? *v : def;
}

}  // namespace

TFormSettings::TFormSettings(const TSystemSettings& settings,
                             std::function<void(const std::string&)> showError, QWidget* parent)
    : QDialog(parent), settings_(settings), showError_(std::move(showError)) {
  setObjectName("FormSettings");
  setWindowTitle(QTr("Параметры системы"));
  auto* layout = new QVBoxLayout(this);

  auto* matrixBox = new QGroupBox(QTr("Матрица"));
  auto* matrixLayout = new QVBoxLayout(matrixBox);
  auto* sizeRow = new QHBoxLayout;
  matrixCols_ = new QSpinBox;
  matrixCols_->setObjectName("edMatrixCols");
  matrixCols_->setRange(TSystemSettings::kMinMatrixCols, TSystemSettings::kMaxMatrixCols);
  matrixCols_->setValue(settings_.MatrixCols);
  rows_ = new QLabel;
  rows_->setObjectName("lblMatrixRows");
  auto* sizeLabel = new QLabel(QTr("Размер матрицы:"));
  sizeLabel->setBuddy(matrixCols_);
  sizeRow->addWidget(sizeLabel);
  sizeRow->addWidget(matrixCols_);
  sizeRow->addWidget(rows_);
  sizeRow->addStretch(1);
  matrixLayout->addLayout(sizeRow);
  matrixLayout->addWidget(new QLabel(QTr("Сегменты матрицы:")));
  segments_ = new QTableWidget;
  segments_->setObjectName("sgSegments");
  segments_->setItemDelegate(new TPatternDelegate(kDigits, segments_));
  segments_->horizontalHeader()->setDefaultSectionSize(28);
  segments_->verticalHeader()->setDefaultSectionSize(22);
  segments_->setMinimumHeight(170);
  matrixLayout->addWidget(segments_, 1);
  layout->addWidget(matrixBox, 1);

  auto* form = new QFormLayout;
  channelSize_ = new QSpinBox;
  channelSize_->setObjectName("edChannelSize");
  channelSize_->setRange(TSystemSettings::kMinChannelSize, TSystemSettings::kMaxChannelSize);
  channelSize_->setValue(settings_.ChannelSize);
  form->addRow(QTr("Размер канала:"), channelSize_);
  cost_ = new QLineEdit(Q(Format("%.2f", {static_cast<double>(settings_.Cost) / kMoneyScale})));
  cost_->setObjectName("edCost");
  cost_->setValidator(new QRegularExpressionValidator(QRegularExpression(kAmount), cost_));
  form->addRow(QTr("Стоимость ставки:"), cost_);
  prizes_ = new QTableWidget(TSystemSettings::kPrizeRows, 2);
  prizes_->setObjectName("vlProfits");
  prizes_->setHorizontalHeaderLabels({QTr("Совпадений"), QTr("Сумма выигрыша")});
  prizes_->verticalHeader()->hide();
  prizes_->horizontalHeader()->setStretchLastSection(true);
  prizes_->setItemDelegateForColumn(1, new TPatternDelegate(kAmount, prizes_));
  for (int row = 0; row < TSystemSettings::kPrizeRows; ++row) {
    // "%d=%.2f": the row name and its amount.
    const QStringList pair = Q(settings_.PrizeRowText(row)).split('=');
    auto* name = new QTableWidgetItem(pair.value(0));
    name->setFlags(Qt::ItemIsEnabled);
    prizes_->setItem(row, 0, name);
    prizes_->setItem(row, 1, new QTableWidgetItem(pair.value(1)));
  }
  prizes_->setMinimumHeight(150);
  form->addRow(QTr("Размеры выигрышей:"), prizes_);
  layout->addLayout(form);

  auto* weights = new QGroupBox(QTr("Вес"));
  auto* weightsForm = new QFormLayout(weights);
  countWeight_ = new QLineEdit(RealText(settings_.Cdl.CountWeight));
  deviationWeight_ = new QLineEdit(RealText(settings_.Cdl.DeviationWeight));
  levelWeight_ = new QLineEdit(RealText(settings_.Cdl.LevelWeight));
  countWeight_->setObjectName("edCdlCount");
  deviationWeight_->setObjectName("edCdlDeviation");
  levelWeight_->setObjectName("edCdlLevel");
  for (QLineEdit* e : {countWeight_, deviationWeight_, levelWeight_}) {
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]*[.,]?[0-9]*"), e));
  }
  weightsForm->addRow(QTr("Количество:"), countWeight_);
  weightsForm->addRow(QTr("Отклонение:"), deviationWeight_);
  weightsForm->addRow(QTr("Глубина:"), levelWeight_);
  usePercents_ = new QCheckBox(QTr("Использовать значения в %"));
  usePercents_->setChecked(settings_.Cdl.UsePercents);
  useAbsValues_ = new QCheckBox(QTr("Использовать абсолютные значения"));
  useAbsValues_->setChecked(settings_.Cdl.UseAbsValues);
  weightsForm->addRow(usePercents_);
  weightsForm->addRow(useAbsValues_);
  layout->addWidget(weights);

  auto* siteForm = new QFormLayout;
  site_ = new QLineEdit(Q(settings_.LotterySite));
  site_->setObjectName("edLotterySite");
  site_->setPlaceholderText("https://");
  site_->setToolTip(QTr("Адрес страницы, которую открывает пункт меню \"Сайт лотереи\""));
  siteForm->addRow(QTr("Сайт лотереи:"), site_);
  resultsSite_ = new QLineEdit(Q(settings_.ResultsSite));
  resultsSite_->setObjectName("edResultsSite");
  resultsSite_->setPlaceholderText("http://");
  resultsSite_->setToolTip(QTr("Адрес сайта, с которого загружаются результаты тиражей"));
  siteForm->addRow(QTr("Адрес страницы результатов:"), resultsSite_);
  layout->addLayout(siteForm);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QTr("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(segments_, &QTableWidget::itemChanged, this, &TFormSettings::OnSegmentEdited);
  connect(matrixCols_, &QSpinBox::valueChanged, this, [this](int cols) {
    settings_.Segments = CapturedSegments();
    settings_.MatrixCols = cols;
    LayOutSegments();
  });
  LayOutSegments();
}

void TFormSettings::LayOutSegments() {
  laying_ = true;
  const int cols = settings_.MatrixCols;
  const int rowCount = settings_.MatrixRows();
  rows_->setText(Q(Format(Tr("Строк: %d"), {rowCount})));
  segments_->clear();
  segments_->setColumnCount(cols);
  segments_->setRowCount(rowCount);
  for (int r = 0; r < rowCount; ++r) {
    for (int c = 0; c < cols; ++c) {
      auto* item = new QTableWidgetItem;
      const int n = settings_.CellNumber(r, c);
      if (n == 0) {
        item->setFlags(Qt::NoItemFlags);  // beyond 47: cannot be selected
      } else {
        item->setText(QString::number(settings_.Segments[size_t(n - 1)]));
        item->setToolTip(QString::number(n));
        item->setTextAlignment(Qt::AlignCenter);
      }
      segments_->setItem(r, c, item);
    }
  }
  laying_ = false;
}

void TFormSettings::OnSegmentEdited(QTableWidgetItem* item) {
  if (laying_ || !item) return;
  const int n = settings_.CellNumber(item->row(), item->column());
  if (n == 0) return;
  if (const auto error = TSystemSettings::SegmentCellError(S(item->text()))) {
    if (showError_) showError_(*error);
    laying_ = true;
    item->setText("1");
    laying_ = false;
  }
  settings_.Segments[size_t(n - 1)] = TSystemSettings::SegmentOfCellText(S(item->text()));
}

std::array<uint8_t, 47> TFormSettings::CapturedSegments() const {
  std::array<uint8_t, 47> segments = settings_.Segments;
  for (int r = 0; r < segments_->rowCount(); ++r) {
    for (int c = 0; c < segments_->columnCount(); ++c) {
      const int n = settings_.CellNumber(r, c);
      if (n > 0 && segments_->item(r, c)) {
        segments[size_t(n - 1)] =
            TSystemSettings::SegmentOfCellText(S(segments_->item(r, c)->text()));
      }
    }
  }
  return segments;
}

TSystemSettings TFormSettings::Settings() const {
  TSystemSettings s = settings_;
  s.Segments = CapturedSegments();
  s.MatrixCols = matrixCols_->value();
  s.ChannelSize = channelSize_->value();
  s.Cost = TSystemSettings::ParseAmount(S(cost_->text()));
  for (int row = 0; row < TSystemSettings::kPrizeRows; ++row) {
    const QTableWidgetItem* item = prizes_->item(row, 1);
    s.Prizes[size_t(row)] = item ? TSystemSettings::ParseAmount(S(item->text())) : 0;
  }
  s.Cdl.CountWeight = ReadReal(countWeight_, s.Cdl.CountWeight);
  s.Cdl.DeviationWeight = ReadReal(deviationWeight_, s.Cdl.DeviationWeight);
  s.Cdl.LevelWeight = ReadReal(levelWeight_, s.Cdl.LevelWeight);
  s.Cdl.UsePercents = usePercents_->isChecked();
  s.Cdl.UseAbsValues = useAbsValues_->isChecked();
  s.LotterySite = S(site_->text().trimmed());
  s.ResultsSite = S(resultsSite_->text().trimmed());
  return s;
}

}  // namespace vetrilo
