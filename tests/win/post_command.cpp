// Sends a menu command to the running calendar, as choosing it from a menu
// does: tavo_post_command 901. For screenshots and hand checks.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    HWND calendar = FindWindowW(L"Tavo", nullptr);
    if (calendar == nullptr) return 1;
    const unsigned long command = std::wcstoul(arguments, nullptr, 10);
    return PostMessageW(calendar, WM_COMMAND, command, 0) ? 0 : 1;
}
