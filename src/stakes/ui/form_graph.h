#pragma once

#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QLineSeries>
#include <vector>

#include "stakes/stake_charts.h"

namespace vetrilo {

// "График": the named line series of a chart, the legend below, and the
// check box that shows or hides the value labels of the series made with them.
class TFormGraph : public QDialog {
  Q_OBJECT
 public:
  TFormGraph(const QString& title, const TGraphData& data, QWidget* parent = nullptr);

  QChartView* ChartView() { return view_; }
  QCheckBox* ShowMarks() { return showMarks_; }
  // Series made with value labels, whose labels follow the check box.
  const std::vector<QLineSeries*>& MarkedSeries() const { return marked_; }

 private:
  QChartView* view_ = nullptr;
  QCheckBox* showMarks_ = nullptr;
  std::vector<QLineSeries*> marked_;
};

}  // namespace vetrilo
