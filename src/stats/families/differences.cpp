#include "stats/families/differences.h"

#include <algorithm>
#include <cstdlib>

namespace vetrilo {

std::array<int, 3> NeighbourDiffs(TComb comb) {
  std::array<int, 3> d{};
  for (int i = 1; i <= 3; ++i)
    d[size_t(i - 1)] = std::abs(CombByte(comb, i + 1) - CombByte(comb, i));
  return d;
}

TDiffCounts DiffCounts(TComb comb) {
  TDiffCounts counts;
  for (int d : NeighbourDiffs(comb)) {
    TStatSimpleRec* e = counts.Items.data();
    while (e != counts.end() && e->Key != d) ++e;
    if (e == counts.end()) {
      *e = {d, 1};
      ++counts.Size;
    } else {
      ++e->Count;
    }
  }
  return counts;
}

// DIFA

void TstDiffTotal::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int d = 1; d <= kMaxNumber - 1; ++d) AddWords(list, false, d);
}

void TstDiffTotal::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  for (int d : NeighbourDiffs(comb)) AddWords(list, false, d);
}

void TstDiffTotal::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                 TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const std::array<int, 3> d = NeighbourDiffs(Draw.Comb());
  // Only the first difference tracks gaps; the others still count and move the
  // entry's latest occurrence.
  AddWords(list, true, d[0]);
  AddWords(list, false, d[1]);
  AddWords(list, false, d[2]);
}

bool TstDiffTotal::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (int d : NeighbourDiffs(comb)) {
    if (ListHasWord(selected, 1, int16_t(d))) return true;
  }
  return false;
}

// DIFM, DIFD, DIFK

void TCustomDiffValueStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, ValueOf(comb));
}

void TCustomDiffValueStat::GetDrawValues(int index, int lastIndex, bool sorted,
                                         TStatDrawArray& list, TSeriesState& state,
                                         TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, ValueOf(Draw.Comb()));
}

bool TCustomDiffValueStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool,
                                       bool) {
  return ListHasWord(selected, 1, int16_t(ValueOf(comb)));
}

int32_t TCustomDiffValueStat::GetGraphValue(TComb comb, int, int, bool) {
  return ValueOf(comb);
}

int TstDiffMax::ValueOf(TComb comb) const {
  const std::array<int, 3> d = NeighbourDiffs(comb);
  return std::max({d[0], d[1], d[2]});
}

void TstDiffMax::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int d = 1; d <= kMaxNumber - 1; ++d) AddWords(list, false, d);
}

int TstMinMaxDiffs::ValueOf(TComb comb) const {
  int low = kMaxNumber, high = 1;
  for (int i = 1; i <= 4; ++i) {
    const int n = CombByte(comb, i);
    if (n < low) low = n;
    if (n > high) high = n;
  }
  return high - low;
}

void TstMinMaxDiffs::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int d = 1; d <= kMaxNumber - 1; ++d) AddWords(list, false, d);
}

int TstDiffSameCnt::ValueOf(TComb comb) const {
  int most = 0;
  for (const TStatSimpleRec& e : DiffCounts(comb)) most = std::max(most, int(e.Count));
  return most;
}

void TstDiffSameCnt::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int c = 1; c <= 3; ++c) AddWords(list, false, c);
}

// DIFO

std::string TstDiffSame::ValueToText(const TStatDrawRec& value) const {
  return Format("%0:d x %1:d", {int(value.Value[0]), int(value.Value[1])});
}

void TstDiffSame::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  for (const TStatSimpleRec& e : DiffCounts(comb)) AddWords(list, false, e.Key, e.Count);
}

void TstDiffSame::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  for (const TStatSimpleRec& e : DiffCounts(Draw.Comb())) AddWords(list, true, e.Key, e.Count);
}

bool TstDiffSame::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (const TStatSimpleRec& e : DiffCounts(comb)) {
    if (ListHasValue(selected, int16_t(e.Key), int16_t(e.Count), 0, 0)) return true;
  }
  return false;
}

// KDS2, KDS3, KDS4

std::string TCustomCombDiffSeqStat::ValueToText(const TStatDrawRec& value) const {
  std::string text;
  for (int i = 0; i < RunLength(); ++i) {
    if (i > 0) text += ':';
    text += NumberText(value.Value[i]);
  }
  return text;
}

void TstCombDiffSeq2::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                    TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const std::array<int, 3> d = NeighbourDiffs(Draw.Comb());
  AddWords(list, true, d[0], d[1]);
  AddWords(list, false, d[1], d[2]);
}

bool TstCombDiffSeq2::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  const std::array<int, 3> d = NeighbourDiffs(comb);
  return ListHasValue(selected, int16_t(d[0]), int16_t(d[1]), 0, 0) ||
         ListHasValue(selected, int16_t(d[1]), int16_t(d[2]), 0, 0);
}

void TstCombDiffSeq3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                    TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const std::array<int, 3> d = NeighbourDiffs(Draw.Comb());
  AddWords(list, true, d[0], d[1], d[2]);
}

bool TstCombDiffSeq3::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  const std::array<int, 3> d = NeighbourDiffs(comb);
  return ListHasValue(selected, int16_t(d[0]), int16_t(d[1]), int16_t(d[2]), 0);
}

}  // namespace vetrilo
