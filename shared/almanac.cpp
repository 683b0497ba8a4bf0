#include "almanac.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "date_math.h"
#include "minutes.h"

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
    const std::int64_t jdn = std::int64_t{serial} + 1721119;
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

// Every 雑節 of a year, in the order they are told on a day.
void addZassetsu(std::vector<AlmanacName>& names, int year) {
    const auto add = [&](int day, const char* name) { names.push_back({day, name, false}); };
    const int spring = sunDay(year, 315), vernal = sunDay(year, 0), autumnal = sunDay(year, 180);
    add(spring - 1, "節分");
    add(vernal - 3, "彼岸入り");
    add(autumnal - 3, "彼岸入り");
    add(vernal + 3, "彼岸明け");
    add(autumnal + 3, "彼岸明け");
    add(nearestEarthDay(year, vernal), "春社");
    add(nearestEarthDay(year, autumnal), "秋社");
    add(spring + 87, "八十八夜");
    add(sunDay(year, 80), "入梅");
    add(sunDay(year, 100), "半夏生");
    // Each 土用 runs from its start to the day before the next 立x.
    constexpr int kDoyo[4][2] = {{297, 315}, {27, 45}, {117, 135}, {207, 225}};
    for (const auto& doyo : kDoyo) add(sunDay(year, doyo[0]), "土用入り");
    const int newYear = serialDayOf(year, 1, 1);
    for (const auto& doyo : kDoyo) {
        const int start = sunDay(year, doyo[0]), end = sunDay(year, doyo[1]);
        const int firstOx = start + (kOx - sexagenaryOfSerial(newYear + start - 1) % 12 + 12) % 12;
        for (int day = firstOx; day < end; day += 12) add(day, "土用の丑の日");
    }
    add(spring + 209, "二百十日");
    add(spring + 219, "二百二十日");
}

}  // namespace

int sexagenaryDay(int year, int month, int day) { return sexagenaryOfSerial(serialDayOf(year, month, day)); }

std::vector<AlmanacName> almanacNamesOf(int year) {
    std::vector<AlmanacName> names;
    if (!inside(year)) return names;
    names.reserve(48);
    for (int i = 0; i < 30; ++i)
        if (kLongitudes[i] % 15 == 0) names.push_back({kSunDays[year - kAlmanacFirstYear][i], kTermNames[kLongitudes[i] / 15], true});
    addZassetsu(names, year);
    // By day; on a day its term first, then its 雑節 in the order they are told.
    std::stable_sort(names.begin(), names.end(), [](const AlmanacName& a, const AlmanacName& b) {
        return a.dayOfYear != b.dayOfYear ? a.dayOfYear < b.dayOfYear : a.solarTerm > b.solarTerm;
    });
    return names;
}

const char* solarTermOn(int year, int month, int day) {
    if (!inside(year)) return nullptr;
    const int today = dayOfYear(year, month, day);
    for (int i = 0; i < 30; ++i)
        if (kSunDays[year - kAlmanacFirstYear][i] == today && kLongitudes[i] % 15 == 0) return kTermNames[kLongitudes[i] / 15];
    return nullptr;
}

Zassetsu zassetsuOn(int year, int month, int day) {
    Zassetsu z{{}, 0};
    const int today = dayOfYear(year, month, day);
    for (const AlmanacName& n : almanacNamesOf(year))
        if (!n.solarTerm && n.dayOfYear == today && z.count < 3) z.names[z.count++] = n.name;
    return z;
}

int moonAgeTenths(int year, int month, int day) {
    if (!inside(year)) return -1;
    const Minutes noon = minutesAt(serialDayOf(year, month, day) - serialDayOf(kAlmanacFirstYear, 1, 1), 720);
    const auto next = std::upper_bound(std::begin(kNewMoonMinutes), std::end(kNewMoonMinutes), noon);
    if (next == std::begin(kNewMoonMinutes)) return -1;
    return static_cast<int>(((noon - *(next - 1)) * 10 + 720) / kMinutesPerDay);
}

void appendAlmanacText(std::string& out, const std::vector<AlmanacName>& names, int dayOfYear) {
    const auto first = std::lower_bound(names.begin(), names.end(), dayOfYear,
                                        [](const AlmanacName& n, int day) { return n.dayOfYear < day; });
    const std::size_t start = out.size();
    int zassetsu = 0;  // at most three are told
    for (auto n = first; n != names.end() && n->dayOfYear == dayOfYear; ++n) {
        if (!n->solarTerm && zassetsu++ == 3) break;
        if (out.size() != start) out += ' ';
        out += n->name;
    }
}

std::string almanacText(int year, int month, int day) {
    std::string text;
    appendAlmanacText(text, almanacNamesOf(year), dayOfYear(year, month, day));
    return text;
}

}  // namespace tavo
