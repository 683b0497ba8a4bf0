#include "month_grid.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "personal_days.h"
#include "recurrence.h"
#include "section_file.h"
#include "shared/almanac.h"
#include "shared/date_math.h"
#include "shared/file_system.h"
#include "shared/rokuyo.h"
#include "shared/window_settings.h"
#include "subscriptions.h"

namespace tavo {
namespace {

// Serial day of the cell in row 0, column 0.
int firstCellSerial(const MonthGrid& grid, bool firstWeekIsThisMonth) {
    const int first = serialDayOf(grid.year, grid.month, 1);
    int column = columnOfWeekday(grid, weekdayOf(grid.year, grid.month, 1));
    if (column == 0 && !firstWeekIsThisMonth) column = 7;
    return first - column;
}

// Kind and closed flag of a day of the shown month (the month-grid test).
void classify(MonthGrid& grid, int cell, int day, const ClosedDays& closedDays) {
    const bool closed = monthGridClosed(closedDays, grid.year, grid.month, day);
    grid.cellClosed[cell] = closed;
    grid.dayClosed[day] = closed;
    grid.cellKind[cell] = dayKindOf(closedDays, grid.year, grid.month, day);
}

std::string readWhole(const FileSystem& files, const std::string& path) {
    const FileContent file = files.readFile(path);
    return file.opened ? std::string(completeLines(file)) : std::string();
}

void markDay(MonthGrid& grid, int day) {
    if (day < 1 || day > monthLengthOf(grid.year, grid.month)) return;
    const CellPosition p = grid.dayCell[day];
    grid.cellMark[cellIndex(p.column, p.row)] = 1;
}

void markSections(MonthGrid& grid, ScheduleKind kind, const DataSources& s) {
    const std::string content = readWhole(s.files, scheduleFile(s.paths, kind, grid.year, grid.month));
    const auto closed = [&grid](int day) { return grid.dayClosed[day] != 0; };
    // The day file is placed like an every-month file: no shifting.
    const ScheduleKind placing = kind == kScheduleDay ? kScheduleEveryMonth : kind;
    for (int key : sectionKeys(content)) markDay(grid, effectiveDay(placing, key, grid.year, grid.month, s.env.monthEndToLastDay, closed));
}

void markWeekdays(MonthGrid& grid, const DataSources& s) {
    const std::string content = readWhole(s.files, scheduleFile(s.paths, kScheduleEveryWeek, grid.year, grid.month));
    const CellPosition last = grid.dayCell[monthLengthOf(grid.year, grid.month)];
    for (int key : sectionKeys(content)) {
        if (key < 0 || key > 6) continue;
        const int column = columnOfWeekday(grid, key);
        // Down the column; the column of the month's last day stops there.
        const int lastRow = column == last.column ? last.row : kGridRows - 1;
        for (int row = 0; row <= lastRow && row < kGridRows; ++row) grid.cellMark[cellIndex(column, row)] = 1;
    }
}

void markPersonalDays(MonthGrid& grid, PersonalDayKind kind, const DataSources& s) {
    for (const PersonalEntry& e : readPersonalDays(s.files, s.paths, kind, grid.month))
        if (e.year <= grid.year) markDay(grid, e.day);
}

}  // namespace

int columnOfWeekday(const MonthGrid& grid, int weekday) { return (weekday - grid.weekStart + 7) % 7; }

bool cellDate(const MonthGrid& grid, int cell, int& year, int& month, int& day) {
    const int column = cell / kGridRows, row = cell % kGridRows;
    // Recover the first cell from where day 1 stands.
    const CellPosition one = grid.dayCell[1];
    const int serial = serialDayOf(grid.year, grid.month, 1) + (row - one.row) * 7 + (column - one.column);
    if (serial > serialDayOf(kLastYear, 12, 31)) return false;
    civilFromSerial(serial, year, month, day);
    return true;
}

void showSolarTermsForRokuyo(MonthGrid& grid) {
    for (int d = 1; d <= monthLengthOf(grid.year, grid.month); ++d)
        if (const char* term = solarTermOn(grid.year, grid.month, d)) {
            const CellPosition p = grid.dayCell[d];
            std::snprintf(grid.cellRokuyo[cellIndex(p.column, p.row)], sizeof grid.cellRokuyo[0], "%s", term);
        }
}

void rebuildMonthGrid(MonthGrid& grid, int year, int month, GridLayoutChoice choice, const ClosedDays& closedDays) {
    std::memset(&grid, 0, sizeof grid);
    grid.year = year;
    grid.month = month;
    grid.weekStart = choice.mondayFirst ? 1 : 0;
    grid.rokuyoShown = insideLunarTable(year);
    const int start = firstCellSerial(grid, choice.firstWeekIsThisMonth);
    const int lastSerial = serialDayOf(kLastYear, 12, 31);
    for (int position = 0; position < kGridCells; ++position) {
        const int column = position % kGridColumns, row = position / kGridColumns;
        const int cell = cellIndex(column, row);
        int y = 0, m = 0, d = 0;
        const int serial = start + position;
        if (serial <= lastSerial) civilFromSerial(serial, y, m, d);
        else d = serial - lastSerial;  // past the last computable day: a plain count
        const bool shown = y == year && m == month;
        grid.cellDay[cell] = shown ? d : d + kOtherMonth;
        std::snprintf(grid.cellDayText[cell], sizeof grid.cellDayText[cell], "%u", static_cast<unsigned>(d) % 100u);
        std::snprintf(grid.cellRokuyo[cell], sizeof grid.cellRokuyo[cell], "%s",
                      grid.rokuyoShown && insideLunarTable(y) ? rokuyoName(rokuyoOf(y, m, d)) : "  ");
        if (!shown) continue;
        grid.dayCell[d] = {column, row};
        classify(grid, cell, d, closedDays);
    }
}

void rebuildMarks(MonthGrid& grid, const DataSources& s) {
    std::memset(grid.cellMark, 0, sizeof grid.cellMark);
    markSections(grid, kScheduleDay, s);
    if (s.env.markEveryYear) markSections(grid, kScheduleEveryYear, s);
    if (s.env.markEveryMonth) {
        for (ScheduleKind kind : {kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier})
            markSections(grid, kind, s);
    }
    if (s.env.markEveryWeek) markWeekdays(grid, s);
    if (s.env.markBirthdays) markPersonalDays(grid, kBirthday, s);
    if (s.env.markAnniversaries) markPersonalDays(grid, kAnniversary, s);
    if (s.subscriptions)
        for (const SubscribedLine& line :
             subscribedLines(*s.subscriptions, serialDayOf(grid.year, grid.month, 1), serialDayOf(grid.year, grid.month, monthLengthOf(grid.year, grid.month)))) {
            int y, m, d;
            civilFromSerial(line.serial, y, m, d);
            markDay(grid, d);
        }
}

void rebuildYear(YearGrids& grids, int year, GridLayoutChoice choice, const DataSources& sources) {
    for (int m = 1; m <= 12; ++m) {
        rebuildMonthGrid(grids.months[m - 1], year, m, choice, sources.closedDays);
        rebuildMarks(grids.months[m - 1], sources);
    }
    loadDayOffTable(grids.dayOff, sources.files, sources.paths, year);
}

void rebuildMonth(MonthGrid& grid, DayOffTable& dayOff, int year, int month, GridLayoutChoice choice,
                  const DataSources& sources) {
    rebuildMonthGrid(grid, year, month, choice, sources.closedDays);
    loadDayOffTable(dayOff, sources.files, sources.paths, year);
    rebuildMarks(grid, sources);
}

}  // namespace tavo
