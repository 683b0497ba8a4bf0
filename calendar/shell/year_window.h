// 年間カレンダー ("TavoYear"): the twelve months of the calendar's year in
// its colours. A click selects the day in the calendar, a double click opens
// the range view there; the arrows move by day and week, Page Up/Down by
// year; the holiday's name shows as a tooltip.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "calendar/render/year_view.h"
#include "design_objects.h"
#include "shared/window_settings.h"
#include "shared/year_settings.h"
#include "win/commands.h"
#include "win/painted_window.h"

namespace tavo::shell {

class CalendarWindow;

// Opens the year view (made on first use) on the calendar's year.
void openYearView(CalendarWindow& a);

class YearWindow final : public win::PaintedWindow, public win::AccessibleContent {
public:
    explicit YearWindow(CalendarWindow& calendar);
    ~YearWindow() override;
    void open();
    // The calendar's date changed: the year again when it is another, then a repaint.
    void follow();

    CalendarWindow& calendar;
    // Moves the calendar's selection by days (or to the same day of another year).
    void moveBy(int days);
    void moveYears(int years);

private:
    void paint(HDC dc, int width, int height) override;
    COLORREF plainBackground() const override;
    bool keepsPlacement() const override { return false; }
    void dpiChanged() override;
    win::AccessibleContent* accessibleContent() override { return this; }
    long accessibleRole() const override;
    int accessiblePartCount() const override;
    win::AccessiblePart accessiblePart(int index) const override;
    int selectedAccessiblePart() const override;
    void chooseAccessiblePart(int index) override;
    LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void rebuild();
    void layOut();
    void select(YearHit hit, bool openRangeView);
    void showTip(int x, int y);
    void savePlacement();

    WindowStyle ownStyle_{};  // plain: no wallpaper, no transparency
    YearViewSettings settings_{};
    YearGrids grids_{};
    struct DayPart {
        int month, cell;
    };
    std::vector<DayPart> dayParts_;  // the shown year's days as readers list them, made with the grids
    int year_ = 0;
    YearLayout layout_{};
    DesignObjects objects_;
    HWND tip_ = nullptr;
    YearHit tipDay_{};
    std::wstring tipText_;
};

const win::CommandList<YearWindow>& yearViewCommands();

}  // namespace tavo::shell
