#include "scripts/script_line.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/cp1251.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr const char* kErrorText = "# ERROR #";

struct TCodeCaption {
  const char* Code;
  const char* Caption;
  const char* ShortCaption;
};

constexpr TCodeCaption kStartLists[kStartListCount] = {
    {"FULL", "Исходный список (рекомендуется для тестов)", "Исходный список"},
    {"EXCL", "Удалить N последних тиражей (для прогнозов)", "Исключить %d тиражей"},
    {"CURR", "Текущий список (для последовательного выполнения)", "Текущий список"},
};

constexpr TCodeCaption kStakeModes[kStakeModeCount] = {
    {"RAND", "Выбрать одну случайную комбинацию", "Случайно"},
    {"FIRST", "Выбрать первую комбинацию в списке", "Первая"},
    {"LAST", "Выбрать последнюю комбинацию в списке", "Последняя"},
    {"ALL", "Выбрать все комбинации (не рекомендуется)", "Все"},
    {"SYSA", "Системная игра [вся система]", "Система [все]"},
    {"SYSC", "Системная игра [система * комбинации]", "Система [комб]"},
    {"STOP", "Остановить выполнение сценария", "Остановить"},
    {"SKIP", "Пропустить (игнорировать) эту ставку", "Пропустить"},
    {"NONE", "Не делать ставок (для последовательного выполнения)", "Не делать ставок"},
};

constexpr TCodeCaption kLevelModes[kLevelModeCount] = {
    {"LNO", "Весь список (без условий)", nullptr},
    {"LMV", "\"Глубина\": не менее заданного значения", nullptr},
    {"LMP", "\"Глубина\": не менее заданного процента", nullptr},
    {"LLV", "\"Глубина\": не более заданного значения", nullptr},
    {"LLP", "\"Глубина\": не более заданного процента", nullptr},
    {"LDV", "\"Глубина\": из заданного списка значений", nullptr},
    {"LDP", "\"Глубина\": из заданного списка процентов", nullptr},
    {"DMV", "\"Отклонение\": не менее заданного значения", nullptr},
    {"DMP", "\"Отклонение\": не менее заданного процента", nullptr},
    {"DLV", "\"Отклонение\": не более заданного значения", nullptr},
    {"DLP", "\"Отклонение\": не более заданного процента", nullptr},
    {"DDV", "\"Отклонение\": из заданного списка значений", nullptr},
    {"DDP", "\"Отклонение\": из заданного списка процентов", nullptr},
    {"CMV", "\"Количество\": не менее заданного значения", nullptr},
    {"CMP", "\"Количество\": не менее заданного процента", nullptr},
    {"CLV", "\"Количество\": не более заданного значения", nullptr},
    {"CLP", "\"Количество\": не более заданного процента", nullptr},
    {"CDV", "\"Количество\": из заданного списка значений", nullptr},
    {"CDP", "\"Количество\": из заданного списка процентов", nullptr},
    {"WMV", "\"Вес\": не менее заданного значения", nullptr},
    {"WLV", "\"Вес\": не более заданного значения", nullptr},
    {"WDV", "\"Вес\": из заданного списка значений", nullptr},
    {"PIM", "\"Период min\": не менее заданного значения", nullptr},
    {"PIL", "\"Период min\": не более заданного значения", nullptr},
    {"PIR", "\"Период min\": из заданного списка значений", nullptr},
    {"PAM", "\"Период\": не менее заданного значения", nullptr},
    {"PAL", "\"Период\": не более заданного значения", nullptr},
    {"PAR", "\"Период\": из заданного списка значений", nullptr},
    {"PXM", "\"Период max\": не менее заданного значения", nullptr},
    {"PXL", "\"Период max\": не более заданного значения", nullptr},
    {"PXR", "\"Период max\": из заданного списка значений", nullptr},
    {"LVA", "\"Значения\": из заданного списка значений", nullptr},
};

constexpr TCodeCaption kStopModes[kStopModeCount] = {
    {"SF", "Обработать все записи", nullptr},
    {"SC", "Количеству оставшихся комбинаций", nullptr},
    {"SZ", "Пока список не будет пуст и откатить на шаг", nullptr},
    {"ST", "Количеству шагов", nullptr},
    {"SV", "Значению в списке статистики", nullptr},
    {"SP", "Процентному соотношению в списке статистики", nullptr},
};

template <size_t N>
const TCodeCaption* Entry(const TCodeCaption (&table)[N], int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? &table[index] : nullptr;
}

