#pragma once

#include "stats/custom_stat.h"
#include "stats/families/item_map.h"

namespace vetrilo {

// How a chain class links the previous draw(s) to the current one.
enum class TChainShape : uint8_t {
  All2,    // every item of the previous draw found in the newest draw -> every item of the draw
  Pos2,    // position by position, when the previous draw matches the newest one there
  One2,    // as Pos2 at position Param only
  Pos3,    // two previous draws matching the newest two, position by position
  One3,    // as Pos3 at position Param only
  Count2,  // how many numbers fall into item Param, over two draws
  Count3,  // the same over three draws
  Inside,  // numbers of the newest draw followed inside their channel
};

// Transitions between consecutive draws, counted only from the situation the
// newest draw (and the one before it) shows. Two-step values: Value[1] = item
// of the earlier draw, Value[2] = item of the current draw; three-step values:
// Value[1..3] = items of the second previous, previous and current draw.
class TCustomChainStat : public TCustomStat {
 public:
  static constexpr int kGroup = 10;
  static constexpr uint8_t kFlags = kFlagS | kFlagD;
  static constexpr bool kCanParse = false;

  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 protected:
  TCustomChainStat(const TStatList& list, int param, TChainShape shape, const TItemMap& items);
  virtual std::string ItemText(int item) const;  // plain decimal
  bool ThreeSteps() const;
  // Count-chain values seeded for the newest draw: (count, t) or
  // (previous count, count, t) for t = 0..highest.
  void SeedCounts(int lastIndex, TStatDrawArray& list, int highest);

  TChainShape Shape;
  TItemMap Items;

 private:
  void AddAll2(int index, bool sorted, TStatDrawArray& list);
  void AddPositions2(int index, bool sorted, TStatDrawArray& list, int first, int last);
  void AddPositions3(int index, int lastIndex, bool sorted, TStatDrawArray& list, int first,
                     int last);
  void AddCounts(int index, int lastIndex, TStatDrawArray& list, bool threeSteps);
};

// Number chains: the item of a number is the number itself.
class TCustomChainValues2Stat : public TCustomChainStat {
 protected:
  TCustomChainValues2Stat(const TStatList& list, int param, TChainShape shape)
      : TCustomChainStat(list, param, shape, TItemMap::Numbers()) {}
  std::string ItemText(int item) const override { return NumberText(item); }
};

class TCustomChainValues3Stat : public TCustomChainStat {
 protected:
  TCustomChainValues3Stat(const TStatList& list, int param, TChainShape shape)
      : TCustomChainStat(list, param, shape, TItemMap::Numbers()) {}
  std::string ItemText(int item) const override { return NumberText(item); }
};

// Channel chains: the item is the channel CeilDiv(n, ChannelSize).
class TCustomChainChannelsStat : public TCustomChainStat {
 public:
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  int32_t ChannelSize;

 protected:
  TCustomChainChannelsStat(const TStatList& list, int param, TChainShape shape);
};

class TCustomChainChannels2Stat : public TCustomChainChannelsStat {
 protected:
  using TCustomChainChannelsStat::TCustomChainChannelsStat;
  std::string ItemText(int item) const override;  // "%.2d"
};

class TCustomChainChannels3Stat : public TCustomChainChannelsStat {
 protected:
  using TCustomChainChannelsStat::TCustomChainChannelsStat;
  std::string ItemText(int item) const override;  // "%.2d"
};

// Numbers of the newest draw found in the previous draw, followed into the next
// draw inside their own channel. Value[1] = the number, Value[2] = a number of
// its channel in the next draw, 0 for none, or (SDC2) how many there were.
class TCustomChainChannels2Inside : public TCustomChainChannels2Stat {
 public:
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr int kAll = 0;
  static constexpr int kSuccessful = 1;
  static constexpr int kUnsuccessful = 2;
  static constexpr int kCount = 3;

  int GetInsideKind() const { return InsideKind; }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 protected:
  TCustomChainChannels2Inside(const TStatList& list, int param, int kind)
      : TCustomChainChannels2Stat(list, param, TChainShape::Inside), InsideKind(kind) {}
  std::string ItemText(int item) const override;

