#include "calendar/calc/closed_days.h"

#include <gtest/gtest.h>

#include "shared/memory_file_system.h"

#include <cstring>
#include <memory>

#include "shared/date_math.h"
#include "shared/memory_settings_store.h"
#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

std::unique_ptr<ClosedDays> defaults() {
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    return days;
}

std::unique_ptr<ClosedDays> withRules(const std::string& file) {
    auto days = defaults();
    parseClosedDayRules(*days, file);
    return days;
}

bool closed(const ClosedDays& days, int y, int m, int d, std::string* name = nullptr) {
    char buffer[24] = "junk";
    const bool r = isClosedDay(days, dayDate(y, m, d), buffer);
    if (name) *name = buffer;
    return r;
}

TEST(ClosedDays, DefaultsCloseWeekendsAndHolidays) {
    const auto days = defaults();
    EXPECT_TRUE(closed(*days, 2026, 12, 6));    // Sunday
    EXPECT_TRUE(closed(*days, 2026, 12, 5));    // Saturday
    EXPECT_FALSE(closed(*days, 2026, 12, 7));   // Monday
    EXPECT_TRUE(closed(*days, 2026, 11, 23));   // Monday holiday
    EXPECT_TRUE(closed(*days, 2008, 5, 6));     // substitute holiday
    EXPECT_EQ(closedDayRuleCount(*days), 0);
}

TEST(ClosedDays, RulesCloseTheirDaysWithinTheirYears) {
    const auto days = withRules("12/29 H01-H99 年末休暇\r\n01/03 H01-R08 年始休暇\r\n05/?? H01-H99 五月\r\n");
    ASSERT_EQ(closedDayRuleCount(*days), 3);
    std::string name;
    EXPECT_TRUE(closed(*days, 1989, 12, 29, &name));
    EXPECT_EQ(name, "年末休暇");
    EXPECT_TRUE(closed(*days, 2087, 12, 29));
    EXPECT_FALSE(closed(*days, 1988, 12, 29, &name));  // a Thursday before the rule
    EXPECT_EQ(name, "");
    EXPECT_FALSE(closed(*days, 2088, 12, 29));
    EXPECT_TRUE(closed(*days, 2026, 1, 3));  // a Saturday anyway, but named by the rule
    EXPECT_FALSE(closed(*days, 2027, 1, 4)); // Monday, not covered
    // A month-only rule belongs to May but closes no day of it.
    for (int d : {7, 8, 11, 29}) EXPECT_FALSE(closed(*days, 2026, 5, d)) << d;
    // A month's names at once are each day's (holidays, substitutes and national ones before rules).
    for (const auto& [year, month] : {std::pair{1989, 12}, {2008, 5}, {2026, 1}, {2026, 9}, {2015, 9}, {1873, 1}}) {
        const auto names = dayNamesOf(*days, year, month);
        for (int d = 1; d < 32; ++d) EXPECT_EQ(names[static_cast<std::size_t>(d)], d <= monthLengthOf(year, month) ? dayNameOf(*days, dayDate(year, month, d)) : "") << year << "/" << month << "/" << d;
    }
}

TEST(ClosedDays, DayKinds) {
    auto days = withRules("12/07 R08-R08 会社の日\r\n12/05 R08-R08 土曜の休み\r\n");
    struct Case {
        const char* what;
        std::uint8_t closedFlags[8];
        int y, m, d;
        DayKind kind;
    } cases[] = {
        {"open Monday", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 12, 8, kOpenWeekday},
        {"Sunday", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 12, 6, kSunday},
        {"Saturday", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 12, 12, kSaturday},
        {"Saturday open, covered by a rule", {1, 0, 0, 0, 0, 0, 0, 1}, 2026, 12, 5, kClosedWeekday},
        {"Saturday closed and covered", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 12, 5, kSaturday},
        {"Monday covered by a rule", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 12, 7, kClosedWeekday},
        {"closed Wednesdays", {1, 0, 0, 1, 0, 0, 1, 1}, 2026, 12, 9, kClosedWeekday},
        {"holiday", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 11, 23, kPublicHoliday},
        {"substitute, holidays closed", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 5, 6, kSubstituteOrNational},
        {"substitute, holidays open", {1, 0, 0, 0, 0, 0, 1, 0}, 2026, 5, 6, kSubstituteOrNational},
        {"national holiday", {1, 0, 0, 0, 0, 0, 1, 1}, 2026, 9, 22, kSubstituteOrNational},
        {"holiday on closed Monday, holidays open", {1, 1, 0, 0, 0, 0, 1, 0}, 2026, 11, 23, kPublicHoliday},
    };
    for (const Case& c : cases) {
        std::copy(std::begin(c.closedFlags), std::end(c.closedFlags), days->closed);
        EXPECT_EQ(dayKindOf(*days, c.y, c.m, c.d), c.kind) << c.what;
    }
}

