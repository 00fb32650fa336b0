#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace vetrilo {

// A calendar date as year * 10000 + month * 100 + day (20140704); 0 = no date.
using TDateKey = int32_t;

bool IsValidDate(int year, int month, int day);
TDateKey MakeDateKey(int year, int month, int day);
TDateKey DateKeyAddDays(TDateKey key, int days);
// 0 Sunday .. 6 Saturday.
int DateKeyWeekday(TDateKey key);

// "mm/dd/yyyy"; empty when the key is not positive.
std::string DateKeyToText(TDateKey key);

// "yyyy-mm-dd hh:mm:ss" of a broken-down time, as the catalogue shows times.
std::string DateTimeText(const std::tm& tm);
// Reads "mm/dd/yyyy" by character positions; empty text gives 0; an impossible
// date throws EVetrilo.
TDateKey TextToDateKey(std::string_view text);

}  // namespace vetrilo
