#include "views/ui/stats_page.h"

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QSet>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "services/ui/table_export.h"
#include "views/draw_stats.h"

namespace vetrilo {

TDrawStatsModel::TDrawStatsModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int TDrawStatsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int TDrawStatsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kDrawStatsColumns;
}

int TDrawStatsModel::TableRow(int row) const {
  return order_.at(size_t(row));
}

QVariant TDrawStatsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || size_t(index.row()) >= order_.size()) return {};
  const auto& rows = session_.DrawStats().Table.Rows;
  const size_t tableRow = size_t(order_[size_t(index.row())]);
  if (tableRow >= rows.size()) return {};
  if (role == Qt::DisplayRole) return Q(rows[tableRow].Cells[size_t(index.column())]);
  if (role == Qt::TextAlignmentRole && IsNumericColumn(index.column())) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant TDrawStatsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kDrawStatsColumns) {
    return {};
  }
  return Q(DrawStatsCaptions()[size_t(section)]);
}

void TDrawStatsModel::Reload() {
  beginResetModel();
  const TDrawStatsState& s = session_.DrawStats();
  order_ = s.Table.SortedOrder(s.SortColumn, s.SortDescending);
  endResetModel();
}

TStatsPage::TStatsPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("StatsPage");
  CreateActions();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* methodBar = new QHBoxLayout;
  methods_ = new QComboBox;
  methods_->setObjectName("cbDrawsStatType");
  methods_->setToolTip(QTr("Вид расчета статистики"));
  methods_->setMinimumContentsLength(24);
  methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto* methodLabel = new QLabel(QTr("Вид расчета:"));
  methodLabel->setBuddy(methods_);
  methodBar->addWidget(methodLabel);
  methodBar->addWidget(methods_, 1);
  layout->addLayout(methodBar);

  auto* bar = new QHBoxLayout;
  depth_ = new QSpinBox;
  depth_->setObjectName("edDrawsStatLen");
  depth_->setToolTip(QTr("Количество тиражей, использующихся для расчета статистики"));
  depth_->setRange(kMinDrawsStatLen, kMaxDrawsStatLen);
  depth_->setKeyboardTracking(false);
  depth_->setMinimumWidth(90);
  depth_->setValue(session_.DrawsStatLen());
  // Enter and leaving the field both end the editing. The field also loses
  // the focus when work starts; then the depth is only kept for the next run.
  connect(depth_, &QSpinBox::editingFinished, this, [this] {
    if (session_.Busy()) {
      session_.SetDrawsStatLen(depth_->value());
    } else {
      session_.ApplyDrawsStatLen(depth_->value());
    }
  });
  auto* depthLabel = new QLabel(QTr("Тиражей:"));
  depthLabel->setBuddy(depth_);
  bar->addWidget(depthLabel);
  bar->addWidget(depth_);
  // A tool bar folds the buttons that do not fit into its extension menu, so the
  // page stays usable on a narrow screen.
  auto* tools = new QToolBar;
  tools->setObjectName("tbDrawsStat");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tools->setIconSize(QSize(1, 1));
  for (const char* name : {"DrawsStatInclude", "DrawsStatExclude", "DrawsStatRefresh",
                           "DrawsStatPrefetchs", "DrawsStatTotalLine", "DrawsStatExportToExcel"}) {
    tools->addAction(actions_.Find(name));
    tools->widgetForAction(actions_.Find(name))->setObjectName(QString("bt") + name);
  }
  bar->addWidget(tools, 1);
  layout->addLayout(bar);

  model_ = new TDrawStatsModel(session_, this);
  table_ = new QTableView;
  table_->setObjectName("lvDrawsStat");
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  table_->addAction(actions_.Find("DrawsStatCopy"));
  table_->addAction(actions_.Find("DrawsStatInclude"));
  table_->addAction(actions_.Find("DrawsStatExclude"));
  auto* separator = new QAction(table_);
  separator->setSeparator(true);
  table_->addAction(separator);
  for (const char* name :
       {"DrawsStatRefresh", "DrawsStatPrefetchs", "DrawsStatTotalLine", "DrawsStatExportToExcel"}) {
    table_->addAction(actions_.Find(name));
  }
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(20);
  table_->horizontalHeader()->setDefaultSectionSize(64);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setSortIndicatorShown(false);
  // Wide enough for the caption and a typical cell, so neither is cut.
  const QFontMetrics metrics(table_->font());
  for (int column = 0; column < kDrawStatsColumns; ++column) {
    const char* sample = column == kDsValue                                   ? "ЧЧЧЧ (000)"
                         : column == kDsCountPct || column == kDsDeviationPct ? "-100.00000"
                                                                              : "99999";
    const int width = std::max(metrics.horizontalAdvance(Q(DrawStatsCaptions()[size_t(column)])),
                               metrics.horizontalAdvance(sample));
    table_->setColumnWidth(column, width + 18);
  }
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          &TStatsPage::OnHeaderClicked);

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("chDrawsStat");
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumHeight(120);
  chartView_->installEventFilter(this);

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->addWidget(table_);
  splitter_->addWidget(chartView_);
  splitter_->setStretchFactor(0, 1);
  const int stored = session_.Options().DrawsStatHeight;
  const int chartHeight = stored > 0 ? stored : 280;
  splitter_->setSizes({400, std::max(120, chartHeight)});
  layout->addWidget(splitter_, 1);

  FillMethods();
  connect(methods_, &QComboBox::currentIndexChanged, this, &TStatsPage::OnMethodChosen);
  ApplyColumnVisibility();
  RefreshChecks();
  model_->Reload();
  RefreshChart();
}

