#include "era.h"

namespace tavo {
namespace {

const EraInfo kEras[kEraCount] = {
    {"西暦", ' ', 0, 0, 0, 0, 9999},
    {"平成", 'H', 1989, 1, 8, 1988, 99},
    {"昭和", 'S', 1926, 12, 25, 1925, 64},
    {"大正", 'T', 1912, 7, 30, 1911, 15},
    {"明治", 'M', 1868, 9, 8, 1867, 45},
    {"慶応", 'K', 1865, 4, 7, 1864, 4},
    {"令和", 'R', 2019, 5, 1, 2018, 99},
};

// Newest first.
constexpr int kEraWalk[] = {kEraReiwa, kEraHeisei, kEraShowa, kEraTaisho, kEraMeiji, kEraKeio};

bool startsOnOrBefore(const EraInfo& e, int year, int month, int day) {
    if (e.firstYear != year) return e.firstYear < year;
    if (e.firstMonth != month) return e.firstMonth < month;
    return e.firstDay <= day;
}

}  // namespace

const EraInfo& eraInfo(int era) {
    if (era < 0 || era >= kEraCount) return kEras[kEraWestern];
    return kEras[era];
}

EraYear eraOf(int year, int month, int day) {
    for (int era : kEraWalk) {
        const EraInfo& e = kEras[era];
        if (startsOnOrBefore(e, year, month, day)) return {era, year - e.firstYear + 1};
    }
    return {kEraWestern, year};
}

const char* eraName(int era) { return eraInfo(era).name; }
char eraInitial(int era) { return eraInfo(era).initial; }
int eraBaseYear(int era) { return eraInfo(era).baseYear; }
int eraLastYear(int era) { return eraInfo(era).lastEraYear; }

int eraFromLetter(char letter) {
    for (int era = 1; era < kEraCount; ++era)
        if (kEras[era].initial == letter) return era;
    return kEraWestern;
}

}  // namespace tavo
