#include "calendar/data/day_off.h"

#include <gtest/gtest.h>

#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

TEST(DayOff, ParsingIsForgiving) {
    DayOffTable t;
    parseDayOffTable(t, "1\r\n01x1\r\n" + std::string(50, '1') + "\r\n");
    EXPECT_TRUE(isDayOff(t, 1, 1));
    EXPECT_FALSE(isDayOff(t, 1, 2));
    EXPECT_FALSE(isDayOff(t, 2, 1));
    EXPECT_TRUE(isDayOff(t, 2, 2));
    EXPECT_FALSE(isDayOff(t, 2, 3));  // other characters read as '0'
    EXPECT_TRUE(isDayOff(t, 2, 4));
    EXPECT_TRUE(isDayOff(t, 3, 31));
    EXPECT_EQ(std::string(t.rows[2]).size(), 31u);  // a long line is cut after day 31
    EXPECT_FALSE(isDayOff(t, 12, 31));
    EXPECT_FALSE(isDayOff(t, 13, 1));
    EXPECT_FALSE(isDayOff(t, 1, 0));
}

TEST(DayOff, ToggleSavesTheYearFile) {
    test::TempFolder folder;
    NativeFileSystem files;
    PathSettings paths{};
    initPathDefaults(paths, folder.path() + "\\Tavo.exe", "C:\\Windows");
    DayOffTable t;
    loadDayOffTable(t, files, paths, 2026);  // missing file: no day off
    EXPECT_EQ(formatDayOffTable(t), [] {
        std::string s;
        for (int m = 0; m < 12; ++m) s += std::string(31, '0') + "\r\n";
        return s;
    }());
    ASSERT_TRUE(markDayOff(t, files, paths, 2026, 12, 7, true));
    const std::string saved = folder.read("DOff2026.cal");
    EXPECT_EQ(saved.size(), 12u * 33u);
    EXPECT_EQ(saved.substr(11 * 33, 33), "0000001000000000000000000000000\r\n");
    DayOffTable again;
    loadDayOffTable(again, files, paths, 2026);
    EXPECT_TRUE(isDayOff(again, 12, 7));
    ASSERT_TRUE(markDayOff(again, files, paths, 2026, 12, 7, true));  // marked outside meanwhile: stays marked
    EXPECT_EQ(folder.read("DOff2026.cal"), saved);
    ASSERT_TRUE(markDayOff(again, files, paths, 2026, 12, 7, false));
    loadDayOffTable(t, files, paths, 2026);
    EXPECT_FALSE(isDayOff(t, 12, 7));
    EXPECT_FALSE(markDayOff(t, files, paths, 2026, 12, 32, true));
}

}  // namespace
}  // namespace tavo
