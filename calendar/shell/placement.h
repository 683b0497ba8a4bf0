// Window slots, first placement and the title-bar toggle of the calendar window.
#pragma once

#include <windows.h>

#include "calendar_window.h"
#include "win/placement.h"

namespace tavo::shell {

using win::applyCaptionPending;
using win::placeFromSlot;
using win::saveSlotOf;
using win::screenMetrics;
using win::toggleTitleBar;

void loadCalendarSlot(CalendarWindow& a);
void saveCalendarSlot(CalendarWindow& a);
void placeWindow(CalendarWindow& a);      // UM_PLACE
void toggleTitleBar(CalendarWindow& a);   // double click on the top band, and at start with cap 0
HWND findOwnerWindow(CalendarWindow& a);

}  // namespace tavo::shell
