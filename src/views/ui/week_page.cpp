#include "views/ui/week_page.h"

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineSeries>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/format.h"
#include "views/ui/chart_util.h"
#include "views/ui/grid_model.h"

namespace vetrilo {

TWeekPage::TWeekPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsWeek");
  CreateActions();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  depth_ = new QSpinBox;
  depth_->setObjectName("edWeekLen");
  depth_->setToolTip(QTr("Количество тиражей, использующихся для расчета статистики"));
  depth_->setRange(kMinViewDepth, kMaxViewDepth);
  depth_->setKeyboardTracking(false);
  depth_->setMinimumWidth(90);
  depth_->setValue(session_.Views().WeekDepth);
  connect(depth_, &QSpinBox::editingFinished, this, [this] {
    if (session_.Busy()) {
      session_.SetWeekLen(depth_->value());
    } else {
      session_.ApplyWeekLen(depth_->value());
    }
  });
  auto* depthLabel = new QLabel(QTr("Тиражей:"));
  depthLabel->setBuddy(depth_);
  bar->addWidget(depthLabel);
  bar->addWidget(depth_);
  auto* tools = new QToolBar;
  tools->setObjectName("tbWeek");
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"WeekStatCalc", "WeekFilter_Include", "WeekFilter_Exclude",
                           "ViewWeekChartMode", "ViewWeekChartType"}) {
    tools->addAction(actions_.Find(name));
  }
  bar->addWidget(tools, 1);
  layout->addLayout(bar);

  const TAnalysisViews& views = session_.Views();
  model_ = new TGridModel(
      {[&views] { return views.Week.RowCount(); }, [&views] { return views.Week.ColumnCount(); },
       [this](int r, int c) { return session_.Views().Week.Text(r, c, session_.WeekdayNames()); },
       [&views](int r, int c) { return views.Week.Color(r, c); }},
      this);
  grid_ = NewGridView("sgWeek", model_);
  grid_->horizontalHeader()->setDefaultSectionSize(34);
  grid_->setColumnWidth(0, 76);
  grid_->setColumnWidth(kWeekTotalColumn, 56);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  grid_->addAction(actions_.Find("WeekFilter_Include"));
  grid_->addAction(actions_.Find("WeekFilter_Exclude"));
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) session_.SetWeekCell(current.row(), current.column());
          });
  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(grid_, 1);
  totals_ = new QLabel;
  totals_->setObjectName("lbWeekTotals");
  topLayout->addWidget(totals_);

  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(4, 4, 4, 4));
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("chWeek");
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setMinimumHeight(120);
  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->addWidget(top);
  splitter_->addWidget(chartView_);
  splitter_->setStretchFactor(0, 1);
  const int stored = session_.Options().WeekHeight;
  splitter_->setSizes({260, stored > 0 ? stored : 260});
  layout->addWidget(splitter_, 1);
  RefreshChart();
}

void TWeekPage::CreateActions() {
  actions_.Add(
      "WeekStatCalc", QTr("Обновить"), QTr("Пересчитать статистику по выбранным параметрам"),
      [this] {
        CommitDepth();
        session_.BuildWeek(true);
      },
      [this] { return session_.TabVisible(TWorkView::Week) && session_.Archive().Count() > 0; });
  auto canFilter = [this] { return grid_ && session_.CanFilterWeek(SelectedRect(grid_)); };
  actions_.Add(
      "WeekFilter_Include", QTr("Оставить выделенные"),
      QTr("В списке комбинаций оставить комбинации с выделенными значениями"),
      [this] { session_.FilterCombsByWeek(SelectedRect(grid_), true); }, canFilter);
  actions_.Add(
      "WeekFilter_Exclude", QTr("Удалить выделенные"),
      QTr("Из списка комбинаций удалить комбинации с выделенными  значениями"),
      [this] { session_.FilterCombsByWeek(SelectedRect(grid_), false); }, canFilter);
  QAction* mode = actions_.Add("ViewWeekChartMode", QTr("График по дням недели"),
                               QTr("Режим графика на вкладке \"дни недели\""),
                               [this] { session_.SetWeekChartMode(1 - session_.WeekChartMode()); });
  mode->setCheckable(true);
  mode->setChecked(session_.WeekChartMode() == 1);
  QAction* type = actions_.Add("ViewWeekChartType", QTr("График / диаграмма"),
                               QTr("Вид графика на вкладке \"Дни недели\""),
                               [this] { session_.SetWeekChartType(!session_.WeekChartType()); });
  type->setCheckable(true);
  type->setChecked(session_.WeekChartType());
}

