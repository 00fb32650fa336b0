#include "stats/families/series.h"

#include <iterator>

#include "stats/stat_list.h"

namespace vetrilo {

namespace {

// Items the run state can hold: its entries are indexed by the item itself.
constexpr int kStateItems = int(std::size(TSeriesState{}.Entries));

uint64_t ItemMask(const TCustomSerialStat& stat, const std::array<uint8_t, 4>& balls) {
  uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const int item = stat.GetItem(i + 1, balls[size_t(i)]);
    if (item >= 0 && item < kStateItems) mask |= uint64_t{1} << item;
  }
  return mask;
}

}  // namespace

TCustomSerialStat::TCustomSerialStat(const TStatList& list, int param, uint8_t runKind,
                                     const TItemMap& items)
    : TCustomStat(list, param),
      RunKind(runKind),
      LowItem(items.Low),
      HighItem(items.High),
      Items(items) {}

int TCustomSerialStat::GetItem(int, int number) const {
  return Items.Of(number);
}

bool TCustomSerialStat::ItemInRefDraw(int item) const {
  return Items.AnyIs(RefDraw.Balls, item);
}

void TCustomSerialStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                      TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  // The draw's and the reference draw's items as masks: the same answers as
  // asking GetItem and ItemInRefDraw per item, once per draw.
  const uint64_t present = ItemMask(*this, Draw.Balls);
  const uint64_t inRef = ItemMask(*this, RefDraw.Balls);
  const int low = LowItem < 0 ? 0 : LowItem;
  const int high = HighItem >= kStateItems ? kStateItems - 1 : HighItem;
  auto add = [&](int item, const TSeriesEntry& e) {
    Work.LastDraw = Work.PrevDraw = e.LastDraw;
    Work.Ago = e.Ago;
    AddWords(list, true, item, e.Length);
  };
  for (int item = low; item <= high; ++item) {
    const bool isPresent = (present >> item) & 1;
    const bool inRun = RunKind == kGroupRun ? isPresent : !isPresent;
    const bool reported = (inRef >> item) & 1;
    TSeriesEntry& e = state[item];
    if (inRun) {
      ++e.Length;
      e.LastDraw = Draw.Number;
      e.Ago = lastIndex - index + 1;
      if (index == lastIndex && reported) add(item, e);
    } else {
      if (e.Length > 0 && reported) add(item, e);
      e = TSeriesEntry{};
    }
  }
}

bool TCustomSerialStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (int i = 1; i <= 4; ++i) {
    const int item = GetItem(i, CombByte(comb, i));
    if (item != kNoItem && ListHasWord(selected, 1, int16_t(item))) return true;
  }
  return false;
}

std::string TCustomSerialStat::RunText(std::string itemText, const TStatDrawRec& value) const {
  return Format("%0:s x %1:d", {itemText, int(value.Value[1])});
}

TValuesSerialStat::TValuesSerialStat(const TStatList& list, int param, uint8_t runKind)
    : TCustomSerialStat(list, param, runKind, TItemMap::Numbers()) {}

std::string TValuesSerialStat::ValueToText(const TStatDrawRec& value) const {
  return RunText(NumberText(value.Value[0]), value);
}

TChannelsSerialStat::TChannelsSerialStat(const TStatList& list, int param, uint8_t runKind)
    : TCustomSerialStat(list, param, runKind, TItemMap::Channels(list.ChannelSize)),
      ChannelSize(list.ChannelSize) {}

std::string TChannelsSerialStat::ValueToText(const TStatDrawRec& value) const {
  return RunText(Format("%.2d", {int(value.Value[0])}), value);
}

TSegmentsSerialStat::TSegmentsSerialStat(const TStatList& list, int param, uint8_t runKind)
    : TCustomSerialStat(list, param, runKind, TItemMap::Segments(list.MatrixSegments)),
      SegmentMap(list.MatrixSegments) {}

std::string TSegmentsSerialStat::ValueToText(const TStatDrawRec& value) const {
  return RunText(std::to_string(value.Value[0]), value);
}

}  // namespace vetrilo
