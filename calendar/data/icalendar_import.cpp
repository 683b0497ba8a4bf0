#include "icalendar_import.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <map>
#include <set>

#include "section_file.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

constexpr int kJapan = 9 * 60;  // minutes east of UTC
constexpr int kLastSerialDay = 3652059;  // 9999-12-31

// --- Content lines ---

struct ContentLine {
    std::string name;
    std::map<std::string, std::string> parameters;  // names in capitals
    std::string value;
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Unfolded lines: a line that starts with a blank or a tab continues the one before.
std::vector<std::string> unfoldedLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty()) lines.back().append(line.substr(1));
        else if (!line.empty()) lines.emplace_back(line);
    }
    return lines;
}

// NAME;PARAM=VALUE;PARAM="VALUE":VALUE, quotes protecting ':' and ';'.
bool parseLine(const std::string& line, ContentLine& out) {
    std::size_t i = 0;
    while (i < line.size() && line[i] != ';' && line[i] != ':') ++i;
    if (i == 0 || i == line.size()) return false;
    out.name = upper(std::string_view(line).substr(0, i));
    out.parameters.clear();
    while (line[i] == ';') {
        const std::size_t eq = line.find('=', i);
        if (eq == std::string::npos) return false;
        const std::string name = upper(std::string_view(line).substr(i + 1, eq - i - 1));
        std::string value;
        std::size_t j = eq + 1;
        for (bool quoted = false; j < line.size() && (quoted || (line[j] != ';' && line[j] != ':')); ++j) {
            if (line[j] == '"') quoted = !quoted;
            else value += line[j];
        }
        if (j == line.size()) return false;
        out.parameters[name] = value;
        i = j;
    }
    out.value = line.substr(i + 1);
    return true;
}

std::string unescapeText(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' || next == 'N' ? '\n' : next;
    }
    return out;
}

// --- Dates and times ---

bool digits(std::string_view text, std::size_t at, std::size_t n, int& value) {
    if (at + n > text.size()) return false;
    const auto r = std::from_chars(text.data() + at, text.data() + at + n, value);
    return r.ec == std::errc() && r.ptr == text.data() + at + n;
}

// A DATE or DATE-TIME as written: local minutes (serial day * 1440 + minute),
// whether it is a whole day, whether it is in UTC ('Z').
struct Written {
    long minutes = 0;
    bool wholeDay = false, utc = false;
};

bool parseWritten(std::string_view value, Written& out) {
    int y = 0, m = 0, d = 0;
    if (!digits(value, 0, 4, y) || !digits(value, 4, 2, m) || !digits(value, 6, 2, d)) return false;
    if (y < 1583 || y > 9999 || m < 1 || m > 12 || d < 1 || d > monthLengthOf(y, m)) return false;
    out = {static_cast<long>(serialDayOf(y, m, d)) * 1440, value.size() == 8, false};
    if (out.wholeDay) return true;
    int hh = 0, mm = 0;
    if (value.size() < 15 || value[8] != 'T' || !digits(value, 9, 2, hh) || !digits(value, 11, 2, mm) || hh > 23 || mm > 59)
        return false;
    out.minutes += hh * 60 + mm;
    out.utc = value.size() > 15 && value[15] == 'Z';
    return true;
}

IcsMoment momentOfMinutes(long minutes) { return {static_cast<int>(minutes / 1440), static_cast<int>(minutes % 1440)}; }

// "P1D", "PT1H30M", "P2W": minutes, at most a year's.
long durationMinutes(std::string_view value) {
    constexpr long kYear = 366L * 1440;
    long total = 0, number = 0;
    for (char c : value) {
        if (c >= '0' && c <= '9') number = std::min(number * 10 + (c - '0'), kYear);
        else if (c == 'W') total += number * 7 * 1440, number = 0;
        else if (c == 'D') total += number * 1440, number = 0;
        else if (c == 'H') total += number * 60, number = 0;
        else if (c == 'M') total += number, number = 0;
        else if (c == 'S') number = 0;
        total = std::min(total, kYear);
    }
    return total;
}

IcsMoment plusMinutes(IcsMoment m, long minutes) {
    if (m.minute < 0) return {m.serial + static_cast<int>(minutes / 1440), -1};
    const long at = static_cast<long>(m.serial) * 1440 + m.minute + minutes;
    return {static_cast<int>(at / 1440), static_cast<int>(at % 1440)};
}

