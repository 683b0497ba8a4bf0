#include "calendar/calc/jump_date.h"
#include "calendar/calc/navigation.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

TEST(Navigation, StepsAndLimits) {
    struct Case {
        int y, m, d;
        NavigationStep step;
        bool moved, monthChanged;
        int error;
        int ty, tm, td;
    } cases[] = {
        {2026, 12, 7, NavigationStep::NextDay, true, false, 0, 2026, 12, 8},
        {2026, 12, 31, NavigationStep::NextDay, true, true, 0, 2027, 1, 1},
        {2026, 12, 7, NavigationStep::PrevWeek, true, true, 0, 2026, 11, 30},
        {1582, 10, 15, NavigationStep::PrevDay, false, false, 928, 1582, 10, 15},
        {1582, 10, 20, NavigationStep::PrevWeek, false, false, 928, 1582, 10, 20},
        {1582, 11, 10, NavigationStep::PrevMonth, false, false, 928, 1582, 11, 10},
        {1583, 10, 3, NavigationStep::PrevYear, false, false, 928, 1583, 10, 3},
        {1582, 11, 20, NavigationStep::PrevMonth, true, true, 0, 1582, 10, 20},
        {9999, 12, 31, NavigationStep::NextDay, false, false, 929, 9999, 12, 31},
        {9999, 12, 5, NavigationStep::NextMonth, false, false, 929, 9999, 12, 5},
        {9999, 3, 5, NavigationStep::NextYear, false, false, 929, 9999, 3, 5},
    };
    for (const Case& c : cases) {
        CalendarDate d(c.y, c.m, c.d);
        const NavigationResult r = navigate(d, c.step);
        EXPECT_EQ(r.moved, c.moved) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(r.monthChanged, c.monthChanged) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(r.errorString, c.error);
        EXPECT_EQ(d.year(), c.ty);
        EXPECT_EQ(d.month(), c.tm);
        EXPECT_EQ(d.day(), c.td);
    }
}

TEST(Navigation, ButtonBandSteps) {
    const int w = 280, g = 40;  // 5g/2 = 100
    struct Case {
        int x;
        bool month, year;
        NavigationStep step;
    } cases[] = {
        {10, true, true, NavigationStep::PrevYear},   {50, true, true, NavigationStep::PrevMonth},
        {140, true, true, NavigationStep::Today},     {200, true, true, NavigationStep::NextMonth},
        {250, true, true, NavigationStep::NextYear},  {10, true, false, NavigationStep::PrevMonth},
        {50, false, true, NavigationStep::PrevYear},  {200, false, true, NavigationStep::NextYear},
        {10, false, false, NavigationStep::Today},    {270, false, false, NavigationStep::Today},
    };
    for (const Case& c : cases) EXPECT_EQ(buttonStepAt(c.x, w, g, c.month, c.year), c.step) << c.x;
}

TEST(JumpDate, EraListAndChanges) {
    EXPECT_STREQ(jumpEra(0).name, "西暦");
    EXPECT_STREQ(jumpEra(1).name, "令和");
    EXPECT_STREQ(jumpEra(2).name, "平成");
    EXPECT_EQ(jumpEraCount(), 7);
    EXPECT_EQ(jumpEraOf(2019, 4, 30), 2);
    EXPECT_EQ(jumpEraOf(2019, 5, 1), 1);
    EXPECT_EQ(jumpEraOf(1865, 4, 6), 0);

    JumpState s;
    initJump(s, 2005, 7, 9, 2);
    EXPECT_EQ(s.era, 0);
    EXPECT_EQ(s.year, 2005);
    changeJumpEra(s, 2, 2005);  // 平成
    EXPECT_EQ(s.year, 17);
    changeJumpEra(s, 3, 2005);  // 昭和: 2005 is not in it
    EXPECT_EQ(s.year, 64);
    changeJumpEra(s, 1, 2026);
    EXPECT_EQ(s.year, 8);
    EXPECT_EQ(s.western, 2026);
    changeJumpEra(s, 0, 8);  // back to 西暦 with an era year in the field
    EXPECT_EQ(s.year, 2026);
    initJump(s, 2026, 12, 7, 0);
    EXPECT_EQ(s.era, 1);
    EXPECT_EQ(s.year, 8);
    JumpState kept{3, 40, 1965};
    initJump(kept, 2026, 12, 7, 9);
    EXPECT_EQ(kept.era, 3);
    EXPECT_EQ(kept.year, 40);

    // Switching eras keeps the date where the era held it, else its first or last year; never 平成99.
    const struct {
        int fromEra, field, toEra, year, western;
    } switches[] = {
        {1, 8, 2, 31, 2019},   // 令和8 (2026) to 平成: its last year
        {2, 31, 1, 1, 2019},   // 平成31 to 令和
        {2, 17, 3, 64, 1989},  // 平成17 (2005) to 昭和: its last year
        {3, 40, 2, 1, 1989},   // 昭和40 (1965) to 平成: its first year
        {0, 2026, 2, 31, 2019},
        {3, 2026, 1, 8, 2026},  // a Western year in an era's field
    };
    for (const auto& c : switches) {
        JumpState t{c.fromEra, c.field, 0};
        changeJumpEra(t, c.toEra, c.field);
        EXPECT_EQ(t.year, c.year) << c.fromEra << "/" << c.field << " to " << c.toEra;
        EXPECT_EQ(t.western, c.western) << c.fromEra << "/" << c.field << " to " << c.toEra;
    }
    // A Western year typed in an era's field becomes the era in force on that day.
    JumpState typed{2, 2026, 0};
    settleJumpYear(typed, 12, 7);
    EXPECT_EQ(typed.era, 1);
    EXPECT_EQ(typed.year, 8);
    JumpState spring{3, 2019, 0};
    settleJumpYear(spring, 4, 30);
    EXPECT_EQ(spring.era, 2);
    EXPECT_EQ(spring.year, 31);
    JumpState eraYear{2, 30, 0};
    settleJumpYear(eraYear, 1, 1);
    EXPECT_EQ(eraYear.era, 2);
    EXPECT_EQ(eraYear.year, 30);
    EXPECT_EQ(eraRangeText(2), "平成は1年から31年まで(西暦1989年から2019年まで)です。");
}

