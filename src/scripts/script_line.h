#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stats/stat_list.h"

namespace vetrilo {

// A script line: options | filter 1 | ... | filter 7 | comment. An empty line is a separator.
constexpr int kScriptFilterCount = 7;

// Start lists and stake modes in code order.
constexpr int kStartListCount = 3;
constexpr int kStakeModeCount = 9;
constexpr uint8_t kStartFull = 0, kStartExcl = 1, kStartCurr = 2;
constexpr uint8_t kStakeRand = 0, kStakeFirst = 1, kStakeLast = 2, kStakeAll = 3, kStakeSysA = 4,
                  kStakeSysC = 5, kStakeStop = 6, kStakeSkip = 7, kStakeNone = 8;

// Level modes (32) and stop modes (6) of a script filter.
constexpr int kLevelModeCount = 32;
constexpr int kStopModeCount = 6;
constexpr uint8_t kStopAll = 0, kStopCombs = 1, kStopEmpty = 2, kStopSteps = 3, kStopValue = 4,
                  kStopPercent = 5;

// Codes and captions; texts outside the tables read "# ERROR #".
std::string StartListCode(int index);
std::string StartListCaption(int index);
std::string StartListShortCaption(int index, int32_t drawsExclude);
std::string StakeModeCode(int index);
std::string StakeModeCaption(int index);
std::string StakeModeShortCaption(int index);
std::string LevelModeCode(int index);
std::string LevelModeCaption(int index);
std::string StopModeCode(int index);
std::string StopModeCaption(int index);

// The level modes that make one variant per level value (the not-less and
// not-more modes and every weight and period mode).
bool LevelModeExpands(int mode);

struct TScriptOptions {
  int32_t DrawsExclude = 0;
  uint8_t StartList = kStartFull;
  uint8_t StakeMode = kStakeRand;
  bool ClearStakes = false;
  bool NewOnly = false;
};

// One script filter as written in its field.
struct TFilterItem {
  bool Assigned = false;
  std::string MethodText;  // word 2 as read
  const TStatMethod* Method = nullptr;
  std::string DrawsLen;
  int32_t SortColumn = 1;
  bool BottomUp = false;
  bool MultiSelect = false;
  bool Keep = false;
  uint8_t LevelMode = 0;
  std::string LevelValues;
  bool CDLOverride = false;
  long double CoefCount = 0;
  long double CoefDeviation = 0;
  long double CoefLevel = 0;
  bool UsePercents = false;
  bool UseAbsValues = false;
  uint8_t StopMode = 0;
  int32_t StopValue = 0;
};

// Blanks (the space character) trimmed from both ends.
std::string TrimBlanks(std::string_view text);

// Trimmed fields of a line: options, filter n = 1..7 and the comment (all the
// text after the separator that ends field 8).
std::string ScriptLineOptions(std::string_view line);
std::string ScriptLineFilter(std::string_view line, int n);
std::string ScriptLineComment(std::string_view line);

TScriptOptions ParseScriptOptions(std::string_view text);
std::string FormatScriptOptions(const TScriptOptions& options);  // FULL:0#RAND#CLR#NEX
std::string FormatLabelOptions(const TScriptOptions& options);   // FULL#RAND, EXCL:3#ALL#NEX
std::string ScriptOptionsCaption(const TScriptOptions& options);

// The method a filter's word 2 names: the method whose code equals the text
// before ":" (ignoring case), otherwise the first whose code is a prefix of
// the word; null when none.
const TStatMethod* FindScriptMethod(const TStatList& list, std::string_view word);

TFilterItem ParseScriptFilter(std::string_view text, const TStatList& list);
std::string FormatScriptFilter(const TFilterItem& item);

// Decimal fraction of a script filter: "." as the decimal point, 15 significant
// digits at most, the same text in every locale.
std::string ScriptFloatText(long double value);
// The text as a fraction; 0 when it is not a number.
long double ParseScriptFloat(std::string_view text);

// The writer of whole lines: exactly one "|" after the options and after each
// filter, " " for an empty filter, the comment only when it is not blank.
std::string BuildScriptLine(std::string_view options,
                            const std::array<std::string, kScriptFilterCount>& filters,
                            std::string_view comment);

// A line read field by field.
struct TScriptLine {
  bool Separator = false;
  TScriptOptions Options;
  std::array<TFilterItem, kScriptFilterCount> Filters;  // by field position
  std::string Comment;

  // The assigned filters, compacted in field order.
  std::vector<TFilterItem> AssignedFilters() const;
};
TScriptLine ParseScriptLine(std::string_view line, const TStatList& list);
// The line as the editor writes it; a separator stays empty.
std::string NormalizeScriptLine(std::string_view line, const TStatList& list);

}  // namespace vetrilo
