#include "workspace/comb_list_view.h"

#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

const std::array<std::string_view, TCombListView::kColumnCount>& TCombListView::Captions() {
  static const std::array<std::string_view, kColumnCount> captions = {"№ п.п.", "1", "2",
                                                                      "3",      "4", "S"};
  return captions;
}

std::string TCombListView::Text(int row, int column) const {
  if (row < 0 || row >= combs_.Count()) return "";
  const TComb comb = combs_.Comb(row);
  switch (column) {
    case kRowNo:
      return std::to_string(row + 1);
    case kSum: {
      int sum = 0;
      for (int i = 1; i <= 4; ++i) sum += CombByte(comb, i);
      return std::to_string(sum);
    }
    default:
      if (column >= kNumber1 && column <= kNumber4) return NumberText(CombByte(comb, column));
      return "";
  }
}

std::optional<uint32_t> TCombListView::Background(int row, int column) const {
  if (!colored_ || column < kNumber1 || column > kNumber4) return std::nullopt;
  if (row < 0 || row >= combs_.Count()) return std::nullopt;
  return ChannelColor(CombByte(combs_.Comb(row), column), channelSize_);
}

const std::array<std::string_view, 3>& JournalCaptions() {
  static const std::array<std::string_view, 3> captions = {"Примененные фильтры", "Значения",
                                                           "Комбинаций"};
  return captions;
}

std::string JournalText(const TJournalRow& row, int column) {
  switch (column) {
    case 0:
      return row.Caption;
    case 1:
      return row.Values;
    case 2:
      return std::to_string(row.Count);
    default:
      return "";
  }
}

std::string CombCountText(int count) {
  return Format(Tr("Комбинаций: %d"), {count});
}

bool CombsCommandEnabled(TCombsCommand command, const TCombWorkspace& combs,
                         const TDrawArchive& archive, const TCombsScreenState& screen) {
  const bool hasCombs = combs.Count() > 0;
  switch (command) {
    case TCombsCommand::Generate:
    case TCombsCommand::Open:
    case TCombsCommand::DistinctNumbers:
      return true;
    case TCombsCommand::Save:
    case TCombsCommand::Copy:
    case TCombsCommand::SelectAll:
      return hasCombs;
    case TCombsCommand::Paste:
      return screen.ClipboardHasText;
    case TCombsCommand::DeleteSelected:
      return hasCombs && screen.HasSelection;
    case TCombsCommand::ExcludeDraws:
      return hasCombs && archive.Count() > 0 && screen.ExcludeCount > 0;
    case TCombsCommand::Undo:
      return combs.HasUndo();
    case TCombsCommand::FindInArchive:
      return hasCombs && screen.HasFocusedRow;
  }
  return false;
}

}  // namespace vetrilo
