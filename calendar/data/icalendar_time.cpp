// Times as iCalendar writes them: dates and times, durations, recurrence
// rules, and the offsets of time zones with their summer time.
#include <algorithm>
#include <charconv>
#include <limits>
#include <set>

#include "icalendar_parts.h"
#include "shared/date_math.h"

namespace tavo::ics {


bool digits(std::string_view text, std::size_t at, std::size_t n, int& value) {
    if (at + n > text.size()) return false;
    const auto r = std::from_chars(text.data() + at, text.data() + at + n, value);
    return r.ec == std::errc() && r.ptr == text.data() + at + n;
}

bool parseWritten(std::string_view value, Written& out) {
    int y = 0, m = 0, d = 0;
    if (!digits(value, 0, 4, y) || !digits(value, 4, 2, m) || !digits(value, 6, 2, d)) return false;
    if (y < 1583 || y > 9999 || m < 1 || m > 12 || d < 1 || d > monthLengthOf(y, m)) return false;
    out = {minutesAt(serialDayOf(y, m, d)), value.size() == 8, false};
    if (out.wholeDay) return true;
    int hh = 0, mm = 0;
    if (value.size() < 15 || value[8] != 'T' || !digits(value, 9, 2, hh) || !digits(value, 11, 2, mm) || hh > 23 || mm > 59)
        return false;
    out.minutes += hh * 60 + mm;
    out.utc = value.size() > 15 && value[15] == 'Z';
    return true;
}

IcsMoment momentOfMinutes(Minutes minutes) { return {serialDayAt(minutes), minuteOfDayAt(minutes)}; }

Minutes durationMinutes(std::string_view value) {
    constexpr Minutes kYear = 366 * kMinutesPerDay;
    Minutes total = 0, number = 0;
    for (char c : value) {
        if (c >= '0' && c <= '9') number = std::min(number * 10 + (c - '0'), kYear);
        else if (c == 'W') total += number * 7 * kMinutesPerDay, number = 0;
        else if (c == 'D') total += number * kMinutesPerDay, number = 0;
        else if (c == 'H') total += number * 60, number = 0;
        else if (c == 'M') total += number, number = 0;
        else if (c == 'S') number = 0;
        total = std::min(total, kYear);
    }
    return total;
}

IcsMoment plusMinutes(IcsMoment m, Minutes minutes) {
    if (m.minute < 0) return {m.serial + serialDayAt(minutes), -1};
    return momentOfMinutes(minutesAt(m.serial, m.minute) + minutes);
}

// --- Recurrence rules as written (RRULE) ---



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

bool parseRule(std::string_view text, IcsRule& written) {
    RecurrenceRule& rule = written.rule;
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
            rule.hasUntil = parseWritten(value, written.until);
            if (rule.hasUntil) rule.until = serialDayAt(written.until.minutes);
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

// --- Time zones ---

namespace {

// The onsets of an observance, in local minutes, that may be the latest before a moment of year.
std::vector<Minutes> onsetsNear(const IcsObservance& o, int year) {
    std::vector<Minutes> onsets = o.dates;
    onsets.push_back(o.onset);
    IcsRule written;
    const RecurrenceRule& rule = written.rule;
    if (o.rule.empty() || !parseRule(o.rule, written) || rule.frequency != 'Y') return onsets;
    int sy, sm, sd;
    civilFromSerial(serialDayAt(o.onset), sy, sm, sd);
    const Minutes minute = minuteOfDayAt(o.onset);
    for (int y = std::max(year - 1, sy); y <= year && y <= 9999; ++y)
        for (int month = 1; month <= 12; ++month) {
            if (rule.byMonth.empty() ? month != sm : !inList(rule.byMonth, month)) continue;
            for (int day : monthDays(rule, y, month, sd)) {
                const Minutes at = minutesAt(serialDayOf(y, month, day)) + minute;
                if (at > o.onset && serialDayAt(at) <= rule.until) onsets.push_back(at);
            }
        }
    return onsets;
}

// The zone's offset at a moment: that of the latest onset before it, or
// before every onset the offset the first one changes from.
int offsetAt(const IcsZone& zone, Minutes utc) {
    int y, m, d;
    civilFromSerial(serialDayAt(utc), y, m, d);
    Minutes latest = std::numeric_limits<Minutes>::min(), earliest = std::numeric_limits<Minutes>::max();
    int offset = kJapan, before = kJapan;
    for (const IcsObservance& o : zone.observances)
        for (Minutes onset : onsetsNear(o, y)) {
            const Minutes at = onset - o.offsetFrom;
            if (at <= utc && at > latest) latest = at, offset = o.offsetTo;
            if (at < earliest) earliest = at, before = o.offsetFrom;
        }
    return latest == std::numeric_limits<Minutes>::min() ? before : offset;
}

// A local time in UTC. Of a time the clocks pass twice, the first; a time
// they skip is read with the offset before the change.
Minutes utcOfLocal(const IcsZone& zone, Minutes local) {
    std::set<int> offsets;
    for (const IcsObservance& o : zone.observances) offsets.insert({o.offsetFrom, o.offsetTo});
    if (offsets.empty()) return local - kJapan;
    for (auto o = offsets.rbegin(); o != offsets.rend(); ++o)  // the largest offset gives the earliest moment
        if (offsetAt(zone, local - *o) == *o) return local - *o;
    return local - offsetAt(zone, local - *offsets.rbegin());
}

}  // namespace

Minutes utcOf(const Frame& frame, Minutes local) { return frame.zone ? utcOfLocal(*frame.zone, local) : local - frame.offset; }
Minutes localOf(const Frame& frame, Minutes utc) { return utc + (frame.zone ? offsetAt(*frame.zone, utc) : frame.offset); }

Frame frameOf(const IcsCalendar& calendar, int zone) {
    if (zone == kIcsUniversalTime) return {nullptr, 0};
    if (zone >= 0 && zone < static_cast<int>(calendar.zones.size())) return {&calendar.zones[static_cast<std::size_t>(zone)], 0};
    return {nullptr, kJapan};
}

IcsMoment japanMoment(const Written& w, const Frame& frame) {
    if (w.wholeDay) return {serialDayAt(w.minutes), -1};
    return momentOfMinutes((w.utc ? w.minutes : utcOf(frame, w.minutes)) + kJapan);
}

int offsetMinutes(std::string_view value) {
    int hh = 0, mm = 0;
    if (value.size() < 5 || !digits(value, 1, 2, hh) || !digits(value, 3, 2, mm)) return 0;
    return (value[0] == '-' ? -1 : 1) * (hh * 60 + mm);
}

}  // namespace tavo::ics
