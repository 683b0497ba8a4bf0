// What a window's scaling decides: its DPI, its icons at that size, the
// screen metrics its placement uses; and the module's strings.
#pragma once

#include <windows.h>

#include <string>

#include "handles.h"
#include "shared/dpi.h"
#include "shared/window_settings.h"

namespace tavo::win {

// A string of the module's string table, whole.
std::wstring loadString(HINSTANCE instance, UINT id);

// The DPI of a window (96 where the system cannot say).
int windowDpi(HWND window);

// A window's own icons, loaded at the sizes its DPI asks for.
class WindowIcons {
public:
    void reset(HICON big = nullptr, HICON small = nullptr) {
        big_.reset(big);
        small_.reset(small);
    }

private:
    IconHandle big_, small_;
};
// The program's icon at the size the DPI asks for (big or small); LR_SHARED for class icons.
HICON loadProgramIcon(HINSTANCE instance, bool small, int dpi, UINT flags);
void setWindowIcons(WindowIcons& icons, HWND window, HINSTANCE instance, int dpi);

// The caption bars' heights at 96 DPI, which the design's defaults take.
DesignMetrics designMetrics();
// The screen and frame metrics of placements at a DPI.
ScreenMetrics screenMetrics(int dpi);
// A window's rectangle on the screen, for placing another beside it.
BesideRect windowRectOf(HWND window);

}  // namespace tavo::win
