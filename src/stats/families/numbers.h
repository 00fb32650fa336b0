#pragma once

#include <array>

#include "core/translate.h"
#include "stats/custom_stat.h"

namespace vetrilo {

// Number properties of the 4-of-47 game; 1 counts as prime.
bool IsPrimeNumber(int n);
inline bool IsEvenNumber(int n) {
  return n % 2 == 0;
}
inline bool IsSmallNumber(int n) {
  return n < 24;
}

// NUMS: the numbers themselves.
class TstValues : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  static constexpr const char* kClassName = "TstValues";
  static constexpr const char* kCode = "NUMS";
  static constexpr const char* kCaption = "Числа тиража";
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Final: FilterCombs below answers the same test in one pass.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) final;
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;
};

// DIGS: the decimal digits the numbers are written with.
class TstDigits : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstDigits";
  static constexpr const char* kCode = "DIGS";
  static constexpr const char* kCaption = "Цифры тиража";
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagN;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Final: FilterCombs below answers the same test in one pass.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) final;
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;

 private:
  void AddDigits(TStatDrawArray& list, std::array<uint8_t, 4> numbers, bool trackGaps);
};

// EVEN, SMAL, PRIM: how many of the 4 numbers have the property, shown as n:m.
class TCustomCountStat : public TCustomRatioStat {
 public:
  using TCustomRatioStat::TCustomRatioStat;
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagN;
  virtual bool HasProperty(int n) const = 0;
  int CountOf(TComb comb) const;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Final: FilterCombs below answers the same test in one pass.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) final;
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

class TstEvenCount : public TCustomCountStat {
 public:
  using TCustomCountStat::TCustomCountStat;
  static constexpr const char* kClassName = "TstEvenCount";
  static constexpr const char* kCode = "EVEN";
  static constexpr const char* kCaption = "Количество четных чисел в тираже (Ч:Н)";
  bool HasProperty(int n) const override { return IsEvenNumber(n); }
};

class TstSmallCount : public TCustomCountStat {
 public:
  using TCustomCountStat::TCustomCountStat;
  static constexpr const char* kClassName = "TstSmallCount";
  static constexpr const char* kCode = "SMAL";
  static constexpr const char* kCaption = "Количество чисел из первой половины диапазона (1П:2П)";
  bool HasProperty(int n) const override { return IsSmallNumber(n); }
};

class TstPrimeCount : public TCustomCountStat {
 public:
  using TCustomCountStat::TCustomCountStat;
  static constexpr const char* kClassName = "TstPrimeCount";
  static constexpr const char* kCode = "PRIM";
  static constexpr const char* kCaption = "Количество простых чисел (П:С)";
  bool HasProperty(int n) const override { return IsPrimeNumber(n); }
};

// EVNV, SMLV, PRMV: the property pattern by position, the first number the highest bit.
class TCustomPatternStat : public TCustomMaskStat {
 public:
  using TCustomMaskStat::TCustomMaskStat;
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  virtual bool IsOn(int n) const = 0;
  int PatternOf(TComb comb) const;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Final: FilterCombs below answers the same test in one pass.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) final;
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;
};

class TstEvenValues : public TCustomPatternStat {
 public:
  using TCustomPatternStat::TCustomPatternStat;
  static constexpr const char* kClassName = "TstEvenValues";
  static constexpr const char* kCode = "EVNV";
  static constexpr const char* kCaption = "Четные и нечетные числа в тираже (Чн..нЧ)";
  bool IsOn(int n) const override { return !IsEvenNumber(n); }
  std::string_view GetOffLetter() const override { return "Ч"; }
  std::string_view GetOnLetter() const override { return "н"; }
};

class TstSmallValues : public TCustomPatternStat {
 public:
  using TCustomPatternStat::TCustomPatternStat;
  static constexpr const char* kClassName = "TstSmallValues";
  static constexpr const char* kCode = "SMLV";
  static constexpr const char* kCaption = "Числа из первой половины диапазона (12..12)";
  bool IsOn(int n) const override { return !IsSmallNumber(n); }
  std::string_view GetOffLetter() const override { return "1"; }
  std::string_view GetOnLetter() const override { return "2"; }
  // Not pre-seeded: rows appear in order of first occurrence.
  void GetAllValues(int, TStatDrawArray&) override {}
};

class TstPrimeValues : public TCustomPatternStat {
 public:
  using TCustomPatternStat::TCustomPatternStat;
  static constexpr const char* kClassName = "TstPrimeValues";
  static constexpr const char* kCode = "PRMV";
  static constexpr const char* kCaption = "Простые и составные числа (ПС..СП)";
  bool IsOn(int n) const override { return IsPrimeNumber(n); }
  std::string_view GetOffLetter() const override { return "С"; }
  std::string_view GetOnLetter() const override { return "П"; }
};

// POS%d: the number at position Param.
class TstPosVal : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstPosVal";
  static constexpr const char* kCode = "POS%d";
  static constexpr const char* kCaption = "Число в %0:d позиции тиража";
  static constexpr const char* kHelpCode = "POSx";
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 4; }
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Final: FilterCombs below answers the same test in one pass.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) final;
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// POE%d: the bonus ball; a combination has none, so it filters nothing in.
class TstPosExt : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstPosExt";
  static constexpr const char* kCode = "POE%d";
  static constexpr const char* kCaption = "Extra (Bonus, Star...) - число (!без фильтра!)";
  static constexpr const char* kHelpCode = "POSx";
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = 0;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 1; }
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb, const TStatDrawArray&, int, bool, bool) final { return false; }
  void FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int lastIndex,
                   bool sorted, bool exclude, TCombsArray& out) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

}  // namespace vetrilo
