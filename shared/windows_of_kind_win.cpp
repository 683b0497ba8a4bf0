#include "windows_of_kind.h"

namespace tavo {
namespace {

template <typename Deliver>
void forEachOpen(WindowKinds kinds, Deliver deliver) {
    for (unsigned k = 0; k < kWindowKindCount; ++k) {
        const auto kind = static_cast<WindowKind>(k);
        if ((kinds & kindBit(kind)) == 0) continue;
        if (HWND window = findWindowOf(kind)) deliver(window);
    }
}

}  // namespace

HWND findWindowOf(WindowKind kind) { return FindWindowW(windowKindInfo(kind).className, windowKindInfo(kind).title); }

void postToWindows(WindowKinds kinds, UINT message, WPARAM wParam, LPARAM lParam) {
    forEachOpen(kinds, [&](HWND w) { PostMessageW(w, message, wParam, lParam); });
}

void sendToWindows(WindowKinds kinds, UINT message, WPARAM wParam, LPARAM lParam) {
    forEachOpen(kinds, [&](HWND w) { SendMessageW(w, message, wParam, lParam); });
}

void refreshWindows(WindowKinds kinds, unsigned refreshFlags) { postToWindows(kinds, UM_REFRESH, refreshFlags); }

}  // namespace tavo
