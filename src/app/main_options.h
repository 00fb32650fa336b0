#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/ini_file.h"

namespace vetrilo {

// Every option of the main window's section of "Vetrilo_4d47.frm" with its
// default. Options the user toggles are written the moment they change (by
// their owners); the sizes and depths below are written when the window closes.
// Values that are not numbers read as their defaults. A size of -1 means the
// layout's designed size.
struct TMainOptions {
  int LeftPanelWidth = -1;
  int DrawsExclude = 0;
  int DrawsStatLen = 1000;
  int DrawsStatHeight = -1;
  int DrawsGraphLen = 100;
  int FiltersHeight = -1;
  int LayoutLen = 100;
  std::array<int, 5> LayoutCompareLen{50, 100, 200, 300, 400};
  int WeekLen = 1000;
  int WeekHeight = -1;
  int WeekChartMode = 0;
  bool WeekChartType = false;
  int LayoutCompareHeight = -1;
  bool AutoUpdates = true;
  int DownloadDrawsOnStart = 0;
  bool ScriptLogEnabled = false;
  bool StakesLogEnabled = false;
  bool StakesScrollEnabled = true;
  bool StakesCheckOnLine = true;
  bool ColorDraws = true;
  bool ColorCombs = true;
  bool ColorCard = true;
  bool ColorCardSequences = true;
  bool LayoutGradient = true;
  bool SortedDraws = false;
  bool PrefetchsEnabled = false;
  bool PrefetchsInit = false;
  bool ShowTotalLine = true;
  int RatingsEffMode = 1;
  bool ScriptLibraryOn = true;
  int ScriptLibraryHeight = -1;
  int ScriptLibraryFilter = 2;
  bool TabGraphs = true;
  bool TabCard = true;
  bool TabLayout = true;
  bool TabWeek = true;
  bool TabTables = true;
  bool SystemsEnabled = true;
  int Language = 1033;
  // Code of the method chosen in "Вид расчета статистики" (empty: the first listed).
  std::string DrawsStatType;
  // Code of the method chosen in "Тип графика" (empty: the first listed).
  std::string DrawsGraphType;
  bool FirstRun = false;

  static TMainOptions Load(const TIniData& frm, std::string_view section = "TFormMain");
  // The values saved when the window closes: sizes, depths and fields. Designed
  // sizes (-1) are not written, so the layout keeps choosing them.
  void WriteShutdownValues(TIniData& frm, std::string_view section = "TFormMain") const;
};

}  // namespace vetrilo
