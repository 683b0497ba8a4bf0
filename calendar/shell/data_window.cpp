#include "data_window.h"

#include <imm.h>

#include <utility>

#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/messages.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {

void DataWindow::saveSlot() {
    if (shared().env.sav) saveSlotOf(window, slots, windowKindInfo(kind()).slot, process.store, dpi);
}

void DataWindow::tellWhenShown(std::wstring text) {
    pending_ = std::move(text);
    PostMessageW(window, UM_PLACE, 0, 0);
}

void DataWindow::tellPending() {
    if (!pending_.empty()) warnUser(window, std::exchange(pending_, {}));
}

HWND DataWindow::createPlaced(HINSTANCE instance) {
    const int slot = windowKindInfo(kind()).slot;
    const int systemDpi = windowDpi(nullptr);
    loadWindowSlot(slots, slot, true, process.store, screenMetrics(systemDpi), systemDpi);
    HWND created = create(instance, 0, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, findWindowOf(WindowKind::Tray),
                          windowKindInfo(kind()).className);
    if (created == nullptr) return nullptr;
    InsertMenuW(GetSystemMenu(created, FALSE), 6, MF_BYPOSITION | MF_STRING, CMD_EXTERNAL,
                cp932ToWide(shared().paths.externalCaption).c_str());
    placeFromSlot(created, slots, slot, SW_SHOWNORMAL, dpi);
    UpdateWindow(created);
    return created;
}

bool bringForward(WindowKind kind) {
    HWND open = findWindowOf(kind);
    if (open == nullptr) return false;
    if (IsIconic(open)) ShowWindow(open, SW_RESTORE);
    SetForegroundWindow(open);
    return true;
}

void warnUser(HWND owner, const std::wstring& text) { MessageBoxW(owner, text.c_str(), L"Tavo", MB_OK | MB_ICONWARNING); }

void setInputMethod(HWND window, bool open) {
    if (HIMC context = ImmGetContext(window)) {
        ImmSetOpenStatus(context, open ? TRUE : FALSE);
        ImmReleaseContext(window, context);
    }
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace tavo::shell
