#include "calendar/calc/holidays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "calendar/calc/equinox.h"
#include "calendar/calc/holiday_table.h"
#include "cli/commands.h"
#include "shared/calendar_date.h"
#include "shared/date_math.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

struct Expected {
    int result;
    const char* name;  // CP932; nullptr when result is 0
};

Expected holidayOf(int y, int m, int d, bool enabled = true) {
    char name[kHolidayNameBytes] = "";
    const HolidayResult r = isPublicHoliday({enabled}, dayDate(y, m, d), name, true);
    return {r, r == kNoHoliday ? nullptr : name};
}

struct Case {
    int y, m, d;
    int result;
    const char* name;
};

void checkCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        char name[kHolidayNameBytes] = "";
        const HolidayResult r = isPublicHoliday({true}, dayDate(c.y, c.m, c.d), name, true);
        EXPECT_EQ(r, c.result) << c.y << "-" << c.m << "-" << c.d;
        if (c.result != 0) {
            EXPECT_STREQ(name, c.name) << c.y << "-" << c.m << "-" << c.d;
        }
    }
}

TEST(Holidays, PreWarFestivals) {
    checkCases({
        {1948, 1, 1, 1, "四方拝"},       {1949, 1, 1, 1, "元日"},         {1879, 1, 1, 1, "四方拝"},
        {1878, 1, 1, 0, nullptr},        {1873, 1, 29, 1, "神武天皇祭"},  {1874, 1, 29, 0, nullptr},
        {1900, 1, 30, 1, "孝明天皇祭"},  {1920, 7, 30, 1, "明治天皇祭"},  {1912, 8, 31, 1, "天長節"},
        {1913, 8, 31, 0, nullptr},       {1913, 10, 31, 1, "天長節"},     {1900, 11, 3, 1, "天長節"},
        {1930, 11, 3, 1, "明治節"},      {1947, 12, 25, 1, "大正天皇祭"}, {1948, 12, 25, 0, nullptr},
        {1880, 9, 17, 0, nullptr},       {1879, 9, 17, 1, "神嘗祭"},      {1880, 10, 17, 1, "神嘗祭"},
        {1890, 10, 17, 0, nullptr},      {1930, 4, 29, 1, "天長節"},      {1940, 2, 11, 1, "紀元節"},
        {1930, 9, 23, 0, nullptr},  // no autumnal festival in early Showa
        {1920, 9, 23, 1, "秋季皇霊祭"},  // correct spelling; true equinox day 1920
        {1930, 3, 21, 1, "春季皇霊祭"},
    });
}

TEST(Holidays, PostWarLawAndItsAmendments) {
    checkCases({
        {1989, 4, 29, 1, "みどりの日"},   {2006, 4, 29, 1, "みどりの日"},   {2007, 4, 29, 1, "昭和の日"},
        {2007, 5, 4, 1, "みどりの日"},    {2006, 5, 4, 5, "国民の休日"},    {2026, 4, 29, 1, "昭和の日"},
        {1993, 6, 9, 1, "皇太子殿下結婚の儀"}, {1959, 4, 10, 1, "皇太子殿下結婚の儀"},
        {1989, 2, 24, 1, "昭和天皇の大喪の礼"}, {1990, 11, 12, 1, "即位礼正殿の儀"},
        {2019, 5, 1, 1, "天皇の即位の日"}, {2019, 10, 22, 1, "即位礼正殿の儀"},
        {2001, 1, 8, 1, "成人の日"},      {1999, 1, 15, 1, "成人の日"},     {2000, 1, 10, 1, "成人の日"},
        {1996, 7, 20, 1, "海の日"},       {1995, 7, 20, 0, nullptr},        {1989, 7, 20, 0, nullptr},
        {2003, 7, 21, 1, "海の日"},       {2020, 7, 23, 1, "海の日"},       {2020, 7, 20, 0, nullptr},
        {2021, 7, 22, 1, "海の日"},       {2021, 7, 19, 0, nullptr},        {2020, 7, 24, 1, "スポーツの日"},
        {2021, 7, 23, 1, "スポーツの日"}, {2020, 10, 12, 0, nullptr},       {2021, 10, 11, 0, nullptr},
        {2019, 10, 14, 1, "体育の日"},    {2022, 10, 10, 1, "スポーツの日"}, {1999, 10, 10, 1, "体育の日"},
        {2016, 8, 11, 1, "山の日"},       {2015, 8, 11, 0, nullptr},        {2020, 8, 10, 1, "山の日"},
        {2020, 8, 11, 0, nullptr},        {2021, 8, 8, 1, "山の日"},        {2021, 8, 9, 4, "振り替え休日"},
        {1988, 12, 23, 0, nullptr},       {1989, 12, 23, 1, "天皇誕生日"},  {2018, 12, 23, 1, "天皇誕生日"},
        {2019, 12, 23, 0, nullptr},       {2019, 2, 23, 0, nullptr},        {2020, 2, 23, 1, "天皇誕生日"},
        {1988, 4, 29, 1, "天皇誕生日"},   {1966, 9, 15, 1, "敬老の日"},     {1965, 9, 15, 0, nullptr},
        {1967, 2, 11, 1, "建国記念の日"}, {1966, 2, 11, 0, nullptr},        {2026, 9, 21, 1, "敬老の日"},
    });
}

