// One line of a day schedule as one event on the server: a line that starts
// with a time is a timed event in Japan's zone, any other an all-day event.
// An event edited in Tavo keeps everything Tavo does not show (alarms,
// location, description, properties it does not know): only its start, end
// and summary are rewritten.
#pragma once

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
    std::string text;  // CP932
    friend bool operator==(const EventLine&, const EventLine&) = default;
};
struct EventLines {
    std::vector<EventLine> lines;  // the occurrences on the days first..last, as day lines
    bool single = false;           // one event without recurrence: its line can be written back
    std::string uid;
    std::string problem;           // not an event it can read
};
EventLines linesOfEvent(std::string_view ics, int firstSerial, int lastSerial);

// A UID for a new line that a retried sync finds again: from the day, the
// text and which of the same lines of that day it is.
std::string uidForLine(int serial, std::string_view line, int sameBefore);

}  // namespace tavo::sync
