// The tables of the old almanac: the days the sun reaches the longitudes of
// the solar terms and 雑節, and the instants of new moons.
#pragma once

#include <cstdio>

namespace tavo::lunar {

// The longitudes whose days are kept, in the order they fall in a year.
inline constexpr int kAlmanacLongitudes[30] = {285, 297, 300, 315, 330, 345, 0,   15,  27,  30,  45,  60,  75,  80,  90,
                                               100, 105, 117, 120, 135, 150, 165, 180, 195, 207, 210, 225, 240, 255, 270};

// Prints shared/almanac_tables.inc for the years firstYear..lastYear.
void printAlmanacTables(std::FILE* out, int firstYear, int lastYear);

}  // namespace tavo::lunar
