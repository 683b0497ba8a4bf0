// The range view: everything around the selected date in one scrolling list.
#pragma once

#include <windows.h>

#include "calendar/data/range_list.h"
#include "design_objects.h"
#include "gdi.h"
#include "process.h"
#include "shared/messages.h"
#include "window.h"

namespace tavo::shell {

class CalendarWindow;

class RangeViewWindow final : public Window {
public:
    RangeViewWindow(Process& p, CalendarWindow& c) : Window(WindowKind::RangeView), process(p), calendar(c) {}
    static bool registerClass(HINSTANCE instance);
    HWND create(HWND owner);

    Process& process;
    CalendarWindow& calendar;
    RangeList list;
    RangeCollector collector;  // keeps its buffers from one refresh to the next
    int scroll = 0;
    int linesPerPage = 1;
    int width = 0, height = 0;
    int dpi = 96;
    HWND scrollBar = nullptr;
    DesignObjects objects;
    GdiObject wallpaper;
    WindowSlots slots{};
    WindowIcons icons;
    bool rightReleasePending = false;
    bool keyboardMenuPending = false;

    SharedSettings& shared() const { return *process.settings; }
    WindowStyle& style() const { return shared().style[windowKindInfo(WindowKind::RangeView).style]; }
    DesignSet& design() const { return shared().design[windowKindInfo(WindowKind::RangeView).design]; }
    const DateFormatSet& dateFormats() const {
        return shared().dateFormats[windowKindInfo(WindowKind::RangeView).dateFormats];
    }

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The request the view and the range check collect with.
RangeRequest rangeRequestOf(CalendarWindow& a);
// Plays the birthday sound when it has not played today (a collection listed a birthday of today).
void playBirthdaySound(CalendarWindow& a);
// Opens the view, or brings the open one forward and refreshes it.
void openRangeView(CalendarWindow& a);
// At start-up and after a change of date: opens the view when its list would hold data.
void runRangeCheck(CalendarWindow& a);

}  // namespace tavo::shell
