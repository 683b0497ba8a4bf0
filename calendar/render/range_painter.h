// What the range view paints: one box per line from the scroll position on,
// header lines in SchDate and data lines in SchData, then the SchBack box.
#pragma once

#include <vector>

#include "calendar/data/range_list.h"
#include "paint_ops.h"
#include "shared/window_settings.h"

namespace tavo {

struct RangePaintInput {
    const RangeList& list;
    int scroll;                // index of the first line shown
    int width, height;         // drawing width (less the scroll bar) and client height
    const WindowStyle& style;  // the range view's: transparent and wallpaper modes draw no boxes
    const DesignSet& design;   // the range view's set
    int dpi = 96;
};

// The height of a line of each part at the window's DPI, never below 1.
int rangeLineHeight(const DesignSet& design, int part, int dpi);
// Lines a page holds: the client height in SchDate lines.
int rangeLinesPerPage(const DesignSet& design, int clientHeight, int dpi);
// The size of a part's font at the window's DPI.
FontSize rangeFontSize(const DesignSet& design, int part, DesignState state, int dpi);

std::vector<PaintOp> planRangePaint(const RangePaintInput& input, TextMeasure& measure);

}  // namespace tavo
