#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vetrilo {

// The 32-byte value record every statistic fills. Value holds the value key as
// four signed 16-bit words (words 1..4 are Value[0..3]), as eight bytes, or as
// two 32-bit halves. Two records denote the same value when
// all four words are equal.
struct TStatDrawRec {
  int32_t LastDraw = 0;  // draw Number of the newest occurrence, 0 = none
  int32_t Ago = 0;       // LastIndex - index + 1, 0 = never seen
  int32_t PrevDraw = 0;  // draw Number added last (gap tracking)
  uint16_t MinGap = 0;
  uint16_t MaxGap = 0;
  int32_t Count = 0;
  int32_t Norm = 0;
  int16_t Value[4] = {0, 0, 0, 0};

  uint64_t Key() const {
    uint64_t k;
    std::memcpy(&k, Value, sizeof k);
    return k;
  }
  void SetKey(uint64_t k) { std::memcpy(Value, &k, sizeof k); }
  // Words counted from 1, as value texts and script filters count them.
  int16_t Word(int i) const { return Value[i - 1]; }
  // One 8-byte store: the key is read back at once as 8 bytes, and separate
  // narrow stores would stall that load.
  void SetWords(int w1, int w2 = 0, int w3 = 0, int w4 = 0) {
    SetKey(uint64_t(uint16_t(w1)) | uint64_t(uint16_t(w2)) << 16 | uint64_t(uint16_t(w3)) << 32 |
           uint64_t(uint16_t(w4)) << 48);
  }
  // 32-bit halves 1..2.
  int32_t Half(int i) const {
    int32_t h;
    std::memcpy(&h, reinterpret_cast<const char*>(Value) + 4 * (i - 1), sizeof h);
    return h;
  }
  void SetHalves(int32_t h1, int32_t h2 = 0) {
    SetKey(uint64_t(uint32_t(h1)) | uint64_t(uint32_t(h2)) << 32);
  }
  // Bytes 1..8.
  uint8_t Byte(int i) const { return reinterpret_cast<const uint8_t*>(Value)[i - 1]; }
};
static_assert(sizeof(TStatDrawRec) == 32);

// The value list: records in first-insertion order. An index beside the vector
// makes lookups O(1) without changing the order; Literal switches it off and
// searches linearly, the plain form that the tests compare the index with.
//
// Most keys are one or two small non-negative words (numbers, sums, counts, an
// item and its count): they are indexed by a direct table, the rest by an
// open-addressing hash.
class TStatDrawArray {
 public:
  TStatDrawArray() = default;
  explicit TStatDrawArray(bool literal) : literal_(literal) {}

  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  // Callers may change any field but the value key.
  TStatDrawRec& operator[](size_t i) { return items_[i]; }
  const TStatDrawRec& operator[](size_t i) const { return items_[i]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  const std::vector<TStatDrawRec>& Items() const { return items_; }
  bool Literal() const { return literal_; }

  void Clear();
  void Append(const TStatDrawRec& rec);
  // Index of the entry with this key, -1 when absent.
  int Find(uint64_t key) const {
    if (literal_) return FindLinear(key);
    if (IsDirect(key)) {
      const std::vector<int32_t>& table = IsPair(key) ? pairs_ : direct_;
      const uint64_t slot = DirectSlot(key);
      return slot < table.size() ? table[slot] : -1;
    }
    return FindHashed(key);
  }
  // Replaces the contents (the index is rebuilt).
  void Assign(std::vector<TStatDrawRec> items);

 private:
  // Keys with Value[1] below 4096, Value[2] below 16 and the rest 0 (a number,
  // a sum, an item and its count ...) are indexed by direct tables: one for
  // single words, one for pairs, each only as large as its largest slot, since
  // lists are copied often and a sparse table would make every copy large.
  static constexpr uint64_t kDirectBits = 0x000F0FFF;
  static bool IsDirect(uint64_t key) { return (key & ~kDirectBits) == 0; }
  static bool IsPair(uint64_t key) { return (key >> 16) != 0; }
  static uint64_t DirectSlot(uint64_t key) {
    return IsPair(key) ? ((key & 0xFFF) << 4) | ((key >> 16) & 0xF) : key;
  }

  int FindLinear(uint64_t key) const;
  int FindHashed(uint64_t key) const;
  void IndexInsert(uint64_t key, int32_t index);
  void Rehash(size_t capacity);
  void Reindex();

  std::vector<TStatDrawRec> items_;
  bool literal_ = false;
  std::vector<int32_t> direct_;  // by slot, -1 = absent; grown on demand
  std::vector<int32_t> pairs_;
  size_t hashed_ = 0;  // entries in the hash
  std::vector<uint64_t> slotKeys_;
  std::vector<int32_t> slotIndex_;  // -1 = empty
};

// Merges a value into a list (count, newest occurrence, gaps); see the docs of
// the value list. Appends when the value is new.
inline void AddStatValue(TStatDrawArray& list, const TStatDrawRec& v, bool trackGaps) {
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
    const int64_t diff = int64_t{e.PrevDraw} - v.LastDraw;
    const uint16_t gap = static_cast<uint16_t>(diff < 0 ? -diff : diff);
    if (gap < e.MinGap || e.MinGap == 0) e.MinGap = gap;
    if (gap > e.MaxGap || e.MaxGap == 0) e.MaxGap = gap;
  }
  e.PrevDraw = v.LastDraw;
}
// Stable insertion sort by Value[1..4], each compared as unsigned 16-bit.
void SortStatValues(TStatDrawArray& list);

struct TListTotals {
  int32_t MinCount = 2147483647;
  int32_t MaxCount = 0;
  int32_t MaxAgo = 0;
  int64_t Total = 0;
};
TListTotals ListTotals(const TStatDrawArray& list);

// Lookups in a list of selected values.
bool ListHasValue(const TStatDrawArray& list, int16_t w1, int16_t w2, int16_t w3, int16_t w4);
bool ListHasWord(const TStatDrawArray& list, int position, int16_t word);
bool ListHasByte(const TStatDrawArray& list, int position, uint8_t byte);
bool ListHasLong(const TStatDrawArray& list, int position, int32_t value);
// Value read as two 32-bit halves equals (a, b), both zero-extended from 16 bits.
bool ListHasPair(const TStatDrawArray& list, int32_t a, int32_t b);

// Plain key/count tallies.
struct TStatSimpleRec {
  int32_t Key = 0;
  int32_t Count = 0;
};
using TStatSimpleArray = std::vector<TStatSimpleRec>;
void AddSimpleValue(TStatSimpleArray& list, int32_t key, int32_t count);
void SortSimpleValues(TStatSimpleArray& list);

// Memory of the draw in which each value was last seen (periods). A keyed memory:
// one record per value, reached through TrackLastValue; the order carries no meaning.
struct TLastValueRec {
  int32_t Draw = 0;
  int16_t Value[4] = {0, 0, 0, 0};
};
using TLastValueArray = std::vector<TLastValueRec>;
int64_t TrackLastValue(const TLastValueRec& value, TLastValueArray& last);

// Run state handed through a draw loop (series). Entries are indexed by the item
// itself, so item 0 (a segment digit 0 from a hand-edited map) has its own entry.
struct TSeriesEntry {
  int32_t Length = 0;
  int32_t LastDraw = 0;
  int32_t Ago = 0;
};
struct TSeriesState {
  TSeriesEntry Entries[48];
  TSeriesEntry& operator[](int item) { return Entries[item]; }
};

}  // namespace vetrilo
