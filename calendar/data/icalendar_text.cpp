// Content lines of iCalendar text: unfolding, names and parameters, escapes.
#include "icalendar_parts.h"

namespace tavo::ics {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::vector<std::string> unfoldedLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte order mark
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");  // CR LF, LF or CR alone
        const std::string_view line = text.substr(0, end);
        const std::size_t next = end == std::string_view::npos ? text.size()
                                 : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        text.remove_prefix(next);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty()) lines.back().append(line.substr(1));
        else if (!line.empty()) lines.emplace_back(line);
    }
    return lines;
}

bool parseLine(const std::string& line, ContentLine& out) {
    std::size_t i = 0;
    while (i < line.size() && line[i] != ';' && line[i] != ':') ++i;
    if (i == 0 || i == line.size()) return false;
    out.name = upper(std::string_view(line).substr(0, i));
    out.parameters.clear();
    while (line[i] == ';') {
        const std::size_t eq = line.find('=', i);
        if (eq == std::string::npos) return false;
        const std::string name = upper(std::string_view(line).substr(i + 1, eq - i - 1));
        std::string value;
        std::size_t j = eq + 1;
        for (bool quoted = false; j < line.size() && (quoted || (line[j] != ';' && line[j] != ':')); ++j) {
            if (line[j] == '"') quoted = !quoted;
            else value += line[j];
        }
        if (j == line.size()) return false;
        out.parameters[name] = value;
        i = j;
    }
    out.value = line.substr(i + 1);
    return true;
}

std::string unescapeText(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' || next == 'N' ? '\n' : next;
    }
    return out;
}

}  // namespace tavo::ics
