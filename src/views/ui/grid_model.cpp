#include "views/ui/grid_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <algorithm>

#include "app/ui/qt_text.h"

namespace vetrilo {

TGridModel::TGridModel(TSource source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : source_.Rows();
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : source_.Columns();
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  const bool fixed = row == 0 || column == 0;
  switch (role) {
    case Qt::DisplayRole:
      return Q(source_.Text(row, column));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
      if (fixed) return QApplication::palette().color(QPalette::Button);
      if (!source_.Color) return {};
      const TCellColor color = source_.Color(row, column);
      if (color.Rgb) return QRgbColor(*color.Rgb);
      return {};
    }
    case Qt::ForegroundRole:
      if (fixed) return QApplication::palette().color(QPalette::ButtonText);
      if (source_.Color && source_.Color(row, column).Rgb) return QColor(Qt::black);
      return {};
    default:
      return {};
  }
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.row() == 0 || index.column() == 0) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TGridModel::Reload() {
  beginResetModel();
  endResetModel();
}

void TGridModel::Repaint() {
  const int rows = rowCount();
  const int columns = columnCount();
  if (rows > 0 && columns > 0) emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
}

QTableView* NewGridView(const QString& name, TGridModel* model) {
  auto* view = new QTableView;
  view->setObjectName(name);
  view->setModel(model);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(20);
  view->horizontalHeader()->setDefaultSectionSize(28);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return view;
}

TGridRect SelectedRect(const QTableView* view) {
  if (!view->selectionModel()) return {};
  const QModelIndexList selected = view->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  TGridRect r{selected.front().column(), selected.front().row(), selected.front().column(),
              selected.front().row()};
  for (const QModelIndex& i : selected) {
    r.Left = std::min(r.Left, i.column());
    r.Right = std::max(r.Right, i.column());
    r.Top = std::min(r.Top, i.row());
    r.Bottom = std::max(r.Bottom, i.row());
  }
  return r;
}

}  // namespace vetrilo
