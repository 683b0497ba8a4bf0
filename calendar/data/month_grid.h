// The 7 x 6 cells of the shown month: day numbers, kinds, closed flags,
// rokuyo and the marks of days that carry data.
#pragma once

#include <cstdint>

#include "data_sources.h"
#include "day_off.h"

namespace tavo {

struct ClosedDays;

inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 6;
inline constexpr int kGridCells = kGridColumns * kGridRows;
inline constexpr int kOtherMonth = 100;  // added to the day of a cell outside the shown month

struct CellPosition {
    std::int32_t column, row;
};

// Cells are numbered column * 6 + row.
struct MonthGrid {
    std::uint8_t cellClosed[kGridCells];  // shown month only
    std::uint8_t rokuyoShown;             // the year has rokuyo
    char cellRokuyo[kGridCells][5];
    char cellDayText[kGridCells][3];
    std::int32_t cellDay[kGridCells];  // day + 100 outside the shown month
    std::int32_t cellKind[kGridCells];  // DayKind, shown month only
    std::int32_t cellMark[kGridCells];
    std::uint8_t dayClosed[32];      // by day 1..31
    CellPosition dayCell[32];        // by day 1..31
    std::int32_t year, month;        // the shown month
    std::int32_t weekStart;          // 0 Sunday, 1 Monday
};

inline int cellIndex(int column, int row) { return column * kGridRows + row; }

struct GridLayoutChoice {
    bool mondayFirst;        // rok
    bool firstWeekIsThisMonth;  // fwk: a 1st in column 0 stays in row 0
};

void rebuildMonthGrid(MonthGrid& grid, int year, int month, GridLayoutChoice choice, const ClosedDays& closedDays);
// The solar term of a day of the shown month in place of its rokuyo.
void showSolarTermsForRokuyo(MonthGrid& grid);
// Reads each reflected file once and marks the cells of the days that carry data.
void rebuildMarks(MonthGrid& grid, const DataSources& sources);
// Grid, marks and the day-off table of the year, as the calendar does on every change.
void rebuildMonth(MonthGrid& grid, DayOffTable& dayOff, int year, int month, GridLayoutChoice choice,
                  const DataSources& sources);

// The twelve months of a year as the calendar builds them, and its days off.
struct YearGrids {
    MonthGrid months[12];
    DayOffTable dayOff;
};
void rebuildYear(YearGrids& grids, int year, GridLayoutChoice choice, const DataSources& sources);

// The date a cell shows; false past 31 December 9999.
bool cellDate(const MonthGrid& grid, int cell, int& year, int& month, int& day);
int columnOfWeekday(const MonthGrid& grid, int weekday);

}  // namespace tavo
