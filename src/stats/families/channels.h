#pragma once

#include <string>
#include <vector>

#include "stats/families/item_stats.h"

namespace vetrilo {

// Channels of consecutive numbers: with size s, channel k holds (k - 1)s + 1 .. ks.
// The size is copied from the registry when a statistic object is created.
class TChannelGrid {
 public:
  explicit TChannelGrid(const TStatList& list);
  // The size the family works with: none (0) for a size <= 0, which would
  // divide by zero; a hand-edited size above 47 acts as 47 (a single channel).
  static int UsableSize(int32_t size);

  int ChannelSize;
  bool HasItems() const { return ChannelSize > 0; }
  int ChannelOf(int n) const { return CeilDiv(n, ChannelSize); }
  // "06 [41-48]": the upper bound is k * s even for the last channel.
  std::string ChannelText(int k) const;
  const std::vector<int>& Channels() const { return channels_; }

 private:
  std::vector<int> channels_;  // 1..count
};

struct TChannelAxis {
  static int Item(const TChannelGrid& grid, int n) { return grid.ChannelOf(n); }
  static const std::vector<int>& Items(const TChannelGrid& grid) { return grid.Channels(); }
};

class TCustomChannelsStat : public TCustomNumbersStat, public TChannelGrid {
 public:
  TCustomChannelsStat(const TStatList& list, int param)
      : TCustomNumbersStat(list, param), TChannelGrid(list) {}
  static constexpr int kGroup = 3;
};

class TCustomChannelsGraphStat : public TCustomGraphStat, public TChannelGrid {
 public:
  TCustomChannelsGraphStat(const TStatList& list, int param)
      : TCustomGraphStat(list, param), TChannelGrid(list) {}
  static constexpr int kGroup = 3;
};

// CHAN: the channels of the numbers.
class TstChannels : public TItemsStat<TCustomChannelsStat, TChannelAxis> {
 public:
  using TItemsStat::TItemsStat;
  static constexpr const char* kClassName = "TstChannels";
  static constexpr const char* kCode = "CHAN";
  static constexpr const char* kCaption = "Каналы";
  static constexpr uint8_t kFlags = kFlagN;
  std::string ValueToText(const TStatDrawRec& value) const override;
  int32_t TextToValue(std::string_view text) const override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// CHNV: (channel, how many numbers lie in it) for every channel.
class TstChanValues : public TItemValuesStat<TCustomChannelsStat, TChannelAxis> {
 public:
  using TItemValuesStat::TItemValuesStat;
  static constexpr const char* kClassName = "TstChanValues";
  static constexpr const char* kCode = "CHNV";
  static constexpr const char* kCaption = "Количество чисел в канале";
  static constexpr uint8_t kFlags = kFlagN;
  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

// CHNC: how many channels the numbers occupy.
class TstChanCount : public TItemCountStat<TCustomChannelsGraphStat, TChannelAxis> {
 public:
  using TItemCountStat::TItemCountStat;
  static constexpr const char* kClassName = "TstChanCount";
  static constexpr const char* kCode = "CHNC";
  static constexpr const char* kCaption = "Количество каналов в тираже";
  static constexpr uint8_t kFlags = kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

class TstCombChnMix2 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 2, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnMix2";
  static constexpr const char* kCode = "KCM2";
  static constexpr const char* kCaption = "Сочетания из 2 каналов по всем числам тиража";
};

class TstCombChnMix3 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 3, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnMix3";
  static constexpr const char* kCode = "KCM3";
  static constexpr const char* kCaption = "Сочетания из 3 каналов по всем числам тиража";
};

class TstCombChnMix4 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 4, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnMix4";
  static constexpr const char* kCode = "KCM4";
  static constexpr const char* kCaption = "Сочетания из 4 каналов по всем числам тиража";
};

class TstCombChnSeq2 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 2, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnSeq2";
  static constexpr const char* kCode = "KCS2";
  static constexpr const char* kCaption = "Сочетания из 2 каналов по соседним числам";
};

class TstCombChnSeq3 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 3, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnSeq3";
  static constexpr const char* kCode = "KCS3";
  static constexpr const char* kCaption = "Сочетания из 3 каналов по соседним числам";
};

class TstCombChnSeq4 : public TItemTupleStat<TCustomChannelsStat, TChannelAxis, 4, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombChnSeq4";
  static constexpr const char* kCode = "KCS4";
  static constexpr const char* kCaption = "Сочетания из 4 каналов по соседним числам";
};

// CHN%d: how many numbers lie in channel Param; one method per channel.
class TstChnValCnt : public TItemParamCountStat<TCustomChannelsGraphStat, TChannelAxis> {
 public:
  using TItemParamCountStat::TItemParamCountStat;
  static constexpr const char* kClassName = "TstChnValCnt";
  static constexpr const char* kCode = "CHN%d";
  static constexpr const char* kCaption = "Количество чисел в %0:d канале";
  static constexpr const char* kHelpCode = "CHNx";
  static constexpr uint8_t kFlags = kFlagN;
  static void GetParamRange(const TStatList& list, int& low, int& high);
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
};

}  // namespace vetrilo
