#include "core/dates.h"

#include <chrono>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"

namespace vetrilo {

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999) return false;
  const std::chrono::year_month_day ymd{std::chrono::year(year), std::chrono::month(month),
                                        std::chrono::day(day)};
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && ymd.ok();
}

TDateKey MakeDateKey(int year, int month, int day) {
  return year * 10000 + month * 100 + day;
}

static std::chrono::sys_days KeyToDays(TDateKey key) {
  return std::chrono::year_month_day{std::chrono::year(key / 10000),
                                     std::chrono::month(unsigned(key % 10000 / 100)),
                                     std::chrono::day(unsigned(key % 100))};
}

TDateKey DateKeyAddDays(TDateKey key, int days) {
  if (days == 0) return key;
  const std::chrono::year_month_day ymd{KeyToDays(key) + std::chrono::days(days)};
  return MakeDateKey(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())));
}

int DateKeyWeekday(TDateKey key) {
  return static_cast<int>(std::chrono::weekday(KeyToDays(key)).c_encoding());
}

std::string DateKeyToText(TDateKey key) {
  if (key <= 0) return "";
  return Format("%.2d/%.2d/%.4d", {key % 10000 / 100, key % 100, key / 10000});
}

TDateKey TextToDateKey(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty()) return 0;
  auto part = [&](size_t pos, size_t len) {
    return pos < t.size() ? StrToIntDef(t.substr(pos, len), 0) : 0;
  };
  const int month = part(0, 2);
  const int day = part(3, 2);
  const int year = part(6, 4);
  if (!IsValidDate(year, month, day)) {
    throw EVetrilo(Format("\"%s\" is not a valid date", {t}));
  }
  return MakeDateKey(year, month, day);
}

std::string DateTimeText(const std::tm& tm) {
  char buf[64];
  const size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return std::string(buf, n);
}

}  // namespace vetrilo
