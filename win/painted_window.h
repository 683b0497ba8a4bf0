// A window that paints itself over a background of its style record: the
// plain background through a memory bitmap (nothing flickers), or a
// wallpaper tiled or stretched, or the desktop (transparent); the title bar
// switched by the user and at start; the slot stored as the window moves.
// The calendar and the range view are painted windows.
#pragma once

#include <windows.h>

#include "accessible.h"
#include "handles.h"
#include "placed_window.h"

namespace tavo::win {

class PaintedWindow : public PlacedWindow {
public:
    WindowStyle& style() const { return style_; }
    // Flips the title bar, keeping the client area, and stores the switch.
    void toggleTitleBar();
    // The transparent background or a loaded wallpaper shows under the content.
    bool backgroundSuppressed() const { return style().transparent != 0 || (style().wallpaper != 0 && wallpaper_); }
    // Repaints; only the transparent and wallpaper backgrounds are erased first.
    void repaint() { InvalidateRect(window, nullptr, backgroundSuppressed() ? TRUE : FALSE); }
    // A placement one pixel taller and back: the window lays itself out anew
    // (after the system's metrics or fonts changed).
    void nudgePlacement();
    // The wallpaper the style names, at its own size (stretched on demand);
    // one that cannot be loaded keeps the background there was.
    void loadWallpaper();
    bool wallpaperLoaded() const { return static_cast<bool>(wallpaper_); }

protected:
    // style: the window's record, which lives as long as the window.
    PaintedWindow(WindowKind kind, HINSTANCE instance, SettingsStore& store, WindowStyle& style)
        : PlacedWindow(kind, instance, store), style_(style) {}

    static constexpr COLORREF kContentFillsBackground = CLR_INVALID;
    // Paints the content on dc, width x height from the client's top left.
    virtual void paint(HDC dc, int width, int height) = 0;
    // The plain background filled before the content, or kContentFillsBackground.
    virtual COLORREF plainBackground() const { return kContentFillsBackground; }
    // The width the content paints (the client's less what children take).
    virtual int paintedWidth() const;
    virtual bool forcedSmoothing() const { return false; }
    // Whether placements are kept (the slot is stored as the window moves).
    virtual bool keepsPlacement() const = 0;
    // What a screen reader is told of the content; none by default.
    virtual AccessibleContent* accessibleContent() { return nullptr; }

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onPaint();
    LRESULT onEraseBackground(HDC dc);
    void loadWallpaperSized(int width, int height);
    void drawKeyboardFocus(HDC dc);
    void useKeyboard(bool inUse);

    WindowStyle& style_;
    Accessibility accessibility_;
    GdiObject wallpaper_;
    SIZE stretchedTo_{};  // 0 x 0: at its own size
    bool sized_ = false;  // a slot is stored only after the first size
    bool keyboardInUse_ = false;  // since the last key, until a click: the focus frame shows
};

}  // namespace tavo::win
