#include "line_events.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <span>

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

// The characters of a UTF-8 text with what each is in Shift-JIS (a stand-in for one it cannot hold).
struct Unit {
    std::string_view utf8;
    std::string cp932;
};
std::vector<Unit> unitsOf(std::string_view utf8) {
    std::vector<Unit> units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = std::min(utf8.size() - i, std::size_t{lead < 0x80 ? 1u : lead < 0xE0 ? 2u : lead < 0xF0 ? 3u : 4u});
        units.push_back({utf8.substr(i, n), utf8ToCp932(utf8.substr(i, n))});
        i += n;
    }
    return units;
}

// Where characters of a Shift-JIS text begin (a trail byte may look like ASCII).
std::vector<bool> characterStarts(std::string_view cp932) {
    std::vector<bool> starts(cp932.size() + 1, false);
    for (std::size_t i = 0; i < cp932.size(); i += isCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1) starts[i] = true;
    starts[cp932.size()] = true;
    return starts;
}

// The text edited in Tavo (Shift-JIS) as UTF-8, the characters Shift-JIS
// cannot hold taken from the text it was made from where the edit left them:
// a phone's emoji stays when a time or another word is edited.
std::string keepingWhatShiftJisLacks(std::string_view before, std::string_view edited) {
    const std::vector<Unit> units = unitsOf(before);
    const std::vector<bool> starts = characterStarts(edited);
    std::size_t head = 0, at = 0, tail = 0, end = edited.size();
    while (head < units.size() && edited.substr(at).starts_with(units[head].cp932) && !units[head].cp932.empty())
        at += units[head++].cp932.size();
    while (tail < units.size() - head) {
        const std::string& cp = units[units.size() - 1 - tail].cp932;
        if (cp.empty() || end - at < cp.size() || edited.substr(end - cp.size(), cp.size()) != cp || !starts[end - cp.size()]) break;
        end -= cp.size(), ++tail;
    }
    std::string out;
    for (std::size_t i = 0; i < head; ++i) out += units[i].utf8;
    out += cp932ToUtf8(edited.substr(at, end - at));
    for (std::size_t i = units.size() - tail; i < units.size(); ++i) out += units[i].utf8;
    return out;
}

// DTSTART, DTEND and SUMMARY of a line, as content lines; `before`: the summary it replaces (UTF-8).
std::string timesAndSummary(int serial, std::string_view line, std::string_view before = {}) {
    const std::optional<TimedLine> timed = parseTimedLine(line);
    std::string out;
    if (!timed) {
        out += icsLine("DTSTART;VALUE=DATE:" + dateOf(serial));
        out += icsLine("DTEND;VALUE=DATE:" + dateOf(serial + 1));
        return out + icsLine("SUMMARY:" + icsText(keepingWhatShiftJisLacks(before, line)));
    }
    out += icsLine("DTSTART;TZID=Asia/Tokyo:" + dateOf(serial) + timeOf(timed->start));
    if (timed->end >= 0) out += icsLine("DTEND;TZID=Asia/Tokyo:" + dateOf(timed->endsNextDay ? serial + 1 : serial) + timeOf(timed->end));
    return out + icsLine("SUMMARY:" + icsText(keepingWhatShiftJisLacks(before, timed->title)));
}

const char kTokyo[] =
    "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\nTZNAME:JST\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

bool named(std::string_view line, std::string_view name) {
    return line.size() > name.size() && line.compare(0, name.size(), name) == 0 &&
           (line[name.size()] == ':' || line[name.size()] == ';');
}

bool namedAny(std::string_view line, std::span<const std::string_view> names) {
    for (std::string_view name : names)
        if (named(line, name)) return true;
    return false;
}

// A content line as written: its physical lines (folded ones too) and the first of them.
struct Item {
    std::string_view raw;   // with line ends
    std::string_view head;  // the first physical line without its end
};

std::vector<Item> itemsOf(std::string_view ics) {
    std::vector<Item> items;
    for (std::string_view rest = ics; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        const std::string_view raw = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(raw.size());
        const std::string_view text = raw.substr(0, raw.find_first_of("\r\n"));
        const bool continuation = !text.empty() && (text[0] == ' ' || text[0] == '\t');
        if (continuation && !items.empty()) items.back().raw = {items.back().raw.data(), items.back().raw.size() + raw.size()};
        else if (!text.empty()) items.push_back({raw, text});
    }
    return items;
}

