#include "app/main_options.h"

#include <limits>

#include "core/format.h"

namespace vetrilo {

namespace {

int ReadInt(const TIniData& d, std::string_view section, std::string_view key, int def) {
  const int64_t v = d.ReadInteger(section, key, def);
  return v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()
             ? def
             : static_cast<int>(v);
}

}  // namespace

TMainOptions TMainOptions::Load(const TIniData& d, std::string_view s) {
  TMainOptions o;
  auto i = [&](std::string_view key, int& field) { field = ReadInt(d, s, key, field); };
  auto b = [&](std::string_view key, bool& field) { field = d.ReadBool(s, key, field); };
  i("LeftPanelWidth", o.LeftPanelWidth);
  i("DrawsExclude", o.DrawsExclude);
  i("DrawsStatLen", o.DrawsStatLen);
  i("DrawsStatHeight", o.DrawsStatHeight);
  i("DrawsGraphLen", o.DrawsGraphLen);
  i("FiltersHeight", o.FiltersHeight);
  i("LayoutLen", o.LayoutLen);
  for (int k = 0; k < 5; ++k) {
    i(Format("LayoutCompareLen%d", {k + 1}), o.LayoutCompareLen[size_t(k)]);
  }
  i("WeekLen", o.WeekLen);
  i("WeekHeight", o.WeekHeight);
  i("WeekChartMode", o.WeekChartMode);
  b("WeekChartType", o.WeekChartType);
  i("LayoutCompareHeight", o.LayoutCompareHeight);
  b("AutoUpdates", o.AutoUpdates);
  i("DownloadDrawsOnStart", o.DownloadDrawsOnStart);
  b("ScriptLogEnabled", o.ScriptLogEnabled);
  b("StakesLogEnabled", o.StakesLogEnabled);
  b("StakesScrollEnabled", o.StakesScrollEnabled);
  b("StakesCheckOnLine", o.StakesCheckOnLine);
  b("ColorDraws", o.ColorDraws);
  b("ColorCombs", o.ColorCombs);
  b("ColorCard", o.ColorCard);
  b("ColorCardSequences", o.ColorCardSequences);
  b("LayoutGradient", o.LayoutGradient);
  b("SortedDraws", o.SortedDraws);
  b("PrefetchsEnabled", o.PrefetchsEnabled);
  b("PrefetchsInit", o.PrefetchsInit);
  b("ShowTotalLine", o.ShowTotalLine);
  i("RatingsEffMode", o.RatingsEffMode);
  b("ScriptLibraryOn", o.ScriptLibraryOn);
  i("ScriptLibraryHeight", o.ScriptLibraryHeight);
  i("ScriptLibraryFilter", o.ScriptLibraryFilter);
  b("TabGraphs", o.TabGraphs);
  b("TabCard", o.TabCard);
  b("TabLayout", o.TabLayout);
  b("TabWeek", o.TabWeek);
  b("TabTables", o.TabTables);
  b("SystemsEnabled", o.SystemsEnabled);
  i("Language", o.Language);
  b("FirstRun", o.FirstRun);
  o.DrawsStatType = d.ReadString(s, "DrawsStatType", "");
  o.DrawsGraphType = d.ReadString(s, "DrawsGraphType", "");
  return o;
}

void TMainOptions::WriteShutdownValues(TIniData& d, std::string_view s) const {
  auto w = [&](std::string_view key, int value, bool designed = false) {
    if (!(designed && value < 0)) d.WriteInteger(s, key, value);
  };
  w("LeftPanelWidth", LeftPanelWidth, true);
  w("DrawsExclude", DrawsExclude);
  w("DrawsStatLen", DrawsStatLen);
  w("DrawsStatHeight", DrawsStatHeight, true);
  w("DrawsGraphLen", DrawsGraphLen);
  w("FiltersHeight", FiltersHeight, true);
  w("LayoutLen", LayoutLen);
  for (int k = 0; k < 5; ++k) w(Format("LayoutCompareLen%d", {k + 1}), LayoutCompareLen[size_t(k)]);
  w("WeekLen", WeekLen);
  w("WeekHeight", WeekHeight, true);
  w("LayoutCompareHeight", LayoutCompareHeight, true);
  w("ScriptLibraryHeight", ScriptLibraryHeight, true);
  w("ScriptLibraryFilter", ScriptLibraryFilter);
  if (!DrawsStatType.empty()) d.WriteString(s, "DrawsStatType", DrawsStatType);
  if (!DrawsGraphType.empty()) d.WriteString(s, "DrawsGraphType", DrawsGraphType);
}

}  // namespace vetrilo
