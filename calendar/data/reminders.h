// When the reminders of timed entries are due, and what the user did with
// them (dismissed, snoozed until a time), kept in a small state file. Times
// are local minutes (serial day * 1440 + minute) on this PC's clock, so a
// clock set back or forward is simply a new "now".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/minutes.h"
#include "timed_entries.h"

namespace tavo {

// At most a day ahead: a reminder is due on the entry's day or the day before.
inline constexpr int kMostLeadMinutes = 1440;

// An entry as its state knows it: its day, start, kind and title. A line
// edited to another time or title is another entry, and reminds again.
struct ReminderKey {
    int serial = 0;
    int start = 0;
    ScheduleKind kind = kScheduleDay;
    std::string title;  // CP932
    friend auto operator<=>(const ReminderKey&, const ReminderKey&) = default;
    friend bool operator==(const ReminderKey&, const ReminderKey&) = default;
};
ReminderKey reminderKeyOf(const TimedEntry& entry);

inline constexpr Minutes kReminderDismissed = -1;
inline constexpr Minutes kReminderShown = -2;  // told (balloon, sound) and not yet acted on

struct ReminderMark {
    ReminderKey key;
    Minutes snoozedUntil = kReminderDismissed;  // or kReminderShown, or the end of a snooze
    friend bool operator==(const ReminderMark&, const ReminderMark&) = default;
};

struct ReminderState {
    std::vector<ReminderMark> marks;
};

void dismissReminder(ReminderState& state, const TimedEntry& entry);
void snoozeReminder(ReminderState& state, const TimedEntry& entry, Minutes until);
// A due reminder that was told: shown again after a restart, but not told
// again. An entry marked otherwise keeps its mark.
void markReminderShown(ReminderState& state, const TimedEntry& entry);
bool reminderShown(const ReminderState& state, const TimedEntry& entry);
// Marks of days before `serial` are dropped: the file stays small.
void forgetRemindersBefore(ReminderState& state, int serial);

struct DueReminder {
    TimedEntry entry;
    bool past = false;  // its time has passed (missed while the PC was off, or snoozed past it)
    friend bool operator==(const DueReminder&, const DueReminder&) = default;
};

// The entries (of today and tomorrow) whose reminder is due at now: their
// start less the lead has come, on the day of now or of the entry, and
// they are neither dismissed nor snoozed past now. In time order.
std::vector<DueReminder> dueReminders(const std::vector<TimedEntry>& entries, Minutes now, int leadMinutes,
                                      const ReminderState& state);
// The first moment after now at which another reminder comes due; nothing
// when none does among the entries.
std::optional<Minutes> nextReminderTime(const std::vector<TimedEntry>& entries, Minutes now, int leadMinutes,
                                        const ReminderState& state);

// The state file: a line a mark, "YYYY-MM-DD HH:MM kind - title" (dismissed),
// "YYYY-MM-DD HH:MM kind * title" (shown) or
// "YYYY-MM-DD HH:MM kind YYYY-MM-DDTHH:MM title" (snoozed until).
std::string formatReminderState(const ReminderState& state);
struct ReminderStateRead {
    ReminderState state;
    int damagedLines = 0;             // lines it could not read, left out of the state (and told)
    std::vector<std::string> damaged;  // those lines, to be kept in the file as they were
};
ReminderStateRead parseReminderState(std::string_view content);

}  // namespace tavo
