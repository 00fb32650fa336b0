#include "stats/families/ognev.h"

#include <cstdlib>

namespace vetrilo {

TOgnevNumber OgnevNumber(TComb comb, int mode) {
  int a[4];
  for (int i = 0; i < 4; ++i) a[i] = CombByte(comb, i + 1);
  // Two rounds of neighbour differences: 4 -> 3 -> 2 values.
  for (int len = 4; len > 2; --len) {
    for (int i = 0; i + 1 < len; ++i) a[i] = std::abs(a[i + 1] - a[i]);
  }
  const int e1 = a[0];
  const int e2 = a[1];
  int r = std::abs(e2 - e1);
  switch (mode) {
    case 0:
      return {r, false};
    case 1:
      return {r < 2 ? e1 + e2 : r, false};
    default:
      if (r == 0) r = e1 + e2;
      if (r == 1) return {e1 + e2, true};
      return {r, false};
  }
}

// HCO1, HCO2

void TCustomOgnevGraphStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, OgnevNumber(comb, GetMode()).Number);
}

void TCustomOgnevGraphStat::GetDrawValues(int index, int lastIndex, bool sorted,
                                          TStatDrawArray& list, TSeriesState& state,
                                          TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, OgnevNumber(Draw.Comb(), GetMode()).Number);
}

bool TCustomOgnevGraphStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool,
                                        bool) {
  return ListHasWord(selected, 1, int16_t(OgnevNumber(comb, GetMode()).Number));
}

int32_t TCustomOgnevGraphStat::GetGraphValue(TComb comb, int, int, bool) {
  return OgnevNumber(comb, GetMode()).Number;
}

// HCO3

std::string TstOgnev3::ValueToText(const TStatDrawRec& value) const {
  std::string text = std::to_string(value.Word(1));
  if (value.Word(4) == 2) text += " (" + std::to_string(value.Word(2)) + ")";
  return text;
}

void TstOgnev3::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                              TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  if (Draw.Number != RefDraw.Number) return;  // only the newest analysed draw has values
  const TOgnevNumber ognev = OgnevNumber(Draw.Comb(), 2);
  // The next draw exists only while the draw offset hides it; its all-zero
  // stand-in must not count a hit for f = 0.
  const bool hasNext = lastIndex + 1 >= 0 && lastIndex + 1 <= Draws().High();
  const TDrawRec next = GetDraw(lastIndex + 1, false);
  const auto hit = [&](int x) { return hasNext && next.HasNumber(x) ? 1 : 0; };

  const int f = ognev.Number;
  Work.Count = hit(f);
  if (ognev.Pair) {
    AddWords(list, false, f, 1, 0, 2);
  } else {
    AddWords(list, false, f);
  }
  // Plain integers: f³ of a large f must not wrap.
  for (int g = f * f >= kMaxNumber ? f * f : f * f * f; g > f; g -= f) {
    if (g >= 1 && g <= kMaxNumber) {
      Work.Count = hit(g);
      AddWords(list, false, g);
    }
  }
}

bool TstOgnev3::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (int i = 1; i <= 4; ++i) {
    if (ListHasWord(selected, 1, CombByte(comb, i))) return true;
  }
  return false;
}

}  // namespace vetrilo
