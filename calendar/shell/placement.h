// Window slots, first placement and the title-bar toggle of the calendar window.
#pragma once

#include <windows.h>

#include "app.h"

namespace tavo::shell {

ScreenMetrics screenMetrics();
void loadCalendarSlot(App& a);
void saveCalendarSlot(App& a);
void placeWindow(App& a);      // UM_PLACE
void toggleTitleBar(App& a);   // double click on the top band, and at start with cap 0
HWND findOwnerWindow(App& a);

}  // namespace tavo::shell
