// The calendar's main window.
#pragma once

#include <windows.h>

namespace tavo::shell {

inline constexpr wchar_t kMainClass[] = L"Tavo";

bool registerMainWindowClass(HINSTANCE instance);
HWND createMainWindow(HINSTANCE instance);

}  // namespace tavo::shell
