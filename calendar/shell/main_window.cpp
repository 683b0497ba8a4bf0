// The calendar window's messages: creation, painting, sizing, refreshes and closing.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <windowsx.h>

#include "calendar/data/command_line.h"
#include "search_window.h"
#include "year_window.h"
#include "print_window.h"
#include "calendar/render/month_painter.h"
#include "calendar_input.h"
#include "calendar_model.h"
#include "birthday_sound.h"
#include "calendar/calc/holiday_table.h"
#include "calendar_window.h"
#include "commands.h"
#include "birthday_window.h"
#include "day_schedule_window.h"
#include "gdi_painter.h"
#include "menus.h"
#include "placement.h"
#include "range_view.h"
#include "status_bar.h"
#include "remind/reminder_role.h"
#include "sync_commands.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

// Redraw on resize, double clicks, saved bits, byte-aligned client and window.
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;

void setTitle(CalendarWindow& a) {
    const std::string& title = IsIconic(a.window) ? a.minimizedTitle : a.normalTitle;
    SetWindowTextW(a.window, cp932ToWide(title).c_str());
}

void setStatusText(CalendarWindow& a) {
    showSyncState(a);
    if (a.statusBar) SendMessageW(a.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(cp932ToWide(a.statusText).c_str()));
}

// The bar's height is measured even when it is off, so that switching it on
// later grows the window by the right amount.
void createStatusBar(CalendarWindow& a) {
    if (a.statusBar) DestroyWindow(a.statusBar);
    const DWORD style = 0x40000000 | (a.style().sizingBorder ? 0 : 0x10) | (a.style().statusBar ? WS_VISIBLE : 0);
    a.statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", style, 0, 0, 0, 0, a.window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), a.process.instance, nullptr);
    RECT r{};
    if (a.statusBar && GetWindowRect(a.statusBar, &r)) a.design().statusBarHeight = r.bottom - r.top;
    colourStatusBar(a);
    if (a.style().statusBar || a.statusBar == nullptr) return;
    DestroyWindow(a.statusBar);
    a.statusBar = nullptr;
}

void layOut(CalendarWindow& a, int width, int height) {
    const BandHeights bands = scaledBandHeights(a.design(), a.style(), a.design().statusBarHeight, a.dpi);
    computeMonthLayout(a.layout, width, height, bands);
}

void buildFonts(CalendarWindow& a) {
    FontSize sizes[6][2];
    for (int part = 0; part < 6; ++part)
        for (DesignState state : {kNormal, kSelected}) sizes[part][state] = monthFontSize(a.design(), a.layout, part, state);
    HDC dc = GetDC(a.window);
    a.objects.buildFonts(a.design(), dc, sizes);
    ReleaseDC(a.window, dc);
}

void chooseSelectedDate(CalendarWindow& a) {
    CommandLineDate date;
    if (commandLineDate(a.process.commandLine, date)) {
        a.selected.setShown(date.year, date.month, date.day);
        // A command line that names an impossible date falls back to today.
        if (a.selected.checkDate() == kDateOk) return;
    }
    a.selected.setShownToday();
}

void rebuildAll(CalendarWindow& a) {
    rebuildTexts(a);
    setTitle(a);
    setStatusText(a);
    rebuildMonthView(a);
    a.repaint();
}

// The interval of the 同期 page: a timer that posts a quiet sync.
void setSyncTimer(CalendarWindow& a) {
    const int minutes = syncInterval(a.shared().sync);
    const SyncSettings& s = a.shared().sync;
    if (minutes == 0 || (s.url[0] == '\0' && s.subscriptions[0] == '\0')) KillTimer(a.window, kSyncTimer);
    else SetTimer(a.window, kSyncTimer, static_cast<UINT>(minutes) * 60000u, nullptr);
}

// The government's table beside the data, or the law; a refusal is told once.
void loadHolidays(CalendarWindow& a) {
    HolidayTableRead read = readHolidayTable(a.process.files, a.shared().paths.scheduleFolder);
    if (!read.problem.empty() && read.problem != a.holidayTableTold)
        win::tellUser(a.window, cp932ToWide(read.problem) + L"\n\n祝日表を使えないため、法律による祝日を表示します。");
    a.holidayTableTold = read.problem;
    useHolidayTable(std::move(read.table));
}

