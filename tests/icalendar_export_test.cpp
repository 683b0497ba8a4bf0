#include "calendar/data/icalendar_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "calendar/calc/closed_day_edit.h"
#include "calendar/calc/closed_days.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/section_file.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/memory_file_system.h"
#include "shared/native_file_system.h"
#include "shared/window_settings.h"
#include "data_folder_test.h"
#include "utf8_literal.h"

namespace tavo {
namespace {

using test::utf8;

TEST(ICalendar, TextsAreEscapedAndLinesFoldedWholeCharacters) {
    EXPECT_EQ(icsText("a;b,c\\d\ne\r\nf"), "a\\;b\\,c\\\\d\\ne\\nf");
    const std::string longAscii(100, 'x');
    EXPECT_EQ(icsLine(longAscii), std::string(75, 'x') + "\r\n " + std::string(25, 'x') + "\r\n");
    // Three-octet characters: a piece ends before a character that would not fit.
    std::string kanji;
    for (int i = 0; i < 40; ++i) kanji += utf8(u8"日");
    const std::string folded = icsLine("SUMMARY:" + kanji);
    const std::size_t firstEnd = folded.find("\r\n");
    EXPECT_LE(firstEnd, 75u);
    EXPECT_EQ((firstEnd - 8) % 3, 0u);  // whole characters after "SUMMARY:"
    std::string unfolded = folded;
    for (std::size_t at; (at = unfolded.find("\r\n ")) != std::string::npos;) unfolded.erase(at, 3);
    EXPECT_EQ(unfolded, "SUMMARY:" + kanji + "\r\n");
    for (std::size_t start = 0, end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 75u);
}

class ICalendarExport : public test::DataFolderTest {
protected:
    std::string exported(bool holidays = false) {
        return exportICalendar({2026, 2026, holidays, {2026, 12, 7}}, sources()).text;
    }
};

// Days past a month's end: with the month-end switch the last day of the
// month, without it no day — each said exactly by a rule.
TEST_F(ICalendarExport, MonthEndRulesAreExact) {
    folder.write("schedule.cal", ":30\r\nthirty\r\n:31\r\nlast\r\n:12\r\ntwelve\r\n");
    folder.write("schedul2.cal", ":29\r\nleap\r\n");  // every year, February
    struct Case {
        bool monthEnd;
        const char *thirty, *last, *leap;
    } cases[] = {
        {true, "RRULE:FREQ=MONTHLY;BYMONTHDAY=28,29,30;BYSETPOS=-1", "RRULE:FREQ=MONTHLY;BYMONTHDAY=-1",
         "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=28,29;BYSETPOS=-1"},
        {false, "RRULE:FREQ=MONTHLY;BYMONTHDAY=30", "RRULE:FREQ=MONTHLY;BYMONTHDAY=31", nullptr},
    };
    for (const Case& c : cases) {
        env.monthEndToLastDay = c.monthEnd;
        const std::string ics = exported();
        EXPECT_NE(ics.find(c.thirty), std::string::npos) << ics;
        EXPECT_NE(ics.find(c.last), std::string::npos);
        EXPECT_NE(ics.find("RRULE:FREQ=MONTHLY;BYMONTHDAY=12\r\n"), std::string::npos);
        if (c.leap) EXPECT_NE(ics.find(c.leap), std::string::npos);
        else EXPECT_EQ(ics.find("SUMMARY:leap"), std::string::npos);  // 2026 has no 29 February
    }
}

// A schedule that moves off closed days becomes its days; UIDs stay the same from export to export.
TEST_F(ICalendarExport, ShiftedSchedulesAsDaysAndStableUids) {
    folder.write("schedulf.cal", ":3\r\nshifted\r\n");  // later when closed
    folder.write("sch2026c.cal", ":7\r\n会議\r\n2行目\r\n");
    const std::string ics = exported(true);
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20260105\r\n"), std::string::npos);  // Saturday 3 January is closed, then Sunday
    EXPECT_EQ(ics.find("RRULE:FREQ=MONTHLY;BYMONTHDAY=3"), std::string::npos);
    std::size_t count = 0;
    for (std::size_t at = 0; (at = ics.find("SUMMARY:shifted", at)) != std::string::npos; ++at) ++count;
    EXPECT_EQ(count, 12u);
    EXPECT_NE(ics.find(utf8(u8"SUMMARY:会議\r\nDESCRIPTION:会議\\n2行目\r\n")), std::string::npos);
    EXPECT_NE(ics.find(utf8(u8"SUMMARY:元日\r\nCATEGORIES:祝日\r\n")), std::string::npos);
    EXPECT_EQ(ics.find(utf8(u8"CATEGORIES:休業日")), std::string::npos);
    EXPECT_EQ(exported(true), ics);  // the same bytes, UIDs included, from export to export
    ClosedDayDraft obon;  // 14 August 2026 (era 0: Gregorian years)
    obon.month = 8;
    obon.day = 14;
    obon.fromYear = obon.toYear = 2026;
    obon.name = "お盆";
    ASSERT_TRUE(addClosedDayRule(*closed, obon));
    EXPECT_NE(exported(true).find(utf8(u8"SUMMARY:お盆\r\nCATEGORIES:休業日\r\n")), std::string::npos);
}

// An export tells its progress month by month and stops when told to.
TEST_F(ICalendarExport, ProgressByMonthAndStopping) {
    folder.write("sch2027c.cal", ":24\r\nイブ\r\n");
    int calls = 0, lastDone = -1, lastTotal = 0;
    IcsExportRequest request{2026, 2027, false, {2026, 12, 7}, [&](int done, int total) {
                                 ++calls;
                                 lastDone = done;
                                 lastTotal = total;
                                 return true;
                             }};
    const std::string whole = exportICalendar(request, sources()).text;
    EXPECT_EQ(calls, 24);
    EXPECT_EQ(lastDone, 23);
    EXPECT_EQ(lastTotal, 24);
    EXPECT_NE(whole.find("END:VCALENDAR"), std::string::npos);
    request.progress = [](int done, int) { return done < 12; };
    EXPECT_EQ(exportICalendar(request, sources()).text, "");
}

// Far ahead (minutes past 2^31): an export of a year after 4083 comes back on its days.
TEST_F(ICalendarExport, AYearFarAheadComesBackOnItsDays) {
    folder.write("sch5000c.cal", ":24\r\n\x83\x43\x83\x75\r\n");  // イブ
    const std::string ics = exportICalendar({5000, 5000, false, {2026, 12, 7}}, sources()).text;
    const IcsCalendar back = readICalendar(ics);
    ASSERT_EQ(back.problem, "");
    const std::vector<IcsOccurrence> wanted = {{serialDayOf(5000, 12, 24), utf8(u8"イブ")}};
    EXPECT_EQ(icsOccurrences(back, serialDayOf(5000, 1, 1), serialDayOf(5000, 12, 31)), wanted);
}

// A phone's file holds Tavo's own events beside its own: those Tavo still
// holds are left out, one changed in Tavo since and the phone's are kept.
TEST_F(ICalendarExport, EventsTavoStillHoldsAreLeftOut) {
    folder.write("schedule.cal", ":5\r\n支払い\r\n");
    folder.write("sch2026c.cal", ":24\r\nイブ\r\n");
    const std::string phone = exported();
    folder.write("sch2026c.cal", ":24\r\nクリスマス イブ\r\n");  // changed in Tavo after the export
    const std::string added = utf8(u8"BEGIN:VEVENT\r\nUID:phone-1\r\nDTSTART;VALUE=DATE:20261210\r\nSUMMARY:歯医者\r\nEND:VEVENT\r\n");
    std::string text = phone;
    text.insert(text.rfind("END:VCALENDAR"), added);
    int held = -1;
    const IcsCalendar rest = withoutEventsHeld(readICalendar(text), 2026, 2026, sources(), held);
    EXPECT_EQ(held, 1);  // the monthly 支払い
    std::vector<std::string> summaries;
    for (const IcsEvent& e : rest.events) summaries.push_back(e.summary);
    EXPECT_EQ(summaries, (std::vector<std::string>{utf8(u8"イブ"), utf8(u8"歯医者")}));
}

// Any folder — odd bytes, control characters, blank days, impossible
// birthdays, the damaged files of the fuzz corpus — exports to a file that
// imports whole into an empty folder, each day line as the calendar shows it.
class ICalendarRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
        resetClosedDays(closed);
        resetEnvironment(env, paths.programFolder);
    }

