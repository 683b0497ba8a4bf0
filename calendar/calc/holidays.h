// Japanese public holidays of the law in force at each date: the imperial
// festivals of Meiji, Taisho and early Showa, the holidays of the 1948 law
// and its amendments, substitute holidays and national holidays.
#pragma once

#include <cstddef>

#include "day_date.h"

namespace tavo {

enum HolidayResult : int {
    kNoHoliday = 0,
    kNamedHoliday = 1,
    kSubstituteHoliday = 4,
    kNationalHoliday = 5,
};

// Name buffers hold at least this many bytes (the law's longest name is 18;
// the government's table has longer ones).
inline constexpr std::size_t kHolidayNameBytes = 48;

struct HolidayChecker {
    bool japaneseHolidays = true;  // off: no date is a holiday
};

// Writes the name (CP932) into nameBuffer unless it is null. Without
// allowDerived only named holidays count.
HolidayResult isPublicHoliday(const HolidayChecker& checker, const DayDate& date, char* nameBuffer,
                              bool allowDerived);

// The law alone, whatever table is in use.
HolidayResult lawHoliday(const DayDate& date, char* nameBuffer, bool allowDerived);

// What isPublicHoliday (with derived holidays) gives for every day of a
// month at once (days[0] and days past the month's end: kNoHoliday).
void monthHolidays(const HolidayChecker& checker, int year, int month, HolidayResult (&days)[32]);

// The named holiday of a date, or nullptr.
const char* namedHolidayOf(int year, int month, int day);

// Days of the movable holidays (0 when the holiday is not in that month that year).
int comingOfAgeDay(int year);        // January
int marineDay(int year);             // July
int mountainDay(int year);           // August
int respectForTheAgedDay(int year);  // September
int sportsDay(int year);             // October

}  // namespace tavo
