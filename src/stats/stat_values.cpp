#include "stats/stat_values.h"

#include <algorithm>

namespace vetrilo {

static size_t HashKey(uint64_t k) {
  k ^= k >> 33;
  k *= 0xFF51AFD7ED558CCDULL;
  k ^= k >> 33;
  return static_cast<size_t>(k);
}

void TStatDrawArray::Clear() {
  items_.clear();
  direct_.clear();
  pairs_.clear();
  hashed_ = 0;
  slotKeys_.clear();
  slotIndex_.clear();
}

void TStatDrawArray::Rehash(size_t capacity) {
  slotKeys_.assign(capacity, 0);
  slotIndex_.assign(capacity, -1);
  for (size_t i = 0; i < items_.size(); ++i) {
    const uint64_t key = items_[i].Key();
    if (!IsDirect(key)) IndexInsert(key, int32_t(i));
  }
}

void TStatDrawArray::IndexInsert(uint64_t key, int32_t index) {
  if (IsDirect(key)) {
    std::vector<int32_t>& table = IsPair(key) ? pairs_ : direct_;
    const uint64_t slot = DirectSlot(key);
    if (slot >= table.size()) {
      size_t size = std::max<size_t>(64, table.size());
      while (size <= slot) size *= 2;
      table.resize(size, -1);
    }
    if (table[slot] < 0) table[slot] = index;  // a duplicate key finds the first entry
    return;
  }
  const size_t mask = slotKeys_.size() - 1;
  size_t s = HashKey(key) & mask;
  while (slotIndex_[s] >= 0) s = (s + 1) & mask;
  slotKeys_[s] = key;
  slotIndex_[s] = index;
}

void TStatDrawArray::Append(const TStatDrawRec& rec) {
  items_.push_back(rec);
  if (literal_) return;
  const uint64_t key = rec.Key();
  if (IsDirect(key)) {
    IndexInsert(key, int32_t(items_.size() - 1));
  } else if (slotKeys_.size() < 2 * ++hashed_) {
    Rehash(std::max<size_t>(16, slotKeys_.size() * 2));
  } else {
    IndexInsert(key, int32_t(items_.size() - 1));
  }
}

int TStatDrawArray::FindLinear(uint64_t key) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Key() == key) return int(i);
  }
  return -1;
}

int TStatDrawArray::FindHashed(uint64_t key) const {
  if (slotKeys_.empty()) return -1;
  const size_t mask = slotKeys_.size() - 1;
  for (size_t s = HashKey(key) & mask; slotIndex_[s] >= 0; s = (s + 1) & mask) {
    if (slotKeys_[s] == key) return slotIndex_[s];
  }
  return -1;
}

void TStatDrawArray::Reindex() {
  direct_.clear();
  pairs_.clear();
  hashed_ = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    const uint64_t key = items_[i].Key();
    if (IsDirect(key)) {
      IndexInsert(key, int32_t(i));
    } else {
      ++hashed_;
    }
  }
  if (hashed_ == 0) {
    slotKeys_.clear();
    slotIndex_.clear();
    return;
  }
  size_t capacity = 16;
  while (capacity < 2 * hashed_) capacity *= 2;
  Rehash(capacity);
}

void TStatDrawArray::Assign(std::vector<TStatDrawRec> items) {
  items_ = std::move(items);
  if (!literal_) Reindex();
}

static bool ValueLess(const TStatDrawRec& a, const TStatDrawRec& b) {
  for (int w = 0; w < 4; ++w) {
    const auto x = static_cast<uint16_t>(a.Value[w]);
    const auto y = static_cast<uint16_t>(b.Value[w]);
    if (x != y) return x < y;
  }
  return false;
}

void SortStatValues(TStatDrawArray& list) {
  std::vector<TStatDrawRec> items = list.Items();
  // Insertion sort is stable; stable_sort gives the same order faster.
  std::stable_sort(items.begin(), items.end(), ValueLess);
  list.Assign(std::move(items));
}

TListTotals ListTotals(const TStatDrawArray& list) {
  TListTotals t;
  for (const TStatDrawRec& e : list) {
    if (e.Count < t.MinCount) t.MinCount = e.Count;
    if (e.Count > t.MaxCount) t.MaxCount = e.Count;
    if (t.MaxAgo == 0 || (e.Ago > 0 && e.Ago > t.MaxAgo)) t.MaxAgo = e.Ago;
    t.Total += e.Count;
  }
  return t;
}

bool ListHasValue(const TStatDrawArray& list, int16_t w1, int16_t w2, int16_t w3, int16_t w4) {
  TStatDrawRec probe;
  probe.SetWords(w1, w2, w3, w4);
  return list.Find(probe.Key()) >= 0;
}

bool ListHasWord(const TStatDrawArray& list, int position, int16_t word) {
  for (const TStatDrawRec& e : list) {
    if (e.Value[position - 1] == word) return true;
  }
  return false;
}

bool ListHasByte(const TStatDrawArray& list, int position, uint8_t byte) {
  for (const TStatDrawRec& e : list) {
    if (e.Byte(position) == byte) return true;
  }
  return false;
}

bool ListHasLong(const TStatDrawArray& list, int position, int32_t value) {
  for (const TStatDrawRec& e : list) {
    if (e.Half(position) == value) return true;
  }
  return false;
}

bool ListHasPair(const TStatDrawArray& list, int32_t a, int32_t b) {
  const uint64_t key = uint64_t(uint32_t(a) & 0xFFFF) | uint64_t(uint32_t(b) & 0xFFFF) << 32;
  return list.Find(key) >= 0;
}

void AddSimpleValue(TStatSimpleArray& list, int32_t key, int32_t count) {
  for (TStatSimpleRec& e : list) {
    if (e.Key == key) {
      if (count > 0) e.Count += count;
      return;
    }
  }
  list.push_back({key, count});
}

void SortSimpleValues(TStatSimpleArray& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const TStatSimpleRec& a, const TStatSimpleRec& b) { return a.Key < b.Key; });
}

int64_t TrackLastValue(const TLastValueRec& value, TLastValueArray& last) {
  for (TLastValueRec& e : last) {
    if (std::memcmp(e.Value, value.Value, sizeof e.Value) == 0) {
      // Draw numbers of a damaged archive may span more than 32 bits can hold.
      const int64_t period = int64_t{value.Draw} - e.Draw;
      e.Draw = value.Draw;
      return period;
    }
  }
  last.push_back(value);
  return -1;
}

}  // namespace vetrilo
