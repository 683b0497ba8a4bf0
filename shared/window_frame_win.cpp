#include "window_frame_win.h"

#include "messages.h"
#include "window_frame.h"

namespace tavo {
namespace {

// From the window's edges to its client's, for a style, at the window's scaling.
FrameRect insetsOf(HWND window, DWORD style) {
    RECT r{0, 0, 0, 0};
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, GetDpiForWindow(window));
    return {-r.left, -r.top, r.right, r.bottom};
}

}  // namespace

void applyWindowFrame(HWND window, std::int32_t styleBits, int clientGrowth) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const bool visible = IsWindowVisible(window) != FALSE;
    const int showAgain = IsIconic(window) ? SW_SHOWMINNOACTIVE : IsZoomed(window) ? SW_SHOWMAXIMIZED : SW_SHOWNA;
    const DWORD before = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const DWORD after = static_cast<DWORD>(styleBits) & ~WS_VISIBLE;
    if (visible) ShowWindow(window, SW_HIDE);
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(after));
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT& r = placement.rcNormalPosition;
    const FrameRect moved = keepClientArea({r.left, r.top, r.right, r.bottom}, insetsOf(window, before), insetsOf(window, after),
                                           clientGrowth);
    r = {moved.left, moved.top, moved.right, moved.bottom};
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(window, &placement);
    SendMessageW(window, UM_STATUSBAR, 0, 0);
    if (visible) ShowWindow(window, showAgain);
}

}  // namespace tavo