// --- Recurrence ---

struct Rule {
    char frequency = 0;  // D, W, M, Y
    int interval = 1, count = 0;
    int until = kLastSerialDay;  // the day of UNTIL as written
    Written untilWritten;        // to find the day in an event's own time
    bool hasUntil = false;
    std::vector<std::pair<int, int>> byDay;  // ordinal (0 every), weekday 0 Sunday
    std::vector<int> byMonthDay, byMonth, bySetPos;
};

std::vector<int> numbers(std::string_view list) {
    std::vector<int> out;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        int value = 0;
        const std::string_view piece = list.substr(0, comma);
        const bool negative = !piece.empty() && piece.front() == '-';
        const std::string_view magnitude = piece.substr(negative || (!piece.empty() && piece.front() == '+') ? 1 : 0);
        if (std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value).ec == std::errc())
            out.push_back(negative ? -value : value);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return out;
}

bool parseRule(std::string_view text, Rule& rule) {
    static const char* const kDays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    while (!text.empty()) {
        const std::size_t semi = text.find(';');
        const std::string_view part = text.substr(0, semi);
        text = semi == std::string_view::npos ? std::string_view() : text.substr(semi + 1);
        const std::size_t eq = part.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view name = part.substr(0, eq), value = part.substr(eq + 1);
        if (name == "FREQ") rule.frequency = value == "DAILY" ? 'D' : value == "WEEKLY" ? 'W' : value == "MONTHLY" ? 'M' : value == "YEARLY" ? 'Y' : 0;
        else if (name == "INTERVAL") rule.interval = std::max(1, numbers(value).empty() ? 1 : numbers(value).front());
        else if (name == "COUNT") rule.count = numbers(value).empty() ? 0 : numbers(value).front();
        else if (name == "UNTIL") {
            rule.hasUntil = parseWritten(value, rule.untilWritten);
            if (rule.hasUntil) rule.until = static_cast<int>(rule.untilWritten.minutes / 1440);
        } else if (name == "BYMONTHDAY") rule.byMonthDay = numbers(value);
        else if (name == "BYMONTH") rule.byMonth = numbers(value);
        else if (name == "BYSETPOS") rule.bySetPos = numbers(value);
        else if (name == "BYDAY") {
            for (std::string_view list = value; !list.empty();) {
                const std::size_t comma = list.find(',');
                const std::string_view piece = list.substr(0, comma);
                list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
                if (piece.size() < 2) continue;
                const std::string_view day = piece.substr(piece.size() - 2);
                const std::vector<int> ordinal = numbers(piece.substr(0, piece.size() - 2));
                for (int w = 0; w < 7; ++w)
                    if (day == kDays[w]) rule.byDay.emplace_back(ordinal.empty() ? 0 : ordinal.front(), w);
            }
        } else if (name == "BYYEARDAY" || name == "BYWEEKNO" || name == "BYHOUR" || name == "BYMINUTE") {
            return false;  // not in the subset: only the first day is taken
        }
    }
    return rule.frequency != 0;
}

bool inList(const std::vector<int>& list, int value) { return std::find(list.begin(), list.end(), value) != list.end(); }

// The days of a month that the rule picks, in order.
std::vector<int> monthDays(const Rule& rule, int year, int month, int startDay) {
    const int length = monthLengthOf(year, month);
    std::vector<int> days;
    for (int d = 1; d <= length; ++d) {
        bool picked;
        if (!rule.byMonthDay.empty()) {
            picked = inList(rule.byMonthDay, d) || inList(rule.byMonthDay, d - length - 1);
        } else if (!rule.byDay.empty()) {
            const int w = weekdayOf(year, month, d), nth = (d - 1) / 7 + 1, fromEnd = -((length - d) / 7 + 1);
            picked = std::any_of(rule.byDay.begin(), rule.byDay.end(), [&](const auto& b) {
                return b.second == w && (b.first == 0 || b.first == nth || b.first == fromEnd);
            });
        } else {
            picked = d == startDay;
        }
        if (picked) days.push_back(d);
    }
    if (rule.bySetPos.empty()) return days;
    std::vector<int> set;
    for (int p : rule.bySetPos) {
        const int i = p > 0 ? p - 1 : static_cast<int>(days.size()) + p;
        if (i >= 0 && i < static_cast<int>(days.size())) set.push_back(days[static_cast<std::size_t>(i)]);
    }
    std::sort(set.begin(), set.end());
    return set;
}

