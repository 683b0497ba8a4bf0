#include "almanac_settings.h"

#include <cstddef>
#include <cstring>

namespace tavo {

const SettingsTable& almanacTable() {
    static const SettingsTable table = {
        {"almanac", "status", SettingType::Switch8, offsetof(AlmanacSettings, statusBar), 1},
        {"almanac", "range", SettingType::Switch8, offsetof(AlmanacSettings, rangeView), 1},
        {"almanac", "cells", SettingType::Switch8, offsetof(AlmanacSettings, cells), 0},
    };
    return table;
}

void readAlmanacSettings(AlmanacSettings& settings, const SettingsStore& store) {
    std::memset(&settings, 0, sizeof settings);
    resetSettings(&settings, almanacTable());
    readSettings(&settings, almanacTable(), store);
}

}  // namespace tavo