// CR LF whatever came (XML hands calendar data over with LF alone).
void append(std::string& out, const Item& item) {
    for (std::string_view raw = item.raw; !raw.empty();) {
        const std::size_t end = raw.find('\n');
        const std::string_view physical = raw.substr(0, end);
        out.append(physical.substr(0, physical.find('\r'))).append("\r\n");
        raw.remove_prefix(end == std::string_view::npos ? raw.size() : end + 1);
    }
}

std::string unfolded(const Item& item) {
    std::string out;
    append(out, item);
    std::string joined;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (out.compare(i, 3, "\r\n ") == 0 || out.compare(i, 3, "\r\n\t") == 0) i += 2;
        else if (out.compare(i, 2, "\r\n") != 0) joined += out[i];
        else ++i;
    return joined;
}

struct Block {
    std::size_t begin, end;  // items of one VEVENT, END:VEVENT included
};

std::vector<Block> eventsOf(const std::vector<Item>& items) {
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].head == "BEGIN:VEVENT")
            for (std::size_t j = i + 1; j < items.size(); ++j)
                if (items[j].head == "END:VEVENT") {
                    blocks.push_back({i, j});
                    i = j;
                    break;
                }
    return blocks;
}

// One event's items: those named in `dropped` left out of its own properties
// (an alarm inside keeps its own), `extra` and the line's times and summary
// (when there is a line) written before its end.
void appendEvent(std::string& out, const std::vector<Item>& items, Block block, std::span<const std::string_view> dropped,
                 const std::string& extra, int serial, const std::optional<std::string>& line, std::string_view before = {}) {
    int depth = 0;
    for (std::size_t i = block.begin; i <= block.end; ++i) {
        const std::string_view head = items[i].head;
        if (head.starts_with("END:")) --depth;
        if (depth == 0 && head == "END:VEVENT") out += extra + (line ? timesAndSummary(serial, *line, before) : std::string());
        if (depth == 1 && namedAny(head, dropped)) continue;
        append(out, items[i]);
        if (head.starts_with("BEGIN:")) ++depth;
    }
}

constexpr std::string_view kTimesAndSummary[] = {"DTSTART", "DTEND", "DURATION", "SUMMARY"};

bool hasTokyo(const std::vector<Item>& items) {
    return std::any_of(items.begin(), items.end(), [](const Item& i) { return named(i.head, "TZID") && i.head.find("Asia/Tokyo") != std::string_view::npos; });
}

// A series as written: its main event and its overrides, by the day (JST)
// of the occurrence each replaces.
struct Series {
    std::optional<Block> main;
    std::map<int, Block> overrides;
    std::map<int, std::string> overrideSummaries;  // UTF-8
    std::string startPrefix, startValue;  // the main event's DTSTART: ";TZID=..." and its value
    IcsCalendar calendar;                 // the main event alone, with the zones
};

void readMainStart(Series& s, const std::vector<Item>& items, Block b) {
    for (std::size_t i = b.begin; i <= b.end; ++i)
        if (named(items[i].head, "DTSTART")) {
            const std::string line = unfolded(items[i]);
            const std::size_t colon = line.rfind(':');
            s.startPrefix = line.substr(7, colon - 7);
            s.startValue = line.substr(colon + 1);
        }
}

Series seriesOf(const std::vector<Item>& items) {
    Series s;
    std::string zones;
    bool inZone = false;
    for (const Item& i : items) {
        inZone = inZone || i.head == "BEGIN:VTIMEZONE";
        if (inZone) append(zones, i);
        inZone = inZone && i.head != "END:VTIMEZONE";
    }
    for (const Block& b : eventsOf(items)) {
        std::string text = "BEGIN:VCALENDAR\r\n" + zones;
        for (std::size_t i = b.begin; i <= b.end; ++i) append(text, items[i]);
        IcsCalendar one = readICalendar(text + "END:VCALENDAR\r\n");
        if (one.events.size() != 1) continue;
        if (one.events.front().hasRecurrenceId) {
            s.overrides[one.events.front().recurrenceId.serial] = b;
            s.overrideSummaries[one.events.front().recurrenceId.serial] = one.events.front().summary;
        } else if (!s.main) {
            s.main = b;
            s.calendar = std::move(one);
            readMainStart(s, items, b);
        }
    }
    return s;
}

