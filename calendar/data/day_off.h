// The per-year table of days off: a day whose flag is '1' has its normal
// state (open or closed) inverted by the user.
#pragma once

#include <string>
#include <string_view>

#include "path_settings.h"
#include "shared/file_system.h"

namespace tavo {

struct DayOffTable {
    char rows[12][40];  // 31 flags '0'/'1' and a terminator per month
};

void clearDayOffTable(DayOffTable& table);
void parseDayOffTable(DayOffTable& table, std::string_view content);
std::string formatDayOffTable(const DayOffTable& table);
bool isDayOff(const DayOffTable& table, int month, int day);

void loadDayOffTable(DayOffTable& table, const FileSystem& files, const PathSettings& paths, int year);
// The file content with a day's flag flipped in its month's row (rows are
// found by content; missing rows are added); every other byte stays.
std::string withDayOffToggled(std::string_view content, int month, int day);
// Sets the day's flag to `marked` in the year's file as it is now (the
// opposite of what the user saw: a change made outside meanwhile is not
// flipped back) and reloads the table from it; a file that could not be read
// whole is left alone.
SaveResult markDayOff(DayOffTable& table, FileSystem& files, const PathSettings& paths, int year, int month, int day,
                      bool marked);

}  // namespace tavo
