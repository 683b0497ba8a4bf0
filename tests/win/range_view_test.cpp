// The range view as a user meets it: it opens by itself when the range holds
// data, follows the calendar, scrolls, copies, and plays the birthday sound once.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "blackbox.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr COLORREF kSelectedHeader = 8454016;  // SchDate, selected
constexpr COLORREF kDataLine = 16777215;       // SchData
constexpr COLORREF kBack = 11425536;           // SchBack

class RangeView : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", L"1");
        setProfileNumber(L"testclock", L"today", 20261207);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"tavo-range-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* value : {L"schpath", L"birpath", L"anipath", L"mempath"}) setProfileText(L"dir", value, folder);
    }
    void TearDown() override {
        for (const std::wstring& name : written) DeleteFileW((folder + L"\\" + name).c_str());
        RemoveDirectoryW(folder.c_str());
        SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr);
        resetProfile();
    }
    void write(const std::wstring& name, const std::string& cp932) {
        HANDLE h = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, cp932.data(), static_cast<DWORD>(cp932.size()), &n, nullptr);
        CloseHandle(h);
        written.push_back(name);
    }
    static HWND scrollBarOf(HWND view) { return FindWindowExW(view, nullptr, L"ScrollBar", nullptr); }
    static int scrollPosition(HWND view) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS | SIF_RANGE;
        GetScrollInfo(scrollBarOf(view), SB_CTL, &info);
        return info.nPos;
    }

    std::wstring folder;
    std::vector<std::wstring> written;
};

TEST_F(RangeView, OpensByItselfOnlyWhenTheRangeHoldsData) {
    setProfileNumber(L"scv", L"aftd", 3);
    {
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        settle(run.window());
        EXPECT_EQ(FindWindowW(L"WScv", nullptr), nullptr);  // nothing in 7-10 December
    }
    write(L"sch2026c.cal", ":9\r\n会議\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    EXPECT_NE(windowText(view).find(L"2026"), std::wstring::npos);
}

// A registry value past what the options allow is clamped: the check stays quick.
TEST_F(RangeView, AHugeRangeFromTheRegistryStillOpensPromptly) {
    setProfileNumber(L"scv", L"pred", 100000);
    write(L"sch2026a.cal", ":1\r\n九十七日前\r\n");  // 1 October, within 99 days before
    const ULONGLONG start = GetTickCount64();
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    EXPECT_NE(waitForWindow(L"WScv", kWait), nullptr);
    EXPECT_LT(GetTickCount64() - start, 20000u);
}

TEST_F(RangeView, EnterTwiceGivesOneViewThatFollowsTheCalendar) {
    write(L"sch2026c.cal", ":7\r\n月曜\r\n:8\r\n火曜\r\n");
    setProfileNumber(L"scv", L"range", 1);
    CalendarRun run(L"2026/12/01");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);  // the month holds data: it opened by itself
    ASSERT_NE(view, nullptr);
    PostMessageW(view, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitForNoWindow(L"WScv", kWait));
    pressKey(run.window(), VK_RETURN);
    view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    pressKey(run.window(), VK_RETURN);
    settle(run.window());
    EXPECT_EQ(countTopLevelWindows(L"WScv"), 1);
    const std::wstring before = windowText(view);
    EXPECT_NE(copiedRangeList(view).find(L"月曜"), std::wstring::npos);
    pressKey(run.window(), VK_NEXT);  // January: no data
    EXPECT_TRUE(waitUntil([&] { return windowText(view) != before; }));
    settle(view);
    EXPECT_EQ(copiedRangeList(view).find(L"月曜"), std::wstring::npos);
}

bool pressKeyNow(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, input, sizeof(INPUT)) == 2;
}

// Every way to minimise the calendar hides the range view with it (miw on),
// and restoring brings back what was hidden; with miw off the view stays.
TEST_F(RangeView, MinimisingTheCalendarAnyWayTakesTheViewAlong) {
    write(L"sch2026c.cal", ":7\r\n月曜\r\n");
    std::optional<WineDrawnFrames> frames(std::in_place);
    CalendarRun run(L"2026/12/07");
    frames.reset();
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(waitVisible(view, true));
    const struct Way {
        const char* name;
        bool (*minimise)(HWND);
    } ways[] = {
        {"title-bar button", [](HWND w) { return clickMinimiseButton(w); }},
        {"system menu by keyboard", [](HWND w) { return pressChord(w, VK_MENU, VK_SPACE) && pressKeyNow('N'); }},
        {"another program", [](HWND w) { return ShowWindow(w, SW_MINIMIZE) || true; }},
    };
    for (const Way& way : ways) {
        ASSERT_TRUE(way.minimise(run.window())) << way.name;
        EXPECT_TRUE(waitUntil([&] { return IsIconic(run.window()); })) << way.name;
        EXPECT_TRUE(waitVisible(view, false)) << way.name;
        ShowWindow(run.window(), SW_RESTORE);  // as the taskbar does
        EXPECT_TRUE(waitVisible(view, true)) << way.name;
        EXPECT_FALSE(IsIconic(run.window())) << way.name;
    }
    DWORD code = 1;
    ASSERT_TRUE(run.close(code));
    setProfileNumber(L"env", L"miw", 0);
    CalendarRun apart(L"2026/12/07");
    ASSERT_NE(apart.window(), nullptr);
    view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    ShowWindow(apart.window(), SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([&] { return IsIconic(apart.window()); }));
    settle(view);
    EXPECT_TRUE(IsWindowVisible(view));
}

