#include "date_pattern.h"

#include <cstdio>

#include "locale_info.h"
#include "shared/cp932.h"
#include "shared/rokuyo.h"

namespace tavo {
namespace {

enum Tokens : unsigned {
    kQuote = 1u << 0,
    kSeparator = 1u << 1,
    kYear = 1u << 2,
    kMonth = 1u << 3,
    kDay = 1u << 4,
    kWeekday = 1u << 5,
    kEraYear = 1u << 6,
    kEraName = 1u << 7,
    kRokuyo = 1u << 8,
    kOffset = 1u << 9,
    kSystemDate = 1u << 10,
    kAllTokens = 0x7FF,
    kYearMonthTokens = kQuote | kSeparator | kYear | kMonth | kEraYear | kEraName,
    kWeekdayTokens = kQuote | kSeparator | kWeekday,
};

struct Formatter {
    Formatter(std::string_view p, const DayDate& d, const LocaleInfo& l, unsigned t)
        : pattern(p), date(d), locale(l), tokens(t) {}

    std::string_view pattern;
    const DayDate& date;
    const LocaleInfo& locale;
    unsigned tokens;
    bool eraKnown = false;
    std::string eraName;
    int eraYear = 0;
    std::string out;

    // The length of the run of c at `at`, counted up to limit: tokens that
    // take at most four letters never look further, so that a long run is
    // not scanned again at every step (the time stays linear).
    std::size_t run(std::size_t at, char c, std::size_t limit = std::string_view::npos) const {
        std::size_t n = 0;
        while (n < limit && at + n < pattern.size() && pattern[at + n] == c) ++n;
        return n;
    }
    static constexpr std::size_t kShortRun = 5;
    bool startsWith(std::size_t at, std::string_view word) const { return pattern.substr(at, word.size()) == word; }

    void number(const char* format, int value) {
        char text[16];
        std::snprintf(text, sizeof text, format, value);
        out += text;
    }

    // Each handler returns the bytes consumed, or 0 when no token starts here.
    std::size_t quote(std::size_t at) {
        const std::size_t close = pattern.find('"', at + 1);
        if (close == std::string_view::npos) {
            out += pattern.substr(at + 1);
            return pattern.size() - at;
        }
        out += pattern.substr(at + 1, close - at - 1);
        return close - at + 1;
    }

    std::size_t year(std::size_t at) {
        const std::size_t n = run(at, 'y', kShortRun);
        if (n >= 4) {
            number("%04d", date.year);
            return 4;
        }
        if (n >= 2) {
            number("%02d", date.year % 100);
            return 2;
        }
        return 0;
    }

    std::size_t month(std::size_t at) {
        const std::size_t n = run(at, 'm', kShortRun);
        if (n >= 4) out += locale.fullMonth(date.month);
        else if (n == 3) out += locale.abbreviatedMonth(date.month);
        else number(n == 2 ? "%02d" : "%d", date.month);
        return n >= 4 ? 4 : n;
    }

    std::size_t day(std::size_t at) {
        const std::size_t n = run(at, 'd', kShortRun);
        if (n >= 3 && (tokens & kWeekday)) return weekdayName(n);
        if (n >= 3 || !(tokens & kDay)) return 0;
        number(n == 2 ? "%02d" : "%d", date.day);
        return n;
    }

    std::size_t weekdayName(std::size_t n) {
        out += n >= 4 ? locale.fullWeekday(date.weekday) : locale.abbreviatedWeekday(date.weekday);
        return n >= 4 ? 4 : 3;
    }

    std::size_t eraYearDigits(std::size_t at) {
        const std::size_t n = run(at, 'Y');
        if (!eraKnown) return 0;
        char format[16];
        std::snprintf(format, sizeof format, "%%0%dd", static_cast<int>(n));
        number(format, eraYear);
        return n;
    }

    std::size_t eraNameCharacters(std::size_t at) {
        const std::size_t n = run(at, 'g');
        std::size_t i = 0;
        for (std::size_t k = 0; k < n && eraKnown && i < eraName.size(); ++k) {
            const std::size_t width = isCp932LeadByte(static_cast<unsigned char>(eraName[i])) ? 2 : 1;
            out += eraName.substr(i, width);
            i += width;
        }
        return n;
    }

    std::size_t rokuyo(std::size_t at) {
        if (!startsWith(at, "RR")) return 0;
        out += insideLunarTable(date.year) ? rokuyoName(rokuyoOf(date.year, date.month, date.day)) : "    ";
        return 2;
    }

    std::size_t token(std::size_t at) {
        const char c = pattern[at];
        if (c == '"' && (tokens & kQuote)) return quote(at);
        if (c == '/' && (tokens & kSeparator)) {
            out += locale.dateSeparator();
            return 1;
        }
        if (c == 'y' && (tokens & kYear)) return year(at);
        if (c == 'm' && (tokens & kMonth)) return month(at);
        if (c == 'd') return day(at);
        if (c == 'a' && (tokens & kWeekday) && run(at, 'a', kShortRun) >= 3) return weekdayName(run(at, 'a', kShortRun));
        if (c == 'Y' && (tokens & kEraYear)) return eraYearDigits(at);
        if (c == 'g' && (tokens & kEraName)) return eraNameCharacters(at);
        if (c == 'R' && (tokens & kRokuyo)) return rokuyo(at);
        if (c == 'N' && (tokens & kOffset)) {
            number("%+d", date.fromToday);
            return 1;
        }
        if ((tokens & kSystemDate) && startsWith(at, "LDATE")) {
            out += locale.longDate(date.year, date.month, date.day);
            return 5;
        }
        if ((tokens & kSystemDate) && startsWith(at, "DATE")) {
            out += locale.shortDate(date.year, date.month, date.day);
            return 4;
        }
        return 0;
    }

    // Copies what starts no token: a double-byte character whole (its second
    // byte may look like a token letter), or a run of Y's when no era is known.
    std::size_t literal(std::size_t at) {
        const unsigned char c = static_cast<unsigned char>(pattern[at]);
        std::size_t n = 1;
        if (isCp932LeadByte(c) && at + 1 < pattern.size()) n = 2;
        else if (c == 'Y') n = run(at, 'Y');
        out += pattern.substr(at, n);
        return n;
    }

    std::string format() {
        eraKnown = (tokens & (kEraYear | kEraName)) &&
                   locale.alternateEra(date.year, date.month, date.day, eraName, eraYear);
        for (std::size_t at = 0; at < pattern.size();) {
            const std::size_t used = token(at);
            at += used != 0 ? used : literal(at);
        }
        return fitDateText(std::move(out));
    }
};

}  // namespace

std::string fitDateText(std::string text, std::size_t bytes) {
    text.resize(cp932FitLength(text, bytes - 1));
    return text;
}

std::string formatDatePattern(std::string_view pattern, const DayDate& date, const LocaleInfo& locale) {
    return Formatter(pattern, date, locale, kAllTokens).format();
}

std::string formatYearMonthPattern(std::string_view pattern, const DayDate& date, const LocaleInfo& locale) {
    return Formatter(pattern, date, locale, kYearMonthTokens).format();
}

std::string formatWeekdayPattern(std::string_view pattern, int weekday, const LocaleInfo& locale) {
    DayDate date{};
    date.weekday = weekday;
    return Formatter(pattern, date, locale, kWeekdayTokens).format();
}

}  // namespace tavo
