// How every window tells the user something: a message box titled "Tavo".
#pragma once

#include <windows.h>

#include <string>

namespace tavo::win {

enum class Tone { Information, Warning, Error };

void tellUser(HWND owner, const std::wstring& text, Tone tone = Tone::Warning);
// Opens a help page with the shell's default program; when none can, tells
// the user once where the page is, to open it by hand.
void showHelpPage(HWND owner, const std::wstring& path, int showCommand);
// A yes-or-no question titled "Tavo"; No is the default, so a stray Enter changes nothing.
bool askUser(HWND owner, const std::wstring& question);

}  // namespace tavo::win
