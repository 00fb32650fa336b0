#include "scripts/script_level.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"

namespace vetrilo {
namespace {

// What a mode tests: the row column and the comparison.
struct TModeRule {
  int Column;
  char Test;  // '*' all, '>' at least, '<' at most, '=' in list, 'v' value in list
};

constexpr TModeRule kRules[32] = {
    {-1, '*'},
    {kDsAgo, '>'},
    {kDsAgoPct, '>'},
    {kDsAgo, '<'},
    {kDsAgoPct, '<'},
    {kDsAgo, '='},
    {kDsAgoPct, '='},
    {kDsDeviation, '>'},
    {kDsDeviationPct, '>'},
    {kDsDeviation, '<'},
    {kDsDeviationPct, '<'},
    {kDsDeviation, '='},
    {kDsDeviationPct, '='},
    {kDsCount, '>'},
    {kDsCountPct, '>'},
    {kDsCount, '<'},
    {kDsCountPct, '<'},
    {kDsCount, '='},
    {kDsCountPct, '='},
    {kDsWeight, '>'},
    {kDsWeight, '<'},
    {kDsWeight, '='},
    {kDsMinGap, '>'},
    {kDsMinGap, '<'},
    {kDsMinGap, '='},
    {kDsPeriod, '>'},
    {kDsPeriod, '<'},
    {kDsPeriod, '='},
    {kDsMaxGap, '>'},
    {kDsMaxGap, '<'},
    {kDsMaxGap, '='},
    {-1, 'v'},
};

bool IsDecimalColumn(int column) {
  return column == kDsCountPct || column == kDsDeviationPct || column == kDsAgoPct ||
         column == kDsWeight || column == kDsPeriod;
}

std::optional<double> DecimalOf(std::string_view text) {
  const std::string t = Trim(text);
  double v = 0;
  const char* end = t.data() + t.size();
  const auto [ptr, ec] = std::from_chars(t.data(), end, v, std::chars_format::fixed);
  if (ec != std::errc() || ptr != end || t.empty()) return std::nullopt;
  return v;
}

std::optional<int64_t> IntegerOf(std::string_view text) {
  const auto v = StrToIntStrict(Trim(text));
  if (!v) return std::nullopt;
  return *v;
}

int64_t IntegerOrThrow(std::string_view text) {
  const auto v = IntegerOf(text);
  if (!v) throw EVetrilo(NotIntegerMessage(text));
  return *v;
}

}  // namespace

std::string NotIntegerMessage(std::string_view text) {
  return Format("'%s' is not a valid integer value", {std::string(text)});
}

int TLevelTest::Column(int levelMode) {
  return levelMode >= 0 && levelMode < 32 ? kRules[levelMode].Column : -1;
}

TLevelTest::TLevelTest(int levelMode, std::string_view value) {
  const TModeRule rule = levelMode >= 0 && levelMode < 32 ? kRules[levelMode] : kRules[0];
  column_ = rule.Column;
  decimal_ = IsDecimalColumn(column_);
  switch (rule.Test) {
    case '>':
      kind_ = TKind::AtLeast;
      value_ = IntegerOrThrow(value);
      break;
    case '<':
      kind_ = TKind::AtMost;
      value_ = IntegerOrThrow(value);
      break;
    case '=':
    case 'v':
      kind_ = rule.Test == '=' ? TKind::InList : TKind::ValueInList;
      for (const std::string& word : SplitWords(value, ",;")) list_.push_back(IntegerOrThrow(word));
      break;
    default:
      kind_ = TKind::All;
  }
}

bool TLevelTest::Passes(const std::array<std::string, kDrawStatsColumns>& cells,
                        int32_t numericValue) const {
  const auto inList = [this](auto x) {
    return std::any_of(list_.begin(), list_.end(), [x](int64_t v) { return x == decltype(x)(v); });
  };
  switch (kind_) {
    case TKind::All:
      return true;
    case TKind::ValueInList:
      return inList(int64_t{numericValue});
    case TKind::InList: {
      const std::string& cell = cells[size_t(column_)];
      if (decimal_) {
        const auto x = DecimalOf(cell);
        return x && inList(*x);
      }
      const auto x = IntegerOf(cell);
      return x && inList(*x);
    }
    case TKind::AtLeast: {
      const std::string& cell = cells[size_t(column_)];
      if (decimal_) return DecimalOf(cell).value_or(0) >= double(value_);
      return IntegerOf(cell).value_or(0) >= value_;
    }
    case TKind::AtMost: {
      const std::string& cell = cells[size_t(column_)];
      // Count, depth and deviation: a "-" cell reads as 65535 and fails; the
      // weight and period columns read it as 0.
      const bool percent = decimal_ && column_ != kDsWeight && column_ != kDsPeriod;
      const double missing = (!decimal_ || percent) ? 65535 : 0;
      if (decimal_) return DecimalOf(cell).value_or(missing) <= double(value_);
      return value_ >= IntegerOf(cell).value_or(int64_t(missing));
    }
  }
  return false;
}

}  // namespace vetrilo
