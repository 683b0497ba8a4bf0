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
    if (s.cap) bits |= kStyleCaption;
    if (s.siz) bits |= kStyleSizingBorder;
    if (s.min) bits |= kStyleMinimizeBox;
    if (s.max) bits |= kStyleMaximizeBox;
    return bits;
}

FrameChanges frameChanges(const WindowStyle& from, const WindowStyle& to) {
    return {changeOf(from.siz, to.siz), changeOf(from.cap, to.cap), changeOf(from.tbt, to.tbt), changeOf(from.sts, to.sts)};
}

void followStyleSwitches(WindowStyle& s, const WindowStyle& before, int index) {
    if (!s.cap) s.min = s.max = 0;
    if (!s.tbt) s.mbt = s.ybt = 0;
    if (switchedOn(before.clr, s.clr)) s.wal = 0;
    if (switchedOn(before.wal, s.wal)) s.clr = 0;
    if (index == kRangeViewStyle) s.sts = 0;
}

FrameRect keepClientArea(const FrameRect& w, const FrameRect& before, const FrameRect& after, int clientGrowth) {
    const FrameRect client{w.left + before.left, w.top + before.top, w.right - before.right, w.bottom - before.bottom};
    return {client.left - after.left, client.top - after.top, client.right + after.right,
            client.bottom + clientGrowth + after.bottom};
}

}  // namespace tavo
