#include "status_bar.h"

#include <commctrl.h>

#include <string>

#include "calendar_window.h"
#include "shared/dpi.h"

namespace tavo::shell {
namespace {

constexpr UINT_PTR kStatusBarSubclass = 1;

struct BarColours {
    COLORREF fill, text;
};

std::int32_t builtInButton(ColourRole role) {
    static const DesignSet builtIn = [] {
        DesignSet d{};
        resetDesignSet(d, kCalendarDesign, {19, 15});
        return d;
    }();
    return designColour(builtIn, kButton, 0, role, kNormal);
}

// The design's button colours when it has its own: not the system's, and
// not the built-in ones, with which the bar has always been the system's.
bool ownColours(const CalendarWindow& a, BarColours& colours) {
    const DesignSet& d = a.design();
    if (d.systemButtonColours || highContrastOn()) return false;
    const std::int32_t fill = designColour(d, kButton, 0, kBackground, kNormal), text = designColour(d, kButton, 0, kText, kNormal);
    if (fill == kNoColour || text == kNoColour) return false;
    if (fill == builtInButton(kBackground) && text == builtInButton(kText)) return false;
    colours = {static_cast<COLORREF>(fill), static_cast<COLORREF>(text)};
    return true;
}

std::wstring partText(HWND bar, int part) {
    std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0)) + 1u, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// Each part's text as the bar sets it, on the design's fill; the grip as the system draws it.
void paint(HWND bar, BarColours colours, int dpi) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(bar, &ps);
    RECT client{};
    GetClientRect(bar, &client);
    HBRUSH fill = CreateSolidBrush(colours.fill);
    FillRect(dc, &client, fill);
    DeleteObject(fill);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    for (int part = 0; part < parts; ++part) {
        RECT r{};
        SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r));
        r.left += scaleToDpi(3, dpi);
        const std::wstring text = partText(bar, part);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP) {
        RECT grip = client;
        grip.left = grip.right - GetSystemMetrics(SM_CXVSCROLL);
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    SelectObject(dc, font);
    EndPaint(bar, &ps);
}

LRESULT CALLBACK barProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto& a = *reinterpret_cast<const CalendarWindow*>(data);
    BarColours colours{};
    if ((message == WM_PAINT || message == WM_ERASEBKGND) && ownColours(a, colours)) {
        if (message == WM_PAINT) paint(bar, colours, a.dpi);
        return 1;
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

}  // namespace

void colourStatusBar(CalendarWindow& a) {
    if (a.statusBar) SetWindowSubclass(a.statusBar, barProcedure, kStatusBarSubclass, reinterpret_cast<DWORD_PTR>(&a));
}

}  // namespace tavo::shell
