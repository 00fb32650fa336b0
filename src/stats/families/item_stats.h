#pragma once

// Building blocks shared by the families that map every number to an item (a
// channel, a matrix column or row, a segment). An axis policy names the item of
// a number for one family base:
//   static int Item(const TBase& stat, int n);
//   static const std::vector<int>& Items(const TBase& stat);  // every item, in list order
// and the base answers HasItems() (false when the settings give no items).

#include <array>
#include <span>
#include <string>
#include <vector>

#include "stats/custom_stat.h"

namespace vetrilo {

// Positions (0-based) of the tuple classes: every choice of K of the 4
// positions in lexicographic order, or neighbouring positions only.
std::span<const std::array<int, 4>> TuplePositions(int k, bool neighbours);

// A key/count tally filled with a fixed list of distinct keys at count 0, to
// which single numbers then add 1: the same entries in the same order as
// AddSimpleValue gives, found by index instead of a search.
class TItemTally {
 public:
  explicit TItemTally(const std::vector<int>& keys);
  void Clear();
  void Add(int key);
  // (key, count) in list order: the fixed keys, then keys met outside them.
  template <class F>
  void ForEach(F f) const {
    for (size_t i = 0; i < keys_.size(); ++i) f(keys_[i], counts_[i]);
    for (const TStatSimpleRec& e : extra_) f(e.Key, e.Count);
  }

 private:
  std::vector<int> keys_;
  std::vector<int32_t> counts_;
  std::vector<int32_t> slot_;  // key -> index into keys_, -1 when not a fixed key
  TStatSimpleArray extra_;     // only numbers of a damaged archive get here
};

// The items of the 4 numbers of a combination or draw, in position order.
template <class TAxis, class TBase>
std::array<int, 4> ItemsOf(const TBase& stat, const std::array<uint8_t, 4>& numbers) {
  return {TAxis::Item(stat, numbers[0]), TAxis::Item(stat, numbers[1]),
          TAxis::Item(stat, numbers[2]), TAxis::Item(stat, numbers[3])};
}

inline std::array<uint8_t, 4> CombNumbers(TComb comb) {
  return {CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3), CombByte(comb, 4)};
}

// Items below this are counted in plain arrays by the full-set loops.
constexpr int kMaxDirectItem = 4096;

// The item of every possible number byte, for the full-set loops; -1 where the
// item lies outside 0 .. kMaxDirectItem - 1.
struct TNumberItems {
  std::array<int, 256> Item{};
  bool AllDirect(const std::array<uint8_t, 4>& numbers) const {
    return Item[numbers[0]] >= 0 && Item[numbers[1]] >= 0 && Item[numbers[2]] >= 0 &&
           Item[numbers[3]] >= 0;
  }
};
template <class TAxis, class TBase>
TNumberItems NumberItems(const TBase& stat) {
  TNumberItems items;
  for (int n = 0; n < 256; ++n) {
    const int item = TAxis::Item(stat, n);
    items.Item[size_t(n)] = item >= 0 && item < kMaxDirectItem ? item : -1;
  }
  return items;
}

// Number of distinct items among the 4 (the byte list with add-unique).
int DistinctItemCount(const std::array<int, 4>& items);

// CHAN, COLS, ROWS, SGMS: the item of every number; seeded with every item.
template <class TBase, class TAxis>
class TItemsStat : public TBase {
 public:
  using TBase::TBase;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override {
    TCustomStat::GetAllValues(lastIndex, list);
    if (!this->HasItems()) return;
    for (int item : TAxis::Items(*this)) this->AddWords(list, false, item);
  }
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    AddItems(list, CombNumbers(comb), false);
  }
  // One count per item, by the item of every number.
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override {
    if (!this->HasItems()) return;
    const TNumberItems items = NumberItems<TAxis>(*this);
    std::vector<int32_t> counts(kMaxDirectItem, 0);
    for (const TComb comb : combs) {
      const std::array<uint8_t, 4> numbers = CombNumbers(comb);
      if (!items.AllDirect(numbers)) {
        this->GetCombValues(comb, list);
        continue;
      }
      for (uint8_t n : numbers) ++counts[size_t(items.Item[n])];
    }
    this->AddCounts(list, counts);
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    AddItems(list, this->Draw.Balls, true);
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    if (!this->HasItems()) return false;
    for (int item : ItemsOf<TAxis>(*this, CombNumbers(comb))) {
      if (ListHasWord(selected, 1, int16_t(item))) return true;
    }
    return false;
  }

 private:
  void AddItems(TStatDrawArray& list, const std::array<uint8_t, 4>& numbers, bool trackGaps) {
    if (!this->HasItems()) return;
    for (int item : ItemsOf<TAxis>(*this, numbers)) this->AddWords(list, trackGaps, item);
  }
};

