#include "shared/calendar_day.h"

#include <gtest/gtest.h>

#include "shared/clock.h"
#include "shared/era.h"
#include "shared/rokuyo.h"

namespace tavo {
namespace {

TEST(CalendarDay, EraFollowsDayStepsAcrossAnEraChange) {
    struct Case {
        int y, m, d;
        int (CalendarDate::*step)();
        int eraBefore, eraAfter;
    } cases[] = {
        {1989, 1, 7, &CalendarDate::nextDay, kEraShowa, kEraHeisei},
        {2019, 4, 30, &CalendarDate::nextDay, kEraHeisei, kEraReiwa},
        {2019, 5, 1, &CalendarDate::prevDay, kEraReiwa, kEraHeisei},
        {1926, 12, 20, &CalendarDate::nextWeek, kEraTaisho, kEraShowa},
        {2019, 4, 15, &CalendarDate::nextMonth, kEraHeisei, kEraReiwa},
    };
    for (const Case& c : cases) {
        CalendarDay d(c.y, c.m, c.d);
        EXPECT_EQ(d.era(), c.eraBefore);
        (d.*c.step)();
        EXPECT_EQ(d.era(), c.eraAfter) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(d.eraYear(), eraOf(d.year(), d.month(), d.day()).year);
    }
}

TEST(CalendarDay, CachedTextsFollowTheDate) {
    CalendarDay d(2000, 1, 1);
    EXPECT_STREQ(d.rokuyoName(), "大安");
    EXPECT_STREQ(d.eraName(), "平成");
    EXPECT_EQ(d.eraInitial(), 'H');
    EXPECT_STREQ(d.englishMonthName(), "January");
    d.setDay(7);
    EXPECT_STREQ(d.rokuyoName(), "赤口");
    d.nextMonth();
    EXPECT_STREQ(d.englishMonthName(), "February");
    d.addDays(366 * 102);  // past 2100, the last year with rokuyo
    EXPECT_FALSE(d.insideLunarTable());
    EXPECT_EQ(d.rokuyo(), -1);
    EXPECT_STREQ(d.rokuyoName(), "  ");
    EXPECT_STREQ(d.eraName(), "令和");
}

// Walking day by day must give the same rokuyo and era as fresh values.
TEST(CalendarDay, WalkedCachesMatchFreshDays) {
    CalendarDay walker(1993, 12, 1);
    while (walker.year() < 2022) {
        CalendarDay fresh(walker.year(), walker.month(), walker.day());
        ASSERT_EQ(walker.rokuyo(), fresh.rokuyo()) << walker.year() << "-" << walker.month() << "-" << walker.day();
        ASSERT_EQ(walker.era(), fresh.era());
        ASSERT_EQ(walker.insideLunarTable(), fresh.insideLunarTable());
        walker.nextDay();
    }
}

TEST(ShownDate, FirstWeekdayIsDroppedWhenTheMonthChanges) {
    ShownDate d(2026, 12, 7);
    EXPECT_EQ(d.firstWeekday(), 2);  // 1 December 2026 is a Tuesday
    d.nextDay();
    EXPECT_TRUE(d.firstWeekdayCached());
    d.nextMonth();
    EXPECT_FALSE(d.firstWeekdayCached());
    EXPECT_EQ(d.firstWeekday(), 5);  // 1 January 2027 is a Friday
    d.setShown(2005, 7, 9);
    EXPECT_FALSE(d.firstWeekdayCached());
    EXPECT_EQ(d.firstWeekday(), 5);
    d.setDay(2);                               // a Saturday
    EXPECT_EQ(d.moveToWeekday(3, false, true), 6);  // back into June 2005
    EXPECT_EQ(d.month(), 6);
    EXPECT_EQ(d.firstWeekday(), 3);
}

TEST(ShownDate, TodayEraComesWithTheTodayCache) {
    FixedClock clock({2019, 4, 30});
    setClock(&clock);
    ShownDate d;
    EXPECT_EQ(d.todayEra(), kEraHeisei);
    EXPECT_EQ(d.todayEraYear(), 31);
    clock.set({2026, 12, 7});
    d.setShown(2026, 1, 1);
    EXPECT_EQ(d.todayEra(), kEraReiwa);
    EXPECT_EQ(d.todayEraYear(), 8);
    setClock(nullptr);
}

}  // namespace
}  // namespace tavo
