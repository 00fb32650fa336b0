#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/draw_archive.h"
#include "workspace/comb_workspace.h"

namespace vetrilo {

// What the combination list shows: "№ п.п.", the four numbers in stored order and their sum;
// with ColorCombs the number cells take their channel colour.
class TCombListView {
 public:
  enum TColumn { kRowNo = 0, kNumber1 = 1, kNumber4 = 4, kSum = 5, kColumnCount = 6 };
  static const std::array<std::string_view, kColumnCount>& Captions();

  TCombListView(const TCombWorkspace& combs, bool colored, int channelSize)
      : combs_(combs), colored_(colored), channelSize_(channelSize) {}

  int RowCount() const { return combs_.Count(); }
  // Empty outside the list (a view may ask for rows that a running operation just removed).
  std::string Text(int row, int column) const;
  std::optional<uint32_t> Background(int row, int column) const;

 private:
  const TCombWorkspace& combs_;
  bool colored_;
  int channelSize_;
};

// The applied-filter list.
const std::array<std::string_view, 3>& JournalCaptions();
std::string JournalText(const TJournalRow& row, int column);

// Status bar panel 4.
std::string CombCountText(int count);

// The commands on the list and when each may run (besides the busy rule every action has).
enum class TCombsCommand {
  Generate,
  Open,
  Save,
  Copy,
  Paste,
  SelectAll,
  DeleteSelected,
  ExcludeDraws,
  Undo,
  DistinctNumbers,
  FindInArchive,
};
// What the screen knows and the engine does not.
struct TCombsScreenState {
  bool HasSelection = false;
  bool HasFocusedRow = false;
  bool ClipboardHasText = false;
  int ExcludeCount = 0;  // the field of the number of last draws to exclude
};
bool CombsCommandEnabled(TCombsCommand command, const TCombWorkspace& combs,
                         const TDrawArchive& archive, const TCombsScreenState& screen);

}  // namespace vetrilo
