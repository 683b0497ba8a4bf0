#include "find_settings.h"

#include <cstddef>
#include <cstring>

namespace tavo {

const SettingsTable& findTable() {
    static const SettingsTable table = {
        {"find", "x", SettingType::Int32, offsetof(FindSettings, x), 0},
        {"find", "y", SettingType::Int32, offsetof(FindSettings, y), 0},
        {"find", "cx", SettingType::Int32, offsetof(FindSettings, width), 0},
        {"find", "cy", SettingType::Int32, offsetof(FindSettings, height), 0},
        {"find", "kinds", SettingType::Int32, offsetof(FindSettings, kinds), 0xFF},
        {"find", "all", SettingType::Switch32, offsetof(FindSettings, allYears), 1},
        {"find", "from", SettingType::Int32, offsetof(FindSettings, fromYear), 2000},
        {"find", "to", SettingType::Int32, offsetof(FindSettings, toYear), 2030},
    };
    return table;
}

void readFindSettings(FindSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, findTable());
    readSettings(&settings, findTable(), store);
}

}  // namespace tavo