TEST(ClosedDays, HolidaysOpenAndRuleCovered) {
    auto days = withRules("11/23 R08-R08 棚卸し\r\n");
    days->closed[kClosedFlagHolidays] = 0;
    EXPECT_EQ(dayKindOf(*days, 2026, 11, 23), kClosedWeekday);  // holiday made open, but closed by the rule
    EXPECT_TRUE(closed(*days, 2026, 11, 23));
    EXPECT_FALSE(closed(*days, 2025, 11, 24));  // substitute holiday, holidays open, Monday open
    EXPECT_EQ(dayKindOf(*days, 2025, 11, 24), kSubstituteOrNational);
}

TEST(ClosedDays, JapaneseHolidaysSwitchedOff) {
    auto days = defaults();
    days->japaneseHolidays = 0;
    EXPECT_EQ(dayKindOf(*days, 2026, 2, 11), kOpenWeekday);  // a Wednesday
    EXPECT_FALSE(closed(*days, 2026, 2, 11));
}

// Files edited by hand: bad lines are skipped, long fields cut safely, and
// nothing past 256 rules is read.
TEST(ClosedDays, HostileFilesAreReadSafely) {
    const std::string longName(300, 'N');
    std::string many;
    for (int i = 0; i < 300; ++i) many += "01/15 H01-H99 r\r\n";
    struct Case {
        std::string file;
        int rules;
    } cases[] = {
        {"", 0},
        {"\r\n\r\n", 0},
        {"garbage\r\n13/01 H01-H99 x\r\n00/01 H01-H99 x\r\n01/32 H01-H99 x\r\n01/1", 0},
        {"01/15 H01-H99 " + longName + "\r\n", 1},
        {"01/15 H01-H99\r\n", 1},  // no name
        {many, 256},
        {"01/15 H01-H99 a\r\n\x1A" "01/16 H01-H99 b\r\n", 1},
        {"01/15 X05-X10 old\n", 1},
        {"01/15 H01-H99 ソ表ソ表ソ表ソ表ソ表ソ表ソ表ソ表", 1},
    };
    for (const Case& c : cases) {
        const auto days = withRules(c.file);
        EXPECT_EQ(closedDayRuleCount(*days), c.rules) << c.file.substr(0, 40);
        for (int i = 0; i < closedDayRuleCount(*days); ++i) {
            EXPECT_LT(std::strlen(days->rules[i].name), 24u);
            EXPECT_LT(std::strlen(days->rules[i].line), 40u);
        }
    }
    const auto odd = withRules("01/15 X05-X10 old\n");
    EXPECT_EQ(odd->rules[0].fromYear, 5);  // unknown letter: bare year, never a supported date
    EXPECT_FALSE(closed(*odd, 2027, 1, 15));
    const auto cut = withRules("01/15 H01-H99 ソ表ソ表ソ表ソ表ソ表ソ表ソ表ソ表");
    EXPECT_EQ(std::string(cut->rules[0].name), "ソ表ソ表ソ表ソ表ソ表ソ");  // 22 bytes: never half a character
}

TEST(ClosedDays, WrittenFileReadsBackTheSameRules) {
    const auto days = withRules(
        "12/29 H01-H99 年末\r\n01/03 S40-H05 年始\r\n05/?? K01-M45 五月\r\n01/03 R01-R99 二つ目\r\n");
    const std::string written = formatClosedDayRules(*days);
    EXPECT_EQ(written,
              "01/03 S40-H05 年始\r\n01/03 R01-R99 二つ目\r\n05/?? K01-M45 五月\r\n12/29 H01-H99 年末\r\n");
    const auto again = withRules(written);
    ASSERT_EQ(closedDayRuleCount(*again), 4);
    EXPECT_EQ(formatClosedDayRules(*again), written);
}

TEST(ClosedDays, WriterKeepsYearsInTheirColumns) {
    auto days = withRules("03/03 H01-H99 x\r\n");
    days->rules[0].fromEra = 0;  // a Western year would need four digits
    days->rules[0].fromYear = 2030;
    days->rules[0].toYear = 2100;  // past Heisei 99
    const std::string written = formatClosedDayRules(*days);
    EXPECT_EQ(written, "03/03 R12-R82 x\r\n");
    const auto again = withRules(written);
    EXPECT_EQ(again->rules[0].fromYear, 2030);
    EXPECT_EQ(again->rules[0].toYear, 2100);
}

