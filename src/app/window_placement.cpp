#include "app/window_placement.h"

#include <algorithm>

#include "core/format.h"
#include "core/text.h"

namespace vetrilo {

bool IsMinimizedShowCmd(int showCmd) {
  return showCmd == 2 || showCmd == 6 || showCmd == 7;
}
bool IsMaximizedShowCmd(int showCmd) {
  return showCmd == 3;
}

std::string RectText(const TRect& r) {
  return Format("%d,%d,%d,%d", {r.Left, r.Top, r.Right, r.Bottom});
}

std::optional<TRect> ParseRectText(std::string_view text) {
  const auto parts = SplitAll(text, ',');
  if (parts.size() != 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    auto n = StrToIntStrict(Trim(parts[size_t(i)]));
    if (!n) return std::nullopt;
    v[i] = *n;
  }
  return TRect{v[0], v[1], v[2], v[3]};
}

static std::string ResolutionKey(std::string_view key, const TScreenInfo& screen) {
  return Format("%s_%dx%d", {key, screen.Width, screen.Height});
}

static std::optional<std::string> ReadEither(const TIniData& ini, std::string_view section,
                                             std::string_view key, const TScreenInfo& screen) {
  if (auto v = ini.Value(section, ResolutionKey(key, screen))) return v;
  return ini.Value(section, key);
}

TRect BringOntoScreen(const TRect& rect, const std::vector<TRect>& areas) {
  if (areas.empty()) return rect;
  for (const TRect& a : areas) {
    if (rect.Intersects(a)) return rect;
  }
  const TRect& a = areas.front();
  const int w = std::min(rect.Width(), a.Width());
  const int h = std::min(rect.Height(), a.Height());
  const int left = std::clamp(rect.Left, a.Left, a.Right - w);
  const int top = std::clamp(rect.Top, a.Top, a.Bottom - h);
  return TRect{left, top, left + w, top + h};
}

std::optional<TWindowPlacement> ReadPlacement(const TIniData& ini, std::string_view section,
                                              const TScreenInfo& screen, const TRect& current,
                                              bool fixedBorder) {
  const int64_t ppi = ini.ReadInteger(section, "PixelsPerInch", 0);
  if (ppi != screen.PixelsPerInch) return std::nullopt;
  TWindowPlacement p;
  p.Flags = static_cast<int>(ini.ReadInteger(section, "Flags", 0));
  p.ShowCmd = static_cast<int>(ini.ReadInteger(section, "ShowCmd", kShowNormal));
  if (auto v = ReadEither(ini, section, "MinMaxPos", screen)) {
    if (auto r = ParseRectText(*v)) p.MinMaxPos = *r;
  }
  p.NormPos = current;
  if (auto v = ReadEither(ini, section, "NormPos", screen)) {
    if (auto r = ParseRectText(*v)) p.NormPos = *r;
  }
  if (p.NormPos.Empty()) return std::nullopt;
  if (fixedBorder) {
    p.NormPos.Right = p.NormPos.Left + current.Width();
    p.NormPos.Bottom = p.NormPos.Top + current.Height();
  }
  p.NormPos = BringOntoScreen(p.NormPos, screen.WorkAreas);
  return p;
}

void WritePlacement(TIniData& ini, std::string_view section, const TWindowPlacement& p,
                    const TScreenInfo& screen) {
  ini.WriteInteger(section, "Flags", p.Flags);
  ini.WriteInteger(section, "ShowCmd", p.ShowCmd);
  ini.WriteInteger(section, "PixelsPerInch", screen.PixelsPerInch);
  ini.WriteString(section, "MinMaxPos", RectText(p.MinMaxPos));
  ini.WriteString(section, ResolutionKey("MinMaxPos", screen), RectText(p.MinMaxPos));
  ini.WriteString(section, "NormPos", RectText(p.NormPos));
  ini.WriteString(section, ResolutionKey("NormPos", screen), RectText(p.NormPos));
}

}  // namespace vetrilo
