// What a screen reader says for a day cell or a line of the range view: the
// whole date in Japanese, the weekday, the holiday or closed day's name, the
// rokuyo, whether the day has data or is a day off, or that it belongs to
// another month.
#pragma once

#include <string>

#include "calendar/data/day_off.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/range_list.h"

namespace tavo {

struct ClosedDays;

// "2026年12月23日 水曜日 先勝 予定あり" (CP932).
std::string accessibleDayName(const MonthGrid& grid, const DayOffTable& dayOff, const ClosedDays& closedDays, int cell);
// A header says its date (and 休み for a day off); a line its text, tabs expanded.
std::string accessibleRangeLineName(const RangeLine& line);

}  // namespace tavo