// The start of the occurrence that began on `day` (JST), written as the main event's DTSTART is.
std::string occurrenceValue(const Series& s, int day) {
    if (s.startValue.size() <= 8) return dateOf(day);
    const std::string time = s.startValue.substr(8);
    const IcsEvent& e = s.calendar.events.front();
    const ics::Frame frame = ics::frameOf(s.calendar, e.zone);
    for (int own = day - 1; own <= day + 1; ++own)
        if (ics::momentOfMinutes(ics::utcOf(frame, minutesAt(own, e.wallStart.minute)) + ics::kJapan).serial == day)
            return dateOf(own) + time;
    return dateOf(day) + time;
}

constexpr std::string_view kSeriesOnly[] = {"RRULE", "RDATE", "EXDATE", "EXRULE", "DTSTART", "DTEND",
                                                                 "DURATION", "SUMMARY", "RECURRENCE-ID"};

const OccurrenceChange* changeOf(const std::vector<OccurrenceChange>& changes, int occurrence) {
    for (const OccurrenceChange& c : changes)
        if (c.occurrence == occurrence) return &c;
    return nullptr;
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
    const std::vector<Item> items = itemsOf(ics);
    const std::vector<Block> events = eventsOf(items);
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (events.empty() || i != events.front().begin) {
            append(out, items[i]);
            continue;
        }
        if (parseTimedLine(line) && !hasTokyo(items)) out += kTokyo;
        const IcsCalendar was = readICalendar(ics);
        appendEvent(out, items, events.front(), kTimesAndSummary, {}, serial, std::string(line),
                    was.events.empty() ? std::string_view() : std::string_view(was.events.front().summary));
        i = events.front().end;
    }
    return out;
}

std::string withOccurrences(std::string_view ics, const std::vector<OccurrenceChange>& changes) {
    const std::vector<Item> items = itemsOf(ics);
    const Series s = seriesOf(items);
    if (!s.main) return std::string(ics);
    std::string exdates, added;
    bool timed = false;
    for (const OccurrenceChange& c : changes) {
        const std::string id = s.startPrefix + ":" + occurrenceValue(s, c.occurrence);
        if (!c.line) exdates += icsLine("EXDATE" + id);
        else if (!s.overrides.count(c.occurrence))
            appendEvent(added, items, *s.main, kSeriesOnly, icsLine("RECURRENCE-ID" + id), c.serial, c.line,
                        s.calendar.events.front().summary);
        timed = timed || (c.line && parseTimedLine(*c.line));
    }
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == s.main->begin) {
            if (timed && !hasTokyo(items)) out += kTokyo;
            appendEvent(out, items, *s.main, {}, exdates, 0, std::nullopt);
            out += added;
            i = s.main->end;
            continue;
        }
        const auto over = std::find_if(s.overrides.begin(), s.overrides.end(), [&](const auto& o) { return o.second.begin == i; });
        if (over == s.overrides.end()) {
            append(out, items[i]);
            continue;
        }
        const OccurrenceChange* c = changeOf(changes, over->first);
        if (!c) appendEvent(out, items, over->second, {}, {}, 0, std::nullopt);
        else if (c->line) appendEvent(out, items, over->second, kTimesAndSummary, {}, c->serial, c->line, s.overrideSummaries.at(over->first));
        i = over->second.end;
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
        result.lines.push_back({o.serial, utf8ToCp932(o.text), o.original});
    if (result.lines.size() != 1) result.single = false;  // several days: not one line
    if (result.single) result.lines.front().occurrence = 0;
    return result;
}

std::string uidForLine(int serial, std::string_view line, int sameBefore) {
    char text[64];
    std::snprintf(text, sizeof text, "%016llx-%d@tavo",
                  static_cast<unsigned long long>(fnv(line, fnv(dateOf(serial)))), sameBefore);
    return text;
}

}  // namespace tavo::sync
