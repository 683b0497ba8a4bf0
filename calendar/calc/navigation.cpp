#include "navigation.h"

namespace tavo {
namespace {

int apply(CalendarDate& date, NavigationStep step) {
    switch (step) {
        case NavigationStep::PrevDay: return date.prevDay();
        case NavigationStep::NextDay: return date.nextDay();
        case NavigationStep::PrevWeek: return date.prevWeek();
        case NavigationStep::NextWeek: return date.nextWeek();
        case NavigationStep::PrevMonth: return date.prevMonth();
        case NavigationStep::NextMonth: return date.nextMonth();
        case NavigationStep::PrevYear: return date.prevYear();
        case NavigationStep::NextYear: return date.nextYear();
        case NavigationStep::Today: return 0;
    }
    return 0;
}

NavigationStep inverse(NavigationStep step) {
    switch (step) {
        case NavigationStep::PrevDay: return NavigationStep::NextDay;
        case NavigationStep::PrevWeek: return NavigationStep::NextWeek;
        case NavigationStep::PrevMonth: return NavigationStep::NextMonth;
        default: return NavigationStep::NextYear;
    }
}

bool isBackward(NavigationStep step) {
    return step == NavigationStep::PrevDay || step == NavigationStep::PrevWeek || step == NavigationStep::PrevMonth ||
           step == NavigationStep::PrevYear;
}

}  // namespace

NavigationResult navigate(CalendarDate& date, NavigationStep step) {
    if (step == NavigationStep::Today) return {};
    const int year = date.year(), month = date.month();
    const int error = isBackward(step) ? 928 : 929;
    if (apply(date, step) == 0) return {false, false, error};
    // The date value allows 1..14 October 1582 as a step target; the calendar does not.
    if (date.checkDate() != kDateOk) {
        apply(date, inverse(step));
        return {false, false, error};
    }
    return {true, date.year() != year || date.month() != month, 0};
}

NavigationStep buttonStepAt(int x, int w, int g, bool monthButtons, bool yearButtons) {
    if (x < g && yearButtons) return NavigationStep::PrevYear;
    if (x < 5 * g / 2 && (monthButtons || yearButtons))
        return monthButtons ? NavigationStep::PrevMonth : NavigationStep::PrevYear;
    if (yearButtons && x > w - g) return NavigationStep::NextYear;
    if (x > w - 5 * g / 2 && (monthButtons || yearButtons))
        return monthButtons ? NavigationStep::NextMonth : NavigationStep::NextYear;
    return NavigationStep::Today;
}

}  // namespace tavo
