#include "equinox.h"

#include <array>

namespace tavo {
namespace {

// The standard approximation of the equinox days in Japan Standard Time,
// valid for 1900..2150 and agreeing with the days the government publishes:
//   day = floor(C + 0.242194 (Y - 1980) - trunc((Y - Y0) / 4)),
// with Y0 = 1983 before 1980 and 1980 after. Evaluated once, at compile
// time, in millionths so that no floating point is involved.
constexpr int equinoxDay(int year, long long c1900, long long c1980, long long c2100) {
    const long long c = year < 1980 ? c1900 : (year < 2100 ? c1980 : c2100);
    const int y0 = year < 1980 ? 1983 : 1980;
    const long long millionths = c + 242194LL * (year - 1980) - 1000000LL * ((year - y0) / 4);
    return static_cast<int>(millionths / 1000000);  // positive for every year of the span
}

template <long long C1900, long long C1980, long long C2100>
constexpr std::array<unsigned char, kEquinoxLastYear - kEquinoxFirstYear + 1> equinoxTable() {
    std::array<unsigned char, kEquinoxLastYear - kEquinoxFirstYear + 1> days{};
    for (int y = kEquinoxFirstYear; y <= kEquinoxLastYear; ++y)
        days[y - kEquinoxFirstYear] = static_cast<unsigned char>(equinoxDay(y, C1900, C1980, C2100));
    return days;
}

constexpr auto kVernal = equinoxTable<20835700, 20843100, 21851000>();
constexpr auto kAutumnal = equinoxTable<23258800, 23248800, 24248800>();

static_assert(kVernal[2000 - kEquinoxFirstYear] == 20 && kVernal[1951 - kEquinoxFirstYear] == 21);
static_assert(kAutumnal[2012 - kEquinoxFirstYear] == 22 && kAutumnal[2013 - kEquinoxFirstYear] == 23);

bool inSpan(int year) { return year >= kEquinoxFirstYear && year <= kEquinoxLastYear; }

}  // namespace

int vernalEquinoxDay(int year) { return inSpan(year) ? kVernal[year - kEquinoxFirstYear] : 20; }

int autumnalEquinoxDay(int year) { return inSpan(year) ? kAutumnal[year - kEquinoxFirstYear] : 23; }

}  // namespace tavo
