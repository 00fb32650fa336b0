#pragma once

#include <QAbstractTableModel>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>
#include <functional>

#include "stakes/stake_charts.h"
#include "stakes/stake_store.h"

namespace vetrilo {

class TAppSession;
class TActionList;
class TCombsPage;
class TFormStake;
class TFormMulti;

// The stake file as a virtual grid: rows are decoded on demand from the
// session's mirror of the file, so 100,000 records scroll freely.
class TStakeGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TStakeGridModel(TAppSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();

 private:
  TAppSession& session_;
  int rows_ = 0;
};

// Draws the numbers of "Моя ставка" and "Результаты тиража" one by one, the
// matched ones bold blue.
class TStakeNumbersDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit TStakeNumbersDelegate(TAppSession& session, QObject* parent = nullptr)
      : QStyledItemDelegate(parent), session_(session) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  TAppSession& session_;
};

// The work tab "Ставки": the stake grid and the commands of the stakes.
class TStakesPage : public QWidget {
  Q_OBJECT
 public:
  TStakesPage(TAppSession& session, TActionList& actions, TCombsPage& combs,
              QWidget* parent = nullptr);

  QTableView* Grid() { return grid_; }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);
  // Selected grid rows as 1-based first..last (the selection's extent).
  std::pair<int64_t, int64_t> SelectedRows() const;

  // Seams for the modal windows (tests replace them).
  std::function<bool(TFormStake&)> RunStakeDialog;
  std::function<bool(TFormMulti&)> RunMultiDialog;
  std::function<bool(TStakeCondition&, int&)> RunFilterDialog;
  std::function<void(const QString& title, const TGraphData&)> ShowGraph;

  void StakeAddExecute(TComb comb);

 private:
  void CreateActions();
  void StakeMultiExecute(bool all);
  void StakeFilterExecute();
  void GraphExecute(const QString& title, const std::function<TGraphData()>& build);

  TAppSession& session_;
  TActionList& actions_;
  TCombsPage& combs_;
  TStakeGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
