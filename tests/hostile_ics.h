// Small iCalendar files that once cost hours or gigabytes, or were read
// wrongly, with what a bounded reader makes of them. Shared by the tests
// (the outcome) and the bench (the time and memory each takes).
#pragma once

#include <string>
#include <vector>

#include "calendar/data/icalendar_import.h"
#include "shared/date_math.h"

namespace tavo::test {

struct HostileIcs {
    const char* name;
    std::string text;
    int from, to;          // the span imported, serial days
    bool problem;          // the reader refuses the file
    IcsRefusal refused;    // the import refuses it
    int lines;             // lines the import adds otherwise
};

inline std::string calendarOf(const std::string& body) { return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n"; }

inline std::string eventOf(const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:h\r\n" + lines + "SUMMARY:x\r\nEND:VEVENT\r\n";
}

// One zone of a hundred observances, each changing the clock every day.
inline std::string busyZone() {
    std::string zone = "BEGIN:VTIMEZONE\r\nTZID:Busy\r\n";
    for (int i = 0; i < 100; ++i)
        zone += "BEGIN:STANDARD\r\nDTSTART:20000101T020000\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0" + std::to_string(800 + i % 2 * 100) +
                "\r\nRRULE:FREQ=YEARLY;BYMONTH=1,2,3,4,5,6,7,8,9,10,11,12;BYDAY=MO,TU,WE,TH,FR,SA,SU\r\nEND:STANDARD\r\n";
    return zone + "END:VTIMEZONE\r\n";
}

inline std::vector<HostileIcs> hostileCalendars() {
    const auto day = [](int y, int m, int d) { return serialDayOf(y, m, d); };
    const int y2026 = day(2026, 1, 1), end2026 = day(2026, 12, 31);
    constexpr auto kNone = IcsRefusal::None;
    return {
        {"daily, the largest interval", calendarOf(eventOf("DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=DAILY;INTERVAL=2147483647\r\n")),
         y2026, end2026, false, kNone, 1},
        {"weekly, an interval that overflows days", calendarOf(eventOf("DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=WEEKLY;INTERVAL=306783379\r\n")),
         y2026, end2026, false, kNone, 1},
        {"an interval past 64 bits", calendarOf(eventOf("DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=DAILY;INTERVAL=99999999999999999999\r\n")),
         y2026, end2026, false, kNone, 1},
        {"a zone that changes every day", calendarOf(busyZone() + eventOf("DTSTART;TZID=Busy:20260101T120000\r\nRRULE:FREQ=DAILY\r\n")),
         y2026, end2026, false, kNone, 365},
        {"a year-long event every day for twenty years",
         calendarOf(eventOf("DTSTART;VALUE=DATE:20000101\r\nDTEND;VALUE=DATE:20001231\r\nRRULE:FREQ=DAILY\r\n")), day(2000, 1, 1),
         day(2019, 12, 31), false, kNone, 7305},
        {"a daily series from 1583, a month of 9000", calendarOf(eventOf("DTSTART;VALUE=DATE:15830101\r\nRRULE:FREQ=DAILY\r\n")),
         day(9000, 1, 1), day(9000, 1, 31), false, kNone, 31},
        {"a daily series over three hundred years", calendarOf(eventOf("DTSTART;VALUE=DATE:20000101\r\nRRULE:FREQ=DAILY\r\n")),
         day(2000, 1, 1), day(2299, 12, 31), false, IcsRefusal::TooManyLines, 0},
        {"a summary of 200 KB", calendarOf("BEGIN:VEVENT\r\nUID:h\r\nDTSTART;VALUE=DATE:20260105\r\nSUMMARY:" + std::string(200000, 'a') +
                                           "\r\nEND:VEVENT\r\n"),
         y2026, end2026, false, IcsRefusal::LineTooLong, 0},
        {"a weekly series until the last day", calendarOf(eventOf("DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=WEEKLY;UNTIL=99991231\r\n")),
         y2026, end2026, false, kNone, 52},
        {"a date written with dashes", calendarOf(eventOf("DTSTART:2026-12-24\r\n")), y2026, end2026, true, kNone, 0},
        {"an end of series written with dashes", calendarOf(eventOf("DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=DAILY;UNTIL=2026-12-24\r\n")),
         y2026, end2026, true, kNone, 0},
        {"a date before 1583 beside one that is fine",
         calendarOf(eventOf("DTSTART;VALUE=DATE:12000105\r\n") + eventOf("DTSTART;VALUE=DATE:20260105\r\n")), y2026, end2026, false, kNone, 1},
    };
}

}  // namespace tavo::test