// The candidate days of one period of the rule (a day, a week, a month or a year).
std::vector<int> periodDays(const Rule& rule, int periodStart, int startSerial) {
    int y, m, d, sy, sm, sd;
    civilFromSerial(periodStart, y, m, d);
    civilFromSerial(startSerial, sy, sm, sd);
    std::vector<int> out;
    const auto monthOk = [&](int month) { return rule.byMonth.empty() || inList(rule.byMonth, month); };
    switch (rule.frequency) {
        case 'D': {
            const int w = weekdayOf(y, m, d);
            const bool dayOk = rule.byDay.empty() ||
                               std::any_of(rule.byDay.begin(), rule.byDay.end(), [&](const auto& b) { return b.second == w; });
            if (monthOk(m) && dayOk && (rule.byMonthDay.empty() || inList(rule.byMonthDay, d))) out.push_back(periodStart);
            break;
        }
        case 'W':
            for (int i = 0; i < 7; ++i) {
                const int serial = periodStart + i;
                civilFromSerial(serial, y, m, d);
                const int w = weekdayOf(y, m, d);
                const bool dayOk = rule.byDay.empty() ? w == weekdayOf(sy, sm, sd)
                                                      : std::any_of(rule.byDay.begin(), rule.byDay.end(),
                                                                    [&](const auto& b) { return b.second == w; });
                if (dayOk && monthOk(m)) out.push_back(serial);
            }
            break;
        case 'M':
            if (monthOk(m))
                for (int day : monthDays(rule, y, m, sd)) out.push_back(serialDayOf(y, m, day));
            break;
        default:
            for (int month = 1; month <= 12; ++month)
                if (rule.byMonth.empty() ? month == sm : inList(rule.byMonth, month))
                    for (int day : monthDays(rule, y, month, sd)) out.push_back(serialDayOf(y, month, day));
    }
    return out;
}

int nextPeriod(const Rule& rule, int periodStart) {
    int y, m, d;
    civilFromSerial(periodStart, y, m, d);
    switch (rule.frequency) {
        case 'D': return periodStart + rule.interval;
        case 'W': return periodStart + 7 * rule.interval;
        case 'M': {
            const int months = (y * 12 + m - 1) + rule.interval;
            return months / 12 > 9999 ? kLastSerialDay + 1 : serialDayOf(months / 12, months % 12 + 1, 1);
        }
        default: return y + rule.interval > 9999 ? kLastSerialDay + 1 : serialDayOf(y + rule.interval, 1, 1);
    }
}

int firstPeriod(const Rule& rule, int start) {
    int y, m, d;
    civilFromSerial(start, y, m, d);
    switch (rule.frequency) {
        case 'W': return start - (weekdayOf(y, m, d) + 6) % 7;  // weeks start on Monday
        case 'M': return serialDayOf(y, m, 1);
        case 'Y': return serialDayOf(y, 1, 1);
        default: return start;
    }
}

// --- Time zones ---

// Where the times of an event are: a zone of the file, or a fixed offset.
struct Frame {
    const IcsZone* zone = nullptr;
    int offset = kJapan;  // minutes east of UTC, without a zone
};

// The onsets of an observance, in local minutes, that may be the latest before a moment of year.
std::vector<long> onsetsNear(const IcsObservance& o, int year) {
    std::vector<long> onsets = o.dates;
    onsets.push_back(o.onset);
    Rule rule;
    if (o.rule.empty() || !parseRule(o.rule, rule) || rule.frequency != 'Y') return onsets;
    int sy, sm, sd;
    civilFromSerial(static_cast<int>(o.onset / 1440), sy, sm, sd);
    const long minute = o.onset % 1440;
    for (int y = std::max(year - 1, sy); y <= year && y <= 9999; ++y)
        for (int month = 1; month <= 12; ++month) {
            if (rule.byMonth.empty() ? month != sm : !inList(rule.byMonth, month)) continue;
            for (int day : monthDays(rule, y, month, sd)) {
                const long at = static_cast<long>(serialDayOf(y, month, day)) * 1440 + minute;
                if (at > o.onset && at / 1440 <= rule.until) onsets.push_back(at);
            }
        }
    return onsets;
}

