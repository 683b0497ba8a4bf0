// Locale facts that date texts need; the Windows program asks the system,
// tests and the command-line tool use the fixed Japanese locale.
#pragma once

#include <string>

namespace tavo {

// The one-character Japanese weekday (0 = Sunday), "" when out of range.
const char* japaneseWeekdayCharacter(int weekday);

class LocaleInfo {
public:
    virtual ~LocaleInfo() = default;
    virtual std::string dateSeparator() const = 0;              // at most 3 characters
    virtual std::string abbreviatedWeekday(int weekday) const = 0;  // 0 = Sunday
    virtual std::string fullWeekday(int weekday) const = 0;
    virtual std::string abbreviatedMonth(int month) const = 0;  // 1..12
    virtual std::string fullMonth(int month) const = 0;
    // Era name and era year of the alternate calendar; false when it has none.
    virtual bool alternateEra(int year, int month, int day, std::string& name, int& eraYear) const = 0;
    virtual std::string longDate(int year, int month, int day) const = 0;
    virtual std::string shortDate(int year, int month, int day) const = 0;
};

// The Japanese user locale as Windows presents it, with eras from the era table.
class JapaneseLocale final : public LocaleInfo {
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
