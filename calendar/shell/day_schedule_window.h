// The day schedule window: a plain text editor for one section of one
// schedule file, or for the memo. One at a time.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/path_settings.h"
#include "gdi.h"
#include "process.h"
#include "calendar/calc/day_date.h"
#include "window.h"

namespace tavo::shell {

class CalendarWindow;

class DayScheduleWindow final : public Window {
public:
    DayScheduleWindow(Process& p, ScheduleKind k, const DayDate& d) : Window(WindowKind::DaySchedule), process(p), kind(k), date(d) {}
    static bool registerClass(HINSTANCE instance);
    HWND create(HWND owner);

    Process& process;
    const ScheduleKind kind;
    const DayDate date;  // the selected date when it opened; later moves do not change it
    HWND edit = nullptr;
    GdiObject font;
    WindowIcons icons;
    WindowSlots slots{};
    int dpi = 96;
    // The text as it was before the last change, to refuse one past the size limit.
    std::wstring accepted;
    bool acceptedModified = false;
    bool restoring = false;
    std::wstring loadProblem;  // told once the window shows

    SharedSettings& shared() const { return *process.settings; }
    std::string dataFile() const;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the window for the calendar's selected date, or brings the open one
// forward (it keeps its own kind and date).
void openDaySchedule(CalendarWindow& a, ScheduleKind kind);

}  // namespace tavo::shell
