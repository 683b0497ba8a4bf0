#include <cstdio>

#include "locale_info.h"
#include "shared/era.h"

namespace tavo {
namespace {

const char* const kWeekdayCharacters[7] = {"日", "月", "火", "水", "木", "金", "土"};

bool validMonth(int m) { return m >= 1 && m <= 12; }

}  // namespace

const char* japaneseWeekdayCharacter(int weekday) {
    return weekday >= 0 && weekday <= 6 ? kWeekdayCharacters[weekday] : "";
}

std::string JapaneseLocale::dateSeparator() const { return "/"; }

std::string JapaneseLocale::abbreviatedWeekday(int weekday) const {
    return japaneseWeekdayCharacter(weekday);
}

std::string JapaneseLocale::fullWeekday(int weekday) const {
    const std::string c = japaneseWeekdayCharacter(weekday);
    return c.empty() ? c : c + "曜日";
}

std::string JapaneseLocale::abbreviatedMonth(int month) const {
    return validMonth(month) ? std::to_string(month) : "";
}

std::string JapaneseLocale::fullMonth(int month) const {
    return validMonth(month) ? std::to_string(month) + "月" : "";
}

// The Japanese calendar of Windows starts with Meiji.
bool JapaneseLocale::alternateEra(int year, int month, int day, std::string& name, int& eraYear) const {
    const EraYear e = eraOf(year, month, day);
    if (e.era == kEraWestern || e.era == kEraKeio) return false;
    name = eraName(e.era);
    eraYear = e.year;
    return true;
}

std::string JapaneseLocale::longDate(int year, int month, int day) const {
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日", year, month, day);
    return text;
}

std::string JapaneseLocale::shortDate(int year, int month, int day) const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
    return text;
}

}  // namespace tavo
