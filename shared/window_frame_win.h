// Giving an open window a new frame (Windows only).
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavo {

// Gives the window the style bits (title bar, boxes, sizing border) while
// keeping its client area where it is on the screen, the client growing at
// the bottom by clientGrowth pixels; then UM_STATUSBAR lets the window build
// its status bar and lay out anew. The window is hidden meanwhile and shown
// again without being activated.
void applyWindowFrame(HWND window, std::int32_t styleBits, int clientGrowth);

}  // namespace tavo
