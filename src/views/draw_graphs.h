#pragma once

#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "stats/stat_list.h"
#include "views/draw_stats.h"
#include "views/view_grid.h"

namespace vetrilo {

class TCustomGraphStat;

// The graphs tab: the one numeric value of a graph statistic for each of the
// last N visible draws, with its mean and its most frequent value.
struct TDrawGraph {
  static constexpr const char* kMeanName = "Среднее значение";
  static constexpr const char* kModeName = "Наиболее часто встречающееся значение";
  std::string Caption;              // the statistic's caption, the main series' title
  std::vector<TChartPoint> Values;  // x = draw number, oldest first
  double Mean = 0;
  int Mode = 0;
  bool Empty() const { return Values.empty(); }
};

// The mean as the tab and the tool show it ("%.4f").
std::string DrawGraphMeanText(const TDrawGraph& graph);

// The window ends at the newest visible draw and reaches `depth` draws back (not below the
// oldest). The statistic must have a graph.
TDrawGraph BuildDrawGraph(TCustomStat& stat, const std::string& caption,
                          const TDrawArchive& archive, int offset, int depth, bool sorted);

// The selector "Тип графика": the listed methods that have a graph.
std::vector<TMethodItem> DrawGraphMethodItems(const TStatList& list);

// The information window: the values of every listed graph method for one draw
// or one combination, and the number matrix with its four numbers.
struct TInfoRow {
  std::string Name;
  std::string Value;
};
// A draw (by its archive index) is evaluated at its own index.
std::vector<TInfoRow> DrawInfoRows(const TStatList& list, const TDrawArchive& archive, int index,
                                   bool sorted);
// A combination is treated as the draw after the newest visible one.
std::vector<TInfoRow> CombInfoRows(const TStatList& list, const TDrawArchive& archive, TComb comb,
                                   int offset, bool sorted);

// The matrix of numbers 1..47 in `columns` columns: which number a cell holds
// (0 past 47), and whether the draw or combination has it (then the cell shows it).
int InfoMatrixRows(int columns);
int InfoMatrixNumber(int row, int column, int columns);
std::string InfoMatrixText(int row, int column, int columns, TComb comb);
// The channel colour of the cell's number; none past 47.
TCellColor InfoMatrixColor(int row, int column, int columns, int channelSize);

}  // namespace vetrilo
