#include "views/draw_card.h"

#include <algorithm>

#include "core/format.h"

namespace vetrilo {

void TDrawCard::Build(const TDrawArchive& archive) {
  rows_.assign(archive.Draws.rbegin(), archive.Draws.rend());
  built_ = true;
}

bool TDrawCard::Shows(const TDrawArchive& archive) const {
  if (!built_ || rows_.size() != archive.Draws.size()) return false;
  return std::equal(rows_.begin(), rows_.end(), archive.Draws.rbegin(),
                    [](const TDrawRec& a, const TDrawRec& b) {
                      return a.Number == b.Number && a.Balls == b.Balls && a.Extra == b.Extra;
                    });
}

bool TDrawCard::Has(int row, int number) const {
  if (row < 1 || row > static_cast<int>(rows_.size())) return false;
  return rows_[size_t(row - 1)].HasNumber(number);
}

std::string TDrawCard::Text(int row, int column) const {
  if (column < 0 || column >= kCardColumns) return "";
  if (row == 0) {
    if (column == 0) return "";
    return column == kCardExtraColumn ? "E" : NumberText(column);
  }
  if (row < 1 || row > static_cast<int>(rows_.size())) return "";
  const TDrawRec& d = rows_[size_t(row - 1)];
  if (column == 0) return IntegerText(d.Number);
  if (column == kCardExtraColumn) return ExtraText(d.Extra);
  return d.HasNumber(column) ? NumberText(column) : "";
}

TCellColor TDrawCard::Color(int row, int column, const TCardOptions& o) const {
  if (row < 1 || column < 1 || column >= kCardExtraColumn) return {};
  const TCellColor channel =
      o.ChannelColors ? TCellColor{"channel", ChannelColor(column, o.ChannelSize)} : TCellColor{};
  if (!o.SequenceColors || !Has(row, column)) return channel;
  const bool repeat = Has(row - 1, column) || Has(row + 1, column);
  const bool neighbour =
      (column > 1 && Has(row, column - 1)) || (column < kMaxNumber && Has(row, column + 1));
  if (repeat && neighbour) return {"repeat+neighbour", 0xFFFF00};
  if (repeat) return {"repeat", 0x00FF00};
  if (neighbour) return {"neighbour", 0x00FFFF};
  return channel;
}

bool TDrawCard::CanFilter(const TGridRect& s) {
  return !s.Empty() && s.Left >= 1 && s.Right <= kMaxNumber;
}

TGridValues TDrawCard::SelectionValues(const TGridRect& s) const {
  TGridValues values;
  for (int column = s.Left; column <= s.Right; ++column) {
    for (int row = std::max(1, s.Top); row <= s.Bottom; ++row) {
      values.AddCardCell(Text(row, column));
    }
  }
  return values;
}

}  // namespace vetrilo
