// The calendar program's state: the shared settings, the model of the shown
// month and the window's objects. One per process, used by one thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "calendar/render/month_layout.h"
#include "calendar/text/windows_locale.h"
#include "design_objects.h"
#include "gdi.h"
#include "menus.h"
#include "shared/calendar_day.h"
#include "shared/registry_settings_store.h"
#include "calendar/data/shared_settings.h"
#include "shared/windows_file_system.h"

namespace tavo::shell {

// Private messages.
inline constexpr UINT UM_REFRESH = WM_USER;
inline constexpr UINT UM_TODAY = WM_USER + 1;
inline constexpr UINT UM_CLOSE = WM_USER + 4;
inline constexpr UINT UM_STATUSBAR = WM_USER + 5;
inline constexpr UINT UM_OPEN_RANGE_VIEW = WM_USER + 6;
inline constexpr UINT UM_PLACE = WM_USER + 7;
inline constexpr UINT UM_CALENDAR_STARTED = WM_USER + 8;

inline constexpr UINT_PTR kDateWatchTimer = 1;
inline constexpr UINT_PTR kCaptionTimer = 2;
inline constexpr int kStatusBarId = 1100;

struct App {
    HINSTANCE instance = nullptr;
    int showCommand = SW_SHOWNORMAL;
    std::string commandLine;  // CP932
    SharedSettings* settings = nullptr;
    WindowSlots slots{};
    RegistrySettingsStore store;
    WindowsFileSystem files;
    WindowsLocale locale;

    ShownDate selected{2000, 1, 1};
    MonthGrid grid{};
    DayOffTable dayOff{};
    MonthLayout layout{};
    std::string caption, normalTitle, minimizedTitle, statusText;
    std::string weekdayNames[7];

    HWND window = nullptr;
    HWND statusBar = nullptr;
    HWND clockWindow = nullptr;
    bool minimized = false;
    DesignObjects objects;
    GdiObject wallpaper;
    int wallpaperMode = 2;  // 2 natural size, 1 stretched to the client
    SIZE wallpaperSize{};
    Menus menus;
    // Input state of the main window.
    bool rightReleaseInTopBand = false;
    bool mouseCaptured = false;
    bool keyboardMenuPending = false;
    bool contextMenuPending = false;
    bool contextMenuFromStatusBar = false;

    WindowStyle& style() { return settings->style[kCalendarStyle]; }
    DesignSet& design() { return settings->design[kCalendarDesign]; }
    EnvironmentSettings& env() { return settings->env; }
};

App& app();

}  // namespace tavo::shell