// The zone's offset at a moment: that of the latest onset before it, or
// before every onset the offset the first one changes from.
int offsetAt(const IcsZone& zone, long utc) {
    int y, m, d;
    civilFromSerial(static_cast<int>(utc / 1440), y, m, d);
    long latest = std::numeric_limits<long>::min(), earliest = std::numeric_limits<long>::max();
    int offset = kJapan, before = kJapan;
    for (const IcsObservance& o : zone.observances)
        for (long onset : onsetsNear(o, y)) {
            const long at = onset - o.offsetFrom;
            if (at <= utc && at > latest) latest = at, offset = o.offsetTo;
            if (at < earliest) earliest = at, before = o.offsetFrom;
        }
    return latest == std::numeric_limits<long>::min() ? before : offset;
}

// A local time in UTC. Of a time the clocks pass twice, the first; a time
// they skip is read with the offset before the change.
long utcOfLocal(const IcsZone& zone, long local) {
    std::set<int> offsets;
    for (const IcsObservance& o : zone.observances) offsets.insert({o.offsetFrom, o.offsetTo});
    if (offsets.empty()) return local - kJapan;
    for (auto o = offsets.rbegin(); o != offsets.rend(); ++o)  // the largest offset gives the earliest moment
        if (offsetAt(zone, local - *o) == *o) return local - *o;
    return local - offsetAt(zone, local - *offsets.rbegin());
}

long utcOf(const Frame& frame, long local) { return frame.zone ? utcOfLocal(*frame.zone, local) : local - frame.offset; }
long localOf(const Frame& frame, long utc) { return utc + (frame.zone ? offsetAt(*frame.zone, utc) : frame.offset); }

Frame frameOf(const IcsCalendar& calendar, int zone) {
    if (zone == kIcsUniversalTime) return {nullptr, 0};
    if (zone >= 0 && zone < static_cast<int>(calendar.zones.size())) return {&calendar.zones[static_cast<std::size_t>(zone)], 0};
    return {nullptr, kJapan};
}

// A written time in Japan time; a whole day stays the day it names.
IcsMoment japanMoment(const Written& w, const Frame& frame) {
    if (w.wholeDay) return {static_cast<int>(w.minutes / 1440), -1};
    return momentOfMinutes((w.utc ? w.minutes : utcOf(frame, w.minutes)) + kJapan);
}

int offsetMinutes(std::string_view value) {
    int hh = 0, mm = 0;
    if (value.size() < 5 || !digits(value, 1, 2, hh) || !digits(value, 3, 2, mm)) return 0;
    return (value[0] == '-' ? -1 : 1) * (hh * 60 + mm);
}

// --- Components ---

// Real zones list a few dozen changes at most; more would only make every
// time of the file slow to place.
constexpr std::size_t kMostObservances = 100;

struct Reader {
    std::map<std::string, int> zoneIds;  // TZID -> index of calendar.zones, or kIcsJapanTime
    IcsCalendar calendar;

    void readZones(const std::vector<std::string>& lines) {
        std::string tzid;
        IcsZone zone;
        IcsObservance observance;
        ContentLine line;
        for (const std::string& text : lines) {
            if (!parseLine(text, line)) continue;
            const std::string value = upper(line.value);
            Written w;
            if (line.name == "BEGIN" && value == "VTIMEZONE") tzid.clear(), zone = IcsZone{};
            else if (line.name == "TZID") tzid = line.value;
            else if (line.name == "BEGIN" && (value == "STANDARD" || value == "DAYLIGHT")) observance = IcsObservance{};
            else if (line.name == "DTSTART" && parseWritten(line.value, w)) observance.onset = w.minutes;
            else if (line.name == "TZOFFSETFROM") observance.offsetFrom = offsetMinutes(line.value);
            else if (line.name == "TZOFFSETTO") observance.offsetTo = offsetMinutes(line.value);
            else if (line.name == "RRULE") observance.rule = upper(line.value);
            else if (line.name == "RDATE") addDates(line.value, observance.dates);
            else if (line.name == "END" && (value == "STANDARD" || value == "DAYLIGHT") && zone.observances.size() < kMostObservances)
                zone.observances.push_back(observance);
            else if (line.name == "END" && value == "VTIMEZONE" && !tzid.empty() && !zoneIds.count(tzid)) {
                zoneIds[tzid] = static_cast<int>(calendar.zones.size());
                calendar.zones.push_back(std::move(zone));
            }
        }
        for (const char* japan : {"Asia/Tokyo", "Tokyo Standard Time"}) zoneIds[japan] = kIcsJapanTime;
    }

