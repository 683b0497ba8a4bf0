// What the data windows (day schedule, birthdays) share: placement in their
// slot with their own DPI, the tray as owner, a body control that fills the
// client and takes the focus, a menu whose commands are rows of the window's
// list (the external program in the system menu among them), the same menu
// on a right click, closing through the window, and problems told once the
// window shows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "calendar/calc/day_date.h"
#include "process.h"
#include "shared/window_settings.h"
#include "win/commands.h"
#include "win/placed_window.h"
#include "win/tell.h"

namespace tavo::shell {

class DataWindow : public win::PlacedWindow {
public:
    Process& process;
    const DayDate date;  // the selected date when it opened; later moves do not change it

    // Creates the window at its slot, owned by the tray when it runs, with the
    // external command at position 6 of its system menu, and shows it.
    HWND create();

    SharedSettings& shared() const { return *process.settings; }
    // Stores the slot when the user wants placements kept.
    void saveSlotWanted() {
        if (shared().env.keepPlacements) saveSlot();
    }
    // A problem found while loading, told once the window shows (UM_PLACE).
    void tellWhenShown(std::wstring text);
    // Runs a command of the window's list (menu, system menu); false when it has none or it is grey.
    virtual bool runCommand(UINT id) = 0;
    // Greys and enables the items of a menu from the list's rows.
    virtual void updateMenu(HMENU menu) const = 0;

protected:
    DataWindow(WindowKind kind, Process& p, const DayDate& d) : PlacedWindow(kind, p.instance, p.store), process(p), date(d) {}
    // The control the window is made of.
    virtual HWND body() const = 0;
    // Before the menu opens on a right click at a screen point (-1, -1 from the keyboard).
    virtual void beforeContextMenu(POINT) {}
    // WM_CLOSE and UM_CLOSE.
    virtual void close() = 0;
    // The window's own messages beyond those every data window handles.
    virtual LRESULT onDataMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    void onContextMenu(LPARAM where);
    std::wstring pending_;
};

// A data window whose commands are the rows of Target::commandList().
template <class Target>
class ListedDataWindow : public DataWindow {
public:
    bool runCommand(UINT id) override { return Target::commandList().run(static_cast<Target&>(*this), id); }
    void updateMenu(HMENU menu) const override { Target::commandList().updateMenu(static_cast<const Target&>(*this), menu); }

protected:
    using DataWindow::DataWindow;
};

// Brings the open window of the kind forward; false when there is none.
bool bringForward(WindowKind kind);
// Registers a data window's class: the program's icon, its menu, the window colour.
bool registerDataWindowClass(HINSTANCE instance, WindowKind kind, const wchar_t* menu);

// Opens a data window of a kind and date, or brings the open one forward
// (it keeps its own kind and date); the window is held by the calendar.
template <class DataWindowType, class Kind>
void openDataWindow(std::unique_ptr<DataWindowType>& held, Process& process, HWND calendar, Kind kind, const DayDate& date,
                    const wchar_t* failure) {
    if (bringForward(DataWindowType::kWindowKind)) return;
    held = std::make_unique<DataWindowType>(process, kind, date);
    if (!DataWindowType::registerClass(process.instance) || held->create() == nullptr)
        win::tellUser(calendar, failure, win::Tone::Error);
}

}  // namespace tavo::shell
