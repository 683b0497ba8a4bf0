#include "calendar/text/date_presets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/text/locale_info.h"
#include "day_dates.h"

namespace tavo {
namespace {

DayDate at(int y, int m, int d, int fromToday) { return test::dayWithOffset(y, m, d, fromToday); }

const JapaneseLocale japanese;

TEST(DatePresets, FullDateLayouts) {
    const DayDate jan2 = at(2000, 1, 2, 2);
    struct Case {
        Selections sel;
        DayDate date;
        const char* text;
    } cases[] = {
        {{1, 2, 3, 0, 0, 0, 0}, jan2, "2000/ 1/ 2(日)[+2]"},
        {{0, 2, 0, 0, 0, 0, 0}, jan2, "2000年(平成12年) 1月 2日(日)[+2]"},
        {{4, 2, 3, 1, 0, 4, 1}, jan2, "Sunday,Jan  2,2000"},
        {{5, 2, 3, 1, 0, 3, 1}, jan2, " 2.Jan.2000(Sun)"},
        {{2, 1, 3, 2, 0, 2, 1}, jan2, "H12-January- 2(Su)"},
        {{3, 3, 0, 0, 0, 1, 1}, jan2, " 1. 2(日曜日)"},               // year1 none: no year, year2 ignored
        {{1, 3, 3, 3, 0, 5, 1}, jan2, " 2"},                        // only the day number
        {{1, 2, 3, 0, 1, 5, 0}, at(2026, 12, 4, -3), "2026/12[-3]"}, // past date, day none
        {{0, 0, 3, 0, 0, 5, 1}, at(1990, 5, 1, 0), "平成 2年 5月 1日"},
        {{0, 0, 3, 0, 0, 5, 1}, at(2026, 12, 7, 0), "令和 8年12月 7日"},
        {{9, 2, 3, 0, 0, 0, 0}, jan2, ""},  // out-of-range selections give empty pieces
    };
    for (const Case& c : cases) EXPECT_EQ(fullDateText(c.sel, c.date), c.text) << c.text;
}

// Every layout with every combination of shown and "なし" pieces: a piece
// that is off never shows, one that is on always does.
TEST(DatePresets, EveryNoneCombination) {
    const DayDate d = at(2000, 1, 23, -5);  // a Sunday
    int combinations = 0;
    for (int layout = 0; layout <= 5; ++layout)
        for (int y1 = 0; y1 <= 3; ++y1)
            for (int y2 = 0; y2 <= 3; ++y2)
                for (int m = 0; m <= 3; ++m)
                    for (int day = 0; day <= 1; ++day)
                        for (int w = 0; w <= 5; ++w)
                            for (int n = 0; n <= 1; ++n) {
                                const Selections sel = {layout, y1, y2, m, day, w, n};
                                const std::string text = fullDateText(sel, d);
                                const bool yearShown = y1 == 2 || (y1 != 3 && y2 == 2);
                                ASSERT_EQ(text.find("2000") != std::string::npos, yearShown) << text;
                                ASSERT_EQ(text.find("平成") != std::string::npos, y1 != 3 && (y1 == 0 || y2 == 0)) << text;
                                ASSERT_EQ(text.find("Jan") != std::string::npos, m == 1 || m == 2) << text;
                                ASSERT_EQ(text.find("23") != std::string::npos, day == 0) << text;
                                ASSERT_EQ(text.find("[-5]") != std::string::npos, n == 0) << text;
                                ASSERT_EQ(text.find("Su") != std::string::npos, w >= 2 && w <= 4) << text;
                                ASSERT_EQ(text.find("日曜日") != std::string::npos, w == 1) << text;
                                ++combinations;
                            }
    EXPECT_EQ(combinations, 6 * 4 * 4 * 4 * 2 * 6 * 2);
}

TEST(DatePresets, YearMonthLayouts) {
    const DayDate jan2 = at(2000, 1, 2, 0);
    struct Case {
        Selections sel;
        const char* text;
    } cases[] = {
        {{0, 2, 0, 0, 0, 0, 0}, "2000年(平成12年) 1月"},
        {{1, 2, 3, 0, 0, 0, 0}, "2000/ 1"},
        {{4, 2, 1, 1, 0, 0, 0}, "Jan,2000(H12)"},
        {{4, 2, 3, 3, 0, 0, 0}, ",2000"},  // month none keeps the leading comma
        {{1, 3, 3, 2, 0, 0, 0}, "January"},
    };
    for (const Case& c : cases) EXPECT_EQ(yearMonthText(c.sel, jan2), c.text) << c.text;
}

TEST(DatePresets, TitlesStatusAndHeaders) {
    DateFormatSet calendar{}, range{};
    resetDateFormatSet(calendar, 0);
    resetDateFormatSet(range, 1);
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    parseClosedDayRules(*days, "12/07 R01-R99 創立記念日\r\n");
    EXPECT_EQ(calendarTitle(calendar, at(2026, 12, 7, 0), japanese), "Tavo");
    EXPECT_EQ(minimizedTitle(calendar, at(2026, 12, 7, 0), japanese), "2026/12/ 7(月)");
    EXPECT_EQ(statusText(calendar, *days, at(2026, 12, 7, 0), japanese), "2026/12/ 7(月)[+0] 創立記念日");
    EXPECT_EQ(statusText(calendar, *days, at(2026, 9, 22, -76), japanese), "2026/ 9/22(火)[-76] 国民の休日");
    EXPECT_EQ(statusText(calendar, *days, at(2026, 12, 8, 1), japanese), "2026/12/ 8(火)[+1]");
    calendar.ownPattern[kPartCaptionN] = 1;
    std::strcpy(calendar.pattern[kPartCaptionN], "ggY年m月d日");
    EXPECT_EQ(calendarTitle(calendar, at(2026, 12, 7, 0), japanese), "Tavo - 令和8年12月7日");
    std::string headers[7];
    weekdayHeaders(calendar, japanese, headers);
    EXPECT_EQ(headers[0], "日");
    EXPECT_EQ(headers[6], "土");
    calendar.ownPattern[kPartWeek] = 1;
    std::strcpy(calendar.pattern[kPartWeek], "(dddd)");
    weekdayHeaders(calendar, japanese, headers);
    EXPECT_EQ(headers[3], "(水曜日)");
}

TEST(DatePresets, ScheduleWindowTitles) {
    DateFormatSet range{};
    resetDateFormatSet(range, 1);
    const DayDate d = at(2026, 12, 7, 0);
    struct Case {
        int layout, kind;
        const char* title;
    } cases[] = {
        {1, 1, "2026/12/ 7(月)[+0] の予定"},   {0, 2, "12月 7日 の予定"},  {5, 2, " 7.12 の予定"},
        {1, 2, "12/ 7 の予定"},        {0, 3, " 7日 の予定"},      {1, 4, " 7 の予定(休業日は後にシフト)"},
        {1, 5, " 7 の予定(休業日は前にシフト)"}, {1, 6, "月曜日 の予定"}, {1, 7, "メモ"},
    };
    for (const Case& c : cases) {
        range.selections[1][kSelLayout] = c.layout;
        EXPECT_EQ(scheduleWindowTitle(range, c.kind, d), c.title) << c.kind;
    }
    range.selections[1][kSelWeek] = 4;
    EXPECT_EQ(scheduleWindowTitle(range, 6, d), "Monday の予定");
}

TEST(DatePresets, BirthdayWindowTitles) {
    DateFormatSet range{};
    resetDateFormatSet(range, 1);
    EXPECT_EQ(personalWindowTitle(range, true, at(2026, 3, 5, 0)), "2026/ 3/ 5(木)[+0] の誕生日");
    range.selections[1][kSelNum] = 1;  // without the count of days
    EXPECT_EQ(personalWindowTitle(range, false, at(2026, 10, 1, 0)), "2026/10/ 1(木) 記念日");
}

}  // namespace
}  // namespace tavo
