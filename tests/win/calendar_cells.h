// Finding the calendar's day cells on screen, as the calendar lays them out.
#pragma once

#include <windows.h>

#include <memory>

#include "blackbox.h"
#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/month_layout.h"

namespace tavo::blackbox {

// The same layout and grid the calendar computes, for finding cells on screen.
struct View {
    MonthLayout layout{};
    MonthGrid grid{};

    View(HWND window, int year, int month, GridLayoutChoice choice = {false, false}) {
        RECT client{};
        GetClientRect(window, &client);
        int statusHeight = 0;
        if (HWND bar = FindWindowExW(window, nullptr, L"msctls_statusbar32", nullptr)) {
            RECT r{};
            GetWindowRect(bar, &r);
            statusHeight = r.bottom - r.top;
        }
        const int caption = GetSystemMetrics(SM_CYCAPTION);
        computeMonthLayout(layout, client.right, client.bottom, {caption, caption, GetSystemMetrics(SM_CYSMCAPTION), statusHeight});
        auto closed = std::make_unique<ClosedDays>();
        resetClosedDays(*closed);
        rebuildMonthGrid(grid, year, month, choice, *closed);
    }
    Rect cellOf(int day) const {
        const CellPosition p = grid.dayCell[day];
        return cellRect(layout, p.column, p.row);
    }
    // A point inside the cell's fill, clear of its relief and of the centred day number.
    static POINT fillPoint(const Rect& r) { return {r.left + 3, r.top + 3}; }
};

inline bool cellHasColour(HWND window, const Rect& r, COLORREF colour) {
    for (int y = r.top + 2; y < r.top + r.height - 2; ++y)
        for (int x = r.left + 2; x < r.left + r.width - 2; ++x)
            if (clientPixel(window, x, y) == colour) return true;
    return false;
}

}  // namespace tavo::blackbox
