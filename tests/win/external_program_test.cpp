// Command 102 with a recorder standing in for the user's program: the command
// line it receives for every open-file type, with blanks in the paths.
#include <gtest/gtest.h>

#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr WPARAM kExternal = CMD_EXTERNAL;

class ExternalProgram : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        data.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
        CreateDirectoryW(programFolder().c_str(), nullptr);
        CopyFileW(besideTest(L"tavo_recorder.exe").c_str(), recorder().c_str(), FALSE);
        setProfileText(L"dir", L"path", recorder());
    }
    void TearDown() override { resetProfile(); }

    std::wstring programFolder() const { return data.pathOf(L"my programs"); }
    std::wstring recorder() const { return programFolder() + L"\\recorder.exe"; }
    std::wstring recordedFile() const { return programFolder() + L"\\recorded.txt"; }

    // The command line the recorder wrote, once it has.
    std::wstring recorded() const {
        std::string bytes;
        if (!waitUntil([&] {
                bytes = data.read(L"my programs\\recorded.txt");
                return bytes != "(missing)" && !bytes.empty();
            }))
            return L"(nothing recorded)";
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    }

    DataFolder data{L"tavo ext data"};  // a blank in every data path
};

TEST_F(ExternalProgram, EveryOpenFileTypeGivesItsFileQuoted) {
    const struct {
        DWORD type;
        const wchar_t* file;
    } cases[] = {{0, L"sch20057.cal"}, {1, L"birthda7.cal"}, {2, L"ni1050709.day"}, {3, L"20050709.JNL"}};
    for (const auto& c : cases) {
        DeleteFileW(recordedFile().c_str());
        setProfileNumber(L"dir", L"opt", c.type);
        CalendarRun run(L"2005/07/09");
        ASSERT_NE(run.window(), nullptr);
        PostMessageW(run.window(), WM_SYSCOMMAND, kExternal, 0);
        // The program path holds a blank too: quoted, so that program starts.
        const std::wstring expected = L"\"" + recorder() + L"\" \"" + data.pathOf(c.file) + L"\"";
        EXPECT_EQ(recorded(), expected) << c.type;
    }
}

TEST_F(ExternalProgram, TheDayScheduleWindowOpensItsOwnFileWithWhatWasTyped) {
    setProfileNumber(L"dir", L"opt", 3);  // the calendar's choice does not matter here
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_COMMAND, CMD_EVERY_YEAR, 0);
    HWND window = waitForWindow(L"WSch", kWait);
    ASSERT_NE(window, nullptr);
    settle(window);
    typeText(FindWindowExW(window, nullptr, L"Edit", nullptr), L"七夕");
    PostMessageW(window, WM_SYSCOMMAND, kExternal, 0);
    EXPECT_EQ(recorded(), L"\"" + recorder() + L"\" \"" + data.pathOf(L"schedul7.cal") + L"\"");
    EXPECT_EQ(data.read(L"schedul7.cal"), wideToCp932(L":9\r\n七夕\r\n"));
}

TEST_F(ExternalProgram, AProgramThatCannotStartIsReportedWithItsPath) {
    const std::wstring missing = data.pathOf(L"no such editor.exe");
    setProfileText(L"dir", L"path", missing);
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_SYSCOMMAND, kExternal, 0);
    HWND box = waitForDialog(run.window(), L"Tavo", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(messageBoxText(box).find(missing), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace
}  // namespace tavo::blackbox
