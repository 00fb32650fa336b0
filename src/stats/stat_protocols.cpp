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

TCombsArray FilteredCombs(TCustomStat& stat, std::span<const TComb> combs,
                          const TStatDrawArray& selected, int lastIndex, bool sorted, bool exclude,
                          bool literal) {
  TCombsArray out;
  out.reserve(combs.size());
  stat.LoadDraws(-1, lastIndex, sorted);
  if (literal) {
    TStatDrawArray linear(true);
    linear.Assign(selected.Items());
    for (const TComb comb : combs) {
      if (stat.CombMatches(comb, linear, lastIndex, sorted, exclude) != exclude) {
        out.push_back(comb);
      }
    }
  } else {
    stat.FilterCombs(combs, selected, lastIndex, sorted, exclude, out);
  }
  return out;
}

}  // namespace vetrilo
