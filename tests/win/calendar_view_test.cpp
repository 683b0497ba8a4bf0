// The calendar started as a user starts it: what it shows and where.
#include <gtest/gtest.h>

#include <memory>

#include "blackbox.h"
#include "calendar_cells.h"
#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/month_layout.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr COLORREF kSelectedFill = 13687257;
constexpr COLORREF kHaveScheduleFill = 8454143;
constexpr COLORREF kOtherMonthFill = 11425536;
constexpr COLORREF kPlainFill = 16777215;

std::wstring makeDataFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tavo-view-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const char content[] = ":20\r\n会議\r\n";
    HANDLE file = CreateFileW((folder + L"\\sch20057.cal").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content, sizeof content - 1, &written, nullptr);
    CloseHandle(file);
    return folder;
}

class CalendarView : public ::testing::Test {
protected:
    void SetUp() override { resetProfile(); }
    void TearDown() override { resetProfile(); }
};

TEST_F(CalendarView, AFreshProfileStartsWithTheDefaults) {
    CalendarRun run;
    ASSERT_NE(run.window(), nullptr);
    EXPECT_EQ(windowText(run.window()), L"Tavo");
    RECT r{};
    GetWindowRect(run.window(), &r);
    EXPECT_EQ(r.right - r.left, 280);
    EXPECT_EQ(r.bottom - r.top, 350);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXFRAME) - 1);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) - 1);
    EXPECT_NE(FindWindowExW(run.window(), nullptr, L"msctls_statusbar32", nullptr), nullptr);
    const LONG style = GetWindowLongW(run.window(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_THICKFRAME, WS_THICKFRAME);
    DWORD code = 1;
    ASSERT_TRUE(run.close(code));
    EXPECT_EQ(code, 0u);
    DWORD width = 0;
    EXPECT_TRUE(readProfileNumber(L"size", L"xCal", width));  // sav is on by default
    EXPECT_EQ(width, 280u);
}

TEST_F(CalendarView, TheCommandLineSelectsADate) {
    setProfileNumber(L"own", L"CaptionN", 1);
    setProfileText(L"dttext", L"CaptionN", L"yyyy/mm/dd");
    {
        CalendarRun run(L"2005/07/09");
        ASSERT_NE(run.window(), nullptr);
        EXPECT_EQ(statusBarText(run.window()).substr(0, 13), L"2005/ 7/ 9(土)");
        EXPECT_EQ(windowText(run.window()), L"Tavo - 2005/07/09");
    }
    {
        CalendarRun run(L"C:\\data\\sch2005b.cal");
        ASSERT_NE(run.window(), nullptr);
        EXPECT_EQ(statusBarText(run.window()).substr(0, 13), L"2005/11/ 1(火)");
    }
}

TEST_F(CalendarView, CellsShowTheDesignColours) {
    const std::wstring folder = makeDataFolder();
    setProfileText(L"dir", L"schpath", folder);
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    const View view(run.window(), 2005, 7);
    const POINT selected = View::fillPoint(view.cellOf(9));
    ASSERT_TRUE(waitForPixel(run.window(), selected.x, selected.y, kSelectedFill, 5000));
    const POINT data = View::fillPoint(view.cellOf(20));
    EXPECT_EQ(clientPixel(run.window(), data.x, data.y), kHaveScheduleFill);
    const POINT sunday = View::fillPoint(view.cellOf(3));
    EXPECT_EQ(clientPixel(run.window(), sunday.x, sunday.y), kPlainFill);
    EXPECT_TRUE(cellHasColour(run.window(), view.cellOf(3), 255));         // red Sunday number
    EXPECT_TRUE(cellHasColour(run.window(), view.cellOf(18), 255));        // 海の日 in the holiday red
    const Rect other = cellRect(view.layout, 0, 0);                          // 26 June
    EXPECT_EQ(clientPixel(run.window(), other.left + 3, other.top + 3), kOtherMonthFill);
    DeleteFileW((folder + L"\\sch20057.cal").c_str());
    RemoveDirectoryW(folder.c_str());
}

