#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/combinatorics.h"
#include "core/money_text.h"
#include "scripts/ratings.h"
#include "stakes/stake_file.h"

namespace vetrilo {

// "Для построения графиков необходимо, ..."
extern const char* const kChartNoDataError;

// A chart as named line series; the window draws it.
struct TGraphPoint {
  int32_t X = 0;
  double Y = 0;
};
struct TGraphSeries {
  std::string Title;
  int64_t Color = 0;  // 0xRRGGBB; 0: the chart's own colour
  bool ShowPoints = false;
  bool ShowMarks = false;  // created with value labels: they follow the window's check box
  std::vector<TGraphPoint> Points;
};
struct TGraphData {
  std::vector<TGraphSeries> Series;
  // Into the series of that title (found ignoring case; a new one takes the
  // given look).
  void AddPoint(int32_t x, std::string_view title, double y, bool showPoints, bool showMarks,
                int64_t color);
};

// Profit per draw in the order of first appearance.
struct TProfitDrawRec {
  int32_t DrawNumber = 0;
  TMoneySum Profit = 0;
};
using TProfitDrawArray = std::vector<TProfitDrawRec>;
void AddDrawProfit(TProfitDrawArray& array, int32_t draw, TMoney profit);

struct TProfitRow {
  int32_t DrawNumber = 0;
  TMoneySum Profit = 0;
  TMoneySum Total = 0;  // running total up to this draw
};
struct TProfitTable {
  std::vector<TProfitRow> Rows;
  TMoneySum Total = 0;
  // Total / number of draws in money, rounded exactly (halves away from zero).
  TMoneySum Mean() const;
  long double MeanValue() const;  // in currency units, for the chart
};
// From every record with DrawNumber >= 0; throws EVetrilo kChartNoDataError when none.
TProfitTable ProfitPerDraw(const TStakeFile& file);
TGraphData ProfitChart(const TProfitTable& table);
// The same as TSV: captions, then draw, profit, running total, mean.
std::string ProfitTsv(const TProfitTable& table);

// Match counts (overlap) or profits of the stakes of the given labels over the
// newest 100 draws with checked stakes. Throws kChartNoDataError.
TGraphData RatedStakesChart(const TStakeFile& file, const std::vector<std::string>& labels,
                            bool overlap);
// Record index the rated-stakes charts start from.
int64_t RatedStakesStart(const TStakeFile& file, int64_t* draws);

// Match count distribution of the chosen ratings against chance.
TGraphData RatingsOverlapChart(const std::vector<TRatingRec>& ratings);

}  // namespace vetrilo
