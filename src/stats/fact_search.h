#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/ui_hooks.h"
#include "stats/custom_stat.h"

namespace vetrilo {

// One next-occurrence question: the first draw from FromIndex on whose values
// hold Value (FindValueInDraws).
struct TFactQuery {
  TStatDrawRec Value;
  int FromIndex = 0;
};

// FindValueInDraws(q.Value, q.FromIndex, lastIndex, sorted) of every query, the
// same numbers, from one pass over the archive shared by all queries: a search
// that starts later follows its own run state only until that state equals the
// one of the shared pass at the same draw; from there on both see the same
// values. A class whose state never meets the shared one (or one that keeps its
// state for good) is searched draw by draw as the literal loop does. This holds
// because a statistic's values depend only on the draws, its settings and that
// state: instances keep nothing else from one draw to the next.
// With hooks, the stop request is polled once per draw searched (EStopped).
std::vector<int32_t> FindValuesInDraws(TCustomStat& stat, std::span<const TFactQuery> queries,
                                       int lastIndex, bool sorted, TUiHooks* hooks = nullptr);

// The "Факт" numbers of a value list: per record FindValueInDraws(r,
// FindDrawIndex(r.LastDraw) + 1, lastIndex, sorted), -1 where no later draw has it.
std::vector<int32_t> FactValues(TCustomStat& stat, const TStatDrawArray& list, int lastIndex,
                                bool sorted);
// The same by one FindValueInDraws per record.
std::vector<int32_t> FactValuesLiteral(TCustomStat& stat, const TStatDrawArray& list, int lastIndex,
                                       bool sorted);

}  // namespace vetrilo
