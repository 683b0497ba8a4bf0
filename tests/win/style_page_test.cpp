// The style pages driven in the real dialog: each switch changes the open
// window at once, keeping its client area (and so the grid) in place; Cancel
// puts window and record back; OK writes the record.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "options_page_fixture.h"
#include "calendar_cells.h"

namespace tavo::blackbox {
namespace {

constexpr COLORREF kRokuyoText = 128;
constexpr COLORREF kSundayRed = 255;
constexpr COLORREF kWallLeft = RGB(20, 160, 40), kWallRight = RGB(200, 30, 160);
enum Id {
    kTitle = 801, kMinimize, kMaximize, kSizing, kStatus, kTop, kTransparent, kWallpaper, kWallpaperFile,
    kToday = 811, kMonths, kYears, kRokuyo, kSunday, kMonday, kLayered = 819, kPercent = 1101, kWallpaperMode = 1013,
};

RECT clientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int statusBarHeight(HWND calendar) {
    HWND bar = FindWindowExW(calendar, nullptr, L"msctls_statusbar32", nullptr);
    RECT r{};
    if (bar == nullptr || !IsWindowVisible(bar) || !GetWindowRect(bar, &r)) return 0;
    return r.bottom - r.top;
}

// A 2 x 1 bitmap: its left pixel one colour, its right pixel another.
void writeTwoPixelBitmap(const std::wstring& path) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    const BYTE pixels[8] = {GetBValue(kWallLeft), GetGValue(kWallLeft), GetRValue(kWallLeft),
                            GetBValue(kWallRight), GetGValue(kWallRight), GetRValue(kWallRight), 0, 0};
    info.biSize = sizeof info;
    info.biWidth = 2;
    info.biHeight = 1;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + sizeof pixels;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, &file, sizeof file, &n, nullptr);
    WriteFile(h, &info, sizeof info, &n, nullptr);
    WriteFile(h, pixels, sizeof pixels, &n, nullptr);
    CloseHandle(h);
}

class StylePage : public OptionsPageTest {
protected:
    void SetUp() override {
        OptionsPageTest::SetUp();
        data.useForAllData();
    }
    HWND openPage(HWND from) { return OptionsPageTest::openPage(from, kTitle); }

    DataFolder data{L"tavo-style"};
};

// Status bar off: the window is shorter by the bar and the client (and grid) stays; Cancel: back.
TEST_F(StylePage, StatusBarOffKeepsTheGridCancelBringsItBack) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const RECT client = clientOnScreen(run.window());
    const int bar = statusBarHeight(run.window());
    ASSERT_GT(bar, 0);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kStatus);
    EXPECT_EQ(statusBarHeight(run.window()), 0);
    RECT now = clientOnScreen(run.window());
    EXPECT_EQ(now.left, client.left);
    EXPECT_EQ(now.top, client.top);
    EXPECT_EQ(now.right, client.right);
    EXPECT_EQ(now.bottom, client.bottom - bar);
    finish(IDCANCEL);
    EXPECT_EQ(statusBarHeight(run.window()), bar);
    now = clientOnScreen(run.window());
    EXPECT_TRUE(EqualRect(&now, &client)) << now.top << " " << now.bottom << " was " << client.top << " " << client.bottom;
    DWORD value = 0;
    EXPECT_FALSE(readProfileNumber(L"cstyle", L"sts", value));
}

