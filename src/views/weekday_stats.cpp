#include "views/weekday_stats.h"

#include <algorithm>

#include "core/dates.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"
#include "views/number_tally.h"

namespace vetrilo {

const std::array<std::string, 7>& WeekdayShortNames(int language) {
  static const std::array<std::string, 7> kRussian{"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
  static const std::array<std::string, 7> kEnglish{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  return language == 1033 ? kEnglish : kRussian;
}

int WeekdayOfDateText(std::string_view text) {
  try {
    const TDateKey key = TextToDateKey(text);
    if (key <= 0) return 0;
    const int sundayFirst = DateKeyWeekday(key);  // 0 Sunday
    return sundayFirst == 0 ? 7 : sundayFirst;
  } catch (const EVetrilo&) {
    return 0;
  }
}

void TWeekdayStats::Build(const TDrawArchive& archive, int offset, int depth) {
  Clear();
  const TDrawWindow window = ViewWindow(archive, offset, depth);
  for (int i = window.Last; i >= window.First; --i) {
    const TDrawRec& d = archive.Draws[size_t(i)];
    ++draws_;
    const int weekday = WeekdayOfDateText(d.Date);
    if (weekday == 0) ++undated_;
    for (uint8_t n : d.Balls) {
      if (n < 1 || n > kMaxNumber) continue;
      if (weekday == 0) {
        ++undatedCounts_[n];
      } else {
        max_ = std::max(max_, ++counts_[size_t(weekday)][n]);
      }
    }
  }
}

int TWeekdayStats::Count(int weekday, int number) const {
  if (weekday < 1 || weekday > 7 || number < 1 || number > kMaxNumber) return 0;
  return counts_[size_t(weekday)][size_t(number)];
}

std::string TWeekdayStats::Text(int row, int column,
                                const std::array<std::string, 7>& names) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return "";
  auto shown = [](int count) { return count == 0 ? std::string() : IntegerText(count); };
  if (row == 0) {
    if (column == 0) return "";
    return column == kWeekTotalColumn ? Tr(kWeekTotalCaption) : NumberText(column);
  }
  if (column == 0) {
    if (row == kWeekTotalRow) return Tr(kWeekTotalCaption);
    if (row == kWeekUndatedRow) return Tr(kWeekUndatedCaption);
    return names[size_t(row - 1)];
  }
  auto rowTotal = [&](auto countOf) {
    int sum = 0;
    for (int n = 1; n <= kMaxNumber; ++n) sum += countOf(n);
    return sum;
  };
  if (row == kWeekUndatedRow) {
    if (column == kWeekTotalColumn) {
      return shown(rowTotal([&](int n) { return undatedCounts_[size_t(n)]; }));
    }
    return shown(undatedCounts_[size_t(column)]);
  }
  if (row == kWeekTotalRow) {
    auto columnTotal = [&](int n) {
      int sum = 0;
      for (int w = 1; w <= 7; ++w) sum += Count(w, n);
      return sum;
    };
    return shown(column == kWeekTotalColumn ? rowTotal(columnTotal) : columnTotal(column));
  }
  if (column == kWeekTotalColumn) return shown(rowTotal([&](int n) { return Count(row, n); }));
  return shown(Count(row, column));
}

TCellColor TWeekdayStats::Color(int row, int column) const {
  if (row < 1 || row > 7 || column < 1 || column > kMaxNumber || max_ <= 0) return {};
  const int count = Count(row, column);
  if (count == 0) return {};
  const int gb = int(RoundRatioHalfEven(int64_t(255) * (max_ - count), max_));
  return {"heat", 0xFF0000u | uint32_t(gb) << 8 | uint32_t(gb)};
}

std::vector<TChartPoint> TWeekdayStats::ChartPoints(int mode, int row, int column,
                                                    const std::array<std::string, 7>& names) const {
  std::vector<TChartPoint> points;
  if (mode == 1) {
    for (int w = 1; w <= 7; ++w) {
      points.push_back({double(w), double(Count(w, column)), names[size_t(w - 1)]});
    }
  } else {
    for (int n = 1; n <= kMaxNumber; ++n) {
      points.push_back({double(n), double(Count(row, n)), NumberText(n)});
    }
  }
  return points;
}

TGridValues TWeekdayStats::SelectionValues(const TGridRect& s) {
  TGridValues values;
  if (s.Empty()) return values;
  for (int column = std::max(1, s.Left); column <= std::min(kMaxNumber, s.Right); ++column) {
    values.AddNumber(column);
  }
  return values;
}

}  // namespace vetrilo
