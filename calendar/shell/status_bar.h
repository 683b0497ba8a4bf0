// The calendar's status bar in the button band's colours when a scheme
// recolours the band: a dark scheme otherwise kept a light-grey bar under
// its buttons. With the system's or the built-in button colours it keeps the
// system's look.
#pragma once

#include <windows.h>

namespace tavo::shell {

struct CalendarWindow;

void colourStatusBar(CalendarWindow& a);

}  // namespace tavo::shell
