#include "stakes/stake_charts.h"

#include <algorithm>
#include <unordered_map>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/money_text.h"
#include "core/translate.h"

namespace vetrilo {

const char* const kChartNoDataError =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного "
    "тиража!";

void TGraphData::AddPoint(int32_t x, std::string_view title, double y, bool showPoints,
                          bool showMarks, int64_t color) {
  TGraphSeries* series = nullptr;
  for (TGraphSeries& s : Series) {
    if (SameTextIgnoringCase(s.Title, title)) {
      series = &s;
      break;
    }
  }
  if (!series) {
    Series.push_back({std::string(title), color, showPoints, showMarks, {}});
    series = &Series.back();
  }
  series->Points.push_back({x, y});
}

void AddDrawProfit(TProfitDrawArray& array, int32_t draw, TMoney profit) {
  for (TProfitDrawRec& r : array) {
    if (r.DrawNumber == draw) {
      r.Profit += profit;
      return;
    }
  }
  array.push_back({draw, profit});
}

TMoneySum TProfitTable::Mean() const {
  return Rows.empty() ? 0 : RoundSumDivAway(Total, static_cast<int64_t>(Rows.size()));
}

long double TProfitTable::MeanValue() const {
  return Rows.empty() ? 0
                      : static_cast<long double>(Total) / static_cast<long double>(Rows.size()) /
                            kMoneyScale;
}

TProfitTable ProfitPerDraw(const TStakeFile& file) {
  TProfitDrawArray array;
  std::unordered_map<int32_t, size_t> at;  // the same as the search, without its cost
  for (int64_t i = 0; i < file.Count(); ++i) {
    const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
    if (r.DrawNumber < 0) continue;
    auto [it, added] = at.emplace(r.DrawNumber, array.size());
    if (added) {
      array.push_back({r.DrawNumber, r.Profit});
    } else {
      array[it->second].Profit += r.Profit;
    }
  }
  if (array.empty()) throw EVetrilo(Tr(kChartNoDataError));
  TProfitTable table;
  for (const TProfitDrawRec& d : array) {
    table.Total += d.Profit;
    table.Rows.push_back({d.DrawNumber, d.Profit, table.Total});
  }
  return table;
}

TGraphData ProfitChart(const TProfitTable& table) {
  TGraphData chart;
  const double mean = static_cast<double>(table.MeanValue());
  for (const TProfitRow& row : table.Rows) {
    chart.AddPoint(row.DrawNumber, Tr("Суммарный профит ставок по тиражу"),
                   static_cast<double>(row.Profit) / kMoneyScale, true, true, 0x008000);
    chart.AddPoint(row.DrawNumber, Tr("Среднее значение"), mean, false, false, 0x0000FF);
    chart.AddPoint(row.DrawNumber, Tr("Накопленное значение"),
                   static_cast<double>(row.Total) / kMoneyScale, true, true, 0xFF0000);
  }
  return chart;
}

std::string ProfitTsv(const TProfitTable& table) {
  std::string out =
      Tr("№ тиража\tСуммарный профит ставок по тиражу\tНакопленное значение\tСреднее значение\n");
  const std::string mean = MoneySumText(table.Mean(), 4);
  for (const TProfitRow& row : table.Rows) {
    out += std::to_string(row.DrawNumber) + '\t' + MoneySumText(row.Profit, 4) + '\t' +
           MoneySumText(row.Total, 4) + '\t' + mean + '\n';
  }
  return out;
}

namespace {

bool IsRatedStake(const TStakeRec& r) {
  return r.IsChecked() && r.DrawNumber > 0 && r.MatchesCount >= 0;
}

}  // namespace

int64_t RatedStakesStart(const TStakeFile& file, int64_t* draws) {
  int64_t counted = 0;
  int64_t start = 0;
  bool any = false;
  int32_t current = 0;
  for (int64_t i = file.Count() - 1; i >= 0; --i) {
    const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
    if (!IsRatedStake(r)) continue;
    if (!any || r.DrawNumber != current) {
      if (counted == 100) {
        start = i + 1;
        break;
      }
      ++counted;
      current = r.DrawNumber;
      any = true;
    }
  }
  if (draws) *draws = counted;
  return start;
}

TGraphData RatedStakesChart(const TStakeFile& file, const std::vector<std::string>& labels,
                            bool overlap) {
  if (labels.empty()) throw EVetrilo(Tr(kChartNoDataError));
  int64_t draws = 0;
  const int64_t start = RatedStakesStart(file, &draws);
  if (draws < 2) throw EVetrilo(Tr(kChartNoDataError));
  std::vector<std::string> keys;
  for (const std::string& l : labels) keys.push_back(Utf8UpperCase(l));
  TGraphData chart;
  for (int64_t i = start; i < file.Count(); ++i) {
    const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
    if (!IsRatedStake(r)) continue;
    const std::string key = Utf8UpperCase(r.Comment);
    bool wanted = false;
    for (const std::string& k : keys) wanted = wanted || k == key;
    if (!wanted) continue;
    chart.AddPoint(r.DrawNumber, r.Comment,
                   overlap ? double(r.MatchesCount) : double(r.Profit) / kMoneyScale, true, true,
                   0);
  }
  return chart;
}

TGraphData RatingsOverlapChart(const std::vector<TRatingRec>& ratings) {
  TGraphData chart;
  int64_t nmax = 0;
  for (const TRatingRec& r : ratings) nmax = std::max<int64_t>(nmax, r.Stakes);
  for (int k = 0; k <= 4; ++k) {
    chart.AddPoint(k, Tr("Нормальные значения"), static_cast<double>(ExpectedHits(nmax, k)), true,
                   false, 0x808080);
  }
  for (const TRatingRec& r : ratings) {
    for (int k = 0; k <= 4; ++k) chart.AddPoint(k, r.Label, r.Hits[size_t(k)], true, false, 0);
  }
  return chart;
}

}  // namespace vetrilo
