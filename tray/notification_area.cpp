#include "notification_area.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

namespace tavo::tray {

bool ShellNotificationArea::add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const wchar_t* tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon;
    std::wcsncpy(data.szTip, tip, std::size(data.szTip) - 1);
    if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
    // The keyboard's Enter and Menu key on the icon come as NIN_KEYSELECT and WM_CONTEXTMENU.
    data.uVersion = NOTIFYICON_VERSION;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
}

void ShellNotificationArea::remove(HWND owner, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace tavo::tray
