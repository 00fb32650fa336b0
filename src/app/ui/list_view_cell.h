#pragma once

#include <QColor>
#include <QVariant>

#include "app/ui/qt_text.h"

namespace vetrilo {

// What a table model shows of a cell of an engine list view (a view with Text
// and Background per row and column): its text, its colour with black text on
// it, and its alignment.
template <class TView>
QVariant ListViewCell(const TView& view, int row, int column, int role, bool alignLeft) {
  switch (role) {
    case Qt::DisplayRole:
      return Q(view.Text(row, column));
    case Qt::BackgroundRole:
      if (auto c = view.Background(row, column)) return QRgbColor(*c);
      return {};
    case Qt::ForegroundRole:
      if (view.Background(row, column)) return QColor(Qt::black);
      return {};
    case Qt::TextAlignmentRole:
      return alignLeft ? int(Qt::AlignLeft | Qt::AlignVCenter)
                       : int(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

}  // namespace vetrilo
