#include "shared/calendar_date.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "cache_check.h"
#include "shared/clock.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

using test::cachesConsistent;
using test::fillCaches;

struct Ymd {
    int y, m, d;
};

bool sameDate(CalendarDate& date, Ymd want) {
    return date.year() == want.y && date.month() == want.m && date.day() == want.d;
}

class CalendarDateTest : public ::testing::Test {
protected:
    FixedClock clock{{2026, 12, 7}};
    void SetUp() override { setClock(&clock); }
    void TearDown() override { setClock(nullptr); }
};

TEST_F(CalendarDateTest, KnownDays) {
    struct Case {
        Ymd date;
        int weekday, serial;
    } cases[] = {
        {{2000, 1, 1}, 6, 730426},  {{2000, 3, 1}, 3, 730486},  {{1582, 10, 15}, 5, serialDayOf(1582, 10, 15)},
        {{2026, 12, 7}, 1, 740263}, {{9999, 12, 31}, 5, 3652365}, {{1900, 3, 1}, 4, 693961},
    };
    for (const Case& c : cases) {
        CalendarDate d(c.date.y, c.date.m, c.date.d);
        EXPECT_EQ(d.weekday(), c.weekday) << c.date.y << "-" << c.date.m << "-" << c.date.d;
        EXPECT_EQ(d.serialDay(), c.serial) << c.date.y << "-" << c.date.m << "-" << c.date.d;
    }
    EXPECT_FALSE(CalendarDate(1900, 1, 1).isLeapYear());
    EXPECT_TRUE(CalendarDate(2000, 1, 1).isLeapYear());
    EXPECT_EQ(CalendarDate(1900, 2, 1).monthLength(), 28);
    EXPECT_EQ(CalendarDate(2000, 2, 1).monthLength(), 29);
    EXPECT_EQ(CalendarDate(2000, 6, 1).yearLength(), 366);
}

// Walks every day of the range once: serial numbers count up by one,
// weekdays cycle, and the caches carried along never disagree with the formulas.
TEST_F(CalendarDateTest, EveryDayOfTheRangeByNextDay) {
    CalendarDate d(1582, 10, 15);
    fillCaches(d);
    int expectedSerial = serialDayOf(1582, 10, 15);
    int expectedWeekday = 5;
    int days = 1;
    while (d.nextDay() != 0) {
        ++expectedSerial;
        expectedWeekday = (expectedWeekday + 1) % 7;
        ++days;
        ASSERT_EQ(d.serialDay(), expectedSerial);
        ASSERT_EQ(weekdayOf(d.year(), d.month(), d.day()), expectedWeekday);
        if (d.day() == 1) {
            ASSERT_TRUE(cachesConsistent(d));
        }
        int y, m, dd;
        civilFromSerial(expectedSerial, y, m, dd);
        ASSERT_TRUE(sameDate(d, {y, m, dd}));
        fillCaches(d);
    }
    EXPECT_TRUE(sameDate(d, {9999, 12, 31}));
    EXPECT_EQ(days, serialDayOf(9999, 12, 31) - serialDayOf(1582, 10, 15) + 1);
}

// Expected result of a step from y-m-d, computed independently of the type.
struct StepCase {
    const char* name;
    std::function<int(CalendarDate&)> step;
    std::function<bool(Ymd, Ymd&)> expect;  // false: the step must be refused
};

Ymd fromSerial(int serial) {
    Ymd r{};
    civilFromSerial(serial, r.y, r.m, r.d);
    return r;
}

bool shiftDays(Ymd from, int n, Ymd& to) {
    const int s = serialDayOf(from.y, from.m, from.d) + n;
    if (s > serialDayOf(9999, 12, 31) || s < serialDayOf(1582, 10, 1)) return false;
    to = fromSerial(s);
    return true;
}

bool shiftMonths(Ymd from, int n, Ymd& to) {
    const int index = from.y * 12 + from.m - 1 + n;
    const int y = index / 12, m = index % 12 + 1;
    if (y > 9999 || (y == 1582 && m < 10) || y < 1582) return false;
    const int len = monthLengthOf(y, m);
    to = {y, m, from.d < len ? from.d : len};
    return true;
}

bool shiftYears(Ymd from, int n, Ymd& to) {
    const int y = from.y + n;
    if (y > 9999 || y < 1582 || (y == 1582 && from.m < 10)) return false;
    to = {y, from.m, (from.m == 2 && from.d == 29 && !isLeapYear(y)) ? 28 : from.d};
    return true;
}

