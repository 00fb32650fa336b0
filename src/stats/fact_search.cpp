#include "stats/fact_search.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_map>

namespace vetrilo {

namespace {

uint64_t KeyOf(const TLastValueRec& r) {
  uint64_t k;
  std::memcpy(&k, r.Value, sizeof k);
  return k;
}

bool SameSeries(const TSeriesState& a, const TSeriesState& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The last-value memory is keyed: TrackLastValue finds a record by its value
// words, so two memories with the same records in another order answer alike.
// Repeated keys would make the order matter; such memories never count as equal.
bool SameLastValues(const TLastValueArray& a, const TLastValueArray& b) {
  if (a.size() != b.size()) return false;
  if (a.empty()) return true;
  auto byKey = [](const TLastValueRec& x, const TLastValueRec& y) {
    return KeyOf(x) != KeyOf(y) ? KeyOf(x) < KeyOf(y) : x.Draw < y.Draw;
  };
  TLastValueArray x = a;
  TLastValueArray y = b;
  std::sort(x.begin(), x.end(), byKey);
  std::sort(y.begin(), y.end(), byKey);
  for (size_t i = 0; i < x.size(); ++i) {
    if (KeyOf(x[i]) != KeyOf(y[i]) || x[i].Draw != y[i].Draw) return false;
    if (i > 0 && KeyOf(x[i]) == KeyOf(x[i - 1])) return false;
  }
  return true;
}

struct TOccurrence {
  int Index;
  int32_t LastDraw;
};

}  // namespace

std::vector<int32_t> FindValuesInDraws(TCustomStat& stat, std::span<const TFactQuery> queries,
                                       int lastIndex, bool sorted, TUiHooks* hooks) {
  std::vector<int32_t> result(queries.size(), -1);
  const int high = stat.Draws().High();

  // Distinct keys (slots) and the queries of each start index.
  std::unordered_map<uint64_t, int> slotOf;
  std::vector<uint64_t> keys;
  std::vector<int> querySlot(queries.size(), -1);
  std::map<int, std::vector<size_t>> byStart;
  for (size_t q = 0; q < queries.size(); ++q) {
    const int start = std::max(queries[q].FromIndex, 0);
    if (start > high) continue;  // the search loop would not run
    const uint64_t key = queries[q].Value.Key();
    auto [it, added] = slotOf.try_emplace(key, int(keys.size()));
    if (added) keys.push_back(key);
    querySlot[q] = it->second;
    byStart[start].push_back(q);
  }
  if (byStart.empty()) return result;

  // The shared pass from the earliest start: the state before every draw and
  // the draws at which each wanted value shows up.
  const int first = byStart.begin()->first;
  const size_t span = size_t(high - first + 1);
  std::vector<TSeriesState> seriesBefore(span);
  std::vector<TLastValueArray> lastBefore(span);
  std::vector<std::vector<TOccurrence>> seen(keys.size());
  TSeriesState state{};
  TLastValueArray last;
  TStatDrawArray list;
  for (int i = first; i <= high; ++i) {
    if (hooks) CheckStop(*hooks);
    seriesBefore[size_t(i - first)] = state;
    lastBefore[size_t(i - first)] = last;
    list.Clear();
    stat.GetDrawValues(i, lastIndex, sorted, list, state, last);
    for (const TStatDrawRec& e : list) {
      auto it = slotOf.find(e.Key());
      if (it != slotOf.end()) seen[size_t(it->second)].push_back({i, e.LastDraw});
    }
  }

  // Each start: its own search until its state meets the shared one.
  std::vector<int> slots;
  std::vector<int32_t> answers;
  std::vector<size_t> pending;
  for (const auto& [start, members] : byStart) {
    slots.clear();
    for (size_t q : members) slots.push_back(querySlot[q]);
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    answers.assign(slots.size(), -1);
    pending.resize(slots.size());
    for (size_t k = 0; k < slots.size(); ++k) pending[k] = k;

    TSeriesState ownState{};
    TLastValueArray ownLast;
    for (int i = start; i <= high && !pending.empty(); ++i) {
      const size_t at = size_t(i - first);
      if (SameSeries(ownState, seriesBefore[at]) && SameLastValues(ownLast, lastBefore[at])) {
        for (size_t k : pending) {
          const std::vector<TOccurrence>& occ = seen[size_t(slots[k])];
          auto it =
              std::lower_bound(occ.begin(), occ.end(), i,
                               [](const TOccurrence& o, int index) { return o.Index < index; });
          if (it != occ.end()) answers[k] = it->LastDraw;
        }
        pending.clear();
        break;
      }
      if (hooks) CheckStop(*hooks);
      list.Clear();
      stat.GetDrawValues(i, lastIndex, sorted, list, ownState, ownLast);
      std::erase_if(pending, [&](size_t k) {
        const int found = list.Find(keys[size_t(slots[k])]);
        if (found < 0) return false;
        answers[k] = list[size_t(found)].LastDraw;
        return true;
      });
    }
    for (size_t q : members) {
      const auto k = std::lower_bound(slots.begin(), slots.end(), querySlot[q]) - slots.begin();
      result[q] = answers[size_t(k)];
    }
  }
  return result;
}

std::vector<int32_t> FactValues(TCustomStat& stat, const TStatDrawArray& list, int lastIndex,
                                bool sorted) {
  std::vector<TFactQuery> queries;
  queries.reserve(list.size());
  for (const TStatDrawRec& r : list) {
    queries.push_back({r, stat.Draws().FindDrawIndex(r.LastDraw) + 1});
  }
  return FindValuesInDraws(stat, queries, lastIndex, sorted);
}

std::vector<int32_t> FactValuesLiteral(TCustomStat& stat, const TStatDrawArray& list, int lastIndex,
                                       bool sorted) {
  std::vector<int32_t> result;
  result.reserve(list.size());
  for (const TStatDrawRec& r : list) {
    result.push_back(
        stat.FindValueInDraws(r, stat.Draws().FindDrawIndex(r.LastDraw) + 1, lastIndex, sorted));
  }
  return result;
}

}  // namespace vetrilo
