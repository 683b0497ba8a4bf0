#include "calendar/data/timed_entries.h"

#include <gtest/gtest.h>

#include "calendar/data/section_file.h"
#include "shared/date_math.h"
#include "memory_data_folder.h"

namespace tavo {
namespace {

TEST(TimedEntries, LinesThatStartWithATime) {
    struct Case {
        const char* line;
        int start, end;  // start -1: an ordinary line
        bool nextDay;
        const char* title;
    } const cases[] = {
        {"14:30 歯医者", 870, -1, false, "歯医者"},
        {"9:05朝", 545, -1, false, "朝"},
        {"０９：３０　全角", 570, -1, false, "全角"},
        {"10:00～11:00 会議", 600, 660, false, "会議"},
        {"10:00 - 11:30 空白", 600, 690, false, "空白"},
        {"10:00－10:15 全角の線", 600, 615, false, "全角の線"},
        {"23:00~1:00 夜勤", 1380, 60, true, "夜勤"},
        {"9時 朝礼", 540, -1, false, "朝礼"},
        {"9時30分 打合せ", 570, -1, false, "打合せ"},
        {"９時半 打ち合わせ", 570, -1, false, "打ち合わせ"},
        {"13時～14時 昼", 780, 840, false, "昼"},
        {"0:00 始まり", 0, -1, false, "始まり"},
        {"23:59 終わり", 1439, -1, false, "終わり"},
        {"14:30", 870, -1, false, ""},
        {"10:00～25:00 終わりが時刻でない", 600, -1, false, "～25:00 終わりが時刻でない"},
        {"24:00 翌日", -1, -1, false, ""},
        {"12:60 六十分", -1, -1, false, ""},
        {"1:5 一桁の分", -1, -1, false, ""},
        {"10:300 桁が多い", -1, -1, false, ""},
        {"123:00 桁が多い", -1, -1, false, ""},
        {"会議 14:00", -1, -1, false, ""},
        {" 14:00 字下げ", -1, -1, false, ""},
        {"2026年の予定", -1, -1, false, ""},
        {"25時 深夜", -1, -1, false, ""},
    };
    for (const Case& c : cases) {
        const std::optional<TimedLine> got = parseTimedLine(c.line);
        ASSERT_EQ(got.has_value(), c.start >= 0) << c.line;
        if (!got) continue;
        EXPECT_EQ(*got, (TimedLine{c.start, c.end, c.nextDay, c.title})) << c.line;
    }
}

// Every schedule that falls on the day, the every-month one after its move
// off a closed day, by start time.
TEST(TimedEntries, TheDaysEntriesFromEverySchedule) {
    test::MemoryDataFolder folder;
    const PathSettings& paths = folder.paths;
    MemoryFileSystem& files = folder.files;
    files.files[scheduleFile(paths, kScheduleDay, 2026, 12)] = ":7\r\n15:00 会議\r\nメモ\r\n9:00 朝\r\n:8\r\n10:00 別の日\r\n";
    files.files[scheduleFile(paths, kScheduleEveryYear, 0, 12)] = ":7\r\n12:00 毎年\r\n";
    files.files[scheduleFile(paths, kScheduleEveryMonthLater, 0, 0)] = ":6\r\n8:30 日曜から月曜へ\r\n";  // 6 Dec 2026 is a Sunday
    files.files[scheduleFile(paths, kScheduleEveryWeek, 0, 0)] = ":1\r\n18:00 毎週月曜\r\n:2\r\n18:00 火曜\r\n";
    const std::vector<TimedEntry> got = timedEntriesOf(folder.sources(), 2026, 12, 7);
    const int day = serialDayOf(2026, 12, 7);
    const std::vector<TimedEntry> wanted = {
        {day, kScheduleEveryMonthLater, {510, -1, false, "日曜から月曜へ"}}, {day, kScheduleDay, {540, -1, false, "朝"}},
        {day, kScheduleEveryYear, {720, -1, false, "毎年"}},                {day, kScheduleDay, {900, -1, false, "会議"}},
        {day, kScheduleEveryWeek, {1080, -1, false, "毎週月曜"}},
    };
    EXPECT_EQ(got, wanted);
}

}  // namespace
}  // namespace tavo