TEST_F(RangeView, ScrollsAndCopiesTheWholeList) {
    std::string day, expected;
    for (int d = 1; d <= 31; ++d) {
        day.append(":").append(std::to_string(d)).append("\r\n");
        for (int line = 0; line < 3; ++line)
            day.append("予定 ").append(std::to_string(d)).append("-").append(std::to_string(line)).append(" の長い説明文\r\n");
    }
    write(L"sch2026c.cal", day);
    setProfileNumber(L"scv", L"range", 1);
    CalendarRun run(L"2026/12/01");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    ASSERT_NE(scrollBarOf(view), nullptr);
    EXPECT_TRUE(IsWindowVisible(scrollBarOf(view)));  // 126 lines do not fit: 124 and the terms of the 7th and 22nd
    EXPECT_EQ(scrollPosition(view), 0);
    PostMessageW(view, WM_KEYDOWN, VK_NEXT, 0);
    settle(view);
    const int page = scrollPosition(view);
    EXPECT_GT(page, 5);
    PostMessageW(view, WM_KEYDOWN, VK_END, 0);
    settle(view);
    EXPECT_EQ(scrollPosition(view), 126);
    PostMessageW(view, WM_KEYDOWN, VK_HOME, 0);
    settle(view);
    EXPECT_EQ(scrollPosition(view), 0);

    const std::wstring unicode = copiedRangeList(view);
    EXPECT_GT(unicode.size(), 2045u);  // every line, not the first 2045 characters
    EXPECT_EQ(unicode.substr(0, 17), L"2026/12/ 1(火)[-6]");
    EXPECT_NE(unicode.find(L"予定 31-2 の長い説明文\r\n"), std::wstring::npos);
    EXPECT_EQ(clipboardText(CF_TEXT), unicode);
}

TEST_F(RangeView, PixelsOfTheSelectedHeaderADataLineAndTheBack) {
    write(L"sch2026c.cal", ":7\r\n会議\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    EXPECT_FALSE(IsWindowVisible(scrollBarOf(view)));  // two lines fit
    RECT client{};
    GetClientRect(view, &client);
    const int line = GetSystemMetrics(SM_CYCAPTION);  // SchDate and SchData heights at 96 DPI
    EXPECT_EQ(clientPixel(view, client.right - 10, line / 2), kSelectedHeader);
    EXPECT_EQ(clientPixel(view, client.right - 10, line + line / 2), kDataLine);
    EXPECT_EQ(clientPixel(view, client.right / 2, client.bottom - 10), kBack);
}

TEST_F(RangeView, ADoubleClickStoresTheTitleBarSwitch) {
    write(L"sch2026c.cal", ":7\r\n会議\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    PostMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    // Re-framing the window may answer other threads' messages before the value is written.
    DWORD cap = 1;
    EXPECT_TRUE(waitUntil([&] { return readProfileNumber(L"sstyle", L"cap", cap) && cap == 0; }));
    EXPECT_EQ(cap, 0u);
    EXPECT_EQ(GetWindowLongW(view, GWL_STYLE) & WS_CAPTION, 0);
}

// Today is a birthday: the sound plays once, and the day is remembered.
TEST_F(RangeView, TheBirthdaySoundPlaysOnceADay) {
    write(L"birthdac.cal", ": 7 1990\r\n太郎\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    PostMessageW(view, WM_USER, 0, 0);  // a refresh collects again
    settle(view);
    DWORD played = 0;
    EXPECT_TRUE(readProfileNumber(L"testclock", L"played", played));
    EXPECT_EQ(played, 1u);
    HKEY key = nullptr;
    wchar_t birth[32] = {};
    DWORD size = sizeof birth;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\date", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    RegQueryValueExW(key, L"birth", nullptr, nullptr, reinterpret_cast<BYTE*>(birth), &size);
    RegCloseKey(key);
    EXPECT_EQ(std::wstring(birth), L"20261207");
}

}  // namespace
}  // namespace tavo::blackbox
