#include "cli/commands.h"
#include "tavo_version.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "temp_folder.h"
#include "utf8_literal.h"

namespace tavo::cli {
namespace {

using test::utf8;

#ifdef _WIN32
constexpr bool kHaveFifos = false;
bool makeFifo(const std::string&) { return false; }
#else
constexpr bool kHaveFifos = true;
bool makeFifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }
#endif

struct Result {
    int status;
    std::string out, err;
};

Result runCli(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int status = run(words, out, err);
    return {status, out.str(), err.str()};
}

// The version is the project's, in the form users see everywhere.
TEST(CliVersion, PrintsTheProjectVersion) {
    const Result r = runCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "tavocal " TAVO_VERSION_TEXT "\n");
    EXPECT_TRUE(std::regex_match(r.out, std::regex("tavocal [0-9]+\\.[0-9]{2}\\.[0-9]+\n"))) << r.out;
    EXPECT_EQ(runCli({"--version", "day"}).status, 2);
}

// --help, -h and help print the usage and succeed; help COMMAND that command's lines.
TEST(CliHelp, EveryFormPrintsTheUsage) {
    const struct {
        std::vector<std::string> words;
        int status;
        const char* in;      // the output holds it
        const char* notIn;   // and not this
    } cases[] = {
        {{"--help"}, 0, "  search WORDS...", ""},
        {{"-h"}, 0, "  month YYYY-MM", ""},
        {{"help"}, 0, "  day YYYY-MM-DD", ""},
        {{"help", "search"}, 0, "(\"quoted\" as written", "  month YYYY-MM"},
        {{"help", "holidays"}, 0, "  holidays --check FILE", "  format"},
        {{"help", "nope"}, 2, "", ""},
        {{"help", "search", "day"}, 2, "", ""},
    };
    for (const auto& c : cases) {
        const Result r = runCli(c.words);
        EXPECT_EQ(r.status, c.status) << c.words.back();
        EXPECT_NE(r.out.find(c.in), std::string::npos) << c.words.back() << "\n" << r.out;
        EXPECT_TRUE(!*c.notIn || r.out.find(c.notIn) == std::string::npos) << c.words.back();
        EXPECT_TRUE(c.status == 0 || r.err.find("usage: tavocal") != std::string::npos) << c.words.back();
    }
}

TEST(CliDay, PrintsTheFactsOfADate) {
    struct Case {
        const char* date;
        const char8_t* line;
    } cases[] = {
        {"2000-01-01", u8"date=2000-01-01 weekday=6 serial=730426 era=平成 erayear=12 rokuyo=大安 holiday=1 holidayname=元日 kind=3 closed=1 sekki=- zassetsu=- kyureki=11-25 moonage=24.2\n"},
        {"2019-04-30", u8"date=2019-04-30 weekday=2 serial=737485 era=平成 erayear=31 rokuyo=仏滅 holiday=5 holidayname=国民の休日 kind=4 closed=1 sekki=- zassetsu=- kyureki=3-26 moonage=24.8\n"},
        {"2019-05-01", u8"date=2019-05-01 weekday=3 serial=737486 era=令和 erayear=1 rokuyo=大安 holiday=1 holidayname=天皇の即位の日 kind=3 closed=1 sekki=- zassetsu=- kyureki=3-27 moonage=25.8\n"},
        {"2026-12-07", u8"date=2026-12-07 weekday=1 serial=740263 era=令和 erayear=8 rokuyo=友引 holiday=0 holidayname=- kind=0 closed=0 sekki=大雪 zassetsu=- kyureki=10-29 moonage=27.8\n"},
        {"1865-04-06", u8"date=1865-04-06 weekday=4 serial=681214 era=西暦 erayear=1865 rokuyo=- holiday=0 holidayname=- kind=0 closed=0 sekki=- zassetsu=- kyureki=- moonage=-\n"},
        {"1582-10-15", u8"date=1582-10-15 weekday=5 serial=578042 era=西暦 erayear=1582 rokuyo=- holiday=0 holidayname=- kind=0 closed=0 sekki=- zassetsu=- kyureki=- moonage=-\n"},
        {"2005-12-31", u8"date=2005-12-31 weekday=6 serial=732617 era=平成 erayear=17 rokuyo=赤口 holiday=0 holidayname=- kind=2 closed=1 sekki=- zassetsu=- kyureki=12-1 moonage=29.5\n"},
    };
    for (const Case& c : cases) {
        const Result r = runCli({"day", c.date, "--today", "2026-12-07"});
        EXPECT_EQ(r.status, 0) << c.date;
        EXPECT_EQ(r.out, utf8(c.line));
        EXPECT_EQ(r.err, "");
    }
}

