#include "placement.h"

#include <algorithm>

#include "shared/window_frame_win.h"

namespace tavo::win {

void saveSlotOf(HWND window, WindowSlots& slots, int slot, SettingsStore& store, int dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    saveWindowSlot(slots, slot, r.left, r.top, r.right - r.left, r.bottom - r.top, store, dpi);
}

// The title bar follows the window, not the record: the start-up removal
// flips the bits before the frame is laid out.
void toggleTitleBar(HWND window, WindowStyle& style, WindowKind kind, SettingsStore& store) {
    const bool hasCaption = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    style.titleBar = hasCaption ? 0 : 1;
    style.windowStyle = (style.windowStyle & ~kStyleCaption) | (style.titleBar ? kStyleCaption : 0);
    applyWindowFrame(window, style.windowStyle | WS_VISIBLE, 0);
    const int index = windowKindInfo(kind).style;
    writeSetting(&style, settingEntry(windowStyleTable(index), windowStyleKey(index), "cap"), store);
}

bool applyCaptionPending(HWND window, WindowStyle& style) {
    if (!style.captionPending) return false;
    const LONG current = GetWindowLongW(window, GWL_STYLE);
    style.titleBar = (current & WS_CAPTION) == WS_CAPTION ? 0 : 1;
    style.captionPending = 0;
    style.windowStyle ^= kStyleCaption;
    SetWindowLongW(window, GWL_STYLE, (current & ~WS_CAPTION) | (style.windowStyle & kStyleCaption));
    SetTimer(window, kCaptionTimer, 100, nullptr);
    return true;
}

void placeOnWorkArea(HWND window, int x, int y, int width, int height, bool move) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (!move) {
        RECT now{};
        GetWindowRect(window, &now);
        x = now.left, y = now.top;
    }
    width = std::clamp(width, 1, static_cast<int>(work.right - work.left));
    height = std::clamp(height, 1, static_cast<int>(work.bottom - work.top));
    x = std::clamp(x, static_cast<int>(work.left), static_cast<int>(work.right) - width);
    y = std::clamp(y, static_cast<int>(work.top), static_cast<int>(work.bottom) - height);
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
}

void placeFromSlot(HWND window, const WindowSlots& slots, int slot, int showCommand, int dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = static_cast<UINT>(showCommand);
    placement.rcNormalPosition = {slots.left[slot], slots.top[slot], slots.left[slot] + slots.width[slot],
                                  slots.top[slot] + slots.height[slot]};
    placement.ptMinPosition = {0, 0};
    placement.ptMaxPosition = {-GetSystemMetricsForDpi(SM_CXFRAME, static_cast<UINT>(dpi)), -GetSystemMetricsForDpi(SM_CYFRAME, static_cast<UINT>(dpi))};
    SetWindowPlacement(window, &placement);
}

}  // namespace tavo::win
