#include "recurrence_rule.h"

#include <algorithm>

#include "shared/date_math.h"

namespace tavo {

bool inList(const std::vector<int>& list, int value) { return std::find(list.begin(), list.end(), value) != list.end(); }


// The days of a month that the rule picks, in order.
std::vector<int> monthDays(const RecurrenceRule& rule, int year, int month, int startDay) {
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
namespace {

std::vector<int> periodDays(const RecurrenceRule& rule, int periodStart, int startSerial) {
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

// Periods are counted in 64 bits: an INTERVAL may be any 31-bit number, and
// a period past the last day ends the series.
constexpr int kPastTheEnd = kLastSerialDay + 1;

int clampedDay(long long serial) { return static_cast<int>(std::min<long long>(serial, kPastTheEnd)); }

// The first day of the period that is `periods` periods after the one starting on periodStart.
int periodAfter(const RecurrenceRule& rule, int periodStart, long long periods) {
    int y, m, d;
    civilFromSerial(periodStart, y, m, d);
    switch (rule.frequency) {
        case 'D': return clampedDay(periodStart + periods);
        case 'W': return clampedDay(periodStart + 7 * periods);
        case 'M': {
            const long long months = (y * 12LL + m - 1) + periods;
            return months / 12 > 9999 ? kPastTheEnd : serialDayOf(static_cast<int>(months / 12), static_cast<int>(months % 12) + 1, 1);
        }
        default: return y + periods > 9999 ? kPastTheEnd : serialDayOf(static_cast<int>(y + periods), 1, 1);
    }
}

// How many whole periods lie between two period starts.
long long periodsBetween(const RecurrenceRule& rule, int from, int to) {
    int fy, fm, fd, ty, tm, td;
    civilFromSerial(from, fy, fm, fd);
    civilFromSerial(to, ty, tm, td);
    switch (rule.frequency) {
        case 'D': return to - from;
        case 'W': return (to - from) / 7;
        case 'M': return (ty * 12LL + tm) - (fy * 12LL + fm);
        default: return ty - fy;
    }
}

int firstPeriod(const RecurrenceRule& rule, int start) {
    int y, m, d;
    civilFromSerial(start, y, m, d);
    switch (rule.frequency) {
        case 'W': return start - (weekdayOf(y, m, d) + 6) % 7;  // weeks start on Monday
        case 'M': return serialDayOf(y, m, 1);
        case 'Y': return serialDayOf(y, 1, 1);
        default: return start;
    }
}

// The first period of the series that may hold a day from firstSerial on: a
// series without COUNT jumps there, one with COUNT must count from its start.
int periodNear(const RecurrenceRule& rule, int startSerial, int firstSerial) {
    const int first = firstPeriod(rule, startSerial);
    if (rule.count > 0 || firstSerial <= startSerial) return first;
    const long long skipped = periodsBetween(rule, first, firstPeriod(rule, firstSerial)) / rule.interval;
    return periodAfter(rule, first, skipped * rule.interval);
}
}  // namespace

std::vector<int> ruleDays(const RecurrenceRule& rule, int startSerial, int firstSerial, int lastSerial) {
    std::vector<int> days;
    int counted = 0;
    const int end = std::min(rule.until, lastSerial);
    for (int period = periodNear(rule, startSerial, firstSerial); period <= end; period = periodAfter(rule, period, rule.interval)) {
        for (int serial : periodDays(rule, period, startSerial)) {
            if (serial < startSerial) continue;
            if (serial > end || (rule.count > 0 && counted >= rule.count)) return days;
            ++counted;
            if (serial >= firstSerial) days.push_back(serial);
        }
        if (rule.count > 0 && counted >= rule.count) break;
    }
    return days;
}

RecurrenceRule scheduleRule(ScheduleKind kind, int key, int month, bool monthEndToLastDay) {
    RecurrenceRule rule;
    rule.frequency = kind == kScheduleEveryYear ? 'Y' : 'M';
    if (key <= 28 || !monthEndToLastDay) {
        if (rule.frequency == 'M') rule.byMonthDay = {key};  // a year's series starts on its month and day
        return rule;
    }
    if (rule.frequency == 'M' && key >= 31) {
        rule.byMonthDay = {-1};
        return rule;
    }
    // The last of the days 28..key that the month has.
    if (month > 0) rule.byMonth = {month};
    for (int d = 28; d <= std::min(key, 31); ++d) rule.byMonthDay.push_back(d);
    rule.bySetPos = {-1};
    return rule;
}

int scheduleDayOfMonth(ScheduleKind kind, int key, int year, int month, bool monthEndToLastDay) {
    if (key < 1) return 0;
    if (key <= 28) return key;
    const std::vector<int> days = monthDays(scheduleRule(kind, key, month, monthEndToLastDay), year, month, key);
    return days.empty() ? 0 : days.front();
}

std::string formatRule(const RecurrenceRule& rule) {
    static const char* const kDays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    const auto list = [](const std::vector<int>& values) {
        std::string out;
        for (int v : values) out.append(out.empty() ? "" : ",").append(std::to_string(v));
        return out;
    };
    std::string out = rule.frequency == 'Y' ? "FREQ=YEARLY" : rule.frequency == 'M' ? "FREQ=MONTHLY"
                      : rule.frequency == 'W' ? "FREQ=WEEKLY" : "FREQ=DAILY";
    if (rule.interval > 1) out.append(";INTERVAL=").append(std::to_string(rule.interval));
    if (!rule.byMonth.empty()) out.append(";BYMONTH=").append(list(rule.byMonth));
    if (!rule.byDay.empty()) {
        out.append(";BYDAY=");
        for (std::size_t i = 0; i < rule.byDay.size(); ++i) {
            if (i > 0) out += ',';
            if (rule.byDay[i].first != 0) out.append(std::to_string(rule.byDay[i].first));
            out.append(kDays[rule.byDay[i].second]);
        }
    }
    if (!rule.byMonthDay.empty()) out.append(";BYMONTHDAY=").append(list(rule.byMonthDay));
    if (!rule.bySetPos.empty()) out.append(";BYSETPOS=").append(list(rule.bySetPos));
    return out;
}

}  // namespace tavo
