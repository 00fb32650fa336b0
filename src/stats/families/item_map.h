#pragma once

#include <array>
#include <cstdint>

#include "core/game.h"

namespace vetrilo {

// A number that has no item: a byte outside 1..47 (the all-zero draw before the
// archive, a damaged record) or any number when there are no channels.
constexpr int kNoItem = -1;

// The item of a number for the families that follow numbers, channels or
// segments, looked up in a table built once when the statistic is created.
class TItemMap {
 public:
  static TItemMap Numbers() {
    TItemMap m;
    for (int n = 1; n <= kMaxNumber; ++n) m.items_[size_t(n)] = int16_t(n);
    m.Low = 1;
    m.High = kMaxNumber;
    return m;
  }
  // Channel CeilDiv(n, size); a size of 0 or less gives no channels at all.
  static TItemMap Channels(int channelSize) {
    TItemMap m;
    if (channelSize <= 0) return m;
    for (int n = 1; n <= kMaxNumber; ++n) m.items_[size_t(n)] = int16_t(CeilDiv(n, channelSize));
    m.Low = 1;
    m.High = CeilDiv(kMaxNumber, channelSize);
    return m;
  }
  // Segment map[n - 1]; the bounds start from 9 and 1 before the entries are scanned.
  static TItemMap Segments(const std::array<uint8_t, 47>& map) {
    TItemMap m;
    m.Low = 9;
    m.High = 1;
    for (int n = 1; n <= kMaxNumber; ++n) {
      const int s = map[size_t(n - 1)];
      m.items_[size_t(n)] = int16_t(s);
      if (s < m.Low) m.Low = s;
      if (s > m.High) m.High = s;
    }
    return m;
  }

  int Of(int n) const { return n >= 1 && n <= kMaxNumber ? items_[size_t(n)] : kNoItem; }
  // How many of the four numbers have this item.
  int CountIn(const std::array<uint8_t, 4>& balls, int item) const {
    int c = 0;
    for (uint8_t b : balls) c += item != kNoItem && Of(b) == item ? 1 : 0;
    return c;
  }
  bool AnyIs(const std::array<uint8_t, 4>& balls, int item) const {
    return item != kNoItem && CountIn(balls, item) > 0;
  }

  // The item range; empty (High < Low) when there are no items.
  int Low = 1;
  int High = 0;

 private:
  TItemMap() { items_.fill(int16_t(kNoItem)); }
  std::array<int16_t, kMaxNumber + 1> items_;
};

// Balls of a combination in its own order.
inline std::array<uint8_t, 4> CombBalls(TComb comb) {
  return {CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3), CombByte(comb, 4)};
}

}  // namespace vetrilo
