// Changes made in Tavo written into events it did not write: the occurrence
// of a series as the series writes its start (a date, a zone of its own),
// an override already there changed or dropped, an alarm's own properties
// never taken for the event's.
#include <gtest/gtest.h>

#include "shared/cp932.h"
#include "calendar/data/icalendar_import.h"
#include "shared/date_math.h"
#include "sync/line_events.h"

namespace tavo::sync::test {
namespace {

const int kDec1 = serialDayOf(2026, 12, 1);

std::string calendar(const std::string& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\n" + events + "END:VCALENDAR\r\n";
}

const std::string kNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\nTZOFFSETFROM:-0400\r\n"
    "TZOFFSETTO:-0500\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\n"
    "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";

std::string series(const std::string& start, const std::string& more = "") {
    return "BEGIN:VEVENT\r\nUID:s\r\nDTSTAMP:20261101T000000Z\r\nDTSTART" + start + "\r\nRRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:S\r\n"
           "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY:mail\r\nTRIGGER:-PT5M\r\nDURATION:PT5M\r\nREPEAT:1\r\nEND:VALARM\r\nEND:VEVENT\r\n" + more;
}

std::string override(const std::string& id, const std::string& summary) {
    return "BEGIN:VEVENT\r\nUID:s\r\nDTSTAMP:20261101T000000Z\r\nRECURRENCE-ID;VALUE=DATE:" + id + "\r\nDTSTART;VALUE=DATE:" + id +
           "\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

std::string shown(const std::string& ics) {
    std::string out;
    for (const EventLine& l : linesOfEvent(ics, kDec1 - 5, kDec1 + 10).lines)
        out += std::to_string(l.serial - kDec1) + ":" + l.text + "@" + (l.occurrence ? std::to_string(l.occurrence - kDec1) : "-") + "|";
    return out;
}

TEST(LineEvents, OccurrenceChangesAsTheSeriesWritesItsStart) {
    struct Case {
        const char* what;
        std::string ics;
        std::vector<OccurrenceChange> changes;
        std::string lines;                  // day:text@occurrence, days and occurrences from Dec 1
        std::vector<std::string> has, hasNot;  // content lines
    };
    const std::string allDay = calendar(series(";VALUE=DATE:20261201", override("20261202", "T")));
    const std::vector<Case> cases = {
        {"a day of an all-day series deleted", allDay, {{kDec1, kDec1, std::nullopt}}, "1:T@1|2:S@2|",
         {"EXDATE;VALUE=DATE:20261201", "RECURRENCE-ID;VALUE=DATE:20261202"}, {}},
        {"its override deleted", allDay, {{kDec1 + 1, kDec1 + 1, std::nullopt}}, "0:S@0|2:S@2|", {"EXDATE;VALUE=DATE:20261202"},
         {"RECURRENCE-ID", "SUMMARY:T"}},
        {"its override edited, not doubled", allDay, {{kDec1 + 1, kDec1 + 1, "U"}}, "0:S@0|1:U@1|2:S@2|",
         {"RECURRENCE-ID;VALUE=DATE:20261202", "SUMMARY:U"}, {"SUMMARY:T"}},
        {"an occurrence given a time", allDay, {{kDec1 + 2, kDec1 + 2, "08:00～09:00 V"}}, "0:S@0|1:T@1|2:08:00～09:00 V@2|",
         {"RECURRENCE-ID;VALUE=DATE:20261203", "DTSTART;TZID=Asia/Tokyo:20261203T080000", "TZID:Asia/Tokyo"}, {}},
        // 20:00 in New York is 10:00 the next day here: the occurrence shown on the 2nd began there on the 1st.
        {"a zone of its own", calendar(kNewYork + series(";TZID=America/New_York:20261130T200000")),
         {{kDec1, kDec1, std::nullopt}, {kDec1 + 1, kDec1 + 1, "11:00 W"}}, "1:11:00 W@1|2:10:00 S@2|",
         {"EXDATE;TZID=America/New_York:20261130T200000", "RECURRENCE-ID;TZID=America/New_York:20261201T200000"}, {}},
    };
    for (const Case& c : cases) {
        const std::string changed = withOccurrences(c.ics, c.changes);
        EXPECT_EQ(shown(changed), c.lines) << c.what;
        for (const std::string& line : c.has) EXPECT_NE(changed.find(line + "\r\n"), std::string::npos) << c.what << ": " << line;
        for (const std::string& line : c.hasNot) EXPECT_EQ(changed.find(line), std::string::npos) << c.what << ": " << line;
        // The alarm stays whole in the series and in every new override.
        EXPECT_NE(changed.find("SUMMARY:mail\r\nTRIGGER:-PT5M\r\nDURATION:PT5M\r\n"), std::string::npos) << c.what;
    }
}

TEST(LineEvents, AnEditKeepsTheAlarmsOwnSummaryAndDuration) {
    const std::string single = calendar(
        "BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20261101T000000Z\r\nDTSTART;VALUE=DATE:20261201\r\nSUMMARY:old\r\nLOCATION:here\r\n"
        "BEGIN:VALARM\r\nACTION:EMAIL\r\nSUMMARY:mail\r\nTRIGGER:-PT5M\r\nDURATION:PT5M\r\nREPEAT:1\r\nEND:VALARM\r\nEND:VEVENT\r\n");
    const std::string edited = withLine(single, kDec1, "new");
    EXPECT_EQ(shown(edited), "0:new@-|");
    for (const char* kept : {"LOCATION:here", "SUMMARY:mail\r\nTRIGGER:-PT5M\r\nDURATION:PT5M\r\n"})
        EXPECT_NE(edited.find(kept), std::string::npos) << kept << "\n" << edited;
    EXPECT_EQ(edited.find("SUMMARY:old"), std::string::npos);
}

// A phone's characters Shift-JIS lacks stay where an edit in Tavo left them.
TEST(LineEvents, AnEditKeepsWhatShiftJisCannotHold) {
    const auto event = [](const std::string& start, const std::string& summary) {
        return calendar("BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20261101T000000Z\r\nDTSTART" + start + "\r\nSUMMARY:" + summary +
                        "\r\nEND:VEVENT\r\n");
    };
    const std::string cake = "\xF0\x9F\x8E\x82";  // U+1F382
    struct Case {
        const char* what;
        std::string ics;
        std::string (*edit)(std::string line);  // the user's edit of the line Tavo shows
        std::string summary;                    // UTF-8 on the server after it
    } cases[] = {
        {"a word added", event(";VALUE=DATE:20261201", cp932ToUtf8("誕生会 ") + cake), [](std::string l) { return l + " 延期"; },
         cp932ToUtf8("誕生会 ") + cake + cp932ToUtf8(" 延期")},
        {"the time alone", event(";TZID=Asia/Tokyo:20261201T100000", cake + " party"),
         [](std::string l) { return l.replace(0, 5, "11:00"); }, cake + " party"},
        {"the stand-in deleted", event(";VALUE=DATE:20261201", "A" + cake), [](std::string l) { return l.substr(0, 1); }, "A"},
        {"a trail byte like the backslash", event(";VALUE=DATE:20261201", "a\\\\"), [](std::string) { return std::string("表"); },
         cp932ToUtf8("表")},
    };
    for (const Case& c : cases) {
        const std::vector<EventLine> lines = linesOfEvent(c.ics, kDec1 - 5, kDec1 + 10).lines;
        ASSERT_EQ(lines.size(), 1u) << c.what;
        const IcsCalendar after = readICalendar(withLine(c.ics, lines[0].serial, c.edit(lines[0].text)));
        ASSERT_EQ(after.events.size(), 1u) << c.what;
        EXPECT_EQ(after.events[0].summary, c.summary) << c.what;
    }
}

}  // namespace
}  // namespace tavo::sync::test
