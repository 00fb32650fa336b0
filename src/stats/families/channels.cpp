#include "stats/families/channels.h"

#include <algorithm>

#include "core/text.h"
#include "stats/stat_list.h"

namespace vetrilo {

int TChannelGrid::UsableSize(int32_t size) {
  if (size <= 0) return 0;
  return std::min<int32_t>(size, kMaxNumber);
}

TChannelGrid::TChannelGrid(const TStatList& list) : ChannelSize(UsableSize(list.ChannelSize)) {
  if (!HasItems()) return;
  for (int k = ChannelOf(1); k <= ChannelOf(kMaxNumber); ++k) channels_.push_back(k);
}

std::string TChannelGrid::ChannelText(int k) const {
  return Format("%.2d [%s-%s]",
                {k, NumberText((k - 1) * ChannelSize + 1), NumberText(k * ChannelSize)});
}

// CHAN

std::string TstChannels::ValueToText(const TStatDrawRec& value) const {
  return ChannelText(value.Value[0]);
}

int32_t TstChannels::TextToValue(std::string_view text) const {
  // A text without a blank is the channel number alone.
  return StrToIntStrict(text.substr(0, text.find(' '))).value_or(0);
}

bool TstChannels::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  if (!HasItems()) return false;
  for (int channel : ItemsOf<TChannelAxis>(*this, CombNumbers(comb))) {
    if (ListHasByte(selected, 1, uint8_t(channel))) return true;
  }
  return false;
}

// CHNV

std::string TstChanValues::ValueToText(const TStatDrawRec& value) const {
  return Format("%0:s x %1:d", {ChannelText(value.Value[0]), int(value.Value[1])});
}

void TstChanValues::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  SeedCounts(list, std::min(ChannelSize, 4));
}

// CHNC

void TstChanCount::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  SeedCounts(list, 1, std::min(ChannelSize, 4));
}

// CHN%d

void TstChnValCnt::GetParamRange(const TStatList& list, int& low, int& high) {
  const int s = UsableSize(list.ChannelSize);
  if (s <= 0) {
    low = 0, high = -1;
    return;
  }
  low = CeilDiv(1, s);
  high = CeilDiv(kMaxNumber, s);
}

void TstChnValCnt::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  SeedCounts(list, 1, ChannelSize);
}

}  // namespace vetrilo
