// The generated lunar table: its astronomy, its months and the rokuyo it gives.
#include <gtest/gtest.h>

#include <cmath>

#include "legacy_rokuyo_table.h"
#include "shared/calendar_date.h"
#include "shared/date_math.h"
#include "shared/rokuyo.h"
#include "tools/lunar/astronomy.h"
#include "tools/lunar/lunisolar.h"

namespace tavo {
namespace {

double jdOfUtc(int y, int m, int d, int hour, int minute) {
    return serialDayOf(y, m, d) + 1721119.0 - 0.5 + (hour + minute / 60.0) / 24.0;
}

double minutesBetween(double jdA, double jdB) { return (jdA - jdB) * 1440.0; }

// Published instants (UTC) to the minute.
TEST(LunarAstronomy, NewMoonsMatchPublishedInstants) {
    struct Case {
        int y, m, d, hh, mm;
    } cases[] = {
        {2000, 1, 6, 18, 14}, {2024, 1, 11, 11, 57}, {2017, 2, 26, 14, 58}, {2005, 12, 1, 15, 1}, {2012, 6, 19, 15, 2},
    };
    for (const Case& c : cases) {
        const long k = std::lround((jdOfUtc(c.y, c.m, c.d, c.hh, c.mm) - 2451550.09766) / 29.530588861);
        const double ut = lunar::jdeToUt(lunar::newMoonJde(k));
        EXPECT_LT(std::fabs(minutesBetween(ut, jdOfUtc(c.y, c.m, c.d, c.hh, c.mm))), 3.0) << c.y << "-" << c.m;
    }
}

TEST(LunarAstronomy, SolarTermsMatchPublishedInstants) {
    struct Case {
        double longitude;
        int y, m, d, hh, mm;
    } cases[] = {
        {0, 2000, 3, 20, 7, 35},    {0, 2024, 3, 20, 3, 6},     {270, 2023, 12, 22, 3, 27},
        {90, 2021, 6, 21, 3, 32},   {180, 2022, 9, 23, 1, 4},
    };
    for (const Case& c : cases) {
        const double guess = jdOfUtc(c.y, c.m, c.d, 0, 0) - 5;
        const double ut = lunar::jdeToUt(lunar::solarLongitudeJde(c.longitude, guess));
        EXPECT_LT(std::fabs(minutesBetween(ut, jdOfUtc(c.y, c.m, c.d, c.hh, c.mm))), 3.0) << c.y << " " << c.longitude;
    }
}

class LunarTable : public ::testing::Test {
protected:
    static void SetUpTestSuite() { months = new std::vector<lunar::LunarMonthStart>(lunar::buildLunarMonths(1873, 2100)); }
    static void TearDownTestSuite() { delete months; }
    static std::vector<lunar::LunarMonthStart>* months;
};
std::vector<lunar::LunarMonthStart>* LunarTable::months = nullptr;

// Regenerating the table gives the checked-in data, day for day.
TEST_F(LunarTable, CheckedInDataIsWhatTheGeneratorGives) {
    std::size_t m = 0;
    CalendarDate d(1873, 1, 1);
    do {
        const int serial = d.serialDay();
        while (m + 1 < months->size() && (*months)[m + 1].serial <= serial) ++m;
        const lunar::LunarMonthStart& start = (*months)[m];
        LunarDate lunarDate;
        ASSERT_TRUE(lunarDateOf(d.year(), d.month(), d.day(), lunarDate));
        ASSERT_EQ(lunarDate.month, start.month) << d.year() << "-" << d.month() << "-" << d.day();
        ASSERT_EQ(lunarDate.leap, start.leap);
        ASSERT_EQ(lunarDate.day, serial - start.serial + 1);
        ASSERT_EQ(rokuyoOf(d.year(), d.month(), d.day()), (start.month + serial - start.serial + 1) % 6);
    } while (d.nextDay() != 0 && d.year() <= 2100);
}

TEST_F(LunarTable, MonthsAreWellFormed) {
    for (std::size_t i = 0; i + 1 < months->size(); ++i) {
        const int length = (*months)[i + 1].serial - (*months)[i].serial;
        ASSERT_TRUE(length == 29 || length == 30) << i;
        const auto& a = (*months)[i];
        const auto& b = (*months)[i + 1];
        ASSERT_TRUE((b.leap && b.month == a.month) || (!b.leap && b.month == a.month % 12 + 1)) << i;
    }
}

TEST_F(LunarTable, LeapMonthsAsAlmanacsPrintThem) {
    struct Case {
        int year, month;
    } cases[] = {{2012, 3}, {2014, 9}, {2017, 5}, {2020, 4}, {2023, 2}, {2025, 6}, {2033, 11}, {1990, 5}, {2006, 7}};
    for (const Case& c : cases) {
        int found = 0;
        for (const auto& m : *months) {
            int y, mo, d;
            civilFromSerial(m.serial, y, mo, d);
            if (m.leap && y == c.year) found = m.month;
        }
        EXPECT_EQ(found, c.month) << c.year;
    }
}

// New moons within minutes of midnight JST: the month starts on the right day.
TEST_F(LunarTable, MonthsWhoseNewMoonIsNearMidnight) {
    struct Case {
        int y, m, d, lunarMonth;
    } cases[] = {{2005, 12, 2, 11}, {2012, 6, 20, 5}, {2017, 2, 26, 2}};
    for (const Case& c : cases) {
        LunarDate first, before;
        ASSERT_TRUE(lunarDateOf(c.y, c.m, c.d, first));
        EXPECT_EQ(first.day, 1) << c.y;
        EXPECT_EQ(first.month, c.lunarMonth) << c.y;
        CalendarDate prev(c.y, c.m, c.d);
        prev.prevDay();
        ASSERT_TRUE(lunarDateOf(prev.year(), prev.month(), prev.day(), before));
        EXPECT_GE(before.day, 29) << c.y;
    }
}

// The old table covered 1994..2020; the new data gives the same rokuyo on every day.
TEST(LunarRokuyo, SameAsTheOldTableFor1994To2020) {
    CalendarDate d(1994, 1, 1);
    do {
        ASSERT_EQ(rokuyoOf(d.year(), d.month(), d.day()), test::legacyRokuyo(d.year(), d.month(), d.day()))
            << d.year() << "-" << d.month() << "-" << d.day();
    } while (d.nextDay() != 0 && d.year() <= 2020);
}

}  // namespace
}  // namespace tavo
