#pragma once

#include "stats/custom_stat.h"

namespace vetrilo {

// The Ognev number of four numbers in the given order: repeated absolute
// differences of neighbours down to (e1, e2), then r = |e2 - e1|.
// Mode 0: r. Mode 1: e1 + e2 when r < 2, else r. Mode 2 (dynamic): r = 0 becomes
// e1 + e2; r = 1 gives the pair (1, e1 + e2), stored with Number = e1 + e2.
struct TOgnevNumber {
  int Number = 0;
  bool Pair = false;
};
TOgnevNumber OgnevNumber(TComb comb, int mode);

// HCO1, HCO2: the Ognev number as an ordinary characteristic with a graph.
class TCustomOgnevGraphStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr int kGroup = 11;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  virtual int GetMode() const = 0;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

class TstOgnev1 : public TCustomOgnevGraphStat {
 public:
  using TCustomOgnevGraphStat::TCustomOgnevGraphStat;
  static constexpr const char* kClassName = "TstOgnev1";
  static constexpr const char* kCode = "HCO1";
  static constexpr const char* kCaption = "Число Огнева 1 (только разность)";
  int GetMode() const override { return 0; }
};

class TstOgnev2 : public TCustomOgnevGraphStat {
 public:
  using TCustomOgnevGraphStat::TCustomOgnevGraphStat;
  static constexpr const char* kClassName = "TstOgnev2";
  static constexpr const char* kCode = "HCO2";
  static constexpr const char* kCaption = "Число Огнева 2 (разность + сложение, если {0,1})";
  int GetMode() const override { return 1; }
};

// HCO3, for filtering only: only the newest analysed draw has values, its
// dynamic Ognev number f and the multiples of f from 2f up to f² (or f³ when f²
// is below 47) that are main numbers. Each value's Count marks whether the draw
// after it (hidden by the draw offset) has that number; without one every
// Count is 0.
class TstOgnev3 : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr const char* kClassName = "TstOgnev3";
  static constexpr const char* kCode = "HCO3";
  static constexpr const char* kCaption = "Числа Огнева 3 (динамический, только фильтр)";
  static constexpr int kGroup = 11;
  static constexpr uint8_t kFlags = kFlagS | kFlagD;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

}  // namespace vetrilo
