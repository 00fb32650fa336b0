#pragma once

#include "stats/custom_stat.h"
#include "stats/families/item_map.h"

namespace vetrilo {

// The period of an item (number, channel, segment): the difference of the draw
// Numbers of two consecutive appearances. The last-value memory of the caller's
// draw loop holds each item's latest appearance. Value[1] = item, Value[2] = period.
class TCustomPeriodsStat : public TCustomStat {
 public:
  static constexpr int kGroup = 9;
  static constexpr uint8_t kFlags = kFlagP;
  static constexpr bool kCanParse = false;

  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  // Include: the item came in the draw that the selected period reaches back to
  // from the candidate (the draw after lastIndex); exclude: it did not.
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  // Item of the number at a position; kNoItem for a byte outside 1..47.
  virtual int GetItem(int position, int number) const;

 protected:
  TCustomPeriodsStat(const TStatList& list, int param, const TItemMap& items);
  std::string PeriodText(std::string itemText, const TStatDrawRec& value) const;

  TItemMap Items;
};

class TstNumPeriods : public TCustomPeriodsStat {
 public:
  TstNumPeriods(const TStatList& list, int param);
  static constexpr const char* kClassName = "TstNumPeriods";
  static constexpr const char* kCode = "PRDV";
  static constexpr const char* kCaption = "Периоды повторения чисел";
  std::string ValueToText(const TStatDrawRec& value) const override;
};

class TstChnPeriods : public TCustomPeriodsStat {
 public:
  TstChnPeriods(const TStatList& list, int param);
  static constexpr const char* kClassName = "TstChnPeriods";
  static constexpr const char* kCode = "PRDC";
  static constexpr const char* kCaption = "Периоды повторения каналов";
  std::string ValueToText(const TStatDrawRec& value) const override;
  int32_t ChannelSize;
};

class TstSgmPeriods : public TCustomPeriodsStat {
 public:
  TstSgmPeriods(const TStatList& list, int param);
  static constexpr const char* kClassName = "TstSgmPeriods";
  static constexpr const char* kCode = "PRDG";
  static constexpr const char* kCaption = "Периоды повторения сегментов";
  std::string ValueToText(const TStatDrawRec& value) const override;
  std::array<uint8_t, 47> SegmentMap;
};

}  // namespace vetrilo