// Public holidays red like Sundays; substitute and national holidays magenta.
TEST_F(CalendarView, HolidayNumbersInTheirColours) {
    constexpr COLORREF red = 255, magenta = 16711935;
    struct Case {
        const wchar_t* start;
        int year, month, day;
        COLORREF colour, never;
    } const cases[] = {
        {L"2026/01/20", 2026, 1, 1, red, magenta},   // 元日, a Thursday
        {L"2026/05/20", 2026, 5, 4, red, magenta},   // みどりの日
        {L"2026/05/20", 2026, 5, 6, magenta, red},   // 振替休日 for 3 May
        {L"2026/09/10", 2026, 9, 22, magenta, red},  // 国民の休日
    };
    for (const Case& c : cases) {
        CalendarRun run(c.start);
        ASSERT_NE(run.window(), nullptr);
        const View view(run.window(), c.year, c.month);
        ASSERT_TRUE(waitForStatus(run.window(), std::wstring(c.start).substr(0, 4), 5000));
        settle(run.window());
        EXPECT_TRUE(cellHasColour(run.window(), view.cellOf(c.day), c.colour)) << c.start << " " << c.day;
        EXPECT_FALSE(cellHasColour(run.window(), view.cellOf(c.day), c.never)) << c.start << " " << c.day;
    }
}

TEST_F(CalendarView, ADesignValueInTheRegistryChangesThePixels) {
    setProfileNumber(L"NoSchedule", L"colorbs0", 0x00FF00);  // selected weekday cells green
    CalendarRun run(L"2005/07/08");                          // a Friday
    ASSERT_NE(run.window(), nullptr);
    const View view(run.window(), 2005, 7);
    const POINT p = View::fillPoint(view.cellOf(8));
    EXPECT_TRUE(waitForPixel(run.window(), p.x, p.y, 0x00FF00, 5000));
}

TEST_F(CalendarView, NoTitleBarWhenCapIsOff) {
    setProfileNumber(L"cstyle", L"cap", 0);
    CalendarRun run;
    ASSERT_NE(run.window(), nullptr);
    // the title bar goes 100 ms after the start
    EXPECT_TRUE(waitUntil([&] { return (GetWindowLongW(run.window(), GWL_STYLE) & WS_CAPTION) == 0; }));
    DWORD cap = 1;
    EXPECT_TRUE(readProfileNumber(L"cstyle", L"cap", cap));
    EXPECT_EQ(cap, 0u);
}

TEST_F(CalendarView, AnOffScreenPositionIsPulledBack) {
    setProfileNumber(L"position", L"xCal", 5000);
    setProfileNumber(L"position", L"yCal", static_cast<DWORD>(-300));
    CalendarRun run;
    ASSERT_NE(run.window(), nullptr);
    RECT r{};
    GetWindowRect(run.window(), &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) - 280 + GetSystemMetrics(SM_CXFRAME) - 1);
    EXPECT_EQ(r.top, 0);
}

// A size from a larger monitor, or one past any screen: the calendar opens no
// larger than the work area with its title bar on it.
TEST_F(CalendarView, ASizeLargerThanTheScreenOpensWithinIt) {
    for (const DWORD size : {DWORD{2400}, DWORD{0x7FFFFFFF}}) {
        setProfileNumber(L"position", L"xCal", 100);
        setProfileNumber(L"position", L"yCal", 100);
        setProfileNumber(L"size", L"xCal", size);
        setProfileNumber(L"size", L"yCal", size);
        CalendarRun run;
        ASSERT_NE(run.window(), nullptr);
        RECT r{}, work{};
        GetWindowRect(run.window(), &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_GE(r.top, 0) << size;
        EXPECT_GE(r.left, -GetSystemMetrics(SM_CXFRAME)) << size;
        EXPECT_LE(r.right - r.left, work.right - work.left) << size;
        EXPECT_LE(r.bottom - r.top, work.bottom - work.top) << size;
    }
}

}  // namespace
}  // namespace tavo::blackbox
