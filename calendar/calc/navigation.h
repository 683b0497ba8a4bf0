// Moving the selected date by the calendar's navigation steps.
#pragma once

#include "shared/calendar_date.h"

namespace tavo {

enum class NavigationStep { PrevDay = 0, NextDay = 1, PrevMonth = 2, NextMonth = 3, Today = 6, PrevWeek = 9,
                            NextWeek = 10, PrevYear = 11, NextYear = 12 };

struct NavigationResult {
    bool moved = false;
    bool monthChanged = false;
    int errorString = 0;  // 928 before 15 October 1582, 929 after 9999; 0 when moved
};

// Today is not handled here: it needs the clock check of the window.
NavigationResult navigate(CalendarDate& date, NavigationStep step);

// The step of a press in the button band at x, with g the first column width.
NavigationStep buttonStepAt(int x, int clientWidth, int firstColumnWidth, bool monthButtons, bool yearButtons);

}  // namespace tavo
