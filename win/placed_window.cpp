#include "placed_window.h"

#include "placement.h"

namespace tavo::win {

void PlacedWindow::saveSlot() { saveSlotOf(window, slots, windowKindInfo(kind()).slot, store_, dpi); }

LRESULT PlacedWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        dpi = windowDpi(window);
        // The class icons are at the system's DPI: only another one needs icons of its own.
        if (dpi != windowDpi(nullptr)) setWindowIcons(icons_, window, instance_, dpi);
    } else if (message == WM_DPICHANGED) {
        dpi = HIWORD(wParam);
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        setWindowIcons(icons_, window, instance_, dpi);
        dpiChanged();
        return 0;
    }
    return onWindowMessage(message, wParam, lParam);
}

}  // namespace tavo::win