 private:
  int InsideKind;
};

// Segment chains: the item is the segment of the number in the map.
class TCustomChainSegmentsStat : public TCustomChainStat {
 public:
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  std::array<uint8_t, 47> SegmentMap;

 protected:
  TCustomChainSegmentsStat(const TStatList& list, int param, TChainShape shape);
};

class TCustomChainSegments2Stat : public TCustomChainSegmentsStat {
 protected:
  using TCustomChainSegmentsStat::TCustomChainSegmentsStat;
};

class TCustomChainSegments3Stat : public TCustomChainSegmentsStat {
 protected:
  using TCustomChainSegmentsStat::TCustomChainSegmentsStat;
};

// Parameter ranges.
struct TChainRanges {
  static void Positions(const TStatList&, int& low, int& high) { low = 1, high = 4; }
  // 1..channel count; none when ChannelSize <= 0.
  static void Channels(const TStatList& list, int& low, int& high);
  // Lowest..highest segment of the map, the bounds starting from 9 and 1.
  static void Segments(const TStatList& list, int& low, int& high);
};

class TstChain2DrawsAll : public TCustomChainValues2Stat {
 public:
  TstChain2DrawsAll(const TStatList& list, int param)
      : TCustomChainValues2Stat(list, param, TChainShape::All2) {}
  static constexpr const char* kClassName = "TstChain2DrawsAll";
  static constexpr const char* kCode = "SDV2";
  static constexpr const char* kCaption = "Переходы чисел между 2 тиражами без учета позиции";
  static constexpr uint8_t kFlags = kFlagD;
};

class TstChain2DrawsPos : public TCustomChainValues2Stat {
 public:
  TstChain2DrawsPos(const TStatList& list, int param)
      : TCustomChainValues2Stat(list, param, TChainShape::Pos2) {}
  static constexpr const char* kClassName = "TstChain2DrawsPos";
  static constexpr const char* kCode = "SDP2";
  static constexpr const char* kCaption = "Переходы чисел между 2 тиражами с учетом позиции";
};

class TstChain2Pos : public TCustomChainValues2Stat {
 public:
  TstChain2Pos(const TStatList& list, int param)
      : TCustomChainValues2Stat(list, param, TChainShape::One2) {}
  static constexpr const char* kClassName = "TstChain2Pos";
  static constexpr const char* kCode = "SDN%d";
  static constexpr const char* kCaption = "Переходы чисел между 2 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SDNx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain3DrawsPos : public TCustomChainValues3Stat {
 public:
  TstChain3DrawsPos(const TStatList& list, int param)
      : TCustomChainValues3Stat(list, param, TChainShape::Pos3) {}
  static constexpr const char* kClassName = "TstChain3DrawsPos";
  static constexpr const char* kCode = "SDP3";
  static constexpr const char* kCaption = "Переходы чисел между 3 тиражами с учетом позиции";
};

class TstChain3Pos : public TCustomChainValues3Stat {
 public:
  TstChain3Pos(const TStatList& list, int param)
      : TCustomChainValues3Stat(list, param, TChainShape::One3) {}
  static constexpr const char* kClassName = "TstChain3Pos";
  static constexpr const char* kCode = "SDM%d";
  static constexpr const char* kCaption = "Переходы чисел между 3 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SDMx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain2ChannelsAll : public TCustomChainChannels2Stat {
 public:
  TstChain2ChannelsAll(const TStatList& list, int param)
      : TCustomChainChannels2Stat(list, param, TChainShape::All2) {}
  static constexpr const char* kClassName = "TstChain2ChannelsAll";
  static constexpr const char* kCode = "SCV2";
  static constexpr const char* kCaption = "Переходы каналов между 2 тиражами без учета позиции";
  static constexpr uint8_t kFlags = kFlagD;
};

class TstChain2ChannelsPos : public TCustomChainChannels2Stat {
 public:
  TstChain2ChannelsPos(const TStatList& list, int param)
      : TCustomChainChannels2Stat(list, param, TChainShape::Pos2) {}
  static constexpr const char* kClassName = "TstChain2ChannelsPos";
  static constexpr const char* kCode = "SCP2";
  static constexpr const char* kCaption = "Переходы каналов между 2 тиражами с учетом позиции";
};

class TstChain2Channel : public TCustomChainChannels2Stat {
 public:
  TstChain2Channel(const TStatList& list, int param)
      : TCustomChainChannels2Stat(list, param, TChainShape::One2) {}
  static constexpr const char* kClassName = "TstChain2Channel";
  static constexpr const char* kCode = "SCN%d";
  static constexpr const char* kCaption = "Переходы каналов между 2 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SCNx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain3ChannelsPos : public TCustomChainChannels3Stat {
 public:
  TstChain3ChannelsPos(const TStatList& list, int param)
      : TCustomChainChannels3Stat(list, param, TChainShape::Pos3) {}
  static constexpr const char* kClassName = "TstChain3ChannelsPos";
  static constexpr const char* kCode = "SCP3";
  static constexpr const char* kCaption = "Переходы каналов между 3 тиражами с учетом позиции";
};

class TstChain3Channel : public TCustomChainChannels3Stat {
 public:
  TstChain3Channel(const TStatList& list, int param)
      : TCustomChainChannels3Stat(list, param, TChainShape::One3) {}
  static constexpr const char* kClassName = "TstChain3Channel";
  static constexpr const char* kCode = "SCM%d";
  static constexpr const char* kCaption = "Переходы каналов между 3 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SCMx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain2CnlCnt : public TCustomChainChannelsStat {
 public:
  TstChain2CnlCnt(const TStatList& list, int param)
      : TCustomChainChannelsStat(list, param, TChainShape::Count2) {}
  static constexpr const char* kClassName = "TstChain2CnlCnt";
  static constexpr const char* kCode = "SC2C%d";
  static constexpr const char* kCaption = "Переходы кол-ва чисел в %d канале между 2 тиражами";
  static constexpr const char* kHelpCode = "SC2Cx";
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Channels(list, low, high);
  }
};

