#include "lunisolar.h"

#include <cmath>
#include <stdexcept>

#include "astronomy.h"
#include "shared/date_math.h"

namespace tavo::lunar {
namespace {

constexpr int kWinterSolstice = 9;  // 270 degrees / 30

double jdeOfDate(int year, int month, int day) {
    return static_cast<double>(serialDayOf(year, month, day)) + 1721119.0 - 0.5;
}

struct Month {
    int start, end;  // serial days, end exclusive
    std::vector<int> terms;  // principal terms held (longitude / 30)
    int number = 0;
    bool leap = false;
};

std::vector<Month> monthsBetween(double fromJde, double toJde) {
    std::vector<Month> months;
    long k = static_cast<long>(std::floor((fromJde - 2451550.09766) / 29.530588861));
    int previous = serialFromJulianDay(jstDayNumber(newMoonJde(k)));
    for (++k;; ++k) {
        const double jde = newMoonJde(k);
        const int start = serialFromJulianDay(jstDayNumber(jde));
        months.push_back({previous, start, {}});
        previous = start;
        if (jde > toJde) break;
    }
    return months;
}

void placePrincipalTerms(std::vector<Month>& months, double fromJde, double toJde) {
    double jde = fromJde;
    int target = static_cast<int>(std::ceil(apparentSolarLongitude(jde) / 30.0)) % 12;
    std::size_t m = 0;
    while (jde < toJde) {
        jde = solarLongitudeJde(target * 30.0, jde);
        const int day = serialFromJulianDay(jstDayNumber(jde));
        while (m < months.size() && months[m].end <= day) ++m;
        if (m == months.size()) break;
        if (months[m].start <= day) months[m].terms.push_back(target);
        target = (target + 1) % 12;
        jde += 1.0;
    }
}

bool holds(const Month& m, int term) {
    for (int t : m.terms)
        if (t == term) return true;
    return false;
}

// Numbers the months from one winter-solstice month to the next.
void numberSpan(std::vector<Month>& months, std::size_t from, std::size_t to) {
    const bool hasLeap = to - from == 13;
    bool leapUsed = false;
    int number = 11;
    months[from].number = 11;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (hasLeap && !leapUsed && months[i].terms.empty()) {
            months[i].number = number;
            months[i].leap = true;
            leapUsed = true;
            continue;
        }
        number = number % 12 + 1;
        months[i].number = number;
    }
    if (to - from != 12 && to - from != 13) throw std::runtime_error("a solstice year without 12 or 13 months");
}

}  // namespace

std::vector<LunarMonthStart> buildLunarMonths(int firstYear, int lastYear) {
    const double from = jdeOfDate(firstYear - 1, 10, 1);
    const double to = jdeOfDate(lastYear + 2, 1, 31);
    std::vector<Month> months = monthsBetween(from, to);
    placePrincipalTerms(months, from, to);
    std::vector<std::size_t> solstices;
    for (std::size_t i = 0; i < months.size(); ++i)
        if (holds(months[i], kWinterSolstice)) solstices.push_back(i);
    for (std::size_t j = 0; j + 1 < solstices.size(); ++j) numberSpan(months, solstices[j], solstices[j + 1]);

    const int firstDay = serialDayOf(firstYear, 1, 1), lastDay = serialDayOf(lastYear, 12, 31);
    std::vector<LunarMonthStart> result;
    for (std::size_t i = solstices.front(); i < solstices.back(); ++i) {
        if (months[i].end <= firstDay || months[i].start > lastDay) continue;
        result.push_back({months[i].start, months[i].number, months[i].leap});
    }
    return result;
}

}  // namespace tavo::lunar
