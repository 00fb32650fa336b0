#include "scripts/filter_variants.h"

#include <limits>

#include "core/cp1251.h"
#include "core/format.h"
#include "core/game.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr const char* kTooManyVariants =
    "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
    "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, "
    "а затем повторите попытку.";

std::string BoolText(bool value) {
  return value ? "1" : "0";
}

// Element count of a depth or level list without building a range.
int64_t ListCount(const std::string& text) {
  return ParseIntListEx(text, 0).Count;
}

std::string FirstSubWord(std::string_view word) {
  const std::vector<std::string> subWords = SplitWords(word, ":");
  return subWords.empty() ? std::string() : subWords.front();
}

}  // namespace

std::string FormatFilterPart(const TFilterPart& part) {
  std::string text;
  text += part.BottomUp ? 'B' : 'T';
  text += part.MultiSelect ? 'M' : 'S';
  text += part.Keep ? 'F' : 'D';
  text += "#" + (part.Method ? part.Method->Code() : part.MethodText) + ":" +
          std::to_string(part.DrawsLen);
  text += "#" + LevelModeCode(part.LevelMode) + ":" + part.ValueText;
  text += "#" + StopModeCode(part.StopMode) + ":" + std::to_string(part.StopValue);
  if (part.CDLOverride) {
    text += "#" + ScriptFloatText(part.CoefCount) + ":" + ScriptFloatText(part.CoefDeviation) +
            ":" + ScriptFloatText(part.CoefLevel) + ":" + BoolText(part.UsePercents) + ":" +
            BoolText(part.UseAbsValues);
  }
  return text;
}

std::string FormatVariant(const TFilterRec& variant) {
  std::string text;
  for (const TFilterPart& part : variant) {
    if (!part.Assigned) continue;
    if (!text.empty()) text += " + ";
    text += FormatFilterPart(part);
  }
  return text;
}

std::string VariantLabel(int lineNumber, int variantNumber, std::string_view comment,
                         std::string_view filterText) {
  std::string label = Format("%.2d.%.3d:", {lineNumber, variantNumber});
  if (!comment.empty()) {
    label += ' ';
    label += comment;
  }
  label += " @ ";
  label += filterText;
  return label;
}

std::string StoredVariantLabel(std::string_view label) {
  return std::string(label.substr(0, Utf8PrefixBytes(label, kMaxVariantLabelChars)));
}

std::string VariantFilterText(const TScriptOptions& options, const TFilterRec* variant) {
  std::string text = FormatLabelOptions(options);
  const std::string filters = variant ? FormatVariant(*variant) : std::string();
  if (!filters.empty()) text += " + " + filters;
  return text;
}

std::string MalformedFilterMessage(const TFilterItem& item) {
  return Format(Tr("Некорректное описание фильтра: %s!"), {FormatScriptFilter(item)});
}

