#include "views/draw_graphs.h"

#include <algorithm>

#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"
#include "stats/custom_stat.h"
#include "stats/stat_values.h"
#include "views/number_tally.h"

namespace vetrilo {

namespace {

TCustomGraphStat& GraphOf(TCustomStat& stat) {
  auto* graph = dynamic_cast<TCustomGraphStat*>(&stat);
  if (!graph) throw EVetrilo(stat.GetName() + ": no graph value");
  return *graph;
}

}  // namespace

TDrawGraph BuildDrawGraph(TCustomStat& stat, const std::string& caption,
                          const TDrawArchive& archive, int offset, int depth, bool sorted) {
  TDrawGraph graph;
  graph.Caption = caption;
  const TDrawWindow window = ViewWindow(archive, offset, depth);
  if (window.Empty()) return graph;
  TCustomGraphStat& g = GraphOf(stat);
  // Value and count in order of first occurrence: on a tie the earlier value wins.
  std::vector<std::pair<int32_t, int>> counts;
  double sum = 0;
  for (int i = window.First; i <= window.Last; ++i) {
    const int32_t v = g.GetDrawGraphValue(i, window.Last, sorted);
    const int number = archive.Draws[size_t(i)].Number;
    graph.Values.push_back({double(number), double(v), IntegerText(number)});
    sum += v;
    auto it =
        std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == v; });
    if (it == counts.end()) {
      counts.push_back({v, 1});
    } else {
      ++it->second;
    }
  }
  graph.Mean = sum / double(graph.Values.size());
  int best = 0;
  for (const auto& [value, count] : counts) {
    if (count > best) {
      best = count;
      graph.Mode = value;
    }
  }
  return graph;
}

std::string DrawGraphMeanText(const TDrawGraph& graph) {
  return Format("%.4f", {graph.Mean});
}

std::vector<TMethodItem> DrawGraphMethodItems(const TStatList& list) {
  std::vector<TMethodItem> items;
  for (const TMethodItem& item : DrawStatsMethodItems(list)) {
    if (list.Item(item.Method).Stat->HasGraph()) items.push_back(item);
  }
  return items;
}

namespace {

std::vector<TInfoRow> GraphRows(const TStatList& list, TComb comb, int index, int lastIndex,
                                bool sorted) {
  std::vector<TInfoRow> rows;
  for (int i = 0; i < list.Count(); ++i) {
    const TStatMethod& method = list.Item(i);
    if (!method.Stat->IsEnabled() || !method.Stat->HasGraph()) continue;
    auto stat = list.CreateStat(method);
    rows.push_back({stat->GetName(),
                    IntegerText(GraphOf(*stat).GetGraphValue(comb, index, lastIndex, sorted))});
  }
  return rows;
}

}  // namespace

std::vector<TInfoRow> DrawInfoRows(const TStatList& list, const TDrawArchive& archive, int index,
                                   bool sorted) {
  if (index < 0 || index >= archive.Count()) return {};
  const TDrawRec& draw = archive.Draws[size_t(index)];
  std::vector<TInfoRow> rows{{Tr("Номер тиража:"), IntegerText(draw.Number)},
                             {Tr("Дата тиража:"), draw.Date}};
  for (TInfoRow& row : GraphRows(list, draw.Comb(), index, index, sorted)) {
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<TInfoRow> CombInfoRows(const TStatList& list, const TDrawArchive& archive, TComb comb,
                                   int offset, bool sorted) {
  const int next = archive.Count() == 0 ? 0 : archive.LastIndex(offset) + 1;
  return GraphRows(list, comb, next, next, sorted);
}

int InfoMatrixRows(int columns) {
  return columns < 1 ? 0 : CeilDiv(kMaxNumber, columns);
}

int InfoMatrixNumber(int row, int column, int columns) {
  if (columns < 1 || row < 0 || column < 0 || column >= columns) return 0;
  const int n = row * columns + column + 1;
  return n <= kMaxNumber ? n : 0;
}

std::string InfoMatrixText(int row, int column, int columns, TComb comb) {
  const int n = InfoMatrixNumber(row, column, columns);
  return n > 0 && CombHasNumber(comb, n) ? NumberText(n) : "";
}

TCellColor InfoMatrixColor(int row, int column, int columns, int channelSize) {
  const int n = InfoMatrixNumber(row, column, columns);
  if (n == 0) return {};
  return {"channel", ChannelColor(n, channelSize)};
}

}  // namespace vetrilo
