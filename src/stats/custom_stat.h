#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"
#include "core/format.h"
#include "core/translate.h"
#include "stats/stat_values.h"

namespace vetrilo {

class TStatList;
class TCustomStat;

// Flag bits of a statistic class; the letters appear in method captions.
enum TStatFlag : uint8_t {
  kFlagS = 1 << 0,  // positional: the sorted view changes the value
  kFlagN = 1 << 1,  // has a norm over the full combination set
  kFlagD = 1 << 2,  // needs a reference draw
  kFlagP = 1 << 3,  // period statistic
  kFlagG = 1 << 4,  // has a graph value (added by GetAllFlags)
};
std::string FlagLetters(uint8_t flags);  // "SNDPG" order, only the set ones

// A class reference: the class-level operations of one statistic class, usable
// without an instance (the registry lists methods through them).
class TStatClass {
 public:
  virtual ~TStatClass() = default;
  virtual std::string ClassName() const = 0;
  virtual std::string GetCode() const = 0;
  virtual std::string GetCaption() const = 0;
  virtual std::string GetHelpCode() const = 0;
  virtual int GetGroup() const = 0;
  virtual uint8_t GetFlags() const = 0;
  uint8_t GetAllFlags() const { return GetFlags() | (HasGraph() ? kFlagG : 0); }
  virtual std::string GetCodeFor(int param) const { return Format(GetCode(), {param}); }
  virtual std::string GetCaptionFor(int param) const { return Format(GetCaption(), {param}); }
  // The help page of the method beside the help file; empty when the file is not there.
  std::string GetHelpLink(int param, const std::string& helpFile) const;
  virtual bool IsEnabled() const = 0;
  virtual bool IsDrawStat() const = 0;
  virtual bool HasGraph() const = 0;
  bool HasNorm() const { return (GetFlags() & kFlagN) != 0; }
  virtual bool CanParseValue() const = 0;
  virtual bool HasParamRange() const = 0;
  virtual void GetParamRange(const TStatList& list, int& low, int& high) const = 0;
  // A fresh instance for one protocol run.
  virtual std::unique_ptr<TCustomStat> Create(const TStatList& list, int param) const = 0;
};

// Root of every statistic class. Instances live for one protocol run: Draw,
// RefDraw and Work are scratch state. Concrete classes declare their class-level
// data as static members (kCode, kCaption, kGroup, kFlags, ...) and are turned
// into a class reference by ClassOf<T>().
class TCustomStat {
 public:
  // Class-level defaults; concrete classes shadow what differs.
  static constexpr const char* kHelpCode = nullptr;  // nullptr: the code
  static constexpr bool kGraph = false;
  static constexpr bool kEnabled = true;
  static constexpr bool kDrawStat = true;
  static constexpr bool kCanParse = true;
  static constexpr bool kHasParamRange = false;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = high = 0; }

  TCustomStat(const TStatList& list, int param);
  virtual ~TCustomStat() = default;

  const TStatClass& Class() const { return *class_; }
  void SetClass(const TStatClass* cls) { class_ = cls; }
  const TStatList& List() const { return list_; }
  std::string GetName() const;

  virtual std::string ValueToText(const TStatDrawRec& value) const = 0;
  virtual int32_t TextToValue(std::string_view text) const;
  int32_t ParseValue(std::string_view text) const;

