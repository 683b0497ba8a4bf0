#include "calendar_input.h"

#include <commctrl.h>

#include "calendar/data/day_off.h"
#include "calendar_model.h"
#include "dialogs.h"
#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/clock.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

void notifyRangeView() {
    if (HWND view = FindWindowW(L"WScv", nullptr)) PostMessageW(view, UM_REFRESH, 0, 0);
}

void openRangeView(App& a) {
    if (HWND view = FindWindowW(L"WScv", nullptr)) {
        SetForegroundWindow(view);
        PostMessageW(view, UM_REFRESH, 0, 0);
    } else {
        PostMessageW(a.window, UM_OPEN_RANGE_VIEW, 0, 0);
    }
}

void selectDay(App& a, int day) {
    if (day == a.selected.day()) return;
    a.selected.setDay(day);
    showSelectedDate(a, false);
}

void onWeekdayRow(App& a, int column, Pointer kind) {
    const bool mondayFirst = a.style().rok != 0;
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

void onCell(App& a, int column, int row, Pointer kind) {
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
    if (kind == Pointer::DoubleClick) openRangeView(a);
}

void toggleDayOff(App& a) {
    const SharedSettings& s = *a.settings;
    if (!tavo::toggleDayOff(a.dayOff, a.files, s.paths, a.selected.year(), a.selected.month(), a.selected.day()))
        MessageBoxW(a.window, L"休暇の設定を保存できませんでした.", L"Tavo", MB_OK | MB_ICONWARNING);
    PostMessageW(a.window, UM_REFRESH, 0, 0);
    notifyRangeView();
}

void openOptions(App& a, bool fromRangeView) {
    if (HWND open = FindWindowW(nullptr, L"オプション(Tavo)")) {
        SetFocus(open);
        return;
    }
    a.settings->optionsDate = {a.selected.day(), a.selected.month(), a.selected.year()};
    HMODULE library = LoadLibraryW(L"TavoCust.DLL");
    using Entry = int (*)(SharedSettings*, unsigned char);
    auto entry = library ? reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "TavoCust"))) : nullptr;
    if (entry == nullptr) {
        MessageBoxW(a.window, L"オプション(TavoCust.DLL)を読み込めません.", L"Tavo", MB_OK | MB_ICONERROR);
    } else {
        entry(a.settings, fromRangeView ? 1 : 0);
    }
    if (library) FreeLibrary(library);
}

bool dayOffCheckMark(App& a) {
    const CellPosition p = a.grid.dayCell[a.selected.day()];
    const bool closed = a.grid.cellClosed[cellIndex(p.column, p.row)] != 0;
    return closed != isDayOff(a.dayOff, a.selected.month(), a.selected.day());
}

void trackPopup(App& a, HMENU popup, int x, int y) {
    if (popup == nullptr) return;
    CheckMenuItem(a.menus.day, CMD_DAY_OFF, MF_BYCOMMAND | (dayOffCheckMark(a) ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(a.menus.statusBar, CMD_DAY_OFF, MF_BYCOMMAND | (dayOffCheckMark(a) ? MF_CHECKED : MF_UNCHECKED));
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0, a.window, nullptr);
}

POINT clientOrigin(App& a) {
    POINT p{0, 0};
    ClientToScreen(a.window, &p);
    return p;
}

}  // namespace

void showSelectedDate(App& a, bool monthChanged) {
    if (monthChanged) rebuildMonthView(a);
    rebuildTexts(a);
    SetWindowTextW(a.window, cp932ToWide(IsIconic(a.window) ? a.minimizedTitle : a.normalTitle).c_str());
    if (a.statusBar) SendMessageW(a.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(cp932ToWide(a.statusText).c_str()));
    InvalidateRect(a.window, nullptr, a.style().clr == 0 && a.style().wal == 0 ? FALSE : TRUE);
    notifyRangeView();
}