// Title bar off: both boxes unchecked and disabled, the client keeps its place;
// today button off: month and year buttons go, the window shrinks by the band.
TEST_F(StylePage, SwitchesThatTakeOthersWithThem) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const RECT client = clientOnScreen(run.window());
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kTitle);
    EXPECT_EQ(GetWindowLongW(run.window(), GWL_STYLE) & WS_CAPTION, 0);
    for (int box : {kMinimize, kMaximize}) {
        EXPECT_FALSE(checked(page, box)) << box;
        EXPECT_FALSE(enabled(page, box)) << box;
    }
    RECT now = clientOnScreen(run.window());
    EXPECT_TRUE(EqualRect(&now, &client)) << now.left << "," << now.top << " was " << client.left << "," << client.top;
    click(page, kTitle);
    EXPECT_TRUE(enabled(page, kMinimize));
    EXPECT_FALSE(checked(page, kMinimize));  // back on, still cleared

    click(page, kToday);
    for (int button : {kMonths, kYears}) {
        EXPECT_FALSE(checked(page, button)) << button;
        EXPECT_FALSE(enabled(page, button)) << button;
    }
    now = clientOnScreen(run.window());
    EXPECT_EQ(now.top, client.top);
    EXPECT_EQ(now.bottom, client.bottom - GetSystemMetrics(SM_CYSMCAPTION));  // the band's height

    click(page, kWallpaper);
    click(page, kTransparent);
    EXPECT_FALSE(checked(page, kWallpaper));
    EXPECT_FALSE(enabled(page, kWallpaperFile));
    click(page, kWallpaper);
    EXPECT_FALSE(checked(page, kTransparent));
    EXPECT_TRUE(enabled(page, kWallpaperFile));

    click(page, kTop);
    EXPECT_NE(GetWindowLongW(run.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    finish(IDCANCEL);
    EXPECT_EQ(GetWindowLongW(run.window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(run.window(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    now = clientOnScreen(run.window());
    EXPECT_TRUE(EqualRect(&now, &client)) << now.top << " " << now.bottom << " was " << client.top << " " << client.bottom;
}

// Rokuyo off and Monday first show at once.
TEST_F(StylePage, RokuyoAndWeekStartShowAtOnce) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const View sunday(run.window(), 2026, 12);
    ASSERT_TRUE(cellHasColour(run.window(), sunday.cellOf(10), kRokuyoText));
    ASSERT_TRUE(cellHasColour(run.window(), sunday.cellOf(6), kSundayRed));
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kRokuyo);
    EXPECT_FALSE(cellHasColour(run.window(), sunday.cellOf(10), kRokuyoText));
    click(page, kMonday);
    const View monday(run.window(), 2026, 12, {true, false});
    EXPECT_NE(monday.grid.dayCell[6].column, sunday.grid.dayCell[6].column);
    EXPECT_TRUE(cellHasColour(run.window(), monday.cellOf(6), kSundayRed));
    EXPECT_FALSE(cellHasColour(run.window(), monday.cellOf(5), kSundayRed));
    finish(IDCANCEL);
    EXPECT_TRUE(cellHasColour(run.window(), sunday.cellOf(10), kRokuyoText));
    EXPECT_TRUE(cellHasColour(run.window(), sunday.cellOf(6), kSundayRed));
}

// A bitmap behind the calendar, tiled and then stretched to the client.
TEST_F(StylePage, AWallpaperShowsTiledAndStretched) {
    const std::wstring bitmap = data.pathOf(L"wall.bmp");
    writeTwoPixelBitmap(bitmap);
    setProfileText(L"cstyle", L"bmppath", bitmap);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kWallpaper);
    const View view(run.window(), 2026, 12);
    const Rect cell = view.cellOf(18);  // right half of the grid
    const int x = (cell.left + 4) & ~1, y = cell.top + 3;  // an even column: the bitmap's left pixel when tiled
    EXPECT_TRUE(waitForPixel(run.window(), x, y, kWallLeft, 3000)) << std::hex << clientPixel(run.window(), x, y);
    EXPECT_EQ(clientPixel(run.window(), x + 1, y), kWallRight);
    HWND mode = GetDlgItem(page, kWallpaperMode);
    SendMessageW(mode, CB_SETCURSEL, 1, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kWallpaperMode, CBN_SELCHANGE), reinterpret_cast<LPARAM>(mode));
    EXPECT_TRUE(waitForPixel(run.window(), x, y, kWallRight, 3000)) << std::hex << clientPixel(run.window(), x, y);
    finish(IDOK);
    DWORD value = 0;
    EXPECT_TRUE(readProfileNumber(L"cstyle", L"wal", value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(readProfileNumber(L"cstyle", L"wtp", value));
    EXPECT_EQ(value, 1u);
}

// OK writes every value of the record, and the next start uses them.
TEST_F(StylePage, OkWritesTheRecordAndItSurvivesARestart) {
    {
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        HWND page = openPage(run.window());
        ASSERT_NE(page, nullptr);
        click(page, kStatus);
        click(page, kYears);
        click(page, kMonday);
        PostMessageW(GetDlgItem(page, kLayered), BM_CLICK, 0, 0);  // only at the next start
        HWND told = waitForDialog(page, L"透明化", kWait);
        ASSERT_NE(told, nullptr);
        EXPECT_EQ(messageBoxText(told), L"再起動後反映されます");
        PostMessageW(told, WM_COMMAND, IDOK, 0);
        settle(told);
        EXPECT_EQ(GetWindowLongW(run.window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        finish(IDOK);
    }
    struct Expected {
        const wchar_t* name;
        DWORD value;
    } const values[] = {{L"cap", 1}, {L"min", 1}, {L"max", 1}, {L"siz", 1}, {L"sts", 0}, {L"top", 0},
                        {L"clr", 0}, {L"wal", 0}, {L"tbt", 1}, {L"mbt", 1}, {L"ybt", 0}, {L"sps", 1},
                        {L"rok", 1}, {L"fwk", 0}, {L"wtp", 0}, {L"lay", 1}};
    for (const Expected& e : values) {
        DWORD value = 99;
        EXPECT_TRUE(readProfileNumber(L"cstyle", e.name, value)) << e.name;
        EXPECT_EQ(value, e.value) << e.name;
    }
    std::wstring path = L"?";
    EXPECT_TRUE(readProfileText(L"cstyle", L"bmppath", path));
    EXPECT_EQ(path, L"");
    CalendarRun again(L"2026/12/07");
    ASSERT_NE(again.window(), nullptr);
    EXPECT_EQ(statusBarHeight(again.window()), 0);
    EXPECT_NE(GetWindowLongW(again.window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

// Input OK cannot take keeps the dialog open; a path holds at most 259 bytes.
TEST_F(StylePage, BadInputIsRefusedWithAMessage) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(controlText(GetDlgItem(page, kPercent)), L"10");  // what an unset percent acts as
    SendMessageW(GetDlgItem(page, kPercent), EM_SETSEL, 0, -1);
    typeText(GetDlgItem(page, kPercent), L"5");
    settle(page);
    EXPECT_TRUE(toldAfter(dialog, WM_COMMAND, IDOK, L"10から100"));
    EXPECT_TRUE(IsWindow(dialog));
    SendMessageW(GetDlgItem(page, kPercent), EM_SETSEL, 0, -1);
    typeText(GetDlgItem(page, kPercent), L"60");
    settle(page);
    click(page, kWallpaper);
    SendMessageW(GetDlgItem(page, kWallpaperFile), EM_SETSEL, 0, -1);
    typeText(GetDlgItem(page, kWallpaperFile), std::wstring(300, L'a'));
    settle(page);
    EXPECT_EQ(controlText(GetDlgItem(page, kWallpaperFile)).size(), 259u);
    SendMessageW(GetDlgItem(page, kWallpaperFile), EM_SETSEL, 0, -1);
    typeText(GetDlgItem(page, kWallpaperFile), L"C:\\no\\such.bmp");
    settle(page);
    EXPECT_TRUE(toldAfter(dialog, WM_COMMAND, IDOK, L"読み込めません"));
    EXPECT_TRUE(IsWindow(dialog));
    click(page, kWallpaper);  // off: the path is kept as typed, not loaded
    finish(IDOK);
    DWORD percent = 0;
    EXPECT_TRUE(readProfileNumber(L"cstyle", L"percent", percent));
    EXPECT_EQ(percent, 60u);
}

// The range view's page: no status bar or buttons to switch; its title bar goes at once.
TEST_F(StylePage, TheRangeViewPage) {
    data.write(L"sch2026c.cal", ":8\r\n会議\r\n");
    setProfileNumber(L"scv", L"aftd", 3);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    const RECT client = clientOnScreen(view);
    HWND page = openPage(view);
    ASSERT_NE(page, nullptr);
    for (int id : {kStatus, kToday, kMonths, kYears, kRokuyo}) EXPECT_FALSE(enabled(page, id)) << id;
    EXPECT_EQ(GetDlgItem(page, kLayered), nullptr);
    click(page, kTitle);
    EXPECT_EQ(GetWindowLongW(view, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongW(run.window(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    const RECT now = clientOnScreen(view);
    EXPECT_TRUE(EqualRect(&now, &client)) << now.top << " was " << client.top;
    finish(IDOK);
    DWORD cap = 1;
    EXPECT_TRUE(readProfileNumber(L"sstyle", L"cap", cap));
    EXPECT_EQ(cap, 0u);
}

}  // namespace
}  // namespace tavo::blackbox
