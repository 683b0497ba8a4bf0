// Data files on Windows paths that hold double-byte characters.
#include <windows.h>

#include <gtest/gtest.h>

#include "calendar/data/section_file.h"
#include "shared/cp932.h"
#include "shared/windows_file_system.h"

namespace tavo {
namespace {

std::string makeFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string folder = wideToCp932(temp) + "tavo予定ソ表" + std::to_string(GetCurrentProcessId());
    CreateDirectoryW(cp932ToWide(folder).c_str(), nullptr);
    return folder;
}

TEST(WindowsFileSystem, ReplaceReadAndRemove) {
    const std::string folder = makeFolder();
    const std::string path = folder + "\\sch2026c.cal";
    WindowsFileSystem files;
    EXPECT_FALSE(files.readFile(path).opened);
    EXPECT_TRUE(files.readFile(path).missing);
    EXPECT_TRUE(files.readFile(folder + "\\no such folder\\x.cal").missing);
    ASSERT_TRUE(files.replaceFile(path, ":7\r\n予定\r\n"));
    ASSERT_TRUE(files.replaceFile(path, ":7\r\n新しい予定\r\n"));
    const FileContent back = files.readFile(path);
    EXPECT_TRUE(back.opened);
    EXPECT_TRUE(back.complete);
    EXPECT_EQ(back.content, ":7\r\n新しい予定\r\n");
    EXPECT_TRUE(files.removeFile(path));
    EXPECT_TRUE(files.removeFile(path));  // already gone
    EXPECT_FALSE(files.replaceFile(folder + "\\missing\\x.cal", "x"));
    EXPECT_TRUE(RemoveDirectoryW(cp932ToWide(folder).c_str()));  // no scratch file left behind
}

TEST(WindowsFileSystem, SchedulesThroughTheModel) {
    const std::string folder = makeFolder();
    PathSettings paths{};
    initPathDefaults(paths, folder + "\\Tavo.exe", "C:\\windows");
    WindowsFileSystem files;
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleDay, 2026, 12, 7, "会議"));
    EXPECT_EQ(readScheduleText(files, paths, kScheduleDay, 2026, 12, 7).text, "会議\r\n");
    ASSERT_TRUE(writeScheduleText(files, paths, kScheduleDay, 2026, 12, 7, ""));
    EXPECT_TRUE(RemoveDirectoryW(cp932ToWide(folder).c_str()));
}

// A file another program holds open without sharing: it is not missing, it
// is not rewritten, and the write says so.
TEST(WindowsFileSystem, ALockedFileIsNeitherReadAsMissingNorOverwritten) {
    const std::string folder = makeFolder();
    PathSettings paths{};
    initPathDefaults(paths, folder + "\\Tavo.exe", "C:\\windows");
    WindowsFileSystem files;
    const std::string path = folder + "\\sch2026c.cal";
    const std::string old = ":8\r\n大事な予定\r\n";
    ASSERT_TRUE(files.replaceFile(path, old));
    HANDLE lock = CreateFileW(cp932ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const FileContent locked = files.readFile(path);
    EXPECT_FALSE(locked.opened);
    EXPECT_FALSE(locked.missing);
    EXPECT_FALSE(locked.problem.empty());
    EXPECT_FALSE(readScheduleText(files, paths, kScheduleDay, 2026, 12, 8).writable);
    const SaveResult saved = writeScheduleText(files, paths, kScheduleDay, 2026, 12, 9, "新しい予定");
    EXPECT_FALSE(saved.saved);
    EXPECT_FALSE(saved.reason.empty());
    CloseHandle(lock);
    EXPECT_EQ(files.readFile(path).content, old);
    DeleteFileW(cp932ToWide(path).c_str());
    EXPECT_TRUE(RemoveDirectoryW(cp932ToWide(folder).c_str()));
}

}  // namespace
}  // namespace tavo
