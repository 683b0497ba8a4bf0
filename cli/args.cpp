#include "args.h"

#include <algorithm>
#include <cstdio>

#include "shared/calendar_date.h"

namespace tavo::cli {

std::string parseArgs(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
                      const std::vector<std::string>& flagOptions, Args& args) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        const bool named = std::find(valueOptions.begin(), valueOptions.end(), w) != valueOptions.end();  // "-o" too
        if (!named && (w.size() < 3 || w.compare(0, 2, "--") != 0)) {
            args.positional.push_back(w);
            continue;
        }
        if (std::find(valueOptions.begin(), valueOptions.end(), w) == valueOptions.end()) {
            if (std::find(flagOptions.begin(), flagOptions.end(), w) == flagOptions.end()) return "unknown option " + w;
            args.flags.push_back(w);
            continue;
        }
        if (i + 1 >= words.size()) return "option " + w + " needs a value";
        args.options[w] = words[++i];
    }
    return {};
}

std::optional<int> parseNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (start == 1) value = -value;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<LocalDate> parseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto y = parseNumber(text.substr(0, 4), 0, 9999);
    const auto m = parseNumber(text.substr(5, 2), 0, 99);
    const auto d = parseNumber(text.substr(8, 2), 0, 99);
    if (!y || !m || !d) return std::nullopt;
    if (CalendarDate(*y, *m, *d).checkDate() != kDateOk) return std::nullopt;
    return LocalDate{*y, *m, *d};
}

std::string formatIsoDate(int year, int month, int day) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

}  // namespace tavo::cli
