#include "views/draw_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/translate.h"
#include "stats/fact_search.h"
#include "stats/stat_protocols.h"

namespace vetrilo {

const std::array<std::string, kDrawStatsColumns>& DrawStatsCaptions() {
  static const std::array<std::string, kDrawStatsColumns> captions = {
      Tr("Значение"),    Tr("Количество"), Tr("Кол-во в %"),  Tr("Норма"),    Tr("Отклонение"),
      Tr("Откл-ие в %"), Tr("Глубина"),    Tr("Глубина в %"), Tr("Вес"),      Tr("Посл. тираж"),
      Tr("Период min"),  Tr("Период"),     Tr("Период max"),  Tr("Ожд. ПРД"), Tr("Ожд. СТФ"),
      Tr("Ожд. КРН"),    Tr("Факт"),       Tr("+/- ПРД"),     Tr("+/- СТФ"),  Tr("+/- КРН")};
  return captions;
}

bool IsNormColumn(int column) {
  return column == kDsNorm || column == kDsDeviation || column == kDsDeviationPct;
}

bool IsNumericColumn(int column) {
  return column > kDsValue && column < kDrawStatsColumns;
}

int64_t RoundRatioHalfEven(__int128 num, __int128 den) {
  if (den < 0) num = -num, den = -den;
  __int128 q = num / den;
  __int128 r = num % den;
  if (r < 0) q -= 1, r += den;  // floor division: 0 <= r < den
  if (2 * r > den || (2 * r == den && q % 2 != 0)) q += 1;
  return static_cast<int64_t>(q);
}

namespace {

std::string Fixed(double value, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", digits, value);
  return buf;
}

std::string Int(int64_t value) {
  return std::to_string(value);
}

std::string Signed(int64_t diff) {
  return diff > 0 ? "+" + Int(diff) : Int(diff);
}

// The forecasts multiply in 32-bit integers and wrap on overflow, so large draw
// numbers give the same forecasts as in tables users already keep.
int32_t Mul32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

int32_t Add32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

TStatDrawRec RecordOf(const TDfcRecord& d) {
  TStatDrawRec r;
  std::memcpy(r.Value, d.Value, sizeof r.Value);
  r.Count = d.Count;
  return r;
}

}  // namespace

std::array<std::string, kDrawStatsColumns> DrawStatsCells(const TStatDrawRec& r,
                                                          const std::string& valueText,
                                                          const TDrawStatsCellInput& in) {
  std::array<std::string, kDrawStatsColumns> c;
  const int64_t total = in.Totals.Total;
  const int32_t maxAgo = in.Totals.MaxAgo;
  c[kDsValue] = valueText;
  c[kDsCount] = Int(r.Count);
  c[kDsCountPct] = total == 0 ? "-" : Fixed(double(int64_t{r.Count} * 100) / double(total), 5);
  if (in.HasNorm) {
    const int64_t deviation = int64_t{r.Count} - r.Norm;
    c[kDsNorm] = Int(r.Norm);
    c[kDsDeviation] = Int(deviation);
    if (r.Norm == 0) {
      c[kDsDeviationPct] = Fixed(r.Count == 0 ? 0.0 : 100.0, 5);
    } else {
      c[kDsDeviationPct] = Fixed(double(deviation * 100) / double(r.Norm), 5);
    }
  } else {
    c[kDsNorm] = c[kDsDeviation] = c[kDsDeviationPct] = "-";
  }
  if (r.Ago == 0) {
    for (int col = kDsAgo; col < kDrawStatsColumns; ++col) c[size_t(col)] = "-";
    return c;
  }
  c[kDsAgo] = Int(r.Ago);
  c[kDsAgoPct] = maxAgo == 0 ? "-" : Fixed(double(int64_t{r.Ago} * 100) / double(maxAgo), 2);
  c[kDsWeight] =
      Fixed(double(CdlScore(in.Cdl, in.HasNorm, r.Count, maxAgo, total, r.Ago, r.Norm)), 2);
  c[kDsLastDraw] = Int(r.LastDraw);

  std::optional<int64_t> prd, stf, krn;
  if (r.Count < 2) {
    c[kDsMinGap] = c[kDsPeriod] = c[kDsMaxGap] = c[kDsExpPrd] = "-";
  } else {
    c[kDsMinGap] = Int(r.MinGap);
    c[kDsPeriod] = Fixed(double(in.Analysed) / double(r.Count), 4);
    c[kDsMaxGap] = Int(r.MaxGap);
    prd = RoundRatioHalfEven(__int128{r.LastDraw} * r.Count + in.Analysed, r.Count);
    c[kDsExpPrd] = Int(*prd);
  }
  // A value never counted has no rate to forecast from.
  if (r.Count != 0) stf = RoundRatioHalfEven(Mul32(r.LastDraw, Add32(r.Count, 1)), r.Count);
  c[kDsExpStf] = stf ? Int(*stf) : "-";
  const int32_t krnDen = Add32(r.Count, 1);
  if (krnDen != 0) {
    krn = RoundRatioHalfEven(Mul32(Add32(r.LastDraw, 1), Add32(r.Count, 2)), krnDen);
  }
  c[kDsExpKrn] = krn ? Int(*krn) : "-";

  if (!in.FactKnown) {
    c[kDsFact] = c[kDsDiffPrd] = c[kDsDiffStf] = c[kDsDiffKrn] = "";
  } else if (in.Fact == -1) {
    c[kDsFact] = c[kDsDiffPrd] = c[kDsDiffStf] = c[kDsDiffKrn] = "-";
  } else {
    c[kDsFact] = Int(in.Fact);
    c[kDsDiffPrd] = prd ? Signed(*prd - in.Fact) : "-";
    c[kDsDiffStf] = stf ? Signed(*stf - in.Fact) : "-";
    c[kDsDiffKrn] = krn ? Signed(*krn - in.Fact) : "-";
  }
  return c;
}

void BuildDrawStats(TCustomStat& stat, const TDrawStatsInput& input,
                    const TDistribution* distribution, TDrawStatsTable& table) {
  table.Clear();
  table.LastIndex = input.LastIndex;
  table.FirstIndex = FirstIndexForDepth(input.LastIndex, input.Depth);
  table.Analysed = input.LastIndex >= table.FirstIndex ? input.LastIndex - table.FirstIndex + 1 : 0;

  TStatDrawArray list;
  if (table.Analysed > 0) {
    list = RangeValues(stat, table.FirstIndex, table.LastIndex, input.Sorted);
  }
  table.Totals = ListTotals(list);

  // Norm: the full-set counts scaled to the actual ones, as an exact ratio.
  __int128 scaleNum = 0, scaleDen = 1;
  if (distribution && distribution->MaxCount != 0) {
    table.HasNorm = true;
    const int64_t drawMin = table.Totals.MinCount, drawMax = table.Totals.MaxCount;
    if (distribution->MinCount == distribution->MaxCount) {
      scaleNum = drawMax + drawMin;
      scaleDen = __int128{2} * distribution->MaxCount;
    } else {
      scaleNum = drawMax;
      scaleDen = distribution->MaxCount;
    }
    for (const TDfcRecord& d : distribution->Records) {
      const int found = list.Find(d.Key());
      if (found >= 0) {
        list[size_t(found)].Norm =
            static_cast<int32_t>(RoundRatioHalfEven(scaleNum * d.Count, scaleDen));
      }
    }
  }

  TDrawStatsCellInput cellInput;
  cellInput.Analysed = table.Analysed;
  cellInput.Totals = table.Totals;
  cellInput.HasNorm = table.HasNorm;
  cellInput.Cdl = input.Cdl;
  const TDrawArchive& archive = *input.Archive;
  // "Факт" of every seen row from one shared pass over the later draws.
  std::vector<TFactQuery> queries;
  std::vector<size_t> queried;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].Ago == 0) continue;
    queries.push_back({list[i], archive.FindDrawIndex(list[i].LastDraw) + 1});
    queried.push_back(i);
  }
  std::vector<int32_t> facts(list.size(), -1);
  bool stopped = false;
  try {
    const std::vector<int32_t> found =
        FindValuesInDraws(stat, queries, input.LastIndex, input.Sorted, input.Hooks);
    for (size_t q = 0; q < queried.size(); ++q) facts[queried[q]] = found[q];
  } catch (const EStopped&) {
    // The rows are complete but for the next occurrence, which stays empty.
    stopped = true;
    cellInput.FactKnown = false;
  }
  table.Rows.reserve(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    cellInput.Fact = facts[i];
    table.Rows.push_back({list[i], DrawStatsCells(list[i], stat.ValueToText(list[i]), cellInput)});
  }
  table.FactsStopped = stopped;

  if (list.size() > 1) {
    TDrawStatsChart& chart = table.Chart;
    if (table.HasNorm) {
      const double scale = double(scaleNum) / double(scaleDen);
      double x = 0;
      for (const TDfcRecord& d : distribution->Records) {
        x += 1;
        const TStatDrawRec rec = RecordOf(d);
        const std::string label = stat.ValueToText(rec);
        if (input.ShowTotalLine) chart.Full.push_back({x, d.Count * scale, label});
        const int found = list.Find(d.Key());
        if (found >= 0) chart.Actual.push_back({x, double(list[size_t(found)].Count), label});
      }
    } else {
      TStatDrawArray sorted = list;
      SortStatValues(sorted);
      double x = 0;
      for (const TStatDrawRec& r : sorted) {
        x += 1;
        chart.Actual.push_back({x, double(r.Count), stat.ValueToText(r)});
      }
    }
  }
  if (stopped) throw EStopped();
}

