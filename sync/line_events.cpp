#include "line_events.h"

#include <cstdio>

#include "calendar/data/icalendar_export.h"
#include "calendar/data/icalendar_import.h"
#include "calendar/data/icalendar_parts.h"
#include "calendar/data/timed_entries.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

namespace tavo::sync {
namespace {

std::string dateOf(int serial) {
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
    return text;
}

std::string timeOf(int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "T%02d%02d00", minute / 60 % 24, minute % 60);
    return text;
}

// DTSTART, DTEND and SUMMARY of a line, as content lines.
std::string timesAndSummary(int serial, std::string_view line) {
    const std::optional<TimedLine> timed = parseTimedLine(line);
    std::string out;
    if (!timed) {
        out += icsLine("DTSTART;VALUE=DATE:" + dateOf(serial));
        out += icsLine("DTEND;VALUE=DATE:" + dateOf(serial + 1));
        return out + icsLine("SUMMARY:" + icsText(cp932ToUtf8(line)));
    }
    out += icsLine("DTSTART;TZID=Asia/Tokyo:" + dateOf(serial) + timeOf(timed->start));
    if (timed->end >= 0) out += icsLine("DTEND;TZID=Asia/Tokyo:" + dateOf(timed->endsNextDay ? serial + 1 : serial) + timeOf(timed->end));
    return out + icsLine("SUMMARY:" + icsText(cp932ToUtf8(timed->title)));
}

const char kTokyo[] =
    "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\nTZNAME:JST\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

bool named(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line.compare(0, name.size(), name) == 0 &&
           (line[name.size()] == ':' || line[name.size()] == ';');
}

std::uint64_t fnv(std::string_view text, std::uint64_t hash = 1469598103934665603ull) {
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

}  // namespace

std::string eventOfLine(const std::string& uid, int serial, std::string_view line) {
    std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Tavo project//Tavo//JA\r\n";
    if (parseTimedLine(line)) out += kTokyo;
    out += "BEGIN:VEVENT\r\n" + icsLine("UID:" + uid) + "DTSTAMP:" + dateOf(serial) + "T000000Z\r\n";
    return out + timesAndSummary(serial, line) + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string withLine(std::string_view ics, int serial, std::string_view line) {
    std::string out;
    bool inEvent = false, dropping = false, written = false, zone = false;
    for (std::string_view rest = ics; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        const std::string_view raw = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(raw.size());
        const std::string_view text = raw.substr(0, raw.find_first_of("\r\n"));
        const bool continuation = !text.empty() && (text[0] == ' ' || text[0] == '\t');
        if (continuation && dropping) continue;  // the rest of a folded line left out
        dropping = false;
        if (named(text, "TZID") && text.find("Asia/Tokyo") != std::string_view::npos) zone = true;
        if (text == "BEGIN:VEVENT") inEvent = !written;
        if (inEvent && (named(text, "DTSTART") || named(text, "DTEND") || named(text, "DURATION") || named(text, "SUMMARY"))) {
            dropping = true;
            continue;
        }
        if (inEvent && text == "END:VEVENT") {
            out += timesAndSummary(serial, line);
            inEvent = false;
            written = true;
        }
        if (text == "BEGIN:VEVENT" && !zone && parseTimedLine(line)) out += kTokyo, zone = true;
        out.append(text).append("\r\n");  // CR LF whatever came (XML hands calendar data over with LF alone)
    }
    return out;
}

EventLines linesOfEvent(std::string_view ics, int firstSerial, int lastSerial) {
    EventLines result;
    const IcsCalendar calendar = readICalendar(ics);
    if (!calendar.problem.empty()) return {{}, false, {}, calendar.problem};
    if (calendar.events.empty()) return {{}, false, {}, "no event"};
    result.uid = calendar.events.front().uid;
    result.single = calendar.events.size() == 1 && calendar.events.front().rule.empty() &&
                    calendar.events.front().excluded.empty() && !calendar.events.front().hasRecurrenceId;
    for (const IcsOccurrence& o : icsOccurrences(calendar, firstSerial, lastSerial))
        result.lines.push_back({o.serial, utf8ToCp932(o.text)});
    if (result.lines.size() != 1) result.single = false;  // several days: not one line
    return result;
}

std::string uidForLine(int serial, std::string_view line, int sameBefore) {
    char text[64];
    std::snprintf(text, sizeof text, "%016llx-%d@tavo",
                  static_cast<unsigned long long>(fnv(line, fnv(dateOf(serial)))), sameBefore);
    return text;
}

}  // namespace tavo::sync
