// The calendar's commands: one list from which the popup menus, the system
// menu, the status bar, the button band and the keys dispatch, and which
// decides what a menu shows enabled, checked or pruned.
#pragma once

#include <windows.h>

#include <span>

#include "calendar_window.h"
#include "win/commands.h"

namespace tavo::shell {

using Command = win::Command<CalendarWindow>;

// The recurring-schedule submenu has no command; this item prunes it.
inline constexpr int kRecurringSubmenuFlag = 1;

// Opens the options library (the range view passes true: its page comes first).
void openOptions(CalendarWindow& a, bool fromRangeView);

// The calendar's commands and the keys that run them.
const win::CommandList<CalendarWindow>& calendarCommands();
// Runs the command when it exists and is enabled; false otherwise.
bool runCommand(CalendarWindow& a, UINT id);
// Enables, greys, checks and unchecks every command of a menu (submenus too).
void updateMenuStates(const CalendarWindow& a, HMENU menu);

}  // namespace tavo::shell
