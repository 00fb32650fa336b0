#pragma once

#include "stats/custom_stat.h"

namespace vetrilo {

// Sum of the four numbers of a combination (order does not matter).
int CombSum(TComb comb);

// SUMS, SUME, SUMP: a sum of (some of) the numbers.
class TCustomSumStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagN;
  virtual int SumOf(TComb comb) const = 0;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

class TstSumValues : public TCustomSumStat {
 public:
  using TCustomSumStat::TCustomSumStat;
  static constexpr const char* kClassName = "TstSumValues";
  static constexpr const char* kCode = "SUMS";
  static constexpr const char* kCaption = "Сумма тиража: все значения";
  int SumOf(TComb comb) const override { return CombSum(comb); }
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

class TstSumEvenValues : public TCustomSumStat {
 public:
  using TCustomSumStat::TCustomSumStat;
  static constexpr const char* kClassName = "TstSumEvenValues";
  static constexpr const char* kCode = "SUME";
  static constexpr const char* kCaption = "Сумма тиража: только четные";
  int SumOf(TComb comb) const override;
};

class TstSumPrimeValues : public TCustomSumStat {
 public:
  using TCustomSumStat::TCustomSumStat;
  static constexpr const char* kClassName = "TstSumPrimeValues";
  static constexpr const char* kCode = "SUMP";
  static constexpr const char* kCaption = "Сумма тиража: только простые";
  int SumOf(TComb comb) const override;
};

// SUM%d: 1 when the sum lies in the fixed range of Param, else 0 ("Остальные").
class TstSumRanges : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSumRanges";
  static constexpr const char* kCode = "SUM%d";
  static constexpr const char* kCaption = "Сумма тиража: диапазон %d (%d/%d)";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagN;
  static constexpr bool kCanParse = false;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 3; }
  // The caption carries the range's share of the sums as a fraction.
  static std::string CaptionFor(int param);

  struct TRange {
    int32_t Low, High;
    int Numerator, Denominator;
  };
  // The range of a parameter; an empty range outside 1..3.
  static TRange RangeOf(int param);

  int InRange(TComb comb) const;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// SUMC: the sums that followed a draw whose sum equalled the reference draw's.
class TstSumChange : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSumChange";
  static constexpr const char* kCode = "SUMC";
  static constexpr const char* kCaption = "Сумма тиража: изменения (точно)";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// SUMV: the change of the sum after a draw whose sum lay within one band of the
// reference draw's sum.
class TstSumChangeSome : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr const char* kClassName = "TstSumChangeSome";
  static constexpr const char* kCode = "SUMV";
  static constexpr const char* kCaption = "Сумма тиража: изменения (диапазон)";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// SUMT: the direction of the change (-1, 0, +1) after a draw with the reference sum.
class TstSumTrend : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSumTrend";
  static constexpr const char* kCode = "SUMT";
  static constexpr const char* kCaption = "Сумма тиража: направление изменения";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// S2T3: in how many ways one number is the sum of two others.
class TstSum2To3 : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSum2To3";
  static constexpr const char* kCode = "S2T3";
  static constexpr const char* kCaption = "Сумма двух чисел тиража равна третьему числу";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagN;
  static int CountOf(TComb comb);
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

}  // namespace vetrilo