TVariantPlan::TVariantPlan(const std::vector<TFilterItem>& filters) {
  if (filters.size() > kScriptFilterCount) {
    throw EVetrilo(Format(Tr("Строка сценария содержит более %d фильтров!"), {kScriptFilterCount}));
  }
  // Every list is checked before anything is built: counts only, never the elements.
  std::vector<int64_t> choices;
  for (const TFilterItem& item : filters) {
    const int64_t depths = ListCount(item.DrawsLen);
    if (depths <= 0) throw EScriptFilterError(MalformedFilterMessage(item));
    int64_t levels = 1;
    if (item.LevelMode != 0) {
      levels = ListCount(item.LevelValues);
      if (levels <= 0) throw EScriptFilterError(MalformedFilterMessage(item));
    }
    if (!LevelModeExpands(item.LevelMode)) levels = 1;
    choices.push_back(depths);
    choices.push_back(levels);
  }
  // Every factor is at least 1, so once past the limit the product stays past it;
  // each step multiplies two numbers of at most 10^6 and cannot overflow.
  int64_t count = 1;
  for (int64_t c : choices) {
    if (c > kMaxScriptVariants || count * c > kMaxScriptVariants) {
      throw EScriptTooLarge(
          Tr(kTooManyVariants) + "\r\r" +
          Format(Tr("Количество вариантов фильтров превышает %d."), {kMaxScriptVariants}));
    }
    count *= c;
  }

  for (const TFilterItem& item : filters) {
    TPlanFilter f;
    TFilterPart& p = f.Part;
    p.Assigned = true;
    p.Method = item.Method;
    // The code is the first ":"-sub-word under the word rule, as the depth is the second.
    if (!item.Method) p.MethodText = FirstSubWord(item.MethodText);
    p.SortColumn = item.SortColumn;
    p.BottomUp = item.BottomUp;
    p.MultiSelect = item.MultiSelect;
    p.Keep = item.Keep;
    p.LevelMode = item.LevelMode;
    p.CDLOverride = item.CDLOverride;
    p.CoefCount = item.CoefCount;
    p.CoefDeviation = item.CoefDeviation;
    p.CoefLevel = item.CoefLevel;
    p.UsePercents = item.UsePercents;
    p.UseAbsValues = item.UseAbsValues;
    p.StopMode = item.StopMode;
    p.StopValue = item.StopValue;
    f.Depths = ParseIntListEx(item.DrawsLen, kMaxScriptVariants).Items;
    if (LevelModeExpands(item.LevelMode)) {
      f.Levels = ParseIntListEx(item.LevelValues, kMaxScriptVariants).Items;
    } else if (item.LevelMode == 0) {
      p.Value = item.LevelValues;
      p.ValueText = item.LevelValues;
    } else {
      std::vector<int32_t> list;
      try {
        list = ParseIntList(item.LevelValues);  // refuses more than kMaxIntListItems values
      } catch (const EVetrilo& e) {
        throw EScriptTooLarge(e.what());
      }
      p.Value = JoinIntList(list, ",");
      p.ValueText = item.LevelValues;
    }
    filters_.push_back(std::move(f));
  }
  count_ = filters.empty() ? 0 : count;
}

int64_t TVariantPlan::Choices(int i) const {
  const TPlanFilter& f = filters_[static_cast<size_t>(i)];
  return static_cast<int64_t>(f.Depths.size()) *
         static_cast<int64_t>(f.Levels.empty() ? 1 : f.Levels.size());
}

void TVariantPlan::SetChoice(TFilterPart& part, const TPlanFilter& f, int64_t choice) const {
  if (f.Levels.empty()) {
    part.DrawsLen = f.Depths[static_cast<size_t>(choice)];
    return;
  }
  const size_t levels = f.Levels.size();
  part.DrawsLen = f.Depths[static_cast<size_t>(choice) / levels];
  part.Value = std::to_string(f.Levels[static_cast<size_t>(choice) % levels]);
  part.ValueText = part.Value;
}

TFilterRec TVariantPlan::Variant(int64_t k) const {
  TFilterRec rec;
  if (k < 0 || k >= count_) return rec;
  // Mixed radix: the last filter varies fastest.
  for (int i = FilterCount() - 1; i >= 0; --i) {
    const int64_t c = Choices(i);
    rec[static_cast<size_t>(i)] = filters_[static_cast<size_t>(i)].Part;
    SetChoice(rec[static_cast<size_t>(i)], filters_[static_cast<size_t>(i)], k % c);
    k /= c;
  }
  return rec;
}

void TVariantPlan::ForEach(
    const std::function<bool(int64_t number, const TFilterRec& variant)>& visit) const {
  if (count_ <= 0) return;
  const int n = FilterCount();
  TFilterRec rec;
  std::vector<int64_t> choice(static_cast<size_t>(n), 0);
  for (int i = 0; i < n; ++i) {
    rec[static_cast<size_t>(i)] = filters_[static_cast<size_t>(i)].Part;
    SetChoice(rec[static_cast<size_t>(i)], filters_[static_cast<size_t>(i)], 0);
  }
  for (int64_t number = 1;; ++number) {
    if (!visit(number, rec)) return;
    // Advance the odometer; only the slots that change are rewritten.
    int i = n - 1;
    while (i >= 0) {
      const size_t s = static_cast<size_t>(i);
      if (++choice[s] < Choices(i)) {
        SetChoice(rec[s], filters_[s], choice[s]);
        break;
      }
      choice[s] = 0;
      SetChoice(rec[s], filters_[s], 0);
      --i;
    }
    if (i < 0) return;
  }
}

}  // namespace vetrilo
