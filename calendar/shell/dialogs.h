// The jump-to-date dialog and the about box.
#pragma once

#include <windows.h>

#include "app.h"

namespace tavo::shell {

// True when the user chose a date; the selected date is then set.
bool runJumpDialog(App& a);
void runAboutBox(App& a);
// Error box: a string of the string table, an error beep, the system caption.
void showErrorString(App& a, HWND owner, UINT id);

}  // namespace tavo::shell
