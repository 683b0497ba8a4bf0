#include "calendar/data/path_settings.h"

#include <gtest/gtest.h>

#include "shared/memory_settings_store.h"
#include "shared/window_settings.h"

namespace tavo {
namespace {

PathSettings defaultsFor(const char* programPath) {
    PathSettings paths;
    initPathDefaults(paths, programPath, "C:\\Windows");
    return paths;
}

TEST(PathSettings, DefaultsComeFromTheProgramPath) {
    // The folder name ends in a character whose second byte is '\'.
    const PathSettings paths = defaultsFor("C:\\ソ\\Tavo.exe");
    EXPECT_STREQ(paths.programFolder, "C:\\ソ");
    EXPECT_STREQ(paths.scheduleFolder, "C:\\ソ");
    EXPECT_STREQ(paths.memoFolder, "C:\\ソ");
    EXPECT_STREQ(paths.dayOffStem, "C:\\ソ\\DOff");
    EXPECT_STREQ(paths.holiday2File, "C:\\ソ\\Holiday2.Dat");
    EXPECT_STREQ(paths.colourPattern, "C:\\ソ\\*.col");
    EXPECT_STREQ(paths.schemePattern, "C:\\ソ\\*.scl");
    EXPECT_STREQ(paths.programPath, "C:\\ソ\\Tavo.exe");
    EXPECT_STREQ(paths.externalProgram, "C:\\Windows\\notepad.exe");
    EXPECT_STREQ(paths.externalCaption, "メモ帳(&E)");
    EXPECT_EQ(paths.externalFile, kExternalDaySchedule);
}

TEST(PathSettings, TheDirKeyOverridesFolders) {
    PathSettings paths = defaultsFor("D:\\Tavo\\Tavo.exe");
    MemorySettingsStore empty;
    loadFolderSettings(paths, empty);
    EXPECT_STREQ(paths.birthdayFolder, "D:\\Tavo");
    EXPECT_EQ(empty.valueCount(), 0u);

    MemorySettingsStore store;
    store.set("dir", "schpath", std::string("E:\\予定"));
    store.set("dir", "birpath", 5);  // wrong type: default
    store.set("dir", "name", std::string("日記(&D)"));
    store.set("dir", "opt", 2);
    loadFolderSettings(paths, store);
    EXPECT_STREQ(paths.scheduleFolder, "E:\\予定");
    EXPECT_STREQ(paths.birthdayFolder, "D:\\Tavo");
    EXPECT_STREQ(paths.externalCaption, "日記(&D)");
    EXPECT_EQ(paths.externalFile, kExternalDiaryShort);

    MemorySettingsStore written;
    writeFolderSettings(paths, written);
    PathSettings back = defaultsFor("X:\\Tavo.exe");
    loadFolderSettings(back, written);
    EXPECT_STREQ(back.scheduleFolder, "E:\\予定");
    EXPECT_STREQ(back.anniversaryFolder, "D:\\Tavo");
    EXPECT_EQ(back.externalFile, 2);
}

TEST(PathSettings, FileNames) {
    const PathSettings p = defaultsFor("C:\\T\\Tavo.exe");
    struct Case {
        std::string got;
        const char* want;
    } cases[] = {
        {scheduleFile(p, kScheduleDay, 2005, 9), "C:\\T\\sch20059.cal"},
        {scheduleFile(p, kScheduleDay, 2005, 10), "C:\\T\\sch2005a.cal"},
        {scheduleFile(p, kScheduleDay, 2005, 12), "C:\\T\\sch2005c.cal"},
        {scheduleFile(p, kScheduleDay, 987, 1), "C:\\T\\sch09871.cal"},
        {scheduleFile(p, kScheduleEveryYear, 2005, 3), "C:\\T\\schedul3.cal"},
        {scheduleFile(p, kScheduleEveryMonth, 2005, 3), "C:\\T\\schedule.cal"},
        {scheduleFile(p, kScheduleEveryMonthLater, 2005, 3), "C:\\T\\schedulf.cal"},
        {scheduleFile(p, kScheduleEveryMonthEarlier, 2005, 3), "C:\\T\\schedull.cal"},
        {scheduleFile(p, kScheduleEveryWeek, 2005, 3), "C:\\T\\schedulw.cal"},
        {scheduleFile(p, static_cast<ScheduleKind>(42), 2005, 3), "C:\\T\\schedulw.cal"},
        {scheduleFile(p, kScheduleMemo, 2005, 3), "C:\\T\\memo.cal"},
        {scheduleFileStem(p, kScheduleDay, 2005, 12) + "tmp", "C:\\T\\sch2005c.tmp"},
        {personalDayFile(p, kBirthday, 10), "C:\\T\\birthdaa.cal"},
        {personalDayFile(p, kAnniversary, 10), "C:\\T\\aniversa.cal"},
        {dayOffFile(p, 2005), "C:\\T\\DOff2005.cal"},
        {diaryShortFile(p, 1999, 1, 1), "C:\\T\\ni990101.day"},
        {diaryShortFile(p, 2000, 1, 1), "C:\\T\\ni1000101.day"},
        {diaryShortFile(p, 2005, 7, 9), "C:\\T\\ni1050709.day"},
        {diaryJournalFile(p, 1999, 1, 1), "C:\\T\\19990101.JNL"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(PathSettings, ExternalCommandFileByChoice) {
    PathSettings p = defaultsFor("C:\\T\\Tavo.exe");
    const char* const want[] = {"C:\\T\\sch20057.cal", "C:\\T\\birthda7.cal", "C:\\T\\ni1050709.day",
                                "C:\\T\\20050709.JNL"};
    for (int choice = 0; choice < 4; ++choice) {
        p.externalFile = choice;
        EXPECT_EQ(externalCommandFile(p, 2005, 7, 9), want[choice]) << choice;
    }
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

// The folder page: what a typed folder means.
TEST(ResolveFolder, EmptyRelativeAndAbsolute) {
    const struct {
        const char* typed;
        const char* program;
        const char* folder;
    } cases[] = {
        {"", "C:\\Tavo", "C:\\Tavo"},
        {"  ", "C:\\Tavo", "C:\\Tavo"},
        {"data", "C:\\Tavo", "C:\\Tavo\\data"},
        {"data\\", "C:\\Tavo\\", "C:\\Tavo\\data"},
        {"D:\\予定", "C:\\Tavo", "D:\\予定"},
        {"\\\\server\\share\\tavo\\", "C:\\Tavo", "\\\\server\\share\\tavo"},
        {"\\data", "C:\\Tavo", "C:\\data"},
        {"D:\\", "C:\\Tavo", "D:\\"},
        {"表", "C:\\表", "C:\\表\\表"},  // 表 ends in the byte of '\'
    };
    for (const auto& c : cases) EXPECT_EQ(resolveFolder(c.typed, c.program), c.folder) << c.typed;
}

TEST(OptionsDialogCorner, PulledBackOntoTheScreen) {
    const struct {
        int x, y;
        DialogCorner corner;
    } cases[] = {
        {-1, 500, {0, 0}}, {100, 50, {100, 50}}, {5000, 5000, {1024 - 280, 768 - 340}}, {-20, -5, {0, 0}},
        {744, 428, {744, 428}},
    };
    for (const auto& c : cases) {
        const DialogCorner got = optionsDialogCorner(c.x, c.y, 1024, 768, 280, 340);
        EXPECT_EQ(got.x, c.corner.x) << c.x;
        EXPECT_EQ(got.y, c.corner.y) << c.y;
    }
    // 200 %: the real size is pulled back, not the stored one; none stored: centred over the owner.
    const DialogCorner big = optionsDialogCorner(0, 500, 1920, 1200, 986, 888);
    EXPECT_EQ(big.y, 1200 - 888);
    const BesideRect calendar{100, 100, 380, 450};
    const DialogCorner centred = optionsDialogCorner(-1, -1, 1920, 1200, 420, 400, &calendar);
    EXPECT_EQ(centred.x, 240 - 210);
    EXPECT_EQ(centred.y, 275 - 200);
    const DialogCorner larger = optionsDialogCorner(0, 0, 800, 600, 986, 888);  // larger than the area: its corner on it
    EXPECT_EQ(larger.x, 0);
    EXPECT_EQ(larger.y, 0);
}

}  // namespace
}  // namespace tavo
