#include "reminders.h"

#include <algorithm>
#include <cstdio>

#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

Minutes startOf(const TimedEntry& e) { return minutesAt(e.serial, e.time.start); }

const ReminderMark* markOf(const ReminderState& state, const ReminderKey& key) {
    const auto found = std::find_if(state.marks.begin(), state.marks.end(), [&](const ReminderMark& m) { return m.key == key; });
    return found == state.marks.end() ? nullptr : &*found;
}

void setMark(ReminderState& state, const TimedEntry& entry, Minutes until) {
    const ReminderKey key = reminderKeyOf(entry);
    for (ReminderMark& m : state.marks)
        if (m.key == key) return void(m.snoozedUntil = until);
    state.marks.push_back({key, until});
}

// When the entry's reminder comes up next: its start less the lead, or the
// end of its snooze; nothing once dismissed.
std::optional<Minutes> remindAt(const TimedEntry& e, int lead, const ReminderState& state) {
    const ReminderMark* mark = markOf(state, reminderKeyOf(e));
    if (mark && mark->snoozedUntil == kReminderDismissed) return std::nullopt;
    if (mark && mark->snoozedUntil >= 0) return mark->snoozedUntil;
    return startOf(e) - std::clamp(lead, 0, kMostLeadMinutes);
}

// Missed reminders are shown on the same day only: the day of now is the
// entry's or its reminder's.
bool sameDay(const TimedEntry& e, Minutes at, Minutes now) {
    return e.serial == serialDayAt(now) || serialDayAt(at) == serialDayAt(now);
}

const char* kindName(ScheduleKind kind) {
    switch (kind) {
        case kScheduleDay: return "day";
        case kScheduleEveryYear: return "year";
        case kScheduleEveryMonth: return "month";
        case kScheduleEveryMonthLater: return "later";
        case kScheduleEveryMonthEarlier: return "earlier";
        default: return "week";
    }
}

std::optional<ScheduleKind> kindNamed(std::string_view name) {
    for (ScheduleKind k : {kScheduleDay, kScheduleEveryYear, kScheduleEveryMonth, kScheduleEveryMonthLater,
                           kScheduleEveryMonthEarlier, kScheduleEveryWeek})
        if (name == kindName(k)) return k;
    return std::nullopt;
}

std::string moment(Minutes at, char between) {
    int y, m, d;
    civilFromSerial(serialDayAt(at), y, m, d);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d", y, m, d, between, minuteOfDayAt(at) / 60, minuteOfDayAt(at) % 60);
    return text;
}

// "YYYY-MM-DD?HH:MM" with any one character between; nothing when it is not one.
std::optional<Minutes> momentOf(std::string_view text) {
    int y, m, d, hh, mm;
    char between, end;
    if (text.size() != 16 || std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d%c%2d:%2d%c", &y, &m, &d, &between, &hh, &mm, &end) != 6)
        return std::nullopt;
    if (y < 1583 || y > 9999 || m < 1 || m > 12 || d < 1 || d > monthLengthOf(y, m) || hh > 23 || mm > 59 || hh < 0 || mm < 0)
        return std::nullopt;
    return minutesAt(serialDayOf(y, m, d), hh * 60 + mm);
}

std::optional<ReminderMark> markLine(std::string_view line) {
    // YYYY-MM-DD HH:MM kind until title
    if (line.size() < 16) return std::nullopt;
    const std::optional<Minutes> start = momentOf(line.substr(0, 16));
    const std::size_t kindEnd = line.find(' ', 17), untilEnd = kindEnd == std::string_view::npos ? kindEnd : line.find(' ', kindEnd + 1);
    if (!start || line[16] != ' ' || untilEnd == std::string_view::npos) return std::nullopt;
    const std::optional<ScheduleKind> kind = kindNamed(line.substr(17, kindEnd - 17));
    const std::string_view until = line.substr(kindEnd + 1, untilEnd - kindEnd - 1);
    const std::optional<Minutes> snoozed = until == "-"   ? std::optional<Minutes>(kReminderDismissed)
                                           : until == "*" ? std::optional<Minutes>(kReminderShown)
                                                          : momentOf(until);
    if (!kind || !snoozed) return std::nullopt;
    return ReminderMark{{serialDayAt(*start), minuteOfDayAt(*start), *kind, std::string(line.substr(untilEnd + 1))}, *snoozed};
}

}  // namespace

ReminderKey reminderKeyOf(const TimedEntry& entry) { return {entry.serial, entry.time.start, entry.kind, entry.time.title}; }

void dismissReminder(ReminderState& state, const TimedEntry& entry) { setMark(state, entry, kReminderDismissed); }

void snoozeReminder(ReminderState& state, const TimedEntry& entry, Minutes until) { setMark(state, entry, std::max<Minutes>(until, 0)); }

void forgetRemindersBefore(ReminderState& state, int serial) {
    std::erase_if(state.marks, [&](const ReminderMark& m) { return m.key.serial < serial; });
}

void markReminderShown(ReminderState& state, const TimedEntry& entry) {
    if (!markOf(state, reminderKeyOf(entry))) state.marks.push_back({reminderKeyOf(entry), kReminderShown});
}

bool reminderShown(const ReminderState& state, const TimedEntry& entry) {
    const ReminderMark* mark = markOf(state, reminderKeyOf(entry));
    return mark && mark->snoozedUntil == kReminderShown;
}

std::vector<DueReminder> dueReminders(const std::vector<TimedEntry>& entries, Minutes now, int leadMinutes,
                                      const ReminderState& state) {
    std::vector<DueReminder> due;
    for (const TimedEntry& e : entries) {
        const std::optional<Minutes> at = remindAt(e, leadMinutes, state);
        if (at && *at <= now && sameDay(e, *at, now)) due.push_back({e, startOf(e) < now});
    }
    std::stable_sort(due.begin(), due.end(), [](const DueReminder& a, const DueReminder& b) { return startOf(a.entry) < startOf(b.entry); });
    return due;
}

std::optional<Minutes> nextReminderTime(const std::vector<TimedEntry>& entries, Minutes now, int leadMinutes,
                                        const ReminderState& state) {
    std::optional<Minutes> next;
    for (const TimedEntry& e : entries) {
        const std::optional<Minutes> at = remindAt(e, leadMinutes, state);
        if (at && *at > now && (!next || *at < *next)) next = at;
    }
    return next;
}

std::string formatReminderState(const ReminderState& state) {
    std::string out;
    for (const ReminderMark& m : state.marks) {
        out += moment(minutesAt(m.key.serial, m.key.start), ' ');
        out.append(" ").append(kindName(m.key.kind)).append(" ");
        out += m.snoozedUntil == kReminderDismissed ? std::string("-")
               : m.snoozedUntil == kReminderShown   ? std::string("*")
                                                     : moment(m.snoozedUntil, 'T');
        out.append(" ").append(m.key.title).append("\r\n");
    }
    return out;
}

ReminderStateRead parseReminderState(std::string_view content) {
    ReminderStateRead read;
    for (std::string_view line : fileLines(content)) {
        const std::string_view text = lineContent(line);
        if (text.empty()) continue;
        if (const std::optional<ReminderMark> mark = markLine(text)) read.state.marks.push_back(*mark);
        else ++read.damagedLines, read.damaged.emplace_back(text);
    }
    return read;
}

}  // namespace tavo
