#include "recurrence.h"

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "recurrence_rule.h"
#include "shared/date_math.h"

namespace tavo {

int effectiveDay(ScheduleKind kind, int key, int year, int month, bool monthEndToLastDay, const ClosedDayTest& closed) {
    const int length = monthLengthOf(year, month);
    int day = scheduleDayOfMonth(kind, key, year, month, monthEndToLastDay);
    if (day == 0) return 0;
    if (kind == kScheduleEveryMonthLater) {
        for (; closed(day); ++day)
            if (day == length) return 0;
    } else if (kind == kScheduleEveryMonthEarlier) {
        for (; closed(day); --day)
            if (day == 1) return 0;
    }
    return day;
}

bool monthGridClosed(const ClosedDays& days, int year, int month, int day) {
    if (isClosedDay(days, dayDate(year, month, day), nullptr)) return true;
    return days.closed[weekdayOf(year, month, day)] != 0;
}

bool rangeClosed(const ClosedDays& days, int year, int month, int day) {
    return isClosedDay(days, dayDate(year, month, day), nullptr);
}

}  // namespace tavo
