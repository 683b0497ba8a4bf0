// The day schedule window: a plain text editor for one section of one
// schedule file, or for the memo. One at a time.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/calc/day_date.h"
#include "calendar/data/path_settings.h"
#include "calendar/data/section_file.h"
#include "data_window.h"
#include "win/handles.h"

namespace tavo::shell {

class CalendarWindow;

class DayScheduleWindow final : public ListedDataWindow<DayScheduleWindow> {
public:
    static constexpr WindowKind kWindowKind = WindowKind::DaySchedule;
    DayScheduleWindow(Process& p, ScheduleKind k, const DayDate& d) : ListedDataWindow(kWindowKind, p, d), kind(k) {}
    static bool registerClass(HINSTANCE instance);

    const ScheduleKind kind;
    // Where the text was read, and what was there: a save goes back there and
    // merges what changed outside since.
    SchedulePlace place;
    std::string readText;
    HWND edit = nullptr;
    win::GdiObject font;
    // The text as it was before the last change, to refuse one past the size limit.
    std::wstring accepted;
    bool acceptedModified = false;
    bool restoring = false;

    std::string dataFile() const;

    static const win::CommandList<DayScheduleWindow>& commandList();

private:
    HWND body() const override { return edit; }
    void close() override;
    void dpiChanged() override;
    LRESULT onDataMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the window for the calendar's selected date, or brings the open one
// forward (it keeps its own kind and date).
void openDaySchedule(CalendarWindow& a, ScheduleKind kind);

}  // namespace tavo::shell
