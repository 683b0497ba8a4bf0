// What the search window keeps between openings: its place and size (at 96
// DPI), the kinds searched and the span of years.
#pragma once

#include <cstdint>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

struct FindSettings {
    std::int32_t x, y, width, height;  // "x", "y", "cx", "cy": 0 width: where the system puts it
    std::int32_t kinds;                // "kinds": a bit per SearchKind (all)
    std::int32_t allYears;             // "all": every year of the folder (on), else from..to
    std::int32_t fromYear, toYear;     // "from", "to"
};

// Key "find".
const SettingsTable& findTable();
void readFindSettings(FindSettings& settings, const SettingsStore& store);

}  // namespace tavo
