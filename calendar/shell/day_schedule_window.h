// The day schedule window: a plain text editor for one section of one
// schedule file, or for the memo. One at a time.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/calc/day_date.h"
#include "calendar/data/path_settings.h"
#include "data_window.h"
#include "gdi.h"

namespace tavo::shell {

class CalendarWindow;

class DayScheduleWindow final : public DataWindow {
public:
    DayScheduleWindow(Process& p, ScheduleKind k, const DayDate& d) : DataWindow(WindowKind::DaySchedule, p), kind(k), date(d) {}
    static bool registerClass(HINSTANCE instance);
    HWND create() { return createPlaced(process.instance); }

    const ScheduleKind kind;
    const DayDate date;  // the selected date when it opened; later moves do not change it
    HWND edit = nullptr;
    GdiObject font;
    // The text as it was before the last change, to refuse one past the size limit.
    std::wstring accepted;
    bool acceptedModified = false;
    bool restoring = false;

    std::string dataFile() const;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the window for the calendar's selected date, or brings the open one
// forward (it keeps its own kind and date).
void openDaySchedule(CalendarWindow& a, ScheduleKind kind);

}  // namespace tavo::shell
