// Locale facts from the user's default locale (Windows only).
#pragma once

#include "locale_info.h"

namespace tavo {

class WindowsLocale final : public LocaleInfo {
public:
    std::string dateSeparator() const override;
    std::string abbreviatedWeekday(int weekday) const override;
    std::string fullWeekday(int weekday) const override;
    std::string abbreviatedMonth(int month) const override;
    std::string fullMonth(int month) const override;
    bool alternateEra(int year, int month, int day, std::string& name, int& eraYear) const override;
    std::string longDate(int year, int month, int day) const override;
    std::string shortDate(int year, int month, int day) const override;
};

}  // namespace tavo
