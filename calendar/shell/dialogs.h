// The jump-to-date dialog and the about box.
#pragma once

#include <windows.h>

#include "calendar_window.h"

namespace tavo::shell {

// True when the user chose a date; the selected date is then set.
bool runJumpDialog(CalendarWindow& a);
void runAboutBox(CalendarWindow& a);
// Error box: a string of the string table, an error beep, the system caption.
void showErrorString(CalendarWindow& a, HWND owner, UINT id);

}  // namespace tavo::shell
