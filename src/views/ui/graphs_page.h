#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
class QLineSeries;
QT_END_NAMESPACE

namespace vetrilo {

class TAppSession;
class TActionList;

// The "Графики" page: the value of a graph statistic over the last draws with
// its mean and most frequent value.
class TGraphsPage : public QWidget {
  Q_OBJECT
 public:
  TGraphsPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);
  QComboBox* MethodSelector() { return methods_; }
  QSpinBox* DepthField() { return depth_; }
  QCheckBox* MarksBox() { return marks_; }
  QChartView* ChartView() { return chartView_; }
  QLabel* Summary() { return summary_; }
  void FillMethods();
  void CommitDepth();
  void OnSessionChanged(uint32_t changes);

 private:
  void RefreshChart();

  TAppSession& session_;
  TActionList& actions_;
  QComboBox* methods_ = nullptr;
  QSpinBox* depth_ = nullptr;
  QCheckBox* marks_ = nullptr;
  QLabel* summary_ = nullptr;
  QChartView* chartView_ = nullptr;
  QLineSeries* main_ = nullptr;
};

}  // namespace vetrilo