std::vector<std::string> TDrawStatsTable::RowTexts(int row) const {
  static constexpr int kColumns[] = {kDsValue,        kDsCount,  kDsCountPct, kDsDeviation,
                                     kDsDeviationPct, kDsAgo,    kDsAgoPct,   kDsWeight,
                                     kDsMinGap,       kDsPeriod, kDsMaxGap};
  std::vector<std::string> texts;
  for (int col : kColumns) texts.push_back(Rows.at(size_t(row)).Cells[size_t(col)]);
  return texts;
}

std::vector<int> TDrawStatsTable::SortedOrder(int column, bool descending) const {
  std::vector<int> order(Rows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  if (column < 0 || column >= kDrawStatsColumns) return order;
  if (column == kDsValue) {
    auto less = [&](int a, int b) {
      const TStatDrawRec& x = Rows[size_t(a)].Rec;
      const TStatDrawRec& y = Rows[size_t(b)].Rec;
      return std::lexicographical_compare(x.Value, x.Value + 4, y.Value, y.Value + 4);
    };
    if (descending) {
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    } else {
      std::stable_sort(order.begin(), order.end(), less);
    }
    return order;
  }
  // "-" and any other text that is not a number sort below every number.
  std::vector<double> keys(Rows.size());
  for (size_t i = 0; i < Rows.size(); ++i) {
    const std::string& text = Rows[i].Cells[size_t(column)];
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    keys[i] = (text.empty() || *end != '\0') ? -HUGE_VAL : v;
  }
  if (descending) {
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[size_t(a)] > keys[size_t(b)]; });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
  }
  return order;
}

