#include "calendar_input.h"
#include "year_window.h"
#include "print_window.h"

#include <commctrl.h>

#include <algorithm>

#include "calendar_model.h"
#include "commands.h"
#include "range_view.h"
#include "day_schedule_window.h"
#include "dialogs.h"
#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/clock.h"
#include "shared/date_math.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {
namespace {

void notifyRangeView() { refreshWindows(kindBit(WindowKind::RangeView), kRefreshData); }

void selectDay(CalendarWindow& a, int day) {
    if (day == a.selected.day()) return;
    a.selected.setDay(day);
    showSelectedDate(a, false);
}

void onWeekdayRow(CalendarWindow& a, int column, Pointer kind) {
    const bool mondayFirst = a.style().mondayFirst != 0;
    const int target = (column + (mondayFirst ? 1 : 0)) % 7;
    if (kind == Pointer::Release) {
        if (a.selected.moveToWeekday(target, mondayFirst, false) >= 0) showSelectedDate(a, false);
        else if (a.selected.moveToWeekday(target, mondayFirst, true) >= 0) showSelectedDate(a, true);
        return;
    }
    if (kind == Pointer::LeftPress || kind == Pointer::RightPress) {
        SetCapture(a.window);
        a.mouseCaptured = true;
    }
    if (a.selected.moveToWeekday(target, mondayFirst, false) >= 0) showSelectedDate(a, false);
}

}  // namespace

// Enter and a double click: the view opens through the calendar's own message.
void askForRangeView(CalendarWindow& a) {
    if (HWND view = findWindowOf(WindowKind::RangeView)) {
        SetForegroundWindow(view);
        PostMessageW(view, UM_REFRESH, 0, 0);
    } else {
        PostMessageW(a.window, UM_OPEN_RANGE_VIEW, 0, 0);
    }
}

namespace {

void onCell(CalendarWindow& a, int column, int row, Pointer kind) {
    const int v = a.grid.cellDay[cellIndex(column, row)];
    if (kind == Pointer::Release) {
        ReleaseCapture();
        a.mouseCaptured = false;
        if (v <= kOtherMonth) return;
        const NavigationStep step = row >= 3 ? NavigationStep::NextMonth : NavigationStep::PrevMonth;
        if (a.selected.year() == 1582 && a.selected.month() == 10 && step == NavigationStep::PrevMonth) return;
        if (!navigate(a.selected, step).moved) return;
        if (v - kOtherMonth <= a.selected.monthLength()) a.selected.setDay(v - kOtherMonth);
        showSelectedDate(a, true);
        return;
    }
    if (v <= 0 || v >= kOtherMonth) return;
    SetCapture(a.window);
    a.mouseCaptured = true;
    selectDay(a, v);
    if (kind == Pointer::DoubleClick) runCommand(a, CMD_RANGE_VIEW);
}

void trackPopup(CalendarWindow& a, HMENU popup, int x, int y) {
    if (popup == nullptr) return;
    updateMenuStates(a, popup);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0, a.window, nullptr);
}

POINT clientOrigin(CalendarWindow& a) {
    POINT p{0, 0};
    ClientToScreen(a.window, &p);
    return p;
}

// Where a menu asked for from the keyboard opens: under the selected day's top left.
POINT selectedCellCorner(CalendarWindow& a) {
    const CellPosition at = a.grid.dayCell[a.selected.day()];
    const Rect cell = cellRect(a.layout, at.column, at.row);
    POINT p{cell.left, cell.top + cell.height / 2};
    ClientToScreen(a.window, &p);
    return p;
}

}  // namespace

void showSelectedDate(CalendarWindow& a, bool monthChanged) {
    if (monthChanged) rebuildMonthView(a);
    rebuildTexts(a);
    SetWindowTextW(a.window, cp932ToWide(IsIconic(a.window) ? a.minimizedTitle : a.normalTitle).c_str());
    if (a.statusBar) SendMessageW(a.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(cp932ToWide(a.statusText).c_str()));
    a.repaint();
    notifyRangeView();
    if (a.yearView) a.yearView->follow();
    if (a.preview) a.preview->follow();
}

void onPointer(CalendarWindow& a, int x, int y, Pointer kind) {
    const MonthLayout& l = a.layout;
    if (y > l.clientHeight) return;
    const int column = columnAt(l, x);
    const int t = l.yearMonHeight;
    if (y < t) {
        if (kind == Pointer::DoubleClick) toggleTitleBar(a);
        else if (kind == Pointer::LeftPress) win::moveByBody(a.window);
        return;
    }
    const int d = y - t, k = weekRowHeight(l);
    if (d <= k) {
        onWeekdayRow(a, column, kind);
        return;
    }
    if (y > t + k + l.rowTop[5] + l.rowHeight[5]) {
        if (kind != Pointer::Move && kind != Pointer::Release && a.style().todayButton)
            runStep(a, buttonStepAt(x, l.clientWidth, l.columnWidth[0], a.style().monthButtons != 0, a.style().yearButtons != 0));
        return;
    }
    int row = l.rowHeight[3] > 0 ? (d - k) / l.rowHeight[3] : 5;
    if (row > 5) row = 5;
    onCell(a, column, row, kind);
}