template <size_t N>
int FirstPrefixCode(const TCodeCaption (&table)[N], std::string_view word, int def) {
  for (size_t i = 0; i < N; ++i) {
    if (StartsWithIgnoringCase(word, table[i].Code)) return static_cast<int>(i);
  }
  return def;
}

// A whole-word decimal integer between optional blanks; nothing else.
std::optional<int32_t> ParseDecimal(std::string_view text) {
  const std::string t = TrimBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i >= t.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    value = value * 10 + (t[i] - '0');
    if (value > int64_t{1} << 32) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(value);
}

// The n-th word (1-based) of a word list, empty when absent.
std::string WordAt(const std::vector<std::string>& words, size_t n) {
  return n >= 1 && n <= words.size() ? words[n - 1] : std::string();
}

struct TSpan {
  size_t Begin;
  size_t End;
};

// Fields of a line by the word rules: a run of "|" counts as one separator.
std::vector<TSpan> FieldSpans(std::string_view line, size_t maxFields) {
  std::vector<TSpan> spans;
  size_t i = 0;
  while (i < line.size() && spans.size() < maxFields) {
    while (i < line.size() && line[i] == '|') ++i;
    if (i >= line.size()) break;
    size_t j = i;
    while (j < line.size() && line[j] != '|') ++j;
    spans.push_back({i, j});
    i = j;
  }
  return spans;
}

std::string FieldText(std::string_view line, const std::vector<TSpan>& spans, size_t n) {
  if (n < 1 || n > spans.size()) return "";
  const TSpan& s = spans[n - 1];
  return TrimBlanks(line.substr(s.Begin, s.End - s.Begin));
}

// The comment runs from just after the "|" that ends field 8 to the end of the line,
// so a "|" inside it is kept.
std::string CommentText(std::string_view line, const std::vector<TSpan>& spans) {
  constexpr size_t kLastFilterField = kScriptFilterCount + 1;
  if (spans.size() < kLastFilterField) return "";
  const size_t end = spans[kLastFilterField - 1].End;
  if (end >= line.size()) return "";
  return TrimBlanks(line.substr(end + 1));
}

std::string BoolText(bool value) {
  return value ? "1" : "0";
}

}  // namespace

std::string StartListCode(int index) {
  const TCodeCaption* e = Entry(kStartLists, index);
  return e ? e->Code : kErrorText;
}

std::string StartListCaption(int index) {
  const TCodeCaption* e = Entry(kStartLists, index);
  return e ? Tr(e->Caption) : kErrorText;
}

std::string StartListShortCaption(int index, int32_t drawsExclude) {
  if (index == kStartExcl) return Format(Tr(kStartLists[kStartExcl].ShortCaption), {drawsExclude});
  const TCodeCaption* e = Entry(kStartLists, index);
  return e ? Tr(e->ShortCaption) : kErrorText;
}

std::string StakeModeCode(int index) {
  const TCodeCaption* e = Entry(kStakeModes, index);
  return e ? e->Code : kErrorText;
}

std::string StakeModeCaption(int index) {
  const TCodeCaption* e = Entry(kStakeModes, index);
  return e ? Tr(e->Caption) : kErrorText;
}

std::string StakeModeShortCaption(int index) {
  const TCodeCaption* e = Entry(kStakeModes, index);
  return e ? Tr(e->ShortCaption) : kErrorText;
}

std::string LevelModeCode(int index) {
  const TCodeCaption* e = Entry(kLevelModes, index);
  return e ? e->Code : kErrorText;
}

std::string LevelModeCaption(int index) {
  const TCodeCaption* e = Entry(kLevelModes, index);
  return e ? Tr(e->Caption) : kErrorText;
}

std::string StopModeCode(int index) {
  const TCodeCaption* e = Entry(kStopModes, index);
  return e ? e->Code : kErrorText;
}

std::string StopModeCaption(int index) {
  const TCodeCaption* e = Entry(kStopModes, index);
  return e ? Tr(e->Caption) : kErrorText;
}

bool LevelModeExpands(int mode) {
  return (mode >= 1 && mode <= 4) || (mode >= 7 && mode <= 10) || (mode >= 13 && mode <= 16) ||
         (mode >= 19 && mode <= 30);
}

std::string TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

std::string ScriptLineOptions(std::string_view line) {
  return FieldText(line, FieldSpans(line, 1), 1);
}

