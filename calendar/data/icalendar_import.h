// Other calendars' events in Tavo: a small, strict reader of the iCalendar
// subset that phones and web calendars write (RFC 5545: unfolding, escaping,
// parameters, DATE and DATE-TIME in UTC, floating or a time zone), the
// occurrences of its events in a span of days (RRULE, EXDATE, RECURRENCE-ID,
// cancelled events), and their import as lines of the day schedule files.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "icalendar_progress.h"
#include "path_settings.h"
#include "shared/file_system.h"
#include "shared/minutes.h"

namespace tavo {

// A moment in Japan time; minute < 0 for a whole day.
struct IcsMoment {
    int serial = 0;   // the calendar's serial day number
    int minute = -1;  // minutes after midnight JST
};

// A time zone of the file (VTIMEZONE): when each of its offsets begins.
struct IcsObservance {
    Minutes onset = 0;                 // DTSTART: local minutes (serial day * 1440 + minute) before the change
    int offsetFrom = 0, offsetTo = 0;  // minutes east of UTC
    std::string rule;               // RRULE of the later onsets, empty when none
    std::vector<Minutes> dates;        // RDATE: further onsets, local minutes
};

// The changes of a zone around one year, each a UTC moment with the offset
// it begins, in order; offsetBefore holds before the first.
struct IcsZoneYear {
    std::vector<std::pair<Minutes, int>> changes;
    int offsetBefore = 0;
};

struct IcsZone {
    std::vector<IcsObservance> observances;
    // Filled on first use of a year: a time of an event is placed by a search,
    // not by working out every rule of the zone again.
    mutable std::map<int, IcsZoneYear> years;
};

inline constexpr int kIcsJapanTime = -1;  // IcsEvent::zone: floating times, Asia/Tokyo
inline constexpr int kIcsUniversalTime = -2;

struct IcsEvent {
    std::string uid;
    IcsMoment start, end;
    IcsMoment wallStart;          // DTSTART as written, in the event's own time: its series repeats there
    int zone = kIcsJapanTime;     // the time of wallStart: an index of IcsCalendar::zones or kIcs...Time
    std::string summary;      // UTF-8
    std::string description;  // UTF-8; the whole text of Tavo's own events
    std::string rule;     // RRULE value, empty when none
    std::vector<IcsMoment> excluded;
    IcsMoment recurrenceId;  // of an override; serial 0 when none
    bool hasRecurrenceId = false;
    bool cancelled = false;
    int sequence = 0;  // of two overrides of one occurrence, the higher one holds
};

struct IcsCalendar {
    std::vector<IcsEvent> events;
    std::vector<IcsZone> zones;
    std::string problem;  // why the text is not a calendar; empty when it is
    int skipped = 0;      // events on dates outside 1583..9999, left out
};

IcsCalendar readICalendar(std::string_view text);

struct IcsOccurrence {
    int serial;
    std::string text;  // UTF-8: "HH:MM–HH:MM summary" or the summary of a whole day
    int original = 0;  // the day (JST) the occurrence began before an override moved it: its RECURRENCE-ID
    // What a day shows.
    friend bool operator==(const IcsOccurrence& a, const IcsOccurrence& b) { return a.serial == b.serial && a.text == b.text; }
};

// Bounds of one import; past one, it is refused before anything is written.
inline constexpr std::size_t kMostImportedLines = 100000;
inline constexpr std::size_t kMostImportedBytes = 16u << 20;  // of all lines added, in Shift-JIS
// A line longer than the day schedule window takes for a whole day is refused (kScheduleTextBytes).

// What an expansion met besides its occurrences.
struct IcsWork {
    bool stopped = false;  // progress stopped it
    bool tooMany = false;   // more than kMostImportedLines occurrences
    bool tooLarge = false;  // more text than kMostImportedBytes can hold
};

// Every occurrence on the days firstSerial..lastSerial, by day and start;
// progress is told between events and inside long ones. Stopped or past the
// bound, it gives none (work says which).
std::vector<IcsOccurrence> icsOccurrences(const IcsCalendar& calendar, int firstSerial, int lastSerial,
                                          const IcsProgress& progress = {}, IcsWork* work = nullptr);

// Why an import wrote nothing although the calendar was read.
enum class IcsRefusal { None, TooManyLines, LineTooLong, TooManyBytes };

struct IcsImport {
    SaveResult saved;          // the first write that failed stops the import
    int occurrences = 0;       // in the span
    int added = 0;             // lines added (already present ones are not)
    int days = 0;              // days that got lines
    std::string unstorable;    // UTF-8: characters code page 932 cannot hold (nothing is written then)
    bool stopped = false;      // progress stopped it before anything was written
    IcsRefusal refused = IcsRefusal::None;
    std::string longLine;      // UTF-8: the start of the line that was too long
};

// Adds each occurrence as a line of its day's section in the day schedule
// files; a line already there is not added again. Nothing is written when a
// text cannot be stored or a file cannot be read whole.
IcsImport importICalendar(FileSystem& files, const PathSettings& paths, const IcsCalendar& calendar, int firstSerial,
                          int lastSerial, const IcsProgress& progress = {});

}  // namespace tavo
