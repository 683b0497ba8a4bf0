#include "holidays.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "equinox.h"
#include "holiday_table.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/era.h"

namespace tavo {
namespace {

// Which law a date falls under: the pre-war eras by era year, everything
// else (Heisei, Reiwa, Keio and dates before any era) by Gregorian year.
enum class Law : unsigned char { Meiji, Taisho, Showa, Modern };

enum class DayRule : unsigned char { Fixed, Vernal, Autumnal, ComingOfAge, Marine, Mountain, RespectForAged, Sports };

struct HolidayRule {
    unsigned char month;
    DayRule rule;
    unsigned char day;  // for Fixed
    Law law;
    short first, last;  // era years for Meiji/Taisho/Showa, Gregorian years for Modern
    const char* name;
};

constexpr short kAny = 9999;

// Grouped by month. Within a month at most one row holds for a date.
constexpr HolidayRule kRules[] = {
    {1, DayRule::Fixed, 1, Law::Meiji, 12, kAny, "四方拝"},
    {1, DayRule::Fixed, 1, Law::Taisho, 0, kAny, "四方拝"},
    {1, DayRule::Fixed, 1, Law::Showa, 0, 23, "四方拝"},
    {1, DayRule::Fixed, 1, Law::Showa, 24, kAny, "元日"},
    {1, DayRule::Fixed, 1, Law::Modern, 0, kAny, "元日"},
    {1, DayRule::Fixed, 3, Law::Meiji, 7, kAny, "元始祭"},
    {1, DayRule::Fixed, 3, Law::Taisho, 0, kAny, "元始祭"},
    {1, DayRule::Fixed, 3, Law::Showa, 0, 23, "元始祭"},
    {1, DayRule::Fixed, 5, Law::Meiji, 7, kAny, "新年宴会"},
    {1, DayRule::Fixed, 5, Law::Taisho, 0, kAny, "新年宴会"},
    {1, DayRule::Fixed, 5, Law::Showa, 0, 23, "新年宴会"},
    {1, DayRule::Fixed, 15, Law::Showa, 24, kAny, "成人の日"},
    {1, DayRule::ComingOfAge, 0, Law::Modern, 0, kAny, "成人の日"},
    {1, DayRule::Fixed, 29, Law::Meiji, 6, 6, "神武天皇祭"},
    {1, DayRule::Fixed, 30, Law::Meiji, 7, 45, "孝明天皇祭"},

    {2, DayRule::Fixed, 11, Law::Meiji, 6, kAny, "紀元節"},
    {2, DayRule::Fixed, 11, Law::Taisho, 0, kAny, "紀元節"},
    {2, DayRule::Fixed, 11, Law::Showa, 0, 23, "紀元節"},
    {2, DayRule::Fixed, 11, Law::Showa, 42, kAny, "建国記念の日"},
    {2, DayRule::Fixed, 11, Law::Modern, 0, kAny, "建国記念の日"},
    {2, DayRule::Fixed, 23, Law::Modern, 2020, kAny, "天皇誕生日"},
    {2, DayRule::Fixed, 24, Law::Modern, 1989, 1989, "昭和天皇の大喪の礼"},

    {3, DayRule::Vernal, 0, Law::Meiji, 12, kAny, "春季皇霊祭"},
    {3, DayRule::Vernal, 0, Law::Taisho, 0, kAny, "春季皇霊祭"},
    {3, DayRule::Vernal, 0, Law::Showa, 0, 23, "春季皇霊祭"},
    {3, DayRule::Vernal, 0, Law::Showa, 24, kAny, "春分の日"},
    {3, DayRule::Vernal, 0, Law::Modern, 0, kAny, "春分の日"},

    {4, DayRule::Fixed, 10, Law::Showa, 34, 34, "皇太子殿下結婚の儀"},
    {4, DayRule::Fixed, 29, Law::Showa, 2, 23, "天長節"},
    {4, DayRule::Fixed, 29, Law::Showa, 24, kAny, "天皇誕生日"},
    {4, DayRule::Fixed, 29, Law::Modern, 0, 2006, "みどりの日"},
    {4, DayRule::Fixed, 29, Law::Modern, 2007, kAny, "昭和の日"},

    {5, DayRule::Fixed, 1, Law::Modern, 2019, 2019, "天皇の即位の日"},
    {5, DayRule::Fixed, 3, Law::Showa, 24, kAny, "憲法記念日"},
    {5, DayRule::Fixed, 3, Law::Modern, 0, kAny, "憲法記念日"},
    {5, DayRule::Fixed, 4, Law::Modern, 2007, kAny, "みどりの日"},
    {5, DayRule::Fixed, 5, Law::Showa, 24, kAny, "こどもの日"},
    {5, DayRule::Fixed, 5, Law::Modern, 0, kAny, "こどもの日"},

    {6, DayRule::Fixed, 9, Law::Modern, 1993, 1993, "皇太子殿下結婚の儀"},

    {7, DayRule::Fixed, 30, Law::Taisho, 0, kAny, "明治天皇祭"},
    {7, DayRule::Marine, 0, Law::Modern, 1996, kAny, "海の日"},
    {7, DayRule::Fixed, 24, Law::Modern, 2020, 2020, "スポーツの日"},
    {7, DayRule::Fixed, 23, Law::Modern, 2021, 2021, "スポーツの日"},

    {8, DayRule::Fixed, 31, Law::Taisho, 1, 1, "天長節"},
    {8, DayRule::Mountain, 0, Law::Modern, 2016, kAny, "山の日"},

    {9, DayRule::Fixed, 15, Law::Showa, 41, kAny, "敬老の日"},
    {9, DayRule::RespectForAged, 0, Law::Modern, 0, kAny, "敬老の日"},
    {9, DayRule::Fixed, 17, Law::Meiji, 7, 12, "神嘗祭"},
    {9, DayRule::Autumnal, 0, Law::Meiji, 11, kAny, "秋季皇霊祭"},
    {9, DayRule::Autumnal, 0, Law::Taisho, 0, kAny, "秋季皇霊祭"},
    {9, DayRule::Autumnal, 0, Law::Showa, 24, kAny, "秋分の日"},
    {9, DayRule::Autumnal, 0, Law::Modern, 0, kAny, "秋分の日"},

    {10, DayRule::Fixed, 10, Law::Showa, 41, kAny, "体育の日"},
    {10, DayRule::Sports, 0, Law::Modern, 0, 2019, "体育の日"},
    {10, DayRule::Sports, 0, Law::Modern, 2020, kAny, "スポーツの日"},
    {10, DayRule::Fixed, 17, Law::Meiji, 12, 22, "神嘗祭"},
    {10, DayRule::Fixed, 22, Law::Modern, 2019, 2019, "即位礼正殿の儀"},
    {10, DayRule::Fixed, 31, Law::Taisho, 2, kAny, "天長節"},

    {11, DayRule::Fixed, 3, Law::Meiji, 6, 44, "天長節"},
    {11, DayRule::Fixed, 3, Law::Showa, 2, 22, "明治節"},
    {11, DayRule::Fixed, 3, Law::Showa, 23, kAny, "文化の日"},
    {11, DayRule::Fixed, 3, Law::Modern, 0, kAny, "文化の日"},
    {11, DayRule::Fixed, 12, Law::Modern, 1990, 1990, "即位礼正殿の儀"},
    {11, DayRule::Fixed, 23, Law::Meiji, 6, kAny, "新嘗祭"},
    {11, DayRule::Fixed, 23, Law::Taisho, 0, kAny, "新嘗祭"},
    {11, DayRule::Fixed, 23, Law::Showa, 0, 22, "新嘗祭"},
    {11, DayRule::Fixed, 23, Law::Showa, 23, kAny, "勤労感謝の日"},
    {11, DayRule::Fixed, 23, Law::Modern, 0, kAny, "勤労感謝の日"},

    {12, DayRule::Fixed, 23, Law::Modern, 1989, 2018, "天皇誕生日"},
    {12, DayRule::Fixed, 25, Law::Showa, 0, 22, "大正天皇祭"},
};

constexpr int kRuleCount = sizeof kRules / sizeof kRules[0];

// Index of the first rule of each month (13 = end).
struct MonthIndex {
    int first[14];
};

constexpr MonthIndex buildMonthIndex() {
    MonthIndex index{};
    int i = 0;
    for (int m = 1; m <= 13; ++m) {
        index.first[m] = i;
        while (i < kRuleCount && kRules[i].month == m) ++i;
    }
    return index;
}

constexpr MonthIndex kMonthIndex = buildMonthIndex();


int secondMonday(int year, int month) {
    const int w = weekdayOf(year, month, 1);
    return w <= 1 ? 9 - w : 16 - w;
}

int thirdMonday(int year, int month) { return secondMonday(year, month) + 7; }

int dayOfRule(const HolidayRule& rule, int year) {
    switch (rule.rule) {
        case DayRule::Fixed: return rule.day;
        case DayRule::Vernal: return vernalEquinoxDay(year);
        case DayRule::Autumnal: return autumnalEquinoxDay(year);
        case DayRule::ComingOfAge: return comingOfAgeDay(year);
        case DayRule::Marine: return marineDay(year);
        case DayRule::Mountain: return mountainDay(year);
        case DayRule::RespectForAged: return respectForTheAgedDay(year);
        case DayRule::Sports: return sportsDay(year);
    }
    return 0;
}

struct LawYear {
    Law law;
    int year;
};

LawYear lawOf(int year, int month, int day) {
    const EraYear e = eraOf(year, month, day);
    switch (e.era) {
        case kEraMeiji: return {Law::Meiji, e.year};
        case kEraTaisho: return {Law::Taisho, e.year};
        case kEraShowa: return {Law::Showa, e.year};
        default: return {Law::Modern, year};
    }
}

bool isNamed(int year, int month, int day) { return namedHolidayOf(year, month, day) != nullptr; }

// The derived holidays, given whether a date is a named holiday: named(year, month, day).

// From 2007 the law moves a Sunday holiday to the next day that is not a
// holiday; before, only to the Monday right after it.
template <class Named>
bool isSubstituteHoliday(int year, int month, int day, const Named& named) {
    if (year < 1973 || (year == 1973 && month < 4)) return false;
    if (year >= 2005) {
        for (int d = day - 1; d >= 1 && named(year, month, d); --d)
            if (weekdayOf(year, month, d) == 0) return true;
        return false;
    }
    return weekdayOf(year, month, day) == 1 && day != 1 && named(year, month, day - 1);
}

// A day between two named holidays. The next day is looked up across the end
// of a 30-day month (30 April 2019 lay between 29 April and 1 May).
template <class Named>
bool isNationalHoliday(int year, int month, int day, const Named& named) {
    if (year <= 1986 || day == 1 || day == 31 || weekdayOf(year, month, day) == 0) return false;
    if (!named(year, month, day - 1)) return false;
    if (day < monthLengthOf(year, month)) return named(year, month, day + 1);
    return month < 12 && named(year, month + 1, 1);
}

template <class Named>
HolidayResult derivedHoliday(int year, int month, int day, const Named& named) {
    if (isSubstituteHoliday(year, month, day, named)) return kSubstituteHoliday;
    if (isNationalHoliday(year, month, day, named)) return kNationalHoliday;
    return kNoHoliday;
}

// Bit d is set when day d of the month is a named holiday.
std::uint32_t namedDaysOf(int year, int month) {
    if (month < 1 || month > 12) return 0;
    std::uint32_t days = 0;
    for (int i = kMonthIndex.first[month]; i < kMonthIndex.first[month + 1]; ++i) {
        const HolidayRule& rule = kRules[i];
        const int day = dayOfRule(rule, year);
        if (day < 1 || day > 31) continue;
        const LawYear law = lawOf(year, month, day);
        if (rule.law == law.law && law.year >= rule.first && law.year <= rule.last) days |= 1u << day;
    }
    return days;
}

HolidayResult report(HolidayResult result, const char* name, char* buffer) {
    if (buffer == nullptr) return result;
    char* out = buffer;
    const std::size_t n = cp932FitLength(name, kHolidayNameBytes - 1);
    std::memcpy(out, name, n);
    out[n] = '\0';
    return result;
}

// A 休日 line is a national holiday between two holidays, else a substitute one.
HolidayResult tableHoliday(const HolidayTable& table, int serial, char* nameBuffer, bool allowDerived) {
    const HolidayTableDay* day = table.find(serial);
    if (day == nullptr) return kNoHoliday;
    if (day->name != "休日") return report(kNamedHoliday, day->name.c_str(), nameBuffer);
    if (!allowDerived) return kNoHoliday;
    if (table.find(serial - 1) && table.find(serial + 1)) return report(kNationalHoliday, "国民の休日", nameBuffer);
    return report(kSubstituteHoliday, "振り替え休日", nameBuffer);
}

}  // namespace

int comingOfAgeDay(int year) { return year < 2000 ? 15 : secondMonday(year, 1); }

int marineDay(int year) {
    if (year < 2003) return 20;
    if (year == 2020) return 23;  // moved for the Tokyo games
    if (year == 2021) return 22;
    return thirdMonday(year, 7);
}

int mountainDay(int year) {
    if (year == 2020) return 10;
    if (year == 2021) return 8;
    return 11;
}

int respectForTheAgedDay(int year) { return year < 2003 ? 15 : thirdMonday(year, 9); }

int sportsDay(int year) {
    if (year < 2000) return 10;
    if (year == 2020 || year == 2021) return 0;  // held in July those years
    return secondMonday(year, 10);
}

const char* namedHolidayOf(int year, int month, int day) {
    if (month < 1 || month > 12) return nullptr;
    // Most days are no fixed rule's day: the law (an era lookup) is found
    // only when a rule may hold, and a computed day only under its law.
    LawYear law{Law::Modern, 0};
    bool lawFound = false;
    for (int i = kMonthIndex.first[month]; i < kMonthIndex.first[month + 1]; ++i) {
        const HolidayRule& rule = kRules[i];
        if (rule.rule == DayRule::Fixed && rule.day != day) continue;
        if (!lawFound) law = lawOf(year, month, day);
        lawFound = true;
        if (rule.law != law.law || law.year < rule.first || law.year > rule.last) continue;
        if (dayOfRule(rule, year) == day) return rule.name;
    }
    return nullptr;
}

HolidayResult isPublicHoliday(const HolidayChecker& checker, const DayDate& date, char* nameBuffer,
                              bool allowDerived) {
    if (!checker.japaneseHolidays) return kNoHoliday;
    if (const HolidayTable* table = holidayTable(); table && table->covers(date.year))
        return tableHoliday(*table, serialDayOf(date.year, date.month, date.day), nameBuffer, allowDerived);
    return lawHoliday(date, nameBuffer, allowDerived);
}

HolidayResult lawHoliday(const DayDate& date, char* nameBuffer, bool allowDerived) {
    if (const char* name = namedHolidayOf(date.year, date.month, date.day))
        return report(kNamedHoliday, name, nameBuffer);
    if (!allowDerived) return kNoHoliday;
    const HolidayResult derived = derivedHoliday(date.year, date.month, date.day, isNamed);
    if (derived == kSubstituteHoliday) return report(derived, "振り替え休日", nameBuffer);
    if (derived == kNationalHoliday) return report(derived, "国民の休日", nameBuffer);
    return kNoHoliday;
}

void monthHolidays(const HolidayChecker& checker, int year, int month, HolidayResult (&days)[32]) {
    std::fill(std::begin(days), std::end(days), kNoHoliday);
    if (!checker.japaneseHolidays || month < 1 || month > 12) return;
    if (const HolidayTable* table = holidayTable(); table && table->covers(year)) {
        for (int d = 1; d <= monthLengthOf(year, month); ++d) days[d] = tableHoliday(*table, serialDayOf(year, month, d), nullptr, true);
        return;
    }
    const std::uint32_t named = namedDaysOf(year, month), nextNamed = month < 12 ? namedDaysOf(year, month + 1) : 0;
    const auto isNamedDay = [&](int, int m, int d) { return (((m == month ? named : nextNamed) >> d) & 1u) != 0; };
    for (int d = 1; d <= monthLengthOf(year, month); ++d)
        days[d] = isNamedDay(year, month, d) ? kNamedHoliday : derivedHoliday(year, month, d, isNamedDay);
}

}  // namespace tavo
