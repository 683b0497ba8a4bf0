// 開く: the calendar selects a day and opens its schedule; started first when
// it is not running.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/path_settings.h"

namespace tavo::remind {

// Starts Tavo.exe (its full path) in its folder, telling the user over `from`
// when it cannot. With `waitForWindow`: the calendar's window once it waits
// for input. nullptr when it did not start (or no window came).
HWND startCalendar(const std::wstring& program, const std::wstring& arguments, HWND from, bool waitForWindow);

// program: Tavo.exe's full path; from: the window told when it cannot start.
void openDayInCalendar(const std::wstring& program, int serial, ScheduleKind kind, HWND from);

}  // namespace tavo::remind
