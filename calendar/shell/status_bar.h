// The calendar's status bar in the button band's colours when the design
// has its own: a dark scheme otherwise kept a light-grey bar under its
// buttons. With the system's button colours it keeps the system's look.
#pragma once

#include <windows.h>

namespace tavo::shell {

struct CalendarWindow;

void colourStatusBar(CalendarWindow& a);

}  // namespace tavo::shell