TEST(ClosedDays, SwitchesThroughTheSettingsStore) {
    MemorySettingsStore store;
    auto days = defaults();
    readClosedDaySwitches(*days, store);
    EXPECT_EQ(store.valueCount(), 0u);  // reading never writes back
    const std::uint8_t expected[8] = {1, 0, 0, 0, 0, 0, 1, 1};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), days->closed));
    EXPECT_EQ(days->japaneseHolidays, 1);

    store.set("holi", "mon", 2);  // any non-zero value is on
    store.set("holi", "sun", 0);
    store.set("holi", "nholi", std::string("0"));  // wrong type: default
    readClosedDaySwitches(*days, store);
    EXPECT_EQ(days->closed[1], 1);
    EXPECT_EQ(days->closed[0], 0);
    EXPECT_EQ(days->japaneseHolidays, 1);

    days->japaneseHolidays = 0;
    days->closed[3] = 1;
    MemorySettingsStore written;
    writeClosedDaySwitches(*days, written);
    auto back = defaults();
    readClosedDaySwitches(*back, written);
    EXPECT_TRUE(std::equal(std::begin(days->closed), std::end(days->closed), back->closed));
    EXPECT_EQ(back->japaneseHolidays, 0);
}

class FakeFiles final : public FileSystem {
public:
    FileContent next;
    FileContent readFile(const std::string&) const override { return next; }
    bool replaceFile(const std::string&, std::string_view) override { return false; }
    bool removeFile(const std::string&) override { return false; }
};

// The options page saves over a file changed since it opened: each side's
// added rules are kept, a rule removed on one side only stays removed.
TEST(ClosedDays, SavingOverAnOutsideChangeKeepsBothSidesRules) {
    MemoryFileSystem files;
    const std::string path = joinPath("C:\\Tavo", kClosedDaysFile);
    auto base = withRules("01/15 H01-H99 a\r\n08/13 H01-H99 b\r\n");
    auto mine = withRules("01/15 H01-H99 a\r\n08/13 H01-H99 b\r\n12/29 H01-H99 mine\r\n");
    files.files[path] = "08/13 H01-H99 b\r\n05/01 H01-H99 theirs\r\n";  // a removed, theirs added outside
    bool merged = false;
    ASSERT_TRUE(saveClosedDayRulesOver(*base, *mine, files, "C:\\Tavo", merged));
    EXPECT_TRUE(merged);
    auto saved = withRules(files.files[path]);
    EXPECT_EQ(formatClosedDayRules(*saved), formatClosedDayRules(*mine));
    EXPECT_EQ(closedDayRuleCount(*mine), 3);
    EXPECT_TRUE(closed(*mine, 2026, 5, 1) && closed(*mine, 2026, 12, 29) && closed(*mine, 2026, 8, 13));
    EXPECT_FALSE(closed(*mine, 2026, 1, 15));
    auto untouched = withRules("01/15 H01-H99 a\r\n");  // nothing changed outside: the page's rules as they are
    files.files[path] = formatClosedDayRules(*untouched);
    ASSERT_TRUE(saveClosedDayRulesOver(*untouched, *base, files, "C:\\Tavo", merged));
    EXPECT_FALSE(merged);
    EXPECT_EQ(files.files[path], formatClosedDayRules(*base));
}

TEST(ClosedDays, LoadingFromTheProgramFolder) {
    test::TempFolder folder;
    NativeFileSystem files;
    MemorySettingsStore store;
    auto days = withRules("01/15 H01-H99 kept\r\n");
    EXPECT_FALSE(loadClosedDays(*days, files, folder.path(), store).opened);
    EXPECT_EQ(closedDayRuleCount(*days), 1);  // a missing file keeps what was there

    folder.write("Holiday2.Dat", "08/13 H01-H99 お盆\r\n08/14 H01-H99 お盆\r\n");
    EXPECT_TRUE(loadClosedDays(*days, files, folder.path(), store).opened);
    EXPECT_EQ(closedDayRuleCount(*days), 2);
    EXPECT_TRUE(closed(*days, 2026, 8, 13));

    EXPECT_TRUE(saveClosedDayRules(*days, files, folder.path()));
    EXPECT_EQ(folder.read("Holiday2.Dat"), "08/13 H01-H99 お盆\r\n08/14 H01-H99 お盆\r\n");

    FakeFiles broken;  // a read that stopped mid-line keeps the complete lines
    broken.next = {true, false, "08/13 H01-H99 a\r\n08/14 H01-H9", false, {}};
    EXPECT_FALSE(loadClosedDays(*days, broken, "C:\\Tavo", store).whole);
    EXPECT_EQ(closedDayRuleCount(*days), 1);
}

}  // namespace
}  // namespace tavo
