// The notification area as the launcher uses it: one icon with a tip whose
// mouse and keyboard messages come back to a window. An interface, so that tests can see
// what the launcher asks of the shell.
#pragma once

#include <windows.h>

namespace tavo::tray {

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // Adds (or, after the shell restarted, adds again) the icon; false when the shell refused.
    virtual bool add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip) = 0;
    virtual void remove(HWND owner, UINT id) = 0;
};

// The shell's notification area (Shell_NotifyIconW).
class ShellNotificationArea final : public NotificationArea {
public:
    bool add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip) override;
    void remove(HWND owner, UINT id) override;
};

}  // namespace tavo::tray
