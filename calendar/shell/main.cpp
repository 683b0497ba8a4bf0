// Entry of the calendar program: one calendar per user session.
#include <windows.h>

#include "main_window.h"

namespace {

// Brings a running calendar forward; true when there was one.
bool activateRunningCalendar() {
    HWND existing = FindWindowW(tavo::shell::kMainClass, nullptr);
    if (existing == nullptr) return false;
    if (IsIconic(existing)) ShowWindow(existing, SW_RESTORE);
    SetForegroundWindow(existing);
    return true;
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (activateRunningCalendar()) return 0;
    if (!tavo::shell::registerMainWindowClass(instance)) return 1;
    HWND window = tavo::shell::createMainWindow(instance);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return runMessageLoop();
}
