#pragma once

#include "core/game.h"
#include "stats/custom_stat.h"

namespace vetrilo {

// The fixed ways the engine drives a statistic. A literal list searches
// linearly; the default list is indexed. Both give the same records in the same
// order.

// Range of draws (statistics table): seeded with GetAllValues, then every draw
// from firstIndex to lastIndex, oldest first, with one run state for the loop.
TStatDrawArray RangeValues(TCustomStat& stat, int firstIndex, int lastIndex, bool sorted,
                           bool literal = false);

// Values of one draw alone (no seeding).
TStatDrawArray DrawValues(TCustomStat& stat, int index, int lastIndex, bool sorted,
                          bool literal = false);

// Values of one combination.
TStatDrawArray CombValues(TCustomStat& stat, TComb comb, bool literal = false);

// Full combination set in canonical order (the norm), no seeding.
TStatDrawArray FullSetValues(TCustomStat& stat, bool literal = false);

// Combination list (filtering): LoadDraws (-1, lastIndex, sorted) once, then the
// combinations whose CombMatches differs from `exclude`, in order. The literal form asks
// CombMatches per combination against a linearly searched copy of `selected`; otherwise the
// family's FilterCombs answers.
TCombsArray FilteredCombs(TCustomStat& stat, std::span<const TComb> combs,
                          const TStatDrawArray& selected, int lastIndex, bool sorted, bool exclude,
                          bool literal = false);

// FirstIndex of a statistics depth: max(0, lastIndex - depth + 1).
inline int FirstIndexForDepth(int lastIndex, int depth) {
  const int first = lastIndex - depth + 1;
  return first < 0 ? 0 : first;
}

}  // namespace vetrilo
