#include "app/draw_list_view.h"

#include "core/translate.h"

namespace vetrilo {

const std::vector<std::string>& TDrawListView::Captions() {
  static const std::vector<std::string> captions = {Tr("Тираж"), "1", "2", "3",
                                                    "4",         "E", "S", Tr("Дата тиража")};
  return captions;
}

TDrawRec TDrawListView::Draw(int row) const {
  return archive_.GetDraw(ArchiveIndex(row), sorted_);
}

std::optional<int64_t> TDrawListView::Number(int row, int column) const {
  if (row < 0 || row >= RowCount()) return std::nullopt;
  const TDrawRec d = Draw(row);
  switch (column) {
    case kNumber:
      return d.Number;
    case kBall1:
    case kBall2:
    case kBall3:
    case kBall4:
      return d.Balls[static_cast<size_t>(column - kBall1)];
    case kExtra:
      return d.Extra;
    case kSum:
      return d.Sum();
    default:
      return std::nullopt;
  }
}

std::string TDrawListView::Text(int row, int column) const {
  if (row < 0 || row >= RowCount()) return "";
  if (column == kDate) return archive_.Draws[static_cast<size_t>(ArchiveIndex(row))].Date;
  const auto n = Number(row, column);
  if (!n) return "";
  if (column >= kBall1 && column <= kBall4) return NumberText(static_cast<int>(*n));
  if (column == kExtra) return ExtraText(static_cast<int>(*n));
  return std::to_string(*n);
}

std::optional<uint32_t> TDrawListView::Background(int row, int column) const {
  if (row < 0 || row >= RowCount()) return std::nullopt;
  if (row == offset_) return kOffsetRowColor;
  if (colored_ && column >= kBall1 && column <= kBall4) {
    return ChannelColor(static_cast<int>(*Number(row, column)), channelSize_);
  }
  return std::nullopt;
}

}  // namespace vetrilo
