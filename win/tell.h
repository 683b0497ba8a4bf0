// How every window tells the user something: a message box titled "Tavo".
#pragma once

#include <windows.h>

#include <string>

namespace tavo::win {

enum class Tone { Information, Warning, Error };

void tellUser(HWND owner, const std::wstring& text, Tone tone = Tone::Warning);
// A yes-or-no question titled "Tavo"; No is the default, so a stray Enter changes nothing.
bool askUser(HWND owner, const std::wstring& question);

}  // namespace tavo::win
