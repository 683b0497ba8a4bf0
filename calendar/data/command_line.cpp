#include "command_line.h"

#include "shared/cp932.h"

namespace tavo {
namespace {

// Leading decimal digits of text from position at; 0 without digits.
int numberAt(std::string_view text, std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '"')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '"' || line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

// The file name part: after the last '\' that is not a trail byte.
std::string_view fileName(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(path[i]))) ++i;
        else if (path[i] == '\\' || path[i] == '/') start = i + 1;
    }
    return path.substr(start);
}

int monthOfLetter(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'c') return c - 'a' + 10;
    if (c >= 'A' && c <= 'C') return c - 'A' + 10;
    return 0;
}

}  // namespace

bool commandLineDate(std::string_view line, CommandLineDate& date) {
    line = trimmed(line);
    const std::string_view name = fileName(line);
    if (name.size() >= 8 && (name.substr(0, 3) == "sch" || name.substr(0, 3) == "SCH")) {
        const int month = monthOfLetter(name[7]);
        const int year = numberAt(name.substr(3, 4), 0);
        if (month == 0 || year == 0) return false;
        date = {year, month, 1};
        return true;
    }
    if (line.size() != 10 || numberAt(line, 0) == 0) return false;
    date = {numberAt(line, 0), numberAt(line, 5), numberAt(line, 8)};
    return true;
}

}  // namespace tavo
