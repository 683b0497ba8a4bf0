// Day-off files of any content read as twelve rows of 31 flags.
#include <cstring>

#include "calendar/data/day_off.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::DayOffTable table;
    tavo::parseDayOffTable(table, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& row : table.rows) {
        if (std::strlen(row) != 31) __builtin_trap();
        for (int d = 0; d < 31; ++d)
            if (row[d] != '0' && row[d] != '1') __builtin_trap();
    }
    const std::string written = tavo::formatDayOffTable(table);
    tavo::DayOffTable again;
    tavo::parseDayOffTable(again, written);
    if (std::memcmp(&again, &table, sizeof table) != 0) __builtin_trap();
    // Toggling a day changes that flag only, and toggling it back restores the table.
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const int month = size > 0 ? data[0] % 12 + 1 : 1, day = size > 1 ? data[1] % 31 + 1 : 1;
    const std::string toggled = tavo::withDayOffToggled(content, month, day);
    tavo::DayOffTable once, twice;
    tavo::parseDayOffTable(once, toggled);
    tavo::parseDayOffTable(twice, tavo::withDayOffToggled(toggled, month, day));
    if (tavo::isDayOff(once, month, day) == tavo::isDayOff(table, month, day)) __builtin_trap();
    if (std::memcmp(&twice, &table, sizeof table) != 0) __builtin_trap();
    return 0;
}
