// A window with a slot and a scaling of its own: it knows its DPI from
// creation on, keeps its icons at that size, follows WM_DPICHANGED (taking the
// suggested rectangle) and stores its slot at 96 DPI. The data windows, the
// calendar and the range view all stand on it.
#pragma once

#include <windows.h>

#include "dpi.h"
#include "shared/settings_store.h"
#include "shared/window_settings.h"
#include "window.h"

namespace tavo::win {

class PlacedWindow : public Window {
public:
    int dpi = 96;  // of the window; sizes kept at 96 DPI are converted with it
    WindowSlots slots{};

    // Stores the normal rectangle in the kind's slot (sizes at 96 DPI).
    void saveSlot();
    HINSTANCE instance() const { return instance_; }
    SettingsStore& store() const { return store_; }

protected:
    PlacedWindow(WindowKind kind, HINSTANCE instance, SettingsStore& store)
        : Window(kind), instance_(instance), store_(store) {}
    // The window took the rectangle of its new scaling, its DPI and icons:
    // what depends on the DPI (fonts, pens, layout) is built anew here.
    virtual void dpiChanged() {}
    // The window's own messages: all but WM_DPICHANGED (WM_CREATE comes
    // here after the DPI and icons were set).
    virtual LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HINSTANCE instance_;
    SettingsStore& store_;
    WindowIcons icons_;
};

}  // namespace tavo::win
