// Finding and messaging the windows of a kind by their class name (Windows only).
#pragma once

#include <windows.h>

#include "messages.h"
#include "window_kinds.h"

namespace tavo {

// The top-level window of the kind, or nullptr.
HWND findWindowOf(WindowKind kind);
// Posts (or sends) the message to every open window of the kinds; none open, none sent.
void postToWindows(WindowKinds kinds, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void sendToWindows(WindowKinds kinds, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// UM_REFRESH with the flags, posted.
void refreshWindows(WindowKinds kinds, unsigned refreshFlags);

}  // namespace tavo