class TstChain3CnlCnt : public TCustomChainChannelsStat {
 public:
  TstChain3CnlCnt(const TStatList& list, int param)
      : TCustomChainChannelsStat(list, param, TChainShape::Count3) {}
  static constexpr const char* kClassName = "TstChain3CnlCnt";
  static constexpr const char* kCode = "SC3C%d";
  static constexpr const char* kCaption = "Переходы кол-ва чисел в %d канале между 3 тиражами";
  static constexpr const char* kHelpCode = "SC3Cx";
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Channels(list, low, high);
  }
};

class TstChainChannels2InsideAll : public TCustomChainChannels2Inside {
 public:
  TstChainChannels2InsideAll(const TStatList& list, int param)
      : TCustomChainChannels2Inside(list, param, kAll) {}
  static constexpr const char* kClassName = "TstChainChannels2InsideAll";
  static constexpr const char* kCode = "SDA2";
  static constexpr const char* kCaption = "Переходы чисел в пределах каналов (все)";
};

class TstChainChannels2InsideSuc : public TCustomChainChannels2Inside {
 public:
  TstChainChannels2InsideSuc(const TStatList& list, int param)
      : TCustomChainChannels2Inside(list, param, kSuccessful) {}
  static constexpr const char* kClassName = "TstChainChannels2InsideSuc";
  static constexpr const char* kCode = "SDG2";
  static constexpr const char* kCaption = "Переходы чисел в пределах каналов (N-M, удачные)";
};

class TstChainChannels2InsideBad : public TCustomChainChannels2Inside {
 public:
  TstChainChannels2InsideBad(const TStatList& list, int param)
      : TCustomChainChannels2Inside(list, param, kUnsuccessful) {}
  static constexpr const char* kClassName = "TstChainChannels2InsideBad";
  static constexpr const char* kCode = "SDZ2";
  static constexpr const char* kCaption = "Переходы чисел в пределах каналов (N-0, не удачные)";
};

