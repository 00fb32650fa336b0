#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "stats/families/item_stats.h"

namespace vetrilo {

// The user's segment map: a segment number for every number 1..47, copied from
// the registry when a statistic object is created.
class TSegmentGrid {
 public:
  explicit TSegmentGrid(const TStatList& list);

  std::array<uint8_t, 47> SegmentMap;
  bool HasItems() const { return true; }
  // A number outside 1..47 (a damaged archive) lies in no segment: 0.
  int SegmentOf(int n) const { return n >= 1 && n <= kMaxNumber ? SegmentMap[size_t(n - 1)] : 0; }
  // Every segment the map uses, ordered by the smallest number in it.
  const std::vector<int>& Segments() const { return segments_; }

 private:
  std::vector<int> segments_;
};

struct TSegmentAxis {
  static int Item(const TSegmentGrid& grid, int n) { return grid.SegmentOf(n); }
  static const std::vector<int>& Items(const TSegmentGrid& grid) { return grid.Segments(); }
};

class TCustomSegmentsStat : public TCustomNumbersStat, public TSegmentGrid {
 public:
  TCustomSegmentsStat(const TStatList& list, int param)
      : TCustomNumbersStat(list, param), TSegmentGrid(list) {}
  static constexpr int kGroup = 5;
};

class TCustomSegmentsGraphStat : public TCustomGraphStat, public TSegmentGrid {
 public:
  TCustomSegmentsGraphStat(const TStatList& list, int param)
      : TCustomGraphStat(list, param), TSegmentGrid(list) {}
  static constexpr int kGroup = 5;
};

// SGMS: the segments of the numbers.
class TstSegments : public TItemsStat<TCustomSegmentsStat, TSegmentAxis> {
 public:
  using TItemsStat::TItemsStat;
  static constexpr const char* kClassName = "TstSegments";
  static constexpr const char* kCode = "SGMS";
  static constexpr const char* kCaption = "Сегменты матрицы";
  static constexpr uint8_t kFlags = kFlagN;
};

// SGMV: (segment, how many numbers lie in it) for every segment of the map.
class TstSegmValues : public TItemValuesStat<TCustomSegmentsStat, TSegmentAxis> {
 public:
  using TItemValuesStat::TItemValuesStat;
  static constexpr const char* kClassName = "TstSegmValues";
  static constexpr const char* kCode = "SGMV";
  static constexpr const char* kCaption = "Количество чисел в сегменте матрицы";
  static constexpr uint8_t kFlags = kFlagN;
};

// SGMC: how many segments the numbers occupy.
class TstSegmCount : public TItemCountStat<TCustomSegmentsGraphStat, TSegmentAxis> {
 public:
  using TItemCountStat::TItemCountStat;
  static constexpr const char* kClassName = "TstSegmCount";
  static constexpr const char* kCode = "SGMC";
  static constexpr const char* kCaption = "Количество не пустых сегментов в матрице";
  static constexpr uint8_t kFlags = kFlagN;
};

class TstCombSegmMix2 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 2, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmMix2";
  static constexpr const char* kCode = "KGM2";
  static constexpr const char* kCaption = "Сочетания из 2 сегментов по всем числам тиража";
};

class TstCombSegmMix3 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 3, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmMix3";
  static constexpr const char* kCode = "KGM3";
  static constexpr const char* kCaption = "Сочетания из 3 сегментов по всем числам тиража";
};

class TstCombSegmMix4 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 4, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmMix4";
  static constexpr const char* kCode = "KGM4";
  static constexpr const char* kCaption = "Сочетания из 4 сегментов по всем числам тиража";
};

class TstCombSegmSeq2 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 2, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmSeq2";
  static constexpr const char* kCode = "KGS2";
  static constexpr const char* kCaption = "Сочетания из 2 сегментов по соседним числам";
};

class TstCombSegmSeq3 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 3, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmSeq3";
  static constexpr const char* kCode = "KGS3";
  static constexpr const char* kCaption = "Сочетания из 3 сегментов по соседним числам";
};

class TstCombSegmSeq4 : public TItemTupleStat<TCustomSegmentsStat, TSegmentAxis, 4, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombSegmSeq4";
  static constexpr const char* kCode = "KGS4";
  static constexpr const char* kCaption = "Сочетания из 4 сегментов по соседним числам";
};

// SGM%d: how many numbers lie in segment Param; one method per segment number
// from the smallest to the largest entry of the map, used or not.
class TstSgmValCnt : public TItemParamCountStat<TCustomSegmentsGraphStat, TSegmentAxis> {
 public:
  using TItemParamCountStat::TItemParamCountStat;
  static constexpr const char* kClassName = "TstSgmValCnt";
  static constexpr const char* kCode = "SGM%d";
  static constexpr const char* kCaption = "Количество чисел в %0:d сегменте матрицы";
  static constexpr const char* kHelpCode = "SGMx";
  static constexpr uint8_t kFlags = kFlagN;
  static void GetParamRange(const TStatList& list, int& low, int& high);
};

}  // namespace vetrilo
