#include "accessible_names.h"

#include "calendar/calc/closed_days.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

constexpr const char* kWeekdays[7] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

void word(std::string& out, std::string_view text) {
    if (!text.empty()) out.append(" ").append(text);
}

}  // namespace

std::string accessibleDayName(const MonthGrid& grid, const DayOffTable& dayOff, const ClosedDays& closedDays, int cell) {
    int y = 0, m = 0, d = 0;
    if (cell < 0 || cell >= kGridCells || !cellDate(grid, cell, y, m, d)) return {};
    std::string name = std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(d) + "日";
    word(name, kWeekdays[weekdayOf(y, m, d)]);
    if (y != grid.year || m != grid.month) {
        word(name, "他の月");
        return name;
    }
    const std::string holiday = dayNameOf(closedDays, dayDate(y, m, d));
    word(name, holiday.empty() && grid.cellKind[cell] == kClosedWeekday ? std::string("休業日") : holiday);
    const std::string rokuyo(grid.cellRokuyo[cell]);
    if (rokuyo.find_first_not_of(' ') != std::string::npos) word(name, rokuyo);
    if (grid.cellMark[cell] != 0) word(name, "予定あり");
    if (isDayOff(dayOff, m, d)) word(name, "休み");
    return name;
}

std::string accessibleRangeLineName(const RangeLine& line) {
    std::string name = expandTabs(line.text);
    if (line.header && line.mark != 0) word(name, "休み");
    return name;
}

}  // namespace tavo
