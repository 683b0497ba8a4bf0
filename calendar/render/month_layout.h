// Geometry of the calendar window's client area: the caption band, the
// weekday row, 7 x 6 day cells and the button band, for any size.
#pragma once

#include <cstdint>
#include <vector>

namespace tavo {

struct Rect {
    int left, top, width, height;
    bool contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct MonthLayout {
    std::int32_t clientWidth, clientHeight;
    std::int32_t columnWidth[7], columnLeft[7];
    std::int32_t rowHeight[6], rowTop[6];  // rowTop relative to the grid top
    bool weekRowOverride;
    std::int32_t weekRowOverrideHeight;
    // The band heights the layout was computed from.
    std::int32_t yearMonHeight, weekHeight, buttonBandHeight, statusBarHeight;
};

struct BandHeights {
    int yearMon, week, buttonBand, statusBar;  // buttonBand/statusBar 0 when not shown
};

void computeMonthLayout(MonthLayout& layout, int width, int height, BandHeights bands);

int weekRowHeight(const MonthLayout& layout);
int gridTop(const MonthLayout& layout);
Rect cellRect(const MonthLayout& layout, int column, int row);
Rect weekdayRect(const MonthLayout& layout, int column);
Rect yearMonRect(const MonthLayout& layout);
Rect buttonBandRect(const MonthLayout& layout);

// Weekday shown in a column, and the column of a weekday (week start 0 Sunday, 1 Monday).
inline int weekdayOfColumn(int column, int weekStart) { return (column + weekStart) % 7; }
inline int columnOfWeekday(int weekday, int weekStart) { return (weekday - weekStart + 7) % 7; }

enum class ButtonSymbol { Bar, LeftArrow, RightArrow, DoubleLeftArrow, DoubleRightArrow };
enum class ButtonAction { YearBack, MonthBack, Today, MonthForward, YearForward };

struct DateButton {
    ButtonAction action;
    ButtonSymbol symbol;
    Rect rect;
};

// The buttons of the band, left to right; empty when there is no band.
std::vector<DateButton> dateButtons(const MonthLayout& layout, bool monthButtons, bool yearButtons);

struct Point {
    int x, y;
    friend bool operator==(const Point&, const Point&) = default;
};
// The filled shapes of a symbol: polygons (a bar is a four-point polygon).
std::vector<std::vector<Point>> buttonSymbolShapes(ButtonSymbol symbol, const Rect& button);

// Hit-testing.
enum class Band { YearMon, WeekdayRow, Grid, Buttons, None };
Band bandAt(const MonthLayout& layout, int y);
int columnAt(const MonthLayout& layout, int x);
int rowAt(const MonthLayout& layout, int y);  // -1 outside the grid
const DateButton* buttonAt(const std::vector<DateButton>& buttons, int x, int y);

}  // namespace tavo
