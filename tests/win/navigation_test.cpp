// Driving the real calendar: keys, clicks, limits, the jump dialog, day off,
// the date-change watch and the title-bar toggle.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/month_layout.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 5000;

class Navigation : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", L"1");
        setProfileNumber(L"testclock", L"today", 20261207);
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr);
        resetProfile();
    }
    // The client point of a cell of a month as the calendar lays it out.
    static POINT cellPoint(HWND window, int year, int month, int column, int row) {
        RECT client{};
        GetClientRect(window, &client);
        RECT bar{};
        GetWindowRect(FindWindowExW(window, nullptr, L"msctls_statusbar32", nullptr), &bar);
        const int caption = GetSystemMetrics(SM_CYCAPTION);
        MonthLayout layout{};
        computeMonthLayout(layout, client.right, client.bottom,
                           {caption, caption, GetSystemMetrics(SM_CYSMCAPTION), static_cast<int>(bar.bottom - bar.top)});
        (void)year;
        (void)month;
        const Rect r = cellRect(layout, column, row);
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
};

TEST_F(Navigation, KeysMoveTheSelectedDate) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    pressKey(run.window(), VK_RIGHT);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 7/10(日)", kWait)) << statusBarText(run.window());
    pressKey(run.window(), VK_DOWN);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 7/17(日)", kWait));
    pressKey(run.window(), VK_NEXT);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 8/17(水)", kWait));
    pressKey(run.window(), VK_PRIOR);
    pressKey(run.window(), VK_PRIOR);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 6/17(金)", kWait));
    ASSERT_TRUE(pressWithControl(run.window(), VK_NEXT));  // a year on, as the year button
    EXPECT_TRUE(waitForStatus(run.window(), L"2006/ 6/17(土)", kWait)) << statusBarText(run.window());
    pressKey(run.window(), VK_HOME);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 7(月)", kWait)) << statusBarText(run.window());
}

TEST_F(Navigation, OtherMonthCellsMoveTheMonth) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    const POINT june26 = cellPoint(run.window(), 2005, 7, 0, 0);
    click(run.window(), june26.x, june26.y);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 6/26(日)", kWait)) << statusBarText(run.window());
    const POINT july1 = cellPoint(run.window(), 2005, 6, 5, 4);  // June 2005 ends on Thursday in row 4
    click(run.window(), july1.x, july1.y);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 7/ 1(金)", kWait)) << statusBarText(run.window());
    const POINT july2 = cellPoint(run.window(), 2005, 7, 6, 0);  // a day of the shown month
    click(run.window(), july2.x, july2.y);
    EXPECT_TRUE(waitForStatus(run.window(), L"2005/ 7/ 2(土)", kWait)) << statusBarText(run.window());
}

TEST_F(Navigation, LimitsShowTheirMessagesAndKeepTheDate) {
    struct Case {
        const wchar_t* start;
        WPARAM key;
        const wchar_t* message;
        const wchar_t* status;
    } cases[] = {
        {L"1582/10/15", VK_LEFT, L"グレゴリオ暦が採用されたのは1582年10月15日からです.", L"1582/10/15"},
        {L"9999/12/31", VK_RIGHT, L"計算範囲外です.(西暦9999年まで)", L"9999/12/31"},
    };
    for (const Case& c : cases) {
        CalendarRun run(c.start);
        ASSERT_NE(run.window(), nullptr);
        pressKey(run.window(), c.key);
        HWND box = waitForDialog(run.window(), nullptr, kWait);
        ASSERT_NE(box, nullptr) << c.start;
        EXPECT_EQ(messageBoxText(box), c.message);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitForStatus(run.window(), c.status, kWait)) << statusBarText(run.window());
    }
}

