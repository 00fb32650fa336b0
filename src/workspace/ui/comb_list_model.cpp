#include "workspace/ui/comb_list_model.h"

#include <QPainter>
#include <QPixmap>
#include <array>

#include "app/app_session.h"
#include "app/ui/list_view_cell.h"
#include "app/ui/qt_text.h"
#include "workspace/comb_list_view.h"

namespace vetrilo {

TCombListModel::TCombListModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session), rows_(session.Combs().Count()) {}

int TCombListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TCombListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TCombListView::kColumnCount;
}

QVariant TCombListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TCombListView view(session_.Combs(), session_.ColorCombs(), session_.ChannelSize());
  return ListViewCell(view, index.row(), index.column(), role, false);
}

QVariant TCombListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= TCombListView::kColumnCount) return {};
  return QTr(TCombListView::Captions()[size_t(section)]);
}

void TCombListModel::Reload() {
  beginResetModel();
  rows_ = session_.Combs().Count();
  endResetModel();
}

void TCombListModel::Repaint() {
  if (rows_ == 0) return;
  emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

TJournalModel::TJournalModel(TAppSession& session, QObject* parent)
    : QAbstractTableModel(parent),
      session_(session),
      rows_(int(session.Combs().Journal().size())) {}

int TJournalModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TJournalModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(JournalCaptions().size());
}

QVariant TJournalModel::data(const QModelIndex& index, int role) const {
  const auto& journal = session_.Combs().Journal();
  if (!index.isValid() || index.row() >= int(journal.size())) return {};
  const TJournalRow& row = journal[size_t(index.row())];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return Q(JournalText(row, index.column()));
    case Qt::DecorationRole:
      return index.column() == 0 ? QVariant(KindIcon(row.Kind)) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == 2 ? int(Qt::AlignRight | Qt::AlignVCenter)
                                 : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant TJournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= int(JournalCaptions().size())) return {};
  return QTr(JournalCaptions()[size_t(section)]);
}

void TJournalModel::Reload() {
  beginResetModel();
  rows_ = int(session_.Combs().Journal().size());
  endResetModel();
}

QIcon TJournalModel::KindIcon(TJournalKind kind) {
  // Drawn once: green plus for a kept selection, red minus for a removal, blue arrow for undo.
  static const std::array<QIcon, 3> icons = [] {
    auto make = [](QColor colour, int shape) {
      QPixmap pixmap(16, 16);
      pixmap.fill(Qt::transparent);
      QPainter p(&pixmap);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawEllipse(1, 1, 14, 14);
      p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
      if (shape == 2) {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.5, 4.5, 7, 7), 90 * 16, -270 * 16);
        p.drawLine(QPointF(8, 4.5), QPointF(5.5, 2.5));
        p.drawLine(QPointF(8, 4.5), QPointF(5.5, 6.5));
      } else {
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        if (shape == 0) p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
      }
      return QIcon(pixmap);
    };
    return std::array<QIcon, 3>{make(QColor(0x2E, 0x9E, 0x3F), 0),
                                make(QColor(0xD0, 0x3A, 0x2F), 1),
                                make(QColor(0x2F, 0x6F, 0xC8), 2)};
  }();
  return icons[size_t(kind)];
}

}  // namespace vetrilo
