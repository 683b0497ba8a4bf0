#include "placement.h"

#include "shared/windows_of_kind.h"

namespace tavo::shell {

ScreenMetrics screenMetrics() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CXFRAME),
            GetSystemMetrics(SM_CYFRAME),  GetSystemMetrics(SM_CXEDGE),   GetSystemMetrics(SM_CYEDGE),
            GetSystemMetrics(SM_CYCAPTION)};
}

void loadCalendarSlot(CalendarWindow& a) { loadWindowSlot(a.slots, kSlotCalendar, a.style().siz != 0, a.process.store, screenMetrics()); }

void saveCalendarSlot(CalendarWindow& a) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(a.window, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    saveWindowSlot(a.slots, kSlotCalendar, r.left, r.top, r.right - r.left, r.bottom - r.top, a.process.store);
}

HWND findOwnerWindow(CalendarWindow& a) {
    a.clockWindow = findWindowOf(WindowKind::Clock);
    if (a.clockWindow) return a.clockWindow;
    return findWindowOf(WindowKind::Tray);
}

void toggleTitleBar(CalendarWindow& a) {
    WindowStyle& style = a.style();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(a.window, &placement);
    placement.showCmd = SW_RESTORE;
    const LONG current = GetWindowLongW(a.window, GWL_STYLE);
    const bool sizing = (current & WS_THICKFRAME) != 0;
    const int ex = sizing ? 1 : GetSystemMetrics(SM_CXEDGE) + 1;
    const int ey = sizing ? 1 : GetSystemMetrics(SM_CYEDGE) + 1;
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    RECT& r = placement.rcNormalPosition;
    const bool hasCaption = (current & WS_CAPTION) == WS_CAPTION;
    if (style.cap && hasCaption) {
        style.cap = 0;
        r = {r.left + ex, r.top + ey + caption, r.right - ex, r.bottom - ey};
        style.windowStyle &= ~kStyleCaption;
    } else if (!style.cap && !hasCaption) {
        style.cap = 1;
        r = {r.left - ex, r.top - ey - caption, r.right + ex, r.bottom + ey};
        style.windowStyle |= kStyleCaption;
    }
    ShowWindow(a.window, SW_HIDE);  // the hide handler applies the style
    SetWindowPlacement(a.window, &placement);
    ShowWindow(a.window, SW_SHOW);
    a.process.store.createForWriting("cstyle")->writeInt("cap", style.cap);
}

void placeWindow(CalendarWindow& a) {
    WindowStyle& style = a.style();
    if (style.captionPending) {
        const LONG current = GetWindowLongW(a.window, GWL_STYLE);
        style.cap = (current & WS_CAPTION) == WS_CAPTION ? 0 : 1;
        style.captionPending = 0;
        style.windowStyle ^= kStyleCaption;
        SetWindowLongW(a.window, GWL_STYLE, (current & ~WS_CAPTION) | (style.windowStyle & kStyleCaption));
        SetTimer(a.window, kCaptionTimer, 100, nullptr);
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = static_cast<UINT>(a.process.showCommand);
    const WindowSlots& s = a.slots;
    placement.rcNormalPosition = {s.left[0], s.top[0], s.left[0] + s.width[0], s.top[0] + s.height[0]};
    placement.ptMinPosition = {0, 0};
    placement.ptMaxPosition = {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
    SetWindowPlacement(a.window, &placement);
    if (style.top) SetWindowPos(a.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (a.clockWindow) PostMessageW(a.clockWindow, UM_CALENDAR_STARTED, 0, 0);
}

}  // namespace tavo::shell
