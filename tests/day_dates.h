// DayDate records with weekday and days from today filled, for text tests.
#pragma once

#include "calendar/calc/day_date.h"
#include "shared/date_math.h"

namespace tavo::test {

inline DayDate dayWithOffset(int y, int m, int d, int fromToday) {
    DayDate date = dayDate(y, m, d);
    date.weekday = weekdayOf(y, m, d);
    date.fromToday = fromToday;
    return date;
}

}  // namespace tavo::test
