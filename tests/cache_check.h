// Checks the date value's cache invariant: every cached value equals the formula.
#pragma once

#include <gtest/gtest.h>

#include "shared/calendar_date.h"
#include "shared/date_math.h"

namespace tavo::test {

inline ::testing::AssertionResult cachesConsistent(const CalendarDate& date) {
    CalendarDate d = date;  // reading a cached value does not change it
    const int y = d.year(), m = d.month(), dd = d.day();
    auto fail = [&](const char* what, int got, int want) {
        return ::testing::AssertionFailure() << what << " cached " << got << " but " << want << " for " << y << "-"
                                             << m << "-" << dd;
    };
    if (d.weekdayCached() && d.weekday() != weekdayOf(y, m, dd)) return fail("weekday", d.weekday(), weekdayOf(y, m, dd));
    if (d.serialCached() && d.serialDay() != serialDayOf(y, m, dd))
        return fail("serial", d.serialDay(), serialDayOf(y, m, dd));
    if (d.monthLengthCached() && d.monthLength() != monthLengthOf(y, m))
        return fail("month length", d.monthLength(), monthLengthOf(y, m));
    if (d.leapCached() && d.isLeapYear() != isLeapYear(y)) return fail("leap", d.isLeapYear(), isLeapYear(y));
    if (d.yearLengthCached() && d.yearLength() != yearLengthOf(y)) return fail("year length", d.yearLength(), yearLengthOf(y));
    if (d.fromTodayCached()) {
        const int want = serialDayOf(y, m, dd) - d.todaySerialDay();
        if (d.daysFromToday() != want) return fail("days from today", d.daysFromToday(), want);
    }
    return ::testing::AssertionSuccess();
}

// Fills every cache so that a following step has to keep them right.
inline void fillCaches(CalendarDate& d) {
    d.weekday();
    d.serialDay();
    d.monthLength();
    d.yearLength();
    d.daysFromToday();
}

}  // namespace tavo::test
