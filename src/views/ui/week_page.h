#pragma once

#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace vetrilo {

class TAppSession;
class TActionList;
class TGridModel;

// The "Неделя" page: numbers by weekday as a heat map, the chart of the current
// cell's row or column, and the column filters.
class TWeekPage : public QWidget {
  Q_OBJECT
 public:
  TWeekPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);
  QTableView* Grid() { return grid_; }
  QSpinBox* DepthField() { return depth_; }
  QChartView* ChartView() { return chartView_; }
  QLabel* Totals() { return totals_; }
  int ChartHeight() const;
  void CommitDepth();
  void OnSessionChanged(uint32_t changes);

 private:
  void CreateActions();
  void RefreshChart();

  TAppSession& session_;
  TActionList& actions_;
  QSpinBox* depth_ = nullptr;
  TGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QLabel* totals_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QChartView* chartView_ = nullptr;
  int builds_ = -1;
};

}  // namespace vetrilo
