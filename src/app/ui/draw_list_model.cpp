#include "app/ui/draw_list_model.h"

#include "app/app_session.h"
#include "app/draw_list_view.h"
#include "app/ui/list_view_cell.h"
#include "app/ui/qt_text.h"

namespace vetrilo {

TDrawListModel::TDrawListModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

static TDrawListView ViewOf(const TAppSession& s) {
  return TDrawListView(s.Archive(), s.DrawsOffset(), s.SortedDraws(), s.ColorDraws(),
                       s.ChannelSize());
}

int TDrawListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : session_.Archive().Count();
}

int TDrawListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TDrawListView::kColumnCount;
}

QVariant TDrawListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  return ListViewCell(ViewOf(session_), index.row(), index.column(), role,
                      index.column() == TDrawListView::kDate);
}

QVariant TDrawListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const auto& captions = TDrawListView::Captions();
  if (section < 0 || section >= static_cast<int>(captions.size())) return {};
  return Q(captions[static_cast<size_t>(section)]);
}

void TDrawListModel::Reload() {
  beginResetModel();
  endResetModel();
}

void TDrawListModel::Repaint() {
  if (rowCount() == 0) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace vetrilo
