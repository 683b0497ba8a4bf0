#include "shared/almanac.h"

#include <gtest/gtest.h>

#include <string>

#include "shared/cp932.h"
#include "shared/date_math.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

using test::utf8;

// Blanks around a text, appended piece by piece ("literal" + std::string trips GCC 12's -Wrestrict at -O3).
std::string spaced(std::string_view text) { return std::string(" ").append(text).append(" "); }

// The day of a term or 雑節 in a year: searched day by day, so the test does
// not share the model's lookup.
std::string dayOf(int year, const char8_t* name) {
    const std::string wanted = utf8(name);
    for (int s = serialDayOf(year, 1, 1); s < serialDayOf(year + 1, 1, 1); ++s) {
        int y, m, d;
        civilFromSerial(s, y, m, d);
        if (spaced(cp932ToUtf8(almanacText(y, m, d))).find(spaced(wanted)) != std::string::npos)
            return std::to_string(m).append("/").append(std::to_string(d));
    }
    return "none";
}

// Equinoxes and solstices 2002–2029 as published (instants converted to JST dates).
TEST(Almanac, EquinoxesAndSolsticesAsPublished) {
    struct Year {
        int year;
        const char *spring, *summer, *autumn, *winter;
    } const years[] = {
        {2002, "3/21", "6/21", "9/23", "12/22"}, {2003, "3/21", "6/22", "9/23", "12/22"}, {2004, "3/20", "6/21", "9/23", "12/21"},
        {2005, "3/20", "6/21", "9/23", "12/22"}, {2006, "3/21", "6/21", "9/23", "12/22"}, {2007, "3/21", "6/22", "9/23", "12/22"},
        {2008, "3/20", "6/21", "9/23", "12/21"}, {2009, "3/20", "6/21", "9/23", "12/22"}, {2010, "3/21", "6/21", "9/23", "12/22"},
        {2011, "3/21", "6/22", "9/23", "12/22"}, {2012, "3/20", "6/21", "9/22", "12/21"}, {2013, "3/20", "6/21", "9/23", "12/22"},
        {2014, "3/21", "6/21", "9/23", "12/22"}, {2015, "3/21", "6/22", "9/23", "12/22"}, {2016, "3/20", "6/21", "9/22", "12/21"},
        {2017, "3/20", "6/21", "9/23", "12/22"}, {2018, "3/21", "6/21", "9/23", "12/22"}, {2019, "3/21", "6/22", "9/23", "12/22"},
        {2020, "3/20", "6/21", "9/22", "12/21"}, {2021, "3/20", "6/21", "9/23", "12/22"}, {2022, "3/21", "6/21", "9/23", "12/22"},
        {2023, "3/21", "6/21", "9/23", "12/22"}, {2024, "3/20", "6/21", "9/22", "12/21"}, {2025, "3/20", "6/21", "9/23", "12/22"},
        {2026, "3/20", "6/21", "9/23", "12/22"}, {2027, "3/21", "6/21", "9/23", "12/22"}, {2028, "3/20", "6/21", "9/22", "12/21"},
        {2029, "3/20", "6/21", "9/23", "12/21"},
    };
    for (const Year& y : years) {
        EXPECT_EQ(dayOf(y.year, u8"春分"), y.spring) << y.year;
        EXPECT_EQ(dayOf(y.year, u8"夏至"), y.summer) << y.year;
        EXPECT_EQ(dayOf(y.year, u8"秋分"), y.autumn) << y.year;
        EXPECT_EQ(dayOf(y.year, u8"冬至"), y.winter) << y.year;
    }
}

