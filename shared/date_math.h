// Gregorian formulas on plain year/month/day, for callers without a CalendarDate.
#pragma once

namespace tavo {

inline constexpr int kFirstYear = 1582;
inline constexpr int kLastYear = 9999;

// Year in 1..9999 (wider values are not guarded against overflow).
constexpr bool isLeapYear(int year) {
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int monthLengthOf(int year, int month);  // month 1..12
constexpr int yearLengthOf(int year) { return isLeapYear(year) ? 366 : 365; }

// 0 = Sunday .. 6 = Saturday.
int weekdayOf(int year, int month, int day);

// Day count: 1 January 2000 is 730426; differences are day counts.
int serialDayOf(int year, int month, int day);

// Inverse of serialDayOf, for tests and tools; year/month/day out-params.
void civilFromSerial(int serial, int& year, int& month, int& day);

}  // namespace tavo
