// Window slots and the title-bar switch of windows with a style record:
// placing a window from its slot, storing it back at 96 DPI, flipping the
// title bar and storing the switch.
#pragma once

#include <windows.h>

#include "shared/settings_store.h"
#include "shared/window_kinds.h"
#include "shared/window_settings.h"

namespace tavo::win {

// The timer that finishes a start without a title bar.
inline constexpr UINT_PTR kCaptionTimer = 2;

// Sets a window's placement from a slot (physical pixels).
void placeFromSlot(HWND window, const WindowSlots& slots, int slot, int showCommand, int dpi);
// Stores a window's normal rectangle in its slot (sizes at 96 DPI in the registry).
void saveSlotOf(HWND window, WindowSlots& slots, int slot, SettingsStore& store, int dpi);
// Flips the title bar of a window with a style record and stores the switch under the kind's style key.
void toggleTitleBar(HWND window, WindowStyle& style, WindowKind kind, SettingsStore& store);
// Sizes the window, at (x, y) when `move`, else where it is, pulled wholly onto
// the work area and no larger than it (a size stored on a larger monitor or at
// another scaling never puts the title bar out of reach).
void placeOnWorkArea(HWND window, int x, int y, int width, int height, bool move);
// At first placement with no title bar wanted: flip the caption bits and start the caption timer; true when it did.
bool applyCaptionPending(HWND window, WindowStyle& style);

}  // namespace tavo::win