TEST_F(Navigation, TheJumpDialog) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    struct Case {
        int era;
        const wchar_t *year, *month, *day;
        const wchar_t* status;  // nullptr: refused
        const wchar_t* message;
        int focus;
    } cases[] = {
        {2, L"17", L"7", L"9", L"2005/ 7/ 9(土)", nullptr, 0},
        {1, L"8", L"12", L"7", L"2026/12/ 7(月)", nullptr, 0},
        {0, L"1582", L"10", L"10", nullptr, L"グレゴリオ暦が採用されたのは1582年10月15日からです.", 305},
    };
    for (const Case& c : cases) {
        PostMessageW(run.window(), WM_COMMAND, CMD_JUMP, 0);
        HWND dialog = waitForDialog(run.window(), L"指定日へ移動", kWait);
        ASSERT_NE(dialog, nullptr);
        HWND era = GetDlgItem(dialog, 301);
        SendMessageW(era, CB_SETCURSEL, static_cast<WPARAM>(c.era), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(301, CBN_SELCHANGE), reinterpret_cast<LPARAM>(era));
        SendMessageW(GetDlgItem(dialog, 302), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.year));
        SendMessageW(GetDlgItem(dialog, 304), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.month));
        SendMessageW(GetDlgItem(dialog, 305), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.day));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        if (c.status) {
            EXPECT_TRUE(waitForStatus(run.window(), c.status, kWait)) << c.era << " " << statusBarText(run.window());
            continue;
        }
        HWND box = waitForDialog(run.window(), nullptr, kWait);
        while (box == dialog) box = waitForDialog(run.window(), nullptr, 100);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(messageBoxText(box), c.message);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitUntilClosed(box, kWait));
        settle(dialog);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        HWND focused = info.hwndFocus;
        // The day field is a combo box: its edit child holds the focus.
        EXPECT_TRUE(focused == GetDlgItem(dialog, c.focus) || GetParent(focused) == GetDlgItem(dialog, c.focus))
            << "focus on " << focused << " id " << GetDlgCtrlID(focused) << " dialog " << dialog << " box " << box
            << " box alive " << IsWindow(box) << " text " << std::string(windowText(focused).begin(), windowText(focused).end());
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// Eras: switching keeps the date (平成 ended in its 31st year, never 平成99); a
// Western year typed in an era's field becomes the era in force when the field
// is left; an era year past the era is refused with the era's range.
TEST_F(Navigation, TheJumpDialogsErasKeepTheDate) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_COMMAND, CMD_JUMP, 0);
    HWND dialog = waitForDialog(run.window(), L"指定日へ移動", kWait);
    ASSERT_NE(dialog, nullptr);
    HWND era = GetDlgItem(dialog, 301), year = GetDlgItem(dialog, 302);
    const auto choose = [&](int index) {
        SendMessageW(era, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(301, CBN_SELCHANGE), reinterpret_cast<LPARAM>(era));
        return controlText(year);
    };
    EXPECT_EQ(controlText(year), L"2026");  // the profile's years are Western
    EXPECT_EQ(choose(2), L"31");           // 平成: its last year
    EXPECT_EQ(choose(1), L"1");         // 令和1, the same year
    choose(2);
    SendMessageW(year, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2026"));
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(year), TRUE);  // the year field in focus,
    PostMessageW(year, WM_KEYDOWN, VK_TAB, 0);                                // then left by Tab
    EXPECT_TRUE(waitUntil([&] { return SendMessageW(era, CB_GETCURSEL, 0, 0) == 1 && controlText(year) == L"8"; }))
        << controlText(year);
    choose(2);
    SendMessageW(year, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"35"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (box = waitForDialog(run.window(), L"Tavo", 0)) != nullptr; }));
    EXPECT_EQ(messageBoxText(box), L"平成は1年から31年まで(西暦1989年から2019年まで)です。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitUntilClosed(box, kWait));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntilClosed(dialog, kWait));
}

TEST_F(Navigation, DayOffTogglesTheFileAndTheFrame) {
    const std::wstring file = besideTest(L"DOff2026.cal");
    DeleteFileW(file.c_str());
    CalendarRun run(L"2026/12/08");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_COMMAND, CMD_DAY_OFF, 0);
    std::string content;
    ASSERT_TRUE(waitUntil([&] { return (content = fileBytes(file)).size() == 12u * 33u; })) << content;
    EXPECT_EQ(content.substr(11 * 33, 33), "0000000100000000000000000000000\r\n");
    // The frame of a vacation on a working day: the Holiline pen (red), just inside the cell.
    const POINT centre = cellPoint(run.window(), 2026, 12, 2, 1);
    RECT client{};
    GetClientRect(run.window(), &client);
    // The file is written before the repaint: wait for the frame.
    EXPECT_TRUE(waitUntil([&] {
        for (int dy = -40; dy <= 40; ++dy)
            if (clientPixel(run.window(), centre.x, centre.y + dy) == 255) return true;
        return false;
    }));
    PostMessageW(run.window(), WM_COMMAND, CMD_DAY_OFF, 0);
    settle(run.window());
    DeleteFileW(file.c_str());
}

void writeFile(const std::wstring& path, const std::string& content) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(h);
}

// An 8 x 8 bitmap of one colour (24 bits per pixel, bottom-up rows).
std::string solidBitmap(BYTE r, BYTE g, BYTE b) {
    std::string bmp(54 + 8 * 24, '\0');
    const auto put32 = [&](std::size_t at, DWORD v) { std::memcpy(&bmp[at], &v, 4); };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(2, static_cast<DWORD>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 8);
    put32(22, 8);
    bmp[26] = 1, bmp[28] = 24;
    for (std::size_t i = 54; i < bmp.size(); i += 3) bmp[i] = static_cast<char>(b), bmp[i + 1] = static_cast<char>(g), bmp[i + 2] = static_cast<char>(r);
    return bmp;
}

std::string dayOffTable(int month, int day) {
    std::string out;
    for (int m = 1; m <= 12; ++m) {
        std::string row(31, '0');
        if (m == month) row[static_cast<std::size_t>(day - 1)] = '1';
        out += row + "\r\n";
    }
    return out;
}

