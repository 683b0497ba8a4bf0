// The recurrence engine: a rule (the RRULE subset of RFC 5545 that
// calendars write) and the days it gives. The calendar's own recurring
// schedules are such rules too (scheduleRule): their month ends, the rules an
// iCalendar export writes for them and the series an import expands all come
// from here.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "path_settings.h"

namespace tavo {

inline constexpr int kLastSerialDay = 3652059;  // 9999-12-31

struct RecurrenceRule {
    char frequency = 0;  // D, W, M, Y
    int interval = 1, count = 0;
    int until = kLastSerialDay;  // the last day, a serial day
    bool hasUntil = false;
    std::vector<std::pair<int, int>> byDay;  // ordinal (0 every), weekday 0 Sunday
    std::vector<int> byMonthDay, byMonth, bySetPos;
};

// The rule of a recurring schedule of the calendar whose section key is a day
// of the month (every year: in month; every month: month 0). A day past a
// month's end falls on its last day when monthEndToLastDay is on, and is left
// out otherwise.
RecurrenceRule scheduleRule(ScheduleKind kind, int key, int month, bool monthEndToLastDay);
// The day of year/month that a schedule's key names, before any move off a
// closed day; 0 when it has none there.
int scheduleDayOfMonth(ScheduleKind kind, int key, int year, int month, bool monthEndToLastDay);
// The rule as an RRULE value ("FREQ=MONTHLY;BYMONTHDAY=-1").
std::string formatRule(const RecurrenceRule& rule);

// The days of a month that the rule picks, in order (startDay: the series'
// first day of the month, for rules without BYDAY or BYMONTHDAY).
std::vector<int> monthDays(const RecurrenceRule& rule, int year, int month, int startDay);
// The days firstSerial..lastSerial of a series that starts on startSerial
// (and ends with the rule). The work is bounded by the days asked for, not by
// how long ago the series began, unless the rule counts (COUNT), whose
// occurrences are counted from the start.
std::vector<int> ruleDays(const RecurrenceRule& rule, int startSerial, int firstSerial, int lastSerial);

bool inList(const std::vector<int>& list, int value);

}  // namespace tavo
