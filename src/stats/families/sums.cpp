#include "stats/families/sums.h"

#include "core/translate.h"
#include "stats/families/numbers.h"

namespace vetrilo {

namespace {

constexpr TstSumRanges::TRange kSumRanges[3] = {
    {56, 136, 1, 3},
    {64, 128, 1, 2},
    {71, 121, 2, 3},
};

int Sign(int v) {
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

}  // namespace

int CombSum(TComb comb) {
  return CombByte(comb, 1) + CombByte(comb, 2) + CombByte(comb, 3) + CombByte(comb, 4);
}

// SUMS, SUME, SUMP

void TCustomSumStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, SumOf(comb));
}

void TCustomSumStat::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return WordKey(SumOf(comb)); });
}

void TCustomSumStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                   TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, SumOf(Draw.Comb()));
}

bool TCustomSumStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasPair(selected, SumOf(comb), 0);
}

int32_t TCustomSumStat::GetGraphValue(TComb comb, int, int, bool) {
  return SumOf(comb);
}

void TstSumValues::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int s = Game().MinSum; s <= Game().MaxSum; ++s) AddWords(list, false, s);
}

int TstSumEvenValues::SumOf(TComb comb) const {
  int s = 0;
  for (int i = 1; i <= 4; ++i) {
    const int n = CombByte(comb, i);
    if (IsEvenNumber(n)) s += n;
  }
  return s;
}

int TstSumPrimeValues::SumOf(TComb comb) const {
  int s = 0;
  for (int i = 1; i <= 4; ++i) {
    const int n = CombByte(comb, i);
    if (IsPrimeNumber(n)) s += n;
  }
  return s;
}

// SUM%d

TstSumRanges::TRange TstSumRanges::RangeOf(int param) {
  if (param < 1 || param > 3) return {1, 0, 0, 0};
  return kSumRanges[param - 1];
}

std::string TstSumRanges::CaptionFor(int param) {
  const TRange r = RangeOf(param);
  return Format(Tr(kCaption), {param, r.Numerator, r.Denominator});
}

int TstSumRanges::InRange(TComb comb) const {
  const TRange r = RangeOf(Param);
  const int s = CombSum(comb);
  return s >= r.Low && s <= r.High ? 1 : 0;
}

std::string TstSumRanges::ValueToText(const TStatDrawRec& value) const {
  if (value.Value[0] != 1) return Tr("Остальные");
  const TRange r = RangeOf(Param);
  return Format("%d-%d", {r.Low, r.High});
}

void TstSumRanges::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddWords(list, false, 0);
  AddWords(list, false, 1);
}

void TstSumRanges::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, InRange(comb));
}

void TstSumRanges::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return WordKey(InRange(comb)); });
}

void TstSumRanges::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                 TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, InRange(Draw.Comb()));
}

bool TstSumRanges::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  // Selecting the range wins over selecting the rest.
  const bool inside = ListHasValue(selected, 1, 0, 0, 0);
  return InRange(comb) == (inside ? 1 : 0);
}

int32_t TstSumRanges::GetGraphValue(TComb comb, int, int, bool) {
  return InRange(comb);
}

// SUMC

std::string TstSumChange::ValueToText(const TStatDrawRec& value) const {
  const int32_t a = value.Half(1);
  const int32_t b = value.Half(2);
  if (b < a) return Format("- %0:.2d : %1:d - %0:d = %2:d", {a - b, a, b});
  return Format("+%0:.2d : %1:d + %0:d = %2:d", {b - a, a, b});
}

void TstSumChange::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                 TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const int previous = GetDraw(index - 1, sorted).Sum();
  if (previous != RefDraw.Sum()) return;
  AddHalves(list, true, previous, Draw.Sum());
}

bool TstSumChange::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasLong(selected, 2, CombSum(comb));
}

int32_t TstSumChange::GetGraphValue(TComb comb, int index, int, bool sorted) {
  return CombSum(comb) - GetDraw(index - 1, sorted).Sum();
}

// SUMV

std::string TstSumChangeSome::ValueToText(const TStatDrawRec& value) const {
  const int32_t d = value.Half(1);
  if (d >= 0) return Format("+%0:.2d", {d});
  return Format("- %0:.2d", {-int64_t{d}});
}

void TstSumChangeSome::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                     TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const int previous = GetDraw(index - 1, sorted).Sum();
  const int reference = RefDraw.Sum();
  const int band = Game().SumBandWidth;
  if (previous < reference - band || previous > reference + band) return;
  AddHalves(list, true, Draw.Sum() - previous);
}

bool TstSumChangeSome::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                                   bool sorted, bool) {
  LoadDraws(lastIndex, lastIndex, sorted);
  return ListHasLong(selected, 1, CombSum(comb) - RefDraw.Sum());
}

// SUMT

std::string TstSumTrend::ValueToText(const TStatDrawRec& value) const {
  const int32_t d = value.Half(1);
  return d == 0 ? "=" : (d > 0 ? "+" : "-");
}

void TstSumTrend::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddHalves(list, false, 0);
  AddHalves(list, false, 1);
  AddHalves(list, false, -1);
}

void TstSumTrend::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const int previous = GetDraw(index - 1, sorted).Sum();
  if (previous != RefDraw.Sum()) return;
  AddHalves(list, true, Sign(Draw.Sum() - previous));
}

bool TstSumTrend::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                              bool sorted, bool) {
  LoadDraws(lastIndex, lastIndex, sorted);
  return ListHasLong(selected, 1, Sign(CombSum(comb) - RefDraw.Sum()));
}

int32_t TstSumTrend::GetGraphValue(TComb comb, int index, int, bool sorted) {
  return Sign(CombSum(comb) - GetDraw(index - 1, sorted).Sum());
}

// S2T3

int TstSum2To3::CountOf(TComb comb) {
  const int n[4] = {CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3), CombByte(comb, 4)};
  int count = 0;
  // Every number against every pair of the other three.
  for (int i = 0; i < 4; ++i) {
    const int a = n[(i + 1) % 4], b = n[(i + 2) % 4], c = n[(i + 3) % 4];
    count += (a + b == n[i]) + (a + c == n[i]) + (b + c == n[i]);
  }
  return count;
}

void TstSum2To3::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, CountOf(comb));
}

void TstSum2To3::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return WordKey(CountOf(comb)); });
}

void TstSum2To3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                               TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, CountOf(Draw.Comb()));
}

bool TstSum2To3::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasWord(selected, 1, int16_t(CountOf(comb)));
}

int32_t TstSum2To3::GetGraphValue(TComb comb, int, int, bool) {
  return CountOf(comb);
}

}  // namespace vetrilo
