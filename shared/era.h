// Japanese eras (元号) from 慶応 on. Indexes 0..5 keep their historic meaning;
// 令和 was added later as index 6.
#pragma once

namespace tavo {

enum Era : int {
    kEraWestern = 0,
    kEraHeisei = 1,
    kEraShowa = 2,
    kEraTaisho = 3,
    kEraMeiji = 4,
    kEraKeio = 5,
    kEraReiwa = 6,
};
inline constexpr int kEraCount = 7;

struct EraInfo {
    const char* name;   // CP932
    char initial;       // ' ' for the Western year
    int firstYear, firstMonth, firstDay;
    int baseYear;       // era year + base year = Gregorian year
    int lastEraYear;    // highest era year accepted in input fields
};

struct EraYear {
    int era = kEraWestern;
    int year = 0;  // era year, or the plain year for kEraWestern
};

const EraInfo& eraInfo(int era);  // out-of-range indexes give the Western entry
EraYear eraOf(int year, int month, int day);
const char* eraName(int era);
char eraInitial(int era);
int eraBaseYear(int era);
int eraLastYear(int era);
int eraFromLetter(char letter);  // unknown letters give kEraWestern

// Initials by index, for fixed-width displays.
inline constexpr char kEraInitials[] = " HSTMKR";
// The order in which eras are offered for a person to choose.
inline constexpr int kEraChoiceOrder[kEraCount] = {kEraWestern, kEraReiwa, kEraHeisei, kEraShowa,
                                                   kEraTaisho, kEraMeiji, kEraKeio};

}  // namespace tavo
