#include "painted_window.h"

#include <algorithm>

#include "placement.h"
#include "shared/cp932.h"

namespace tavo::win {
namespace {

// Covers the client with copies of a bitmap; false when it has no size.
bool tileBitmap(HDC dc, HGDIOBJ bitmap, const RECT& client) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    MemoryDc memory(dc);
    SelectedObjects keep(memory.get());
    SelectObject(memory.get(), bitmap);
    for (int y = 0; y < client.bottom; y += info.bmHeight)
        for (int x = 0; x < client.right; x += info.bmWidth)
            BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    return true;
}

RECT clientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

void PaintedWindow::toggleTitleBar() { win::toggleTitleBar(window, style(), kind(), store()); }

int PaintedWindow::paintedWidth() const { return clientOf(window).right; }

void PaintedWindow::loadWallpaper() {
    if (!style().wallpaper) {
        wallpaper_.reset();
        return;
    }
    loadWallpaperSized(0, 0);
}

void PaintedWindow::loadWallpaperSized(int width, int height) {
    const std::wstring path = cp932ToWide(style().wallpaperPath);
    if (HANDLE loaded = LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE))
        wallpaper_.reset(loaded);
    stretchedTo_ = {width, height};
}

void PaintedWindow::nudgePlacement() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const WINDOWPLACEMENT was = placement;
    if (!IsWindowVisible(window)) placement.showCmd = SW_HIDE;
    placement.rcNormalPosition.bottom += 1;
    SetWindowPlacement(window, &placement);
    placement.rcNormalPosition = was.rcNormalPosition;
    SetWindowPlacement(window, &placement);
}

// The plain background paints through a memory bitmap so nothing flickers;
// the transparent and wallpaper backgrounds are drawn over what the erase left.
void PaintedWindow::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    BOOL smoothing = TRUE;
    SystemParametersInfoW(SPI_GETFONTSMOOTHING, 0, &smoothing, 0);
    const bool forceSmoothing = forcedSmoothing() && !smoothing;
    if (forceSmoothing) SystemParametersInfoW(SPI_SETFONTSMOOTHING, TRUE, nullptr, 0);
    {
        const int w = paintedWidth(), h = clientOf(window).bottom;
        SelectedObjects keep(dc);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = GetTextColor(dc);
        if (backgroundSuppressed()) {
            paint(dc, w, h);
        } else {
            MemoryDc memory(dc);
            GdiObject bitmap(CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1)));
            SelectedObjects keepMemory(memory.get());
            SelectObject(memory.get(), bitmap.get());
            if (const COLORREF background = plainBackground(); background != kContentFillsBackground) {
                GdiObject brush(CreateSolidBrush(background));
                const RECT all{0, 0, w, h};
                FillRect(memory.get(), &all, static_cast<HBRUSH>(brush.get()));
            }
            SetBkMode(memory.get(), TRANSPARENT);
            paint(memory.get(), w, h);
            BitBlt(dc, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
        }
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);
    }
    if (forceSmoothing) SystemParametersInfoW(SPI_SETFONTSMOOTHING, FALSE, nullptr, 0);
    drawKeyboardFocus(dc);
    EndPaint(window, &ps);
    // Every change of what is shown repaints: the one place to tell readers of it.
    if (AccessibleContent* content = accessibleContent()) accessibility_.announceChanges(window, *content);
}

// The dotted frame around the selected part, while the keyboard is in use.
void PaintedWindow::drawKeyboardFocus(HDC dc) {
    AccessibleContent* content = accessibleContent();
    if (content == nullptr || !keyboardInUse_ || GetFocus() != window) return;
    const int selected = selectedOf(*content, content->accessiblePartCount());
    if (selected < 0) return;
    RECT place = content->accessiblePart(selected).place;
    const int inset = MulDiv(2, dpi, 96);
    InflateRect(&place, -inset, -inset);
    if (IsRectEmpty(&place)) return;
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &place);
}

void PaintedWindow::useKeyboard(bool inUse) {
    if (keyboardInUse_ == inUse) return;
    keyboardInUse_ = inUse;
    if (accessibleContent()) repaint();
}

LRESULT PaintedWindow::onEraseBackground(HDC dc) {
    if (style().transparent) return DefWindowProcW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (!style().wallpaper || !wallpaper_) return 1;  // the paint fills the background
    const RECT client = clientOf(window);
    if (style().wallpaperStretched == 1 && (stretchedTo_.cx != client.right || stretchedTo_.cy != client.bottom))
        loadWallpaperSized(client.right, client.bottom);
    return tileBitmap(dc, wallpaper_.get(), client) ? 1 : 0;
}

LRESULT PaintedWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: onPaint(); return 0;
        case WM_ERASEBKGND: return onEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_MOVE:
            if (style().transparent) InvalidateRect(window, nullptr, TRUE);
            if (keepsPlacement() && sized_) saveSlot();
            return 0;
        case WM_SIZE: {
            const LRESULT result = PlacedWindow::onMessage(message, wParam, lParam);
            sized_ = true;
            if (keepsPlacement()) saveSlot();
            return result;
        }
        case WM_SHOWWINDOW:
            if (!wParam) SetWindowLongW(window, GWL_STYLE, style().windowStyle & ~WS_VISIBLE);
            break;
        case WM_TIMER:
            if (wParam != kCaptionTimer) break;
            KillTimer(window, kCaptionTimer);
            toggleTitleBar();
            toggleTitleBar();
            return 0;
        case WM_GETOBJECT:
            if (AccessibleContent* content = accessibleContent())
                if (const LRESULT object = accessibility_.answer(window, *content, wParam, lParam)) return object;
            break;
        case WM_SETFOCUS:
            if (AccessibleContent* content = accessibleContent()) {
                accessibility_.announceFocus(window, *content);
                if (keyboardInUse_) repaint();
            }
            break;
        case WM_KILLFOCUS:
            if (keyboardInUse_ && accessibleContent()) repaint();
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: useKeyboard(true); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: useKeyboard(false); break;
        case WM_DESTROY:
            accessibility_.disconnect();
            wallpaper_.reset();
            break;
        default: break;
    }
    return PlacedWindow::onMessage(message, wParam, lParam);
}

}  // namespace tavo::win
