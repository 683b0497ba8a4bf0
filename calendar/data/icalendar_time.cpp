// Times as iCalendar writes them: dates and times, durations, recurrence
// rules, and the offsets of time zones with their summer time.
#include <algorithm>
#include <charconv>
#include <limits>
#include <iterator>
#include <set>

#include "icalendar_parts.h"
#include "shared/date_math.h"

namespace tavo::ics {


bool digits(std::string_view text, std::size_t at, std::size_t n, int& value) {
    if (at + n > text.size()) return false;
    const auto r = std::from_chars(text.data() + at, text.data() + at + n, value);
    return r.ec == std::errc() && r.ptr == text.data() + at + n;
}

bool writtenShape(std::string_view value) {
    const auto allDigits = [&](std::size_t at, std::size_t n) {
        return value.size() >= at + n && std::all_of(value.begin() + static_cast<std::ptrdiff_t>(at),
                                                     value.begin() + static_cast<std::ptrdiff_t>(at + n),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    };
    if (value.size() == 8) return allDigits(0, 8);
    return (value.size() == 15 || (value.size() == 16 && value[15] == 'Z')) && allDigits(0, 8) && value[8] == 'T' &&
           allDigits(9, 6);
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



// A list of numbers; one past the limit counts as the limit, so that a huge
// INTERVAL or COUNT means "hardly ever" and not "every day".
std::vector<int> numbers(std::string_view list) {
    constexpr long long kLimit = 1000000000;
    std::vector<int> out;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view piece = list.substr(0, comma);
        const bool negative = !piece.empty() && piece.front() == '-';
        const std::string_view magnitude = piece.substr(negative || (!piece.empty() && piece.front() == '+') ? 1 : 0);
        long long value = 0;
        const auto r = std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value);
        if (r.ec == std::errc::result_out_of_range) value = kLimit;
        if (r.ec != std::errc::invalid_argument) out.push_back(static_cast<int>((negative ? -1 : 1) * std::min(value, kLimit)));
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
            if (!parseWritten(value, written.until)) return false;  // an end it cannot read: not a series it knows
            rule.hasUntil = true;
            rule.until = serialDayAt(written.until.minutes);
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

// Real zones change their offset a few times a year; a zone that says more
// is cut there, so that no file makes placing a time slow.
constexpr std::size_t kMostOnsetsPerYear = 24;

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
    for (int y = std::max(year - 1, sy); y <= year && y <= 9999; ++y) {
        std::size_t taken = 0;
        for (int month = 1; month <= 12 && taken < kMostOnsetsPerYear; ++month) {
            if (rule.byMonth.empty() ? month != sm : !inList(rule.byMonth, month)) continue;
            for (int day : monthDays(rule, y, month, sd)) {
                const Minutes at = minutesAt(serialDayOf(y, month, day)) + minute;
                if (at > o.onset && serialDayAt(at) <= rule.until && taken++ < kMostOnsetsPerYear) onsets.push_back(at);
            }
        }
    }
    return onsets;
}

const IcsZoneYear& zoneYear(const IcsZone& zone, int year) {
    const auto known = zone.years.find(year);
    if (known != zone.years.end()) return known->second;
    IcsZoneYear& made = zone.years[year];
    Minutes earliest = std::numeric_limits<Minutes>::max();
    made.offsetBefore = kJapan;
    for (const IcsObservance& o : zone.observances)
        for (Minutes onset : onsetsNear(o, year)) {
            const Minutes at = onset - o.offsetFrom;
            made.changes.emplace_back(at, o.offsetTo);
            if (at < earliest) earliest = at, made.offsetBefore = o.offsetFrom;
        }
    std::stable_sort(made.changes.begin(), made.changes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return made;
}

// The zone's offset at a moment: that of the latest onset before it, or
// before every onset the offset the first one changes from.
int offsetAt(const IcsZone& zone, Minutes utc) {
    int y, m, d;
    civilFromSerial(serialDayAt(utc), y, m, d);
    const IcsZoneYear& year = zoneYear(zone, y);
    const auto after = std::upper_bound(year.changes.begin(), year.changes.end(), utc,
                                        [](Minutes t, const auto& change) { return t < change.first; });
    if (after == year.changes.begin()) return year.offsetBefore;
    // Of changes at the same moment, the first in the file holds.
    auto latest = std::prev(after);
    while (latest != year.changes.begin() && std::prev(latest)->first == latest->first) --latest;
    return latest->second;
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
