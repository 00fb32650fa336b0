#include "app/ui/draw_list_model.h"

#include "app/app_session.h"
#include "app/draw_list_view.h"
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
  const TDrawListView view = ViewOf(session_);
  switch (role) {
    case Qt::DisplayRole:
      return Q(view.Text(index.row(), index.column()));
    case Qt::BackgroundRole:
      if (auto c = view.Background(index.row(), index.column())) return QRgbColor(*c);
      return {};
    case Qt::ForegroundRole:
      if (view.Background(index.row(), index.column())) return QColor(Qt::black);
      return {};
    case Qt::TextAlignmentRole:
      return index.column() == TDrawListView::kDate ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                    : int(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
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
