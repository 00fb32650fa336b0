#pragma once

#include "stats/custom_stat.h"
#include "stats/families/item_map.h"

namespace vetrilo {

// Runs over consecutive draws in which an item (number, channel, segment) came
// (a group) or stayed away (a pause). Only items of the newest draw are
// reported; the run state of the caller's draw loop carries the open runs.
// Value[1] = item, Value[2] = run length.
class TCustomSerialStat : public TCustomStat {
 public:
  static constexpr int kGroup = 8;
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kCanParse = false;

  static constexpr uint8_t kPause = 0;
  static constexpr uint8_t kGroupRun = 1;

  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

  // Item of the number at a position; kNoItem for a byte outside 1..47.
  virtual int GetItem(int position, int number) const;
  // Some number of RefDraw has this item.
  virtual bool ItemInRefDraw(int item) const;

  uint8_t RunKind;
  int32_t LowItem;
  int32_t HighItem;

 protected:
  TCustomSerialStat(const TStatList& list, int param, uint8_t runKind, const TItemMap& items);
  std::string RunText(std::string itemText, const TStatDrawRec& value) const;

  TItemMap Items;
};

class TValuesSerialStat : public TCustomSerialStat {
 public:
  std::string ValueToText(const TStatDrawRec& value) const override;

 protected:
  TValuesSerialStat(const TStatList& list, int param, uint8_t runKind);
};

class TChannelsSerialStat : public TCustomSerialStat {
 public:
  std::string ValueToText(const TStatDrawRec& value) const override;
  int32_t ChannelSize;

 protected:
  TChannelsSerialStat(const TStatList& list, int param, uint8_t runKind);
};

class TSegmentsSerialStat : public TCustomSerialStat {
 public:
  std::string ValueToText(const TStatDrawRec& value) const override;
  std::array<uint8_t, 47> SegmentMap;

 protected:
  TSegmentsSerialStat(const TStatList& list, int param, uint8_t runKind);
};

class TstNumGroups : public TValuesSerialStat {
 public:
  TstNumGroups(const TStatList& list, int param) : TValuesSerialStat(list, param, kGroupRun) {}
  static constexpr const char* kClassName = "TstNumGroups";
  static constexpr const char* kCode = "GRPV";
  static constexpr const char* kCaption = "Повторы чисел в нескольких тиражах подряд";
};

class TstNumPauses : public TValuesSerialStat {
 public:
  TstNumPauses(const TStatList& list, int param) : TValuesSerialStat(list, param, kPause) {}
  static constexpr const char* kClassName = "TstNumPauses";
  static constexpr const char* kCode = "GRPP";
  static constexpr const char* kCaption = "Интервалы между повторениями чисел";
};

class TstChnGroups : public TChannelsSerialStat {
 public:
  TstChnGroups(const TStatList& list, int param) : TChannelsSerialStat(list, param, kGroupRun) {}
  static constexpr const char* kClassName = "TstChnGroups";
  static constexpr const char* kCode = "GRCV";
  static constexpr const char* kCaption = "Повторы каналов в нескольких тиражах подряд";
};

class TstChnPauses : public TChannelsSerialStat {
 public:
  TstChnPauses(const TStatList& list, int param) : TChannelsSerialStat(list, param, kPause) {}
  static constexpr const char* kClassName = "TstChnPauses";
  static constexpr const char* kCode = "GRCP";
  static constexpr const char* kCaption = "Интервалы между повторениями каналов";
};

class TstSgmGroups : public TSegmentsSerialStat {
 public:
  TstSgmGroups(const TStatList& list, int param) : TSegmentsSerialStat(list, param, kGroupRun) {}
  static constexpr const char* kClassName = "TstSgmGroups";
  static constexpr const char* kCode = "GRSV";
  static constexpr const char* kCaption = "Повторы сегментов в нескольких тиражах подряд";
};

class TstSgmPauses : public TSegmentsSerialStat {
 public:
  TstSgmPauses(const TStatList& list, int param) : TSegmentsSerialStat(list, param, kPause) {}
  static constexpr const char* kClassName = "TstSgmPauses";
  static constexpr const char* kCode = "GRSP";
  static constexpr const char* kCaption = "Интервалы между повторениями сегментов";
};

}  // namespace vetrilo
