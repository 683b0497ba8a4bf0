#include "main_window.h"

namespace tavo::shell {
namespace {

// Redraw on resize, double clicks, saved bits, byte-aligned client and window.
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
constexpr int kDefaultWidth = 280;
constexpr int kDefaultHeight = 350;

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
    EndPaint(window, &ps);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole area
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = kClassStyle;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kMainClass;
    return RegisterClassExW(&wc) != 0;
}

HWND createMainWindow(HINSTANCE instance) {
    return CreateWindowExW(0, kMainClass, L"Tavo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth,
                           kDefaultHeight, nullptr, nullptr, instance, nullptr);
}

}  // namespace tavo::shell
