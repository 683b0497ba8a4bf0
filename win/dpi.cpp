#include "dpi.h"

namespace tavo::win {

std::wstring loadString(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    // With a zero length, LoadStringW hands out the resource's own read-only text.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

int windowDpi(HWND window) {
    const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
    return dpi != 0 ? static_cast<int>(dpi) : 96;
}

HICON loadProgramIcon(HINSTANCE instance, bool small, int dpi, UINT flags) {
    const UINT d = static_cast<UINT>(dpi);
    return static_cast<HICON>(LoadImageW(instance, L"Tavo", IMAGE_ICON, GetSystemMetricsForDpi(small ? SM_CXSMICON : SM_CXICON, d),
                                         GetSystemMetricsForDpi(small ? SM_CYSMICON : SM_CYICON, d), flags));
}

void setWindowIcons(WindowIcons& icons, HWND window, HINSTANCE instance, int dpi) {
    HICON big = loadProgramIcon(instance, false, dpi, 0), small = loadProgramIcon(instance, true, dpi, 0);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    icons.reset(big, small);  // the old ones are no longer in use
}

DesignMetrics designMetrics() { return {GetSystemMetricsForDpi(SM_CYCAPTION, 96), GetSystemMetricsForDpi(SM_CYSMCAPTION, 96)}; }

BesideRect windowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

ScreenMetrics screenMetrics(int dpi) {
    const auto metric = [dpi](int index) { return GetSystemMetricsForDpi(index, static_cast<UINT>(dpi)); };
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {static_cast<int>(work.right), static_cast<int>(work.bottom), metric(SM_CXFRAME), metric(SM_CYFRAME),
            metric(SM_CXEDGE), metric(SM_CYEDGE), metric(SM_CYCAPTION)};
}

}  // namespace tavo::win
