// What a screen reader is told for each kind of day cell, with either week
// start, and for the range view's lines.
#include "calendar/render/accessible_names.h"

#include <gtest/gtest.h>

#include "calendar/calc/closed_days.h"
#include "memory_data_folder.h"

namespace tavo {
namespace {

TEST(AccessibleNames, EveryKindOfDayIsToldInFull) {
    test::MemoryDataFolder folder;
    folder.files.files[scheduleFile(folder.paths, kScheduleDay, 2026, 12)] = ":23\r\n忘年会\r\n";
    DayOffTable off{};
    clearDayOffTable(off);
    off.rows[11][29] = '1';  // 30 December
    folder.files.files[dayOffFile(folder.paths, 2026)] = formatDayOffTable(off);
    folder.closed->closed[4] = 1;  // Thursdays closed
    struct Case {
        int month, day;  // the shown month's day, or (other month) day 0: the grid's first cell
        bool monday;
        const char* name;
    } cases[] = {
        {12, 23, false, "2026年12月23日 水曜日 先勝 予定あり"},
        {12, 24, true, "2026年12月24日 木曜日 休業日 友引"},
        {12, 30, false, "2026年12月30日 水曜日 友引 休み"},
        {1, 1, false, "2026年1月1日 木曜日 元日 大安"},
        {5, 6, true, "2026年5月6日 水曜日 振り替え休日 仏滅"},
        {12, 0, false, "2026年11月29日 日曜日 他の月"},
        {12, 0, true, "2026年11月30日 月曜日 他の月"},
    };
    for (const Case& c : cases) {
        MonthGrid grid{};
        DayOffTable dayOff{};
        rebuildMonth(grid, dayOff, 2026, c.month, {c.monday, false}, folder.sources());
        const CellPosition at = grid.dayCell[c.day ? c.day : 1];
        const int cell = c.day ? cellIndex(at.column, at.row) : cellIndex(0, 0);
        EXPECT_EQ(accessibleDayName(grid, dayOff, *folder.closed, cell), c.name) << c.month << "/" << c.day << (c.monday ? " monday" : "");
    }
}

TEST(AccessibleNames, RangeLinesSayTheirText) {
    RangeList list;
    list.addHeader("2026/12/30(水)", 5, 2);
    list.addLine("大掃除\t10時");
    EXPECT_EQ(accessibleRangeLineName(list.line(0)), "2026/12/30(水) 休み");
    EXPECT_EQ(accessibleRangeLineName(list.line(1)), "大掃除  10時");
}

}  // namespace
}  // namespace tavo
