#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "views/number_tally.h"
#include "views/view_grid.h"
#include "workspace/comb_filter.h"

namespace vetrilo {

// The layout scheme: the numbers of the last N draws placed by how often they
// came out (rows, most frequent first) and the draw that brought them last
// (columns, newest first). Numbers of the first hidden draw are bracketed.
class TLayoutScheme {
 public:
  void Build(const TDrawArchive& archive, int offset, int depth);
  void Clear() { *this = TLayoutScheme(); }

  // Header row and column included; an unbuilt or empty scheme is 1 x 1.
  int RowCount() const { return static_cast<int>(cells_.size()); }
  int ColumnCount() const { return cells_.empty() ? 0 : static_cast<int>(cells_[0].size()); }
  std::string Text(int row, int column) const;
  // "mark" (a bracketed number), "gradient", "pink", "green" for data cells;
  // "default" for the headers.
  TCellColor Color(int row, int column, bool gradient) const;

  static bool CanFilter(const TGridRect& selection);
  TGridValues SelectionValues(const TGridRect& selection) const;

 private:
  std::vector<std::vector<std::string>> cells_{{""}};
};

// One of the five comparison lists: numbers grouped by their count over a depth.
struct TLayoutCompareItem {
  int Count = 0;
  std::string Numbers;  // "7, 12, 30"
};
struct TLayoutCompareList {
  int Depth = 0;
  std::string Caption;                    // "<oldest draw> - <newest draw>"; empty without draws
  std::vector<TLayoutCompareItem> Items;  // largest count first
};
TLayoutCompareList BuildLayoutCompare(const TDrawArchive& archive, int offset, int depth);
// Caption of the first column of every list.
constexpr const char* kLayoutCompareCountCaption = "Кол-во";

}  // namespace vetrilo
