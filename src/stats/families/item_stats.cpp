#include "stats/families/item_stats.h"

#include <algorithm>

namespace vetrilo {

std::span<const std::array<int, 4>> TuplePositions(int k, bool neighbours) {
  static constexpr std::array<int, 4> kMix2[] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
  static constexpr std::array<int, 4> kMix3[] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
  static constexpr std::array<int, 4> kSeq2[] = {{0, 1}, {1, 2}, {2, 3}};
  static constexpr std::array<int, 4> kSeq3[] = {{0, 1, 2}, {1, 2, 3}};
  static constexpr std::array<int, 4> kAll4[] = {{0, 1, 2, 3}};
  switch (k) {
    case 2:
      return neighbours ? std::span<const std::array<int, 4>>(kSeq2) : kMix2;
    case 3:
      return neighbours ? std::span<const std::array<int, 4>>(kSeq3) : kMix3;
    case 4:
      return kAll4;
    default:
      return {};
  }
}

TItemTally::TItemTally(const std::vector<int>& keys) : keys_(keys), counts_(keys.size(), 0) {
  int top = -1;
  for (int key : keys) top = std::max(top, key);
  slot_.assign(size_t(top + 1), -1);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] >= 0) slot_[size_t(keys[i])] = int32_t(i);
  }
}

void TItemTally::Clear() {
  std::fill(counts_.begin(), counts_.end(), 0);
  extra_.clear();
}

void TItemTally::Add(int key) {
  if (key >= 0 && size_t(key) < slot_.size() && slot_[size_t(key)] >= 0) {
    ++counts_[size_t(slot_[size_t(key)])];
  } else {
    AddSimpleValue(extra_, key, 1);
  }
}

int DistinctItemCount(const std::array<int, 4>& items) {
  int n = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    bool seen = false;
    for (size_t j = 0; j < i; ++j) seen = seen || items[j] == items[i];
    n += seen ? 0 : 1;
  }
  return n;
}

}  // namespace vetrilo