void onRefresh(CalendarWindow& a, WPARAM flags) {
    setSyncTimer(a);
    loadHolidays(a);
    loadSubscribed(a);
    if (flags & kRefreshDateWatch) {
        if (a.env().dateChange == 0) KillTimer(a.window, kDateWatchTimer);
        else SetTimer(a.window, kDateWatchTimer, 1000, nullptr);
        return;
    }
    if (flags & kRefreshDesign) {
        a.objects.build(a.design(), kCalendarDesign, a.dpi);
        buildFonts(a);
        if (a.statusBar) InvalidateRect(a.statusBar, nullptr, TRUE);
    }
    if (flags & kRefreshMenu) {
        destroyMenus(a.menus, a.window);
        buildMenus(a.menus, a.window, a.process.instance, a.shared().menu);
    }
    if (flags & kRefreshStyle) a.loadWallpaper();
    rebuildAll(a);
}

// The rules file is the user's: when it cannot be used whole, they must know.
void reportClosedDays(const CalendarWindow& a, const ClosedDaysLoad& load) {
    std::wstring text;
    const std::wstring file = cp932ToWide(joinPath(a.shared().paths.programFolder, kClosedDaysFile));
    if (!load.whole)
        text = L"休業日の設定を最後まで読めませんでした。読めた分だけを使い、このファイルへの保存はしません。\n" + file + L"\n" +
               cp932ToWide(load.problem);
    else if (load.ignoredRules > 0)
        text = L"休業日の設定が256件を超えています。超えた" + std::to_wstring(load.ignoredRules) +
               L"件は使われません。\n" + file;
    if (!text.empty()) win::tellUser(a.window, text);
}

bool onCreate(CalendarWindow& a, HWND window) {
    const ClosedDaysLoad closedDays = loadSettings(a);
    a.objects.build(a.design(), kCalendarDesign, a.dpi);
    if (a.style().layered)
        SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(layeredOpacityPercent(a.style()) * 255 / 100), LWA_ALPHA);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    InitCommonControlsEx(&controls);
    createStatusBar(a);
    extendSystemMenu(window, a.process.instance, a.shared().paths.externalCaption);
    chooseSelectedDate(a);
    loadHolidays(a);
    loadSubscribed(a);
    rebuildMonthView(a);
    runRangeCheck(a);
    rebuildTexts(a);
    if (a.env().dateChange != 0) SetTimer(window, kDateWatchTimer, 1000, nullptr);
    setStatusText(a);
    setTitle(a);
    buildMenus(a.menus, window, a.process.instance, a.shared().menu);
    if (a.style().wallpaper) {
        a.loadWallpaper();
        if (!a.wallpaperLoaded())
            MessageBoxW(window, L"オプション->スタイルの設定を見直してください", L"壁紙未設定", MB_OK);
    }
    reportClosedDays(a, closedDays);
    PostMessageW(window, UM_PLACE, 0, 0);
    setSyncTimer(a);
    if (a.shared().sync.atStart) PostMessageW(window, UM_SYNC_QUIETLY, 0, 0);
    return true;
}

// Hides the shown data windows, remembering which.
void hideDataWindows(CalendarWindow& a) {
    for (WindowKind kind : {WindowKind::RangeView, WindowKind::DaySchedule, WindowKind::Birthday})
        if (HWND w = findWindowOf(kind); w && IsWindowVisible(w)) {
            ShowWindow(w, SW_HIDE);
            a.hiddenWhileMinimized.push_back(w);
        }
}

void showHiddenDataWindows(CalendarWindow& a) {
    for (HWND w : a.hiddenWhileMinimized)
        if (IsWindow(w)) ShowWindow(w, SW_SHOWNA);
    a.hiddenWhileMinimized.clear();
}

