// The old almanac of a day: the 24 solar terms (二十四節気), the 雑節, the
// sexagenary day and the moon's age, from tables generated ahead of time
// (tools/lunar) for 1873..2100.
#pragma once

#include <string>
#include <vector>

namespace tavo {

inline constexpr int kAlmanacFirstYear = 1873;
inline constexpr int kAlmanacLastYear = 2100;

// The solar term that falls on the day, or nullptr (CP932 names).
const char* solarTermOn(int year, int month, int day);

// The 雑節 of the day, in the order they are told; count 0 when none.
struct Zassetsu {
    const char* names[3];
    int count;
};
Zassetsu zassetsuOn(int year, int month, int day);

// 0 = 甲子 .. 59 = 癸亥; 十干 = index % 10, 十二支 = index % 12.
int sexagenaryDay(int year, int month, int day);

// The moon's age at noon JST in tenths of a day; -1 outside the table.
int moonAgeTenths(int year, int month, int day);

// The solar term and the 雑節 of the day, one blank apart; empty when none.
std::string almanacText(int year, int month, int day);

// Every solar term and 雑節 of a year (none outside the tables) by day, for
// callers that tell many days of it.
struct AlmanacName {
    int dayOfYear;  // 1 = 1 January
    const char* name;
    bool solarTerm;
};
std::vector<AlmanacName> almanacNamesOf(int year);
// Appends what almanacText tells of the day.
void appendAlmanacText(std::string& out, const std::vector<AlmanacName>& names, int dayOfYear);

}  // namespace tavo