class TstChainChannels2InsideCnt : public TCustomChainChannels2Inside {
 public:
  TstChainChannels2InsideCnt(const TStatList& list, int param)
      : TCustomChainChannels2Inside(list, param, kCount) {}
  static constexpr const char* kClassName = "TstChainChannels2InsideCnt";
  static constexpr const char* kCode = "SDC2";
  static constexpr const char* kCaption = "Переходы чисел в пределах каналов (количество)";
};

class TstChain2SegmentsAll : public TCustomChainSegments2Stat {
 public:
  TstChain2SegmentsAll(const TStatList& list, int param)
      : TCustomChainSegments2Stat(list, param, TChainShape::All2) {}
  static constexpr const char* kClassName = "TstChain2SegmentsAll";
  static constexpr const char* kCode = "SSV2";
  static constexpr const char* kCaption = "Переходы сегментов между 2 тиражами без учета позиции";
  static constexpr uint8_t kFlags = kFlagD;
};

class TstChain2SegmentsPos : public TCustomChainSegments2Stat {
 public:
  TstChain2SegmentsPos(const TStatList& list, int param)
      : TCustomChainSegments2Stat(list, param, TChainShape::Pos2) {}
  static constexpr const char* kClassName = "TstChain2SegmentsPos";
  static constexpr const char* kCode = "SSP2";
  static constexpr const char* kCaption = "Переходы сегментов между 2 тиражами с учетом позиции";
};

class TstChain2Segment : public TCustomChainSegments2Stat {
 public:
  TstChain2Segment(const TStatList& list, int param)
      : TCustomChainSegments2Stat(list, param, TChainShape::One2) {}
  static constexpr const char* kClassName = "TstChain2Segment";
  static constexpr const char* kCode = "SSN%d";
  static constexpr const char* kCaption = "Переходы сегментов между 2 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SSNx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain3SegmentsPos : public TCustomChainSegments3Stat {
 public:
  TstChain3SegmentsPos(const TStatList& list, int param)
      : TCustomChainSegments3Stat(list, param, TChainShape::Pos3) {}
  static constexpr const char* kClassName = "TstChain3SegmentsPos";
  static constexpr const char* kCode = "SSP3";
  static constexpr const char* kCaption = "Переходы сегментов между 3 тиражами с учетом позиции";
};

class TstChain3Segment : public TCustomChainSegments3Stat {
 public:
  TstChain3Segment(const TStatList& list, int param)
      : TCustomChainSegments3Stat(list, param, TChainShape::One3) {}
  static constexpr const char* kClassName = "TstChain3Segment";
  static constexpr const char* kCode = "SSM%d";
  static constexpr const char* kCaption = "Переходы сегментов между 3 тиражами в %d позиции";
  static constexpr const char* kHelpCode = "SSMx";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Positions(list, low, high);
  }
};

class TstChain2SgmCnt : public TCustomChainSegmentsStat {
 public:
  TstChain2SgmCnt(const TStatList& list, int param)
      : TCustomChainSegmentsStat(list, param, TChainShape::Count2) {}
  static constexpr const char* kClassName = "TstChain2SgmCnt";
  static constexpr const char* kCode = "SS2C%d";
  static constexpr const char* kCaption = "Переходы кол-ва чисел в %d сегменте между 2 тиражами";
  static constexpr const char* kHelpCode = "SS2Cx";
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Segments(list, low, high);
  }
};

class TstChain3SgmCnt : public TCustomChainSegmentsStat {
 public:
  TstChain3SgmCnt(const TStatList& list, int param)
      : TCustomChainSegmentsStat(list, param, TChainShape::Count3) {}
  static constexpr const char* kClassName = "TstChain3SgmCnt";
  static constexpr const char* kCode = "SS3C%d";
  static constexpr const char* kCaption = "Переходы кол-ва чисел в %d сегменте между 3 тиражами";
  static constexpr const char* kHelpCode = "SS3Cx";
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    TChainRanges::Segments(list, low, high);
  }
};

}  // namespace vetrilo