int TWeekPage::ChartHeight() const {
  const QList<int> sizes = splitter_->sizes();
  return sizes.size() == 2 ? sizes[1] : chartView_->height();
}

void TWeekPage::CommitDepth() {
  if (depth_->hasAcceptableInput()) depth_->interpretText();
  session_.SetWeekLen(depth_->value());
}

void TWeekPage::RefreshChart() {
  QChart* chart = NewChart(chartView_, false);
  const TAnalysisViews& v = session_.Views();
  const int mode = session_.WeekChartMode();
  const auto points = v.Week.ChartPoints(mode, v.WeekRow, v.WeekColumn, session_.WeekdayNames());
  double maxY = 0;
  for (const TChartPoint& p : points) maxY = std::max(maxY, p.Y);
  const QString xTitle = mode == 1 ? QTr("День недели") : QTr("Число");
  const bool numberColumn = v.WeekColumn >= 1 && v.WeekColumn <= kMaxNumber;
  chart->setTitle(
      mode == 1
          ? (numberColumn ? Q(Format(Tr("Число %d по дням недели"), {v.WeekColumn})) : QString())
      : v.WeekRow >= 1 && v.WeekRow <= 7 ? Q(session_.WeekdayNames()[size_t(v.WeekRow - 1)])
                                         : QString());
  auto* axisY = new QValueAxis;
  axisY->setTitleText(QTr("Количество"));
  SetCountRange(axisY, maxY);
  // x of a point: its number or weekday (line), its index from 0 (bars).
  const double shift = session_.WeekChartType() ? 0 : -1;
  auto* axisX = new QCategoryAxis;
  axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  axisX->setRange(0.5 + shift, double(points.size()) + 0.5 + shift);
  // Every other number keeps two-digit labels readable on a narrow chart.
  for (const TChartPoint& p : points) {
    if (mode == 1 || int(p.X) % 2 == 1) axisX->append(Q(p.Label), p.X + shift);
  }
  axisX->setTitleText(xTitle);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  if (session_.WeekChartType()) {
    AddLineSeries(chart, {axisX, axisY}, points, "", QColor(0, 160, 0), 2, 2, QColor(Qt::magenta));
    return;
  }
  auto* set = new QBarSet("");
  set->setColor(QColor(0, 160, 0));
  for (const TChartPoint& p : points) set->append(p.Y);
  auto* series = new QBarSeries;
  series->append(set);
  series->setBarWidth(0.7);
  chart->addSeries(series);
  series->attachAxis(axisX);
  series->attachAxis(axisY);
}

void TWeekPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeOptions) {
    actions_.Find("ViewWeekChartMode")->setChecked(session_.WeekChartMode() == 1);
    actions_.Find("ViewWeekChartType")->setChecked(session_.WeekChartType());
  }
  if (changes & (kChangeViews | kChangeOptions)) {
    if (session_.Views().WeekBuilds != builds_) {
      builds_ = session_.Views().WeekBuilds;
      model_->Repaint();  // the grid keeps its size: the selection stays
    }
    const TWeekdayStats& w = session_.Views().Week;
    totals_->setText(Q(Format(Tr("Тиражей: %d; без читаемой даты (не учтены по дням недели): %d"),
                              {w.Draws(), w.UndatedDraws()})));
    RefreshChart();
  }
  if (changes & kChangeBusy) depth_->setEnabled(!session_.Busy());
}

}  // namespace vetrilo