// The add dialog's year: era years get the era's offset; a number past the
// era's last year is already Gregorian; nonsense is refused.
TEST(JumpDate, EntryYears) {
    struct Case {
        bool withYear;
        int era;
        const char* typed;
        bool accepted;
        int year;
    } cases[] = {
        {true, 3, "55", true, 1980},    {true, 3, "1980", true, 1980}, {true, 1, "3", true, 2021},
        {true, 0, "1980", true, 1980},  {true, 2, "31", true, 2019},   {true, 0, "", true, 0},
        {false, 3, "55", true, 0},      {true, 3, " 55 ", true, 1980}, {true, 0, "1581", false, 0},
        {true, 0, "10000", false, 0},   {true, 3, "70", false, 0},     {true, 3, "0", false, 0},
        {true, 0, "19a0", false, 0},    {true, 6, "4", true, 1868},    {true, 0, "99999999999", false, 0},
        {true, 2, "32", false, 0},      {true, 2, "2026", true, 2026}, {true, 1, "99", true, 2117},
    };
    for (const Case& c : cases) {
        const EntryYear y = confirmEntryYear(c.withYear, c.era, c.typed);
        EXPECT_EQ(y.accepted, c.accepted) << c.era << " " << c.typed;
        EXPECT_EQ(y.year, c.year) << c.era << " " << c.typed;
        EXPECT_EQ(y.problem.empty(), c.accepted) << c.era << " " << c.typed;
    }
}

TEST(JumpDate, Confirmation) {
    struct Case {
        int era, year, month, day, days;
        bool accepted;
        int error;
        JumpFocus focus;
        int y, m, d;
    } cases[] = {
        {2, 17, 7, 9, 0, true, 0, JumpFocus::None, 2005, 7, 9},
        {1, 8, 12, 7, 0, true, 0, JumpFocus::None, 2026, 12, 7},
        {0, 1582, 10, 10, 0, false, 928, JumpFocus::Day, 0, 0, 0},
        {0, 1582, 9, 30, 0, false, 928, JumpFocus::Month, 0, 0, 0},
        {0, 1500, 1, 1, 0, false, 928, JumpFocus::Year, 0, 0, 0},
        {0, 2005, 13, 1, 0, false, 0, JumpFocus::Month, 0, 0, 0},
        {0, 2005, 2, 30, 0, false, 0, JumpFocus::Day, 0, 0, 0},
        {0, 9999, 12, 31, 1, false, 929, JumpFocus::Days, 0, 0, 0},
        {0, 1582, 10, 15, -1, false, 930, JumpFocus::Days, 0, 0, 0},
        {0, 2026, 12, 7, 25, true, 0, JumpFocus::None, 2027, 1, 1},
        {0, 2026, 12, 7, -365, true, 0, JumpFocus::None, 2025, 12, 7},
        {2, 35, 1, 1, 0, false, 0, JumpFocus::Year, 0, 0, 0},          // 平成35: past the era, refused with its range
        {2, 2026, 12, 7, 0, true, 0, JumpFocus::None, 2026, 12, 7},  // a Western year in 平成's field
    };
    for (const Case& c : cases) {
        const JumpOutcome o = confirmJump({c.era, c.year, 0}, c.month, c.day, c.days);
        EXPECT_EQ(o.problem.empty(), c.year != 35) << c.year;
        EXPECT_EQ(o.accepted, c.accepted) << c.year << "-" << c.month << "-" << c.day << "+" << c.days;
        EXPECT_EQ(o.errorString, c.error) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(o.focus, c.focus) << c.year << "-" << c.month << "-" << c.day;
        if (c.accepted) {
            EXPECT_EQ(o.year, c.y);
            EXPECT_EQ(o.month, c.m);
            EXPECT_EQ(o.day, c.d);
        }
    }
}

}  // namespace
}  // namespace tavo
