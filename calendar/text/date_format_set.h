// The date-text settings of one window group: seven selections, an
// own-pattern flag and a pattern per text part.
#pragma once

#include <cstdint>

#include "shared/settings_table.h"

namespace tavo {

class SettingsStore;

enum DateTextPart : int {
    kPartYearMon = 0,
    kPartWeek = 1,
    kPartStatusBar = 2,
    kPartCaptionN = 3,
    kPartCaptionM = 4,
    kPartSchDate = 5,  // range view group from here
    kPartCaption = 6,
    kDateTextPartCount = 7,
};

enum Selection : int { kSelLayout, kSelYear1, kSelYear2, kSelMonth, kSelDay, kSelWeek, kSelNum, kSelectionCount };

inline constexpr int kCalendarParts = 5;
inline constexpr int kRangeViewParts = 2;

// Plain record shared with the options library; sized for the larger group.
struct DateFormatSet {
    std::int32_t selections[kCalendarParts][kSelectionCount];
    std::uint8_t ownPattern[kCalendarParts];
    char pattern[kCalendarParts][256];  // CP932, at most 255 bytes
};

// Registry value name of a part, e.g. "YearMon".
const char* dateTextPartName(DateTextPart part);
// The parts of a group: calendar (0) has five, range view (1) two.
int groupPartCount(int group);
DateTextPart groupPart(int group, int index);

// Keys "date", "year1", "year2", "mon", "day", "week", "cal", "own", "dttext".
const SettingsTable& dateFormatTable(int group);
void resetDateFormatSet(DateFormatSet& set, int group);
void readDateFormatSet(DateFormatSet& set, int group, const SettingsStore& store);
void writeDateFormatSet(const DateFormatSet& set, int group, SettingsStore& store);

}  // namespace tavo
