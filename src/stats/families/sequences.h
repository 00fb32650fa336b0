#pragma once

#include "stats/custom_stat.h"

namespace vetrilo {

// Runs of consecutive numbers: a run continues while a number is exactly one
// more than the one before it, taken in the order given.

// Lengths of all runs, in position order (they add up to 4).
int SequenceLengths(TComb comb, int (&lengths)[4]);
// Number of runs of length 2 or more.
int SequenceCount(TComb comb);
// Length of the longest run (1 when no neighbours are consecutive).
int SequenceLenMax(TComb comb);

// SEQL: the length of every run.
class TstSequenceLen : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstSequenceLen";
  static constexpr const char* kCode = "SEQL";
  static constexpr const char* kCaption = "Длина последовательности в тираже";
  static constexpr int kGroup = 6;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 private:
  void AddLengths(TStatDrawArray& list, TComb comb, bool trackGaps);
};

// SEQS: how many real runs. The graph also counts descending neighbours.
class TstSequenceCnt : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSequenceCnt";
  static constexpr const char* kCode = "SEQS";
  static constexpr const char* kCaption = "Количество последовательностей в тираже";
  static constexpr int kGroup = 6;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

// LENS: the longest run. The graph also counts descending neighbours and gives
// 0 when there is no consecutive pair at all.
class TstSequenceLenMax : public TCustomGraphStat {
 public:
  using TCustomGraphStat::TCustomGraphStat;
  static constexpr const char* kClassName = "TstSequenceLenMax";
  static constexpr const char* kCode = "LENS";
  static constexpr const char* kCaption = "Макс. длина последовательности в тираже";
  static constexpr int kGroup = 6;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;
};

}  // namespace vetrilo
