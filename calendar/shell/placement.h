// Window slots, first placement and the title-bar toggle of the calendar window.
#pragma once

#include <windows.h>

#include "calendar_window.h"

namespace tavo::shell {

ScreenMetrics screenMetrics(int dpi);
void loadCalendarSlot(CalendarWindow& a);
void saveCalendarSlot(CalendarWindow& a);
void placeWindow(CalendarWindow& a);      // UM_PLACE
void toggleTitleBar(CalendarWindow& a);   // double click on the top band, and at start with cap 0
// The title-bar toggle of any window with a style record; writes "cap" under the kind's style key.
void toggleTitleBar(HWND window, WindowStyle& style, WindowKind kind, SettingsStore& store);
// At first placement with no title bar wanted: flip the caption bits and start timer 2; true when it did.
bool applyCaptionPending(HWND window, WindowStyle& style);
// Sets a window's placement from a slot (physical pixels).
// Stores a window's normal rectangle in its slot (sizes at 96 DPI in the registry).
void saveSlotOf(HWND window, WindowSlots& slots, int slot, SettingsStore& store, int dpi);
void placeFromSlot(HWND window, const WindowSlots& slots, int slot, int showCommand, int dpi);
HWND findOwnerWindow(CalendarWindow& a);

}  // namespace tavo::shell
