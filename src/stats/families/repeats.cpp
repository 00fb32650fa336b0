#include "stats/families/repeats.h"

namespace vetrilo {

namespace {

// Draw `index` shifted by s; before the start of the archive the draw is four
// zeros, which shift like real numbers (to 1, 2, 46 or 45).
TComb ShiftedDraw(const TCustomStat& stat, int index, bool sorted, int shift) {
  return ShiftComb(stat.GetDraw(index, sorted).Comb(), shift);
}

// Whether x stood in the draw one back, and in (RPV3, RPC3) or not in (PRL2,
// PRB2) the draw two back.
bool InLastDraws(int x, const TDrawRec& back1, const TDrawRec& back2, bool inBoth) {
  return back1.HasNumber(x) && back2.HasNumber(x) == inBoth;
}

void AddNewestNumbers(TCustomStat& stat, int lastIndex, int shift, TStatDrawArray& list) {
  const TDrawRec newest = stat.GetDraw(lastIndex, false);
  for (uint8_t b : newest.Balls) {
    stat.Work.SetWords(ShiftNumber(b, shift));
    AddStatValue(list, stat.Work, false);
  }
}

void AddCounts1To4(TCustomStat& stat, TStatDrawArray& list) {
  for (int n = 1; n <= 4; ++n) {
    stat.Work.SetWords(n);
    AddStatValue(list, stat.Work, false);
  }
}

bool AnyNumberSelected(TComb comb, const TStatDrawArray& selected) {
  for (int i = 1; i <= 4; ++i) {
    if (ListHasWord(selected, 1, CombByte(comb, i))) return true;
  }
  return false;
}

// RPV3 and PRL2: the analysed draw's numbers that are numbers of the newest draw
// and pass the test against the two draws before it.
void AddThreeDrawValues(TCustomStat& stat, int index, bool sorted, bool inBoth,
                        TStatDrawArray& list) {
  const TDrawRec back1 = stat.GetDraw(index - 1, sorted);
  const TDrawRec back2 = stat.GetDraw(index - 2, sorted);
  for (uint8_t x : stat.Draw.Balls) {
    if (stat.RefDraw.HasNumber(x) && InLastDraws(x, back1, back2, inBoth)) {
      stat.Work.SetWords(x);
      AddStatValue(list, stat.Work, true);
    }
  }
}

int CountThreeDraws(TComb comb, const TDrawRec& back1, const TDrawRec& back2, bool inBoth) {
  int n = 0;
  for (int i = 1; i <= 4; ++i) n += InLastDraws(CombByte(comb, i), back1, back2, inBoth) ? 1 : 0;
  return n;
}

// RPC3 and PRB2 for draw `index`: its numbers against the two draws before it.
void AddThreeDrawCount(TCustomStat& stat, int index, bool sorted, bool inBoth,
                       TStatDrawArray& list) {
  const int n = CountThreeDraws(stat.Draw.Comb(), stat.GetDraw(index - 1, sorted),
                                stat.GetDraw(index - 2, sorted), inBoth);
  stat.Work.SetWords(n);
  AddStatValue(list, stat.Work, true);
}

// The candidate stands for the draw after lastIndex: its two draws back are
// lastIndex and lastIndex - 1.
bool ThreeDrawCountMatches(const TCustomStat& stat, TComb comb, const TStatDrawArray& selected,
                           int lastIndex, bool sorted, bool inBoth) {
  const int n = CountThreeDraws(comb, stat.GetDraw(lastIndex, sorted),
                                stat.GetDraw(lastIndex - 1, sorted), inBoth);
  return ListHasWord(selected, 1, int16_t(n));
}

}  // namespace

// RPV2, PRV2O1..3, PRV+1..PRV-2

void TCustomRepValues2Stat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddNewestNumbers(*this, lastIndex, GetShift(), list);
}

void TCustomRepValues2Stat::GetDrawValues(int index, int lastIndex, bool sorted,
                                          TStatDrawArray& list, TSeriesState& state,
                                          TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const TComb newest = ShiftComb(RefDraw.Comb(), GetShift());
  const TComb earlier = ShiftedDraw(*this, index - GetDistance(), sorted, GetShift());
  for (int i = 1; i <= 4; ++i) {
    const int x = CombByte(earlier, i);
    if (CombHasNumber(newest, x) && Draw.HasNumber(x)) AddWords(list, true, x);
  }
}

bool TCustomRepValues2Stat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool,
                                        bool) {
  return AnyNumberSelected(comb, selected);
}

// RPC2, RPO1, PRC2O2, PRC2O3, PRC+1..PRC-2

void TCustomRepCount2Stat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddCounts1To4(*this, list);
}

void TCustomRepCount2Stat::GetDrawValues(int index, int lastIndex, bool sorted,
                                         TStatDrawArray& list, TSeriesState& state,
                                         TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const TComb earlier = ShiftedDraw(*this, index - GetDistance(), sorted, GetShift());
  int n = 0;
  for (int i = 1; i <= 4; ++i) n += Draw.HasNumber(CombByte(earlier, i)) ? 1 : 0;
  AddWords(list, true, n);
}

bool TCustomRepCount2Stat::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                                       bool sorted, bool) {
  // The candidate is the draw after lastIndex, so the draw d back is lastIndex - d + 1.
  const TComb earlier = ShiftedDraw(*this, lastIndex - GetDistance() + 1, sorted, GetShift());
  int n = 0;
  for (int i = 1; i <= 4; ++i) n += CombHasNumber(earlier, CombByte(comb, i)) ? 1 : 0;
  return ListHasWord(selected, 1, int16_t(n));
}

// RPV3

void TstRepValues3::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddNewestNumbers(*this, lastIndex, 0, list);
}

void TstRepValues3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                  TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddThreeDrawValues(*this, index, sorted, true, list);
}

bool TstRepValues3::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return AnyNumberSelected(comb, selected);
}

// PRL2

void TstRepValues2B3::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddNewestNumbers(*this, lastIndex, 0, list);
}

void TstRepValues2B3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                    TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddThreeDrawValues(*this, index, sorted, false, list);
}

bool TstRepValues2B3::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return AnyNumberSelected(comb, selected);
}

// RPC3

void TstRepCount3::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddCounts1To4(*this, list);
}

void TstRepCount3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                 TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddThreeDrawCount(*this, index, sorted, true, list);
}

bool TstRepCount3::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                               bool sorted, bool) {
  return ThreeDrawCountMatches(*this, comb, selected, lastIndex, sorted, true);
}

// PRB2

void TstRepCount2B3::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  AddCounts1To4(*this, list);
}

void TstRepCount2B3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                   TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddThreeDrawCount(*this, index, sorted, false, list);
}

bool TstRepCount2B3::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                                 bool sorted, bool) {
  return ThreeDrawCountMatches(*this, comb, selected, lastIndex, sorted, false);
}

}  // namespace vetrilo
