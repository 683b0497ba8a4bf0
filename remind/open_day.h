// 開く: the calendar selects a day and opens its schedule; started first when
// it is not running.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/path_settings.h"

namespace tavo::remind {

// program: Tavo.exe's full path; from: the window told when it cannot start.
void openDayInCalendar(const std::wstring& program, int serial, ScheduleKind kind, HWND from);

}  // namespace tavo::remind