// Over a wallpaper nothing repaints a cell's background, so a refresh must
// erase first: a day-off frame removed by another program must disappear.
TEST_F(Navigation, ARefreshOverAWallpaperLeavesNoStaleFrame) {
    const std::wstring wallpaper = besideTest(L"tavo-wallpaper.bmp");
    writeFile(wallpaper, solidBitmap(32, 64, 128));
    setProfileNumber(L"cstyle", L"wal", 1);
    setProfileText(L"cstyle", L"bmppath", wallpaper);
    const std::wstring dayOff = besideTest(L"DOff2026.cal");
    writeFile(dayOff, dayOffTable(12, 8));  // Tuesday 8 December off; the 9th is selected
    CalendarRun run(L"2026/12/09");
    ASSERT_NE(run.window(), nullptr);
    const POINT centre = cellPoint(run.window(), 2026, 12, 2, 1);
    const auto frameShown = [&] {
        for (int dy = -40; dy <= 40; ++dy)
            if (clientPixel(run.window(), centre.x, centre.y + dy) == 255) return true;
        return false;
    };
    const auto waitFor = [&](bool shown) { return waitUntil([&] { return frameShown() == shown; }, 5000); };
    EXPECT_TRUE(waitFor(true));
    EXPECT_EQ(clientPixel(run.window(), centre.x - 2, centre.y + 2), RGB(32, 64, 128));  // the wallpaper shows through
    writeFile(dayOff, dayOffTable(0, 0));
    PostMessageW(run.window(), WM_USER, 0, 0);  // UM_REFRESH: data changed
    EXPECT_TRUE(waitFor(false));
    DeleteFileW(dayOff.c_str());
    DeleteFileW(wallpaper.c_str());
}

// Another program holds the day-off file open without sharing: the calendar
// says it could not save, and the file keeps every byte.
TEST_F(Navigation, ALockedDayOffFileIsNotOverwritten) {
    const std::wstring file = besideTest(L"DOff2026.cal");
    const std::string old = dayOffTable(5, 3);
    writeFile(file, old);
    CalendarRun run(L"2026/12/08");
    ASSERT_NE(run.window(), nullptr);
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PostMessageW(run.window(), WM_COMMAND, CMD_DAY_OFF, 0);
    HWND box = waitForDialog(run.window(), L"Tavo", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(messageBoxText(box).find(L"休暇の設定を保存できませんでした"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    CloseHandle(lock);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::string content(1024, '\0');
    DWORD got = 0;
    ReadFile(h, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
    CloseHandle(h);
    content.resize(got);
    EXPECT_EQ(content, old);
    DeleteFileW(file.c_str());
}

TEST_F(Navigation, DateChangeWatch) {
    struct Case {
        DWORD cdt;
        bool message;
    } cases[] = {{1, false}, {2, true}};
    for (const Case& c : cases) {
        setProfileNumber(L"env", L"cdt", c.cdt);
        setProfileNumber(L"testclock", L"today", 20261207);
        CalendarRun run;
        ASSERT_NE(run.window(), nullptr);
        EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 7", kWait));
        setProfileNumber(L"testclock", L"today", 20261208);  // midnight passes
        if (c.message) {
            HWND box = waitForDialog(run.window(), L"日付変更", kWait);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(messageBoxText(box), L"日付が変更されました.");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 8", kWait)) << c.cdt << " " << statusBarText(run.window());
        settle(run.window());
        if (!c.message) {
            EXPECT_EQ(waitForDialog(run.window(), nullptr, 0), nullptr);
        }
    }
}

// The client area stays where it was on the screen, at the same size, both ways.
TEST_F(Navigation, DoubleClickOnTheTopBandTogglesTheTitleBar) {
    CalendarRun run;
    ASSERT_NE(run.window(), nullptr);
    const auto clientOnScreen = [&] {
        RECT r{};
        GetClientRect(run.window(), &r);
        MapWindowPoints(run.window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT before = clientOnScreen();
    const auto caption = [&] { return GetWindowLongW(run.window(), GWL_STYLE) & WS_CAPTION; };
    PostMessageW(run.window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_TRUE(waitUntil([&] { return caption() == 0; }));  // the frame changes on a timer
    settle(run.window());
    RECT now = clientOnScreen();
    EXPECT_TRUE(EqualRect(&before, &now)) << now.left << "," << now.top << " was " << before.left << "," << before.top;
    DWORD cap = 1;  // written just after the frame changed
    EXPECT_TRUE(waitUntil([&] { return readProfileNumber(L"cstyle", L"cap", cap) && cap == 0; }));
    EXPECT_EQ(cap, 0u);
    PostMessageW(run.window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_TRUE(waitUntil([&] { return caption() == WS_CAPTION; }));
    settle(run.window());
    now = clientOnScreen();
    EXPECT_TRUE(EqualRect(&before, &now)) << now.left << "," << now.top << " was " << before.left << "," << before.top;
}

}  // namespace
}  // namespace tavo::blackbox
