#include "shared/era.h"

#include <gtest/gtest.h>

#include <cstring>

#include "shared/calendar_date.h"

namespace tavo {
namespace {

TEST(Era, Boundaries) {
    struct Case {
        int y, m, d, era, eraYear;
    } cases[] = {
        {1865, 4, 6, kEraWestern, 1865}, {1865, 4, 7, kEraKeio, 1},    {1868, 9, 7, kEraKeio, 4},
        {1868, 9, 8, kEraMeiji, 1},      {1912, 7, 29, kEraMeiji, 45}, {1912, 7, 30, kEraTaisho, 1},
        {1926, 12, 24, kEraTaisho, 15},  {1926, 12, 25, kEraShowa, 1}, {1989, 1, 7, kEraShowa, 64},
        {1989, 1, 8, kEraHeisei, 1},     {2019, 4, 30, kEraHeisei, 31}, {2019, 5, 1, kEraReiwa, 1},
        {2026, 12, 7, kEraReiwa, 8},     {9999, 12, 31, kEraReiwa, 7981}, {1582, 10, 15, kEraWestern, 1582},
    };
    for (const Case& c : cases) {
        const EraYear e = eraOf(c.y, c.m, c.d);
        EXPECT_EQ(e.era, c.era) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(e.year, c.eraYear) << c.y << "-" << c.m << "-" << c.d;
    }
}

// The era year plus the base year gives back the Gregorian year for every day.
TEST(Era, EraYearAndBaseAgreeEveryDay) {
    CalendarDate d(1582, 10, 15);
    int previousEra = kEraWestern;
    int changes = 0;
    do {
        const EraYear e = eraOf(d.year(), d.month(), d.day());
        ASSERT_EQ(e.year + eraBaseYear(e.era), d.year());
        if (e.era != previousEra) ++changes;
        previousEra = e.era;
    } while (d.nextDay() != 0 && d.year() < 2100);
    EXPECT_EQ(changes, 6);  // Keio, Meiji, Taisho, Showa, Heisei, Reiwa
}

TEST(Era, NamesLettersAndLimits) {
    EXPECT_STREQ(eraName(kEraWestern), "西暦");
    EXPECT_STREQ(eraName(kEraReiwa), "令和");
    EXPECT_STREQ(eraName(kEraHeisei), "平成");
    EXPECT_STREQ(eraName(kEraKeio), "慶応");
    EXPECT_STREQ(eraName(42), "西暦");
    EXPECT_STREQ(kEraInitials, " HSTMKR");
    for (int era = 0; era < kEraCount; ++era) {
        EXPECT_EQ(eraInitial(era), kEraInitials[era]);
        if (era != kEraWestern) {
            EXPECT_EQ(eraFromLetter(kEraInitials[era]), era);
        }
    }
    EXPECT_EQ(eraFromLetter('X'), kEraWestern);
    EXPECT_EQ(eraFromLetter('h'), kEraWestern);
    EXPECT_EQ(eraFromLetter(' '), kEraWestern);
    EXPECT_EQ(eraBaseYear(kEraReiwa), 2018);
    EXPECT_EQ(eraLastYear(kEraReiwa), 99);
    EXPECT_EQ(eraLastYear(kEraShowa), 64);
    EXPECT_EQ(eraLastYear(kEraWestern), 9999);
    EXPECT_EQ(kEraChoiceOrder[0], kEraWestern);
    EXPECT_EQ(kEraChoiceOrder[1], kEraReiwa);
}

// An era's last accepted year never runs past the next era's start.
TEST(Era, LastYearsEndAtTheNextEra) {
    const int newestFirst[] = {kEraReiwa, kEraHeisei, kEraShowa, kEraTaisho, kEraMeiji, kEraKeio};
    for (int i = 2; i < 6; ++i) {
        const EraInfo& older = eraInfo(newestFirst[i]);
        const EraInfo& newer = eraInfo(newestFirst[i - 1]);
        EXPECT_EQ(older.baseYear + older.lastEraYear, newer.firstYear) << older.initial;
    }
}

}  // namespace
}  // namespace tavo
