#include "year_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tavo {

const SettingsTable& yearViewTable() {
    static const SettingsTable table = {
        {"year", "x", SettingType::Int32, offsetof(YearViewSettings, x), 0},
        {"year", "y", SettingType::Int32, offsetof(YearViewSettings, y), 0},
        {"year", "cx", SettingType::Int32, offsetof(YearViewSettings, width), 0},
        {"year", "cy", SettingType::Int32, offsetof(YearViewSettings, height), 0},
    };
    return table;
}

const SettingsTable& printTable() {
    static const SettingsTable table = {
        {"print", "what", SettingType::Int32, offsetof(PrintSettings, what), 0},
        {"print", "paper", SettingType::Int32, offsetof(PrintSettings, paper), 0},
        {"print", "landscape", SettingType::Switch32, offsetof(PrintSettings, landscape), 0},
        {"print", "margin", SettingType::Int32, offsetof(PrintSettings, margin), 10},
        {"print", "colour", SettingType::Switch32, offsetof(PrintSettings, colour), 1},
    };
    return table;
}

void readYearViewSettings(YearViewSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, yearViewTable());
    readSettings(&settings, yearViewTable(), store);
}

void readPrintSettings(PrintSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, printTable());
    readSettings(&settings, printTable(), store);
    // Values from outside are bounded here: every reader may trust them.
    settings.what = std::clamp(settings.what, 0, 2);
    settings.paper = std::clamp(settings.paper, 0, kPaperCount - 1);
    settings.margin = std::clamp(settings.margin, 0, 50);
}

}  // namespace tavo
