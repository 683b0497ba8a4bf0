// The base of every window of Tavo's programs: one object per window,
// reached from its handle (GWLP_USERDATA, set at WM_NCCREATE), with the
// class name of its kind.
#pragma once

#include <windows.h>

#include "shared/window_kinds.h"

namespace tavo::win {

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    WindowKind kind() const { return kind_; }
    // Whether the kind's class is registered for the module (classes of
    // windows that may never open are registered when they first do).
    static bool isRegistered(HINSTANCE instance, WindowKind kind);
    // Registers the kind's class; messages of its windows reach onMessage.
    static bool registerClass(HINSTANCE instance, WindowKind kind, UINT classStyle, HICON icon, HICON smallIcon,
                              const wchar_t* menuName = nullptr, HBRUSH background = nullptr);
    // The kind's class with the program's icons, unless it is registered already.
    static bool registerOnce(HINSTANCE instance, WindowKind kind, UINT classStyle, const wchar_t* menuName = nullptr,
                             HBRUSH background = nullptr);
    HWND window = nullptr;  // null until created, and after WM_NCDESTROY

protected:
    explicit Window(WindowKind kind) : kind_(kind) {}
    // Creates the window of this object; window is set from WM_NCCREATE on.
    HWND create(HINSTANCE instance, DWORD exStyle, DWORD style, HWND owner, const wchar_t* title);
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT defaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    WindowKind kind_;
};

// Lets the user drag the window by its body, as by its title bar.
void moveByBody(HWND window);

// A window holding controls takes Tab, the arrows and access keys as a dialog
// does, from now until it is destroyed.
void takeDialogKeys(HWND host);
// For the message loop, before translating: true when a host took the message.
bool routeDialogKeys(MSG& msg);

}  // namespace tavo::win
