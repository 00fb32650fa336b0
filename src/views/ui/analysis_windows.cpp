#include "views/ui/analysis_windows.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "core/format.h"
#include "views/draw_graphs.h"
#include "views/ui/chart_util.h"

namespace vetrilo {

namespace {

QTableWidgetItem* Item(const QString& text, bool right = false) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QTableWidget* NewList(const QString& name, const QStringList& captions) {
  auto* list = new QTableWidget(0, int(captions.size()));
  list->setObjectName(name);
  list->setHorizontalHeaderLabels(captions);
  list->verticalHeader()->hide();
  list->verticalHeader()->setDefaultSectionSize(20);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->horizontalHeader()->setStretchLastSection(true);
  return list;
}

// Distinct, readable colours for the match-count series.
QColor SeriesColor(int k) {
  static const QColor kColors[] = {QColor(0, 130, 200),  QColor(230, 25, 75),
                                   QColor(60, 180, 75),  QColor(145, 30, 180),
                                   QColor(245, 130, 48), QColor(70, 140, 140)};
  return kColors[size_t(k) % (sizeof(kColors) / sizeof(kColors[0]))];
}

}  // namespace

TFormSumChart::TFormSumChart(const TSumDistribution& d, QWidget* parent) : QDialog(parent) {
  setObjectName("FormSumChart");
  setWindowTitle(QTr("Распределение сумм тиражей и всех возможных комбинаций"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(1200, 680);
  auto* layout = new QVBoxLayout(this);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  std::vector<TChartPoint> actual;
  std::vector<TChartPoint> theory;
  std::array<std::vector<TChartPoint>, 3> levels;
  double maxY = d.MaxActual;
  for (const TSumCount& a : d.Actual) actual.push_back({double(a.Sum), double(a.Count), ""});
  for (const TSumCount& t : d.Theory) {
    theory.push_back({double(t.Sum), d.Scaled(t.Count), ""});
    for (size_t k = 0; k < 3; ++k) {
      levels[k].push_back({double(t.Sum), d.Scaled(d.Levels[k].Threshold), ""});
    }
  }
  const TChartAxes axes = AddValueAxes(chart, QTr("Сумма"), QTr("Количество тиражей"),
                                       d.Theory.front().Sum, d.Theory.back().Sum, maxY);
  AddLineSeries(chart, axes, actual, QTr(TSumDistribution::kActualName), QColor(Qt::red), 2);
  AddLineSeries(chart, axes, theory, QTr(TSumDistribution::kTheoryName), QColor(128, 0, 0), 2);
  const QColor levelColors[] = {QColor(0, 160, 0), QColor(Qt::blue), QColor(Qt::magenta)};
  for (size_t k = 0; k < 3; ++k) {
    AddLineSeries(chart, axes, levels[k], Q(d.Levels[k].Title), levelColors[k], 1);
  }
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("chSums");
  chartView_->setRenderHint(QPainter::Antialiasing);

  QStringList captions{QTr("Сумма"), QTr("Комбинаций"), QTr(TSumDistribution::kActualName),
                       QTr(TSumDistribution::kTheoryName)};
  for (const TSumLevel& level : d.Levels) captions.push_back(Q(level.Title));
  table_ = NewList("lvSums", captions);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->setRowCount(int(d.Theory.size()));
  for (int r = 0; r < int(d.Theory.size()); ++r) {
    const TSumCount& t = d.Theory[size_t(r)];
    table_->setItem(r, 0, Item(QString::number(t.Sum), true));
    table_->setItem(r, 1, Item(QString::number(t.Count), true));
    table_->setItem(r, 2, Item(QString::number(d.ActualCount(t.Sum)), true));
    table_->setItem(r, 3, Item(Q(Format("%.2f", {d.Scaled(t.Count)})), true));
    for (int k = 0; k < 3; ++k) {
      table_->setItem(r, 4 + k,
                      Item(Q(Format("%.2f", {d.Scaled(d.Levels[size_t(k)].Threshold)})), true));
    }
  }
  table_->resizeColumnsToContents();
  chart->legend()->setAlignment(Qt::AlignRight);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(chartView_);
  splitter->addWidget(table_);
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({440, 160});
  layout->addWidget(splitter, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

TFormRepeats::TFormRepeats(TAppSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("TFormRepeats");
  setWindowTitle(QTr("Количество повторов в зависимости от тиража"));
  resize(980, 640);
  const TRepeatsWindowState state = session_.RepeatsWindow();
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  length_ = new QSpinBox;
  length_->setObjectName("edDrawsLen");
  length_->setToolTip(QTr("Количество тиражей, использующихся для расчета статистики"));
  length_->setRange(kMinViewDepth, kMaxViewDepth);
  length_->setValue(state.DrawsLength);
  deep_ = new QSpinBox;
  deep_->setObjectName("edDeep");
  deep_->setToolTip(QTr("Количество тиражей, просматриваемых \"в глубину\" для поиска совпадений"));
  deep_->setRange(kMinViewDepth, kMaxViewDepth);
  deep_->setValue(state.DrawsDeep);
  for (QSpinBox* field : {length_, deep_}) {
    field->setKeyboardTracking(false);
    field->setMinimumWidth(90);
    connect(field, &QAbstractSpinBox::editingFinished, this, [this, field] {
      if (field->hasFocus()) Calculate();
    });
  }
  auto* calculate = new QPushButton(QTr("Рассчитать"));
  calculate->setObjectName("btCalculate");
  calculate->setAutoDefault(false);
  connect(calculate, &QPushButton::clicked, this, &TFormRepeats::Calculate);
  bar->addWidget(new QLabel(QTr("Тиражей:")));
  bar->addWidget(length_);
  bar->addWidget(new QLabel(QTr("Глубина поиска:")));
  bar->addWidget(deep_);
  bar->addWidget(calculate);
  bar->addStretch(1);
  layout->addLayout(bar);

  const auto& captions = RepeatsCaptions();
  list_ = NewList("lvList", {Q(captions[0]), Q(captions[1]), Q(captions[2]), Q(captions[3])});
  list_->setColumnWidth(0, 70);
  list_->setColumnWidth(1, 90);
  list_->setColumnWidth(2, 110);
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("chRepeats");
  chartView_->setRenderHint(QPainter::Antialiasing);
  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->addWidget(list_);
  splitter_->addWidget(chartView_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setSizes({300, state.GraphHeight > 0 ? state.GraphHeight : 280});
  layout->addWidget(splitter_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void TFormRepeats::Calculate() {
  if (session_.Busy()) return;
  if (std::optional<TRepeatsAnalysis> analysis =
          session_.AnalyzeRepeats(length_->value(), deep_->value())) {
    Show(*analysis);
  }
}

void TFormRepeats::Show(const TRepeatsAnalysis& a) {
  list_->setRowCount(int(a.Rows.size()));
  for (int r = 0; r < int(a.Rows.size()); ++r) {
    const TRepeatsRow& row = a.Rows[size_t(r)];
    list_->setItem(r, 0, Item(QString::number(row.Draw), true));
    list_->setItem(r, 1, Item(QString::number(row.Matches), true));
    list_->setItem(r, 2, Item(QString::number(row.Repeats), true));
    list_->setItem(r, 3, Item(Q(row.Draws)));
  }
  QChart* chart = NewChart(chartView_, true);
  const std::vector<TRepeatsSeries> series = a.Series();
  if (series.empty()) return;
  double minX = 0;
  double maxX = 0;
  double maxY = 0;
  bool first = true;
  for (const TRepeatsSeries& s : series) {
    for (const TChartPoint& p : s.Points) {
      minX = first ? p.X : std::min(minX, p.X);
      maxX = first ? p.X : std::max(maxX, p.X);
      maxY = std::max(maxY, p.Y);
      first = false;
    }
  }
  const TChartAxes axes =
      AddValueAxes(chart, QTr("Тираж"), QTr("Кол-во повторов"), minX, maxX, maxY);
  for (size_t k = 0; k < series.size(); ++k) {
    AddLineSeries(chart, axes, series[k].Points, Q(series[k].Title), SeriesColor(int(k)), 1, 2,
                  SeriesColor(int(k)));
  }
}

void TFormRepeats::done(int result) {
  TRepeatsWindowState state;
  state.DrawsLength = length_->value();
  state.DrawsDeep = deep_->value();
  const QList<int> sizes = splitter_->sizes();
  state.GraphHeight = sizes.size() == 2 && sizes[1] > 0 ? sizes[1] : -1;
  session_.SaveRepeatsWindow(state);
  QDialog::done(result);
}

TFormInfo::TFormInfo(TAppSession& session, int drawIndex, TComb comb, QWidget* parent)
    : QDialog(parent), session_(session), comb_(comb) {
  setObjectName("TFormInfo");
  setWindowTitle(QTr("Подробная информация"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(560, 620);
  std::vector<TInfoRow> rows;
  if (drawIndex >= 0) {
    rows = session_.DrawInfo(drawIndex);
    comb_ = session_.Archive().Draws.at(size_t(drawIndex)).Comb();
  } else {
    rows = session_.CombInfo(comb);
  }
  auto* layout = new QVBoxLayout(this);
  props_ = NewList("lvProps", {QTr("Свойство"), QTr("Значение")});
  props_->setColumnWidth(0, 360);
  props_->setRowCount(int(rows.size()));
  for (int r = 0; r < int(rows.size()); ++r) {
    props_->setItem(r, 0, Item(Q(rows[size_t(r)].Name)));
    props_->setItem(r, 1, Item(Q(rows[size_t(r)].Value)));
  }
  layout->addWidget(props_, 1);
  auto* bar = new QHBoxLayout;
  columns_ = new QSpinBox;
  columns_->setObjectName("seCols");
  columns_->setRange(1, kMaxNumber);
  columns_->setValue(std::clamp(session_.StatList().MatrixCols, 1, kMaxNumber));
  auto* label = new QLabel(QTr("Количество столбцов:"));
  label->setBuddy(columns_);
  bar->addWidget(label);
  bar->addWidget(columns_);
  bar->addStretch(1);
  layout->addLayout(bar);
  matrix_ = new QTableWidget;
  matrix_->setObjectName("sgCard");
  matrix_->horizontalHeader()->hide();
  matrix_->verticalHeader()->hide();
  matrix_->horizontalHeader()->setDefaultSectionSize(30);
  matrix_->verticalHeader()->setDefaultSectionSize(22);
  matrix_->setMinimumHeight(150);
  layout->addWidget(matrix_);
  connect(columns_, &QSpinBox::valueChanged, this, [this] { FillMatrix(); });
  FillMatrix();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void TFormInfo::FillMatrix() {
  const int columns = columns_->value();
  matrix_->clear();
  matrix_->setColumnCount(columns);
  matrix_->setRowCount(InfoMatrixRows(columns));
  for (int r = 0; r < matrix_->rowCount(); ++r) {
    for (int c = 0; c < columns; ++c) {
      auto* item = Item(Q(InfoMatrixText(r, c, columns, comb_)));
      item->setTextAlignment(Qt::AlignCenter);
      const TCellColor color = InfoMatrixColor(r, c, columns, session_.ChannelSize());
      if (color.Rgb) {
        item->setBackground(QRgbColor(*color.Rgb));
        item->setForeground(QColor(Qt::black));
      }
      matrix_->setItem(r, c, item);
    }
  }
}

}  // namespace vetrilo
