#include "calendar/data/month_grid.h"

#include <gtest/gtest.h>

#include <memory>

#include "calendar/calc/closed_days.h"
#include "shared/date_math.h"
#include "shared/native_file_system.h"
#include "shared/window_settings.h"
#include "data_folder_test.h"

namespace tavo {
namespace {

class MonthGridTest : public test::DataFolderTest {
protected:
    void build(int year, int month, GridLayoutChoice choice = {false, false}) {
        rebuildMonth(grid, dayOff, year, month, choice, sources());
    }
    int markedDays() const {
        int n = 0;
        for (int d = 1; d <= monthLengthOf(grid.year, grid.month); ++d)
            n += grid.cellMark[cellIndex(grid.dayCell[d].column, grid.dayCell[d].row)];
        return n;
    }
    bool marked(int day) const { return grid.cellMark[cellIndex(grid.dayCell[day].column, grid.dayCell[day].row)] != 0; }

    MonthGrid grid{};
    DayOffTable dayOff{};
};

// Every day of the month stands once, in weekday order, and other cells count on.
TEST_F(MonthGridTest, CellsFollowTheCalendarForEveryLayout) {
    for (int year : {1582, 2026, 9999}) {
        for (int month = year == 1582 ? 10 : 1; month <= 12; ++month) {
            for (bool monday : {false, true}) {
                for (bool thisMonth : {false, true}) {
                    build(year, month, {monday, thisMonth});
                    const int length = monthLengthOf(year, month);
                    for (int d = 1; d <= length; ++d) {
                        const CellPosition p = grid.dayCell[d];
                        ASSERT_EQ(grid.cellDay[cellIndex(p.column, p.row)], d);
                        ASSERT_EQ(p.column, columnOfWeekday(grid, weekdayOf(year, month, d)));
                    }
                    const CellPosition one = grid.dayCell[1];
                    ASSERT_EQ(one.row, (one.column == 0 && !thisMonth) ? 1 : 0) << year << "-" << month;
                    int y, m, d;
                    ASSERT_TRUE(cellDate(grid, cellIndex(0, 0), y, m, d) || year == 9999);
                }
            }
        }
    }
}

TEST_F(MonthGridTest, FirstWeekChoiceAndSixRows) {
    build(2026, 11);  // 1 November 2026 is a Sunday
    EXPECT_EQ(grid.cellDay[cellIndex(0, 0)], 25 + kOtherMonth);
    EXPECT_EQ(grid.dayCell[1].row, 1);
    build(2026, 11, {false, true});
    EXPECT_EQ(grid.cellDay[cellIndex(0, 0)], 1);
    build(2026, 8);  // 31 days from a Saturday: six rows
    EXPECT_EQ(grid.dayCell[31].row, 5);
    EXPECT_EQ(grid.cellDay[cellIndex(2, 5)], 1 + kOtherMonth);
    build(2026, 11, {true, false});  // Monday first: Sunday the 1st is in column 6
    EXPECT_EQ(grid.dayCell[1].column, 6);
    EXPECT_STREQ(grid.cellDayText[cellIndex(0, 0)], "26");
}

TEST_F(MonthGridTest, KindsClosedFlagsAndRokuyo) {
    build(2019, 5);
    EXPECT_TRUE(grid.rokuyoShown);
    EXPECT_STREQ(grid.cellRokuyo[cellIndex(grid.dayCell[1].column, grid.dayCell[1].row)], "大安");
    const CellPosition d6 = grid.dayCell[6];
    EXPECT_EQ(grid.cellKind[cellIndex(d6.column, d6.row)], kSubstituteOrNational);
    EXPECT_TRUE(grid.dayClosed[6]);
    EXPECT_FALSE(grid.dayClosed[7]);
    build(2101, 1);
    EXPECT_FALSE(grid.rokuyoShown);
    EXPECT_STREQ(grid.cellRokuyo[0], "  ");
}

TEST_F(MonthGridTest, MarksFollowTheSwitches) {
    folder.write("sch2026c.cal", ":3\r\nx\r\n:31\r\ny\r\n");
    folder.write("schedule.cal", ":31\r\nmonthly\r\n");
    folder.write("schedulf.cal", ":5\r\nshifted\r\n");  // Saturday 5 December to Monday 7
    folder.write("schedulw.cal", ":2\r\nTuesdays\r\n");
    folder.write("birthdac.cal", ":10 1990\r\nborn\r\n:12 2030\r\nlater\r\n");
    folder.write("aniversc.cal", ":20\r\nevent\r\n");
    env.markEveryMonth = env.markEveryWeek = env.markBirthdays = env.markAnniversaries = 0;
    build(2026, 12);
    EXPECT_EQ(markedDays(), 2);  // only the day file
    env.markEveryMonth = 1;
    build(2026, 12);
    EXPECT_TRUE(marked(7));
    EXPECT_FALSE(marked(5));
    env.markEveryWeek = 1;
    build(2026, 12);
    for (int d : {1, 8, 15, 22, 29}) EXPECT_TRUE(marked(d)) << d;
    EXPECT_EQ(grid.cellMark[cellIndex(2, 5)], 1);  // next month's Tuesday in that column
    env.markBirthdays = env.markAnniversaries = 1;
    build(2026, 12);
    EXPECT_TRUE(marked(10));
    EXPECT_FALSE(marked(12));  // born after the shown year
    EXPECT_TRUE(marked(20));
    build(2026, 11);  // 30 days: the monthly 31st falls on the 30th with pmo
    EXPECT_TRUE(marked(30));
    env.monthEndToLastDay = 0;
    build(2026, 11);
    EXPECT_FALSE(marked(30));
}

TEST_F(MonthGridTest, LeapDayBirthdaysAndTheDayOffTable) {
    folder.write("birthda2.cal", ":29 2000\r\nleap\r\n");
    folder.write("DOff2027.cal", "0100000000000000000000000000000\r\n");
    build(2027, 2);
    EXPECT_EQ(markedDays(), 0);  // 29 February does not exist in 2027
    EXPECT_TRUE(isDayOff(dayOff, 1, 2));
    build(2028, 2);
    EXPECT_TRUE(marked(29));
    EXPECT_FALSE(isDayOff(dayOff, 1, 2));  // the table follows the year
}

}  // namespace
}  // namespace tavo
