// The painted windows as a screen reader reads them: the calendar's caption,
// weekday row, day cells week by week, buttons and status bar; the range
// view's lines; the year view's days.
#include <oleacc.h>

#include "calendar/render/accessible_names.h"
#include "calendar/render/range_painter.h"
#include "calendar_input.h"
#include "calendar_window.h"
#include "range_view.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "year_window.h"

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

int CalendarWindow::accessiblePartCount() const {
    const bool bar = statusBar && IsWindowVisible(statusBar);
    return kCellsFrom + kGridCells + static_cast<int>(shownButtons(*this).size()) + (bar ? 1 : 0);
}

int CalendarWindow::selectedAccessiblePart() const {
    const CellPosition at = grid.dayCell[selected.day()];
    return kCellsFrom + at.row * kGridColumns + at.column;
}

win::AccessiblePart CalendarWindow::accessiblePart(int index) const {
    if (index == 0) return part(cp932ToWide(caption), ROLE_SYSTEM_STATICTEXT, yearMonRect(layout));
    if (index < kCellsFrom)
        return part(cp932ToWide(weekdayNames[index - 1]), ROLE_SYSTEM_COLUMNHEADER, weekdayRect(layout, index - 1));
    const int order = index - kCellsFrom;
    if (order < kGridCells) {
        const int column = order % kGridColumns, row = order / kGridColumns;
        win::AccessiblePart day = part(cp932ToWide(accessibleDayName(grid, dayOff, shared().closedDays, cellIndex(column, row))),
                                       ROLE_SYSTEM_CELL, cellRect(layout, column, row));
        day.selectable = !day.name.empty();
        day.selected = index == selectedAccessiblePart();
        if (day.selectable) day.action = L"選択";
        return day;
    }
    const std::vector<DateButton> buttons = shownButtons(*this);
    if (const size_t button = static_cast<size_t>(order - kGridCells); button < buttons.size()) {
        win::AccessiblePart press = part(buttonName(buttons[button].action), ROLE_SYSTEM_PUSHBUTTON, buttons[button].rect);
        press.action = L"押す";
        return press;
    }
    win::AccessiblePart bar;
    bar.role = ROLE_SYSTEM_STATUSBAR;
    bar.child = statusBar;
    GetWindowRect(statusBar, &bar.place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar.place), 2);
    return bar;
}

void CalendarWindow::chooseAccessiblePart(int index) {
    const int cellOrder = index - kCellsFrom;
    if (cellOrder >= 0 && cellOrder < kGridCells) {
        int y = 0, m = 0, d = 0;
        if (cellDate(grid, cellIndex(cellOrder % kGridColumns, cellOrder / kGridColumns), y, m, d))
            selectDate(*this, serialDayOf(y, m, d));
        return;
    }
    const std::vector<DateButton> buttons = shownButtons(*this);
    const int buttonOrder = cellOrder - kGridCells;
    if (buttonOrder < 0 || buttonOrder >= static_cast<int>(buttons.size())) return;
    const Rect& r = buttons[static_cast<size_t>(buttonOrder)].rect;
    runStep(*this, buttonStepAt(r.left + r.width / 2, layout.clientWidth, layout.columnWidth[0], style().monthButtons != 0,
                                style().yearButtons != 0));
}

long RangeViewWindow::accessibleRole() const { return ROLE_SYSTEM_LIST; }
int RangeViewWindow::accessiblePartCount() const { return static_cast<int>(list.size()); }
int RangeViewWindow::selectedAccessiblePart() const { return list.selectedLine; }

// Lines above the scroll position or below the window have no place.
win::AccessiblePart RangeViewWindow::accessiblePart(int index) const {
    const RangeLine line = list.line(static_cast<size_t>(index));
    win::AccessiblePart part;
    part.name = cp932ToWide(accessibleRangeLineName(line));
    part.role = line.header ? ROLE_SYSTEM_GROUPING : ROLE_SYSTEM_LISTITEM;
    part.selected = index == list.selectedLine;
    part.selectable = line.header && list.serial(static_cast<size_t>(index)) != 0;
    if (part.selectable) part.action = L"選択";
    if (index < scroll) return part;
    int top = 0;
    const auto heightOf = [&](int i) {
        return rangeLineHeight(design(), list.line(static_cast<size_t>(i)).header ? kSchDate : kSchData, dpi);
    };
    for (int i = scroll; i < index && top < height; ++i) top += heightOf(i);
    if (top < height) part.place = {0, top, paintedWidth(), top + heightOf(index)};
    return part;
}

void RangeViewWindow::chooseAccessiblePart(int index) {
    if (const int serial = list.serial(static_cast<size_t>(index))) selectDate(calendar, serial);
}

long YearWindow::accessibleRole() const { return ROLE_SYSTEM_TABLE; }
int YearWindow::accessiblePartCount() const { return static_cast<int>(dayParts_.size()); }

int YearWindow::selectedAccessiblePart() const {
    if (calendar.selected.year() != year_) return -1;
    const MonthGrid& month = grids_.months[calendar.selected.month() - 1];
    const CellPosition at = month.dayCell[calendar.selected.day()];
    for (size_t i = 0; i < dayParts_.size(); ++i)
        if (dayParts_[i].month == calendar.selected.month() && dayParts_[i].cell == cellIndex(at.column, at.row))
            return static_cast<int>(i);
    return -1;
}

win::AccessiblePart YearWindow::accessiblePart(int index) const {
    const DayPart at = dayParts_[static_cast<size_t>(index)];
    const MonthGrid& month = grids_.months[at.month - 1];
    win::AccessiblePart day = part(cp932ToWide(accessibleDayName(month, grids_.dayOff, calendar.shared().closedDays, at.cell)),
                                   ROLE_SYSTEM_CELL, yearCellRect(layout_, at.month, at.cell));
    day.selectable = true;
    day.selected = calendar.selected.year() == year_ && calendar.selected.month() == at.month &&
                   calendar.selected.day() == month.cellDay[at.cell];
    day.action = L"選択";
    return day;
}

void YearWindow::chooseAccessiblePart(int index) {
    const DayPart at = dayParts_[static_cast<size_t>(index)];
    select({at.month, grids_.months[at.month - 1].cellDay[at.cell]}, false);
}

}  // namespace tavo::shell
