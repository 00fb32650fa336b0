#include "scripts/script_editors.h"

#include <algorithm>

#include "core/game.h"
#include "core/translate.h"
#include "scripts/script_file.h"
#include "views/draw_stats.h"

namespace vetrilo {

namespace {

constexpr const char* kBadRange = "Введен некорректный диапазон значений!";
constexpr int kValueListMode = 31;  // "LVA"
constexpr int kStopByCombs = 1;     // "SC"

// Only the size and a lone value matter here: a range is never built.
bool EmptyRange(std::string_view text) {
  const TIntList l = ParseIntListEx(text, 1);
  return !l.Valid || l.Count == 0;
}
bool SingleZero(std::string_view text) {
  const TIntList l = ParseIntListEx(text, 1);
  return l.Valid && l.Count == 1 && l.Items.size() == 1 && l.Items[0] == 0;
}

}  // namespace

TLineEditorValues LineEditorValues(std::string_view line, int32_t mainDrawsExclude) {
  TLineEditorValues v;
  v.DrawsExclude = std::max(0, mainDrawsExclude);
  if (line.empty()) return v;
  const TScriptOptions options = ParseScriptOptions(ScriptLineOptions(line));
  v.StartList = options.StartList;
  v.DrawsExclude = std::max(0, options.DrawsExclude);
  v.StakeMode = options.StakeMode;
  v.ClearStakes = options.ClearStakes;
  v.NewOnly = options.NewOnly;
  for (int n = 1; n <= kScriptFilterCount; ++n)
    v.Filters[size_t(n) - 1] = ScriptLineFilter(line, n);
  v.Comment = ScriptLineComment(line);
  return v;
}

std::string BuildEditedLine(const TLineEditorValues& values) {
  TScriptOptions options;
  options.StartList = static_cast<uint8_t>(std::clamp(values.StartList, 0, kStartListCount - 1));
  options.DrawsExclude = std::max(0, values.DrawsExclude);
  options.StakeMode = static_cast<uint8_t>(std::clamp(values.StakeMode, 0, kStakeModeCount - 1));
  options.ClearStakes = values.ClearStakes;
  options.NewOnly = values.NewOnly;
  return BuildScriptLine(FormatScriptOptions(options), values.Filters, values.Comment);
}

std::optional<TEditorRefusal> CheckLineEditor(const TLineEditorValues& values) {
  if (auto c = FirstUnsavableChar(values.Comment)) {
    return TEditorRefusal{"edComments", UnsavableCharMessage(*c)};
  }
  for (int n = 1; n <= kScriptFilterCount; ++n) {
    if (auto c = FirstUnsavableChar(values.Filters[size_t(n) - 1])) {
      return TEditorRefusal{"edFilter" + std::to_string(n), UnsavableCharMessage(*c)};
    }
  }
  return std::nullopt;
}

TFilterEditorValues FilterEditorValues(std::string_view text, const TStatList& list,
                                       int currentMethod, int currentDepth) {
  TFilterEditorValues v;
  v.Method = currentMethod >= 0 && currentMethod < list.Count() ? currentMethod : -1;
  v.DrawsLen = std::to_string(currentDepth);
  v.CoefCount = list.Cdl.CountWeight;
  v.CoefDeviation = list.Cdl.DeviationWeight;
  v.CoefLevel = list.Cdl.LevelWeight;
  v.UsePercents = list.Cdl.UsePercents;
  v.UseAbsValues = list.Cdl.UseAbsValues;

  const TFilterItem item = ParseScriptFilter(text, list);
  if (!item.Assigned) return v;
  v.Method = item.Method ? static_cast<int>(item.Method - list.Methods.data()) : -1;
  v.MethodText = item.MethodText;
  v.DrawsLen = item.DrawsLen;
  v.SortColumn = item.SortColumn;
  v.BottomUp = item.BottomUp;
  v.MultiSelect = item.MultiSelect;
  v.LevelMode = item.LevelMode;
  v.LevelValues = item.LevelValues;
  v.StopMode = item.StopMode;
  v.StopValue = std::max<int32_t>(1, item.StopValue);
  v.Keep = item.Keep;
  if (item.CDLOverride) {
    v.CDLOverride = true;
    v.CoefCount = item.CoefCount;
    v.CoefDeviation = item.CoefDeviation;
    v.CoefLevel = item.CoefLevel;
    v.UsePercents = item.UsePercents;
    v.UseAbsValues = item.UseAbsValues;
  }
  return v;
}

std::vector<std::pair<int, std::string>> FilterEditorMethods(const TStatList& list,
                                                             int filterMethod) {
  std::vector<std::pair<int, std::string>> items;
  bool found = false;
  for (const TMethodItem& item : DrawStatsMethodItems(list)) {
    found = found || item.Method == filterMethod;
    items.emplace_back(item.Method, item.Caption);
  }
  if (!found && filterMethod >= 0 && filterMethod < list.Count()) {
    items.emplace_back(filterMethod, list.MethodCaption(filterMethod, true));
  }
  return items;
}

std::string BuildEditedFilter(const TFilterEditorValues& values, const TStatList& list) {
  TFilterItem item;
  item.Assigned = true;
  if (values.Method >= 0 && values.Method < list.Count()) {
    item.Method = &list.Item(values.Method);
  } else {
    item.MethodText = values.MethodText;
  }
  item.DrawsLen = values.DrawsLen;
  item.SortColumn = values.SortColumn;
  item.BottomUp = values.BottomUp;
  item.MultiSelect = values.MultiSelect;
  item.Keep = values.Keep;
  item.LevelMode = static_cast<uint8_t>(std::clamp(values.LevelMode, 0, kLevelModeCount - 1));
  item.LevelValues = values.LevelValues;
  item.StopMode = static_cast<uint8_t>(std::clamp(values.StopMode, 0, kStopModeCount - 1));
  item.StopValue = values.StopValue;
  item.CDLOverride = values.CDLOverride;
  if (item.CDLOverride) {
    item.CoefCount = values.CoefCount;
    item.CoefDeviation = values.CoefDeviation;
    item.CoefLevel = values.CoefLevel;
    item.UsePercents = values.UsePercents;
    item.UseAbsValues = values.UseAbsValues;
  }
  return FormatScriptFilter(item);
}

std::optional<TEditorRefusal> CheckFilterEditor(const TFilterEditorValues& values,
                                                const TStatList& list) {
  if (EmptyRange(values.DrawsLen) || SingleZero(values.DrawsLen)) {
    return TEditorRefusal{"edDrawsLen", Tr(kBadRange)};
  }
  if (values.LevelMode == kValueListMode) {
    const bool canParse = values.Method >= 0 && values.Method < list.Count() &&
                          list.Item(values.Method).Stat->CanParseValue();
    if (!canParse) {
      return TEditorRefusal{
          "cbLevelMode",
          Tr("Для данного вида статистики не доступен режим выделения по списку значений!")};
    }
  }
  if (values.LevelMode != 0 && EmptyRange(values.LevelValues)) {
    return TEditorRefusal{"edLevelValue", Tr(kBadRange)};
  }
  if (values.MultiSelect && values.StopMode == kStopByCombs) {
    return TEditorRefusal{
        "cbStopMode", Tr("В режиме мультивыделения остановка сценария по количеству комбинаций "
                         "или чисел не может быть выполнена!\rВыберите другой способ останова.")};
  }
  return std::nullopt;
}

bool FilterOverrideEnabled(int levelMode) {
  return levelMode >= 19 && levelMode <= 21;
}

bool FilterCoefsEnabled(int levelMode, bool overrideChecked) {
  return FilterOverrideEnabled(levelMode) && overrideChecked;
}

bool IsRangeTextChar(char32_t c) {
  return (c >= U'0' && c <= U'9') || c == U',' || c == U'-' || c == U';';
}

bool IsRangeText(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return IsRangeTextChar(static_cast<unsigned char>(c)); });
}

}  // namespace vetrilo
