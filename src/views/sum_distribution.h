#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/draw_archive.h"

namespace vetrilo {

// The sums of all combinations against the sums of the archive's draws (every
// draw; the offset is ignored), with three frequency levels of the full set.
struct TSumCount {
  int Sum = 0;
  int Count = 0;
};

struct TSumLevel {
  int Threshold = 0;  // count of the full set the level stands at
  int Low = 0;        // first sum from below (up to the middle entry) reaching it
  int High = 0;       // first sum from above (down to the middle entry) reaching it; 0 none
  std::string Title;  // "Диапазон 1 (от 1/3 и выше по оси Y) - суммы 60-130"
};

struct TSumDistribution {
  static constexpr const char* kActualName = "Фактическое распределение сумм (по тиражам)";
  static constexpr const char* kTheoryName = "Теоретическое распределение сумм (по комбинациям)";
  std::vector<TSumCount> Theory;  // every sum of the full set, ascending
  std::vector<TSumCount> Actual;  // the sums of the draws, ascending
  int MaxTheory = 0;
  int MinTheory = 0;
  int MaxActual = 0;
  std::array<TSumLevel, 3> Levels;

  // The chart's y of a full-set count, scaled to the archive (count x maxA / maxT).
  double Scaled(int count) const;
  // Number of draws with this sum (0 when none).
  int ActualCount(int sum) const;
};

TSumDistribution BuildSumDistribution(const TDrawArchive& archive);

}  // namespace vetrilo
