// What the month view paints, in order: band and cell fills, reliefs, day-off
// frames, the caption, weekday names, rokuyo, day numbers and the buttons.
#pragma once

#include <string>
#include <vector>

#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "paint_ops.h"
#include "shared/window_settings.h"

namespace tavo {

struct MonthPaintInput {
    const MonthGrid& grid;
    const MonthLayout& layout;
    const WindowStyle& style;
    const DesignSet& design;
    const DayOffTable& dayOff;
    int selectedDay;
    int selectedWeekday;
    std::string caption;             // the YearMon text
    const std::string* weekdayNames;  // seven, Sunday first
    int dpi = 96;                     // of the window: the smallest legible text scales with it
    bool hatchForecasts = false;      // holidays not fixed yet hatched
    bool markKinds = false;           // high contrast: rest days underlined, days with data a corner cut off
};

// Every text is placed inside its band or cell, clear of the relief lines
// and of the other text of its cell. A text too large for its box is drawn
// in a smaller size of its font; in a cell the rokuyo gives way first (it
// shrinks with the day number, and is left out below a legible size), then
// the day number shrinks.

std::vector<PaintOp> planMonthPaint(const MonthPaintInput& input, TextMeasure& measure);

// The band heights of a window at `dpi`: the design's heights are kept at
// 96 DPI; the status bar's is measured (physical) and 0 when not shown.
BandHeights scaledBandHeights(const DesignSet& design, const WindowStyle& style, int statusBarHeight, int dpi);

// The size a part's font is built at, from the laid-out geometry: the bands'
// heights for YearMon and Week, the first row and column for the cells.
FontSize monthFontSize(const DesignSet& design, const MonthLayout& layout, int part, DesignState state);

// Text offset of a relief: raised texts move up-left, sunken down-right.
int reliefTextOffset(int relief);

}  // namespace tavo
