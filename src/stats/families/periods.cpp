#include "stats/families/periods.h"

#include "stats/stat_list.h"

namespace vetrilo {

TCustomPeriodsStat::TCustomPeriodsStat(const TStatList& list, int param, const TItemMap& items)
    : TCustomStat(list, param), Items(items) {}

int TCustomPeriodsStat::GetItem(int, int number) const {
  return Items.Of(number);
}

void TCustomPeriodsStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                       TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  for (int i = 1; i <= 4; ++i) {
    const int item = GetItem(i, Draw.Balls[size_t(i - 1)]);
    if (item == kNoItem) continue;
    TLastValueRec seen;
    seen.Draw = Draw.Number;
    seen.Value[0] = int16_t(item);
    const int64_t period = TrackLastValue(seen, last);
    // The period is kept in a 16-bit word, as the value records hold it.
    if (period > 0) AddWords(list, true, item, static_cast<int16_t>(period));
  }
}

bool TCustomPeriodsStat::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                                     bool, bool exclude) {
  const TDrawArchive& draws = Draws();
  for (int i = 1; i <= 4; ++i) {
    const int item = GetItem(i, CombByte(comb, i));
    if (item == kNoItem) continue;
    for (const TStatDrawRec& e : selected) {
      if (e.Value[0] != item) continue;
      // The draw the period reaches back to; before index 0 it is all zero and has no items.
      const int64_t at = int64_t{lastIndex} - e.Value[1] + 1;
      bool came = false;
      if (at >= 0 && at <= draws.High()) {
        came = Items.AnyIs(draws.Draws[size_t(at)].Balls, item);
      }
      if (came != exclude) return true;
    }
  }
  return false;
}

std::string TCustomPeriodsStat::PeriodText(std::string itemText, const TStatDrawRec& value) const {
  return Format("%0:s x %1:d", {itemText, int(value.Value[1])});
}

TstNumPeriods::TstNumPeriods(const TStatList& list, int param)
    : TCustomPeriodsStat(list, param, TItemMap::Numbers()) {}

std::string TstNumPeriods::ValueToText(const TStatDrawRec& value) const {
  return PeriodText(NumberText(value.Value[0]), value);
}

TstChnPeriods::TstChnPeriods(const TStatList& list, int param)
    : TCustomPeriodsStat(list, param, TItemMap::Channels(list.ChannelSize)),
      ChannelSize(list.ChannelSize) {}

std::string TstChnPeriods::ValueToText(const TStatDrawRec& value) const {
  return PeriodText(Format("%.2d", {int(value.Value[0])}), value);
}

TstSgmPeriods::TstSgmPeriods(const TStatList& list, int param)
    : TCustomPeriodsStat(list, param, TItemMap::Segments(list.MatrixSegments)),
      SegmentMap(list.MatrixSegments) {}

std::string TstSgmPeriods::ValueToText(const TStatDrawRec& value) const {
  return PeriodText(std::to_string(value.Value[0]), value);
}

}  // namespace vetrilo
