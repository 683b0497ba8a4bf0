// The calendar at 100 %, 150 % and 200 % scaling, started as a user starts
// it with a fresh profile: its size, its texts, and slots kept at 96 DPI.
#include <gtest/gtest.h>

#include <memory>

#include "blackbox.h"
#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/design.h"
#include "calendar/render/month_painter.h"
#include "shared/dpi.h"

namespace tavo::blackbox {
namespace {

constexpr COLORREF kCaptionText = 8388608;  // YearMon text, navy
constexpr COLORREF kRokuyoText = 128;       // Rokuyou text, dark red

void setSystemDpi(DWORD dpi) {
    HKEY h = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
    RegSetValueExW(h, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(h);
}

bool anyPixel(HWND window, const Rect& r, COLORREF colour) {
    for (int y = r.top + 1; y < r.top + r.height - 1; ++y)
        for (int x = r.left + 1; x < r.left + r.width - 1; ++x)
            if (clientPixel(window, x, y) == colour) return true;
    return false;
}

class Scaling : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        // Physical pixels in this process too, whatever the calendar's scaling.
        SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
        resetProfile();
    }
    void TearDown() override {
        setSystemDpi(96);
        resetProfile();
    }
};

TEST_P(Scaling, TheWindowGrowsWithTheScalingAndShowsItsTexts) {
    const int dpi = GetParam();
    setSystemDpi(static_cast<DWORD>(dpi));
    CalendarRun run(L"2026/12/24");
    ASSERT_NE(run.window(), nullptr);
    RECT r{};
    GetWindowRect(run.window(), &r);
    EXPECT_EQ(r.right - r.left, scaleToDpi(280, dpi));
    EXPECT_EQ(r.bottom - r.top, scaleToDpi(350, dpi));

    // Where the calendar lays out its bands and cells at this scaling.
    RECT client{};
    GetClientRect(run.window(), &client);
    RECT bar{};
    GetWindowRect(FindWindowExW(run.window(), nullptr, L"msctls_statusbar32", nullptr), &bar);
    DesignSet design{};
    resetDesignSet(design, kCalendarDesign, {GetSystemMetricsForDpi(SM_CYCAPTION, 96), GetSystemMetricsForDpi(SM_CYSMCAPTION, 96)});
    WindowStyle style{};
    resetWindowStyle(style, kCalendarStyle);
    MonthLayout layout{};
    computeMonthLayout(layout, client.right, client.bottom, scaledBandHeights(design, style, bar.bottom - bar.top, dpi));
    auto closed = std::make_unique<ClosedDays>();
    resetClosedDays(*closed);
    MonthGrid grid{};
    rebuildMonthGrid(grid, 2026, 12, {false, false}, *closed);
    const CellPosition third = grid.dayCell[3];  // a Thursday without data
    const Rect cell = cellRect(layout, third.column, third.row);
    settle(run.window());
    EXPECT_TRUE(anyPixel(run.window(), yearMonRect(layout), kCaptionText)) << "year-month text at " << dpi;
    EXPECT_TRUE(anyPixel(run.window(), {cell.left, cell.top, cell.width, cell.height * 2 / 3}, 0)) << "day number at " << dpi;
    EXPECT_TRUE(anyPixel(run.window(), {cell.left, cell.top + cell.height / 2, cell.width, cell.height / 2}, kRokuyoText))
        << "rokuyo at " << dpi;
}

INSTANTIATE_TEST_SUITE_P(Dpi, Scaling, ::testing::Values(96, 144, 192));

// A size stored at 150 % is kept at 96 DPI: it reads back in proportion.
TEST_F(Scaling, ASlotStoredAt144DpiReadsBackAt96) {
    setSystemDpi(144);
    {
        CalendarRun run;
        ASSERT_NE(run.window(), nullptr);
        SetWindowPos(run.window(), nullptr, 0, 0, 450, 600, SWP_NOMOVE | SWP_NOZORDER);
        DWORD code = 1;
        ASSERT_TRUE(run.close(code));
    }
    DWORD width = 0, height = 0;
    EXPECT_TRUE(readProfileNumber(L"size", L"xCal", width));
    EXPECT_TRUE(readProfileNumber(L"size", L"yCal", height));
    EXPECT_EQ(width, 300u);
    EXPECT_EQ(height, 400u);
    setSystemDpi(96);
    CalendarRun again;
    ASSERT_NE(again.window(), nullptr);
    RECT r{};
    GetWindowRect(again.window(), &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 400);
}

// The range view opened beside the calendar at 100 % opens beside it again at
// 150 %, though the calendar grew: its offset is kept in proportion.
TEST_F(Scaling, AnArrangementSurvivesAScalingChange) {
    RECT calendar{}, view{};
    for (const DWORD dpi : {96u, 144u}) {
        setSystemDpi(dpi);
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        pressKey(run.window(), VK_RETURN);
        HWND range = waitForWindow(L"WScv", 8000);
        ASSERT_NE(range, nullptr) << dpi;
        settle(range);
        GetWindowRect(run.window(), &calendar);
        GetWindowRect(range, &view);
        EXPECT_GE(view.left, calendar.right - 1) << dpi;  // beside it, not over it
        EXPECT_EQ(view.top, calendar.top) << dpi;
        DWORD code = 1;
        ASSERT_TRUE(run.close(code));
    }
}

}  // namespace
}  // namespace tavo::blackbox
