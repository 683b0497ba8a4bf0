// The notification-area launcher: an icon that starts, shows and owns the calendar.
#include <windows.h>

#include "shared/windows_of_kind.h"
#include "tray_window.h"
#include "win/single_instance.h"
#include "win/test_clock.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace tavo::tray;
    tavo::win::SingleInstance lock(L"Tray");
    if (!lock.first() && (lock.waitForFirst([] { return tavo::findWindowOf(tavo::WindowKind::Tray); }) || !lock.first()))
        return 0;  // the icon is there already
    tavo::win::installTestClock();
    if (!TrayWindow::registerClass(instance)) return 0;
    ShellNotificationArea area;
    TrayWindow tray(instance, area, calendarBesideLauncher(instance));
    if (tray.create() == nullptr) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (tavo::remind::ReminderWindow::dialogKeys(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    tray.removeIcon();
    return static_cast<int>(msg.wParam);
}
