// The plain date record handed to the holiday, closed-day and text routines.
#pragma once

namespace tavo {

struct DayDate {
    int day = 0;
    int month = 0;
    int year = 0;
    int weekday = 0;    // carried along; the holiday test computes its own
    int fromToday = 0;  // carried along
    int extra = 0;      // carried along
};

inline DayDate dayDate(int year, int month, int day) { return DayDate{day, month, year, 0, 0, 0}; }

}  // namespace tavo
