#include "almanac.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "date_math.h"

namespace tavo {
namespace {

#include "almanac_tables.inc"

// Longitudes in the order of each year's row of kSunDays.
constexpr int kLongitudes[30] = {285, 297, 300, 315, 330, 345, 0,   15,  27,  30,  45,  60,  75,  80,  90,
                                 100, 105, 117, 120, 135, 150, 165, 180, 195, 207, 210, 225, 240, 255, 270};
constexpr int kYears = kAlmanacLastYear - kAlmanacFirstYear + 1;
static_assert(std::size(kSunDays) == kYears);

// Names of the terms by longitude / 15, from the spring equinox.
const char* const kTermNames[24] = {"春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑",
                                    "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬",
                                    "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};

int sexagenaryOfSerial(int serial) {
    const long jdn = static_cast<long>(serial) + 1721119;
    return static_cast<int>((jdn + 49) % 60);
}

bool inside(int year) { return year >= kAlmanacFirstYear && year <= kAlmanacLastYear; }

int dayOfYear(int year, int month, int day) { return serialDayOf(year, month, day) - serialDayOf(year, 1, 1) + 1; }

// The column of each longitude of the table in a year's row (-1 for others).
struct LongitudeColumns {
    signed char of[360];
};

constexpr LongitudeColumns columnsOfLongitudes() {
    LongitudeColumns c{};
    for (signed char& column : c.of) column = -1;
    for (int i = 0; i < 30; ++i) c.of[kLongitudes[i]] = static_cast<signed char>(i);
    return c;
}

constexpr LongitudeColumns kColumns = columnsOfLongitudes();

// The day of the year on which the sun reaches a longitude of the table.
int sunDay(int year, int longitude) { return kSunDays[year - kAlmanacFirstYear][kColumns.of[longitude]]; }

constexpr int kEarth5 = 4;  // 戊, the fifth heavenly stem
constexpr int kOx = 1;      // 丑

// The 戊 day nearest a day of the year; of two equally near, the earlier.
int nearestEarthDay(int year, int dayInYear) {
    const int stem = sexagenaryOfSerial(serialDayOf(year, 1, 1) + dayInYear - 1) % 10;
    const int after = (kEarth5 - stem + 10) % 10;  // days to the next 戊 (0 on it)
    return dayInYear + (after < 5 ? after : after - 10);
}

// The day of the year of the start of each 土用, and of the term that ends it.
struct Doyo {
    int start, end;  // end: the day of the next 立x, not in the 土用
};

bool inDoyoOx(int year, int month, int day) {
    const int today = dayOfYear(year, month, day);
    const Doyo doyo[4] = {{sunDay(year, 297), sunDay(year, 315)}, {sunDay(year, 27), sunDay(year, 45)},
                          {sunDay(year, 117), sunDay(year, 135)}, {sunDay(year, 207), sunDay(year, 225)}};
    for (const Doyo& d : doyo)
        if (today >= d.start && today < d.end) return sexagenaryDay(year, month, day) % 12 == kOx;
    return false;
}

void add(Zassetsu& z, const char* name) {
    if (z.count < 3) z.names[z.count++] = name;
}

}  // namespace

int sexagenaryDay(int year, int month, int day) { return sexagenaryOfSerial(serialDayOf(year, month, day)); }

const char* solarTermOn(int year, int month, int day) {
    if (!inside(year)) return nullptr;
    const int today = dayOfYear(year, month, day);
    for (int i = 0; i < 30; ++i)
        if (kSunDays[year - kAlmanacFirstYear][i] == today && kLongitudes[i] % 15 == 0) return kTermNames[kLongitudes[i] / 15];
    return nullptr;
}

Zassetsu zassetsuOn(int year, int month, int day) {
    Zassetsu z{{}, 0};
    if (!inside(year)) return z;
    const int today = dayOfYear(year, month, day);
    const int spring = sunDay(year, 315), vernal = sunDay(year, 0), autumnal = sunDay(year, 180);
    if (today == spring - 1) add(z, "節分");
    if (today == vernal - 3 || today == autumnal - 3) add(z, "彼岸入り");
    if (today == vernal + 3 || today == autumnal + 3) add(z, "彼岸明け");
    if (today == nearestEarthDay(year, vernal)) add(z, "春社");
    if (today == nearestEarthDay(year, autumnal)) add(z, "秋社");
    if (today == spring + 87) add(z, "八十八夜");
    if (today == sunDay(year, 80)) add(z, "入梅");
    if (today == sunDay(year, 100)) add(z, "半夏生");
    for (int start : {297, 27, 117, 207})
        if (today == sunDay(year, start)) add(z, "土用入り");
    if (inDoyoOx(year, month, day)) add(z, "土用の丑の日");
    if (today == spring + 209) add(z, "二百十日");
    if (today == spring + 219) add(z, "二百二十日");
    return z;
}

int moonAgeTenths(int year, int month, int day) {
    if (!inside(year)) return -1;
    const long noon = static_cast<long>(serialDayOf(year, month, day) - serialDayOf(kAlmanacFirstYear, 1, 1)) * 1440 + 720;
    const auto next = std::upper_bound(std::begin(kNewMoonMinutes), std::end(kNewMoonMinutes), noon);
    if (next == std::begin(kNewMoonMinutes)) return -1;
    return static_cast<int>(((noon - *(next - 1)) * 10 + 720) / 1440);
}

std::string almanacText(int year, int month, int day) {
    std::string text;
    const auto append = [&text](const char* name) { text.append(text.empty() ? "" : " ").append(name); };
    if (const char* term = solarTermOn(year, month, day)) append(term);
    const Zassetsu z = zassetsuOn(year, month, day);
    for (int i = 0; i < z.count; ++i) append(z.names[i]);
    return text;
}

}  // namespace tavo
