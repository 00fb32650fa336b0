#include "stats/stat_values.h"

#include <algorithm>
#include <cstdlib>

namespace vetrilo {

static size_t HashKey(uint64_t k) {
  k ^= k >> 33;
  k *= 0xFF51AFD7ED558CCDULL;
  k ^= k >> 33;
  return static_cast<size_t>(k);
}

void TStatDrawArray::Clear() {
  items_.clear();
  slotKeys_.clear();
  slotIndex_.clear();
}

void TStatDrawArray::Rehash(size_t capacity) {
  slotKeys_.assign(capacity, 0);
  slotIndex_.assign(capacity, -1);
  for (size_t i = 0; i < items_.size(); ++i) IndexInsert(items_[i].Key(), int32_t(i));
}

void TStatDrawArray::IndexInsert(uint64_t key, int32_t index) {
  const size_t mask = slotKeys_.size() - 1;
  size_t s = HashKey(key) & mask;
  while (slotIndex_[s] >= 0) s = (s + 1) & mask;
  slotKeys_[s] = key;
  slotIndex_[s] = index;
}

void TStatDrawArray::Append(const TStatDrawRec& rec) {
  items_.push_back(rec);
  if (literal_) return;
  if (slotKeys_.size() < 2 * items_.size()) {
    Rehash(std::max<size_t>(16, slotKeys_.size() * 2));
  } else {
    IndexInsert(rec.Key(), int32_t(items_.size() - 1));
  }
}

int TStatDrawArray::Find(uint64_t key) const {
  if (literal_) {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].Key() == key) return int(i);
    }
    return -1;
  }
  if (slotKeys_.empty()) return -1;
  const size_t mask = slotKeys_.size() - 1;
  for (size_t s = HashKey(key) & mask; slotIndex_[s] >= 0; s = (s + 1) & mask) {
    if (slotKeys_[s] == key) return slotIndex_[s];
  }
  return -1;
}

void TStatDrawArray::Assign(std::vector<TStatDrawRec> items) {
  items_ = std::move(items);
  if (literal_) return;
  size_t capacity = 16;
  while (capacity < 2 * items_.size()) capacity *= 2;
  Rehash(capacity);
}

void AddStatValue(TStatDrawArray& list, const TStatDrawRec& v, bool trackGaps) {
  const int found = list.Find(v.Key());
  if (found < 0) {
    TStatDrawRec copy = v;
    copy.Norm = 0;
    list.Append(copy);
    return;
  }
  TStatDrawRec& e = list[size_t(found)];
  e.Count += v.Count;
  if (e.Ago == 0 || (v.Ago > 0 && v.Ago <= e.Ago)) {
    e.LastDraw = v.LastDraw;
    e.Ago = v.Ago;
  }
  if (trackGaps && v.LastDraw > 0 && e.PrevDraw > 0) {
    const int64_t gap64 = std::llabs(int64_t{e.PrevDraw} - v.LastDraw);
    const uint16_t gap = static_cast<uint16_t>(gap64);
    if (gap < e.MinGap || e.MinGap == 0) e.MinGap = gap;
    if (gap > e.MaxGap || e.MaxGap == 0) e.MaxGap = gap;
  }
  e.PrevDraw = v.LastDraw;
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

int32_t TrackLastValue(const TLastValueRec& value, TLastValueArray& last) {
  for (TLastValueRec& e : last) {
    if (std::memcmp(e.Value, value.Value, sizeof e.Value) == 0) {
      const int32_t period = value.Draw - e.Draw;
      e.Draw = value.Draw;
      return period;
    }
  }
  last.push_back(value);
  return -1;
}

}  // namespace vetrilo
