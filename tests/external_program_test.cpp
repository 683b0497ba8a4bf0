#include "calendar/data/external_program.h"

#include <gtest/gtest.h>

#include "calendar/data/path_settings.h"

namespace tavo {
namespace {

TEST(ExternalCommandLine, QuotesWhatHoldsABlank) {
    struct Case {
        const char* command;
        const char* file;
        bool commandIsAFile;
        const char* line;
    } cases[] = {
        {"C:\\Windows\\notepad.exe", "C:\\Tavo\\sch20057.cal", true, "C:\\Windows\\notepad.exe C:\\Tavo\\sch20057.cal"},
        {"C:\\Windows\\notepad.exe", "C:\\My Data\\sch2005b.cal", true,
         "C:\\Windows\\notepad.exe \"C:\\My Data\\sch2005b.cal\""},
        {"C:\\Program Files\\Editor\\ed.exe", "C:\\d\\ni1050709.day", true,
         "\"C:\\Program Files\\Editor\\ed.exe\" C:\\d\\ni1050709.day"},
        // Already quoted, or a command with its own arguments: as written.
        {"\"C:\\Program Files\\ed.exe\"", "a.cal", true, "\"C:\\Program Files\\ed.exe\" a.cal"},
        {"ed.exe -n", "a b.cal", false, "ed.exe -n \"a b.cal\""},
        {"notepad", "", false, "notepad "},
    };
    for (const Case& c : cases) EXPECT_EQ(externalCommandLine(c.command, c.file, c.commandIsAFile), c.line) << c.line;
}

TEST(ExternalCommandLine, FilesOfEveryOpenFileType) {
    PathSettings paths{};
    initPathDefaults(paths, "C:\\My Data\\Tavo.exe", "C:\\Windows");
    const char* expected[] = {"C:\\My Data\\sch20057.cal", "C:\\My Data\\birthda7.cal", "C:\\My Data\\ni1050709.day",
                              "C:\\My Data\\20050709.JNL"};
    for (int type = 0; type < 4; ++type) {
        paths.externalFile = type;
        const std::string file = externalCommandFile(paths, 2005, 7, 9);
        EXPECT_EQ(file, expected[type]);
        EXPECT_EQ(externalCommandLine("ed.exe", file, true), std::string("ed.exe \"").append(expected[type]).append("\""));
    }
}

TEST(HelpPages, BesideTheProgram) {
    EXPECT_EQ(helpPagePath("C:\\Program Files\\Tavo", kHelpIndexPage), "C:\\Program Files\\Tavo\\help\\index.html");
    EXPECT_EQ(helpPagePath("C:\\Tavo\\", kLatestVersionPage), "C:\\Tavo\\help\\latest.html");
}

}  // namespace
}  // namespace tavo
