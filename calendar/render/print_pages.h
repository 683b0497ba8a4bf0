// Pages on paper: a month with each day's lines in its cell, the year on one
// page, or the range view's list, planned as paint operations in the device
// units of a printer (or of a PDF) — the same operations the screen draws.
#pragma once

#include <string>
#include <vector>

#include "calendar/data/month_grid.h"
#include "calendar/data/range_list.h"
#include "paint_ops.h"
#include "shared/year_settings.h"

namespace tavo {

struct PaperSize {
    int width, height;  // portrait, in tenths of a millimetre
};
PaperSize paperSize(Paper paper);
const char* paperName(Paper paper);  // "A4", ..., "Letter"

// A sheet in device units, and the area of it the printer can print on.
struct Sheet {
    int width, height;
    Rect printable;
    int dpi;
};
// The whole sheet printable (a PDF).
Sheet wholeSheet(Paper paper, bool landscape, int dpi);
// The margins measured from the sheet's edges, but never outside what can be printed.
Rect contentArea(const Sheet& sheet, int marginMillimetres);
int deviceUnits(double millimetres, int dpi);  // at least 1

// A day as the month page shows it.
struct PrintedDay {
    std::string name;                // holiday or closed day, CP932
    std::vector<std::string> lines;  // the day's data, as the range view lists it
};

struct MonthPageInput {
    const MonthGrid& grid;  // with its marks
    const DayOffTable& dayOff;
    const DesignSet& design;  // the calendar's
    std::string caption;      // "2026年12月 令和8年"
    const std::string* weekdayNames;  // seven, Sunday first
    const PrintedDay* days;           // 32, by day of the month
    int dpi;
};
// The 7 x 6 grid filling the area: each day's number, name and rokuyo on
// its first line, then its lines as many as fit, the rest counted ("他 N 件").
std::vector<PaintOp> planMonthPage(const MonthPageInput& input, Rect area, TextMeasure& measure);
// The days of a month from a range list collected over it (kRangeMonth).
void printedDaysOf(const RangeList& list, const MonthGrid& grid, const ClosedDays& closedDays, PrintedDay (&days)[32]);

// The twelve months on one page under a title ("2026年 令和8年").
std::vector<PaintOp> planYearPage(const YearGrids& grids, const DesignSet& design, const std::string* weekdayNames,
                                  const std::string& title, Rect area, int dpi, TextMeasure& measure);

// The list over as many pages as it needs, a page number at each foot.
std::vector<std::vector<PaintOp>> planRangePages(const RangeList& list, const std::string& title, Rect area, int dpi, TextMeasure& measure);

// What to print and from where: the pages of a month, a year or the range
// view's list around a date, the design a kind of page is drawn in.
struct PrintRequest {
    PrintWhat what;
    int year, month, day;
    GridLayoutChoice grid;             // the calendar's week start
    RangeViewSettings range;           // the list's span (a range page)
    const DateFormatSet& rangeFormats;  // the list's date headers
    const LocaleInfo& locale;
    const std::string* weekdayNames;   // seven, Sunday first
};
std::vector<std::vector<PaintOp>> planPrintJob(const PrintRequest& request, const DataSources& sources, const DesignSet& design,
                                               Rect area, int dpi, TextMeasure& measure);
// The calendar's design draws months and years, the range view's the list.
inline bool printsInRangeDesign(PrintWhat what) { return what == PrintWhat::Range; }

// "令和8年" ("令和元年" for the first year); "" before the eras.
std::string eraYearText(int year, int month);

// The design as it prints: itself, or in black and white texts black and
// fills white, light grey where the design's is not white (edges follow).
DesignSet printedDesign(const DesignSet& design, bool colour);

}  // namespace tavo
