#include "stakes/ui/form_graph.h"

#include <QChart>
#include <QLegend>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "app/ui/qt_text.h"

namespace vetrilo {

TFormGraph::TFormGraph(const QString& title, const TGraphData& data, QWidget* parent)
    : QDialog(parent) {
  setObjectName("FormGraph");
  setWindowTitle(QTr("График"));
  setWindowFlag(Qt::Tool);
  setSizeGripEnabled(true);
  resize(900, 560);
  showMarks_ = new QCheckBox(QTr("Отображать метки на графиках"));
  showMarks_->setObjectName("cbShowMarks");
  showMarks_->setChecked(true);

  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  double minX = 0, maxX = 1, minY = 0, maxY = 1;
  bool first = true;
  for (const TGraphSeries& s : data.Series) {
    auto* series = new QLineSeries;
    series->setName(Q(s.Title));
    series->setPointsVisible(s.ShowPoints);
    series->setMarkerSize(3);
    for (const TGraphPoint& p : s.Points) {
      series->append(p.X, p.Y);
      if (first) {
        minX = maxX = p.X;
        minY = maxY = p.Y;
        first = false;
      }
      minX = std::min<double>(minX, p.X);
      maxX = std::max<double>(maxX, p.X);
      minY = std::min(minY, p.Y);
      maxY = std::max(maxY, p.Y);
    }
    if (s.ShowMarks) {
      series->setPointLabelsFormat("@yPoint");
      series->setPointLabelsVisible(true);
      marked_.push_back(series);
    }
    chart->addSeries(series);
    // The chart's theme picks the colour on adding; a given colour and the width come after.
    QPen pen = series->pen();
    pen.setWidth(2);
    if (s.Color != 0) pen.setColor(QRgbColor(uint32_t(s.Color)));
    series->setPen(pen);
  }
  auto* axisX = new QValueAxis;
  axisX->setLabelFormat("%d");
  axisX->setRange(minX, maxX > minX ? maxX : minX + 1);
  auto* axisY = new QValueAxis;
  const double pad = (maxY - minY) * 0.08 + (maxY == minY ? 1 : 0);
  axisY->setRange(minY - pad, maxY + pad);
  chart->addAxis(axisX, Qt::AlignBottom);
  chart->addAxis(axisY, Qt::AlignLeft);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(axisX);
    s->attachAxis(axisY);
  }
  view_ = new QChartView(chart);
  view_->setRenderHint(QPainter::Antialiasing);
  connect(showMarks_, &QCheckBox::toggled, this, [this](bool on) {
    for (QLineSeries* s : marked_) s->setPointLabelsVisible(on);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(showMarks_);
  layout->addWidget(view_, 1);
}

}  // namespace vetrilo
