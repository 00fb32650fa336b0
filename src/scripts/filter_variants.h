#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "scripts/script_line.h"

namespace vetrilo {

// One script filter with every list resolved to a single choice.
struct TFilterPart {
  bool Assigned = false;
  const TStatMethod* Method = nullptr;
  // The code written in the filter when no method has it (shown in texts and labels).
  std::string MethodText;
  int32_t DrawsLen = 0;
  int32_t SortColumn = 1;
  bool BottomUp = false;
  bool MultiSelect = false;
  bool Keep = false;
  uint8_t LevelMode = 0;
  std::string Value;
  std::string ValueText;
  bool CDLOverride = false;
  long double CoefCount = 0;
  long double CoefDeviation = 0;
  long double CoefLevel = 0;
  bool UsePercents = false;
  bool UseAbsValues = false;
  uint8_t StopMode = 0;
  int32_t StopValue = 0;
};

// One variant of a whole line; unused slots are not Assigned.
using TFilterRec = std::array<TFilterPart, kScriptFilterCount>;

std::string FormatFilterPart(const TFilterPart& part);  // TSD#SUMS:1000#LNO:#SF:1
std::string FormatVariant(const TFilterRec& variant);   // parts joined by " + "

// "03.012: Проба @ EXCL:3#ALL#NEX + TSD#SUMS:1000#LNO:#SF:1", the whole text.
std::string VariantLabel(int lineNumber, int variantNumber, std::string_view comment,
                         std::string_view filterText);
// A label as a stake stores it: its first 255 characters.
constexpr size_t kMaxVariantLabelChars = 255;
std::string StoredVariantLabel(std::string_view label);
// The filter text of a label: the label options text, then " + " and the variant
// text when the line has filters.
std::string VariantFilterText(const TScriptOptions& options, const TFilterRec* variant);

// A depth or level-values list that is neither a list nor a range, or is empty.
class EScriptFilterError : public EVetrilo {
 public:
  using EVetrilo::EVetrilo;
};
// A line whose variants or value lists the program cannot hold.
class EScriptTooLarge : public EVetrilo {
 public:
  using EVetrilo::EVetrilo;
};

constexpr int64_t kMaxScriptVariants = 1000000;

// The variants of a line's filters, in the order of a depth-first walk over
// filters 1..n, each filter's depths in list order and, for the expanding level
// modes, each depth's level values in list order. The plan checks every list and
// the size first and then yields the variants one at a time, so a line costs
// memory for its lists only, never for all of its variants.
class TVariantPlan {
 public:
  // Throws EScriptFilterError for a malformed filter (the first in order) and
  // EScriptTooLarge above kMaxScriptVariants or for a level-value list over
  // kMaxIntListItems values.
  explicit TVariantPlan(const std::vector<TFilterItem>& filters);

  int64_t Count() const { return count_; }
  int FilterCount() const { return static_cast<int>(filters_.size()); }
  // Choices of filter i (0-based): depths, times level values for the expanding modes.
  int64_t Choices(int i) const;

  // Variant k, 0 <= k < Count().
  TFilterRec Variant(int64_t k) const;
  // Every variant in order with its 1-based number; the callback returns false to stop.
  void ForEach(const std::function<bool(int64_t number, const TFilterRec& variant)>& visit) const;

 private:
  struct TPlanFilter {
    TFilterPart Part;  // everything but the chosen depth and level value
    std::vector<int32_t> Depths;
    std::vector<int32_t> Levels;  // empty unless the level mode expands
  };
  void SetChoice(TFilterPart& part, const TPlanFilter& f, int64_t choice) const;

  std::vector<TPlanFilter> filters_;
  int64_t count_ = 0;
};

// The message of a malformed filter: "Некорректное описание фильтра: %s!".
std::string MalformedFilterMessage(const TFilterItem& item);

}  // namespace vetrilo
