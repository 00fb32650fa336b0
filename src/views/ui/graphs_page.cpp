#include "views/ui/graphs_page.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_session.h"
#include "app/ui/action_list.h"
#include "app/ui/qt_text.h"
#include "core/format.h"
#include "views/ui/chart_util.h"

namespace vetrilo {

TGraphsPage::TGraphsPage(TAppSession& session, TActionList& actions, QWidget* parent)
    : QWidget(parent), session_(session), actions_(actions) {
  setObjectName("tsGraphs");
  actions_.Add(
      "DrawsGraphDraw", QTr("Обновить"), QTr("Построить графики по выбранным параметрам"),
      [this] {
        CommitDepth();
        session_.BuildGraphs(true);
      },
      [this] { return session_.Archive().Count() > 0 && session_.Views().GraphMethod >= 0; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  methods_ = new QComboBox;
  methods_->setObjectName("cbDrawsGraphType");
  methods_->setToolTip(QTr("Тип графика"));
  methods_->setMinimumContentsLength(24);
  methods_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto* methodLabel = new QLabel(QTr("Тип графика:"));
  methodLabel->setBuddy(methods_);
  bar->addWidget(methodLabel);
  bar->addWidget(methods_, 1);
  layout->addLayout(bar);
  bar = new QHBoxLayout;
  depth_ = new QSpinBox;
  depth_->setObjectName("edDrawsGraphLen");
  depth_->setToolTip(QTr("Количество тиражей, использующихся для построения графиков"));
  depth_->setRange(kMinViewDepth, kMaxViewDepth);
  depth_->setKeyboardTracking(false);
  depth_->setMinimumWidth(90);
  depth_->setValue(session_.Views().GraphDepth);
  connect(depth_, &QSpinBox::editingFinished, this, [this] {
    if (session_.Busy()) {
      session_.SetDrawsGraphLen(depth_->value());
    } else if (actions_.Find("DrawsGraphDraw")->isEnabled()) {
      session_.ApplyDrawsGraphLen(depth_->value());
    } else {
      session_.SetDrawsGraphLen(depth_->value());
    }
  });
  auto* depthLabel = new QLabel(QTr("Тиражей:"));
  depthLabel->setBuddy(depth_);
  bar->addWidget(depthLabel);
  bar->addWidget(depth_);
  marks_ = new QCheckBox(QTr("Отображать метки на графике"));
  marks_->setObjectName("cbDrawsGraphShowMarks");
  marks_->setChecked(session_.Views().GraphMarks);
  connect(marks_, &QCheckBox::toggled, this, [this](bool on) { session_.SetGraphMarks(on); });
  bar->addWidget(marks_);
  auto* tools = new QToolBar;
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tools->addAction(actions_.Find("DrawsGraphDraw"));
  bar->addWidget(tools, 1);
  layout->addLayout(bar);

  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("chDrawsGraph");
  chartView_->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(chartView_, 1);
  summary_ = new QLabel;
  summary_->setObjectName("lbDrawsGraphSummary");
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summary_);

  FillMethods();
  connect(methods_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const int method = index < 0 ? -1 : methods_->itemData(index).toInt();
    session_.SelectGraphMethod(method);
    actions_.UpdateAll();
  });
  RefreshChart();
}

void TGraphsPage::FillMethods() {
  const QSignalBlocker block(methods_);
  methods_->clear();
  int selected = -1;
  for (const TMethodItem& item : DrawGraphMethodItems(session_.StatList())) {
    if (item.Method == session_.Views().GraphMethod) selected = methods_->count();
    methods_->addItem(Q(item.Caption), item.Method);
  }
  methods_->setCurrentIndex(selected);
}

void TGraphsPage::CommitDepth() {
  if (depth_->hasAcceptableInput()) depth_->interpretText();
  session_.SetDrawsGraphLen(depth_->value());
}

void TGraphsPage::RefreshChart() {
  QChart* chart = NewChart(chartView_, true);
  main_ = nullptr;
  const TDrawGraph& g = session_.Views().Graph;
  if (g.Empty()) {
    summary_->clear();
    return;
  }
  double minY = 0;
  double maxY = 0;
  for (const TChartPoint& p : g.Values) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  const double firstX = g.Values.front().X;
  const double lastX = g.Values.back().X;
  TChartAxes axes = AddValueAxes(chart, QTr("Тираж"), QTr("Значение"), firstX, lastX, maxY);
  if (minY < 0) axes.Y->setMin(minY - 1);
  std::vector<TChartPoint> mean;
  std::vector<TChartPoint> mode;
  for (const TChartPoint& p : g.Values) {
    mean.push_back({p.X, g.Mean, p.Label});
    mode.push_back({p.X, double(g.Mode), p.Label});
  }
  main_ = AddLineSeries(chart, axes, g.Values, Q(g.Caption), QColor(0, 160, 0), 2, 2,
                        QColor(Qt::magenta));
  main_->setPointLabelsFormat("@yPoint");
  main_->setPointLabelsVisible(session_.Views().GraphMarks);
  main_->setPointLabelsClipping(false);
  AddLineSeries(chart, axes, mean, QTr(TDrawGraph::kMeanName), QColor(Qt::blue), 1);
  AddLineSeries(chart, axes, mode, QTr(TDrawGraph::kModeName), QColor(Qt::red), 1);
  summary_->setText(Q(Format("%s: %s; %s: %d", {Tr(TDrawGraph::kMeanName), DrawGraphMeanText(g),
                                                Tr(TDrawGraph::kModeName), g.Mode})));
}

void TGraphsPage::OnSessionChanged(uint32_t changes) {
  if (changes & kChangeMethods) FillMethods();
  if (changes & kChangeViews) {
    const bool onlyMarks = main_ && session_.Views().Graph.Values.size() == size_t(main_->count());
    if (onlyMarks && main_->pointLabelsVisible() != session_.Views().GraphMarks) {
      main_->setPointLabelsVisible(session_.Views().GraphMarks);
    } else {
      RefreshChart();
    }
  }
  if (changes & kChangeBusy) {
    const bool idle = !session_.Busy();
    methods_->setEnabled(idle);
    depth_->setEnabled(idle);
  }
}

}  // namespace vetrilo
