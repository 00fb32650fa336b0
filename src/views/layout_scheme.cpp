#include "views/layout_scheme.h"

#include <algorithm>
#include <functional>

#include "core/format.h"
#include "views/draw_stats.h"

namespace vetrilo {

void TLayoutScheme::Build(const TDrawArchive& archive, int offset, int depth) {
  const std::vector<TTallyItem> tally = TallyNumbers(archive, ViewWindow(archive, offset, depth));
  const std::set<int> marks = NextDrawMarks(archive, offset);
  std::vector<int> counts;
  std::vector<int> draws;
  for (const TTallyItem& t : tally) {
    counts.push_back(t.Count);
    draws.push_back(t.LastDraw);
  }
  auto distinctDescending = [](std::vector<int>& v) {
    std::sort(v.begin(), v.end(), std::greater<int>());
    v.erase(std::unique(v.begin(), v.end()), v.end());
  };
  distinctDescending(counts);
  distinctDescending(draws);
  cells_.assign(counts.size() + 1, std::vector<std::string>(draws.size() + 1));
  for (size_t r = 0; r < counts.size(); ++r) cells_[r + 1][0] = IntegerText(counts[r]);
  for (size_t c = 0; c < draws.size(); ++c) cells_[0][c + 1] = IntegerText(draws[c]);
  for (const TTallyItem& t : tally) {
    const size_t r = size_t(std::find(counts.begin(), counts.end(), t.Count) - counts.begin()) + 1;
    const size_t c = size_t(std::find(draws.begin(), draws.end(), t.LastDraw) - draws.begin()) + 1;
    std::string text = NumberText(t.Number);
    if (marks.count(t.Number)) text = "[" + text + "]";
    std::string& cell = cells_[r][c];
    cell = cell.empty() ? text : cell + ", " + text;
  }
}

std::string TLayoutScheme::Text(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return "";
  return cells_[size_t(row)][size_t(column)];
}

namespace {

// Blocks 1..5, 11..15, .., 91..95 of the checkerboard.
bool InPinkBlock(int index) {
  return index >= 1 && index <= 95 && (index - 1) % 10 < 5;
}

}  // namespace

TCellColor TLayoutScheme::Color(int row, int column, bool gradient) const {
  if (row < 1 || column < 1 || row >= RowCount() || column >= ColumnCount()) return {};
  if (Text(row, column).find('[') != std::string::npos) return {"mark", 0x00FF00};
  if (gradient) {
    const int rows = RowCount();
    const int columns = ColumnCount();
    const int red = int(RoundRatioHalfEven(int64_t(255) * rows - int64_t(155) * row, rows));
    const int green =
        int(RoundRatioHalfEven(int64_t(255) * columns - int64_t(155) * column, columns));
    const int blue = int(RoundRatioHalfEven(int64_t(100) * rows + int64_t(155) * row, rows));
    return {"gradient", uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue)};
  }
  if (InPinkBlock(column) != InPinkBlock(row)) return {"pink", 0xFFEAEA};
  return {"green", 0xEAFFEA};
}

bool TLayoutScheme::CanFilter(const TGridRect& s) {
  return !s.Empty() && s.Left > 0 && s.Right < kMaxNumber + 1;
}

TGridValues TLayoutScheme::SelectionValues(const TGridRect& s) const {
  TGridValues values;
  for (int column = std::max(1, s.Left); column <= s.Right; ++column) {
    for (int row = std::max(1, s.Top); row <= s.Bottom; ++row) {
      values.AddLayoutCell(Text(row, column));
    }
  }
  return values;
}

TLayoutCompareList BuildLayoutCompare(const TDrawArchive& archive, int offset, int depth) {
  TLayoutCompareList list;
  list.Depth = depth;
  const TDrawWindow window = ViewWindow(archive, offset, depth);
  if (window.Empty()) return list;
  list.Caption = IntegerText(archive.Draws[size_t(window.First)].Number) + " - " +
                 IntegerText(archive.Draws[size_t(window.Last)].Number);
  for (const TTallyItem& t : TallyNumbers(archive, window)) {
    auto it = std::find_if(list.Items.begin(), list.Items.end(),
                           [&](const TLayoutCompareItem& item) { return item.Count == t.Count; });
    if (it != list.Items.end()) {
      it->Numbers += ", " + NumberText(t.Number);
    } else {
      list.Items.push_back({t.Count, NumberText(t.Number)});
    }
  }
  std::stable_sort(
      list.Items.begin(), list.Items.end(),
      [](const TLayoutCompareItem& a, const TLayoutCompareItem& b) { return a.Count > b.Count; });
  return list;
}

}  // namespace vetrilo