TEST(Holidays, SubstituteAndNationalHolidays) {
    checkCases({
        {1973, 9, 24, 4, "振り替え休日"}, {1973, 2, 12, 0, nullptr},       {1973, 4, 30, 4, "振り替え休日"},
        {2008, 5, 6, 4, "振り替え休日"},  {2019, 5, 6, 4, "振り替え休日"},  {2024, 9, 23, 4, "振り替え休日"},
        {2027, 3, 22, 4, "振り替え休日"}, {1988, 5, 4, 5, "国民の休日"},    {1986, 5, 4, 0, nullptr},
        {1987, 5, 4, 4, "振り替え休日"},  {2009, 9, 22, 5, "国民の休日"},   {2026, 9, 22, 5, "国民の休日"},
        {2019, 4, 30, 5, "国民の休日"},   {2019, 5, 2, 5, "国民の休日"},    {2032, 9, 21, 5, "国民の休日"},
    });
}

TEST(Holidays, EquinoxDays) {
    struct EquinoxCase {
        int year, vernal, autumnal;
    } cases[] = {
        {1949, 21, 23}, {1950, 21, 23}, {1951, 21, 24}, {1952, 21, 23}, {1979, 21, 24}, {1980, 20, 23},
        {2000, 20, 23}, {2001, 20, 23}, {2003, 21, 23}, {2012, 20, 22}, {2013, 20, 23}, {2016, 20, 22},
        {2020, 20, 22}, {2024, 20, 22}, {2025, 20, 23}, {2026, 20, 23}, {2027, 21, 23}, {2028, 20, 22},
        {2051, 21, 23}, {2055, 21, 23}, {1899, 20, 23}, {2050, 20, 23}, {2151, 20, 23}, {1600, 20, 23},
    };
    for (const EquinoxCase& c : cases) {
        EXPECT_EQ(vernalEquinoxDay(c.year), c.vernal) << c.year;
        EXPECT_EQ(autumnalEquinoxDay(c.year), c.autumnal) << c.year;
    }
    // Within the span every equinox stays within a day of its mean date.
    for (int y = kEquinoxFirstYear; y <= kEquinoxLastYear; ++y) {
        EXPECT_GE(vernalEquinoxDay(y), 19) << y;
        EXPECT_LE(vernalEquinoxDay(y), 22) << y;
        EXPECT_GE(autumnalEquinoxDay(y), 21) << y;
        EXPECT_LE(autumnalEquinoxDay(y), 24) << y;
    }
}

TEST(Holidays, SwitchOffGivesNoHolidays) {
    CalendarDate d(2019, 1, 1);
    do {
        ASSERT_EQ(holidayOf(d.year(), d.month(), d.day(), false).result, kNoHoliday);
    } while (d.nextDay() != 0 && d.year() < 2021);
}

