// The range view's messages: creation, refresh, scrolling, painting, copying.
#include <windows.h>

#include "range_view.h"
#include "search_window.h"
#include "print_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "calendar/render/range_painter.h"
#include "calendar/text/date_presets.h"
#include "calendar_model.h"
#include "calendar_window.h"
#include "commands.h"
#include "gdi_painter.h"
#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/dpi.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

// Redraw on resize, double clicks, byte-aligned client and window.
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;

int lineCount(const RangeViewWindow& v) { return static_cast<int>(v.list.size()); }

bool scrollBarWanted(const RangeViewWindow& v) {
    return v.scroll != 0 || v.linesPerPage < lineCount(v) || v.list.firstLine != 0;
}

int scrollBarWidth(const RangeViewWindow& v) { return GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(v.dpi)); }

void placeScrollBar(RangeViewWindow& v) {
    MoveWindow(v.scrollBar, v.width - scrollBarWidth(v), 0, scrollBarWidth(v), v.height, TRUE);
    ShowWindow(v.scrollBar, scrollBarWanted(v) ? SW_SHOW : SW_HIDE);
}

void setScroll(RangeViewWindow& v, int position) {
    v.scroll = std::clamp(position, 0, lineCount(v));
    SetScrollPos(v.scrollBar, SB_CTL, v.scroll, TRUE);
    if (v.scroll == 0 && !scrollBarWanted(v)) ShowWindow(v.scrollBar, SW_HIDE);
    else ShowWindow(v.scrollBar, SW_SHOW);
    v.repaint();
}

void buildFonts(RangeViewWindow& v) {
    FontSize sizes[6][2]{};
    for (int part = 0; part < 6; ++part)
        for (DesignState state : {kNormal, kSelected}) sizes[part][state] = rangeFontSize(v.design(), part, state, v.dpi);
    HDC dc = GetDC(v.window);
    v.objects.buildFonts(v.design(), dc, sizes);
    ReleaseDC(v.window, dc);
}

// Title and list from the calendar's selected date; the list opens at its first line.
void collect(RangeViewWindow& v) {
    const DayDate date = selectedDayDate(v.calendar);
    SetWindowTextW(v.window, cp932ToWide(partText(v.dateFormats(), 1, 1, date, v.process.locale)).c_str());
    const SharedSettings& s = v.shared();
    v.collector.collect(rangeRequestOf(v.calendar), {v.process.files, s.paths, s.closedDays, s.env, &v.calendar.subscriptions}, v.list);
    v.scroll = std::clamp(v.list.firstLine, 0, lineCount(v));
    SetScrollRange(v.scrollBar, SB_CTL, 0, lineCount(v), FALSE);
    SetScrollPos(v.scrollBar, SB_CTL, v.scroll, TRUE);
}

void onRefresh(RangeViewWindow& v, WPARAM flags) {
    if (flags & kRefreshDesign) v.objects.build(v.design(), kRangeViewDesign, v.dpi);
    buildFonts(v);
    if (flags & kRefreshStyle) v.loadWallpaper();
    collect(v);
    ShowWindow(v.scrollBar, scrollBarWanted(v) ? SW_SHOW : SW_HIDE);
    v.repaint();
}

void onVerticalScroll(RangeViewWindow& v, int request) {
    const int n = lineCount(v);
    switch (request) {
        case SB_LINEUP: setScroll(v, v.scroll - 1); break;
        case SB_LINEDOWN: setScroll(v, v.scroll < n ? v.scroll + 1 : v.scroll); break;
        case SB_PAGEUP: setScroll(v, std::max(0, v.scroll - v.linesPerPage)); break;
        case SB_PAGEDOWN: setScroll(v, std::min(n, v.scroll + v.linesPerPage)); break;
        case SB_THUMBPOSITION: setScroll(v, GetScrollPos(v.scrollBar, SB_CTL)); break;
        case SB_TOP: setScroll(v, 0); break;
        case SB_BOTTOM: setScroll(v, n); break;
        default: break;
    }
}

