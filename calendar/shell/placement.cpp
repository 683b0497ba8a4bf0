#include "placement.h"

#include "shared/window_frame_win.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {

// Before the window exists its DPI is not known: the system's stands in,
// and the placement corrects the size when the window's differs.
void loadCalendarSlot(CalendarWindow& a) {
    a.slotDpi = windowDpi(nullptr);
    loadWindowSlot(a.slots, kSlotCalendar, a.style().sizingBorder != 0, a.process.store, screenMetrics(a.slotDpi), a.slotDpi);
}

void saveCalendarSlot(CalendarWindow& a) { saveSlotOf(a.window, a.slots, kSlotCalendar, a.process.store, a.dpi); }

HWND findOwnerWindow(CalendarWindow& a) {
    a.clockWindow = findWindowOf(WindowKind::Clock);
    if (a.clockWindow) return a.clockWindow;
    return findWindowOf(WindowKind::Tray);
}

void toggleTitleBar(CalendarWindow& a) {
    toggleTitleBar(a.window, a.style(), WindowKind::Calendar, a.process.store);
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
    if (style.alwaysOnTop) SetWindowPos(a.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (a.clockWindow) PostMessageW(a.clockWindow, UM_CALENDAR_STARTED, 0, 0);
}

}  // namespace tavo::shell
