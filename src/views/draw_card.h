#pragma once

#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "views/view_grid.h"
#include "workspace/comb_filter.h"

namespace vetrilo {

// The draw card: the whole archive as a grid, newest draw in row 1, one column
// per number (1..47) and "E" (column 48) for the bonus ball; row 0 is the header.
// The draw offset hides nothing here.
constexpr int kCardColumns = 49;
constexpr int kCardExtraColumn = 48;

struct TCardOptions {
  bool ChannelColors = true;   // ColorCard
  bool SequenceColors = true;  // ColorCardSequences
  int ChannelSize = 8;
};

class TDrawCard {
 public:
  // Takes a copy of the archive's draws, newest first.
  void Build(const TDrawArchive& archive);
  // True when the grid shows exactly these draws.
  bool Shows(const TDrawArchive& archive) const;
  void Clear() {
    rows_.clear();
    built_ = false;
  }
  bool Built() const { return built_; }

  // Header row plus one row per draw; an empty archive still has one empty row.
  int RowCount() const { return 1 + std::max<int>(1, static_cast<int>(rows_.size())); }
  int ColumnCount() const { return kCardColumns; }
  std::string Text(int row, int column) const;
  // Colour of a cell (selection is the widget's own): the rules "default",
  // "channel", "repeat", "neighbour", "repeat+neighbour".
  TCellColor Color(int row, int column, const TCardOptions& options) const;

  // The filter actions need a selection inside the number columns.
  static bool CanFilter(const TGridRect& selection);
  // The numbers of the selected cells, column by column, top to bottom.
  TGridValues SelectionValues(const TGridRect& selection) const;

 private:
  bool Has(int row, int number) const;
  std::vector<TDrawRec> rows_;  // rows_[r - 1] is grid row r
  bool built_ = false;
};

}  // namespace vetrilo