// Invariants over every supported day: derived holidays never fall on the 1st,
// national holidays never on a Sunday or the 31st, names fit their buffers,
// and the national-holiday test looks into the next month only once.
TEST(Holidays, InvariantsOverEveryDay) {
    CalendarDate d(1582, 10, 15);
    int crossings = 0;
    do {
        const int y = d.year(), m = d.month(), day = d.day();
        char name[kHolidayNameBytes];
        std::memset(name, 'x', sizeof name);
        const HolidayResult r = isPublicHoliday({true}, dayDate(y, m, day), name, true);
        if (r == kNoHoliday) continue;
        ASSERT_LT(std::strlen(name), kHolidayNameBytes);
        if (r == kNamedHoliday) continue;
        ASSERT_NE(day, 1) << y << "-" << m;
        if (r == kNationalHoliday) {
            ASSERT_NE(day, 31) << y << "-" << m;
            ASSERT_NE(weekdayOf(y, m, day), 0) << y << "-" << m << "-" << day;
            if (day == monthLengthOf(y, m)) ++crossings;
            if (day == monthLengthOf(y, m)) {
                EXPECT_TRUE(y == 2019 && m == 4 && day == 30);
            }
        }
    } while (d.nextDay() != 0);
    EXPECT_EQ(crossings, 1);
}

// The range view takes a month's holidays at once; they must be the days'.
TEST(Holidays, MonthAtOnceAgreesWithEachDay) {
    for (const bool enabled : {true, false})
        for (int y = 1860; y <= 2200; ++y)
            for (int m = 1; m <= 12; ++m) {
                HolidayResult month[32];
                monthHolidays({enabled}, y, m, month);
                EXPECT_EQ(month[0], kNoHoliday);
                for (int d = 1; d <= 31; ++d) {
                    const int day = d <= monthLengthOf(y, m) ? holidayOf(y, m, d, enabled).result : kNoHoliday;
                    ASSERT_EQ(month[d], day) << y << "-" << m << "-" << d;
                }
            }
}

TEST(Holidays, WithoutDerivedOnlyNamedCount) {
    EXPECT_EQ(isPublicHoliday({true}, dayDate(2008, 5, 6), nullptr, false), kNoHoliday);
    EXPECT_EQ(isPublicHoliday({true}, dayDate(2008, 5, 5), nullptr, false), kNamedHoliday);
}

TEST(Holidays, HappyMondays) {
    EXPECT_EQ(comingOfAgeDay(2001), 8);
    EXPECT_EQ(comingOfAgeDay(2026), 12);
    EXPECT_EQ(marineDay(2003), 21);
    EXPECT_EQ(respectForTheAgedDay(2003), 15);
    EXPECT_EQ(sportsDay(2000), 9);
    EXPECT_EQ(sportsDay(2020), 0);
    for (int y = 2000; y < 2200; ++y) {
        EXPECT_EQ(weekdayOf(y, 1, comingOfAgeDay(y)), 1) << y;
        if (sportsDay(y) != 0) {
            EXPECT_EQ(weekdayOf(y, 10, sportsDay(y)), 1) << y;
        }
        EXPECT_GE(comingOfAgeDay(y), 8);
        EXPECT_LE(comingOfAgeDay(y), 14);
    }
}

// The published national holidays of 1955..2030, as tavocal lists them:
// those past the last year fixed marked as forecasts.
TEST(Holidays, ListOf1955To2030MatchesTheKnownDays) {
    std::ifstream file(TAVO_TEST_DATA_DIR "/holidays-1955-2030.tsv", std::ios::binary);
    ASSERT_TRUE(file.good());
    std::stringstream expected;
    for (std::string line; std::getline(file, line);)
        expected << line << (std::stoi(line.substr(0, 4)) > kHolidaysFixedThrough ? test::utf8(u8"(予定)") : "") << "\n";
    std::ostringstream out, err;
    ASSERT_EQ(cli::run({"holidays", "1955", "2030"}, out, err), 0);
    EXPECT_EQ(out.str(), expected.str());
    EXPECT_NE(expected.str().find(test::utf8(u8"2019-04-30\t5\t国民の休日\n")), std::string::npos);
    EXPECT_NE(expected.str().find(test::utf8(u8"2021-08-09\t4\t振り替え休日\n")), std::string::npos);
}

}  // namespace
}  // namespace tavo
