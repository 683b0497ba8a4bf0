// The lines of the range view: for each day of a span, a date header and the
// data of that day from every source, then the memo.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "month_grid.h"
#include "shared/window_settings.h"

namespace tavo {

struct DateFormatSet;
class LocaleInfo;

struct RangeList {
    std::vector<std::string> lines;  // CP932; headers start with ':'
    int firstLine = 0;               // header of the first day on or after the selected one
    int selectedLine = -1;           // header of the selected day, -1 when it has no data
};

struct RangeRequest {
    int year, month, day;  // the selected date
    RangeViewSettings range;
    bool mondayFirst;      // week of the range view
    bool memoInEnglish;    // ":5AMemo" rather than ":5Aメモ"
    const DateFormatSet& formats;  // the range view's group
    const LocaleInfo& locale;
    std::function<void()> birthdayToday;  // called when a birthday of today is listed
};

struct DateSpan {
    int firstSerial, lastSerial;
};

DateSpan rangeSpan(int year, int month, int day, const RangeViewSettings& range, bool mondayFirst);
RangeList collectRange(const RangeRequest& request, const DataSources& sources);
// True when the span of the range settings holds any data (the week is always Sunday first).
bool rangeHasData(int year, int month, int day, const RangeViewSettings& range, const DataSources& sources);

// Tabs to blanks at columns of 8; a double-byte character counts two columns.
std::string expandTabs(std::string_view line);

}  // namespace tavo