    static void addDates(std::string_view list, std::vector<long>& dates) {
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            Written w;
            if (dates.size() < kMostObservances && parseWritten(list.substr(0, comma), w)) dates.push_back(w.minutes);
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
    }

    // The zone a time is written in: its TZID's, Japan's for a floating time
    // or a zone the file does not describe.
    int zoneOf(const ContentLine& line) const {
        const auto tzid = line.parameters.find("TZID");
        if (tzid == line.parameters.end()) return kIcsJapanTime;
        const auto id = zoneIds.find(tzid->second);
        return id != zoneIds.end() ? id->second : kIcsJapanTime;
    }

    bool moment(const ContentLine& line, std::string_view value, IcsMoment& out) const {
        Written w;
        if (!parseWritten(value, w)) return false;
        out = japanMoment(w, frameOf(calendar, zoneOf(line)));
        return true;
    }

    void take(IcsEvent& e, const ContentLine& line) {
        IcsMoment at;
        Written w;
        if (line.name == "UID") e.uid = line.value;
        else if (line.name == "SUMMARY") e.summary = unescapeText(line.value);
        else if (line.name == "DESCRIPTION") e.description = unescapeText(line.value);
        else if (line.name == "RRULE") e.rule = upper(line.value);
        else if (line.name == "STATUS") e.cancelled = upper(line.value) == "CANCELLED";
        else if (line.name == "DTSTART" && parseWritten(line.value, w)) {
            e.zone = w.utc ? kIcsUniversalTime : zoneOf(line);
            e.wallStart = w.wholeDay ? IcsMoment{static_cast<int>(w.minutes / 1440), -1} : momentOfMinutes(w.minutes);
            e.start = japanMoment(w, frameOf(calendar, e.zone));
        } else if (line.name == "DTEND" && moment(line, line.value, at)) e.end = at;
        else if (line.name == "DURATION") e.end = plusMinutes(e.start, durationMinutes(line.value));
        else if (line.name == "RECURRENCE-ID" && moment(line, line.value, at)) {
            e.recurrenceId = at;
            e.hasRecurrenceId = true;
        } else if (line.name == "EXDATE") {
            std::string_view list = line.value;
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                if (moment(line, list.substr(0, comma), at)) e.excluded.push_back(at);
                list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
            }
        }
    }
    void readEvents(const std::vector<std::string>& lines) {
        ContentLine line;
        IcsEvent event;
        bool inEvent = false, sawCalendar = false;
        for (const std::string& text : lines) {
            if (!parseLine(text, line)) {
                calendar.problem = "a line that is not NAME:VALUE: " + text.substr(0, 60);
                return;
            }
            if (line.name == "BEGIN" && upper(line.value) == "VCALENDAR") sawCalendar = true;
            if (line.name == "BEGIN" && upper(line.value) == "VEVENT") {
                event = IcsEvent{};
                inEvent = true;
            } else if (line.name == "END" && upper(line.value) == "VEVENT") {
                if (event.start.serial > 0) calendar.events.push_back(event);
                inEvent = false;
            } else if (inEvent) {
                take(event, line);
            }
        }
        if (!sawCalendar) calendar.problem = "no VCALENDAR";
    }
};

