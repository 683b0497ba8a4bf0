// Loading the settings into the shared block and rebuilding the shown month
// and its texts from them.
#pragma once

#include "calendar_window.h"

namespace tavo::shell {

// Everything but the window styles; tells how the closed-day rules loaded.
ClosedDaysLoad loadSettings(CalendarWindow& a);
void loadWindowStyles(CalendarWindow& a);
void rebuildMonthView(CalendarWindow& a);        // grid, marks and the day-off table
void rebuildTexts(CalendarWindow& a);            // caption, titles, status text, weekday names
DayDate selectedDayDate(CalendarWindow& a);

}  // namespace tavo::shell