// Showing keeps the normal size in the slot.
void onShowWindow(CalendarWindow& a, bool shown) {
    if (!shown) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(a.window, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    const int slot = windowKindInfo(WindowKind::Calendar).slot;
    a.slots.width[slot] = r.right - r.left;
    a.slots.height[slot] = r.bottom - r.top;
}

void onSize(CalendarWindow& a, WPARAM type, int width, int height) {
    setTitle(a);
    if (type == SIZE_MINIMIZED) {
        if (a.minimized) return;
        a.minimized = true;
        updateMenuStates(a, GetSystemMenu(a.window, FALSE));
        if (a.env().minimizeTogether) hideDataWindows(a);
        if (findWindowOf(WindowKind::Tray)) ShowWindow(a.window, SW_HIDE);
        return;
    }
    if (a.minimized) {
        a.minimized = false;
        updateMenuStates(a, GetSystemMenu(a.window, FALSE));
        showHiddenDataWindows(a);
    }
    layOut(a, width, height);
    buildFonts(a);
    if (a.statusBar) SendMessageW(a.statusBar, WM_SIZE, type, MAKELPARAM(width, height));
    showSyncState(a);
}

// System metrics or fonts changed: a new status bar, and a placement that
// forces a new layout (one pixel taller, then as it was).
// A theme or its colours changed: every painted window builds its objects anew.
void onColoursChanged() {
    refreshWindows(kindBit(WindowKind::Calendar) | kindBit(WindowKind::RangeView) | kindBit(WindowKind::Year), kRefreshDesign);
}

void onSettingChange(CalendarWindow& a) {
    createStatusBar(a);
    a.nudgePlacement();
    rebuildTexts(a);
    setStatusText(a);
}

// A new frame, status bar or button band: the bands are laid out afresh in
// the client the frame change left.
void onFrameChanged(CalendarWindow& a) {
    createStatusBar(a);
    setStatusText(a);
    RECT client{};
    GetClientRect(a.window, &client);
    layOut(a, client.right, client.bottom);
    buildFonts(a);
    if (a.statusBar) SendMessageW(a.statusBar, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(a.window, nullptr, TRUE);
}

// Activation linking: the range view follows directly behind the calendar.
void onActivate(CalendarWindow& a, WPARAM state, HWND other) {
    HWND view = findWindowOf(WindowKind::RangeView);
    if (!a.env().linkedActivation || LOWORD(state) == WA_INACTIVE || view == nullptr || other == view) return;
    SetWindowPos(view, a.window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void closeBirthdaySound(CalendarWindow& a) {
    if (auto* mci = dynamic_cast<MciBirthdaySound*>(a.process.sound)) mci->close();
}

// True when every data window saved and closed; one that could not save its
// text stays open, and so does the calendar.
bool closeDataWindows() {
    sendToWindows(kDataWindows, UM_CLOSE);
    for (WindowKind kind : {WindowKind::RangeView, WindowKind::DaySchedule, WindowKind::Birthday})
        if (findWindowOf(kind) != nullptr) return false;
    return true;
}

// An open options dialog edits the shared block: it is cancelled first, so
// every page restores what it changed before the block goes away.
bool cancelOptions() {
    HWND options = findWindowOf(WindowKind::Options);
    if (options == nullptr) return false;
    SendMessageW(options, WM_COMMAND, IDCANCEL, 0);
    return true;
}

void onClose(CalendarWindow& a) {
    if (cancelOptions()) {  // close once the dialog has ended
        PostMessageW(a.window, WM_CLOSE, 0, 0);
        return;
    }
    if (!closeDataWindows()) return;
    a.objects.release();
    if (a.env().keepPlacements) a.saveSlot();
    if (a.statusBar) DestroyWindow(a.statusBar);
    a.statusBar = nullptr;
    KillTimer(a.window, kDateWatchTimer);
    DestroyWindow(a.window);
}

LRESULT dispatch(CalendarWindow& a, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = a.window;
    switch (message) {
        case WM_CREATE: return onCreate(a, window) ? 0 : -1;
        case WM_SIZE: onSize(a, wParam, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_SHOWWINDOW: onShowWindow(a, wParam != 0); return 0;
        case WM_TIMER:
            if (wParam == kSyncTimer) PostMessageW(window, UM_SYNC_QUIETLY, 0, 0);
            else if (a.env().dateChange != 0) onDateWatch(a);
            return 0;
        case UM_SYNC_QUIETLY: syncQuietly(a); return 0;
        case WM_LBUTTONDOWN: onPointer(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Pointer::LeftPress); return 0;
        case WM_RBUTTONDOWN: onPointer(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Pointer::RightPress); return 0;
        case WM_MOUSEMOVE:
            if (a.mouseCaptured) onPointer(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Pointer::Move);
            return 0;
        case WM_LBUTTONDBLCLK: onPointer(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Pointer::DoubleClick); return 0;
        case WM_LBUTTONUP: onPointer(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Pointer::Release); return 0;
        case WM_RBUTTONUP:
            onRightButtonUp(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_CONTEXTMENU:
            onContextMenu(a, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_KEYDOWN: onKeyDown(a, wParam); return 0;
        case WM_KEYUP: onKeyUp(a, wParam); return 0;
        case WM_COMMAND: runCommand(a, LOWORD(wParam)); return 0;
        case WM_SYSCOMMAND:
            if (wParam < 0xF000) runCommand(a, static_cast<UINT>(wParam));
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_INITMENUPOPUP: updateMenuStates(a, reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) onColoursChanged();
            onSettingChange(a);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_SYSCOLORCHANGE: onColoursChanged(); return 0;
        case WM_FONTCHANGE:
            forgetInstalledFamilies();
            refreshWindows(kRefreshedWindows, kRefreshDesign);
            return 0;
        case UM_TODAY: onToday(a); return 0;
        case UM_OPEN_DAY: onOpenDay(a, static_cast<int>(wParam), static_cast<ScheduleKind>(lParam)); return 0;
        case UM_REMIND_YIELD:
            if (a.process.reminders) a.process.reminders->give();
            return 0;
        case UM_REMIND_TAKE:
            if (a.process.reminders) a.process.reminders->take(false);
            return 0;
        case UM_OPEN_RANGE_VIEW: openRangeView(a); return 0;
        case WM_ACTIVATE: onActivate(a, wParam, reinterpret_cast<HWND>(lParam)); return 0;
        case MM_MCINOTIFY: closeBirthdaySound(a); return 0;
        case UM_PLACE: placeWindow(a); return 0;
        case UM_REFRESH: onRefresh(a, wParam); return 0;
        case UM_STATUSBAR: onFrameChanged(a); return 0;
        case WM_CLOSE: onClose(a); return 0;
        case WM_QUERYENDSESSION:
            cancelOptions();
            return closeDataWindows() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam) onClose(a);  // logging off: the same close as the user's
            return 0;
        case WM_DESTROY:
            destroyMenus(a.menus, window);
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

CalendarWindow::CalendarWindow(Process& p)
    : PaintedWindow(WindowKind::Calendar, p.instance, p.store, styleOf(p, WindowKind::Calendar)), process(p) {}
CalendarWindow::~CalendarWindow() = default;

LRESULT CalendarWindow::onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatch(*this, message, wParam, lParam);
}

void CalendarWindow::paint(HDC dc, int, int) {
    GdiTextMeasure measure(dc, objects);
    WindowStyle shown = style();
    if (!wallpaperLoaded()) shown.wallpaper = 0;  // not loaded: the plain background
    const MonthPaintInput input{grid,         layout, shown, design(), dayOff, selected.day(), selected.weekday(), caption, weekdayNames,
                                dpi,          shared().closedDays.hatchForecasts != 0, highContrastOn()};
    drawPaintOps(dc, planMonthPaint(input, measure), objects, design());
}

COLORREF CalendarWindow::plainBackground() const {
    const std::int32_t background = designColour(design(), kBackgroundPart, 0, kBackground, kNormal);
    return background == kNoColour ? GetSysColor(COLOR_WINDOW) : static_cast<COLORREF>(background);
}

// Another monitor's scaling: pens, status bar, layout and fonts anew.
void CalendarWindow::dpiChanged() {
    objects.build(design(), kCalendarDesign, dpi);
    onFrameChanged(*this);
}

bool CalendarWindow::registerClass(HINSTANCE instance) {
    const int dpi = windowDpi(nullptr);
    return win::Window::registerClass(instance, WindowKind::Calendar, kClassStyle, loadProgramIcon(instance, false, dpi, LR_SHARED),
                                 loadProgramIcon(instance, true, dpi, LR_SHARED));
}

HWND CalendarWindow::create(HWND owner) {
    const DWORD style = (static_cast<DWORD>(this->style().windowStyle) & ~WS_VISIBLE) | WS_CAPTION;
    return win::Window::create(process.instance, this->style().layered ? WS_EX_LAYERED : 0, style, owner, L"Tavo");
}

}  // namespace tavo::shell
