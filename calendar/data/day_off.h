// The per-year table of days off: a day whose flag is '1' has its normal
// state (open or closed) inverted by the user.
#pragma once

#include <string>
#include <string_view>

#include "path_settings.h"

namespace tavo {

class FileSystem;

struct DayOffTable {
    char rows[12][40];  // 31 flags '0'/'1' and a terminator per month
};

void clearDayOffTable(DayOffTable& table);
void parseDayOffTable(DayOffTable& table, std::string_view content);
std::string formatDayOffTable(const DayOffTable& table);
bool isDayOff(const DayOffTable& table, int month, int day);

void loadDayOffTable(DayOffTable& table, const FileSystem& files, const PathSettings& paths, int year);
// Flips the flag of a day and saves the year's file; false when it could not be saved.
bool toggleDayOff(DayOffTable& table, FileSystem& files, const PathSettings& paths, int year, int month, int day);

}  // namespace tavo
