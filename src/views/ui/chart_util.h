#pragma once

#include <QChart>
#include <QChartView>
#include <QColor>
#include <QLineSeries>
#include <QString>
#include <QValueAxis>
#include <vector>

#include "views/draw_stats.h"

namespace vetrilo {

// A fresh, empty chart in the view (the old one is deleted): redrawing into a
// new chart leaves no axis of the previous drawing behind.
QChart* NewChart(QChartView* view, bool legend);
// Value axes with titles, ranged to hold every point (y from 0).
struct TChartAxes {
  QAbstractAxis* X = nullptr;
  QValueAxis* Y = nullptr;
};
TChartAxes AddValueAxes(QChart* chart, const QString& xTitle, const QString& yTitle, double minX,
                        double maxX, double maxY);
// A line series of the points; markers of `markerSize` in `markerColor` when above 0.
QLineSeries* AddLineSeries(QChart* chart, const TChartAxes& axes,
                           const std::vector<TChartPoint>& points, const QString& name,
                           const QColor& color, int width, qreal markerSize = 0,
                           const QColor& markerColor = QColor());
// A count axis from 0 with whole-number ticks, so small counts read 0, 1, 2.
void SetCountRange(QValueAxis* axis, double maxY);
// A round upper bound a little above the largest value, for the y axis.
double ChartTop(double maxY);

}  // namespace vetrilo
