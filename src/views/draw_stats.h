#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stats/stat_list.h"
#include "views/distribution_cache.h"

namespace vetrilo {

// Columns of the draw statistics table, in order.
enum TDrawStatsColumn : int {
  kDsValue,         // "Значение"
  kDsCount,         // "Количество"
  kDsCountPct,      // "Кол-во в %"
  kDsNorm,          // "Норма"
  kDsDeviation,     // "Отклонение"
  kDsDeviationPct,  // "Откл-ие в %"
  kDsAgo,           // "Глубина"
  kDsAgoPct,        // "Глубина в %"
  kDsWeight,        // "Вес"
  kDsLastDraw,      // "Посл. тираж"
  kDsMinGap,        // "Период min"
  kDsPeriod,        // "Период"
  kDsMaxGap,        // "Период max"
  kDsExpPrd,        // "Ожд. ПРД"
  kDsExpStf,        // "Ожд. СТФ"
  kDsExpKrn,        // "Ожд. КРН"
  kDsFact,          // "Факт"
  kDsDiffPrd,       // "+/- ПРД"
  kDsDiffStf,       // "+/- СТФ"
  kDsDiffKrn,       // "+/- КРН"
  kDrawStatsColumns
};

const std::array<std::string, kDrawStatsColumns>& DrawStatsCaptions();
// "Норма", "Отклонение", "Откл-ие в %": shown only with the full-set comparison.
bool IsNormColumn(int column);
// Every column but "Значение" holds numbers (or "-").
bool IsNumericColumn(int column);

// Round half to even of num / den, exactly (den != 0).
int64_t RoundRatioHalfEven(__int128 num, __int128 den);

// One row: a copy of its value record and the texts of its cells.
struct TDrawStatsRow {
  TStatDrawRec Rec;
  std::array<std::string, kDrawStatsColumns> Cells;
};

struct TChartPoint {
  double X = 0;
  double Y = 0;
  std::string Label;
};

// What the chart under the table shows: the actual counts and, with a norm and
// the total line on, the scaled full-set distribution. Both empty: no chart.
struct TDrawStatsChart {
  static constexpr const char* kActualName = "Фактические данные";
  static constexpr const char* kFullName = "Все возможные комбинации";
  std::vector<TChartPoint> Actual;
  std::vector<TChartPoint> Full;
  // The points whose labels the value axis shows: the full set's when there is
  // one, as it has every value.
  const std::vector<TChartPoint>& Labelled() const { return Full.empty() ? Actual : Full; }
};

// How to label an axis of `count` equally spaced points `axisWidth` pixels long
// so that no two labels overlap: every Step-th point gets its label (Step is 1,
// 2 or 5 times a power of ten), upright when that keeps enough of them, else
// turned on its side, where a label needs only its line height.
struct TAxisLabelPlan {
  size_t Step = 1;
  bool Rotated = false;
  bool operator==(const TAxisLabelPlan&) const = default;
};
TAxisLabelPlan PlanAxisLabels(size_t count, double axisWidth, double widestLabel,
                              double lineHeight);

// The computed table.
struct TDrawStatsTable {
  std::vector<TDrawStatsRow> Rows;  // list order
  TListTotals Totals;
  bool HasNorm = false;
  int FirstIndex = 0;
  int LastIndex = -1;
  int Analysed = 0;  // A: draws in the range
  TDrawStatsChart Chart;
  bool FactsStopped = false;  // the "Факт" search was stopped: those cells are empty

  void Clear() { *this = TDrawStatsTable(); }
  // "Значение", "Количество", "Кол-во в %", "Отклонение", "Откл-ие в %", "Глубина",
  // "Глубина в %", "Вес", "Период min", "Период", "Период max": what scripts read.
  std::vector<std::string> RowTexts(int row) const;
  // Row indices ordered by a column (stable; numbers compare as numbers, "-"
  // below every number; "Значение" by the value words).
  std::vector<int> SortedOrder(int column, bool descending) const;
  // Tab-separated texts of the given rows and columns, one line per row.
  std::string CopyText(const std::vector<int>& rows, const std::vector<int>& columns) const;
};

// What one calculation reads.
struct TDrawStatsInput {
  const TDrawArchive* Archive = nullptr;
  int LastIndex = 0;
  int Depth = 1000;
  bool Sorted = false;
  TCdlWeights Cdl;
  bool ShowTotalLine = true;
  TUiHooks* Hooks = nullptr;  // whose stop request the "Факт" search polls
};

// Steps 4-9 of the calculation for one statistic instance and its full-set
// distribution (none: no norm). Fills `table` row by row, so a failure leaves
// what was done. A stop request during the "Факт" search still fills every row
// and the chart, with "Факт" and the three differences empty, then throws EStopped.
void BuildDrawStats(TCustomStat& stat, const TDrawStatsInput& input,
                    const TDistribution* distribution, TDrawStatsTable& table);

// The cell texts of one value record given the table totals.
struct TDrawStatsCellInput {
  int Analysed = 0;
  TListTotals Totals;
  bool HasNorm = false;
  TCdlWeights Cdl;
  int32_t Fact = -1;      // the next occurrence, -1 none
  bool FactKnown = true;  // false: the search did not run to its end, the cells stay empty
};
std::array<std::string, kDrawStatsColumns> DrawStatsCells(const TStatDrawRec& r,
                                                          const std::string& valueText,
                                                          const TDrawStatsCellInput& in);

// The method selector "Вид расчета статистики": listed draw statistics with their
// captions, sorted by caption when the list is Ordered.
struct TMethodItem {
  int Method;  // index into the method list
  std::string Caption;
};
std::vector<TMethodItem> DrawStatsMethodItems(const TStatList& list);
// Whether the selector lists any method (without making the captions).
bool HasDrawStatsMethods(const TStatList& list);

// The calculation key: a non-forced recalculation runs only when it changed.
struct TDrawStatsKey {
  int ArchiveCount = -1;
  int Offset = -1;
  int Depth = -1;
  int Method = -1;
  bool operator==(const TDrawStatsKey&) const = default;
};

// The state of the statistics view that the session owns.
struct TDrawStatsState {
  int Method = -1;  // selected method (index into the method list), -1 none
  int Depth = 1000;
  TDrawStatsKey Key;
  TDrawStatsTable Table;
  int SortColumn = -1;  // the user's sort, -1 list order
  bool SortDescending = false;
};

constexpr int kMinDrawsStatLen = 1;
constexpr int kMaxDrawsStatLen = 2147483647;
// The depth a stored DrawsStatLen gives (the program and the tools read it alike).
inline int StoredDrawsStatLen(int64_t stored) {
  return static_cast<int>(stored < kMinDrawsStatLen   ? kMinDrawsStatLen
                          : stored > kMaxDrawsStatLen ? kMaxDrawsStatLen
                                                      : stored);
}

}  // namespace vetrilo
