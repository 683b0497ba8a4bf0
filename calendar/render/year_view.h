// The year at a glance: the twelve months in the grid of months that gives
// the largest day cells, each a small month in the calendar's colours.
#pragma once

#include <string>
#include <vector>

#include "calendar/data/month_grid.h"
#include "paint_ops.h"

namespace tavo {

// A month is seven cells wide and eight high: its name, the weekdays, six weeks.
struct YearLayout {
    int columns = 0, rows = 0;  // months across and down
    int cell = 0;               // a day cell's side
    Rect month[12]{};           // January first
};
// Of 4x3, 3x4, 6x2 and 2x6 months, the one with the largest cells, centred in the area.
YearLayout layoutYear(Rect area);
Rect yearCellRect(const YearLayout& layout, int month, int cell);  // month 1..12, the grid's cell index

struct YearHit {
    int month = 0;  // 0: no day
    int day = 0;
};
// The day of the shown month under a point (other months' days are left empty).
YearHit yearDayAt(const YearLayout& layout, const YearGrids& grids, int x, int y);

struct YearPaintInput {
    const YearGrids& grids;
    const YearLayout& layout;
    const DesignSet& design;        // the calendar's
    const std::string* monthNames;   // twelve, CP932
    const std::string* weekdayNames;  // seven, Sunday first
    YearHit selected;                 // month 0: none (on paper)
    YearHit today;                    // month 0: not in this year
    int dpi = 96;
    int lineWidth = 0;  // frames' pen width in device units; 0: the design's
    int fontHeight = 0;  // texts fitted from fonts of this cell height; 0: the fonts as built
    bool markKinds = false;  // high contrast: rest days underlined, days with data a corner cut off
};

// Per month: its name, the weekday names, each day's fill and number in the
// colours of its kind (data marks as the calendar shows them), the frames of
// days off and of today. Texts are fitted to the smallest box of their kind.
std::vector<PaintOp> planYearPaint(const YearPaintInput& input, TextMeasure& measure);

}  // namespace tavo
