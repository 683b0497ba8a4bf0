#include "placement.h"

#include "shared/window_frame_win.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {

namespace {

int metric(int index, int dpi) { return GetSystemMetricsForDpi(index, static_cast<UINT>(dpi)); }

}  // namespace

ScreenMetrics screenMetrics(int dpi) {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), metric(SM_CXFRAME, dpi),
            metric(SM_CYFRAME, dpi),       metric(SM_CXEDGE, dpi),        metric(SM_CYEDGE, dpi),
            metric(SM_CYCAPTION, dpi)};
}

// Before the window exists its DPI is not known: the system's stands in,
// and the placement corrects the size when the window's differs.
void loadCalendarSlot(CalendarWindow& a) {
    a.slotDpi = windowDpi(nullptr);
    loadWindowSlot(a.slots, kSlotCalendar, a.style().siz != 0, a.process.store, screenMetrics(a.slotDpi), a.slotDpi);
}

void saveSlotOf(HWND window, WindowSlots& slots, int slot, SettingsStore& store, int dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    saveWindowSlot(slots, slot, r.left, r.top, r.right - r.left, r.bottom - r.top, store, dpi);
}

void saveCalendarSlot(CalendarWindow& a) { saveSlotOf(a.window, a.slots, kSlotCalendar, a.process.store, a.dpi); }

HWND findOwnerWindow(CalendarWindow& a) {
    a.clockWindow = findWindowOf(WindowKind::Clock);
    if (a.clockWindow) return a.clockWindow;
    return findWindowOf(WindowKind::Tray);
}

// The title bar follows the window, not the record: the start-up removal
// flips the bits before the frame is laid out.
void toggleTitleBar(HWND window, WindowStyle& style, WindowKind kind, SettingsStore& store) {
    const bool hasCaption = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    style.cap = hasCaption ? 0 : 1;
    style.windowStyle = (style.windowStyle & ~kStyleCaption) | (style.cap ? kStyleCaption : 0);
    applyWindowFrame(window, style.windowStyle | WS_VISIBLE, 0);
    store.createForWriting(windowStyleKey(windowKindInfo(kind).style))->writeInt("cap", style.cap);
}

void toggleTitleBar(CalendarWindow& a) {
    toggleTitleBar(a.window, a.style(), WindowKind::Calendar, a.process.store);
}

bool applyCaptionPending(HWND window, WindowStyle& style) {
    if (!style.captionPending) return false;
    const LONG current = GetWindowLongW(window, GWL_STYLE);
    style.cap = (current & WS_CAPTION) == WS_CAPTION ? 0 : 1;
    style.captionPending = 0;
    style.windowStyle ^= kStyleCaption;
    SetWindowLongW(window, GWL_STYLE, (current & ~WS_CAPTION) | (style.windowStyle & kStyleCaption));
    SetTimer(window, kCaptionTimer, 100, nullptr);
    return true;
}

void placeFromSlot(HWND window, const WindowSlots& slots, int slot, int showCommand, int dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = static_cast<UINT>(showCommand);
    placement.rcNormalPosition = {slots.left[slot], slots.top[slot], slots.left[slot] + slots.width[slot],
                                  slots.top[slot] + slots.height[slot]};
    placement.ptMinPosition = {0, 0};
    placement.ptMaxPosition = {-metric(SM_CXFRAME, dpi), -metric(SM_CYFRAME, dpi)};
    SetWindowPlacement(window, &placement);
}

void placeWindow(CalendarWindow& a) {
    WindowStyle& style = a.style();
    applyCaptionPending(a.window, style);
    WindowSlots& s = a.slots;
    if (a.dpi != a.slotDpi) {
        s.width[0] = MulDiv(s.width[0], a.dpi, a.slotDpi);
        s.height[0] = MulDiv(s.height[0], a.dpi, a.slotDpi);
        a.slotDpi = a.dpi;
    }
    placeFromSlot(a.window, s, kSlotCalendar, a.process.showCommand, a.dpi);
    if (style.top) SetWindowPos(a.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (a.clockWindow) PostMessageW(a.clockWindow, UM_CALENDAR_STARTED, 0, 0);
}

}  // namespace tavo::shell