std::string TDrawStatsTable::CopyText(const std::vector<int>& rows,
                                      const std::vector<int>& columns) const {
  std::string text;
  for (int row : rows) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) text += '\t';
      text += Rows.at(size_t(row)).Cells.at(size_t(columns[i]));
    }
    text += '\n';
  }
  return text;
}

TAxisLabelPlan PlanAxisLabels(size_t count, double axisWidth, double widestLabel,
                              double lineHeight) {
  if (count == 0 || axisWidth <= 0) return {};
  const double slot = axisWidth / static_cast<double>(count);
  auto niceStep = [&](double room) {
    const double needed = std::max(1.0, std::ceil(room / slot));
    for (size_t decade = 1;; decade *= 10) {
      for (size_t m : {1, 2, 5}) {
        if (static_cast<double>(m * decade) >= needed) return m * decade;
      }
      if (decade > count) return count;
    }
  };
  const size_t upright = niceStep(widestLabel + lineHeight);
  const size_t turned = niceStep(lineHeight * 1.25);
  // Upright labels read best; they are kept while they show at least half as
  // many values as turned ones would.
  if (upright <= 2 * turned) return {upright, false};
  return {turned, true};
}

namespace {

bool IsDrawStatsItem(const TStatList& list, int i) {
  const TStatClass& cls = *list.Item(i).Stat;
  return cls.IsEnabled() && cls.IsDrawStat() && list.IsListed(i);
}

}  // namespace

bool HasDrawStatsMethods(const TStatList& list) {
  for (int i = 0; i < list.Count(); ++i) {
    if (IsDrawStatsItem(list, i)) return true;
  }
  return false;
}

std::vector<TMethodItem> DrawStatsMethodItems(const TStatList& list) {
  std::vector<TMethodItem> items;
  for (int i = 0; i < list.Count(); ++i) {
    if (IsDrawStatsItem(list, i)) {
      items.push_back({i, list.MethodCaption(i, true)});
    }
  }
  if (list.Ordered) {
    std::vector<std::pair<std::string, TMethodItem>> keyed;
    for (TMethodItem& item : items) keyed.push_back({Utf8UpperCase(item.Caption), item});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < items.size(); ++i) items[i] = keyed[i].second;
  }
  return items;
}

}  // namespace vetrilo
