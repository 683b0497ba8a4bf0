#include "controls.h"

#include <imm.h>
#include <shellapi.h>

#include "system_library.h"
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

std::wstring listLineText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void showHelpPage(HWND owner, const std::wstring& path, int showCommand) {
    auto* const execute = systemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    const auto result = execute ? reinterpret_cast<INT_PTR>(execute(owner, nullptr, path.c_str(), nullptr, nullptr, showCommand)) : 0;
    if (result > 32) return;
    tellUser(owner, L"ヘルプのページを開けるプログラムが見つかりませんでした。ブラウザーで次のファイルを開いてください。\n\n" + path,
             Tone::Information);
}

bool askUser(HWND owner, const std::wstring& question) {
    return MessageBoxW(owner, question.c_str(), L"Tavo", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace tavo::win
