// Files other systems (or an attacker) write: bounded work, refusals that
// write nothing, and characters and line ends read as they are meant.
#include <gtest/gtest.h>

#include "calendar/data/icalendar_import.h"
#include "calendar/data/section_file.h"
#include "hostile_ics.h"
#include "shared/cp932.h"
#include "shared/memory_file_system.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

using test::calendarOf;
using test::utf8;

class ICalendarHostile : public ::testing::Test {
protected:
    void SetUp() override { initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows"); }
    MemoryFileSystem files;
    PathSettings paths{};
};

TEST_F(ICalendarHostile, EachFileIsBoundedOrRefusedWithNothingWritten) {
    for (const test::HostileIcs& h : test::hostileCalendars()) {
        MemoryFileSystem fresh;
        const IcsCalendar calendar = readICalendar(h.text);
        EXPECT_EQ(!calendar.problem.empty(), h.problem) << h.name << ": " << calendar.problem;
        if (h.problem) continue;
        const IcsImport result = importICalendar(fresh, paths, calendar, h.from, h.to);
        EXPECT_EQ(result.refused, h.refused) << h.name;
        EXPECT_EQ(result.added, h.lines) << h.name;
        EXPECT_TRUE(h.refused == IcsRefusal::None || fresh.files.empty()) << h.name;
    }
}

// What phones and other systems write: a byte order mark, lines ended by CR
// alone, the wave dash and minus sign of Unicode, an occurrence moved twice,
// a series far ahead.
TEST_F(ICalendarHostile, TextsOfOtherSystemsAreReadAsTheyMean) {
    const int dec24 = serialDayOf(2026, 12, 24);
    struct Case {
        const char* what;
        std::string text;
        int from, to;
        std::vector<IcsOccurrence> wanted;
        std::string stored;  // the day's section after an import into an empty folder, UTF-8
    } const cases[] = {
        {"byte order mark and CR line ends",
         "\xEF\xBB\xBF" "BEGIN:VCALENDAR\rBEGIN:VEVENT\rUID:b\rDTSTART;VALUE=DATE:20261224\rSUMMARY:bom\rEND:VEVENT\rEND:VCALENDAR\r",
         dec24, dec24, {{dec24, "bom"}}, "bom\r\n"},
        {"Unicode's wave dash and minus",
         calendarOf(utf8(u8"BEGIN:VEVENT\r\nUID:w\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:10〜12 −5℃ ‖ — ¢£¬\r\nEND:VEVENT\r\n")),
         dec24, dec24, {{dec24, utf8(u8"10〜12 −5℃ ‖ — ¢£¬")}}, utf8(u8"10～12 －5℃ ∥ ― ￠￡￢\r\n")},
        {"two overrides of one occurrence",
         calendarOf("BEGIN:VEVENT\r\nUID:s\r\nDTSTART:20261217T090000\r\nRRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:week\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:s\r\nSEQUENCE:2\r\nRECURRENCE-ID:20261224T090000\r\nDTSTART:20261224T100000\r\nSUMMARY:new\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:s\r\nSEQUENCE:1\r\nRECURRENCE-ID:20261224T090000\r\nDTSTART:20261224T110000\r\nSUMMARY:old\r\nEND:VEVENT\r\n"),
         dec24, dec24, {{dec24, "10:00 new"}}, "10:00 new\r\n"},
        {"control characters in a summary",
         calendarOf(std::string("BEGIN:VEVENT\r\nUID:c\r\nDTSTART;VALUE=DATE:20261224\r\nSUMMARY:a\x01" "b\x7F" "c\td") +
                    std::string(1, '\0') + "e\r\nEND:VEVENT\r\n"),
         dec24, dec24, {{dec24, std::string("a\x01" "b\x7F" "c\td") + std::string(1, '\0') + "e"}}, "abc\td" "e\r\n"},
        {"a yearly series from 8200",
         calendarOf("BEGIN:VEVENT\r\nUID:y\r\nDTSTART;VALUE=DATE:82000105\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:far\r\nEND:VEVENT\r\n"),
         serialDayOf(8201, 1, 1), serialDayOf(8201, 12, 31), {{serialDayOf(8201, 1, 5), "far"}}, ""},
    };
    for (const Case& c : cases) {
        const IcsCalendar calendar = readICalendar(c.text);
        ASSERT_EQ(calendar.problem, "") << c.what;
        EXPECT_EQ(icsOccurrences(calendar, c.from, c.to), c.wanted) << c.what;
        if (c.stored.empty()) continue;
        MemoryFileSystem fresh;
        const IcsImport result = importICalendar(fresh, paths, calendar, c.from, c.to);
        EXPECT_EQ(result.unstorable, "") << c.what;
        EXPECT_EQ(cp932ToUtf8(readSection(fresh.files[scheduleFile(paths, kScheduleDay, 2026, 12)], 24)), c.stored) << c.what;
    }
}

}  // namespace
}  // namespace tavo
