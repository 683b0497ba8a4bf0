// Chooses a menu command of a running window from outside, as choosing it
// from a menu does: "tavo_post_command 901" for the calendar,
// "tavo_post_command WBir 10" for another window class. For screenshots and
// hand checks.
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    std::wstring className = L"Tavo";
    const wchar_t* number = arguments;
    if (!std::iswdigit(*number)) {
        const wchar_t* blank = std::wcschr(arguments, L' ');
        if (blank == nullptr) return 2;
        className.assign(arguments, static_cast<std::size_t>(blank - arguments));
        number = blank + 1;
    }
    HWND window = FindWindowW(className.c_str(), nullptr);
    if (window == nullptr) return 1;
    return PostMessageW(window, WM_COMMAND, std::wcstoul(number, nullptr, 10), 0) ? 0 : 1;
}