// Another program (a clipboard viewer, the system's clipboard sync) may hold
// the clipboard for a moment: a few tries before the user is told.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

bool putOnClipboard(HWND owner, const std::string& cp932) {
    if (!openClipboard(owner)) return false;
    EmptyClipboard();
    const std::wstring wide = cp932ToWide(cp932);
    const auto put = [](UINT format, const void* data, std::size_t bytes) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (block == nullptr) return false;
        std::memcpy(GlobalLock(block), data, bytes);
        GlobalUnlock(block);
        if (SetClipboardData(format, block) != nullptr) return true;
        GlobalFree(block);
        return false;
    };
    // Unicode pastes right whatever the reader's code page; CF_TEXT for older programs.
    const bool ok = put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) &&
                    put(CF_TEXT, cp932.c_str(), cp932.size() + 1);
    CloseClipboard();
    return ok;
}

void copyList(RangeViewWindow& v) {
    if (!putOnClipboard(v.window, rangeListText(v.list)))
        win::tellUser(v.window, L"クリップボードに書き込めませんでした。");
}

void openOptionsFromView(RangeViewWindow& v) {
    v.shared().optionsDate = {v.calendar.selected.day(), v.calendar.selected.month(), v.calendar.selected.year()};
    openOptions(v.calendar, true);
}

void trackViewPopup(RangeViewWindow& v, int x, int y) {
    HMENU popup = v.calendar.menus.rangeView;
    if (popup == nullptr) return;
    rangeViewCommands().updateMenu(v, popup);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, x, y, 0, v.window, nullptr);
}

POINT clientOrigin(HWND window) {
    POINT p{0, 0};
    ClientToScreen(window, &p);
    return p;
}

void onContextMenu(RangeViewWindow& v, int x, int y) {
    if (v.rightReleasePending) {
        v.rightReleasePending = false;
        trackViewPopup(v, x, y);
    } else if (v.keyboardMenuPending || (x == -1 && y == -1)) {  // the Menu key, Shift+F10
        v.keyboardMenuPending = false;
        const POINT p = clientOrigin(v.window);
        trackViewPopup(v, p.x, p.y);
    }
}

void onSize(RangeViewWindow& v, int width, int height) {
    v.width = width;
    v.height = height;
    v.linesPerPage = rangeLinesPerPage(v.design(), height, v.dpi);
    placeScrollBar(v);
}

