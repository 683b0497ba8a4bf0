#include <windows.h>

#include "shared/cp932.h"
#include "windows_locale.h"

namespace tavo {
namespace {

std::string localeText(LCTYPE type) {
    wchar_t text[128];
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128);
    return n > 1 ? wideToCp932(std::wstring_view(text, static_cast<std::size_t>(n - 1))) : std::string();
}

// Windows counts weekdays from Monday (LOCALE_SDAYNAME1) to Sunday (7).
LCTYPE weekdayType(LCTYPE monday, int weekday) { return monday + static_cast<LCTYPE>((weekday + 6) % 7); }

std::wstring dateText(int year, int month, int day, DWORD flags, const wchar_t* picture) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    wchar_t text[128];
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &t, picture, text, 128);
    return n > 1 ? std::wstring(text, static_cast<std::size_t>(n - 1)) : std::wstring();
}

}  // namespace

std::string WindowsLocale::dateSeparator() const {
    const std::string s = localeText(LOCALE_SDATE);
    return s.substr(0, cp932FitLength(s, 6));
}

std::string WindowsLocale::abbreviatedWeekday(int weekday) const {
    return weekday < 0 || weekday > 6 ? std::string() : localeText(weekdayType(LOCALE_SABBREVDAYNAME1, weekday));
}

std::string WindowsLocale::fullWeekday(int weekday) const {
    return weekday < 0 || weekday > 6 ? std::string() : localeText(weekdayType(LOCALE_SDAYNAME1, weekday));
}

std::string WindowsLocale::abbreviatedMonth(int month) const {
    return month < 1 || month > 12 ? std::string() : localeText(LOCALE_SABBREVMONTHNAME1 + month - 1);
}

std::string WindowsLocale::fullMonth(int month) const {
    return month < 1 || month > 12 ? std::string() : localeText(LOCALE_SMONTHNAME1 + month - 1);
}

bool WindowsLocale::alternateEra(int year, int month, int day, std::string& name, int& eraYear) const {
    const std::wstring era = dateText(year, month, day, DATE_USE_ALT_CALENDAR, L"gg");
    const std::wstring digits = dateText(year, month, day, DATE_USE_ALT_CALENDAR, L"yyyy");
    if (era.empty() || digits.empty() || digits[0] < L'0' || digits[0] > L'9') return false;
    int value = 0;
    for (std::size_t i = 0; i < digits.size() && digits[i] >= L'0' && digits[i] <= L'9'; ++i)
        value = value * 10 + (digits[i] - L'0');
    name = wideToCp932(era);
    eraYear = value;
    return true;
}

std::string WindowsLocale::longDate(int year, int month, int day) const {
    return wideToCp932(dateText(year, month, day, DATE_LONGDATE, nullptr));
}

std::string WindowsLocale::shortDate(int year, int month, int day) const {
    return wideToCp932(dateText(year, month, day, DATE_SHORTDATE, nullptr));
}

}  // namespace tavo
