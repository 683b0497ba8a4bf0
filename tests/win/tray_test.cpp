// The launcher as a user meets it: one instance, the icon's clicks that start
// or show the calendar, the calendar owned by it, and closing both together.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"

#include <shellapi.h>  // after windows.h

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 20000;
constexpr UINT kIconMessage = WM_USER;

// A process of a window that someone else started, to see how it ends.
class WindowProcess {
public:
    explicit WindowProcess(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        handle_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    }
    ~WindowProcess() {
        if (handle_) CloseHandle(handle_);
    }
    bool waitExit(DWORD timeoutMs, DWORD& code) const {
        return handle_ && WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(handle_, &code);
    }

private:
    HANDLE handle_ = nullptr;
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        clock = std::make_unique<TestClock>(20261207);
    }
    void TearDown() override {
        if (HWND calendar = FindWindowW(L"Tavo", nullptr)) {
            WindowProcess process(calendar);
            PostMessageW(calendar, WM_CLOSE, 0, 0);
            DWORD code = 0;
            process.waitExit(kWait, code);
        }
        clock.reset();
        resetProfile();
    }
    static void clickIcon(HWND tray) {
        PostMessageW(tray, kIconMessage, 1, WM_LBUTTONDOWN);
        PostMessageW(tray, kIconMessage, 1, WM_LBUTTONUP);
    }
    std::unique_ptr<TestClock> clock;
};

TEST_F(Launcher, KeepsOneInstance) {
    Process tray(besideTest(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), L"Tavo");
    Process second(besideTest(L"TavoTray.exe"));
    DWORD code = 1234;
    ASSERT_TRUE(second.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(countTopLevelWindows(L"TavoTray"), 1);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(tray.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
}

// From the keyboard: Enter on the icon starts the calendar, the Menu key opens
// the icon's menu (once, as a right click does).
TEST_F(Launcher, TheKeyboardReachesTheIcon) {
    Process tray(besideTest(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, kIconMessage, 1, NIN_KEYSELECT);
    EXPECT_NE(waitForWindow(L"Tavo", kWait), nullptr);
    PostMessageW(window, kIconMessage, 1, WM_CONTEXTMENU);
    HWND menu = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) != nullptr && IsWindowVisible(menu); }));
    PostMessageW(window, WM_CANCELMODE, 0, 0);  // the calendar may hold the keyboard: the menu is ended, not escaped
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(tray.waitExit(kWait, code));
}

// A click with no calendar starts one, owned by the launcher; minimised by its
// title-bar button, the calendar hides into the icon, and the next click
// brings it back where it was.
TEST_F(Launcher, TheIconStartsAndShowsTheCalendar) {
    const WineDrawnFrames frames;
    Process tray(besideTest(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowW(L"Tavo", nullptr), nullptr);
    clickIcon(window);
    HWND calendar = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(waitVisible(calendar, true));
    EXPECT_EQ(GetWindow(calendar, GW_OWNER), window);
    RECT before{};
    GetWindowRect(calendar, &before);
    ASSERT_TRUE(clickMinimiseButton(calendar));
    EXPECT_TRUE(waitVisible(calendar, false));
    clickIcon(window);
    ASSERT_TRUE(waitVisible(calendar, true));
    EXPECT_FALSE(IsIconic(calendar));
    RECT after{};
    GetWindowRect(calendar, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top << " was " << before.left << "," << before.top;
    EXPECT_EQ(countTopLevelWindows(L"Tavo"), 1);
}

// Close from the icon's menu closes the calendar (which saves its place) and then the launcher.
TEST_F(Launcher, CloseEndsTheCalendarThenTheLauncher) {
    Process tray(besideTest(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    clickIcon(window);
    HWND calendar = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(waitVisible(calendar, true));
    WindowProcess calendarProcess(calendar);
    SetWindowPos(calendar, nullptr, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(calendar);
    PostMessageW(window, WM_COMMAND, SC_CLOSE, 0);  // as the menu sends it
    DWORD code = 1234;
    ASSERT_TRUE(calendarProcess.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(tray.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    DWORD x = 0;
    EXPECT_TRUE(readProfileNumber(L"position", L"xCal", x));
    EXPECT_EQ(x, 120u);
}

TEST_F(Launcher, TheSessionEndClosesTheCalendar) {
    Process tray(besideTest(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_SYSCOMMAND, 100, 0);  // "カレンダー起動"
    HWND calendar = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(calendar, nullptr);
    WindowProcess calendarProcess(calendar);
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    DWORD code = 1234;
    ASSERT_TRUE(calendarProcess.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(tray.waitExit(kWait, code));
}

// A launcher whose folder holds no calendar says so instead of doing nothing.
TEST_F(Launcher, AMissingCalendarIsTold) {
    DataFolder folder(L"tavo-lone-launcher");
    ASSERT_TRUE(CopyFileW(besideTest(L"TavoTray.exe").c_str(), folder.pathOf(L"TavoTray.exe").c_str(), FALSE));
    Process tray(folder.pathOf(L"TavoTray.exe"));
    HWND window = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(toldAfter(window, WM_SYSCOMMAND, 100, L"起動できません"));  // "カレンダー起動"
    EXPECT_EQ(FindWindowW(L"Tavo", nullptr), nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    EXPECT_TRUE(tray.waitExit(kWait, code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tavo::blackbox
