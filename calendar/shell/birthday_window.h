// The birthday and anniversary window: the entries of one day of the year,
// listed with their ages or years, added and deleted one at a time.
#pragma once

#include <windows.h>

#include <vector>

#include "calendar/calc/day_date.h"
#include "calendar/data/personal_days.h"
#include "data_window.h"

namespace tavo::shell {

class CalendarWindow;

class BirthdayWindow final : public ListedDataWindow<BirthdayWindow> {
public:
    static constexpr WindowKind kWindowKind = WindowKind::Birthday;
    BirthdayWindow(Process& p, PersonalDayKind k, const DayDate& d) : ListedDataWindow(kWindowKind, p, d), kind(k) {}
    static bool registerClass(HINSTANCE instance);

    const PersonalDayKind kind;
    HWND list = nullptr;
    // The day's entries as the month file holds them; every change is written at once.
    DayEntries day;

    std::string monthFile() const;

    static const win::CommandList<BirthdayWindow>& commandList();

private:
    HWND body() const override { return list; }
    void beforeContextMenu(POINT at) override;
    void close() override;
    LRESULT onDataMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the window for the calendar's selected date, or brings the open one forward.
void openBirthdays(CalendarWindow& a, PersonalDayKind kind);

}  // namespace tavo::shell
