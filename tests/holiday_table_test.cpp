// The government's holiday table: taken whole or refused whole with the line
// that is wrong; where taken, its years' holidays (added, removed, renamed,
// moved, 休日) are what every reader sees; past the last year fixed, holidays
// are forecasts (予定).
#include "calendar/calc/holiday_table.h"

#include <gtest/gtest.h>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/range_list.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/locale_info.h"
#include "cli/commands.h"
#include "memory_data_folder.h"
#include "shared/date_math.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

const std::string kHeader = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";

// The law's holidays of the years as the table writes them, with lines replaced ("" removes one) or added.
std::string tableOf(int from, int to, const std::map<std::string, std::string>& changes = {}) {
    std::map<int, std::string> lines;
    for (int s = serialDayOf(from, 1, 1); s <= serialDayOf(to, 12, 31); ++s) {
        int y, m, d;
        civilFromSerial(s, y, m, d);
        char name[kHolidayNameBytes] = "";
        const HolidayResult r = lawHoliday(dayDate(y, m, d), name, true);
        if (r != kNoHoliday) lines[s] = std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d) + "," + (r == kNamedHoliday ? name : "休日");
    }
    for (const auto& [date, name] : changes) {
        const int y = std::stoi(date.substr(0, 4)), m = std::stoi(date.substr(5, 2)), d = std::stoi(date.substr(8, 2));
        if (name.empty()) lines.erase(serialDayOf(y, m, d));
        else lines[serialDayOf(y, m, d)] = std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d) + "," + name;
    }
    std::string text = kHeader;
    for (const auto& [serial, line] : lines) text += line + "\r\n";
    return text;
}

class HolidayTableTest : public ::testing::Test {
protected:
    void TearDown() override { useHolidayTable(nullptr); }
};

TEST_F(HolidayTableTest, AFileThatDoesNotParseIsRefusedWholeWithItsLine) {
    struct Case {
        std::string content;
        int line;
        const char* problem;
    } cases[] = {
        {"日付,名称\r\n2026/1/1,元日\r\n", 1, "見出し"},
        {kHeader + "2026/1/1,元日\r\n2026/2/30,建国記念の日\r\n", 3, "日付"},
        {kHeader + "2026/1/1,元日\r\n2026-2-11,建国記念の日\r\n", 3, "日付"},
        {kHeader + "2026/1/1,元日\r\n2026/2/11,\r\n", 3, "名称"},
        {kHeader + "2026/1/1,元日\r\n2026/2/11,建国記念の日\r\n2026/1/12,成人の日\r\n", 4, "前の行"},
        {tableOf(2025, 2025) + tableOf(2027, 2027).substr(kHeader.size()), 21, "2026年の行がありません"},  // after 2025's 19 lines
        {kHeader + "2026/1/1,元日\r\n2026/5/5,こどもの日\r\n", 2, "2026年の一部"},  // a table of half a year
        {kHeader, 2, "祝日の行がありません"},
        {kHeader + std::string(1 << 20, 'x'), 1, "大きすぎ"},
    };
    for (const Case& c : cases) {
        const HolidayTableRead read = parseHolidayTable(c.content);
        EXPECT_EQ(read.table, nullptr) << c.problem;
        EXPECT_EQ(read.line, c.line) << c.problem << ": " << read.problem;
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
    }
}

