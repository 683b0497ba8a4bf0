// The range view: everything around the selected date in one scrolling list.
#pragma once

#include <windows.h>

#include "calendar/data/range_list.h"
#include "design_objects.h"
#include "win/handles.h"
#include "process.h"
#include "shared/messages.h"
#include "win/commands.h"
#include "win/painted_window.h"

namespace tavo::shell {

class CalendarWindow;

class RangeViewWindow final : public win::PaintedWindow, public win::AccessibleContent {
public:
    RangeViewWindow(Process& p, CalendarWindow& c)
        : PaintedWindow(WindowKind::RangeView, p.instance, p.store, styleOf(p, WindowKind::RangeView)), process(p), calendar(c) {}
    static bool registerClass(HINSTANCE instance);
    HWND create(HWND owner);

    Process& process;
    CalendarWindow& calendar;
    RangeList list;
    RangeCollector collector;  // keeps its buffers from one refresh to the next
    int scroll = 0;
    int linesPerPage = 1;
    int width = 0, height = 0;
    HWND scrollBar = nullptr;
    DesignObjects objects;
    bool rightReleasePending = false;
    bool keyboardMenuPending = false;

    SharedSettings& shared() const { return *process.settings; }
    DesignSet& design() const { return designOf(process, kind()); }
    const DateFormatSet& dateFormats() const { return dateFormatsOf(process, kind()); }

private:
    void paint(HDC dc, int width, int height) override;
    int paintedWidth() const override;
    bool keepsPlacement() const override { return shared().env.keepPlacements != 0; }
    void dpiChanged() override;
    win::AccessibleContent* accessibleContent() override { return this; }
    long accessibleRole() const override;
    int accessiblePartCount() const override;
    win::AccessiblePart accessiblePart(int index) const override;
    int selectedAccessiblePart() const override;
    void chooseAccessiblePart(int index) override;
    LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The view's commands (its popup, its system menu) and the keys that run them.
const win::CommandList<RangeViewWindow>& rangeViewCommands();

// The request the view and the range check collect with.
RangeRequest rangeRequestOf(CalendarWindow& a);
// Plays the birthday sound when it has not played today (a collection listed a birthday of today).
void playBirthdaySound(CalendarWindow& a);
// Opens the view, or brings the open one forward and refreshes it.
void openRangeView(CalendarWindow& a);
// At start-up and after a change of date: opens the view when its list would hold data.
void runRangeCheck(CalendarWindow& a);

}  // namespace tavo::shell
