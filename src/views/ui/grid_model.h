#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <string>

#include "views/view_grid.h"

namespace vetrilo {

// A read-only grid over an engine view: row 0 and column 0 are its fixed
// header cells (shaded, not selectable), the rest shows the engine's texts and
// colours, centred.
class TGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct TSource {
    std::function<int()> Rows;
    std::function<int()> Columns;
    std::function<std::string(int, int)> Text;
    std::function<TCellColor(int, int)> Color;
  };
  TGridModel(TSource source, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void Reload();   // size or texts changed
  void Repaint();  // colours changed

 private:
  TSource source_;
};

// A table view for such a grid: one rectangle of cells is selected at a time.
QTableView* NewGridView(const QString& name, TGridModel* model);
// The selected rectangle (empty when nothing is selected).
TGridRect SelectedRect(const QTableView* view);

}  // namespace vetrilo