  virtual void GetAllValues(int lastIndex, TStatDrawArray& list);
  virtual void LoadDraws(int index, int lastIndex, bool sorted);
  virtual void GetCombValues(TComb comb, TStatDrawArray& list);
  virtual void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                             TSeriesState& state, TLastValueArray& last);
  // Final: the shared "Факт" search (fact_search.h) gives the same numbers only
  // for this loop over GetDrawValues.
  virtual int32_t FindValueInDraws(const TStatDrawRec& value, int fromIndex, int lastIndex,
                                   bool sorted) final;
  virtual bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                           bool exclude) = 0;
  // The filtering loop over a run of combinations (after LoadDraws (-1, lastIndex, sorted)):
  // appends to `out`, in order, every combination whose CombMatches differs from `exclude`.
  // The default asks CombMatches per combination; a family may answer with a tight loop of
  // its own, which must keep exactly the same combinations. `combs` must not lie in `out`.
  virtual void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected,
                           int lastIndex, bool sorted, bool exclude, TCombsArray& out);

  // The loop of the full-set distribution: adds to `list` every value GetCombValues gives for
  // the combinations, with the same total counts. The distribution keeps only values and
  // counts and sorts them, so a family may answer with a tight loop of its own that adds each
  // value once with its count (AddCounted), in any order. The default calls GetCombValues.
  virtual void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list);

  // A copy of draw `index`, all zero outside the archive, Balls sorted when asked.
  TDrawRec GetDraw(int index, bool sorted) const;
  const TDrawArchive& Draws() const { return *draws_; }

  int Param;
  TDrawRec Draw;
  TDrawRec RefDraw;
  TStatDrawRec Work;

 protected:
  // Adds Work with the given value words.
  void AddWords(TStatDrawArray& list, bool trackGaps, int w1, int w2 = 0, int w3 = 0, int w4 = 0) {
    Work.SetWords(w1, w2, w3, w4);
    AddStatValue(list, Work, trackGaps);
  }
  void AddHalves(TStatDrawArray& list, bool trackGaps, int32_t h1, int32_t h2 = 0) {
    Work.SetHalves(h1, h2);
    AddStatValue(list, Work, trackGaps);
  }
  // The full-set loop of a family with one value per combination: keyOf gives
  // its key (WordKey or HalfKey of what it would add).
  template <class TKeyOf>
  static void CountKeys(std::span<const TComb> combs, TStatDrawArray& list, TKeyOf keyOf) {
    std::vector<int32_t> counts(4096, 0);
    for (const TComb comb : combs) {
      const uint64_t key = keyOf(comb);
      if (key < counts.size()) {
        ++counts[key];
      } else {
        AddCounted(list, key, 1);
      }
    }
    AddCounts(list, counts);
  }
  // Adds every key met a positive number of times; counts[key] is how often.
  template <class TCounts>
  static void AddCounts(TStatDrawArray& list, const TCounts& counts) {
    for (size_t key = 0; key < counts.size(); ++key) {
      if (counts[key] > 0) AddCounted(list, key, counts[key]);
    }
  }
  static uint64_t WordKey(int w1) { return uint16_t(w1); }
  static uint64_t HalfKey(int32_t h1) { return uint32_t(h1); }
  // Adds a value met `count` (> 0) times over the full set.
  static void AddCounted(TStatDrawArray& list, uint64_t key, int32_t count) {
    TStatDrawRec r;
    r.SetKey(key);
    r.Count = count;
    AddStatValue(list, r, false);
  }
  // Appends the combinations for which matches(comb) differs from exclude; no branch per
  // combination, so the fast filters stay a straight pass over the array.
  template <class TMatch>
  static void KeepCombs(std::span<const TComb> combs, bool exclude, TCombsArray& out,
                        TMatch matches) {
    const size_t base = out.size();
    out.resize(base + combs.size());
    TComb* dst = out.data() + base;
    size_t kept = 0;
    for (const TComb comb : combs) {
      dst[kept] = comb;
      kept += static_cast<bool>(matches(comb)) != exclude ? 1 : 0;
    }
    out.resize(base + kept);
  }

 private:
  const TStatList& list_;
  const TDrawArchive* draws_;
  const TStatClass* class_ = nullptr;
};

// Statistics with one numeric value per combination, shown in graphs.
class TCustomGraphStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr bool kGraph = true;
  std::string ValueToText(const TStatDrawRec& value) const override;
  virtual int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) = 0;
  virtual int32_t GetDrawGraphValue(int index, int lastIndex, bool sorted);
};

// n:m with m = 4 - n.
class TCustomRatioStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  std::string ValueToText(const TStatDrawRec& value) const override;
  int32_t TextToValue(std::string_view text) const override;
};

// Value[1] is a main number.
class TCustomValuesStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& value) const override;
};

// Value[1] is a plain number.
class TCustomNumbersStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  std::string ValueToText(const TStatDrawRec& value) const override;
};

// Value[1] is a 4-bit mask over the positions, the first number the highest bit.
class TCustomMaskStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  virtual std::string_view GetOffLetter() const = 0;
  virtual std::string_view GetOnLetter() const = 0;
  std::string ValueToText(const TStatDrawRec& value) const override;
  int32_t TextToValue(std::string_view text) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

// The class reference of a concrete statistic class T.
template <class T>
class TStatClassT final : public TStatClass {
 public:
  std::string ClassName() const override { return T::kClassName; }
  std::string GetCode() const override { return T::kCode; }
  std::string GetCaption() const override { return Tr(T::kCaption); }
  std::string GetHelpCode() const override {
    return T::kHelpCode ? std::string(T::kHelpCode) : GetCode();
  }
  int GetGroup() const override { return T::kGroup; }
  uint8_t GetFlags() const override { return T::kFlags; }
  std::string GetCodeFor(int param) const override {
    if constexpr (requires { T::CodeFor(param); }) {
      return T::CodeFor(param);
    } else {
      return TStatClass::GetCodeFor(param);
    }
  }
  std::string GetCaptionFor(int param) const override {
    if constexpr (requires { T::CaptionFor(param); }) {
      return T::CaptionFor(param);
    } else {
      return TStatClass::GetCaptionFor(param);
    }
  }
  bool IsEnabled() const override { return T::kEnabled; }
  bool IsDrawStat() const override { return T::kDrawStat; }
  bool HasGraph() const override { return T::kGraph; }
  bool CanParseValue() const override { return T::kCanParse; }
  bool HasParamRange() const override { return T::kHasParamRange; }
  void GetParamRange(const TStatList& list, int& low, int& high) const override {
    T::GetParamRange(list, low, high);
  }
  std::unique_ptr<TCustomStat> Create(const TStatList& list, int param) const override {
    auto stat = std::make_unique<T>(list, param);
    stat->SetClass(this);
    return stat;
  }
};

template <class T>
const TStatClass& ClassOf() {
  static const TStatClassT<T> cls;
  return cls;
}

}  // namespace vetrilo
