// What the year view and printing keep between uses: the view's place and
// size (at 96 DPI), and the last print choices.
#pragma once

#include <cstdint>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

struct YearViewSettings {
    std::int32_t x, y, width, height;  // "x", "y", "cx", "cy": 0 width: where the system puts it
};

enum class PrintWhat : std::int32_t { Month = 0, Year = 1, Range = 2 };
enum class Paper : std::int32_t { A4 = 0, A3 = 1, B5 = 2, B4 = 3, Letter = 4 };
inline constexpr int kPaperCount = 5;

struct PrintSettings {
    std::int32_t what;       // "what": a PrintWhat
    std::int32_t paper;      // "paper": a Paper
    std::int32_t landscape;  // "landscape"
    std::int32_t margin;     // "margin": millimetres on every side, 0..50
    std::int32_t colour;     // "colour": off prints black and white
};

// Keys "year" and "print".
const SettingsTable& yearViewTable();
const SettingsTable& printTable();
void readYearViewSettings(YearViewSettings& settings, const SettingsStore& store);
void readPrintSettings(PrintSettings& settings, const SettingsStore& store);

}  // namespace tavo