// Days of the event's occurrences up to lastSerial, in its own time: a
// series repeats on the days and at the wall-clock time of its zone.
std::vector<int> occurrenceDays(const IcsEvent& e, const Frame& frame, int lastSerial) {
    Rule rule;
    if (e.rule.empty() || !parseRule(e.rule, rule)) return {e.wallStart.serial};
    if (rule.hasUntil && rule.untilWritten.utc && e.wallStart.minute >= 0)
        rule.until = static_cast<int>(localOf(frame, rule.untilWritten.minutes) / 1440);
    std::vector<int> days;
    int counted = 0;
    const int end = std::min(rule.until, lastSerial);
    for (int period = firstPeriod(rule, e.wallStart.serial); period <= end; period = nextPeriod(rule, period)) {
        for (int serial : periodDays(rule, period, e.wallStart.serial)) {
            if (serial < e.wallStart.serial) continue;
            if (serial > end || (rule.count > 0 && counted >= rule.count)) return days;
            ++counted;
            days.push_back(serial);
        }
        if (rule.count > 0 && counted >= rule.count) break;
    }
    return days;
}

// An occurrence on a day of the event's own time, in Japan time.
IcsMoment occurrenceStart(const IcsEvent& e, const Frame& frame, int day) {
    if (e.wallStart.minute < 0) return {day, -1};
    return momentOfMinutes(utcOf(frame, static_cast<long>(day) * 1440 + e.wallStart.minute) + kJapan);
}

std::string clock(int minute) {
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
    return text;
}

// Tavo's own schedules carry their whole text in the description, first line
// first: a schedule of several lines comes back whole.
bool wholeTextInDescription(const IcsEvent& e) {
    const bool own = e.uid.size() > 5 && e.uid.compare(e.uid.size() - 5, 5, "@tavo") == 0;
    return own && e.description.size() > e.summary.size() && e.description.rfind(e.summary + "\n", 0) == 0;
}

std::string occurrenceText(const IcsEvent& e, const IcsMoment& start) {
    if (start.minute < 0) return wholeTextInDescription(e) ? e.description : e.summary;
    const long length = e.end.serial > 0 && e.end.minute >= 0
                            ? (static_cast<long>(e.end.serial) * 1440 + e.end.minute) -
                                  (static_cast<long>(e.start.serial) * 1440 + e.start.minute)
                            : 0;
    std::string text = clock(start.minute);
    // U+FF5E, which Shift-JIS holds (an en dash it does not); the literal is spelled in UTF-8.
    if (length > 0) text.append("\xEF\xBD\x9E").append(clock(static_cast<int>((start.minute + length) % 1440)));
    return text + " " + e.summary;
}

// An all-day event of several days is on each of them.
int dayCount(const IcsEvent& e) {
    if (e.start.minute >= 0 || e.end.serial <= e.start.serial) return 1;
    return std::min(e.end.serial - e.start.serial, 366);
}

// Adds the characters of a UTF-8 text that do not come back from code page 932 unchanged (each once).
void collectUnstorable(std::string_view utf8, std::string& out) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view one = utf8.substr(i, n);
        if (one != "\n" && cp932ToUtf8(utf8ToCp932(one)) != one && out.find(one) == std::string::npos) out.append(one);
        i += n;
    }
}

bool excluded(const IcsEvent& e, int serial) {
    return std::any_of(e.excluded.begin(), e.excluded.end(), [&](const IcsMoment& m) { return m.serial == serial; });
}

// A line as the file will hold it (a leading ':' made full-width, a lone CR
// or LF a line end): what is compared with the lines already there.
std::vector<std::string> storedLines(const std::string& line) {
    std::vector<std::string> out;
    const std::string body = sectionBody(line);
    for (std::string_view l : fileLines(body)) out.emplace_back(lineContent(l));
    return out;
}

// The day's section with the lines it lacks; false when it had them all.
bool addLines(std::string& content, int day, const std::vector<std::string>& lines, int& added) {
    std::string text = readSection(content, day);
    std::set<std::string> present;
    for (std::string_view l : fileLines(text)) present.insert(std::string(lineContent(l)));
    const int before = added;
    for (const std::string& line : lines)
        for (const std::string& stored : storedLines(line))
            if (!stored.empty() && present.insert(stored).second) {
                if (!text.empty() && text.back() != '\n') text += "\r\n";
                text += stored + "\r\n";
                ++added;
            }
    if (added == before) return false;
    content = replaceSection(content, day, sectionBody(text));
    return true;
}

}  // namespace

