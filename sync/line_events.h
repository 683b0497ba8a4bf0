// One line of a day schedule as one event on the server: a line that starts
// with a time is a timed event in Japan's zone, any other an all-day event.
// An event edited in Tavo keeps everything Tavo does not show (alarms,
// location, description, properties it does not know): only its start, end
// and summary are rewritten.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::sync {

// A new item (UTF-8 iCalendar) for a CP932 line on a day.
std::string eventOfLine(const std::string& uid, int serial, std::string_view line);

// The item with the start, end and summary of the line (for an item of one
// event without recurrence); the rest as it was.
std::string withLine(std::string_view ics, int serial, std::string_view line);

struct EventLine {
    int serial;
    std::string text;    // CP932
    int occurrence = 0;  // of a series: the day its occurrence began (its RECURRENCE-ID); 0 for a single event
    friend bool operator==(const EventLine&, const EventLine&) = default;
};
struct EventLines {
    std::vector<EventLine> lines;  // the occurrences on the days first..last, as day lines
    bool single = false;           // one event without recurrence: its line can be written back
    std::string uid;
    std::string problem;           // not an event it can read
};
EventLines linesOfEvent(std::string_view ics, int firstSerial, int lastSerial);

// A change of one occurrence of a series made in Tavo.
struct OccurrenceChange {
    int occurrence;                   // EventLine::occurrence
    int serial;                       // the day of its line
    std::optional<std::string> line;  // CP932, the line now; none: deleted
};
// The series with each occurrence changed: an override (RECURRENCE-ID) with
// the line's start, end and summary (everything else as the series has it),
// or, for a deleted line, an EXDATE (and its override gone).
std::string withOccurrences(std::string_view ics, const std::vector<OccurrenceChange>& changes);

// A UID for a new line that a retried sync finds again: from the day, the
// text and which of the same lines of that day it is.
std::string uidForLine(int serial, std::string_view line, int sameBefore);

}  // namespace tavo::sync
