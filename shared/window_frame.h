// How a window's frame follows its style record: the Win32 style bits, the
// switches that go together, and the window rectangle that keeps the client
// area in place when the frame or the bands of the client change.
#pragma once

#include <cstdint>

#include "window_settings.h"

namespace tavo {

// The Win32 style of a window with these switches (visible, caption only when cap is on).
std::int32_t windowStyleBits(const WindowStyle& style);

// A switch that went off or on, as the frame must follow it.
enum FrameChange : int { kFrameUnchanged = 0, kFrameOff = 1, kFrameOn = 2 };
struct FrameChanges {
    FrameChange sizing, title, buttonBand, statusBar;
    bool any() const { return sizing || title || buttonBand || statusBar; }
};
FrameChanges frameChanges(const WindowStyle& from, const WindowStyle& to);

// After a switch changed from `before`: a title bar switched off takes the
// minimise and maximise boxes with it, a today button the month and year
// buttons; wallpaper and transparent background exclude each other. The range
// view has neither status bar nor buttons.
void followStyleSwitches(WindowStyle& style, const WindowStyle& before, int index);

struct FrameRect {
    int left, top, right, bottom;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

// The window rectangle whose client area stays where it was when the frame
// changes (each inset: from the window's edge to the client's) and the client
// grows at its bottom by clientGrowth (negative: shrinks).
FrameRect keepClientArea(const FrameRect& window, const FrameRect& insetsBefore, const FrameRect& insetsAfter, int clientGrowth);

}  // namespace tavo
