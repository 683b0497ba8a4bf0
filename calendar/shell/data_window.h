// What the data windows (day schedule, birthdays) share: placement in their
// slot, the tray as owner, the external command in the system menu, and the
// small helpers for telling the user and for the input method.
#pragma once

#include <windows.h>

#include <string>

#include "process.h"
#include "shared/window_settings.h"
#include "window.h"

namespace tavo::shell {

class DataWindow : public Window {
public:
    Process& process;
    WindowSlots slots{};
    WindowIcons icons;
    int dpi = 96;

    SharedSettings& shared() const { return *process.settings; }
    // Stores the normal rectangle in the kind's slot when the user wants placements kept.
    void saveSlot();
    // A problem found while loading, told once the window shows (UM_PLACE).
    void tellWhenShown(std::wstring text);
    void tellPending();

protected:
    DataWindow(WindowKind kind, Process& p) : Window(kind), process(p) {}
    // Creates the window at its slot, owned by the tray when it runs, with the
    // external command at position 6 of its system menu, and shows it.
    HWND createPlaced(HINSTANCE instance);

private:
    std::wstring pending_;
};

// Brings the open window of the kind forward; false when there is none.
bool bringForward(WindowKind kind);
void warnUser(HWND owner, const std::wstring& text);
void setInputMethod(HWND window, bool open);
// The whole text of a window of this process.
std::wstring textOf(HWND window);

}  // namespace tavo::shell
