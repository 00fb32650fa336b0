#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"

namespace vetrilo {

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  bool Intersects(const TRect& o) const {
    return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
  }
  bool operator==(const TRect&) const = default;
};

// The screen as the window settings see it: its resolution (which names the
// resolution-specific keys), its density and the work areas of its monitors.
struct TScreenInfo {
  int Width = 0;
  int Height = 0;
  int PixelsPerInch = 96;
  std::vector<TRect> WorkAreas;
};

// Show states as the settings file stores them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
bool IsMinimizedShowCmd(int showCmd);  // 2, 6, 7
bool IsMaximizedShowCmd(int showCmd);  // 3

struct TWindowPlacement {
  int Flags = 0;
  int ShowCmd = kShowNormal;
  TRect MinMaxPos{-1, -1, -1, -1};
  TRect NormPos;
};

// The stored placement of a window, or none when it must not be applied (no
// rectangle, another screen density). The resolution-specific keys win over the
// plain ones; a missing rectangle defaults to the current bounds; a window with a
// fixed border keeps its size; a rectangle off every screen is moved onto one.
std::optional<TWindowPlacement> ReadPlacement(const TIniData& ini, std::string_view section,
                                              const TScreenInfo& screen, const TRect& current,
                                              bool fixedBorder);
// Writes every placement key, plain and resolution-specific.
void WritePlacement(TIniData& ini, std::string_view section, const TWindowPlacement& placement,
                    const TScreenInfo& screen);

// Moves (never resizes beyond the area) a rectangle that lies off every work area
// onto the first one.
TRect BringOntoScreen(const TRect& rect, const std::vector<TRect>& areas);

std::string RectText(const TRect& r);  // "left,top,right,bottom"
std::optional<TRect> ParseRectText(std::string_view text);

}  // namespace vetrilo
