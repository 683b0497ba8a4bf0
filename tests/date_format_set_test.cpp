#include "calendar/text/date_format_set.h"

#include <gtest/gtest.h>

#include <cstring>

#include "shared/memory_settings_store.h"

namespace tavo {
namespace {

TEST(DateFormatSet, EmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    DateFormatSet calendar{}, range{};
    readDateFormatSet(calendar, 0, store);
    readDateFormatSet(range, 1, store);
    EXPECT_EQ(store.valueCount(), 0u);
    const std::int32_t statusBar[kSelectionCount] = {1, 2, 3, 0, 0, 0, 0};
    const std::int32_t captionN[kSelectionCount] = {1, 3, 3, 3, 1, 5, 1};
    EXPECT_EQ(std::memcmp(calendar.selections[kPartStatusBar], statusBar, sizeof statusBar), 0);
    EXPECT_EQ(std::memcmp(calendar.selections[kPartCaptionN], captionN, sizeof captionN), 0);
    EXPECT_STREQ(calendar.pattern[kPartYearMon], "yyyy年(ggY年)m月");
    EXPECT_STREQ(calendar.pattern[kPartStatusBar], "yyyy年(ggY年)m月d日(dddd) RR [N]");
    EXPECT_STREQ(range.pattern[0], "yyyy年m月d日");
    EXPECT_EQ(range.selections[1][kSelYear2], 3);
    for (int i = 0; i < kCalendarParts; ++i) EXPECT_EQ(calendar.ownPattern[i], 0);
}

TEST(DateFormatSet, RoundTripThroughTheStoreKeepsGroupsApart) {
    MemorySettingsStore store;
    DateFormatSet calendar{}, range{};
    resetDateFormatSet(calendar, 0);
    resetDateFormatSet(range, 1);
    calendar.selections[kPartYearMon][kSelLayout] = 4;
    calendar.ownPattern[kPartStatusBar] = 1;
    std::strncpy(calendar.pattern[kPartStatusBar], "ggY/m/d ソ表", sizeof calendar.pattern[kPartStatusBar]);
    range.selections[1][kSelNum] = 0;
    writeDateFormatSet(calendar, 0, store);
    writeDateFormatSet(range, 1, store);
    EXPECT_EQ(std::get<int>(*store.find("date", "YearMon")), 4);
    EXPECT_EQ(std::get<int>(*store.find("cal", "Caption")), 0);
    EXPECT_EQ(std::get<std::string>(*store.find("dttext", "StatusBar")), "ggY/m/d ソ表");

    DateFormatSet calendarBack{}, rangeBack{};
    readDateFormatSet(calendarBack, 0, store);
    readDateFormatSet(rangeBack, 1, store);
    EXPECT_EQ(std::memcmp(&calendarBack, &calendar, sizeof calendar), 0);
    EXPECT_EQ(std::memcmp(&rangeBack, &range, sizeof range), 0);
}

TEST(DateFormatSet, OverlongPatternsFallBackAndOwnIsAnySwitchValue) {
    MemorySettingsStore store;
    store.set("dttext", "Week", std::string(300, 'd'));
    store.set("own", "Week", 5);
    DateFormatSet set{};
    readDateFormatSet(set, 0, store);
    EXPECT_STREQ(set.pattern[kPartWeek], "ddd");
    EXPECT_EQ(set.ownPattern[kPartWeek], 1);
}

}  // namespace
}  // namespace tavo
