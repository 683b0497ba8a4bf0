// The private window messages of the calendar, the range view, the data
// windows, the options library and the tray launcher, and the refresh flags.
// Values are fixed: the three programs and the clock program rely on them.
#pragma once

namespace tavo {

inline constexpr unsigned kWmUser = 0x0400;  // WM_USER, without <windows.h>

// Settings or data changed; wParam is a set of RefreshFlags, 0 = texts, grid, marks, list.
inline constexpr unsigned UM_REFRESH = kWmUser;
inline constexpr unsigned UM_TODAY = kWmUser + 1;             // select today and rebuild
inline constexpr unsigned UM_CLOSE = kWmUser + 4;             // save and close (sent)
inline constexpr unsigned UM_STATUSBAR = kWmUser + 5;         // rebuild frame and status bar (sent)
inline constexpr unsigned UM_OPEN_RANGE_VIEW = kWmUser + 6;   // create the range view
inline constexpr unsigned UM_PLACE = kWmUser + 7;             // first placement, posted to itself
inline constexpr unsigned UM_CALENDAR_STARTED = kWmUser + 8;  // to the clock program's window
// Reminders: to the calendar. Open a day (wParam YYYYMMDD, lParam its ScheduleKind)
// and its schedule; let the launcher remind; the launcher ended, remind if none does.
inline constexpr unsigned UM_OPEN_DAY = kWmUser + 9;
inline constexpr unsigned UM_REMIND_YIELD = kWmUser + 10;
inline constexpr unsigned UM_REMIND_TAKE = kWmUser + 11;
// The reminder window's own: its data folder changed; its balloon icon's callback.
inline constexpr unsigned UM_REMIND_FILES = kWmUser + 12;
inline constexpr unsigned UM_REMIND_ICON = kWmUser + 13;
// To the calendar: sync now without a summary (at start, by the interval).
inline constexpr unsigned UM_SYNC_QUIETLY = kWmUser + 14;
// The search window's own: a search ended (wParam its number, lParam its results).
inline constexpr unsigned UM_FIND_DONE = kWmUser + 15;

// The tray launcher's own messages.
inline constexpr unsigned UM_TRAY_ICON = kWmUser;      // notification icon callback, mouse message in lParam
inline constexpr unsigned UM_TRAY_MENU = kWmUser + 1;  // show the icon menu

enum RefreshFlags : unsigned {
    kRefreshData = 0x00,       // texts, month grid, marks and range list
    kRefreshDesign = 0x01,     // pens, brushes and fonts
    kRefreshMenu = 0x04,       // popup menus
    kRefreshStyle = 0x08,      // wallpaper and style
    kRefreshDateWatch = 0x10,  // date-change timer only
};

}  // namespace tavo
