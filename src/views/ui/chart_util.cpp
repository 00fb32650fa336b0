#include "views/ui/chart_util.h"

#include <QChartView>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/ui/qt_text.h"

namespace vetrilo {

QChart* NewChart(QChartView* view, bool legend) {
  auto* chart = new QChart;
  chart->setMargins(QMargins(4, 4, 4, 4));
  if (legend) {
    chart->legend()->setAlignment(Qt::AlignBottom);
  } else {
    chart->legend()->hide();
  }
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
  return chart;
}

double ChartTop(double maxY) {
  return maxY <= 0 ? 1 : std::ceil(maxY * 1.05);
}

void SetCountRange(QValueAxis* axis, double maxY) {
  const double top = ChartTop(maxY);
  const double step = std::max(1.0, std::ceil(top / 8));
  axis->setLabelFormat("%.0f");
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setRange(0, std::ceil(top / step) * step);
}

TChartAxes AddValueAxes(QChart* chart, const QString& xTitle, const QString& yTitle, double minX,
                        double maxX, double maxY) {
  TChartAxes axes;
  auto* x = new QValueAxis;
  x->setTitleText(xTitle);
  x->setLabelFormat("%.0f");
  x->setRange(minX, maxX > minX ? maxX : minX + 1);
  chart->addAxis(x, Qt::AlignBottom);
  axes.X = x;
  axes.Y = new QValueAxis;
  axes.Y->setTitleText(yTitle);
  SetCountRange(axes.Y, maxY);
  chart->addAxis(axes.Y, Qt::AlignLeft);
  return axes;
}

QLineSeries* AddLineSeries(QChart* chart, const TChartAxes& axes,
                           const std::vector<TChartPoint>& points, const QString& name,
                           const QColor& color, int width, qreal markerSize,
                           const QColor& markerColor) {
  auto* series = new QLineSeries;
  series->setName(name);
  QPen pen(color);
  pen.setWidth(width);
  series->setPen(pen);
  if (markerSize > 0) {
    series->setPointsVisible(true);
    series->setMarkerSize(std::max<qreal>(markerSize * 2, 4));
    if (markerColor.isValid()) {
      QImage marker(8, 8, QImage::Format_ARGB32);
      marker.fill(Qt::transparent);
      QPainter painter(&marker);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(markerColor);
      painter.drawEllipse(0, 0, 8, 8);
      painter.end();
      series->setLightMarker(marker);
    }
  }
  for (const TChartPoint& p : points) series->append(p.X, p.Y);
  chart->addSeries(series);
  series->attachAxis(axes.X);
  series->attachAxis(axes.Y);
  return series;
}

}  // namespace vetrilo