IcsCalendar readICalendar(std::string_view text) {
    Reader reader;
    const std::vector<std::string> lines = unfoldedLines(text);
    reader.readZones(lines);
    reader.readEvents(lines);
    return std::move(reader.calendar);
}

std::vector<IcsOccurrence> icsOccurrences(const IcsCalendar& calendar, int firstSerial, int lastSerial,
                                          const IcsProgress& progress) {
    // Overrides replace the occurrence of their master on the day they name.
    std::set<std::pair<std::string, int>> overridden;
    for (const IcsEvent& e : calendar.events)
        if (e.hasRecurrenceId) overridden.insert({e.uid, e.recurrenceId.serial});
    std::vector<std::pair<IcsOccurrence, int>> found;  // with the start minute for the order
    const int events = static_cast<int>(calendar.events.size());
    for (int index = 0; index < events; ++index) {
        if (progress && !progress(index, events)) return {};
        const IcsEvent& e = calendar.events[static_cast<std::size_t>(index)];
        if (e.cancelled) continue;
        const Frame frame = frameOf(calendar, e.zone);
        std::vector<IcsMoment> starts;
        if (e.hasRecurrenceId) starts.push_back(e.start);
        else
            for (int day : occurrenceDays(e, frame, lastSerial + 1)) starts.push_back(occurrenceStart(e, frame, day));
        for (const IcsMoment& start : starts) {
            const int serial = start.serial;
            if (excluded(e, serial) || (!e.hasRecurrenceId && overridden.count({e.uid, serial}))) continue;
            for (int i = 0; i < dayCount(e); ++i)
                if (serial + i >= firstSerial && serial + i <= lastSerial)
                    found.push_back({{serial + i, occurrenceText(e, start)}, start.minute});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.serial != b.first.serial ? a.first.serial < b.first.serial : a.second < b.second;
    });
    std::vector<IcsOccurrence> out;
    for (auto& f : found) out.push_back(std::move(f.first));
    return out;
}

IcsImport importICalendar(FileSystem& files, const PathSettings& paths, const IcsCalendar& calendar, int firstSerial,
                          int lastSerial, const IcsProgress& progress) {
    IcsImport result;
    bool going = true;
    const IcsProgress watched = [&](int done, int total) { return going = !progress || progress(done, total); };
    const std::vector<IcsOccurrence> occurrences = icsOccurrences(calendar, firstSerial, lastSerial, watched);
    if (!going) {
        result.stopped = true;
        return result;
    }
    result.occurrences = static_cast<int>(occurrences.size());
    std::map<int, std::map<int, std::vector<std::string>>> byMonth;  // year*12+month -> day -> CP932 lines
    for (const IcsOccurrence& o : occurrences) {
        collectUnstorable(o.text, result.unstorable);
        int y, m, d;
        civilFromSerial(o.serial, y, m, d);
        for (std::string_view text = o.text; !text.empty();) {  // a text of several lines is several lines
            const std::size_t end = text.find('\n');
            std::string line = utf8ToCp932(text.substr(0, end));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) byMonth[y * 12 + m - 1][d].push_back(line);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        }
    }
    if (!result.unstorable.empty()) return result;
    // Every file is read whole and changed in memory first; then written, and
    // when a write fails the files written before it get their old content back.
    struct Change {
        std::string path, before, after;
        bool existed;
    };
    std::vector<Change> changes;
    for (const auto& [months, days] : byMonth) {
        const std::string path = scheduleFile(paths, kScheduleDay, months / 12, months % 12 + 1);
        const FileContent file = files.readFile(path);
        if (!readWhole(file)) {
            result.saved = {false, path + ": " + file.problem};
            return result;
        }
        Change change{path, file.content, file.content, !file.missing};
        for (const auto& [day, lines] : days)
            if (addLines(change.after, day, lines, result.added)) ++result.days;
        if (change.after != change.before) changes.push_back(std::move(change));
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (files.replaceFile(changes[i].path, changes[i].after)) continue;
        for (std::size_t j = 0; j < i; ++j)
            changes[j].existed ? files.replaceFile(changes[j].path, changes[j].before) : files.removeFile(changes[j].path);
        result.saved = {false, changes[i].path + ": " + kProblemNotSaved};
        result.added = result.days = 0;
        return result;
    }
    result.saved.saved = true;
    return result;
}

}  // namespace tavo
