#include "data_window.h"

#include <utility>

#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/messages.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::shell {

void DataWindow::tellWhenShown(std::wstring text) {
    pending_ = std::move(text);
    PostMessageW(window, UM_PLACE, 0, 0);
}

HWND DataWindow::create() {
    const int slot = windowKindInfo(kind()).slot;
    const int systemDpi = windowDpi(nullptr);
    HWND calendar = findWindowOf(WindowKind::Calendar);
    const BesideRect beside = win::windowRectOf(calendar);
    loadWindowSlot(slots, slot, true, process.store, screenMetrics(systemDpi), systemDpi, calendar ? &beside : nullptr);
    HWND created = PlacedWindow::create(process.instance, 0, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, findWindowOf(WindowKind::Tray),
                          windowKindInfo(kind()).className);
    if (created == nullptr) return nullptr;
    InsertMenuW(GetSystemMenu(created, FALSE), 6, MF_BYPOSITION | MF_STRING, CMD_EXTERNAL,
                cp932ToWide(shared().paths.externalCaption).c_str());
    placeFromSlot(created, slots, slot, SW_SHOWNORMAL, dpi);
    UpdateWindow(created);
    return created;
}

// The window's menu on a right click in its body (or the menu key).
void DataWindow::onContextMenu(LPARAM where) {
    POINT p{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    beforeContextMenu(p);
    if (where == -1) {
        p = {0, 0};
        ClientToScreen(body(), &p);
    }
    HMENU popup = GetSubMenu(GetMenu(window), 0);
    updateMenu(popup);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, p.x, p.y, 0, window, nullptr);
}

LRESULT DataWindow::onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: MoveWindow(body(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
        case WM_SETFOCUS: SetFocus(body()); return 0;
        case WM_CLOSE:
        case UM_CLOSE: close(); return 0;
        case WM_COMMAND:
            if (lParam != 0) break;  // the body's notifications
            runCommand(LOWORD(wParam));
            return 0;
        case WM_SYSCOMMAND:
            if (wParam < SC_SIZE && runCommand(static_cast<UINT>(wParam))) return 0;
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_INITMENUPOPUP: updateMenu(reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_MENUSELECT:
            if (HMENU bar = GetMenu(window)) updateMenu(GetSubMenu(bar, 0));
            return 0;
        case WM_CONTEXTMENU: onContextMenu(lParam); return 0;
        case UM_PLACE:
            if (!pending_.empty()) win::tellUser(window, std::exchange(pending_, {}));
            return 0;
        default: break;
    }
    return onDataMessage(message, wParam, lParam);
}

bool registerDataWindowClass(HINSTANCE instance, WindowKind kind, const wchar_t* menu) {
    return win::Window::registerOnce(instance, kind, CS_HREDRAW | CS_VREDRAW, menu, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

bool bringForward(WindowKind kind) {
    HWND open = findWindowOf(kind);
    if (open == nullptr) return false;
    if (IsIconic(open)) ShowWindow(open, SW_RESTORE);
    SetForegroundWindow(open);
    return true;
}

}  // namespace tavo::shell