std::string ScriptLineFilter(std::string_view line, int n) {
  if (n < 1 || n > kScriptFilterCount) return "";
  return FieldText(line, FieldSpans(line, static_cast<size_t>(n) + 1), static_cast<size_t>(n) + 1);
}

std::string ScriptLineComment(std::string_view line) {
  return CommentText(line, FieldSpans(line, kScriptFilterCount + 1));
}

TScriptOptions ParseScriptOptions(std::string_view text) {
  TScriptOptions options;
  const std::vector<std::string> words = SplitWords(text, "#");
  const std::string first = WordAt(words, 1);
  options.StartList = static_cast<uint8_t>(FirstPrefixCode(kStartLists, first, kStartFull));
  options.DrawsExclude = ParseDecimal(WordAt(SplitWords(first, ":"), 2)).value_or(0);
  const std::string mode = WordAt(words, 2);
  for (int i = 0; i < kStakeModeCount; ++i) {
    if (SameTextIgnoringCase(mode, kStakeModes[i].Code)) {
      options.StakeMode = static_cast<uint8_t>(i);
      break;
    }
  }
  for (size_t i = 2; i < words.size(); ++i) {
    if (SameTextIgnoringCase(words[i], "CLR")) options.ClearStakes = true;
    if (SameTextIgnoringCase(words[i], "NEX")) options.NewOnly = true;
  }
  return options;
}

std::string FormatScriptOptions(const TScriptOptions& options) {
  std::string text = StartListCode(options.StartList) + ":" + std::to_string(options.DrawsExclude) +
                     "#" + StakeModeCode(options.StakeMode);
  if (options.ClearStakes) text += "#CLR";
  if (options.NewOnly) text += "#NEX";
  return text;
}

std::string FormatLabelOptions(const TScriptOptions& options) {
  std::string text = StartListCode(options.StartList);
  if (options.StartList == kStartExcl) text += ":" + std::to_string(options.DrawsExclude);
  text += "#" + StakeModeCode(options.StakeMode);
  if (options.NewOnly) text += "#NEX";
  return text;
}

std::string ScriptOptionsCaption(const TScriptOptions& options) {
  std::string text = StartListShortCaption(options.StartList, options.DrawsExclude) + "; " +
                     StakeModeShortCaption(options.StakeMode);
  if (options.ClearStakes) text += Tr("; Удалить ставки");
  text += options.NewOnly ? Tr("; Только новые ставки") : Tr("; Все создаваемые ставки");
  return text;
}

const TStatMethod* FindScriptMethod(const TStatList& list, std::string_view word) {
  // Exact first: with ten or more channels "CHN10" must not be read as "CHN1".
  const std::string_view code = word.substr(0, word.find(':'));
  const TStatMethod* prefixed = nullptr;
  for (const TStatMethod& m : list.Methods) {
    const std::string c = m.Code();
    // A character is 1 to 4 bytes in either case: a far longer text cannot equal the code.
    if (code.size() <= 4 * c.size() && SameTextIgnoringCase(c, code)) return &m;
    if (!prefixed && !c.empty() && StartsWithIgnoringCase(word, c)) prefixed = &m;
  }
  return prefixed;
}

std::string ScriptFloatText(long double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
}

long double ParseScriptFloat(std::string_view text) {
  std::string t = TrimBlanks(text);
  // Only [sign] digits [. digits] [exponent]: no hex, inf or nan.
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return 0;
  }
  if (i != t.size()) return 0;
  const char* begin = t.data();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  long double value = 0;
  const auto r = std::from_chars(begin, t.data() + t.size(), value, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(value)) return 0;
  return value;
}