TEST_F(HolidayTableTest, ItsYearsTakeTheirHolidaysFromItAndTheRestKeepTheLaw) {
    const std::string text = tableOf(2029, 2030, {
        {"2030-06-10", "新しい祝日"},  // one the law does not have
        {"2030-02-11", ""},            // one removed
        {"2030-05-03", "憲法の日"},     // renamed
        {"2030-03-20", ""}, {"2030-03-21", "春分の日"},  // the equinox moved a day
        {"2030-06-11", "休日"},        // a day off after it: no holiday either side → substitute
    });
    const HolidayTableRead read = parseHolidayTable(text);
    ASSERT_NE(read.table, nullptr) << read.problem;
    useHolidayTable(read.table);
    useHolidayTable(parseHolidayTable(tableOf(2029, 2030)).table);  // changed: taken
    EXPECT_NE(holidayTable(), read.table.get());
    useHolidayTable(read.table);
    useHolidayTable(parseHolidayTable(text).table);  // every refresh reads it again: the same days keep the table in use
    EXPECT_EQ(holidayTable(), read.table.get());
    test::MemoryDataFolder folder;
    struct Case {
        int y, m, d;
        const char* name;  // "" no holiday
        int kind;          // as the grid colours the day
    } cases[] = {
        {2030, 6, 10, "新しい祝日", kPublicHoliday}, {2030, 2, 11, "", kOpenWeekday},   {2030, 5, 3, "憲法の日", kPublicHoliday},
        {2030, 3, 20, "", kOpenWeekday},           {2030, 3, 21, "春分の日", kPublicHoliday}, {2030, 6, 11, "振り替え休日", kSubstituteOrNational},
        {2031, 2, 11, "建国記念の日", kPublicHoliday},  // past the table: the law
    };
    for (const Case& c : cases) {
        char name[kHolidayNameBytes] = "";
        isPublicHoliday({true}, dayDate(c.y, c.m, c.d), name, true);
        EXPECT_STREQ(name, c.name) << c.y << "-" << c.m << "-" << c.d;
        MonthGrid grid{};
        rebuildMonthGrid(grid, c.y, c.m, {false, false}, *folder.closed);
        const CellPosition at = grid.dayCell[c.d];
        EXPECT_EQ(grid.cellKind[cellIndex(at.column, at.row)], c.kind) << c.y << "-" << c.m << "-" << c.d;
    }
    HolidayResult june[32], february[32];  // the month at once, as the range view colours its headers
    monthHolidays({true}, 2030, 6, june);
    monthHolidays({true}, 2030, 2, february);
    EXPECT_EQ(june[10], kNamedHoliday);
    EXPECT_EQ(june[11], kSubstituteHoliday);
    EXPECT_EQ(february[11], kNoHoliday);
    const std::vector<HolidayDifference> differences = holidayDifferences(*read.table);
    ASSERT_EQ(differences.size(), 5u);  // added (and its 休日), removed, the moved equinox twice; a rename is none
    EXPECT_EQ(differences[0].law, "建国記念の日");
    EXPECT_EQ(differences[0].table, "");
}

TEST_F(HolidayTableTest, HolidaysPastTheLastYearFixedAreForecasts) {
    const auto day = [](const char* date, std::vector<std::string> more = {}) {
        std::vector<std::string> words = {"day", date};
        words.insert(words.end(), more.begin(), more.end());
        std::ostringstream out, err;
        cli::run(words, out, err);
        return out.str().substr(out.str().find("holidayname="), 40);
    };
    EXPECT_EQ(day("2027-03-21").rfind(test::utf8(u8"holidayname=春分の日 "), 0), 0u);
    EXPECT_EQ(day("2028-03-20").rfind(test::utf8(u8"holidayname=春分の日(予定) "), 0), 0u);
    const std::string table = TAVO_TEST_DATA_DIR "/syukujitsu-1955-2027.csv";
    EXPECT_EQ(day("2027-03-21", {"--holidays-table", table}).rfind(test::utf8(u8"holidayname=春分の日 "), 0), 0u);
    const auto header = [](int year, int month, int day) {  // the range view's header of a day with data
        test::MemoryDataFolder folder;
        folder.files.files[scheduleFile(folder.paths, kScheduleDay, year, month)] = ":" + std::to_string(day) + "\r\nx\r\n";
        DateFormatSet formats{};
        resetDateFormatSet(formats, 1);
        const JapaneseLocale locale;
        const RangeList list = collectRange({year, month, day, {kRangeRelative, 0, 0}, false, false, formats, locale, {}, false}, folder.sources());
        return list.size() > 0 ? std::string(list.line(0).text) : std::string();
    };
    EXPECT_EQ(header(2027, 3, 21).find("春分の日"), std::string::npos);  // fixed: the colour says it
    EXPECT_TRUE(header(2028, 3, 20).ends_with(" 春分の日(予定)")) << header(2028, 3, 20);
    const HolidayTableRead later = parseHolidayTable(tableOf(2029, 2030));
    useHolidayTable(later.table);
    EXPECT_FALSE(provisionalHoliday(2030));
    EXPECT_TRUE(provisionalHoliday(2031));
}

}  // namespace
}  // namespace tavo
