#include "core/demo_archive.h"

namespace vetrilo {
namespace {

// SplitMix64: tiny, portable and the same on every platform.
class TDemoRandom {
 public:
  explicit TDemoRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in 1..n without modulo bias.
  int Below(int n) {
    const uint64_t limit = UINT64_MAX - UINT64_MAX % static_cast<uint64_t>(n);
    uint64_t v;
    do {
      v = Next();
    } while (v >= limit);
    return static_cast<int>(v % static_cast<uint64_t>(n)) + 1;
  }

 private:
  uint64_t state_;
};

}  // namespace

TDrawsArray MakeDemoDraws(int count, uint64_t seed) {
  TDemoRandom random(seed);
  TDrawsArray draws;
  draws.reserve(count > 0 ? static_cast<size_t>(count) : 0);
  TDateKey date = 20140704;
  for (int i = 0; i < count; ++i) {
    TDrawRec d;
    d.Number = i + 1;
    for (int b = 0; b < 4; ++b) {
      int n;
      do {
        n = random.Below(kMaxNumber);
      } while (d.HasNumber(n));
      d.Balls[static_cast<size_t>(b)] = static_cast<uint8_t>(n);
    }
    d.Extra = static_cast<uint8_t>(random.Below(kMaxExtra));
    d.Date = DateKeyToText(date);
    date = DateKeyAddDays(date, i % 2 == 0 ? 3 : 4);
    draws.push_back(std::move(d));
  }
  return draws;
}

}  // namespace vetrilo
