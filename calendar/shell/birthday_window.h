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

class BirthdayWindow final : public DataWindow {
public:
    BirthdayWindow(Process& p, PersonalDayKind k, const DayDate& d) : DataWindow(WindowKind::Birthday, p), kind(k), date(d) {}
    static bool registerClass(HINSTANCE instance);
    HWND create() { return createPlaced(process.instance); }

    const PersonalDayKind kind;
    const DayDate date;  // the selected date when it opened; ages are counted from its year
    HWND list = nullptr;
    // The day's entries as the month file holds them; every change is written at once.
    DayEntries day;

    std::string monthFile() const;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the window for the calendar's selected date, or brings the open one forward.
void openBirthdays(CalendarWindow& a, PersonalDayKind kind);

}  // namespace tavo::shell
