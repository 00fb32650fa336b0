#pragma once

#include <QDialog>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>

#include "core/game.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace vetrilo {

class TAppSession;

// "Распределение сумм тиражей и всех возможных комбинаций": the chart of the
// two distributions and the three levels, with their values in a table.
class TFormSumChart : public QDialog {
  Q_OBJECT
 public:
  TFormSumChart(const TSumDistribution& distribution, QWidget* parent = nullptr);
  QChartView* ChartView() { return chartView_; }
  QTableWidget* Table() { return table_; }

 private:
  QChartView* chartView_ = nullptr;
  QTableWidget* table_ = nullptr;
};

// "Количество повторов в зависимости от тиража": computed on opening, again on
// "Рассчитать" or Enter in either field; its depths and chart height persist.
class TFormRepeats : public QDialog {
  Q_OBJECT
 public:
  TFormRepeats(TAppSession& session, QWidget* parent = nullptr);
  QSpinBox* LengthField() { return length_; }
  QSpinBox* DeepField() { return deep_; }
  QTableWidget* List() { return list_; }
  QChartView* ChartView() { return chartView_; }
  void Calculate();

 protected:
  void done(int result) override;

 private:
  void Show(const TRepeatsAnalysis& analysis);

  TAppSession& session_;
  QSpinBox* length_ = nullptr;
  QSpinBox* deep_ = nullptr;
  QTableWidget* list_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QChartView* chartView_ = nullptr;
};

// "Подробная информация": the graph values of one draw or combination and its
// numbers in the matrix.
class TFormInfo : public QDialog {
  Q_OBJECT
 public:
  // index >= 0: the draw at that archive index; else the combination.
  TFormInfo(TAppSession& session, int drawIndex, TComb comb, QWidget* parent = nullptr);
  QTableWidget* Properties() { return props_; }
  QTableWidget* Matrix() { return matrix_; }
  QSpinBox* ColumnsField() { return columns_; }

 private:
  void FillMatrix();

  TAppSession& session_;
  TComb comb_;
  QTableWidget* props_ = nullptr;
  QTableWidget* matrix_ = nullptr;
  QSpinBox* columns_ = nullptr;
};

}  // namespace vetrilo
