// The calendar as a screen reader reads it: the caption, the weekday row,
// the day cells week by week, the buttons and the status bar.
#include <oleacc.h>

#include "calendar/render/accessible_names.h"
#include "calendar_input.h"
#include "calendar_window.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

RECT rectOf(const Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

win::AccessiblePart part(std::wstring name, long role, const Rect& place) {
    win::AccessiblePart p;
    p.name = std::move(name);
    p.role = role;
    p.place = rectOf(place);
    return p;
}

const wchar_t* buttonName(ButtonAction action) {
    switch (action) {
        case ButtonAction::YearBack: return L"前の年";
        case ButtonAction::MonthBack: return L"前の月";
        case ButtonAction::Today: return L"今日";
        case ButtonAction::MonthForward: return L"次の月";
        case ButtonAction::YearForward: return L"次の年";
    }
    return L"";
}

std::vector<DateButton> shownButtons(const CalendarWindow& a) {
    if (!a.style().todayButton) return {};
    return dateButtons(a.layout, a.style().monthButtons != 0, a.style().yearButtons != 0);
}

constexpr int kCellsFrom = 1 + 7;  // after the caption and the weekday row

}  // namespace

long CalendarWindow::accessibleRole() const { return ROLE_SYSTEM_TABLE; }

std::vector<win::AccessiblePart> CalendarWindow::accessibleParts() const {
    std::vector<win::AccessiblePart> parts;
    parts.push_back(part(cp932ToWide(caption), ROLE_SYSTEM_STATICTEXT, yearMonRect(layout)));
    for (int column = 0; column < kGridColumns; ++column)
        parts.push_back(part(cp932ToWide(weekdayNames[column]), ROLE_SYSTEM_COLUMNHEADER, weekdayRect(layout, column)));
    const int selectedCell = cellIndex(grid.dayCell[selected.day()].column, grid.dayCell[selected.day()].row);
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column) {
            const int cell = cellIndex(column, row);
            win::AccessiblePart day = part(cp932ToWide(accessibleDayName(grid, dayOff, shared().closedDays, cell)),
                                           ROLE_SYSTEM_CELL, cellRect(layout, column, row));
            day.selectable = !day.name.empty();
            day.selected = cell == selectedCell;
            day.action = day.selectable ? L"選択" : L"";
            parts.push_back(std::move(day));
        }
    for (const DateButton& button : shownButtons(*this)) {
        parts.push_back(part(buttonName(button.action), ROLE_SYSTEM_PUSHBUTTON, button.rect));
        parts.back().action = L"押す";
    }
    if (statusBar && IsWindowVisible(statusBar)) {
        win::AccessiblePart bar;
        bar.role = ROLE_SYSTEM_STATUSBAR;
        bar.child = statusBar;
        GetWindowRect(statusBar, &bar.place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar.place), 2);
        parts.push_back(std::move(bar));
    }
    return parts;
}

void CalendarWindow::chooseAccessiblePart(int index) {
    const int cellOrder = index - kCellsFrom;
    if (cellOrder >= 0 && cellOrder < kGridCells) {
        int y = 0, m = 0, d = 0;
        if (!cellDate(grid, cellIndex(cellOrder % kGridColumns, cellOrder / kGridColumns), y, m, d)) return;
        const bool monthChanged = y != selected.year() || m != selected.month();
        selected.setShown(y, m, d);
        showSelectedDate(*this, monthChanged);
        return;
    }
    const std::vector<DateButton> buttons = shownButtons(*this);
    const int buttonOrder = cellOrder - kGridCells;
    if (buttonOrder < 0 || buttonOrder >= static_cast<int>(buttons.size())) return;
    const Rect& r = buttons[static_cast<size_t>(buttonOrder)].rect;
    runStep(*this, buttonStepAt(r.left + r.width / 2, layout.clientWidth, layout.columnWidth[0], style().monthButtons != 0,
                                style().yearButtons != 0));
}

}  // namespace tavo::shell