void runStep(CalendarWindow& a, NavigationStep step) {
    if (step == NavigationStep::Today) {
        if (!a.selected.isStillToday()) {
            a.selected.refreshToday();
            const std::wstring text = loadString(a.process.instance, IDS_DATE_CHANGED);
            const std::wstring caption = loadString(a.process.instance, IDS_DATE_CHANGED_CAPTION);
            MessageBoxW(a.window, text.c_str(), caption.c_str(), MB_OK);
        }
        const int year = a.selected.year(), month = a.selected.month();
        a.selected.setShownToday();
        showSelectedDate(a, year != a.selected.year() || month != a.selected.month());
        return;
    }
    const NavigationResult r = navigate(a.selected, step);
    if (!r.moved) {
        showErrorString(a, a.window, static_cast<UINT>(r.errorString));
        return;
    }
    showSelectedDate(a, r.monthChanged);
}

void onKeyDown(CalendarWindow& a, WPARAM key) { calendarCommands().runKey(a, key, win::controlHeld()); }

void onKeyUp(CalendarWindow& a, WPARAM key) {
    if (key == VK_TAB) {
        const POINT p = clientOrigin(a);
        trackPopup(a, a.menus.day, p.x, p.y);
    } else if (key == VK_APPS) {
        a.keyboardMenuPending = true;
    }
}

void onRightButtonUp(CalendarWindow& a, int x, int y) {
    onPointer(a, x, y, Pointer::Release);
    a.rightReleaseInTopBand = y < a.layout.yearMonHeight;
    a.contextMenuPending = true;
}

void onContextMenu(CalendarWindow& a, int screenX, int screenY) {
    if (a.mouseCaptured) {
        ReleaseCapture();
        a.mouseCaptured = false;
    }
    HMENU bandOrDay = a.rightReleaseInTopBand ? a.menus.topBand : a.menus.day;
    if (a.contextMenuPending) {
        a.contextMenuPending = false;
        if (a.contextMenuFromStatusBar) {
            a.contextMenuFromStatusBar = false;
            trackPopup(a, a.menus.statusBar, screenX, screenY);
        } else {
            trackPopup(a, bandOrDay, screenX, screenY);
        }
    } else if (a.keyboardMenuPending || (screenX == -1 && screenY == -1)) {  // the Menu key, Shift+F10
        a.keyboardMenuPending = false;
        trackPopup(a, a.menus.day, selectedCellCorner(a).x, selectedCellCorner(a).y);
    }
}

void onDateWatch(CalendarWindow& a) {
    if (a.selected.isStillToday()) return;
    if (a.env().dateChange == 1) {
        a.selected.refreshToday();
        PostMessageW(a.window, UM_TODAY, 0, 0);
    } else if (a.env().dateChange == 2) {
        runStep(a, NavigationStep::Today);
    }
}

void onOpenDay(CalendarWindow& a, int yyyymmdd, ScheduleKind kind) {
    const int year = yyyymmdd / 10000, month = yyyymmdd / 100 % 100, day = yyyymmdd % 100;
    if (year <= kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > monthLengthOf(year, month)) return;
    if (kind < kScheduleDay || kind > kScheduleEveryWeek) kind = kScheduleDay;
    const bool monthChanged = year != a.selected.year() || month != a.selected.month();
    a.selected.setShown(year, month, day);
    if (IsIconic(a.window) || !IsWindowVisible(a.window)) ShowWindow(a.window, SW_RESTORE);
    SetForegroundWindow(a.window);
    showSelectedDate(a, monthChanged);
    openDaySchedule(a, kind);
}

void selectDate(CalendarWindow& a, int serial) {
    int y, m, d;
    civilFromSerial(std::clamp(serial, serialDayOf(kFirstYear + 1, 1, 1), serialDayOf(kLastYear, 12, 31)), y, m, d);
    const bool monthChanged = y != a.selected.year() || m != a.selected.month();
    a.selected.setShown(y, m, d);
    showSelectedDate(a, monthChanged);  // the view follows
}

void selectDayWithRangeView(CalendarWindow& a, int serial) {
    if (IsIconic(a.window) || !IsWindowVisible(a.window)) ShowWindow(a.window, SW_RESTORE);
    SetForegroundWindow(a.window);
    selectDate(a, serial);
    askForRangeView(a);
}

void onToday(CalendarWindow& a) {
    const int year = a.selected.year(), month = a.selected.month();
    a.selected.setShownToday();
    showSelectedDate(a, year != a.selected.year() || month != a.selected.month());  // refreshes an open view
    if (!findWindowOf(WindowKind::RangeView)) runRangeCheck(a);
}

}  // namespace tavo::shell
