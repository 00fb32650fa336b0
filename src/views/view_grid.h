#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vetrilo {

// A selected rectangle of grid cells, columns and rows inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = -1;
  int Bottom = -1;
  bool Empty() const { return Right < Left || Bottom < Top; }
  bool operator==(const TGridRect&) const = default;
};

// The colour of a grid cell as a named rule (what the tests and the command-line
// tool show) and the colour it paints (none: the grid's default background).
struct TCellColor {
  std::string Rule = "default";
  std::optional<uint32_t> Rgb;  // 0xRRGGBB
  bool operator==(const TCellColor&) const = default;
};

}  // namespace vetrilo
