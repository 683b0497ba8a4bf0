// The pieces of the iCalendar reader: content lines (unfolding, parameters,
// escapes), dates, times and durations as written, RRULE values, and time
// zones. Shared by the reader and its tests; not an interface of its own.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "icalendar_import.h"
#include "recurrence_rule.h"
#include "shared/minutes.h"

namespace tavo::ics {

inline constexpr int kJapan = 9 * 60;  // minutes east of UTC

// --- Content lines ---

struct ContentLine {
    std::string name;
    std::map<std::string, std::string> parameters;  // names in capitals
    std::string value;
};

std::string upper(std::string_view text);
// Unfolded lines: a line that starts with a blank or a tab continues the one before.
std::vector<std::string> unfoldedLines(std::string_view text);
// NAME;PARAM=VALUE;PARAM="VALUE":VALUE, quotes protecting ':' and ';'.
bool parseLine(const std::string& line, ContentLine& out);
std::string unescapeText(std::string_view value);

// --- Dates and times ---

bool digits(std::string_view text, std::size_t at, std::size_t n, int& value);

// A DATE or DATE-TIME as written: local minutes, whether it is a whole day,
// whether it is in UTC ('Z').
struct Written {
    Minutes minutes = 0;
    bool wholeDay = false, utc = false;
};
bool parseWritten(std::string_view value, Written& out);
// Whether a value has the shape of a DATE or DATE-TIME, whatever its numbers.
bool writtenShape(std::string_view value);
IcsMoment momentOfMinutes(Minutes minutes);
// "P1D", "PT1H30M", "P2W": minutes, at most a year's.
Minutes durationMinutes(std::string_view value);
IcsMoment plusMinutes(IcsMoment m, Minutes minutes);
int offsetMinutes(std::string_view value);  // "+0900"

// --- Rules ---

// An RRULE as written: the rule and its UNTIL as written (to find the day in an event's own time).
struct IcsRule {
    RecurrenceRule rule;
    Written until;
};
// False for a rule outside the subset (only the first day is then taken).
bool parseRule(std::string_view text, IcsRule& written);

// --- Time zones ---

// Where the times of an event are: a zone of the file, or a fixed offset.
struct Frame {
    const IcsZone* zone = nullptr;
    int offset = kJapan;  // minutes east of UTC, without a zone
};
Frame frameOf(const IcsCalendar& calendar, int zone);
Minutes utcOf(const Frame& frame, Minutes local);
Minutes localOf(const Frame& frame, Minutes utc);
// A written time in Japan time; a whole day stays the day it names.
IcsMoment japanMoment(const Written& w, const Frame& frame);

}  // namespace tavo::ics
