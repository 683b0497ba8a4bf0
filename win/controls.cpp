#include "controls.h"

#include <imm.h>

#include "tell.h"

namespace tavo::win {

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setInputMethod(HWND window, bool open) {
    if (HIMC context = ImmGetContext(window)) {
        ImmSetOpenStatus(context, open ? TRUE : FALSE);
        ImmReleaseContext(window, context);
    }
}

void tellUser(HWND owner, const std::wstring& text, Tone tone) {
    const UINT icon = tone == Tone::Error ? MB_ICONERROR : tone == Tone::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
    MessageBoxW(owner, text.c_str(), L"Tavo", MB_OK | icon);
}

}  // namespace tavo::win