TEST(CliDay, RefusesBadDatesWithOneLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"day", "1582-10-14"}, {"day", "10000-01-01"}, {"day", "2001-02-29"}, {"day", "2000-1-1"},
        {"day", "2000-01-01x"}, {"day"}, {"day", "2000-01-01", "--today", "soon"}, {"day", "2000-01-01", "--today"},
        {"day", "+200-01-01"}, {"nosuchcommand"}, {},
    };
    for (const auto& words : cases) {
        const Result r = runCli(words);
        EXPECT_EQ(r.status, 2) << (words.empty() ? "" : words.back());
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
        if (!words.empty() && words[0] == "day") {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
    }
}

TEST(CliDay, ClosedDaysComeFromTheFolderGiven) {
    test::TempFolder folder;
    folder.write("Holiday2.Dat", "12/07 R01-R99 創立記念日\r\n");
    const Result r = runCli({"day", "2026-12-07", "--dir", folder.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(" kind=5 closed=1 "), std::string::npos) << r.out;
}

// A FIFO (where there are FIFOs) or a folder in place of a data file: the tool
// says which file it could not read and exits 2 instead of hanging or showing less.
// The timed entries of a span, one a line in time order, with the kind of
// schedule each comes from; the same parser as the calendar's.
TEST(CliReminders, TimedEntriesOfTheDays) {
    test::TempFolder folder;
    folder.write("sch2026c.cal", ":7\r\n15:00～16:00 会議\r\nメモ\r\n9時 朝礼\r\n:8\r\n会議 14:00\r\n");
    folder.write("schedulw.cal", ":2\r\n18:00 火曜\r\n");
    const Result r = runCli({"reminders", "2026-12-07", "2026-12-08", "--dir", folder.path()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, utf8(u8"2026-12-07 09:00 day 朝礼\n2026-12-07 15:00-16:00 day 会議\n2026-12-08 18:00 week 火曜\n"));
    EXPECT_EQ(runCli({"reminders", "2026-12-08", "2026-12-07"}).status, 2);
}

TEST(CliFiles, UnreadableFilesAreReportedNotSkipped) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
    } const cases[] = {
        {"Holiday2.Dat", {"day", "2026-12-07"}},
        {"sch2026c.cal", {"month", "2026-12"}},
        {"schedulw.cal", {"range", "2026-12-07", "--after", "3"}},
    };
    for (const Case& c : cases) {
        for (bool fifo : {true, false}) {
            if (fifo && !kHaveFifos) continue;
            test::TempFolder folder;
            if (fifo) ASSERT_TRUE(makeFifo(folder.file(c.name)));
            else std::filesystem::create_directory(folder.file(c.name));
            std::vector<std::string> words = c.words;
            words.insert(words.end(), {"--dir", folder.path(), "--today", "2026-12-07"});
            const Result r = runCli(words);
            EXPECT_EQ(r.status, 2) << c.name;
            EXPECT_NE(r.err.find(c.name), std::string::npos) << r.err;
        }
    }
}

TEST(CliFiles, FoldersAndOptionsThatCannotBeUsed) {
    test::TempFolder folder;
    const std::string longFolder = folder.path() + "/" + std::string(250, 'x');
    const std::vector<std::vector<std::string>> cases = {
        {"month", "2026-12", "--dir", folder.path() + "/missing"},
        {"month", "2026-12", "--dir", folder.path() + "/\xf0\x9f\x98\x80"},  // no code page 932 form
        {"month", "2026-12", "--dir", longFolder},
        {"range", "2026-12-07", "--mondy"},
        {"day", "2026-12-07", "--verbose"},
    };
    for (const auto& words : cases) {
        const Result r = runCli(words);
        EXPECT_EQ(r.status, 2) << words.back();
        EXPECT_EQ(r.out, "") << words.back();
        EXPECT_FALSE(r.err.empty()) << words.back();
    }
}