int TStatsPage::ChartHeight() const {
  const QList<int> sizes = splitter_->sizes();
  return sizes.size() == 2 ? sizes[1] : chartView_->height();
}

void TStatsPage::CreateActions() {
  actions_.Add(
      "DrawsStatRefresh", QTr("Обновить"), QTr("Пересчитать статистику тиражей"),
      [this] {
        CommitDepth();
        session_.RefreshDrawStats();
      },
      [this] { return session_.Archive().Count() > 0 && session_.DrawStats().Method >= 0; });
  QAction* prefetch = actions_.Add(
      "DrawsStatPrefetchs", QTr("Использовать сравнение с полным набором комбинаций"),
      QTr("Сравнивать статистику тиражей с распределением по всем возможным комбинациям"),
      [this] { session_.SetPrefetchsEnabled(!session_.PrefetchsEnabled()); });
  prefetch->setCheckable(true);
  prefetch->setIconText(QTr("Сравнение"));
  QAction* totalLine = actions_.Add(
      "DrawsStatTotalLine", QTr("График идеального распределения"),
      QTr("Показывать на графике распределение по всем возможным комбинациям"),
      [this] { session_.SetShowTotalLine(!session_.ShowTotalLine()); },
      [this] { return session_.PrefetchsEnabled(); });
  totalLine->setCheckable(true);
  totalLine->setIconText(QTr("Идеальный график"));
  QAction* copy = actions_.Add(
      "DrawsStatCopy", QTr("Копировать"), QTr("Копировать выделенные строки таблицы статистики"),
      [this] { QApplication::clipboard()->setText(SelectionText()); },
      [this] {
        return table_ && table_->selectionModel() && table_->selectionModel()->hasSelection();
      },
      QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  auto hasRows = [this] {
    return session_.Combs().Count() > 0 && table_ && table_->selectionModel() &&
           table_->selectionModel()->hasSelection();
  };
  actions_
      .Add(
          "DrawsStatInclude", QTr("Оставить выделенные"),
          QTr("Оставить в списке комбинации, имеющие выделенные значения"),
          [this] { FilterBySelection(true); }, hasRows)
      ->setIconText(QTr("Оставить"));
  actions_
      .Add(
          "DrawsStatExclude", QTr("Удалить выделенные"),
          QTr("Удалить из списка комбинации, имеющие выделенные значения"),
          [this] { FilterBySelection(false); }, hasRows)
      ->setIconText(QTr("Удалить"));
  AddTableExportAction(
      actions_, session_, this, "DrawsStatExportToExcel",
      QTr("Экспорт статистики в Microsoft Excel"),
      [this] { return ListViewExportSource(table_, "lvDrawsStat"); }, QTr("Статистика"),
      [this] { return !session_.DrawStats().Table.Rows.empty(); })
      ->setIconText(QTr("Excel"));
}

void TStatsPage::FilterBySelection(bool keep) {
  const TStatMethod* method = SelectedMethod();
  if (!method) return;
  std::vector<TStatDrawRec> records;
  std::vector<std::string> texts;
  for (const TSelectedValue& v : SelectedValues()) {
    records.push_back(v.Rec);
    texts.push_back(v.Text);
  }
  session_.FilterCombsByTable(*method, records, texts, S(SelectedMethodCaption()), keep);
}

void TStatsPage::FillMethods() {
  const QSignalBlocker block(methods_);
  methods_->clear();
  int selected = -1;
  for (const TMethodItem& item : DrawStatsMethodItems(session_.StatList())) {
    if (item.Method == session_.DrawStatsMethod()) selected = methods_->count();
    methods_->addItem(Q(item.Caption), item.Method);
  }
  methods_->setCurrentIndex(selected);
}

void TStatsPage::CommitDepth() {
  if (depth_->hasAcceptableInput()) depth_->interpretText();
  session_.SetDrawsStatLen(depth_->value());
}

void TStatsPage::OnMethodChosen(int index) {
  session_.SelectDrawStatsMethod(index < 0 ? -1 : methods_->itemData(index).toInt());
  actions_.UpdateAll();
}

void TStatsPage::SetSort(int column, bool descending) {
  session_.SetDrawStatsSort(column, descending);
}

void TStatsPage::ShowSortIndicator() {
  const TDrawStatsState& s = session_.DrawStats();
  table_->horizontalHeader()->setSortIndicatorShown(s.SortColumn >= 0);
  if (s.SortColumn >= 0) {
    table_->horizontalHeader()->setSortIndicator(
        s.SortColumn, s.SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
  }
}

void TStatsPage::OnHeaderClicked(int column) {
  table_->clearSelection();
  session_.SortDrawStatsBy(column);
}

void TStatsPage::ApplyColumnVisibility() {
  for (int column = 0; column < kDrawStatsColumns; ++column) {
    if (IsNormColumn(column)) table_->setColumnHidden(column, !session_.PrefetchsEnabled());
  }
}

void TStatsPage::RefreshChecks() {
  actions_.Find("DrawsStatPrefetchs")->setChecked(session_.PrefetchsEnabled());
  actions_.Find("DrawsStatTotalLine")->setChecked(session_.ShowTotalLine());
}

void TStatsPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeMethods) FillMethods();
  if (changes & kChangeOptions) {
    ApplyColumnVisibility();
    RefreshChecks();
  }
  if (changes & kChangeDrawStats) {
    ShowSortIndicator();
    model_->Reload();
    RefreshChart();
  }
  if (changes & kChangeBusy) {
    // Whatever starts a calculation waits while one runs.
    const bool idle = !session_.Busy();
    methods_->setEnabled(idle);
    depth_->setEnabled(idle);
    table_->horizontalHeader()->setSectionsClickable(idle);
  }
}

