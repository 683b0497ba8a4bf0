#include "calendar/data/icalendar_import.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/data/section_file.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/memory_file_system.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

using test::utf8;

// As a common calendar application writes it: a time zone block, times in
// UTC and in a zone, folded lines, escapes, a weekly series with an exception
// and a moved occurrence, a monthly "second Monday", a cancelled event, a
// three-day all-day event.
const char8_t kPhone[] =
    u8"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example Corp//Phone Calendar 17//EN\r\n"
    u8"BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
    u8"TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    u8"BEGIN:VEVENT\r\nUID:a1\r\nDTSTART:20261207T010000Z\r\nDTEND:20261207T020000Z\r\nSUMMARY:歯医者\\, 駅前\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:a2\r\nDTSTART;TZID=America/New_York:20261208T200000\r\nDURATION:PT30M\r\n"
    u8"SUMMARY:Call with \r\n New York\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:w1\r\nDTSTART;TZID=Asia/Tokyo:20261202T093000\r\nDTEND;TZID=Asia/Tokyo:20261202T100000\r\n"
    u8"RRULE:FREQ=WEEKLY;COUNT=4;BYDAY=WE\r\nEXDATE;TZID=Asia/Tokyo:20261209T093000\r\nSUMMARY:朝会\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:w1\r\nRECURRENCE-ID;TZID=Asia/Tokyo:20261216T093000\r\n"
    u8"DTSTART;TZID=Asia/Tokyo:20261217T110000\r\nDTEND;TZID=Asia/Tokyo:20261217T113000\r\nSUMMARY:朝会(変更)\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:m1\r\nDTSTART;VALUE=DATE:20261012\r\nRRULE:FREQ=MONTHLY;BYDAY=2MO;UNTIL=20270131\r\n"
    u8"SUMMARY:定例\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:c1\r\nDTSTART;VALUE=DATE:20261210\r\nSTATUS:CANCELLED\r\nSUMMARY:中止\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:t1\r\nDTSTART;VALUE=DATE:20261229\r\nDTEND;VALUE=DATE:20270101\r\nSUMMARY:帰省\r\nEND:VEVENT\r\n"
    u8"END:VCALENDAR\r\n";

int day(int y, int m, int d) { return serialDayOf(y, m, d); }

TEST(ICalendarImport, OccurrencesLandOnTheRightDays) {
    const IcsCalendar calendar = readICalendar(utf8(kPhone));
    ASSERT_EQ(calendar.problem, "");
    const std::vector<IcsOccurrence> got = icsOccurrences(calendar, day(2026, 12, 1), day(2026, 12, 31));
    const std::vector<IcsOccurrence> expected = {
        {day(2026, 12, 2), utf8(u8"09:30～10:00 朝会")},
        {day(2026, 12, 7), utf8(u8"10:00～11:00 歯医者, 駅前")},  // 01:00 UTC
        {day(2026, 12, 9), utf8(u8"10:00～10:30 Call with New York")},  // 20:00 New York, standard time
        {day(2026, 12, 14), utf8(u8"定例")},
        {day(2026, 12, 17), utf8(u8"11:00～11:30 朝会(変更)")},
        {day(2026, 12, 23), utf8(u8"09:30～10:00 朝会")},
        {day(2026, 12, 29), utf8(u8"帰省")},
        {day(2026, 12, 30), utf8(u8"帰省")},
        {day(2026, 12, 31), utf8(u8"帰省")},
    };
    EXPECT_EQ(got, expected);
    const std::vector<IcsOccurrence> january = icsOccurrences(calendar, day(2027, 1, 1), day(2027, 2, 28));
    ASSERT_EQ(january.size(), 1u);  // the second Monday until the end of January; the weekly series has ended
    EXPECT_EQ(january[0].serial, day(2027, 1, 11));
}

