#pragma once

#include <array>
#include <string>

#include "views/draw_card.h"
#include "views/draw_graphs.h"
#include "views/layout_scheme.h"
#include "views/weekday_stats.h"

namespace vetrilo {

// The work tabs whose views are built only while they are on screen.
enum class TWorkView { Stats, Graphs, Card, Layout, Week, Other };

// What a view was last built for: an unforced build runs only when it changed.
struct TViewKey {
  int ArchiveCount = -1;
  int Offset = -1;
  int Depth = -1;
  int Method = -1;
  bool operator==(const TViewKey&) const = default;
};

// The state of the graphs, card, layout and weekday views that the session owns.
struct TAnalysisViews {
  TWorkView Shown = TWorkView::Stats;

  int GraphMethod = -1;  // index into the method list, -1 none
  int GraphDepth = 100;
  bool GraphMarks = false;
  TViewKey GraphKey;
  TDrawGraph Graph;

  TDrawCard Card;

  int LayoutDepth = 100;
  TViewKey LayoutKey;
  TLayoutScheme Layout;
  std::array<int, 5> CompareDepths{50, 100, 200, 300, 400};
  TViewKey CompareKey;
  std::array<TLayoutCompareList, 5> Compare;

  int WeekDepth = 1000;
  TViewKey WeekKey;
  TWeekdayStats Week;
  int WeekRow = 1;  // the current cell the chart follows
  int WeekColumn = 1;

  // Builds so far of each view: a screen reloads only what was rebuilt.
  int GraphBuilds = 0;
  int CardBuilds = 0;
  int LayoutBuilds = 0;
  int CompareBuilds = 0;
  int WeekBuilds = 0;
};

// Depth fields of the views take 1..2147483647.
constexpr int kMinViewDepth = 1;
constexpr int kMaxViewDepth = 2147483647;
inline int ClampViewDepth(int64_t depth) {
  return static_cast<int>(depth < kMinViewDepth   ? kMinViewDepth
                          : depth > kMaxViewDepth ? kMaxViewDepth
                                                  : depth);
}

// Settings of the repeats window (its own section of the window settings).
struct TRepeatsWindowState {
  static constexpr const char* kSection = "TFormRepeats";
  int DrawsLength = 100;
  int DrawsDeep = 100;
  int GraphHeight = -1;  // designed height
};

}  // namespace vetrilo