std::vector<int> TStatsPage::SelectedTableRows() const {
  QModelIndexList selected = table_->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<int> rows;
  for (const QModelIndex& index : selected) rows.push_back(model_->TableRow(index.row()));
  return rows;
}

std::vector<TStatsPage::TSelectedValue> TStatsPage::SelectedValues() const {
  std::vector<TSelectedValue> values;
  const auto& table = session_.DrawStats().Table.Rows;
  for (int r : SelectedTableRows()) {
    const TDrawStatsRow& row = table.at(size_t(r));
    values.push_back({row.Rec, row.Cells[kDsValue]});
  }
  return values;
}

const TStatMethod* TStatsPage::SelectedMethod() const {
  if (methods_->currentIndex() < 0) return nullptr;
  const int method = methods_->currentData().toInt();
  if (method < 0 || method >= session_.StatList().Count()) return nullptr;
  return &session_.StatList().Item(method);
}

QString TStatsPage::SelectedMethodCaption() const {
  return methods_->currentText();
}

QString TStatsPage::SelectionText() const {
  std::vector<int> columns;
  for (int column = 0; column < kDrawStatsColumns; ++column) {
    if (!table_->isColumnHidden(column)) columns.push_back(column);
  }
  return Q(session_.DrawStats().Table.CopyText(SelectedTableRows(), columns));
}

