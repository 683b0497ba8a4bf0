#include "day_off.h"

#include <cstring>
#include <vector>

#include "section_file.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

bool validDay(int month, int day) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }

// A row of flags begins with '0' or '1'; blank and stray lines are no month.
bool isFlagRow(std::string_view line) { return !line.empty() && (line[0] == '0' || line[0] == '1'); }

// The indexes of the first twelve rows of flags among the lines.
std::vector<std::size_t> flagRows(const std::vector<std::string_view>& lines) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < lines.size() && rows.size() < 12; ++i)
        if (isFlagRow(lines[i])) rows.push_back(i);
    return rows;
}

}  // namespace

void clearDayOffTable(DayOffTable& table) {
    std::memset(&table, 0, sizeof table);
    for (auto& row : table.rows) std::memset(row, '0', 31);
}

void parseDayOffTable(DayOffTable& table, std::string_view content) {
    clearDayOffTable(table);
    const std::vector<std::string_view> lines = fileLines(content);
    const std::vector<std::size_t> rows = flagRows(lines);
    for (std::size_t m = 0; m < rows.size(); ++m) {
        const std::string_view line = lineContent(lines[rows[m]]);
        for (std::size_t d = 0; d < 31 && d < line.size(); ++d)
            table.rows[m][d] = line[d] == '1' ? '1' : '0';
    }
}

std::string formatDayOffTable(const DayOffTable& table) {
    std::string out;
    for (const auto& row : table.rows) {
        out.append(row, 31);
        out += "\r\n";
    }
    return out;
}

bool isDayOff(const DayOffTable& table, int month, int day) {
    return validDay(month, day) && table.rows[month - 1][day - 1] == '1';
}

std::string withDayOffToggled(std::string_view content, int month, int day) {
    if (!validDay(month, day)) return std::string(content);
    std::vector<std::string> lines;
    for (std::string_view line : fileLines(content)) lines.emplace_back(line);
    std::vector<std::string_view> views(lines.begin(), lines.end());
    std::vector<std::size_t> rows = flagRows(views);
    if (!lines.empty() && lines.back().back() != '\n' && lines.back().back() != '\r') lines.back() += "\r\n";
    while (rows.size() < static_cast<std::size_t>(month)) {  // missing months are added at the end
        rows.push_back(lines.size());
        lines.push_back(std::string(31, '0') + "\r\n");
    }
    std::string& row = lines[rows[static_cast<std::size_t>(month - 1)]];
    const std::size_t flags = lineContent(row).size();
    if (flags < static_cast<std::size_t>(day)) row.insert(flags, static_cast<std::size_t>(day) - flags, '0');
    char& flag = row[static_cast<std::size_t>(day - 1)];
    flag = flag == '1' ? '0' : '1';
    std::string out;
    for (const std::string& line : lines) out += line;
    return out;
}

void loadDayOffTable(DayOffTable& table, const FileSystem& files, const PathSettings& paths, int year) {
    const FileContent file = files.readFile(dayOffFile(paths, year));
    parseDayOffTable(table, file.opened ? completeLines(file) : std::string_view());
}

SaveResult markDayOff(DayOffTable& table, FileSystem& files, const PathSettings& paths, int year, int month, int day,
                      bool marked) {
    if (!validDay(month, day)) return {false, "日付が正しくありません"};
    std::string written;
    const SaveResult result = rewriteFile(files, dayOffFile(paths, year), [&](std::string_view old) {
        DayOffTable now{};
        parseDayOffTable(now, old);
        written = isDayOff(now, month, day) == marked ? std::string(old) : withDayOffToggled(old, month, day);
        return written;
    });
    if (result) parseDayOffTable(table, written);
    return result;
}

}  // namespace tavo
