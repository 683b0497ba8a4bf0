// The popup menus of "PopMenu", pruned by the popup-menu switches, and the
// calendar's extended system menu.
#pragma once

#include <windows.h>

#include "shared/window_settings.h"

namespace tavo::shell {

struct Menus {
    HMENU resource = nullptr;
    HMENU day = nullptr;        // "Pop"
    HMENU statusBar = nullptr;  // "StPop"
    HMENU topBand = nullptr;    // "TopPop"
    HMENU rangeView = nullptr;  // "ScvPop", the range view's
};

// Deletes the items whose switches are off (and the recurring submenu when switch 1 is).
void prunePopup(HMENU popup, int submenuPosition, const PopupMenuFlags& flags);
void extendSystemMenu(HWND window, HINSTANCE instance, const char* externalCaption);
void buildMenus(Menus& menus, HWND window, HINSTANCE instance, const PopupMenuFlags& flags);
void destroyMenus(Menus& menus, HWND window);

}  // namespace tavo::shell