void onPointer(App& a, int x, int y, Pointer kind) {
    const MonthLayout& l = a.layout;
    if (y > l.clientHeight) return;
    const int column = columnAt(l, x);
    const int t = l.yearMonHeight;
    if (y < t) {
        if (kind == Pointer::DoubleClick) toggleTitleBar(a);
        else if (kind == Pointer::LeftPress) {
            ReleaseCapture();
            SendMessageW(a.window, WM_SYSCOMMAND, 0xF012, 0);  // move the window by its body
        }
        return;
    }
    const int d = y - t, k = weekRowHeight(l);
    if (d <= k) {
        onWeekdayRow(a, column, kind);
        return;
    }
    if (y > t + k + l.rowTop[5] + l.rowHeight[5]) {
        if (kind != Pointer::Move && kind != Pointer::Release && a.style().tbt)
            runStep(a, buttonStepAt(x, l.clientWidth, l.columnWidth[0], a.style().mbt != 0, a.style().ybt != 0));
        return;
    }
    int row = l.rowHeight[3] > 0 ? (d - k) / l.rowHeight[3] : 5;
    if (row > 5) row = 5;
    onCell(a, column, row, kind);
}

void runStep(App& a, NavigationStep step) {
    if (step == NavigationStep::Today) {
        if (!a.selected.isStillToday()) {
            a.selected.refreshToday();
            wchar_t text[128] = {}, caption[64] = {};
            LoadStringW(a.instance, IDS_DATE_CHANGED, text, 128);
            LoadStringW(a.instance, IDS_DATE_CHANGED_CAPTION, caption, 64);
            MessageBoxW(a.window, text, caption, MB_OK);
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

void onKeyDown(App& a, WPARAM key) {
    switch (key) {
        case VK_RETURN: openRangeView(a); break;
        case VK_PRIOR: runStep(a, NavigationStep::PrevMonth); break;
        case VK_NEXT: runStep(a, NavigationStep::NextMonth); break;
        case VK_HOME: runStep(a, NavigationStep::Today); break;
        case VK_LEFT: runStep(a, NavigationStep::PrevDay); break;
        case VK_UP: runStep(a, NavigationStep::PrevWeek); break;
        case VK_RIGHT: runStep(a, NavigationStep::NextDay); break;
        case VK_DOWN: runStep(a, NavigationStep::NextWeek); break;
        default: break;
    }
}

void onKeyUp(App& a, WPARAM key) {
    if (key == VK_TAB) {
        const POINT p = clientOrigin(a);
        trackPopup(a, a.menus.day, p.x, p.y);
    } else if (key == VK_APPS) {
        a.keyboardMenuPending = true;
    }
}

void onRightButtonUp(App& a, int x, int y) {
    onPointer(a, x, y, Pointer::Release);
    a.rightReleaseInTopBand = y < a.layout.yearMonHeight;
    a.contextMenuPending = true;
}

void onContextMenu(App& a, int screenX, int screenY) {
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
    } else if (a.keyboardMenuPending) {
        a.keyboardMenuPending = false;
        const POINT p = clientOrigin(a);
        trackPopup(a, bandOrDay, p.x, p.y);
    }
}

void onCommand(App& a, UINT id) {
    switch (id) {
        case CMD_JUMP:
            if (runJumpDialog(a)) showSelectedDate(a, true);
            break;
        case CMD_OPTIONS: openOptions(a, false); break;
        case CMD_ABOUT: runAboutBox(a); break;
        case CMD_CLOSE: PostMessageW(a.window, WM_CLOSE, 0, 0); break;
        case CMD_DAY_OFF: toggleDayOff(a); break;
        default: break;  // the windows of the other commands come later
    }
}

void onDateWatch(App& a) {
    if (a.selected.isStillToday()) return;
    if (a.env().cdt == 1) {
        a.selected.refreshToday();
        PostMessageW(a.window, UM_TODAY, 0, 0);
    } else if (a.env().cdt == 2) {
        runStep(a, NavigationStep::Today);
    }
}

void onToday(App& a) {
    const int year = a.selected.year(), month = a.selected.month();
    a.selected.setShownToday();
    showSelectedDate(a, year != a.selected.year() || month != a.selected.month());
}

}  // namespace tavo::shell