// Two years of the national observatory's published almanac, every term and
// the 雑節 it gives (2019's 小雪 fell at 23:59 on 22 November).
TEST(Almanac, TheTermsOfWholeYears) {
    struct Day {
        const char8_t* name;
        const char *in2008, *in2019;
    } const days[] = {
        {u8"小寒", "1/6", "1/6"},     {u8"大寒", "1/21", "1/20"},   {u8"立春", "2/4", "2/4"},     {u8"雨水", "2/19", "2/19"},
        {u8"啓蟄", "3/5", "3/6"},     {u8"春分", "3/20", "3/21"},   {u8"清明", "4/4", "4/5"},     {u8"穀雨", "4/20", "4/20"},
        {u8"立夏", "5/5", "5/6"},     {u8"小満", "5/21", "5/21"},   {u8"芒種", "6/5", "6/6"},     {u8"夏至", "6/21", "6/22"},
        {u8"小暑", "7/7", "7/7"},     {u8"大暑", "7/22", "7/23"},   {u8"立秋", "8/7", "8/8"},     {u8"処暑", "8/23", "8/23"},
        {u8"白露", "9/7", "9/8"},     {u8"秋分", "9/23", "9/23"},   {u8"寒露", "10/8", "10/8"},   {u8"霜降", "10/23", "10/24"},
        {u8"立冬", "11/7", "11/8"},   {u8"小雪", "11/22", "11/22"}, {u8"大雪", "12/7", "12/7"},   {u8"冬至", "12/21", "12/22"},
        {u8"土用入り", "1/18", "1/17"}, {u8"節分", "2/3", "2/3"},   {u8"彼岸入り", "3/17", "3/18"}, {u8"八十八夜", "5/1", "5/2"},
        {u8"入梅", "6/10", "6/11"},
    };
    for (const Day& d : days) {
        EXPECT_EQ(dayOf(2008, d.name), d.in2008) << utf8(d.name);
        EXPECT_EQ(dayOf(2019, d.name), d.in2019) << utf8(d.name);
    }
    EXPECT_EQ(dayOf(2019, u8"半夏生"), "7/2");
    EXPECT_EQ(dayOf(2019, u8"二百十日"), "9/1");
    EXPECT_EQ(dayOf(2024, u8"小暑"), "7/6");
    EXPECT_EQ(dayOf(2024, u8"処暑"), "8/22");
}

// 社日, 土用の丑の日 and 八十八夜 of 2024-2026 as published; 社日 of two equally near 戊 days takes the earlier.
TEST(Almanac, ZassetsuAsPublished) {
    struct Case {
        int year, month, day;
        const char8_t* name;
    } const cases[] = {
        {2024, 3, 15, u8"春社"}, {2024, 9, 21, u8"秋社"}, {2025, 3, 20, u8"春社"}, {2025, 9, 26, u8"秋社"},
        {2023, 3, 21, u8"春社"}, {2023, 9, 27, u8"秋社"},
        {2024, 7, 24, u8"土用の丑の日"}, {2024, 8, 5, u8"土用の丑の日"}, {2025, 7, 19, u8"土用の丑の日"},
        {2025, 7, 31, u8"土用の丑の日"}, {2026, 7, 26, u8"土用の丑の日"},
        {2024, 5, 1, u8"八十八夜"}, {2025, 5, 1, u8"八十八夜"}, {2026, 5, 2, u8"八十八夜"},
        {2025, 2, 2, u8"節分"}, {2026, 2, 3, u8"節分"},
    };
    for (const Case& c : cases) {
        const std::string text = spaced(cp932ToUtf8(almanacText(c.year, c.month, c.day)));
        EXPECT_NE(text.find(spaced(utf8(c.name))), std::string::npos) << c.year << "-" << c.month << "-" << c.day << text;
    }
    EXPECT_EQ(dayOf(2026, u8"八十八夜"), "5/2");
    EXPECT_EQ(almanacText(2026, 12, 8), "");
}

TEST(Almanac, SexagenaryDaysAndTheMoon) {
    EXPECT_EQ(sexagenaryDay(2000, 1, 1), 54);  // 戊午
    EXPECT_EQ(sexagenaryDay(2025, 3, 20), 24);  // 戊子
    EXPECT_EQ((sexagenaryDay(2024, 7, 24) + 60 - sexagenaryDay(2024, 7, 23)) % 60, 1);
    // The moon's age runs from 0 at a new moon to about 29.5; 2026-12-09 is a new moon in JST.
    EXPECT_LE(moonAgeTenths(2026, 12, 9), 10);
    EXPECT_GE(moonAgeTenths(2026, 12, 8), 280);
    for (int d = 10; d <= 31; ++d) EXPECT_EQ(moonAgeTenths(2026, 12, d) - moonAgeTenths(2026, 12, d - 1), 10) << d;
    EXPECT_EQ(moonAgeTenths(1872, 12, 31), -1);
    EXPECT_EQ(moonAgeTenths(2101, 1, 1), -1);
    EXPECT_EQ(solarTermOn(2101, 3, 20), nullptr);
    EXPECT_EQ(zassetsuOn(1800, 2, 3).count, 0);
}

}  // namespace
}  // namespace tavo
