// iCalendar files from the calendar: the data of the selected year written
// out, and another calendar's events of that year read into the day schedules.
#pragma once

#include "calendar_window.h"

namespace tavo::shell {

void exportICalendarFile(CalendarWindow& a);
void importICalendarFile(CalendarWindow& a);

}  // namespace tavo::shell