    static std::string randomLine(std::mt19937& random) {
        static const char* const kPieces[] = {"予定", "a", ";", ",", "\\", "\t", "\x01", "\x1F", "\x7F",
                                              "\xFF", "\x80", "\xA0", "\x81", ":", " ", "ｶﾅ", "〓",
                                              "10:00～11:00 ", "23:30-0:15", "9時 "};
        std::string line;
        for (int n = static_cast<int>(random() % 6); n > 0; --n) line += kPieces[random() % std::size(kPieces)];
        return line;
    }
    static std::string randomFolderFile(std::mt19937& random, bool personal) {
        std::string text;
        for (int n = static_cast<int>(random() % 6); n > 0; --n) {
            text += ":" + std::to_string(random() % 33);
            if (personal) text += std::vector<std::string>{"", " 1999", " 99999", " 2000", " 0"}[random() % 5];
            text += "\r\n";
            for (int lines = static_cast<int>(random() % 3); lines > 0; --lines) text += randomLine(random) + "\r\n";
        }
        return text;
    }

    // Exports the folder, imports it into an empty one and checks every day line came back.
    void roundTrip(MemoryFileSystem& from, const std::string& what) {
        const IcsExport exported = exportICalendar({2026, 2026, false, {2026, 12, 7}}, {from, paths, closed, env});
        const IcsCalendar calendar = readICalendar(exported.text);
        ASSERT_EQ(calendar.problem, "") << what;
        MemoryFileSystem to;
        const IcsImport back = importICalendar(to, paths, calendar, serialDayOf(2026, 1, 1), serialDayOf(2026, 12, 31));
        ASSERT_TRUE(back.saved) << what;
        EXPECT_EQ(back.unstorable, "") << what;
        EXPECT_EQ(back.refused, IcsRefusal::None) << what;
        const std::string month = scheduleFile(paths, kScheduleDay, 2026, 12);
        for (const SectionSpan& span : sectionSpans(fileLines(from.files[month]))) {
            if (span.key < 1 || span.key > 31) continue;
            const std::string section = readSection(to.files[month], span.key), original = readSection(from.files[month], span.key);
            for (std::string_view line : fileLines(original)) {
                const std::string shown = shownLine(lineContent(line));
                const bool kept = shown.empty() || shown[0] == ':' || section.find(shown + "\r\n") != std::string::npos;
                EXPECT_TRUE(kept) << what << " day " << span.key << ": " << shown;
            }
        }
    }

