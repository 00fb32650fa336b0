#pragma once

#include <QAbstractTableModel>
#include <QMenu>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "stakes/stake_charts.h"

namespace vetrilo {

class TAppSession;
class TActionList;

// The ratings list, its 16 cells from the engine.
class TRatingsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TRatingsModel(TAppSession& session, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();

 private:
  TAppSession& session_;
  int rows_ = 0;
};

// The work tab "Рейтинг": the ratings list, its efficiency modes, the export
// and the charts of the chosen ratings.
class TRatingsPage : public QWidget {
  Q_OBJECT
 public:
  TRatingsPage(TAppSession& session, TActionList& actions, QWidget* parent = nullptr);

  QTableView* List() { return list_; }
  void FillMenu(QMenu* menu) const;
  void OnSessionChanged(uint32_t changes);
  std::vector<int> SelectedRows() const;

  // "Добавить в сценарий" hands the chosen labels on (the script page takes them).
  std::function<void(const std::vector<std::string>& labels)> AddToScript;
  // Seams for the modal windows.
  std::function<QString()> ChooseCsvFile;
  std::function<void(const QString& title, const TGraphData&)> ShowGraph;

 private:
  void CreateActions();
  void GraphExecute(const QString& title, const std::function<TGraphData()>& build);
  void RatingsExportExecute();
  void ShowSortIndicator();

  TAppSession& session_;
  TActionList& actions_;
  TRatingsModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QList<QAction*> commands_;
};

}  // namespace vetrilo
