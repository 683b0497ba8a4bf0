#include "calendar/data/range_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/locale_info.h"
#include "shared/clock.h"
#include "shared/date_math.h"
#include "shared/native_file_system.h"
#include "data_folder_test.h"

namespace tavo {
namespace {

class RangeListTest : public test::DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        setClock(&clock);
        resetDateFormatSet(formats, 1);
        // Plain dates make the expected lines short.
        formats.ownPattern[0] = 1;
        std::snprintf(formats.pattern[0], sizeof formats.pattern[0], "m/d");
    }
    void TearDown() override { setClock(nullptr); }

    RangeList collect(int y, int m, int d, RangeViewSettings range, bool monday = false) {
        const RangeRequest request{y, m, d, range, monday, false, formats, locale, [this] { ++birthdayCalls; }, almanac};
        return collectRange(request, sources());
    }

    FixedClock clock{{2026, 12, 7}};
    DateFormatSet formats{};
    JapaneseLocale locale;
    int birthdayCalls = 0;
    bool almanac = false;
};

// A listed day's solar term and 雑節 follow its header as a line of their own;
// a day that lists nothing gets no line for them.
TEST_F(RangeListTest, TheAlmanacOfAListedDay) {
    folder.write("sch2026c.cal", ":22\r\nゆず湯\r\n:7\r\n会議\r\n");
    almanac = true;
    const std::vector<std::string> lines = collect(2026, 12, 7, {kRangeMonth, 0, 0}).lines();
    const auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("ゆず湯") != std::string::npos; });
    ASSERT_NE(at, lines.end());
    ASSERT_GE(at - lines.begin(), 2);
    EXPECT_EQ(*(at - 1), "〔冬至〕");
    EXPECT_EQ((at - 2)->substr(0, 1), ":");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "〔大雪〕"), lines.end());  // 7 December lists a schedule too
    const auto terms = std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("〔", 0) == 0; });
    EXPECT_EQ(terms, 2);
    almanac = false;
    const std::vector<std::string> plain = collect(2026, 12, 7, {kRangeMonth, 0, 0}).lines();
    EXPECT_EQ(plain.size() + 2, lines.size());
}

TEST_F(RangeListTest, SourcesInOrderAcrossNewYear) {
    folder.write("sch2026c.cal", ":31\r\nday\r\n");
    folder.write("sch20271.cal", ":1\r\nnew year\r\n");
    folder.write("schedulc.cal", ":31\r\nyearly\r\n");
    folder.write("schedule.cal", ":31\r\nmonthly\r\n");
    folder.write("schedulw.cal", ":4\r\nthursday\r\n");
    folder.write("birthdac.cal", ":31 2000\r\nbirth\r\n");
    folder.write("aniversc.cal", ":31\r\nanniv\r\n");
    folder.write("DOff2027.cal", "1000000000000000000000000000000\r\n");
    const RangeList list = collect(2026, 12, 30, {kRangeRelative, 0, 2});
    const std::vector<std::string> expected = {
        ":0A12/31", "day", "yearly(毎年12月31日)", "monthly(毎月31日)", "thursday(毎週)",
        "birth 26歳の誕生日(2000年生まれ)", "anniv 記念日", ":3C1/1", "new year",
    };
    EXPECT_EQ(list.lines(), expected);
    EXPECT_EQ(list.firstLine, 0);
    EXPECT_EQ(list.selectedLine, -1);  // nothing on 30 December
}

TEST_F(RangeListTest, FirstAndSelectedLines) {
    folder.write("sch2026c.cal", ":1\r\nbefore\r\n:7\r\ntoday\r\n:9\r\nafter\r\n");
    RangeList list = collect(2026, 12, 7, {kRangeMonth, 0, 0});
    EXPECT_EQ(list.firstLine, 2);
    EXPECT_EQ(list.selectedLine, 2);
    list = collect(2026, 12, 8, {kRangeMonth, 0, 0});
    EXPECT_EQ(list.firstLine, 4);
    EXPECT_EQ(list.selectedLine, -1);
    list = collect(2026, 12, 20, {kRangeMonth, 0, 0});
    EXPECT_EQ(list.firstLine, 6);  // the line count: nothing later, no memo
    folder.write("memo.cal", "note\r\n");
    list = collect(2026, 12, 20, {kRangeMonth, 0, 0});
    EXPECT_EQ(list.firstLine, 6);
    EXPECT_EQ(list.lines()[6], ":5Aメモ");
    EXPECT_EQ(list.size(), 8u);
}

TEST_F(RangeListTest, BirthdaysAndLaterYears) {
    folder.write("birthdac.cal", ":7 2030\r\nnot yet\r\n:7 1990\r\ntaro\r\n:8 2030\r\nalone\r\n");
    const RangeList list = collect(2026, 12, 7, {kRangeRelative, 0, 1});
    const std::vector<std::string> expected = {":0A12/7", "taro 36歳の誕生日(1990年生まれ)"};
    EXPECT_EQ(list.lines(), expected);
    EXPECT_EQ(birthdayCalls, 1);  // a birthday of today
}

TEST_F(RangeListTest, ListedEvenWhenMarksAreOffAndShiftsUseTheRangeTest) {
    env.markEveryMonth = 0;
    closed->closed[1] = 1;                    // Mondays closed
    closed->closed[kClosedFlagHolidays] = 0;  // holidays open
    folder.write("schedulf.cal", ":23\r\nshift\r\n");  // 23 November 2026: a Monday holiday
    const RangeList list = collect(2026, 11, 23, {kRangeRelative, 0, 0});
    const std::vector<std::string> expected = {":3A11/23", "shift(毎月23日)"};
    EXPECT_EQ(list.lines(), expected);
}

