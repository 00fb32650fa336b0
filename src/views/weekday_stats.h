#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "views/draw_stats.h"
#include "views/view_grid.h"
#include "workspace/comb_filter.h"

namespace vetrilo {

// Short weekday names, Monday first, of an interface language (1049 Russian,
// 1033 English); any other language gets the base (Russian) names.
const std::array<std::string, 7>& WeekdayShortNames(int language);
// 1 Monday .. 7 Sunday of a "mm/dd/yyyy" date text; 0 when it cannot be read.
int WeekdayOfDateText(std::string_view text);

// How often each number came out on each weekday over the last N draws. The
// grid shows the counts (empty for 0): row 0 the numbers, column 0 the weekday
// names, rows 1..7 Monday..Sunday; then the totals: a column "Всего" (per
// weekday), a row "Всего" (per number) and a row "Без даты" with the numbers of
// the draws whose date cannot be read, which no weekday counts.
constexpr int kWeekTotalColumn = kMaxNumber + 1;
constexpr int kWeekTotalRow = 8;
constexpr int kWeekUndatedRow = 9;
constexpr const char* kWeekTotalCaption = "Всего";
constexpr const char* kWeekUndatedCaption = "Без даты";

class TWeekdayStats {
 public:
  void Build(const TDrawArchive& archive, int offset, int depth);
  void Clear() { *this = TWeekdayStats(); }

  // weekday 1..7, number 1..47
  int Count(int weekday, int number) const;
  int MaxCount() const { return max_; }
  int Draws() const { return draws_; }           // draws in the window
  int UndatedDraws() const { return undated_; }  // of them without a readable date

  int RowCount() const { return kWeekUndatedRow + 1; }
  int ColumnCount() const { return kWeekTotalColumn + 1; }
  std::string Text(int row, int column, const std::array<std::string, 7>& names) const;
  // "heat" for the day cells with a count (white for few, red for the most), else "default".
  TCellColor Color(int row, int column) const;

  // The chart of the current cell: mode 0 the 47 numbers of the cell's weekday,
  // mode 1 the 7 weekdays of the cell's number. Cells outside the day grid
  // count as 0 (their row or column holds no counts).
  std::vector<TChartPoint> ChartPoints(int mode, int row, int column,
                                       const std::array<std::string, 7>& names) const;

  // One number per selected column within 1..47, whatever the rows.
  static TGridValues SelectionValues(const TGridRect& selection);

 private:
  std::array<std::array<int, kMaxNumber + 1>, 8> counts_{};  // [weekday][number]
  std::array<int, kMaxNumber + 1> undatedCounts_{};
  int max_ = 0;
  int draws_ = 0;
  int undated_ = 0;
};

}  // namespace vetrilo
