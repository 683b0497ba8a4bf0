// The Japanese lunisolar calendar as almanacs reckon it: lunar months start
// on the day (JST) of a new moon; a month takes its number from the principal
// solar term (中気) it holds, month 11 always holding the winter solstice; in
// a year of 13 months the first month without a principal term is the leap
// month of the number before it.
#pragma once

#include <vector>

namespace tavo::lunar {

struct LunarMonthStart {
    int serial;  // the calendar's serial day number of day 1
    int month;   // 1..12
    bool leap;
    friend bool operator==(const LunarMonthStart&, const LunarMonthStart&) = default;
};

// The months covering every day of firstYear..lastYear, in order.
std::vector<LunarMonthStart> buildLunarMonths(int firstYear, int lastYear);

// Serial day numbers from Julian day numbers.
inline int serialFromJulianDay(long jdn) { return static_cast<int>(jdn - 1721119); }

}  // namespace tavo::lunar
