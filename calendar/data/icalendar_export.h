// Tavo's data as an iCalendar file (RFC 5545) for phones and web calendars:
// day schedules as all-day events, recurring schedules as recurrence rules
// where a rule says exactly what the calendar does and as single dates where
// none can (moves off closed days), birthdays and anniversaries as yearly
// events. The text files stay the one place the data lives.
#pragma once

#include <string>
#include <string_view>

#include "icalendar_import.h"
#include "icalendar_progress.h"
#include "data_sources.h"
#include "shared/clock.h"

namespace tavo {

struct IcsExportRequest {
    int fromYear, toYear;
    bool holidays;   // the public holidays and the named closed days as events of their own categories
    LocalDate stamp;  // DTSTAMP of every event (the day of the export)
    IcsProgress progress = {};
    int alarmMinutes = -1;  // timed events remind this long before (VALARM); -1: no alarm
    bool daySchedules = true;  // false: the recurring data alone (sync sends day lines its own way)
};

// A TEXT value: backslash, semicolon, comma and line ends escaped, the other
// control characters but tab left out as RFC 5545 asks (UTF-8 in, UTF-8 out).
std::string icsText(std::string_view utf8);
// A content line folded at 75 octets without splitting a character, each piece ending in CR LF.
std::string icsLine(std::string_view line);

struct IcsExport {
    std::string text;  // the whole VCALENDAR (UTF-8, CR LF); empty when progress stopped it
    int skipped = 0;   // birthdays and anniversaries on dates no calendar has (a year past 9999, 29 February 1999)
};

IcsExport exportICalendar(const IcsExportRequest& request, const DataSources& sources);

// The calendar without the events Tavo wrote that its files still hold (the
// UID and summary an export of the years would write again), counted in
// held: a file that comes back from a phone then adds only what was made
// there, while an export taken to an empty folder comes back whole.
IcsCalendar withoutEventsHeld(const IcsCalendar& calendar, int fromYear, int toYear, const DataSources& sources, int& held);

}  // namespace tavo
