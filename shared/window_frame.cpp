#include "window_frame.h"

namespace tavo {
namespace {

FrameChange changeOf(std::int32_t from, std::int32_t to) {
    if ((from != 0) == (to != 0)) return kFrameUnchanged;
    return to ? kFrameOn : kFrameOff;
}

bool switchedOn(std::int32_t before, std::int32_t now) { return !before && now; }

}  // namespace

std::int32_t windowStyleBits(const WindowStyle& s) {
    std::int32_t bits = kStyleBase;
    if (s.titleBar) bits |= kStyleCaption;
    if (s.sizingBorder) bits |= kStyleSizingBorder;
    if (s.minimizeBox) bits |= kStyleMinimizeBox;
    if (s.maximizeBox) bits |= kStyleMaximizeBox;
    return bits;
}

FrameChanges frameChanges(const WindowStyle& from, const WindowStyle& to) {
    return {changeOf(from.sizingBorder, to.sizingBorder), changeOf(from.titleBar, to.titleBar), changeOf(from.todayButton, to.todayButton), changeOf(from.statusBar, to.statusBar)};
}

void followStyleSwitches(WindowStyle& s, const WindowStyle& before, int index) {
    if (!s.titleBar) s.minimizeBox = s.maximizeBox = 0;
    if (!s.todayButton) s.monthButtons = s.yearButtons = 0;
    if (switchedOn(before.transparent, s.transparent)) s.wallpaper = 0;
    if (switchedOn(before.wallpaper, s.wallpaper)) s.transparent = 0;
    if (index == kRangeViewStyle) s.statusBar = 0;
}

FrameRect keepClientArea(const FrameRect& w, const FrameRect& before, const FrameRect& after, int clientGrowth) {
    const FrameRect client{w.left + before.left, w.top + before.top, w.right - before.right, w.bottom - before.bottom};
    return {client.left - after.left, client.top - after.top, client.right + after.right,
            client.bottom + clientGrowth + after.bottom};
}

}  // namespace tavo
