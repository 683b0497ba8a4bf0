#include "calendar/data/recurrence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "calendar/data/icalendar_parts.h"
#include "calendar/data/recurrence_rule.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

// Saturdays and Sundays closed, nothing else.
bool weekend(int year, int month, int day) { return weekdayOf(year, month, day) % 6 == 0; }

TEST(Recurrence, EffectiveDays) {
    struct Case {
        ScheduleKind kind;
        int key, year, month;
        bool monthEndToLastDay;
        int day;
    } cases[] = {
        {kScheduleEveryMonth, 31, 2026, 4, false, 0},
        {kScheduleEveryMonth, 31, 2026, 4, true, 30},
        {kScheduleEveryMonth, 31, 2026, 2, true, 28},
        {kScheduleEveryMonth, 31, 2024, 2, true, 29},
        {kScheduleEveryMonth, 31, 2026, 5, false, 31},
        {kScheduleEveryYear, 29, 2027, 2, false, 0},  // made on 29 February
        {kScheduleEveryYear, 29, 2027, 2, true, 28},
        {kScheduleEveryYear, 29, 2028, 2, false, 29},
        {kScheduleEveryMonthLater, 15, 2026, 8, true, 17},    // Saturday the 15th to Monday the 17th
        {kScheduleEveryMonthLater, 10, 2026, 8, true, 10},    // open days stay
        {kScheduleEveryMonthLater, 30, 2026, 5, true, 0},     // 30 and 31 May 2026 are a weekend
        {kScheduleEveryMonthEarlier, 15, 2026, 8, true, 14},  // back to Friday
        {kScheduleEveryMonthEarlier, 1, 2026, 8, true, 0},    // 1 August 2026 is a Saturday
        {kScheduleEveryMonthEarlier, 31, 2026, 5, true, 29},
        {kScheduleEveryMonthLater, 31, 2026, 2, true, 0},     // 28 February 2026 is a Saturday
        {kScheduleEveryMonthEarlier, 31, 2026, 2, true, 27},
        {kScheduleEveryMonth, 0, 2026, 2, true, 0},
    };
    for (const Case& c : cases) {
        const auto closed = [&](int day) { return weekend(c.year, c.month, day); };
        EXPECT_EQ(effectiveDay(c.kind, c.key, c.year, c.month, c.monthEndToLastDay, closed), c.day)
            << c.kind << " key " << c.key << " " << c.year << "-" << c.month;
    }
}

// A shifted section never leaves its month and lands on an open day.
TEST(Recurrence, ShiftsStayInTheirMonth) {
    for (int month = 1; month <= 12; ++month) {
        for (int key = 1; key <= 31; ++key) {
            for (ScheduleKind kind : {kScheduleEveryMonthLater, kScheduleEveryMonthEarlier}) {
                const auto closed = [&](int day) { return weekend(2026, month, day); };
                const int day = effectiveDay(kind, key, 2026, month, true, closed);
                if (day == 0) continue;
                EXPECT_GE(day, 1);
                EXPECT_LE(day, monthLengthOf(2026, month));
                EXPECT_FALSE(closed(day));
            }
        }
    }
}

TEST(Recurrence, TheTwoClosedDayTests) {
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    days->closed[1] = 1;                    // Mondays closed
    days->closed[kClosedFlagHolidays] = 0;  // holidays open
    // 23 November 2026: 勤労感謝の日 on a Monday.
    EXPECT_TRUE(monthGridClosed(*days, 2026, 11, 23));
    EXPECT_FALSE(rangeClosed(*days, 2026, 11, 23));
    EXPECT_TRUE(monthGridClosed(*days, 2026, 11, 30));
    EXPECT_TRUE(rangeClosed(*days, 2026, 11, 30));
    days->closed[kClosedFlagHolidays] = 1;
    EXPECT_TRUE(rangeClosed(*days, 2026, 11, 3));
    EXPECT_TRUE(monthGridClosed(*days, 2026, 11, 3));
    EXPECT_FALSE(monthGridClosed(*days, 2026, 11, 4));
}

// The rule an export writes for a schedule, read back by the iCalendar reader,
// repeats on exactly the days the calendar marks: every key, both month-end
// choices, every month of a leap year and the next.
TEST(Recurrence, TheWrittenRuleGivesTheCalendarsDays) {
    const auto never = [](int) { return false; };
    for (ScheduleKind kind : {kScheduleEveryYear, kScheduleEveryMonth})
        for (bool monthEnd : {false, true})
            for (int key = 1; key <= 31; ++key)
                for (int month = 1; month <= 12; ++month) {
                    const int ruleMonth = kind == kScheduleEveryYear ? month : 0;
                    ics::IcsRule written;
                    ASSERT_TRUE(ics::parseRule(formatRule(scheduleRule(kind, key, ruleMonth, monthEnd)), written));
                    // The series starts on the schedule's first day, as the export's DTSTART does.
                    int startYear = 2024;
                    while (effectiveDay(kind, key, startYear, month, monthEnd, never) == 0 && startYear < 2032) ++startYear;
                    const int start = serialDayOf(startYear, month, effectiveDay(kind, key, startYear, month, monthEnd, never));
                    const std::vector<int> series = ruleDays(written.rule, start, start, serialDayOf(2027, 12, 31));
                    for (int year = startYear; year <= 2027; ++year) {
                        const int expected = effectiveDay(kind, key, year, month, monthEnd, never);
                        const bool listed = expected > 0 && std::find(series.begin(), series.end(),
                                                                      serialDayOf(year, month, expected)) != series.end();
                        EXPECT_EQ(listed, expected > 0) << kind << " key " << key << " " << year << "-" << month << " " << monthEnd;
                    }
                    for (int serial : series) {  // and on no other day
                        int y, m, d;
                        civilFromSerial(serial, y, m, d);
                        EXPECT_EQ(d, effectiveDay(kind, key, y, m, monthEnd, never)) << kind << " key " << key << " " << y << "-" << m;
                    }
                }
}

// A series asked for a later span jumps there, and gives the same days as
// one walked from its start: every frequency, interval and kind of BYDAY.
TEST(Recurrence, AJumpToTheSpanGivesTheDaysOfTheWalk) {
    const int start = serialDayOf(2001, 1, 31), last = serialDayOf(2031, 12, 31);
    for (const char* text : {"FREQ=DAILY;INTERVAL=3", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR", "FREQ=WEEKLY;INTERVAL=5",
                             "FREQ=MONTHLY;INTERVAL=7", "FREQ=MONTHLY;INTERVAL=2;BYDAY=-1SU", "FREQ=MONTHLY;BYMONTHDAY=31",
                             "FREQ=YEARLY;INTERVAL=3", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1", "FREQ=DAILY;INTERVAL=2147483647"}) {
        ics::IcsRule written;
        ASSERT_TRUE(ics::parseRule(text, written)) << text;
        const std::vector<int> walked = ruleDays(written.rule, start, start, last);
        for (int first : {start + 1, serialDayOf(2010, 3, 1), serialDayOf(2020, 12, 31), serialDayOf(2031, 6, 15)}) {
            std::vector<int> wanted;
            for (int day : walked)
                if (day >= first) wanted.push_back(day);
            EXPECT_EQ(ruleDays(written.rule, start, first, last), wanted) << text << " from " << first;
        }
    }
}

}  // namespace
}  // namespace tavo
