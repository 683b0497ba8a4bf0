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
    return 0;
}
