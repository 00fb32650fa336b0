#include "stats/stat_protocols.h"

namespace vetrilo {

TStatDrawArray RangeValues(TCustomStat& stat, int firstIndex, int lastIndex, bool sorted,
                           bool literal) {
  TStatDrawArray list(literal);
  stat.GetAllValues(lastIndex, list);
  TSeriesState state{};
  TLastValueArray last;
  for (int index = firstIndex; index <= lastIndex; ++index) {
    stat.GetDrawValues(index, lastIndex, sorted, list, state, last);
  }
  return list;
}

TStatDrawArray DrawValues(TCustomStat& stat, int index, int lastIndex, bool sorted, bool literal) {
  TStatDrawArray list(literal);
  TSeriesState state{};
  TLastValueArray last;
  stat.GetDrawValues(index, lastIndex, sorted, list, state, last);
  return list;
}

TStatDrawArray CombValues(TCustomStat& stat, TComb comb, bool literal) {
  TStatDrawArray list(literal);
  stat.GetCombValues(comb, list);
  return list;
}

TStatDrawArray FullSetValues(TCustomStat& stat, bool literal) {
  TStatDrawArray list(literal);
  for (TComb comb : FullSet()) stat.GetCombValues(comb, list);
  return list;
}

}  // namespace vetrilo
