// What search finds beyond day lines: recurring schedules on the days they
// fall on (after moves off closed days, each day once), birthdays from their
// year on, holiday and almanac names, the memo; kinds left out are not seen,
// and words must meet on one day.
#include <gtest/gtest.h>

#include "calendar/search/search_data.h"
#include "memory_data_folder.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

TEST(SearchData, EveryKindOnItsDays) {
    test::MemoryDataFolder folder;
    auto& files = folder.files.files;
    files[scheduleFile(folder.paths, kScheduleDay, 2026, 1)] = ":5\r\n歯医者\r\n:6\r\nカ\r\n゛ス\r\n";  // a mark alone on its line
    files[scheduleFile(folder.paths, kScheduleEveryMonthLater, 0, 0)] = ":3\r\n集金\r\n";  // Saturday 3 January: closed
    files[scheduleFile(folder.paths, kScheduleEveryWeek, 0, 0)] = ":1\r\n朝会\r\n";
    files[scheduleFile(folder.paths, kScheduleEveryYear, 0, 1)] = ":5\r\n仕事始め 朝会\r\n";
    files[personalDayFile(folder.paths, kBirthday, 1)] = ":20 2026\r\nたろう\r\n";
    files[scheduleFile(folder.paths, kScheduleMemo, 0, 0)] = "歯医者の電話番号\r\n";
    const SearchData data = SearchData::read(folder.sources(), {2025, 2026});
    const auto found = [&](const char* query, SearchKinds kinds = kAllSearchKinds) {
        std::string out;
        for (const FoundLine* line : data.find(parseSearchQuery(query), kinds)) {
            int y, m, d;
            if (line->serial) civilFromSerial(line->serial, y, m, d);
            out += (line->serial ? std::to_string(y * 10000 + m * 100 + d) : "-") + " " + searchKindName(line->kind) + " " + std::string(line->text) + "|";
        }
        return out;
    };
    EXPECT_EQ(found("集金").substr(0, 40), "20250103 month 集金|20250203 month 集金|");  // 2025: a Friday
    EXPECT_NE(found("集金").find("20260105 month 集金|20260203"), std::string::npos);     // moved to Monday the 5th
    EXPECT_EQ(found("タロウ"), "20260120 birthday たろう|");                               // not before it was born
    EXPECT_EQ(found("朝会 仕事始め"), "20250105 year 仕事始め 朝会|20260105 year 仕事始め 朝会|20260105 week 朝会|");
    EXPECT_EQ(found("歯医者"), "20260105 day 歯医者|- memo 歯医者の電話番号|");
    EXPECT_EQ(found("元日").rfind("20250101 holiday 元日|20260101 holiday 元日|", 0), 0u);
    EXPECT_NE(found("冬至").find("20261222 holiday 冬至|"), std::string::npos);
    EXPECT_EQ(found("歯医者 集金"), "20260105 day 歯医者|20260105 month 集金|");  // the words meet on the 5th
    SearchKinds noDays = kAllSearchKinds;
    noDays[kFoundDay] = false;
    EXPECT_EQ(found("歯医者 集金", noDays), "");
    EXPECT_EQ(found("\"たろう\" 2026"), "");
    EXPECT_EQ(found("ガ"), "");  // a mark never joins the line before
}

}  // namespace
}  // namespace tavo
