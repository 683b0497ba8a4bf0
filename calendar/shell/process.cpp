#include "process.h"

#include "shared/clock.h"

namespace tavo::shell {
namespace {

class RegistryTestClock final : public Clock {
public:
    LocalDate today() const override {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testclock", L"today", RRF_RT_REG_DWORD, nullptr,
                         &value, &size) == ERROR_SUCCESS && value > 15821015)
            return {static_cast<int>(value / 10000), static_cast<int>(value / 100 % 100), static_cast<int>(value % 100)};
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay};
    }
};

}  // namespace

void installClock() {
    static RegistryTestClock testClock;
    if (GetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr, 0) > 0) setClock(&testClock);
}

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

void WindowIcons::reset(HICON big, HICON small) {
    if (big_) DestroyIcon(big_);
    if (small_) DestroyIcon(small_);
    big_ = big;
    small_ = small;
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

}  // namespace tavo::shell
