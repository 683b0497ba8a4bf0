// Reading what controls hold.
#pragma once

#include <windows.h>

#include <string>

namespace tavo::win {

// The whole text of a window or control of this process.
std::wstring textOf(HWND window);
// The whole text of a dialog's control.
inline std::wstring itemText(HWND dialog, int id) { return textOf(GetDlgItem(dialog, id)); }
// The text of a list box's line; empty past its end.
std::wstring listLineText(HWND list, int index);
// Opens or closes the input method of a window (on only while a name is typed).
void setInputMethod(HWND window, bool open);

}  // namespace tavo::win
