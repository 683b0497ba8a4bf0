// The calendar's commands: one list from which the popup menus, the system
// menu, the status bar and the keys dispatch, and which decides what a menu
// shows enabled, checked or pruned.
#pragma once

#include <windows.h>

#include <span>

#include "calendar_window.h"

namespace tavo::shell {

struct Command {
    UINT id;            // menu and resource id
    const char* name;   // what it does, for the guide and the tests
    void (*run)(CalendarWindow&);
    bool (*enabled)(const CalendarWindow&);  // nullptr: always
    bool (*checked)(const CalendarWindow&);  // nullptr: never
    int menuFlag;       // the PopupMenuFlags item that prunes it, -1 none
};

// The recurring-schedule submenu has no command; this item prunes it.
inline constexpr int kRecurringSubmenuFlag = 1;

// Opens the options library (the range view passes true: its page comes first).
void openOptions(CalendarWindow& a, bool fromRangeView);

std::span<const Command> calendarCommands();
const Command* findCommand(UINT id);
// Runs the command when it exists and is enabled; false otherwise.
bool runCommand(CalendarWindow& a, UINT id);
// Enables, greys, checks and unchecks every command of a menu (submenus too).
void updateMenuStates(const CalendarWindow& a, HMENU menu);

}  // namespace tavo::shell