bool shiftWeek(Ymd from, int sign, Ymd& to) {
    // Only a change of month can be refused, and only at the ends of the range.
    if (!shiftDays(from, 7 * sign, to)) return false;
    if (to.m != from.m && ((sign > 0 && from.y == 9999 && from.m == 12) || (sign < 0 && from.y == 1582 && from.m == 10)))
        return false;
    return true;
}

const std::vector<StepCase>& stepCases() {
    static const std::vector<StepCase> cases = {
        {"nextDay", [](CalendarDate& d) { return d.nextDay(); }, [](Ymd f, Ymd& t) { return shiftDays(f, 1, t); }},
        {"prevDay", [](CalendarDate& d) { return d.prevDay(); }, [](Ymd f, Ymd& t) { return shiftDays(f, -1, t); }},
        {"nextWeek", [](CalendarDate& d) { return d.nextWeek(); }, [](Ymd f, Ymd& t) { return shiftWeek(f, 1, t); }},
        {"prevWeek", [](CalendarDate& d) { return d.prevWeek(); }, [](Ymd f, Ymd& t) { return shiftWeek(f, -1, t); }},
        {"nextMonth", [](CalendarDate& d) { return d.nextMonth(); }, [](Ymd f, Ymd& t) { return shiftMonths(f, 1, t); }},
        {"prevMonth", [](CalendarDate& d) { return d.prevMonth(); }, [](Ymd f, Ymd& t) { return shiftMonths(f, -1, t); }},
        {"nextYear", [](CalendarDate& d) { return d.nextYear(); }, [](Ymd f, Ymd& t) { return shiftYears(f, 1, t); }},
        {"prevYear", [](CalendarDate& d) { return d.prevYear(); }, [](Ymd f, Ymd& t) { return shiftYears(f, -1, t); }},
    };
    return cases;
}

// Every step from every day of a span, with all caches filled beforehand and
// with none: the result, the refusals and the caches must all be right.
void checkStepsOver(Ymd first, Ymd last) {
    CalendarDate walker(first.y, first.m, first.d);
    for (;;) {
        const Ymd from{walker.year(), walker.month(), walker.day()};
        for (const StepCase& c : stepCases()) {
            for (bool filled : {true, false}) {
                CalendarDate d(from.y, from.m, from.d);
                if (filled) fillCaches(d);
                Ymd want{};
                const bool allowed = c.expect(from, want);
                const int r = c.step(d);
                ASSERT_EQ(r != 0, allowed) << c.name << " from " << from.y << "-" << from.m << "-" << from.d;
                if (!allowed) want = from;
                ASSERT_TRUE(sameDate(d, want)) << c.name << " from " << from.y << "-" << from.m << "-" << from.d;
                ASSERT_TRUE(cachesConsistent(d)) << c.name;
            }
        }
        if ((from.y == last.y && from.m == last.m && from.d == last.d) || walker.nextDay() == 0) break;
    }
}

TEST_F(CalendarDateTest, EveryStepNearTheStartOfTheRange) { checkStepsOver({1582, 10, 1}, {1584, 3, 31}); }
TEST_F(CalendarDateTest, EveryStepAroundToday) { checkStepsOver({1999, 12, 1}, {2005, 3, 31}); }
TEST_F(CalendarDateTest, EveryStepAcrossCenturyYears) {
    checkStepsOver({1899, 12, 1}, {1900, 3, 31});
    checkStepsOver({2099, 12, 1}, {2100, 3, 31});
}
TEST_F(CalendarDateTest, EveryStepNearTheEndOfTheRange) { checkStepsOver({9998, 1, 1}, {9999, 12, 31}); }

