#include "stats/families/sequences.h"

#include <algorithm>

namespace vetrilo {

namespace {

// Neighbours at positions i - 1 and i continue a run. The value lists take only
// ascending steps; the graphs take a step of 1 either way.
bool Continues(TComb comb, int i, bool eitherWay) {
  const int prev = CombByte(comb, i - 1);
  const int cur = CombByte(comb, i);
  return cur == prev + 1 || (eitherWay && cur == prev - 1);
}

int CountRuns(TComb comb, bool eitherWay) {
  int extra = 0;
  int count = 0;
  for (int i = 2; i <= 4; ++i) {
    if (Continues(comb, i, eitherWay)) {
      ++extra;
      if (i == 4) ++count;
    } else {
      if (extra > 0) ++count;
      extra = 0;
    }
  }
  return count;
}

int LongestRun(TComb comb, bool eitherWay, int none) {
  int best = none;
  int current = 1;
  for (int i = 2; i <= 4; ++i) {
    if (Continues(comb, i, eitherWay)) {
      ++current;
      best = std::max(best, current);
    } else {
      current = 1;
    }
  }
  return best;
}

}  // namespace

int SequenceLengths(TComb comb, int (&lengths)[4]) {
  int runs = 0;
  int length = 1;
  for (int i = 2; i <= 4; ++i) {
    if (Continues(comb, i, false)) {
      ++length;
    } else {
      lengths[runs++] = length;
      length = 1;
    }
  }
  lengths[runs++] = length;
  return runs;
}

int SequenceCount(TComb comb) {
  return CountRuns(comb, false);
}

int SequenceLenMax(TComb comb) {
  return LongestRun(comb, false, 1);
}

// SEQL

void TstSequenceLen::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 1; n <= 4; ++n) AddWords(list, false, n);
}

void TstSequenceLen::AddLengths(TStatDrawArray& list, TComb comb, bool trackGaps) {
  int lengths[4];
  const int runs = SequenceLengths(comb, lengths);
  for (int i = 0; i < runs; ++i) AddWords(list, trackGaps, lengths[i]);
}

void TstSequenceLen::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddLengths(list, comb, false);
}

void TstSequenceLen::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                   TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddLengths(list, Draw.Comb(), true);
}

bool TstSequenceLen::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  int lengths[4];
  const int runs = SequenceLengths(comb, lengths);
  for (int i = 0; i < runs; ++i) {
    if (ListHasWord(selected, 1, int16_t(lengths[i]))) return true;
  }
  return false;
}

// SEQS

void TstSequenceCnt::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 0; n <= 2; ++n) AddWords(list, false, n);
}

void TstSequenceCnt::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, SequenceCount(comb));
}

void TstSequenceCnt::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                   TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, SequenceCount(Draw.Comb()));
}

bool TstSequenceCnt::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasWord(selected, 1, int16_t(SequenceCount(comb)));
}

int32_t TstSequenceCnt::GetGraphValue(TComb comb, int, int, bool) {
  return CountRuns(comb, true);
}

// LENS

void TstSequenceLenMax::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 1; n <= 4; ++n) AddWords(list, false, n);
}

void TstSequenceLenMax::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, SequenceLenMax(comb));
}

void TstSequenceLenMax::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                      TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, SequenceLenMax(Draw.Comb()));
}

bool TstSequenceLenMax::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasWord(selected, 1, int16_t(SequenceLenMax(comb)));
}

int32_t TstSequenceLenMax::GetGraphValue(TComb comb, int, int, bool) {
  return LongestRun(comb, true, 0);
}

}  // namespace vetrilo
