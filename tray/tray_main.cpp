// The notification-area launcher: a hidden window that owns the calendar's windows.
#include <windows.h>

#include "shared/windows_of_kind.h"

namespace {

const wchar_t* const kTrayClass = tavo::windowKindInfo(tavo::WindowKind::Tray).className;

LRESULT CALLBACK trayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (tavo::findWindowOf(tavo::WindowKind::Tray) != nullptr) return 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = trayWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTrayClass;
    if (RegisterClassExW(&wc) == 0) return 1;
    // Never shown: it exists so that other windows can find and be owned by it.
    if (CreateWindowExW(0, kTrayClass, L"TavoTray", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr) ==
        nullptr)
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
