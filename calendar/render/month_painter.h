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
};

std::vector<PaintOp> planMonthPaint(const MonthPaintInput& input, TextMeasure& measure);

// Text offset of a relief: raised texts move up-left, sunken down-right.
int reliefTextOffset(int relief);

}  // namespace tavo