bool TStatsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chartView_ && event->type() == QEvent::Resize) LayOutAxisLabels();
  return QWidget::eventFilter(watched, event);
}

void TStatsPage::LayOutAxisLabels() {
  if (!axisX_) return;
  const TDrawStatsChart& model = session_.DrawStats().Table.Chart;
  const std::vector<TChartPoint>& labelled = model.Labelled();
  const QSize size = chartView_->size();
  if (size == labelledSize_ && axisX_->count() > 0) return;
  labelledSize_ = size;
  for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
  if (labelled.empty()) return;

  QFont font = chartView_->font();
  font.setPointSizeF(std::max(6.0, font.pointSizeF() - 1));
  // The chart gives the value axis at most 40% of its height.
  const double room = std::max(12.0, size.height() * 0.4 - 3.0 * QFontMetricsF(font).height());
  auto widest = [&](const QFont& f) {
    const QFontMetricsF metrics(f);
    double w = 0;
    for (const TChartPoint& p : labelled) w = std::max(w, metrics.horizontalAdvance(Q(p.Label)));
    return w;
  };
  double widestLabel = widest(font);
  const double axisWidth = std::max(40.0, size.width() - 90.0);
  TAxisLabelPlan plan =
      PlanAxisLabels(labelled.size(), axisWidth, widestLabel, QFontMetricsF(font).height());
  // Turned labels that do not fit the room take a smaller font, then are cut.
  while (plan.Rotated && widestLabel > room && font.pointSizeF() > 6.0) {
    font.setPointSizeF(std::max(6.0, font.pointSizeF() - 1));
    widestLabel = widest(font);
    plan = PlanAxisLabels(labelled.size(), axisWidth, widestLabel, QFontMetricsF(font).height());
  }
  axisX_->setLabelsFont(font);
  axisX_->setLabelsAngle(plan.Rotated ? -90 : 0);
  const QFontMetricsF metrics(font);
  const double limit = plan.Rotated ? room : axisWidth;
  QSet<QString> used;
  for (size_t i = 0; i < labelled.size(); i += plan.Step) {
    QString text = metrics.elidedText(Q(labelled[i].Label), Qt::ElideRight, limit);
    // Category labels must differ; cut ones may not.
    while (used.contains(text)) text += QChar(0x200B);
    used.insert(text);
    axisX_->append(text, labelled[i].X);
  }
}

void TStatsPage::RefreshChart() {
  QChart* chart = chartView_->chart();
  chart->removeAllSeries();
  axisX_ = nullptr;
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  const TDrawStatsChart& model = session_.DrawStats().Table.Chart;
  if (model.Actual.empty() && model.Full.empty()) return;

  const std::vector<TChartPoint>& labelled = model.Labelled();
  auto* axisX = new QCategoryAxis;
  axisX_ = axisX;
  axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axisX->setRange(0, labelled.back().X + 1);
  chart->addAxis(axisX, Qt::AlignBottom);
  LayOutAxisLabels();

  double maxY = 1;
  for (const auto* points : {&model.Actual, &model.Full}) {
    for (const TChartPoint& p : *points) maxY = std::max(maxY, p.Y);
  }
  auto* axisY = new QValueAxis;
  axisY->setRange(0, maxY * 1.05);
  axisY->setLabelFormat("%.0f");
  axisY->applyNiceNumbers();
  chart->addAxis(axisY, Qt::AlignLeft);

  auto addSeries = [&](const std::vector<TChartPoint>& points, const QString& name, QColor color,
                       int width, bool markers) {
    if (points.empty()) return;
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(color);
    pen.setWidth(width);
    series->setPen(pen);
    series->setPointsVisible(markers);
    for (const TChartPoint& p : points) series->append(p.X, p.Y);
    chart->addSeries(series);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
  };
  addSeries(model.Full, QTr(TDrawStatsChart::kFullName), QColor(Qt::red), 1, false);
  addSeries(model.Actual, QTr(TDrawStatsChart::kActualName), QColor(0, 160, 0), 2, true);
}

}  // namespace vetrilo