TFilterItem ParseScriptFilter(std::string_view text, const TStatList& list) {
  TFilterItem item;
  const std::string field = TrimBlanks(text);
  if (field.empty()) return item;
  item.Assigned = true;
  const std::vector<std::string> words = SplitWords(field, "#");

  const std::string w1 = WordAt(words, 1);
  item.BottomUp = w1.find('B') != std::string::npos;
  item.MultiSelect = w1.find('M') != std::string::npos;
  item.Keep = w1.find('F') != std::string::npos;
  // The digits follow the first three characters, whatever their byte length.
  const size_t begin = Utf8PrefixBytes(w1, 3);
  size_t end = begin;
  while (end < w1.size() && w1[end] >= '0' && w1[end] <= '9') ++end;
  item.SortColumn =
      end > begin ? ParseDecimal(std::string_view(w1).substr(begin, end - begin)).value_or(1) : 1;

  item.MethodText = WordAt(words, 2);
  item.Method = FindScriptMethod(list, item.MethodText);
  item.DrawsLen = TrimBlanks(WordAt(SplitWords(item.MethodText, ":"), 2));

  if (words.size() >= 3) {
    item.LevelMode = static_cast<uint8_t>(FirstPrefixCode(kLevelModes, words[2], 0));
    item.LevelValues = TrimBlanks(WordAt(SplitWords(words[2], ":"), 2));
  }
  if (words.size() >= 4) {
    item.StopMode = static_cast<uint8_t>(FirstPrefixCode(kStopModes, words[3], 0));
    item.StopValue = ParseDecimal(WordAt(SplitWords(words[3], ":"), 2)).value_or(1);
  }
  if (words.size() >= 5) {
    const std::vector<std::string> coefs = SplitWords(words[4], ":");
    item.CDLOverride = true;
    item.CoefCount = ParseScriptFloat(WordAt(coefs, 1));
    item.CoefDeviation = ParseScriptFloat(WordAt(coefs, 2));
    item.CoefLevel = ParseScriptFloat(WordAt(coefs, 3));
    item.UsePercents = WordAt(coefs, 4) == "1";
    item.UseAbsValues = WordAt(coefs, 5) == "1";
  }
  return item;
}

std::string FormatScriptFilter(const TFilterItem& item) {
  if (!item.Assigned) return "";
  std::string text;
  text += item.BottomUp ? 'B' : 'T';
  text += item.MultiSelect ? 'M' : 'S';
  text += item.Keep ? 'F' : 'D';
  text += std::to_string(item.SortColumn);
  text += '#';
  if (item.Method) {
    text += item.Method->Code() + ":" + item.DrawsLen;
  } else {
    // An empty word between two "#" would vanish and shift the words after it.
    text += item.MethodText.empty() ? std::string(" ") : item.MethodText;
  }
  text += "#" + LevelModeCode(item.LevelMode) + ":" + item.LevelValues;
  text += "#" + StopModeCode(item.StopMode) + ":" + std::to_string(item.StopValue);
  if (item.CDLOverride) {
    text += "#" + ScriptFloatText(item.CoefCount) + ":" + ScriptFloatText(item.CoefDeviation) +
            ":" + ScriptFloatText(item.CoefLevel) + ":" + BoolText(item.UsePercents) + ":" +
            BoolText(item.UseAbsValues);
  }
  return text;
}

std::string BuildScriptLine(std::string_view options,
                            const std::array<std::string, kScriptFilterCount>& filters,
                            std::string_view comment) {
  // A blank keeps an empty field in its place: two adjacent "|" would merge.
  std::string line = TrimBlanks(options).empty() ? std::string(" ") : std::string(options);
  line += '|';
  for (const std::string& filter : filters) {
    line += TrimBlanks(filter).empty() ? std::string(" ") : filter;
    line += '|';
  }
  if (!TrimBlanks(comment).empty()) line += comment;
  return line;
}

std::vector<TFilterItem> TScriptLine::AssignedFilters() const {
  std::vector<TFilterItem> items;
  for (const TFilterItem& f : Filters) {
    if (f.Assigned) items.push_back(f);
  }
  return items;
}

TScriptLine ParseScriptLine(std::string_view line, const TStatList& list) {
  TScriptLine parsed;
  if (line.empty()) {
    parsed.Separator = true;
    return parsed;
  }
  const std::vector<TSpan> spans = FieldSpans(line, kScriptFilterCount + 1);
  parsed.Options = ParseScriptOptions(FieldText(line, spans, 1));
  for (size_t n = 0; n < kScriptFilterCount; ++n) {
    parsed.Filters[n] = ParseScriptFilter(FieldText(line, spans, n + 2), list);
  }
  parsed.Comment = CommentText(line, spans);
  return parsed;
}

std::string NormalizeScriptLine(std::string_view line, const TStatList& list) {
  const TScriptLine parsed = ParseScriptLine(line, list);
  if (parsed.Separator) return "";
  std::array<std::string, kScriptFilterCount> filters;
  for (size_t n = 0; n < kScriptFilterCount; ++n)
    filters[n] = FormatScriptFilter(parsed.Filters[n]);
  return BuildScriptLine(FormatScriptOptions(parsed.Options), filters, parsed.Comment);
}

}  // namespace vetrilo
