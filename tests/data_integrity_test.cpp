// Every writer over damaged and hand-edited files: each write changes only the
// lines it owns, leaves every other line in place and order byte for byte,
// and leaves a file it could not read whole exactly as it was.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/range_list.h"
#include "calendar/data/section_file.h"
#include "calendar/render/design.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/locale_info.h"
#include "shared/clock.h"
#include "shared/memory_file_system.h"
#include "shared/memory_settings_store.h"

namespace tavo {
namespace {

// Files as users leave them: out of order, repeated keys, notes of their own,
// a Ctrl-Z line, CR-only and LF line ends, no final line end, binary junk.
const std::vector<std::string> kSectionCorpus = {
    "",
    ":5\r\nfive\r\n:3\r\nthree\r\n:7\r\nseven\r\n",
    ":7\r\na\r\n:7\r\nb\r\n:8\r\nc\r\n",
    ":5\r\nfive\r\n:note\r\nhand note\r\n:x\r\nstray\r\n:9\r\nnine\r\n",
    ":3\r\nthree\r\n\x1A\r\n:4\r\nfour\r\n",
    ":7\rseven\r:8\reight\r:9\rnine\r",
    ":7\nseven\n:8\neight\n",
    "comment before\r\n:5\r\nfive",
    "\r\n\r\n:5\r\n\r\nx\r\n",
    ":5\r\nfive\r\n\x1A",
    "\xff\x81\r\n:5\r\n\x81\x46:5 not a header\r\n",
    ":1\r\na\n:2\rb\r\n:31\r\nend of month",
    ":3\r\nthree\r\n:3\r\n",
    ": 7\r\nblank before the key\r\n:+8\r\nsigned\r\n",
};

// The unowned lines of before appear in after in the same order, byte for
// byte (a last line without a line end may have gained one).
::testing::AssertionResult keepsUnowned(std::string_view before, std::string_view after,
                                        const std::function<bool(std::size_t)>& owned) {
    const std::vector<std::string_view> was = fileLines(before), now = fileLines(after);
    std::size_t j = 0;
    for (std::size_t i = 0; i < was.size(); ++i) {
        if (owned(i)) continue;
        const bool ended = lineContent(was[i]).size() != was[i].size();
        while (j < now.size() && (ended ? now[j] != was[i] : lineContent(now[j]) != was[i])) ++j;
        if (j == now.size())
            return ::testing::AssertionFailure() << "line " << i << " \"" << lineContent(was[i]) << "\" lost";
        ++j;
    }
    return ::testing::AssertionSuccess();
}

std::function<bool(std::size_t)> ownedSections(std::string_view content, int key) {
    std::vector<bool> owned(fileLines(content).size(), false);
    for (const SectionSpan& s : sectionSpans(fileLines(content)))
        if (s.key == key)
            for (std::size_t i = s.header; i < s.end; ++i) owned[i] = true;
    return [owned](std::size_t i) { return owned[i]; };
}

TEST(DataIntegrity, ReplacingASectionKeepsEveryOtherLine) {
    for (const std::string& content : kSectionCorpus) {
        for (int key : {0, 3, 5, 7, 8, 9, 31}) {
            for (std::string text : {"NEW", "NEW\r\n2nd", ""}) {
                const std::string after = replaceSection(content, key, text);
                const std::string what = "key " + std::to_string(key) + " in \"" + content + "\"";
                EXPECT_TRUE(keepsUnowned(content, after, ownedSections(content, key))) << what;
                EXPECT_EQ(readSection(after, key), text.empty() ? "" : sectionBody(text)) << what;
                for (const SectionSpan& s : sectionSpans(fileLines(content))) {
                    if (s.key == key) continue;
                    EXPECT_EQ(lineContent(readSection(after, s.key)), lineContent(readSection(content, s.key))) << what;
                }
                EXPECT_EQ(replaceSection(after, key, text), after) << "not idempotent: " << what;
            }
        }
    }
}

TEST(DataIntegrity, AddingAndRemovingPersonalDaysKeepsUnknownLines) {
    const std::vector<std::string> corpus = {
        "",
        ": 1 1980\r\n太郎\r\n:15\r\n花子\r\n",
        "# 家族の誕生日\r\n: 3 1970\r\n父\r\n",
        ": 5 1990\r\n一郎\r\n二行目の名前\r\n:20\r\n次郎\r\n",
        ": 9\t1990\r\n三郎\r\n:10/1975\r\n四郎\r\n",
        ": 1\r\n: 2\r\n名前だけ\r\n",
        ": 8 2000\r五郎\r:12\r六郎\r",
        ": 8 2000\n五郎\n",
        ":25\r\n最後\r\n\x1A",
        ":25\r\n改行なし",
    };
    for (const std::string& content : corpus) {
        for (int day : {1, 5, 9, 10, 15, 31}) {
            const std::string added = withPersonalEntry(content, {day, 2001, "新しい人"});
            EXPECT_TRUE(keepsUnowned(content, added, [](std::size_t) { return false; })) << day << " " << content;
            const std::vector<PersonalEntry> entries = parsePersonalDays(added);
            EXPECT_EQ(entries.size(), parsePersonalDays(content).size() + 1) << day << " " << content;
            // The new entry is the last of its day: removing it gives the old lines back.
            const int last = static_cast<int>(entriesOfDay(entries, day).size()) - 1;
            EXPECT_EQ(entriesOfDay(entries, day).back().name, "新しい人") << day << " " << content;
            const std::string back = withoutPersonalEntry(added, day, last);
            std::vector<std::string_view> was, now;
            for (std::string_view l : fileLines(content)) was.push_back(lineContent(l));
            for (std::string_view l : fileLines(back)) now.push_back(lineContent(l));
            EXPECT_EQ(now, was) << day << " " << content;
        }
        // Removing the first entry of each day owns exactly its header and name lines.
        const std::vector<PersonalEntry> entries = parsePersonalDays(content);
        for (const PersonalEntry& e : entries) {
            const std::string removed = withoutPersonalEntry(content, e.day, 0);
            EXPECT_EQ(parsePersonalDays(removed).size(), entries.size() - 1) << content;
            EXPECT_LE(fileLines(content).size() - fileLines(removed).size(), 2u) << content;
        }
    }
}

TEST(DataIntegrity, ANewPersonalEntryGoesAfterItsDay) {
    const std::string content = "# 家族\r\n: 1 1980\r\n太郎\r\n:15\r\n花子\r\n";
    EXPECT_EQ(withPersonalEntry(content, {1, 0, "次"}), "# 家族\r\n: 1 1980\r\n太郎\r\n: 1\r\n次\r\n:15\r\n花子\r\n");
    EXPECT_EQ(withPersonalEntry(content, {20, 1999, "末"}), content + ":20 1999\r\n末\r\n");
    EXPECT_EQ(withoutPersonalEntry(content, 15, 0), "# 家族\r\n: 1 1980\r\n太郎\r\n");
    EXPECT_EQ(withoutPersonalEntry(content, 15, 1), content);  // no second entry: nothing changes
}

TEST(DataIntegrity, DayOffRowsAreFoundByContent) {
    const std::string row0(31, '0');
    std::string twelve;
    for (int m = 0; m < 12; ++m) twelve += row0 + "\r\n";
    struct Case {
        std::string content;
        int month, day;
    } const cases[] = {
        {"", 12, 7},
        {twelve, 2, 1},
        {"\r\n" + twelve, 3, 31},                               // a blank line first
        {"# 休暇\r\n" + twelve + "メモ\r\n", 12, 31},           // stray lines around
        {row0 + "\r" + row0 + "\r", 2, 5},                      // CR-only, two months only
        {"0101", 1, 10},                                        // a short row
        {"01x1" + std::string(27, '0') + "\r\n", 1, 3},         // another character reads as '0'
    };
    for (const Case& c : cases) {
        const std::string after = withDayOffToggled(c.content, c.month, c.day);
        DayOffTable before{}, table{};
        parseDayOffTable(before, c.content);
        parseDayOffTable(table, after);
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 31; ++d)
                EXPECT_EQ(isDayOff(table, m, d), isDayOff(before, m, d) != (m == c.month && d == c.day)) << m << "/" << d;
        // Only the month's row is owned: every line that is not a flag row stays.
        const std::vector<std::string_view> lines = fileLines(c.content);
        EXPECT_TRUE(keepsUnowned(c.content, after, [&](std::size_t i) {
            return !lines[i].empty() && (lines[i][0] == '0' || lines[i][0] == '1');
        })) << c.content;
        DayOffTable twice{};
        parseDayOffTable(twice, withDayOffToggled(after, c.month, c.day));
        EXPECT_EQ(formatDayOffTable(twice), formatDayOffTable(before)) << c.content;
    }
}

TEST(DataIntegrity, ClosedDayRulesKeepTheUsersOtherLines) {
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    const std::string content = "# 会社の休み\r\n08/13 H01-R99 お盆\r\nメモ: 年末は別\r\n12/29 H01-R99 年末\r\n";
    parseClosedDayRules(*days, content);
    const std::string after = withClosedDayRules(content, *days);
    EXPECT_TRUE(keepsUnowned(content, after, [](std::size_t i) { return i == 1 || i == 3; }));
    EXPECT_EQ(parseClosedDayRules(*days, after), 2);

    std::string many;  // 257 rules: the last one is counted, kept and never used
    for (int i = 0; i < 257; ++i) many += (i < 256 ? "01/01 H01-R99 r" : "02/02 H01-R99 over") + std::to_string(i) + "\r\n";
    EXPECT_EQ(parseClosedDayRules(*days, many), 257);
    EXPECT_EQ(closedDayRuleCount(*days), 256);
    const std::string saved = withClosedDayRules(many, *days);
    EXPECT_NE(saved.find("02/02 H01-R99 over256\r\n"), std::string::npos);
    EXPECT_EQ(parseClosedDayRules(*days, saved), 257);
    EXPECT_EQ(closedDayRuleCount(*days), 256);
    EXPECT_EQ(parseClosedDayRules(*days, "08/13 H01-R99 a\r08/14 H01-R99 b\r"), 2);  // CR-only
    EXPECT_STREQ(days->rules[0].name, "a");
}

// Rules loaded from a file that could not be read whole are never saved, even
// once the file can be read again: they would stand for the whole file.
TEST(DataIntegrity, RulesFromAPartialLoadAreNotSaved) {
    using Fault = MemoryFileSystem::Fault;
    MemorySettingsStore store;
    const std::string path = joinPath("C:\\Tavo", kClosedDaysFile);
    for (Fault fault : {Fault::CannotOpen, Fault::ShortRead}) {
        auto days = std::make_unique<ClosedDays>();
        resetClosedDays(*days);
        MemoryFileSystem files;
        files.files[path] = "08/13 H01-R99 お盆\r\n08/14 H01-R99 お盆\r\n";
        files.faults[path] = fault;
        EXPECT_FALSE(loadClosedDays(*days, files, "C:\\Tavo", store).whole);
        files.faults.clear();
        EXPECT_FALSE(saveClosedDayRules(*days, files, "C:\\Tavo").saved);
        EXPECT_EQ(files.writes, 0);
        EXPECT_TRUE(loadClosedDays(*days, files, "C:\\Tavo", store).whole);
        EXPECT_TRUE(saveClosedDayRules(*days, files, "C:\\Tavo").saved);
        EXPECT_EQ(files.files[path], "08/13 H01-R99 お盆\r\n08/14 H01-R99 お盆\r\n");
    }
}

// Every writer on a file that cannot be opened, is not a file, or reads only
// halfway: the write fails with a reason and the file keeps every byte.
TEST(DataIntegrity, AFileThatCannotBeReadWholeIsNeverWritten) {
    using Fault = MemoryFileSystem::Fault;
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    struct Writer {
        const char* name;
        std::string path;
        std::function<SaveResult(MemoryFileSystem&)> write;
    } const writers[] = {
        {"day section", scheduleFile(paths, kScheduleDay, 2026, 12),
         [&](MemoryFileSystem& f) { return writeScheduleText(f, paths, kScheduleDay, 2026, 12, 8, "x"); }},
        {"every week", scheduleFile(paths, kScheduleEveryWeek, 2026, 12),
         [&](MemoryFileSystem& f) { return writeScheduleText(f, paths, kScheduleEveryWeek, 2026, 12, 8, ""); }},
        {"memo", scheduleFile(paths, kScheduleMemo, 2026, 12),
         [&](MemoryFileSystem& f) { return writeScheduleText(f, paths, kScheduleMemo, 2026, 12, 8, "memo"); }},
        {"add birthday", personalDayFile(paths, kBirthday, 12),
         [&](MemoryFileSystem& f) { return addPersonalDay(f, paths, kBirthday, 12, {8, 0, "x"}); }},
        {"remove anniversary", personalDayFile(paths, kAnniversary, 12),
         [&](MemoryFileSystem& f) { return removePersonalDay(f, paths, kAnniversary, 12, {1, 0, "x"}, 0).saved; }},
        {"day off", dayOffFile(paths, 2026),
         [&](MemoryFileSystem& f) {
             DayOffTable t{};
             return markDayOff(t, f, paths, 2026, 12, 8, true);
         }},
        {"closed-day rules", joinPath(paths.programFolder, kClosedDaysFile),
         [&](MemoryFileSystem& f) { return saveClosedDayRules(*days, f, paths.programFolder); }},
        {"scheme file", joinPath(paths.programFolder, "夜.col"),
         [&](MemoryFileSystem& f) {
             DesignSet d{};
             resetDesignSet(d, kCalendarDesign, {19, 15});
             return saveSchemeFile(f, joinPath(paths.programFolder, "夜.col"), d, kCalendarDesign, {});
         }},
    };
    const std::string old = ": 1\r\n元のデータ\r\n:31\r\n" + std::string(100, 'x') + "\r\n";
    for (const Writer& w : writers) {
        for (Fault fault : {Fault::CannotOpen, Fault::ShortRead, Fault::NotAFile, Fault::CannotWrite}) {
            MemoryFileSystem files;
            files.files[w.path] = old;
            files.faults[w.path] = fault;
            const SaveResult result = w.write(files);
            EXPECT_FALSE(result.saved) << w.name << " fault " << static_cast<int>(fault);
            EXPECT_FALSE(result.reason.empty()) << w.name;
            EXPECT_EQ(files.files[w.path], old) << w.name;
            EXPECT_EQ(files.files.size(), 1u) << w.name;
        }
        MemoryFileSystem healthy;  // the same writer on a readable file does write
        healthy.files[w.path] = old;
        EXPECT_TRUE(w.write(healthy).saved) << w.name;
        EXPECT_EQ(healthy.writes, 1) << w.name;
    }
}

// Several files as one change: all land, or every file is as it was (a new
// one gone again), whichever file refuses; an edit may leave its file alone.
TEST(DataIntegrity, SeveralFilesLandWholeOrNotAtAll) {
    using Fault = MemoryFileSystem::Fault;
    const std::map<std::string, std::string> before = {{"a.cal", "A\r\n"}, {"c.cal", "C\r\n"}, {"d.cal", "D\r\n"}};
    const auto append = [](std::string_view old) { return std::optional<std::string>(std::string(old) + "+\r\n"); };
    const auto leave = [](std::string_view) { return std::optional<std::string>(); };
    const std::vector<FileEdit> edits = {{"a.cal", append}, {"b.cal", append}, {"c.cal", append}, {"d.cal", leave}};
    struct Case {
        const char* what;
        std::optional<Fault> faultOfC;
        bool saved;
    } const cases[] = {
        {"all readable", std::nullopt, true},
        {"c cannot be read whole", Fault::ShortRead, false},
        {"c cannot be opened", Fault::CannotOpen, false},
        {"c cannot be written", Fault::CannotWrite, false},
    };
    for (const Case& c : cases) {
        MemoryFileSystem files;
        for (const auto& [path, content] : before) files.files[path] = content;
        if (c.faultOfC) files.faults["c.cal"] = *c.faultOfC;
        const SaveResult result = rewriteFiles(files, edits);
        EXPECT_EQ(result.saved, c.saved) << c.what;
        if (!c.saved) {
            EXPECT_EQ(result.reason.rfind("c.cal: ", 0), 0u) << c.what << ": " << result.reason;
            EXPECT_EQ(files.files, before) << c.what;
            continue;
        }
        EXPECT_EQ(files.files["a.cal"], "A\r\n+\r\n");
        EXPECT_EQ(files.files["b.cal"], "+\r\n");
        EXPECT_EQ(files.files["c.cal"], "C\r\n+\r\n");
        EXPECT_EQ(files.files["d.cal"], "D\r\n");
        EXPECT_EQ(files.writes, 3);
    }
}

// The month grid, the range list and the data windows see the same sections.
TEST(DataIntegrity, GridRangeAndWindowsAgreeOnSections) {
    static FixedClock clock{{2026, 12, 7}};
    setClock(&clock);
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    auto closed = std::make_unique<ClosedDays>();
    resetClosedDays(*closed);
    EnvironmentSettings env{};
    resetEnvironment(env, paths.programFolder);
    DateFormatSet formats{};
    resetDateFormatSet(formats, 1);
    JapaneseLocale locale;
    for (const std::string& content : kSectionCorpus) {
        MemoryFileSystem files;
        files.files[scheduleFile(paths, kScheduleDay, 2026, 12)] = content;
        const DataSources sources{files, paths, *closed, env};
        MonthGrid grid{};
        DayOffTable dayOff{};
        rebuildMonth(grid, dayOff, 2026, 12, {false, false}, sources);
        for (int day = 1; day <= 31; ++day) {
            const CellPosition p = grid.dayCell[day];
            const bool marked = grid.cellMark[cellIndex(p.column, p.row)] != 0;
            const RangeRequest request{2026, 12, day, {kRangeRelative, 0, 0}, false, false, formats, locale, nullptr, false};
            const RangeList list = collectRange(request, sources);
            bool listed = false;
            for (std::size_t i = 0; i < list.size(); ++i) listed = listed || !list.line(i).header;
            const bool window = !readSection(content, day).empty();
            EXPECT_EQ(listed, rangeHasData(request, sources)) << day << " " << content;
            EXPECT_EQ(listed, window) << day << " " << content;
            EXPECT_TRUE(marked || !window) << day << " " << content;
        }
    }
    setClock(nullptr);
}

}  // namespace
}  // namespace tavo