TEST_F(RangeListTest, ColonLinesStayData) {
    folder.write("memo.cal", ":looks like a header\r\n");
    folder.write("birthdac.cal", ":7\r\n:\r\n");
    const RangeList list = collect(2026, 12, 7, {kRangeRelative, 0, 0});
    const std::vector<std::string> lines = list.lines();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const bool printedAsHeader = lines[i].rfind(":0A", 0) == 0 || lines[i].rfind(":5A", 0) == 0;
        EXPECT_EQ(list.line(i).header, printedAsHeader) << lines[i];  // a data line is never printed as one
    }
    EXPECT_EQ(lines.back(), "：looks like a header");
}

TEST_F(RangeListTest, Spans) {
    const int s = serialDayOf(2026, 12, 27);  // a Sunday
    EXPECT_EQ(rangeSpan(2026, 12, 27, {kRangeWeek, 0, 0}, false).firstSerial, s);
    EXPECT_EQ(rangeSpan(2026, 12, 27, {kRangeWeek, 0, 0}, true).firstSerial, s - 6);
    EXPECT_EQ(rangeSpan(2026, 12, 27, {kRangeWeek, 0, 0}, true).lastSerial, s);
    EXPECT_EQ(rangeSpan(2026, 12, 27, {kRangeRelative, 99, 99}, false).lastSerial - s, 99);
    EXPECT_EQ(rangeSpan(2026, 2, 10, {kRangeMonth, 5, 5}, false).lastSerial, serialDayOf(2026, 2, 28));
}

// The check opens the view exactly when the view would list a data line.
TEST_F(RangeListTest, RangeCheckAgreesWithTheList) {
    const auto check = [&](int y, int m, int d, RangeViewSettings range, bool monday) {
        const RangeRequest request{y, m, d, range, monday, false, formats, locale, [this] { ++birthdayCalls; }, almanac};
        return rangeHasData(request, sources());
    };
    const RangeViewSettings week{kRangeWeek, 0, 0};
    EXPECT_FALSE(check(2026, 12, 9, week, false));
    folder.write("aniversc.cal", ":12 2099\r\nfuture\r\n");  // a year after the shown one: not listed
    EXPECT_FALSE(check(2026, 12, 9, week, false));
    folder.write("aniversc.cal", ":12 1999\r\npast\r\n");
    EXPECT_TRUE(check(2026, 12, 9, week, false));
    // Sunday 13 December: in a Sunday-first week of the 16th, not in the Monday-first one.
    folder.write("aniversc.cal", ":13\r\nsunday\r\n");
    EXPECT_TRUE(check(2026, 12, 16, week, false));
    EXPECT_FALSE(check(2026, 12, 16, week, true));
    folder.write("memo.cal", "");  // an empty memo lists no line
    EXPECT_FALSE(check(2026, 12, 23, week, false));
    folder.write("memo.cal", "m\r\n");
    EXPECT_TRUE(check(2026, 12, 23, week, false));
    folder.write("birthdac.cal", ":7\r\nme\r\n");
    EXPECT_TRUE(check(2026, 12, 7, {kRangeRelative, 0, 0}, false));
    EXPECT_EQ(birthdayCalls, 0);  // checking plays no sound
    // A huge pred from the registry is clamped to 99 days: the check stays quick.
    EXPECT_EQ(rangeSpan(2026, 12, 7, {kRangeRelative, 100000, -5}, false).firstSerial, serialDayOf(2026, 12, 7) - 99);
}

// The view keeps one collector: whatever came before, each collection gives
// what a fresh one gives, also when files grew, shrank, vanished or appeared.
TEST_F(RangeListTest, ACollectorUsedAgainGivesWhatAFreshOneGives) {
    struct Step {
        const char* file;
        const char* content;  // nullptr: removed
        int y, m, d;
        RangeViewSettings range;
    };
    const std::vector<Step> steps = {
        {"sch2026c.cal", ":7\r\n会議\r\n:8\r\n長い長い予定の一行目\r\n二行目\r\n", 2026, 12, 7, {kRangeMonth, 0, 0}},
        {"sch2026c.cal", ":8\r\nx\r\n", 2026, 12, 7, {kRangeMonth, 0, 0}},
        {"birthdac.cal", ": 8 1990\r\n友人\r\n", 2026, 12, 8, {kRangeWeek, 0, 0}},
        {"sch2026c.cal", nullptr, 2026, 12, 8, {kRangeRelative, 40, 40}},
        {"memo.cal", "覚え書き\r\n", 2027, 1, 2, {kRangeRelative, 3, 3}},
        {"schedule.cal", ":31\r\nmonthly\r\n", 2027, 2, 27, {kRangeRelative, 0, 5}},
        {"birthdac.cal", nullptr, 2026, 12, 8, {kRangeMonth, 0, 0}},
    };
    RangeCollector collector;
    RangeList reused;
    for (const Step& step : steps) {
        if (step.content) folder.write(step.file, step.content);
        else folder.remove(step.file);
        const RangeRequest request{step.y, step.m, step.d, step.range, false, false, formats, locale, {}, almanac};
        collector.collect(request, sources(), reused);
        const RangeList fresh = collect(step.y, step.m, step.d, step.range);
        EXPECT_EQ(reused.lines(), fresh.lines()) << step.file;
        EXPECT_EQ(reused.firstLine, fresh.firstLine) << step.file;
        EXPECT_EQ(reused.selectedLine, fresh.selectedLine) << step.file;
    }
}

TEST(ExpandTabs, Columns) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\tx", "        x"}, {"ab\tx", "ab      x"}, {"abcdefgh\tx", "abcdefgh        x"},
        {"漢\tx", "漢      x"}, {"abcdefg漢\tx", "abcdefg漢x"},  // the character crossed the tab column
        {"no tabs", "no tabs"}, {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(expandTabs(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tavo