TEST(ICalendarImport, TextsThatAreNotCalendars) {
    struct Case {
        const char* text;
        bool problem;
    } cases[] = {
        {"", true},
        {"hello", true},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:notadate\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", false},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;TZID=\"a:b\":20260101T000000\r\nRRULE:FREQ=DAILY;COUNT=999999999\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", false},
    };
    for (const Case& c : cases) {
        const IcsCalendar calendar = readICalendar(c.text);
        EXPECT_EQ(!calendar.problem.empty(), c.problem) << c.text;
        EXPECT_LE(icsOccurrences(calendar, day(2026, 1, 1), day(2026, 1, 31)).size(), 31u);
    }
}

class ICalendarImportFiles : public ::testing::Test {
protected:
    void SetUp() override { initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows"); }
    std::string file(int month) const { return scheduleFile(paths, kScheduleDay, 2026, month); }
    MemoryFileSystem files;
    PathSettings paths{};
};

// Lines join the day's section after what is there; a second import adds nothing.
TEST_F(ICalendarImportFiles, AddsEachLineOnce) {
    files.files[file(12)] = ":7\r\n自分の予定\r\n:20\r\n別の日\r\n";
    const IcsCalendar calendar = readICalendar(utf8(kPhone));
    IcsImport first = importICalendar(files, paths, calendar, day(2026, 12, 1), day(2026, 12, 31));
    ASSERT_TRUE(first.saved) << first.saved.reason;
    EXPECT_EQ(first.occurrences, 9);
    EXPECT_EQ(first.added, 9);
    EXPECT_EQ(first.days, 9);
    EXPECT_EQ(cp932ToUtf8(readSection(files.files[file(12)], 7)), utf8(u8"自分の予定\r\n10:00～11:00 歯医者, 駅前\r\n"));
    EXPECT_EQ(cp932ToUtf8(readSection(files.files[file(12)], 20)), utf8(u8"別の日\r\n"));
    const std::string after = files.files[file(12)];
    const IcsImport second = importICalendar(files, paths, calendar, day(2026, 12, 1), day(2026, 12, 31));
    EXPECT_TRUE(second.saved);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(files.files[file(12)], after);
}

// A text Shift-JIS cannot hold, a month file that cannot be read whole, a
// write that fails: nothing changes in any file.
TEST_F(ICalendarImportFiles, FailuresLeaveEveryFileAsItWas) {
    const std::string november = ":1\r\n既存\r\n", december = ":2\r\n既存\r\n";
    const std::string twoMonths = utf8(
        u8"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\nDTSTART;VALUE=DATE:20261105\r\nSUMMARY:十一月\r\nEND:VEVENT\r\n"
        u8"BEGIN:VEVENT\r\nUID:y\r\nDTSTART;VALUE=DATE:20261205\r\nSUMMARY:十二月\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    struct Case {
        const char* what;
        std::string ics;
        void (*fault)(MemoryFileSystem&, const std::string& december);
        bool unstorable;
    } cases[] = {
        {"unstorable", utf8(u8"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:z\r\nDTSTART;VALUE=DATE:20261105\r\nSUMMARY:絵文字😀\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"),
         [](MemoryFileSystem&, const std::string&) {}, true},
        {"unreadable", twoMonths, [](MemoryFileSystem& f, const std::string& d) { f.faults[d] = MemoryFileSystem::Fault::ShortRead; }, false},
        {"unwritable", twoMonths, [](MemoryFileSystem& f, const std::string& d) { f.faults[d] = MemoryFileSystem::Fault::CannotWrite; }, false},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fresh;
        fresh.files[file(11)] = november;
        fresh.files[file(12)] = december;
        c.fault(fresh, file(12));
        const IcsImport result = importICalendar(fresh, paths, readICalendar(c.ics), day(2026, 11, 1), day(2026, 12, 31));
        EXPECT_FALSE(result.saved) << c.what;
        EXPECT_EQ(!result.unstorable.empty(), c.unstorable) << c.what;
        EXPECT_EQ(fresh.files[file(11)], november) << c.what;
        EXPECT_EQ(fresh.files[file(12)], december) << c.what;
    }
}

}  // namespace
}  // namespace tavo
