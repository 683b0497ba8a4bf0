#include "calendar/data/reminders.h"

#include <gtest/gtest.h>

#include <functional>

#include "calendar/data/reminder_book.h"
#include "calendar/data/section_file.h"
#include "shared/date_math.h"
#include "memory_data_folder.h"

namespace tavo {
namespace {

const int kDay = serialDayOf(2026, 12, 7);

TimedEntry entry(int serial, int start, const char* title) { return {serial, kScheduleDay, {start, -1, false, title}}; }
Minutes at(int serial, int hour, int minute) { return minutesAt(serial, hour * 60 + minute); }

// What is due, as "title" or "title(past)", in time order.
std::string dueText(const std::vector<TimedEntry>& entries, Minutes now, int lead, const ReminderState& state) {
    std::string out;
    for (const DueReminder& d : dueReminders(entries, now, lead, state))
        out.append(out.empty() ? "" : " ").append(d.entry.time.title).append(d.past ? "(past)" : "");
    return out;
}

// A day of reminders step by step: the lead across midnight, dismissing,
// snoozing, a line edited after it was dismissed, the clock set back and
// forward, a missed reminder of another day.
TEST(Reminders, WhenEachReminderIsDue) {
    const TimedEntry morning = entry(kDay, 9 * 60, "morning"), early = entry(kDay + 1, 5, "early"),
                     yesterday = entry(kDay - 1, 10 * 60, "yesterday"), moved = entry(kDay, 10 * 60, "morning");
    std::vector<TimedEntry> entries = {yesterday, morning, early};
    ReminderState state;
    struct Step {
        const char* what;
        Minutes now;
        std::function<void()> act;
        const char* due;
        Minutes next;  // -1: none
    } const steps[] = {
        {"not yet", at(kDay, 8, 49), nullptr, "", at(kDay, 8, 50)},
        {"ten minutes before", at(kDay, 8, 50), nullptr, "morning", at(kDay, 23, 55)},
        {"missed, shown as past", at(kDay, 9, 30), nullptr, "morning(past)", at(kDay, 23, 55)},
        {"snoozed", at(kDay, 8, 52), [&] { snoozeReminder(state, morning, at(kDay, 8, 57)); }, "", at(kDay, 8, 57)},
        {"the snooze ends", at(kDay, 8, 57), nullptr, "morning", at(kDay, 23, 55)},
        {"dismissed", at(kDay, 9, 0), [&] { dismissReminder(state, morning); }, "", at(kDay, 23, 55)},
        {"clock set back", at(kDay, 8, 55), nullptr, "", at(kDay, 23, 55)},
        {"across midnight", at(kDay, 23, 55), nullptr, "early", -1},
        {"the next day", at(kDay + 1, 0, 30), nullptr, "early(past)", -1},
        {"edited to ten", at(kDay, 9, 50), [&] { entries = {moved, early}; }, "morning", at(kDay, 23, 55)},
        {"clock set forward", at(kDay + 1, 12, 0), [&] { dismissReminder(state, moved); }, "early(past)", -1},
    };
    for (const Step& s : steps) {
        if (s.act) s.act();
        EXPECT_EQ(dueText(entries, s.now, 10, state), s.due) << s.what;
        EXPECT_EQ(nextReminderTime(entries, s.now, 10, state).value_or(-1), s.next) << s.what;
    }
    EXPECT_EQ(dueText({morning}, at(kDay, 9, 0), 0, {}), "morning");  // a lead of 0: on time
    EXPECT_EQ(dueText({morning}, at(kDay, 8, 59), 0, {}), "");
}

TEST(Reminders, ADayOfTwoHundredEntries) {
    std::vector<TimedEntry> entries;
    for (int i = 0; i < 200; ++i) entries.push_back(entry(kDay, i * 7, "e"));  // every 7 minutes until 23:13
    ReminderState state;
    EXPECT_EQ(dueReminders(entries, at(kDay, 12, 0), 10, state).size(), 105u);  // 0:00 .. 12:08 (lead 10)
    for (const DueReminder& d : dueReminders(entries, at(kDay, 12, 0), 10, state)) dismissReminder(state, d.entry);
    EXPECT_TRUE(dueReminders(entries, at(kDay, 12, 0), 10, state).empty());
    EXPECT_EQ(nextReminderTime(entries, at(kDay, 12, 0), 10, state).value_or(-1), at(kDay, 12, 5));  // 12:15 less 10
}

// The state file keeps marks through a restart; a damaged line is left out
// and counted, never blocking the rest; old days are forgotten.
TEST(Reminders, TheStateFileUnderDamage) {
    ReminderState state;
    dismissReminder(state, entry(kDay, 9 * 60, "歯医者 駅前"));
    snoozeReminder(state, {kDay, kScheduleEveryWeek, {18 * 60, -1, false, "週"}}, at(kDay, 18, 5));
    dismissReminder(state, entry(kDay - 2, 60, "old"));
    const std::string text = formatReminderState(state);
    EXPECT_EQ(text, "2026-12-07 09:00 day - 歯医者 駅前\r\n2026-12-07 18:00 week 2026-12-07T18:05 週\r\n"
                    "2026-12-05 01:00 day - old\r\n");
    EXPECT_EQ(parseReminderState(text).state.marks, state.marks);
    const std::string damaged = "garbage\r\n2026-13-07 09:00 day - bad month\r\n2026-12-07 09:00 nokind - x\r\n" + text +
                                "2026-12-07 09:00 day 2026-12-07T25:00 bad snooze\n\x81";
    const ReminderStateRead read = parseReminderState(damaged);
    EXPECT_EQ(read.damagedLines, 5);
    EXPECT_EQ(read.state.marks, state.marks);
    forgetRemindersBefore(state, kDay);
    EXPECT_EQ(state.marks.size(), 2u);
}

// The book a reminding process keeps: due at the right minute, dismissed for
// good (a restart does not bring it back), only the kinds asked for, and a
// damaged or unreadable state file told but never in the way.
TEST(Reminders, TheBookThroughARestartAndADamagedFile) {
    test::MemoryDataFolder folder;
    const PathSettings& paths = folder.paths;
    MemoryFileSystem& files = folder.files;
    files.files[scheduleFile(paths, kScheduleDay, 2026, 12)] = ":7\r\n9:00 朝\r\n";
    files.files[scheduleFile(paths, kScheduleEveryWeek, 0, 0)] = ":1\r\n9:00 週\r\n";
    const DataSources sources = folder.sources();
    ReminderSettings settings{};
    resetSettings(&settings, reminderTable());
    settings.year = settings.month = settings.week = 0;  // not the weekly one
    const std::string state = reminderStateFile(paths);
    const auto book = [&] {
        ReminderBook b(files, state);
        b.load();
        b.refresh(sources, settings, at(kDay, 8, 0));
        return b;
    };
    ReminderBook first = book();
    EXPECT_EQ(first.problem(), "");
    EXPECT_TRUE(first.due(at(kDay, 8, 49)).empty());
    EXPECT_EQ(first.next(at(kDay, 8, 49)).value_or(-1), at(kDay, 8, 50));
    ASSERT_EQ(first.due(at(kDay, 8, 50)).size(), 1u);
    const TimedEntry morning = first.due(at(kDay, 8, 50)).front().entry;
    EXPECT_EQ(morning.time.title, "朝");
    EXPECT_EQ(first.tell(at(kDay, 8, 50)).size(), 1u);
    EXPECT_TRUE(first.tell(at(kDay, 8, 51)).empty());  // told once
    ReminderBook restarted = book();
    EXPECT_EQ(restarted.due(at(kDay, 8, 52)).size(), 1u);  // still shown after a restart, not told again
    EXPECT_TRUE(restarted.tell(at(kDay, 8, 52)).empty());
    ASSERT_TRUE(first.dismiss(morning, at(kDay, 8, 51)));
    EXPECT_TRUE(book().due(at(kDay, 9, 30)).empty());  // restarted: not again
    const TimedEntry other = entry(kDay, 10 * 60, "別");
    ASSERT_TRUE(restarted.snooze(other, at(kDay, 10, 5), at(kDay, 9, 0)));  // a second process's mark over the first's
    EXPECT_EQ(files.files[state], "2026-12-07 09:00 day - 朝\r\n2026-12-07 10:00 day 2026-12-07T10:05 別\r\n");

    files.files[state] = "garbage\r\n";  // damaged: told, kept, and reminders go on
    ReminderBook damaged = book();
    EXPECT_NE(damaged.problem(), "");
    EXPECT_EQ(damaged.due(at(kDay, 9, 30)).size(), 1u);
    ASSERT_TRUE(damaged.snooze(morning, at(kDay, 9, 35), at(kDay, 9, 30)));
    EXPECT_EQ(files.files[state], "2026-12-07 09:00 day 2026-12-07T09:35 朝\r\ngarbage\r\n");

    files.faults[state] = MemoryFileSystem::Fault::ShortRead;  // unreadable: told, not saved, not shown twice here
    ReminderBook unreadable = book();
    EXPECT_NE(unreadable.problem(), "");
    EXPECT_FALSE(unreadable.dismiss(morning, at(kDay, 9, 40)));
    EXPECT_TRUE(unreadable.due(at(kDay, 9, 40)).empty());
    settings.on = 0;
    unreadable.refresh(sources, settings, at(kDay, 9, 40));
    EXPECT_FALSE(unreadable.next(at(kDay, 0, 0)).has_value());
}

}  // namespace
}  // namespace tavo