TEST_F(CalendarDateTest, StepExamples) {
    struct Case {
        Ymd from;
        int (CalendarDate::*step)();
        Ymd to;
        bool refused;
    } cases[] = {
        {{1582, 10, 1}, &CalendarDate::prevDay, {1582, 10, 1}, true},
        {{1582, 10, 15}, &CalendarDate::prevDay, {1582, 10, 14}, false},
        {{2001, 1, 31}, &CalendarDate::nextMonth, {2001, 2, 28}, false},
        {{2004, 1, 31}, &CalendarDate::nextMonth, {2004, 2, 29}, false},
        {{2004, 2, 29}, &CalendarDate::nextYear, {2005, 2, 28}, false},
        {{2004, 2, 29}, &CalendarDate::prevYear, {2003, 2, 28}, false},
        {{9999, 12, 31}, &CalendarDate::nextDay, {9999, 12, 31}, true},
        {{9999, 12, 28}, &CalendarDate::nextWeek, {9999, 12, 28}, true},
        {{9999, 12, 24}, &CalendarDate::nextWeek, {9999, 12, 31}, false},
        {{9999, 12, 5}, &CalendarDate::nextMonth, {9999, 12, 5}, true},
        {{1582, 10, 20}, &CalendarDate::prevMonth, {1582, 10, 20}, true},
        {{1583, 9, 30}, &CalendarDate::prevYear, {1583, 9, 30}, true},
        {{1583, 10, 15}, &CalendarDate::prevYear, {1582, 10, 15}, false},
        {{9999, 1, 1}, &CalendarDate::nextYear, {9999, 1, 1}, true},
    };
    for (const Case& c : cases) {
        CalendarDate d(c.from.y, c.from.m, c.from.d);
        fillCaches(d);
        const int r = (d.*c.step)();
        EXPECT_EQ(r == 0, c.refused) << c.from.y << "-" << c.from.m << "-" << c.from.d;
        EXPECT_TRUE(sameDate(d, c.to)) << c.from.y << "-" << c.from.m << "-" << c.from.d << " gave " << d.year() << "-"
                                       << d.month() << "-" << d.day();
        EXPECT_TRUE(cachesConsistent(d));
    }
}

TEST_F(CalendarDateTest, SetDayMovesCachesWithoutRecomputing) {
    CalendarDate d(2001, 1, 10);
    ASSERT_EQ(d.weekday(), 3);
    const int serial = d.serialDay();
    EXPECT_EQ(d.setDay(3), 10);
    EXPECT_TRUE(d.weekdayCached());
    EXPECT_TRUE(d.serialCached());
    EXPECT_EQ(d.weekday(), 3);
    EXPECT_EQ(d.serialDay(), serial - 7);
    EXPECT_TRUE(cachesConsistent(d));
}

TEST_F(CalendarDateTest, TodayComesFromTheClock) {
    CalendarDate d;
    EXPECT_TRUE(sameDate(d, {2026, 12, 7}));
    EXPECT_TRUE(d.fromTodayCached());
    EXPECT_EQ(d.daysFromToday(), 0);
    d.nextWeek();
    EXPECT_EQ(d.daysFromToday(), 7);
    EXPECT_TRUE(d.isStillToday());
    clock.set({2026, 12, 8});
    EXPECT_FALSE(d.isStillToday());
    CalendarDate fresh(2026, 12, 1);
    EXPECT_EQ(fresh.daysFromToday(), -7);
}

TEST_F(CalendarDateTest, AddDaysAgreesWithSerialArithmetic) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> serials(serialDayOf(1582, 10, 15), serialDayOf(9999, 12, 31));
    std::uniform_int_distribution<int> offsets(-5000, 5000);
    for (int i = 0; i < 20000; ++i) {
        const Ymd from = fromSerial(serials(random));
        const int n = (i % 2 == 0) ? offsets(random) : serials(random) - serialDayOf(from.y, from.m, from.d);
        const int target = serialDayOf(from.y, from.m, from.d) + n;
        if (target < serialDayOf(1582, 10, 15) || target > serialDayOf(9999, 12, 31)) continue;
        CalendarDate d(from.y, from.m, from.d);
        if (i % 3 == 0) fillCaches(d);
        ASSERT_EQ(d.addDays(n), kAddDaysOk) << from.y << "-" << from.m << "-" << from.d << " + " << n;
        ASSERT_TRUE(sameDate(d, fromSerial(target))) << from.y << "-" << from.m << "-" << from.d << " + " << n;
        ASSERT_TRUE(cachesConsistent(d));
    }
}

