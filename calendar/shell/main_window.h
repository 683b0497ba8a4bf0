// The calendar's main window.
#pragma once

#include <windows.h>

#include "app.h"

namespace tavo::shell {

inline constexpr wchar_t kMainClass[] = L"Tavo";

bool registerMainWindowClass(HINSTANCE instance);
HWND createMainWindow(App& a, HWND owner);

}  // namespace tavo::shell
