#pragma once

#include <array>

#include "core/translate.h"
#include "stats/custom_stat.h"

namespace vetrilo {

// |second - first|, |third - second|, |fourth - third| of the numbers in the given order.
std::array<int, 3> NeighbourDiffs(TComb comb);
// The neighbour differences counted by value (key = difference), in order of
// first occurrence: a key/count tally of at most three entries, kept off the heap.
struct TDiffCounts {
  int Size = 0;
  std::array<TStatSimpleRec, 3> Items{};
  const TStatSimpleRec* begin() const { return Items.data(); }
  const TStatSimpleRec* end() const { return Items.data() + Size; }
};
TDiffCounts DiffCounts(TComb comb);

// DIFA: every neighbour difference.
class TstDiffTotal : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstDiffTotal";
  static constexpr const char* kCode = "DIFA";
  static constexpr const char* kCaption = "Все разности между соседними позициями";
  static constexpr int kGroup = 2;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// DIFM, DIFD, DIFK: one number per combination, seeded with the possible values.
class TCustomDiffValueStat : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr int kGroup = 2;
  virtual int ValueOf(TComb comb) const = 0;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// DIFM: the largest neighbour difference.
class TstDiffMax : public TCustomDiffValueStat {
 public:
  using TCustomDiffValueStat::TCustomDiffValueStat;
  static constexpr const char* kClassName = "TstDiffMax";
  static constexpr const char* kCode = "DIFM";
  static constexpr const char* kCaption = "Максимальная разность между соседними позициями";
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  int ValueOf(TComb comb) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

// DIFD: the largest number minus the smallest.
class TstMinMaxDiffs : public TCustomDiffValueStat {
 public:
  using TCustomDiffValueStat::TCustomDiffValueStat;
  static constexpr const char* kClassName = "TstMinMaxDiffs";
  static constexpr const char* kCode = "DIFD";
  static constexpr const char* kCaption = "Разность между минимальным и максимальным числом";
  static constexpr uint8_t kFlags = kFlagN;
  int ValueOf(TComb comb) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

// DIFK: how often the most repeated neighbour difference occurs (1..3).
class TstDiffSameCnt : public TCustomDiffValueStat {
 public:
  using TCustomDiffValueStat::TCustomDiffValueStat;
  static constexpr const char* kClassName = "TstDiffSameCnt";
  static constexpr const char* kCode = "DIFK";
  static constexpr const char* kCaption =
      "Количество одинаковых разностей между соседними позициями";
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  int ValueOf(TComb comb) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

// DIFO: each neighbour difference with its multiplicity, "3 x 2".
class TstDiffSame : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr const char* kClassName = "TstDiffSame";
  static constexpr const char* kCode = "DIFO";
  static constexpr const char* kCaption = "Одинаковые разности между соседними позициями";
  static constexpr int kGroup = 2;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// KDS2..KDS4: runs of 2, 3 or 4 consecutive neighbour differences, "3:5".
// Only draws yield values; a combination alone has none.
class TCustomCombDiffSeqStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr int kGroup = 2;
  static constexpr uint8_t kFlags = kFlagS;
  static constexpr bool kCanParse = false;
  std::string ValueToText(const TStatDrawRec& value) const override;

 protected:
  virtual int RunLength() const = 0;
};

class TstCombDiffSeq2 : public TCustomCombDiffSeqStat {
 public:
  using TCustomCombDiffSeqStat::TCustomCombDiffSeqStat;
  static constexpr const char* kClassName = "TstCombDiffSeq2";
  static constexpr const char* kCode = "KDS2";
  static constexpr const char* kCaption = "Сочетания из 2 разностей между числами";
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 protected:
  int RunLength() const override { return 2; }
};

class TstCombDiffSeq3 : public TCustomCombDiffSeqStat {
 public:
  using TCustomCombDiffSeqStat::TCustomCombDiffSeqStat;
  static constexpr const char* kClassName = "TstCombDiffSeq3";
  static constexpr const char* kCode = "KDS3";
  static constexpr const char* kCaption = "Сочетания из 3 разностей между числами";
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 protected:
  int RunLength() const override { return 3; }
};

// Four numbers have only three differences: never offered, yields nothing.
class TstCombDiffSeq4 : public TCustomCombDiffSeqStat {
 public:
  using TCustomCombDiffSeqStat::TCustomCombDiffSeqStat;
  static constexpr const char* kClassName = "TstCombDiffSeq4";
  static constexpr const char* kCode = "KDS4";
  static constexpr const char* kCaption = "Сочетания из 4 разностей между числами";
  static constexpr bool kEnabled = false;
  bool CombMatches(TComb, const TStatDrawArray&, int, bool, bool) override { return false; }

 protected:
  int RunLength() const override { return 4; }
};

}  // namespace vetrilo
