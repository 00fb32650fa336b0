#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <string>
#include <vector>

#include "stats/stat_values.h"

QT_BEGIN_NAMESPACE
class QChart;
class QCategoryAxis;
class QChartView;
QT_END_NAMESPACE

namespace vetrilo {

class TAppSession;
class TActionList;
struct TStatMethod;

// The statistics table as a virtual model over the session's table, in the
// user's sort order.
class TDrawStatsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TDrawStatsModel(TAppSession& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Reload();                // the table or its sort changed
  int TableRow(int row) const;  // row of the session's table shown at view row `row`

 private:
  TAppSession& session_;
  std::vector<int> order_;
};

// The "Статистика" page of the work area: the method selector, the depth
// field, the table and the chart of the draw statistics.
class TStatsPage : public QWidget {
  Q_OBJECT
 public:
  TStatsPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);
  // Height of the chart (DrawsStatHeight, saved at shut-down).
  int ChartHeight() const;

  QComboBox* MethodSelector() { return methods_; }
  QSpinBox* DepthField() { return depth_; }
  QTableView* Table() { return table_; }
  // The user's sort as the window settings keep it (column -1: list order).
  void SetSort(int column, bool descending);
  QChartView* ChartView() { return chartView_; }
  TDrawStatsModel* Model() { return model_; }

  // The selected rows' value records with their "Значение" texts, top to bottom
  // as shown (the order in which the list walks its selection).
  struct TSelectedValue {
    TStatDrawRec Rec;
    std::string Text;
  };
  std::vector<TSelectedValue> SelectedValues() const;
  // The method chosen in the selector (none when nothing is chosen) and the
  // selector's text.
  const TStatMethod* SelectedMethod() const;
  QString SelectedMethodCaption() const;
  // "Оставить выделенные" (keep) or "Удалить выделенные" of the selected rows.
  void FilterBySelection(bool keep);

  // Refills the selector from the method list and shows the session's method.
  void FillMethods();
  // The depth field's value is the depth: what was typed is applied even
  // without Enter (on "Обновить", on leaving the field, at shut-down).
  void CommitDepth();
  void OnSessionChanged(uint32_t changes);
  // Tab-separated texts of the selected rows' visible columns.
  QString SelectionText() const;
  // Table rows of the selected lines, top to bottom as displayed.
  std::vector<int> SelectedTableRows() const;

 private:
  void CreateActions();
  void OnMethodChosen(int index);
  void OnHeaderClicked(int column);
  void ApplyColumnVisibility();
  void RefreshChart();
  // Labels of the chart's value axis for the chart's present size.
  void LayOutAxisLabels();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void RefreshChecks();
  void ShowSortIndicator();

  TAppSession& session_;
  TActionList& actions_;
  QComboBox* methods_ = nullptr;
  QSpinBox* depth_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTableView* table_ = nullptr;
  TDrawStatsModel* model_ = nullptr;
  QChartView* chartView_ = nullptr;
  QCategoryAxis* axisX_ = nullptr;
  QSize labelledSize_;
};

}  // namespace vetrilo
