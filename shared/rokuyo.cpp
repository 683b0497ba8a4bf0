#include "rokuyo.h"

#include <array>
#include <cstdint>

#include "date_math.h"

namespace tavo {
namespace {

#include "lunar_months.inc"

constexpr int kMonthCount = sizeof kLunarMonthStarts / sizeof kLunarMonthStarts[0];
constexpr int kGregorianMonths = (kLunarLastYear - kLunarFirstYear + 1) * 12;

constexpr int startOf(int i) { return static_cast<int>(kLunarMonthStarts[i] >> 5); }

constexpr int civilSerial(int year, int month, int day) {
    const int a = year - (month < 3 ? 1 : 0);
    constexpr int kOffset[13] = {0, 306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};
    return a * 36525 / 100 + a / 400 - a / 100 + kOffset[month] + day;
}

// For each Gregorian month, the lunar month that holds its 1st: a lookup
// then steps forward at most twice.
constexpr std::array<std::uint16_t, kGregorianMonths> buildIndex() {
    std::array<std::uint16_t, kGregorianMonths> index{};
    int i = 0;
    for (int g = 0; g < kGregorianMonths; ++g) {
        const int first = civilSerial(kLunarFirstYear + g / 12, g % 12 + 1, 1);
        while (i + 1 < kMonthCount && startOf(i + 1) <= first) ++i;
        index[g] = static_cast<std::uint16_t>(i);
    }
    return index;
}

constexpr auto kIndex = buildIndex();
static_assert(startOf(0) <= civilSerial(kLunarFirstYear, 1, 1));

const char* const kRokuyoNames[6] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};

}  // namespace

bool insideLunarTable(int year) {
    return static_cast<unsigned>(year) - kLunarFirstYear < static_cast<unsigned>(kLunarLastYear - kLunarFirstYear + 1);
}

bool lunarDateOf(int year, int month, int day, LunarDate& lunar) {
    if (!insideLunarTable(year) || month < 1 || month > 12) return false;
    const int serial = serialDayOf(year, month, day);
    int i = kIndex[(year - kLunarFirstYear) * 12 + month - 1];
    while (i + 1 < kMonthCount && startOf(i + 1) <= serial) ++i;
    lunar.month = static_cast<int>(kLunarMonthStarts[i] & 15);
    lunar.leap = (kLunarMonthStarts[i] & 16) != 0;
    lunar.day = serial - startOf(i) + 1;
    return true;
}

int rokuyoOf(int year, int month, int day) {
    LunarDate lunar;
    if (!lunarDateOf(year, month, day, lunar)) return -1;
    return (lunar.month + lunar.day) % 6;
}

const char* rokuyoName(int index) {
    if (index < 0 || index > 5) return "  ";
    return kRokuyoNames[index];
}

}  // namespace tavo