// CHNV, COLV, ROWV, SGMV: one (item, count) value for every item, empty ones
// included. A combination has the values of a draw with its numbers.
template <class TBase, class TAxis>
class TItemValuesStat : public TBase {
 public:
  static constexpr bool kCanParse = false;
  TItemValuesStat(const TStatList& list, int param)
      : TBase(list, param), tally_(TAxis::Items(*this)) {}
  std::string ValueToText(const TStatDrawRec& value) const override {
    return Format("%0:d x %1:d", {int(value.Value[0]), int(value.Value[1])});
  }
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    AddValues(list, CombNumbers(comb), false);
  }
  // Every combination has (item, 0) for the items it misses: only the hit items
  // are counted per combination, the empty ones follow from the total.
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override {
    if (!this->HasItems()) return;
    const std::vector<int>& fixed = TAxis::Items(*this);
    const TNumberItems items = NumberItems<TAxis>(*this);
    // Position of an item in the fixed list; -1 sends the combination the long way.
    std::vector<int> position(kMaxDirectItem, -1);
    for (size_t i = 0; i < fixed.size(); ++i) {
      if (fixed[i] < 0 || fixed[i] >= kMaxDirectItem || position[size_t(fixed[i])] >= 0) {
        TCustomStat::CountCombValues(combs, list);  // unusual items: the plain loop
        return;
      }
      position[size_t(fixed[i])] = int(i);
    }
    std::vector<std::array<int32_t, 5>> counts(fixed.size(), std::array<int32_t, 5>{});
    int32_t counted = 0;
    for (const TComb comb : combs) {
      const std::array<uint8_t, 4> numbers = CombNumbers(comb);
      std::array<int, 4> at{};
      bool fits = items.AllDirect(numbers);
      for (size_t i = 0; fits && i < 4; ++i) {
        at[i] = position[size_t(items.Item[numbers[i]])];
        fits = at[i] >= 0;
      }
      if (!fits) {
        this->GetCombValues(comb, list);
        continue;
      }
      ++counted;
      for (size_t i = 0; i < 4; ++i) {
        bool earlier = false;
        int same = 0;
        for (size_t j = 0; j < 4; ++j) {
          earlier = earlier || (j < i && at[j] == at[i]);
          same += at[j] == at[i] ? 1 : 0;
        }
        if (!earlier) ++counts[size_t(at[i])][size_t(same)];
      }
    }
    for (size_t i = 0; i < fixed.size(); ++i) {
      int32_t hit = 0;
      for (int c = 1; c <= 4; ++c) hit += counts[i][size_t(c)];
      counts[i][0] = counted - hit;
      for (int c = 0; c <= 4; ++c) {
        if (counts[i][size_t(c)] > 0) {
          TStatDrawRec r;
          r.SetWords(fixed[i], c);
          this->AddCounted(list, r.Key(), counts[i][size_t(c)]);
        }
      }
    }
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    AddValues(list, this->Draw.Balls, true);
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    if (!this->HasItems()) return false;
    Fill(CombNumbers(comb));
    bool found = false;
    tally_.ForEach([&](int key, int count) {
      found = found || ListHasValue(selected, int16_t(key), int16_t(count), 0, 0);
    });
    return found;
  }

 protected:
  // Seeds counts 0..top for every item, item-major.
  void SeedCounts(TStatDrawArray& list, int top) {
    if (!this->HasItems()) return;
    for (int item : TAxis::Items(*this)) {
      for (int count = 0; count <= top; ++count) this->AddWords(list, false, item, count);
    }
  }

 private:
  void Fill(const std::array<uint8_t, 4>& numbers) {
    tally_.Clear();
    for (int item : ItemsOf<TAxis>(*this, numbers)) tally_.Add(item);
  }
  void AddValues(TStatDrawArray& list, const std::array<uint8_t, 4>& numbers, bool trackGaps) {
    if (!this->HasItems()) return;
    Fill(numbers);
    tally_.ForEach([&](int key, int count) { this->AddWords(list, trackGaps, key, count); });
  }

  TItemTally tally_;
};

