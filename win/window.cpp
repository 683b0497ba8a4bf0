#include "window.h"

#include <vector>

#include "dpi.h"

namespace tavo::win {

bool Window::registerClass(HINSTANCE instance, WindowKind kind, UINT classStyle, HICON icon, HICON smallIcon,
                           const wchar_t* menuName, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = windowKindInfo(kind).className;
    wc.lpszMenuName = menuName;
    wc.hbrBackground = background;
    return RegisterClassExW(&wc) != 0;
}

bool Window::registerOnce(HINSTANCE instance, WindowKind kind, UINT classStyle, const wchar_t* menuName, HBRUSH background) {
    if (isRegistered(instance, kind)) return true;
    const int dpi = windowDpi(nullptr);
    return registerClass(instance, kind, classStyle, loadProgramIcon(instance, false, dpi, LR_SHARED),
                         loadProgramIcon(instance, true, dpi, LR_SHARED), menuName, background);
}

bool Window::isRegistered(HINSTANCE instance, WindowKind kind) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    return GetClassInfoExW(instance, windowKindInfo(kind).className, &wc) != 0;
}

HWND Window::create(HINSTANCE instance, DWORD exStyle, DWORD style, HWND owner, const wchar_t* title) {
    return CreateWindowExW(exStyle, windowKindInfo(kind_).className, title, style, 0, 0, 0, 0, owner, nullptr, instance,
                           this);
}

namespace {

struct DialogKeyHost {
    HWND host;
    HWND lastFocus;  // the control that had the focus when the window was left
};

std::vector<DialogKeyHost>& dialogKeyHosts() {  // the windows of the thread's message loop
    static std::vector<DialogKeyHost> hosts;
    return hosts;
}

DialogKeyHost* hostOf(HWND window) {
    for (DialogKeyHost& h : dialogKeyHosts())
        if (h.host == window) return &h;
    return nullptr;
}

// As a dialog does: leaving keeps the focused control, coming back gives it
// the focus again (the first control the first time); a label's access key
// moves the focus on (WM_NEXTDLGCTL, which only dialogs answer by default).
void actAsDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogKeyHost* h = hostOf(window);
    if (h == nullptr) return;
    if (message == WM_NEXTDLGCTL) {
        HWND to = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
        if (to != nullptr) SetFocus(to);
        return;
    }
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        if (IsChild(window, GetFocus())) h->lastFocus = GetFocus();
        return;
    }
    if (message != WM_SETFOCUS && message != WM_ACTIVATE) return;
    HWND to = IsWindow(h->lastFocus) && IsChild(window, h->lastFocus) ? h->lastFocus : GetNextDlgTabItem(window, nullptr, FALSE);
    if (to != nullptr) SetFocus(to);
}

}  // namespace

void takeDialogKeys(HWND host) {
    if (hostOf(host) == nullptr) dialogKeyHosts().push_back({host, nullptr});
}

bool routeDialogKeys(MSG& msg) {
    for (const DialogKeyHost& h : dialogKeyHosts())
        if (IsChild(h.host, msg.hwnd)) return IsDialogMessageW(h.host, &msg);
    return false;
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window = window;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->onMessage(message, wParam, lParam);
    actAsDialog(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        std::erase_if(dialogKeyHosts(), [&](const DialogKeyHost& h) { return h.host == window; });
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window = nullptr;
    }
    return result;
}

void moveByBody(HWND window) {
    ReleaseCapture();
    SendMessageW(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

}  // namespace tavo::win
