#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "views/draw_stats.h"

namespace vetrilo {

// The level test of a script filter: whether one row of the statistics table
// qualifies for selection. Built once per filter part from its level mode and
// its Value text, then asked for every visited row.
class TLevelTest {
 public:
  // Throws EVetrilo (a conversion error) when the mode needs a number or a
  // list of numbers and Value is not one.
  TLevelTest(int levelMode, std::string_view value);

  // cells: the row's texts; numericValue: the method's reading of its value
  // text (used by the value-list mode only). A cell that is not a number fails
  // the "in list" tests and the not-more tests of the count, depth and
  // deviation columns, and reads as 0 elsewhere.
  bool Passes(const std::array<std::string, kDrawStatsColumns>& cells, int32_t numericValue) const;

  // The table column a mode tests (-1 for none or the value itself).
  static int Column(int levelMode);

 private:
  enum class TKind { All, AtLeast, AtMost, InList, ValueInList };
  TKind kind_;
  int column_;
  bool decimal_;  // the column is read as a decimal fraction
  int64_t value_ = 0;
  std::vector<int64_t> list_;
};

// The conversion error of a text that is not an integer, as the run shows it.
std::string NotIntegerMessage(std::string_view text);

}  // namespace vetrilo
