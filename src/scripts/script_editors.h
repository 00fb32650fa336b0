#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scripts/script_line.h"
#include "stats/stat_list.h"

namespace vetrilo {

// A refusal of an editor's OK: the message and the control to focus.
struct TEditorRefusal {
  std::string Control;
  std::string Message;
};

// The line editor "Элемент сценария": what its controls hold.
struct TLineEditorValues {
  std::string Comment;
  int StartList = 0;
  int32_t DrawsExclude = 0;
  int StakeMode = 0;
  bool ClearStakes = false;
  bool NewOnly = false;
  std::array<std::string, kScriptFilterCount> Filters;
};
// The controls for `line`: an empty line gives the first items, clear boxes, empty
// texts and the main window's excluded draws; a line gives its parsed values.
TLineEditorValues LineEditorValues(std::string_view line, int32_t mainDrawsExclude);
// OK: the line as the editor writes it.
std::string BuildEditedLine(const TLineEditorValues& values);
// A character of the comment or a filter text that a script file cannot hold
// is refused (labels are the keys of the ratings: no character may change).
std::optional<TEditorRefusal> CheckLineEditor(const TLineEditorValues& values);

// The filter editor "Фильтр".
struct TFilterEditorValues {
  int Method = -1;         // index into the method list, -1 none
  std::string MethodText;  // word 2 kept for a filter whose method is unknown
  std::string DrawsLen;
  int32_t SortColumn = 1;
  bool BottomUp = false;
  bool MultiSelect = false;
  int LevelMode = 0;
  std::string LevelValues;
  int StopMode = 0;
  int32_t StopValue = 1;
  bool CDLOverride = false;
  long double CoefCount = 0;
  long double CoefDeviation = 0;
  long double CoefLevel = 0;
  bool UsePercents = false;
  bool UseAbsValues = false;
  bool Keep = false;
};
// Defaults first (the main window's method and depth, the engine's weights),
// then a filter written in `text` overrides them.
TFilterEditorValues FilterEditorValues(std::string_view text, const TStatList& list,
                                       int currentMethod, int currentDepth);
// The methods the editor offers: the main window's method list, plus the
// filter's own method when that one is not listed (so it is never lost).
std::vector<std::pair<int, std::string>> FilterEditorMethods(const TStatList& list,
                                                             int filterMethod);
// OK: the filter text the field receives.
std::string BuildEditedFilter(const TFilterEditorValues& values, const TStatList& list);
// OK's checks in their order; none when the filter is accepted.
std::optional<TEditorRefusal> CheckFilterEditor(const TFilterEditorValues& values,
                                                const TStatList& list);

// The weight override box is offered only for the weight level modes; the
// coefficients only while it is offered and checked.
bool FilterOverrideEnabled(int levelMode);
bool FilterCoefsEnabled(int levelMode, bool overrideChecked);
// The depth and level-value fields take only digits, ",", "-" and ";".
bool IsRangeTextChar(char32_t c);
bool IsRangeText(std::string_view text);

}  // namespace vetrilo