// CHNC, COLN, ROWN, SGMC: how many distinct items the 4 numbers occupy.
template <class TBase, class TAxis>
class TItemCountStat : public TBase {
 public:
  using TBase::TBase;
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    if (this->HasItems()) this->AddWords(list, false, CountOf(CombNumbers(comb)));
  }
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override {
    if (!this->HasItems()) return;
    this->CountKeys(combs, list, [this](TComb comb) {
      return TCustomStat::WordKey(CountOf(CombNumbers(comb)));
    });
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    if (this->HasItems()) this->AddWords(list, true, CountOf(this->Draw.Balls));
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    return this->HasItems() && ListHasWord(selected, 1, int16_t(CountOf(CombNumbers(comb))));
  }
  int32_t GetGraphValue(TComb comb, int, int, bool) override {
    return this->HasItems() ? CountOf(CombNumbers(comb)) : 0;
  }

 protected:
  void SeedCounts(TStatDrawArray& list, int low, int high) {
    if (!this->HasItems()) return;
    for (int count = low; count <= high; ++count) this->AddWords(list, false, count);
  }

 private:
  int CountOf(const std::array<uint8_t, 4>& numbers) const {
    return DistinctItemCount(ItemsOf<TAxis>(*this, numbers));
  }
};

// CHN%d, COL%d, ROW%d, SGM%d: how many of the 4 numbers lie in item Param.
template <class TBase, class TAxis>
class TItemParamCountStat : public TBase {
 public:
  using TBase::TBase;
  static constexpr bool kHasParamRange = true;
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    if (this->HasItems()) this->AddWords(list, false, CountOf(CombNumbers(comb)));
  }
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override {
    if (!this->HasItems()) return;
    std::array<uint8_t, 256> inItem{};
    for (int n = 0; n < 256; ++n) inItem[size_t(n)] = TAxis::Item(*this, n) == this->Param;
    std::array<int32_t, 5> counts{};
    for (const TComb comb : combs) {
      ++counts[size_t(inItem[comb & 0xFF] + inItem[(comb >> 8) & 0xFF] +
                      inItem[(comb >> 16) & 0xFF] + inItem[comb >> 24])];
    }
    this->AddCounts(list, counts);
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    if (this->HasItems()) this->AddWords(list, true, CountOf(this->Draw.Balls));
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    return this->HasItems() && ListHasWord(selected, 1, int16_t(CountOf(CombNumbers(comb))));
  }
  int32_t GetGraphValue(TComb comb, int, int, bool) override {
    return this->HasItems() ? CountOf(CombNumbers(comb)) : 0;
  }

 protected:
  void SeedCounts(TStatDrawArray& list, int low, int high) {
    if (!this->HasItems()) return;
    for (int count = low; count <= high; ++count) this->AddWords(list, false, count);
  }

 private:
  int CountOf(const std::array<uint8_t, 4>& numbers) const {
    int n = 0;
    for (int item : ItemsOf<TAxis>(*this, numbers)) n += item == this->Param ? 1 : 0;
    return n;
  }
};

// KCM2, KFS3, ...: the items at every chosen tuple of positions, in the
// caller's position order. A combination alone has no values (no norm).
template <class TBase, class TAxis, int K, bool Neighbours>
class TItemTupleStat : public TBase {
 public:
  using TBase::TBase;
  static constexpr uint8_t kFlags = kFlagS;
  static constexpr bool kCanParse = false;
  static constexpr bool kEnabled = K < 4;  // a 4-number game has a single quadruple
  std::string ValueToText(const TStatDrawRec& value) const override {
    std::string text = std::to_string(value.Value[0]);
    for (int i = 1; i < K; ++i) text += ":" + std::to_string(value.Value[i]);
    return text;
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    if (!this->HasItems()) return;
    const std::array<int, 4> items = ItemsOf<TAxis>(*this, this->Draw.Balls);
    for (const auto& pos : TuplePositions(K, Neighbours)) {
      const std::array<int16_t, 4> w = Tuple(items, pos);
      this->AddWords(list, true, w[0], w[1], w[2], w[3]);
    }
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    if (!this->HasItems()) return false;
    const std::array<int, 4> items = ItemsOf<TAxis>(*this, CombNumbers(comb));
    for (const auto& pos : TuplePositions(K, Neighbours)) {
      const std::array<int16_t, 4> w = Tuple(items, pos);
      if (ListHasValue(selected, w[0], w[1], w[2], w[3])) return true;
    }
    return false;
  }

 private:
  static std::array<int16_t, 4> Tuple(const std::array<int, 4>& items,
                                      const std::array<int, 4>& pos) {
    std::array<int16_t, 4> w{};
    for (int i = 0; i < K; ++i) w[size_t(i)] = int16_t(items[size_t(pos[size_t(i)])]);
    return w;
  }
};

}  // namespace vetrilo