TEST(CliMonth, TheFirstAndLastMonths) {
    const Result first = runCli({"month", "1582-10", "--today", "2026-12-07"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("15"), std::string::npos);
    EXPECT_EQ(runCli({"month", "9999-12"}).status, 0);
    for (const char* bad : {"1582-09", "10000-01", "2026-13", "2026-1", "2026-00"})
        EXPECT_EQ(runCli({"month", bad}).status, 2) << bad;
}

TEST(CliFormat, PatternTexts) {
    const Result r = runCli({"format", utf8(u8"yyyy年(ggY年)m月d日(dddd) RR [N]"), "2000-01-02", "--today", "1999-12-31"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, utf8(u8"2000年(平成12年)1月2日(日曜日) 赤口 [+2]\n"));
    EXPECT_EQ(runCli({"format", "N", "2026-12-04", "--today", "2026-12-07"}).out, "-3\n");
    EXPECT_EQ(runCli({"format", "yyyy"}).status, 2);
    const Result preset = runCli({"format", "--part", "StatusBar", "--sel", "0,2,0,0,0,0,0", "2000-01-02", "--today",
                                  "1999-12-31"});
    EXPECT_EQ(preset.out, utf8(u8"2000年(平成12年) 1月 2日(日)[+2]\n"));
    EXPECT_EQ(runCli({"format", "--part", "Caption", "--sel", "4,2,3,1,0,4,1", "2000-01-02"}).out, "Sunday,Jan  2,2000\n");
    EXPECT_EQ(runCli({"format", "--part", "Week", "--sel", "0,0,0,0,0,1,0", "2026-12-09"}).out, utf8(u8"水曜日\n"));
    EXPECT_EQ(runCli({"format", "--part", "Nope", "--sel", "0,0,0,0,0,0,0", "2000-01-02"}).status, 2);
    EXPECT_EQ(runCli({"format", "--part", "Week", "--sel", "0,0,0", "2000-01-02"}).status, 2);
    EXPECT_EQ(runCli({"format", "yyyy", "2026-13-01"}).status, 2);
}

TEST(CliLunar, LunarDatesAndRokuyo) {
    const Result r = runCli({"lunar", "2033", "2033"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 365);
    EXPECT_NE(r.out.find(utf8(u8"2033-12-22\tL11-1\t")), std::string::npos);  // the leap 11th month
    const Result old = runCli({"lunar", "1872", "1873"});
    EXPECT_EQ(old.out.substr(0, 14), "1872-01-01\t-\t-");
    EXPECT_EQ(runCli({"lunar", "2000"}).status, 2);
}

// The terms and 雑節 of a year by date; the almanac's years only.
TEST(CliSekki, ListsTheTermsAndZassetsuOfTheYears) {
    const Result r = runCli({"sekki", "2026"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("2026-03-05")),
              utf8(u8"2026-01-05\t小寒\n2026-01-17\t土用入り\n2026-01-20\t大寒\n2026-01-27\t土用の丑の日\n"
                   u8"2026-02-03\t節分\n2026-02-04\t立春\n2026-02-19\t雨水\n"));
    EXPECT_NE(r.out.find(utf8(u8"2026-12-22\t冬至\n")), std::string::npos);
    EXPECT_EQ(runCli({"sekki", "1872"}).status, 2);
    EXPECT_EQ(runCli({"sekki", "2026", "2025"}).status, 2);
}

TEST(CliHolidays, ListsOneYearOrARange) {
    const Result one = runCli({"holidays", "2026"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 18);
    EXPECT_EQ(one.out.substr(0, one.out.find('\n') + 1), utf8(u8"2026-01-01\t1\t元日\n"));
    const Result start = runCli({"holidays", "1582"});
    EXPECT_EQ(start.status, 0);
    EXPECT_EQ(start.out.substr(0, 10), "1582-11-03");
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"holidays"}, {"holidays", "1581"}, {"holidays", "2000", "1999"}, {"holidays", "10000"}, {"holidays", "x"}}) {
        EXPECT_EQ(runCli(words).status, 2);
    }
}

}  // namespace
}  // namespace tavo::cli