// Activation linking: the calendar follows directly behind the view.
void onActivate(RangeViewWindow& v, WPARAM state, HWND other) {
    if (!v.shared().env.linkedActivation || LOWORD(state) == WA_INACTIVE || other == v.calendar.window) return;
    SetWindowPos(v.calendar.window, v.window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void onCreate(RangeViewWindow& v) {
    v.objects.build(v.design(), kRangeViewDesign, v.dpi);
    buildFonts(v);
    v.scrollBar = CreateWindowExW(0, L"scrollbar", L"Scroll", WS_CHILD | WS_VISIBLE | SBS_VERT | SBS_RIGHTALIGN, 0, 0, 0, 0,
                                  v.window, nullptr, v.process.instance, nullptr);
    HMENU system = GetSystemMenu(v.window, FALSE);
    InsertMenuW(system, 6, MF_BYPOSITION | MF_STRING, CMD_FIND, loadString(v.process.instance, IDS_FIND).c_str());
    InsertMenuW(system, 7, MF_BYPOSITION | MF_STRING, CMD_OPTIONS, loadString(v.process.instance, IDS_OPTIONS).c_str());
    InsertMenuW(system, 8, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    readRangeViewSettings(v.shared().range, v.process.store);
    PostMessageW(v.window, UM_PLACE, 0, 0);
    v.loadWallpaper();
    collect(v);
    if (v.style().alwaysOnTop) SetWindowPos(v.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void onPlace(RangeViewWindow& v) {
    applyCaptionPending(v.window, v.style());
    placeFromSlot(v.window, v.slots, windowKindInfo(WindowKind::RangeView).slot, SW_SHOW, v.dpi);
}

// Another monitor's scaling, or a new frame: lay out anew.
void relayout(RangeViewWindow& v) {
    v.objects.build(v.design(), kRangeViewDesign, v.dpi);
    buildFonts(v);
    RECT client{};
    GetClientRect(v.window, &client);
    onSize(v, client.right, client.bottom);
    InvalidateRect(v.window, nullptr, TRUE);
}

LRESULT dispatch(RangeViewWindow& v, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: onCreate(v); return 0;
        case WM_DESTROY: v.objects.release(); return 0;
        case WM_SIZE: onSize(v, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_ACTIVATE: onActivate(v, wParam, reinterpret_cast<HWND>(lParam)); return 0;
        case WM_CLOSE:
        case UM_CLOSE: DestroyWindow(v.window); return 0;
        case WM_SHOWWINDOW: return 0;
        case WM_SETTINGCHANGE: v.nudgePlacement(); return 0;
        case WM_CONTEXTMENU: onContextMenu(v, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
        case WM_KEYDOWN: rangeViewCommands().runKey(v, wParam, win::controlHeld()); return 0;
        case WM_KEYUP:
            if (wParam == VK_TAB) {
                const POINT p = clientOrigin(v.window);
                trackViewPopup(v, p.x, p.y);
            } else if (wParam == VK_APPS) {
                v.keyboardMenuPending = true;
            }
            return 0;
        case WM_COMMAND: rangeViewCommands().run(v, LOWORD(wParam)); return 0;
        case WM_SYSCOMMAND:
            if (wParam < SC_SIZE && rangeViewCommands().run(v, static_cast<UINT>(wParam))) return 0;
            return DefWindowProcW(v.window, message, wParam, lParam);
        case WM_INITMENUPOPUP: rangeViewCommands().updateMenu(v, reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_TIMER: return 0;
        case WM_VSCROLL: onVerticalScroll(v, LOWORD(wParam)); return 0;
        case WM_LBUTTONDOWN: win::moveByBody(v.window); return 0;
        case WM_LBUTTONDBLCLK: v.toggleTitleBar(); return 0;
        case WM_RBUTTONUP:
            v.rightReleasePending = true;
            return DefWindowProcW(v.window, message, wParam, lParam);
        case UM_REFRESH: onRefresh(v, wParam); return 0;
        case UM_STATUSBAR: relayout(v); return 0;  // a new frame
        case UM_PLACE: onPlace(v); return 0;
        default: return DefWindowProcW(v.window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT RangeViewWindow::onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatch(*this, message, wParam, lParam);
}

int RangeViewWindow::paintedWidth() const { return width - (IsWindowVisible(scrollBar) ? scrollBarWidth(*this) : 0); }

void RangeViewWindow::paint(HDC dc, int drawWidth, int) {
    GdiTextMeasure measure(dc, objects);
    WindowStyle shown = style();
    if (!wallpaperLoaded()) shown.wallpaper = 0;  // not loaded: the plain background
    const RangePaintInput input{list, scroll, drawWidth, height, shown, design(), dpi};
    drawPaintOps(dc, planRangePaint(input, measure), objects, design());
}

void RangeViewWindow::dpiChanged() { relayout(*this); }

namespace {

template <int request>
void scrollBy(RangeViewWindow& v) {
    onVerticalScroll(v, request);
}

void openFindFromView(RangeViewWindow& v) { openFind(v.calendar); }
void printList(RangeViewWindow& v) { openPrintPreview(v.calendar, PrintWhat::Range); }

const win::Command<RangeViewWindow> kCommands[] = {
    {CMD_OPTIONS, "options", openOptionsFromView},
    {CMD_FIND, "search", openFindFromView},
    {CMD_PRINT, "print the list", printList},
    {CMD_COPY, "copy the list", copyList},
    {CMD_SCROLL_LINE_UP, "a line up", scrollBy<SB_LINEUP>},
    {CMD_SCROLL_LINE_DOWN, "a line down", scrollBy<SB_LINEDOWN>},
    {CMD_SCROLL_PAGE_UP, "a page up", scrollBy<SB_PAGEUP>},
    {CMD_SCROLL_PAGE_DOWN, "a page down", scrollBy<SB_PAGEDOWN>},
    {CMD_SCROLL_TOP, "to the top", scrollBy<SB_TOP>},
    {CMD_SCROLL_BOTTOM, "to the bottom", scrollBy<SB_BOTTOM>},
};

// Ctrl+C as the popup item says.
const win::KeyBinding kKeys[] = {
    {'C', true, CMD_COPY},          {'F', true, CMD_FIND}, {'P', true, CMD_PRINT}, {VK_PRIOR, false, CMD_SCROLL_PAGE_UP}, {VK_NEXT, false, CMD_SCROLL_PAGE_DOWN},
    {VK_END, false, CMD_SCROLL_BOTTOM}, {VK_HOME, false, CMD_SCROLL_TOP}, {VK_UP, false, CMD_SCROLL_LINE_UP},
    {VK_DOWN, false, CMD_SCROLL_LINE_DOWN},
};

const win::CommandList<RangeViewWindow> kList(kCommands, kKeys);

}  // namespace

const win::CommandList<RangeViewWindow>& rangeViewCommands() { return kList; }

bool RangeViewWindow::registerClass(HINSTANCE instance) {
    return registerOnce(instance, WindowKind::RangeView, kClassStyle);
}

HWND RangeViewWindow::create(HWND owner) {
    const int systemDpi = windowDpi(nullptr);
    // The calendar's slot, not its window: at start-up the view is made before the calendar is placed.
    const WindowSlots& at = calendar.slots;
    const BesideRect beside{at.left[kSlotCalendar], at.top[kSlotCalendar], at.left[kSlotCalendar] + at.width[kSlotCalendar],
                            at.top[kSlotCalendar] + at.height[kSlotCalendar]};
    loadWindowSlot(slots, windowKindInfo(WindowKind::RangeView).slot, style().sizingBorder != 0, process.store, screenMetrics(systemDpi),
                   systemDpi, &beside);
    const DWORD windowStyle = static_cast<DWORD>(style().windowStyle) & ~WS_VISIBLE;
    return win::Window::create(process.instance, 0, windowStyle, owner, windowKindInfo(kind()).className);
}

RangeRequest rangeRequestOf(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    const WindowStyle& view = s.style[windowKindInfo(WindowKind::RangeView).style];
    return {a.selected.year(), a.selected.month(), a.selected.day(), s.range, view.mondayFirst != 0, view.firstWeekIsThisMonth != 0,
            s.dateFormats[windowKindInfo(WindowKind::RangeView).dateFormats], a.process.locale,
            [&a] { playBirthdaySound(a); }, s.almanac.rangeView != 0};
}

void playBirthdaySound(CalendarWindow& a) {
    if (a.process.sound) birthdaySoundDue(a.process.store, clockToday(), a.env().birthdaySound != 0, *a.process.sound);
}

void openRangeView(CalendarWindow& a) {
    if (HWND view = findWindowOf(WindowKind::RangeView)) {
        SetForegroundWindow(view);
        PostMessageW(view, UM_REFRESH, 0, 0);
        return;
    }
    a.rangeView = std::make_unique<RangeViewWindow>(a.process, a);
    if (!RangeViewWindow::registerClass(a.process.instance) || a.rangeView->create(findOwnerWindow(a)) == nullptr)
        win::tellUser(a.window, L"データ表示部のウィンドウを作成できません。", win::Tone::Error);
}

void runRangeCheck(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    if (!rangeHasData(rangeRequestOf(a), {a.process.files, s.paths, s.closedDays, s.env, &a.subscriptions})) return;
    if (HWND view = findWindowOf(WindowKind::RangeView)) {
        SetForegroundWindow(view);
        PostMessageW(view, UM_REFRESH, 0, 0);
    } else {
        PostMessageW(a.window, UM_OPEN_RANGE_VIEW, 0, 0);
    }
}

}  // namespace tavo::shell
