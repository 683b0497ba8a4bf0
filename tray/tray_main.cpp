// The notification-area launcher: an icon that starts, shows and owns the calendar.
#include <windows.h>

#include "shared/windows_of_kind.h"
#include "tray_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace tavo::tray;
    if (HWND running = tavo::findWindowOf(tavo::WindowKind::Tray)) {
        SetForegroundWindow(running);
        return 0;
    }
    if (!TrayWindow::registerClass(instance)) return 0;
    ShellNotificationArea area;
    TrayWindow tray(instance, area, calendarBesideLauncher(instance));
    if (tray.create() == nullptr) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    tray.removeIcon();
    return static_cast<int>(msg.wParam);
}
