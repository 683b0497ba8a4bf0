// The launcher's window: hidden while its icon is in the notification area,
// it starts the calendar or shows it again, owns the calendar's windows, and
// closes the calendar when it closes. Its system menu is the icon's menu.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "win/handles.h"
#include "win/window.h"
#include "notification_area.h"
#include "remind/reminder_role.h"

namespace tavo::tray {

inline constexpr UINT kIconId = 1;
inline constexpr UINT kStartCalendar = 100;  // the menu item "カレンダー起動"
inline constexpr UINT kSyncCalendar = 101;   // "同期": the calendar syncs (started first) and shows its summary
inline constexpr int kTrayIconResource = 100;

class TrayWindow final : public win::Window {
public:
    // calendarProgram: the full path of Tavo.exe.
    TrayWindow(HINSTANCE instance, NotificationArea& area, std::wstring calendarProgram);
    static bool registerClass(HINSTANCE instance);
    // Creates the window, puts the icon in the notification area (or, when the
    // shell refuses, shows the window itself) and builds the menu.
    HWND create();
    bool iconShown() const { return iconShown_; }
    void removeIcon();

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool addIcon();
    void showSmallWindow();
    void onIcon(UINT mouseMessage);
    void trackMenu();
    void startCalendar();
    void syncCalendar();
    static void closeCalendar();

    HINSTANCE instance_;
    NotificationArea& area_;
    std::wstring calendarProgram_;
    win::IconHandle icon_;
    bool iconShown_ = false;
    bool rightPressed_ = false;  // a right click's menu is shown; its WM_CONTEXTMENU is not another
    UINT taskbarCreated_ = 0;
    std::unique_ptr<remind::ReminderRole> reminders_;
};

// Tavo.exe in the folder of the running program.
std::wstring calendarBesideLauncher(HINSTANCE instance);

}  // namespace tavo::tray
