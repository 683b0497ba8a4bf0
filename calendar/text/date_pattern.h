// The pattern language of user-defined date texts, e.g. "yyyy年(ggY年)m月".
#pragma once

#include <string>
#include <string_view>

#include "calendar/calc/day_date.h"

namespace tavo {

class LocaleInfo;

// Titles and status texts are held in buffers of this size.
inline constexpr std::size_t kDateTextBytes = 260;
inline constexpr std::size_t kPatternBytes = 256;

// date needs day, month, year, weekday (0 = Sunday) and fromToday.
std::string formatDatePattern(std::string_view pattern, const DayDate& date, const LocaleInfo& locale);
// Without day, weekday, rokuyo, offset and system-date tokens (the caption).
std::string formatYearMonthPattern(std::string_view pattern, const DayDate& date, const LocaleInfo& locale);
// Only literal text, '/' and weekday names (the weekday header).
std::string formatWeekdayPattern(std::string_view pattern, int weekday, const LocaleInfo& locale);

// Cuts text to fit a buffer of `bytes` bytes with its terminator.
std::string fitDateText(std::string text, std::size_t bytes = kDateTextBytes);

}  // namespace tavo
