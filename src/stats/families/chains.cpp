#include "stats/families/chains.h"

#include <algorithm>

#include "stats/stat_list.h"

namespace vetrilo {

namespace {

// A previous draw exists when its Number is above 0 (before index 0 the draw is all zero).
bool Exists(const TDrawRec& draw) {
  return draw.Number > 0;
}

// Balls of an archive draw without copying the record; all zero outside the archive.
std::array<uint8_t, 4> BallsAt(const TDrawArchive& draws, int index) {
  if (index < 0 || index > draws.High()) return {};
  return draws.Draws[size_t(index)].Balls;
}

// Value words hold 16 bits: seeding stops there however large the channel size is.
constexpr int kMaxSeed = 32767;

}  // namespace

TCustomChainStat::TCustomChainStat(const TStatList& list, int param, TChainShape shape,
                                   const TItemMap& items)
    : TCustomStat(list, param), Shape(shape), Items(items) {}

std::string TCustomChainStat::ItemText(int item) const {
  return std::to_string(item);
}

bool TCustomChainStat::ThreeSteps() const {
  return Shape == TChainShape::Pos3 || Shape == TChainShape::One3 || Shape == TChainShape::Count3;
}

std::string TCustomChainStat::ValueToText(const TStatDrawRec& value) const {
  if (ThreeSteps()) {
    return Format("%0:s-%1:s -> %2:s",
                  {ItemText(value.Value[0]), ItemText(value.Value[1]), ItemText(value.Value[2])});
  }
  return Format("%0:s -> %1:s", {ItemText(value.Value[0]), ItemText(value.Value[1])});
}

void TCustomChainStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                     TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  // A position parameter outside 1..4 selects no position.
  const bool onePosition = Param >= 1 && Param <= 4;
  switch (Shape) {
    case TChainShape::All2:
      AddAll2(index, sorted, list);
      break;
    case TChainShape::Pos2:
      AddPositions2(index, sorted, list, 1, 4);
      break;
    case TChainShape::One2:
      if (onePosition) AddPositions2(index, sorted, list, Param, Param);
      break;
    case TChainShape::Pos3:
      AddPositions3(index, lastIndex, sorted, list, 1, 4);
      break;
    case TChainShape::One3:
      if (onePosition) AddPositions3(index, lastIndex, sorted, list, Param, Param);
      break;
    case TChainShape::Count2:
      AddCounts(index, lastIndex, list, false);
      break;
    case TChainShape::Count3:
      AddCounts(index, lastIndex, list, true);
      break;
    case TChainShape::Inside:
      break;
  }
}

void TCustomChainStat::AddAll2(int index, bool sorted, TStatDrawArray& list) {
  const TDrawRec prev = GetDraw(index - 1, sorted);
  if (!Exists(prev)) return;
  for (uint8_t x : prev.Balls) {
    const int from = Items.Of(x);
    if (!Items.AnyIs(RefDraw.Balls, from)) continue;
    for (uint8_t y : Draw.Balls) {
      const int to = Items.Of(y);
      if (to != kNoItem) AddWords(list, true, from, to);
    }
  }
}

void TCustomChainStat::AddPositions2(int index, bool sorted, TStatDrawArray& list, int first,
                                     int last) {
  const TDrawRec prev = GetDraw(index - 1, sorted);
  if (!Exists(prev)) return;
  for (int i = first - 1; i < last; ++i) {
    const int from = Items.Of(prev.Balls[size_t(i)]);
    const int to = Items.Of(Draw.Balls[size_t(i)]);
    if (from == kNoItem || to == kNoItem || from != Items.Of(RefDraw.Balls[size_t(i)])) continue;
    AddWords(list, true, from, to);
  }
}

void TCustomChainStat::AddPositions3(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                     int first, int last) {
  const TDrawRec prev = GetDraw(index - 1, sorted);
  const TDrawRec second = GetDraw(index - 2, sorted);
  if (!Exists(prev) || !Exists(second)) return;
  const TDrawRec beforeNewest = GetDraw(lastIndex - 1, sorted);
  for (int i = first - 1; i < last; ++i) {
    const int q = Items.Of(second.Balls[size_t(i)]);
    const int p = Items.Of(prev.Balls[size_t(i)]);
    const int d = Items.Of(Draw.Balls[size_t(i)]);
    if (q == kNoItem || p == kNoItem || d == kNoItem) continue;
    if (p != Items.Of(RefDraw.Balls[size_t(i)]) || q != Items.Of(beforeNewest.Balls[size_t(i)])) {
      continue;
    }
    AddWords(list, true, q, p, d);
  }
}

void TCustomChainStat::AddCounts(int index, int lastIndex, TStatDrawArray& list, bool threeSteps) {
  const TDrawArchive& draws = Draws();
  const TDrawRec prev = GetDraw(index - 1, false);
  if (!Exists(prev)) return;
  const int k = Param;
  const int r0 = Items.CountIn(RefDraw.Balls, k);
  const int p = Items.CountIn(prev.Balls, k);
  const int d = Items.CountIn(Draw.Balls, k);
  if (!threeSteps) {
    if (p == r0) AddWords(list, true, p, d);
    return;
  }
  const TDrawRec second = GetDraw(index - 2, false);
  if (!Exists(second)) return;
  const int r1 = Items.CountIn(BallsAt(draws, lastIndex - 1), k);
  const int q = Items.CountIn(second.Balls, k);
  if (p == r0 && q == r1) AddWords(list, true, q, p, d);
}