    // A line as the calendar shows it, without the control characters iCalendar cannot carry.
    static std::string shownLine(std::string_view cp932) {
        std::string utf8;
        for (char c : cp932ToUtf8(cp932))
            if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') utf8 += c;
        return utf8ToCp932(utf8);
    }

    PathSettings paths{};
    ClosedDays closed{};
    EnvironmentSettings env{};
};

// Birthdays on dates no calendar has are counted, not written; one born on
// 29 February comes on the last day of February in other years.
TEST_F(ICalendarRoundTrip, ImpossibleBirthdaysAreCountedAndLeapDaysRepeat) {
    MemoryFileSystem from;
    from.files[personalDayFile(paths, kBirthday, 2)] = ":15 99999\r\nA\r\n:29 1999\r\nB\r\n:29 2000\r\nC\r\n";
    const IcsExport exported = exportICalendar({2026, 2026, false, {2026, 12, 7}}, {from, paths, closed, env});
    EXPECT_EQ(exported.skipped, 2);
    EXPECT_EQ(exported.text.find("9999"), std::string::npos);
    EXPECT_EQ(exported.text.find("19990229"), std::string::npos);
    const IcsCalendar back = readICalendar(exported.text);
    const std::vector<IcsOccurrence> wanted = {{serialDayOf(2027, 2, 28), "C" + utf8(u8" の誕生日")},
                                               {serialDayOf(2028, 2, 29), "C" + utf8(u8" の誕生日")}};
    EXPECT_EQ(icsOccurrences(back, serialDayOf(2027, 1, 1), serialDayOf(2028, 12, 31)), wanted);
}

// A line that starts with a time is a timed event in Japan's zone, with its
// end (on the next day when it is before the start) and an alarm; it comes
// back into an empty folder as written.
TEST_F(ICalendarRoundTrip, TimedLinesAreTimedEventsWithAnAlarm) {
    MemoryFileSystem from;
    const std::string month = scheduleFile(paths, kScheduleDay, 2026, 12);
    from.files[month] = ":7\r\n14:30 歯医者\r\n:8\r\n23:00～1:00 夜勤\r\n持ち物\r\n";
    IcsExportRequest request{2026, 2026, false, {2026, 12, 7}};
    request.alarmMinutes = 15;
    const std::string ics = exportICalendar(request, {from, paths, closed, env}).text;
    for (const char* line : {"DTSTART;TZID=Asia/Tokyo:20261207T143000\r\nRRULE", "SUMMARY:" "\xE6\xAD\xAF", "TRIGGER:-PT15M\r\n",
                             "DTSTART;TZID=Asia/Tokyo:20261208T230000\r\nDTEND;TZID=Asia/Tokyo:20261209T010000\r\n"})
        EXPECT_EQ(ics.find(line) == std::string::npos, std::string(line).find("RRULE") != std::string::npos) << line;
    MemoryFileSystem to;
    ASSERT_TRUE(importICalendar(to, paths, readICalendar(ics), serialDayOf(2026, 1, 1), serialDayOf(2026, 12, 31)).saved);
    EXPECT_EQ(to.files[month], from.files[month]);
}

TEST_F(ICalendarRoundTrip, AnyFolderComesBackIntoAnEmptyOne) {
    std::mt19937 random(2026);
    for (int round = 0; round < 150; ++round) {
        MemoryFileSystem from;
        from.files[scheduleFile(paths, kScheduleDay, 2026, 12)] = randomFolderFile(random, false);
        from.files[scheduleFile(paths, kScheduleEveryMonth, 0, 0)] = randomFolderFile(random, false);
        from.files[personalDayFile(paths, kBirthday, 2)] = randomFolderFile(random, true);
        roundTrip(from, "round " + std::to_string(round));
    }
    int damaged = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TAVO_FUZZ_CORPUS_DIR "/section_writer")) {
        std::ifstream in(entry.path(), std::ios::binary);
        MemoryFileSystem from;
        from.files[scheduleFile(paths, kScheduleDay, 2026, 12)] = std::string(std::istreambuf_iterator<char>(in), {});
        roundTrip(from, entry.path().filename().string());
        ++damaged;
    }
    EXPECT_GE(damaged, 10);
}

}  // namespace
}  // namespace tavo
