// Where the old almanac shows: the status bar, the range view, the day cells.
#pragma once

#include <cstdint>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

struct AlmanacSettings {
    std::uint8_t statusBar;  // "status": after the holiday name (on)
    std::uint8_t rangeView;  // "range": a line under a listed day's header (on)
    std::uint8_t cells;      // "cells": a solar term in place of the rokuyo (off)
    std::uint8_t spare[9];
};
static_assert(sizeof(AlmanacSettings) == 12);

// Key "almanac".
const SettingsTable& almanacTable();
void readAlmanacSettings(AlmanacSettings& settings, const SettingsStore& store);

}  // namespace tavo