void TCustomChainStat::SeedCounts(int lastIndex, TStatDrawArray& list, int highest) {
  TCustomStat::GetAllValues(lastIndex, list);
  const TDrawArchive& draws = Draws();
  const int count = Items.CountIn(BallsAt(draws, lastIndex), Param);
  const int top = std::min(highest, kMaxSeed);
  if (Shape == TChainShape::Count2) {
    for (int t = 0; t <= top; ++t) AddWords(list, false, count, t);
  } else {
    const int before = Items.CountIn(BallsAt(draws, lastIndex - 1), Param);
    for (int t = 0; t <= top; ++t) AddWords(list, false, before, count, t);
  }
}

bool TCustomChainStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  const int word = ThreeSteps() ? 3 : 2;
  const std::array<uint8_t, 4> balls = CombBalls(comb);
  if (Shape == TChainShape::Count2 || Shape == TChainShape::Count3) {
    return ListHasWord(selected, word, int16_t(Items.CountIn(balls, Param)));
  }
  for (uint8_t n : balls) {
    const int item = Items.Of(n);
    if (item != kNoItem && ListHasWord(selected, word, int16_t(item))) return true;
  }
  return false;
}

// Channels

TCustomChainChannelsStat::TCustomChainChannelsStat(const TStatList& list, int param,
                                                   TChainShape shape)
    : TCustomChainStat(list, param, shape, TItemMap::Channels(list.ChannelSize)),
      ChannelSize(list.ChannelSize) {}

void TCustomChainChannelsStat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  if (Shape == TChainShape::Count2 || Shape == TChainShape::Count3) {
    SeedCounts(lastIndex, list, ChannelSize);
  } else {
    TCustomChainStat::GetAllValues(lastIndex, list);
  }
}

std::string TCustomChainChannels2Stat::ItemText(int item) const {
  return Format("%.2d", {item});
}

std::string TCustomChainChannels3Stat::ItemText(int item) const {
  return Format("%.2d", {item});
}

// Inside channels

std::string TCustomChainChannels2Inside::ItemText(int item) const {
  return InsideKind == kCount ? std::to_string(item) : TCustomChainChannels2Stat::ItemText(item);
}

void TCustomChainChannels2Inside::GetDrawValues(int index, int lastIndex, bool sorted,
                                                TStatDrawArray& list, TSeriesState& state,
                                                TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const TDrawRec prev = GetDraw(index - 1, false);
  if (!Exists(prev)) return;
  for (uint8_t x : prev.Balls) {
    const int channel = Items.Of(x);
    if (channel == kNoItem || !RefDraw.HasNumber(x)) continue;
    int second = 0;
    bool found = false;
    for (uint8_t y : Draw.Balls) {
      if (Items.Of(y) != channel) continue;
      found = true;
      if (InsideKind == kCount) {
        ++second;
      } else {
        second = y;
        if (InsideKind == kAll || InsideKind == kSuccessful) AddWords(list, true, x, y);
      }
    }
    if (InsideKind == kCount) {
      AddWords(list, true, x, second);
    } else if ((InsideKind == kAll || InsideKind == kUnsuccessful) && !found) {
      AddWords(list, true, x, 0);
    }
  }
}

bool TCustomChainChannels2Inside::CombMatches(TComb comb, const TStatDrawArray& selected,
                                              int lastIndex, bool, bool) {
  const std::array<uint8_t, 4> newest = BallsAt(Draws(), lastIndex);
  const std::array<uint8_t, 4> balls = CombBalls(comb);
  for (uint8_t p : newest) {
    const int channel = Items.Of(p);
    if (p < 1 || p > kMaxNumber) continue;
    for (uint8_t q : balls) {
      const bool sameChannel = channel != kNoItem && Items.Of(q) == channel;
      for (const TStatDrawRec& e : selected) {
        if (e.Value[0] != p) continue;
        const bool byChannel = InsideKind == kCount || (e.Value[0] != 0 && e.Value[1] == 0);
        if (byChannel ? sameChannel : e.Value[1] == q) return true;
      }
    }
  }
  return false;
}

// Segments

TCustomChainSegmentsStat::TCustomChainSegmentsStat(const TStatList& list, int param,
                                                   TChainShape shape)
    : TCustomChainStat(list, param, shape, TItemMap::Segments(list.MatrixSegments)),
      SegmentMap(list.MatrixSegments) {}

void TCustomChainSegmentsStat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  if (Shape == TChainShape::Count2 || Shape == TChainShape::Count3) {
    SeedCounts(lastIndex, list, 0);
  } else {
    TCustomChainStat::GetAllValues(lastIndex, list);
  }
}

// Ranges

void TChainRanges::Channels(const TStatList& list, int& low, int& high) {
  const TItemMap items = TItemMap::Channels(list.ChannelSize);
  low = items.Low;
  high = items.High;
}

void TChainRanges::Segments(const TStatList& list, int& low, int& high) {
  const TItemMap items = TItemMap::Segments(list.MatrixSegments);
  low = items.Low;
  high = items.High;
}

}  // namespace vetrilo
