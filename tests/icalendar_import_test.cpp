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

// Zones with summer time, as calendar applications describe them: a series
// keeps its wall-clock time and its weekdays in its own zone, so in Japan it
// moves by an hour when the clocks change there.
const char8_t kZones[] =
    u8"BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
    u8"BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    u8"BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nDTSTART:20070311T020000\r\n"
    u8"RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nTZNAME:EDT\r\nEND:DAYLIGHT\r\n"
    u8"BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nDTSTART:20071104T020000\r\n"
    u8"RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZNAME:EST\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    u8"BEGIN:VTIMEZONE\r\nTZID:Australia/Sydney\r\n"
    u8"BEGIN:STANDARD\r\nTZOFFSETFROM:+1100\r\nTZOFFSETTO:+1000\r\nDTSTART:20080406T030000\r\n"
    u8"RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nEND:STANDARD\r\n"
    u8"BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nDTSTART:20081005T020000\r\n"
    u8"RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    // Mondays 20:00 in New York are Tuesday mornings in Japan.
    u8"BEGIN:VEVENT\r\nUID:ny\r\nDTSTART;TZID=America/New_York:20260302T200000\r\nDURATION:PT1H\r\n"
    u8"RRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20260317T000000Z\r\nSUMMARY:NY\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:gap\r\nDTSTART;TZID=America/New_York:20260308T023000\r\nSUMMARY:gap\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:twice\r\nDTSTART;TZID=America/New_York:20261101T013000\r\nSUMMARY:twice\r\nEND:VEVENT\r\n"
    u8"BEGIN:VEVENT\r\nUID:syd\r\nDTSTART;TZID=Australia/Sydney:20260315T100000\r\n"
    u8"RRULE:FREQ=MONTHLY;COUNT=2;BYMONTHDAY=15\r\nSUMMARY:SYD\r\nEND:VEVENT\r\n"
    u8"END:VCALENDAR\r\n";

TEST(ICalendarImport, SummerTimeOfOtherZones) {
    const IcsCalendar calendar = readICalendar(utf8(kZones));
    ASSERT_EQ(calendar.problem, "");
    ASSERT_EQ(calendar.zones.size(), 2u);
    const std::vector<IcsOccurrence> got = icsOccurrences(calendar, day(2026, 3, 1), day(2026, 11, 30));
    const std::vector<IcsOccurrence> wanted = {
        {day(2026, 3, 3), utf8(u8"10:00～11:00 NY")},  // standard time: UTC-5
        {day(2026, 3, 8), utf8(u8"16:30 gap")},        // 02:30 does not exist: read as standard time
        {day(2026, 3, 10), utf8(u8"09:00～10:00 NY")},  // summer time since 8 March: UTC-4
        {day(2026, 3, 15), utf8(u8"08:00 SYD")},        // Sydney's summer time: UTC+11
        {day(2026, 3, 17), utf8(u8"09:00～10:00 NY")},  // UNTIL 17 March 00:00 UTC is 16 March in New York
        {day(2026, 4, 15), utf8(u8"09:00 SYD")},        // Sydney's winter since 5 April: UTC+10
        {day(2026, 11, 1), utf8(u8"14:30 twice")},      // 01:30 comes twice: the first, still summer time
    };
    EXPECT_EQ(got, wanted);
}

// Minutes past 2^31 (after about 4083): times, zones, durations and series
// ends far ahead land on the same minutes as they would today.
TEST(ICalendarImport, TimesFarAheadKeepTheirMinutes) {
    const std::string zone = utf8(kZones).substr(0, utf8(kZones).find("BEGIN:VEVENT"));
    const std::string text = zone +
        "BEGIN:VEVENT\r\nUID:u\r\nDTSTART:90001231T230000Z\r\nDURATION:PT2H\r\nSUMMARY:utc\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:s\r\nDTSTART;TZID=America/New_York:50000605T200000\r\nDURATION:PT1H\r\nSUMMARY:summer\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:w\r\nDTSTART;TZID=America/New_York:50000110T200000\r\nSUMMARY:winter\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART:70000101T120000Z\r\nRRULE:FREQ=DAILY;UNTIL=70000103T120000Z\r\nSUMMARY:daily\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    const IcsCalendar calendar = readICalendar(text);
    ASSERT_EQ(calendar.problem, "");
    struct Case {
        int from, to;
        std::vector<IcsOccurrence> wanted;
    } const cases[] = {
        {day(9001, 1, 1), day(9001, 1, 1), {{day(9001, 1, 1), utf8(u8"08:00～10:00 utc")}}},
        {day(5000, 6, 1), day(5000, 6, 30), {{day(5000, 6, 6), utf8(u8"09:00～10:00 summer")}}},
        {day(5000, 1, 1), day(5000, 1, 31), {{day(5000, 1, 11), "10:00 winter"}}},
        {day(7000, 1, 1), day(7000, 1, 9),
         {{day(7000, 1, 1), "21:00 daily"}, {day(7000, 1, 2), "21:00 daily"}, {day(7000, 1, 3), "21:00 daily"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(icsOccurrences(calendar, c.from, c.to), c.wanted) << c.from;
    }
}

TEST(ICalendarImport, TextsThatAreNotCalendars) {
    struct Case {
        const char* text;
        bool problem;
    } cases[] = {
        {"", true},
        {"hello", true},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:notadate\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", true},
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

// A long import tells how far it has come; stopped, it writes nothing.
TEST_F(ICalendarImportFiles, ProgressIsToldAndStoppingWritesNothing) {
    files.files[file(12)] = ":7\r\n自分の予定\r\n";
    const std::string before = files.files[file(12)];
    const IcsCalendar calendar = readICalendar(utf8(kPhone));
    std::vector<std::pair<int, int>> told;
    const IcsImport whole = importICalendar(files, paths, calendar, day(2027, 1, 1), day(2027, 1, 31), [&](int done, int total) {
        told.push_back({done, total});
        return true;
    });
    EXPECT_FALSE(whole.stopped);
    const int events = static_cast<int>(calendar.events.size());
    ASSERT_EQ(told.size(), calendar.events.size() + 1);  // each event, then all of them before writing
    for (std::size_t i = 0; i < told.size(); ++i) EXPECT_EQ(told[i], std::make_pair(static_cast<int>(i), events));
    // Stopped among the events, or after them before the first write: nothing is written.
    for (int last : {3, static_cast<int>(calendar.events.size())}) {
        const IcsImport stopped = importICalendar(files, paths, calendar, day(2026, 12, 1), day(2026, 12, 31),
                                                  [&](int done, int) { return done < last; });
        EXPECT_TRUE(stopped.stopped) << last;
        EXPECT_EQ(stopped.added, 0);
        EXPECT_EQ(files.files[file(12)], before);
    }
}

}  // namespace
}  // namespace tavo