TEST_F(CalendarDateTest, AddDaysAtTheLimits) {
    struct Case {
        Ymd from;
        int n;
        AddDaysResult result;
        Ymd to;
    } cases[] = {
        {{2000, 1, 1}, -400000, kAddDaysBeforeStart, {2000, 1, 1}},
        {{2000, 1, 1}, 3000000, kAddDaysHitEnd, {9999, 12, 31}},
        {{2000, 1, 1}, 0, kAddDaysOk, {2000, 1, 1}},
        {{9999, 1, 1}, 349, kAddDaysOk, {9999, 12, 16}},
        {{9999, 12, 30}, 1, kAddDaysOk, {9999, 12, 31}},
        {{9999, 12, 30}, 2, kAddDaysHitEnd, {9999, 12, 31}},
        {{1582, 10, 20}, -10, kAddDaysOk, {1582, 10, 10}},  // allowed by the type, flagged by checkDate
        {{1582, 10, 20}, -20, kAddDaysBeforeStart, {1582, 10, 20}},
        {{1582, 10, 15}, 2147483647, kAddDaysHitEnd, {9999, 12, 31}},
        {{9999, 12, 31}, -2147483647 - 1, kAddDaysBeforeStart, {9999, 12, 31}},
    };
    for (const Case& c : cases) {
        CalendarDate d(c.from.y, c.from.m, c.from.d);
        fillCaches(d);
        EXPECT_EQ(d.addDays(c.n), c.result) << c.n;
        EXPECT_TRUE(sameDate(d, c.to)) << c.n << " gave " << d.year() << "-" << d.month() << "-" << d.day();
        EXPECT_TRUE(cachesConsistent(d));
    }
}

TEST_F(CalendarDateTest, MoveToWeekday) {
    struct Case {
        Ymd from;
        int target;
        bool mondayFirst, crossMonth;
        int result;
        Ymd to;
    } cases[] = {
        {{2026, 12, 9}, 0, false, false, 3, {2026, 12, 6}},    // Wednesday to Sunday
        {{2026, 12, 9}, 0, true, false, 3, {2026, 12, 13}},    // Monday-first: Sunday ends the week
        {{2026, 12, 9}, 3, false, false, -1, {2026, 12, 9}},   // already there
        {{2026, 12, 2}, 0, false, false, -1, {2026, 12, 2}},   // 29 November: outside the month
        {{2026, 12, 2}, 0, false, true, 3, {2026, 11, 29}},    // allowed across the month
        {{2026, 12, 9}, 0, false, true, -1, {2026, 12, 9}},    // inside: refused when crossing
        {{2026, 12, 31}, 6, false, true, 4, {2027, 1, 2}},     // into the next year
        {{9999, 12, 31}, 6, false, true, -1, {9999, 12, 31}},  // past the end
        {{2026, 11, 30}, 0, true, true, 1, {2026, 12, 6}},     // Monday-first, Sunday in December
    };
    for (const Case& c : cases) {
        CalendarDate d(c.from.y, c.from.m, c.from.d);
        fillCaches(d);
        EXPECT_EQ(d.moveToWeekday(c.target, c.mondayFirst, c.crossMonth), c.result) << c.from.d << " -> " << c.target;
        EXPECT_TRUE(sameDate(d, c.to)) << c.from.d << " -> " << c.target << " gave " << d.month() << "-" << d.day();
        EXPECT_TRUE(cachesConsistent(d));
        if (c.result >= 0) {
            EXPECT_EQ(d.weekday(), c.target);
        }
    }
}

TEST_F(CalendarDateTest, Validation) {
    struct Case {
        Ymd date;
        int full, shortForm, gregorian;
    } cases[] = {
        {{10000, 1, 1}, 1, 1, 0}, {{2000, 13, 1}, 2, 2, 0},  {{2000, 0, 1}, 2, 2, 0},   {{2001, 2, 29}, 3, 3, 0},
        {{2000, 2, 30}, 3, 3, 0}, {{2000, 1, 0}, 3, 3, 0},   {{1581, 12, 31}, 4, 0, 1}, {{1582, 9, 30}, 5, 0, 2},
        {{1582, 10, 14}, 6, 0, 3}, {{1582, 10, 1}, 6, 0, 3}, {{1582, 10, 15}, 0, 0, 0}, {{9999, 12, 31}, 0, 0, 0},
        {{1500, 13, 1}, 2, 2, 1},  // the tests run in order; the first failure decides
    };
    for (const Case& c : cases) {
        CalendarDate d(c.date.y, c.date.m, c.date.d);
        EXPECT_EQ(d.checkDate(), c.full) << c.date.y << "-" << c.date.m << "-" << c.date.d;
        EXPECT_EQ(d.checkDateShort(), c.shortForm) << c.date.y << "-" << c.date.m << "-" << c.date.d;
        EXPECT_EQ(d.checkGregorianStart(), c.gregorian) << c.date.y << "-" << c.date.m << "-" << c.date.d;
    }
}

}  // namespace
}  // namespace tavo
