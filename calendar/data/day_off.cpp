#include "day_off.h"

#include <cstring>

#include "section_file.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

bool validDay(int month, int day) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }

}  // namespace

void clearDayOffTable(DayOffTable& table) {
    std::memset(&table, 0, sizeof table);
    for (auto& row : table.rows) std::memset(row, '0', 31);
}

void parseDayOffTable(DayOffTable& table, std::string_view content) {
    clearDayOffTable(table);
    const std::vector<std::string_view> lines = fileLines(content);
    for (std::size_t m = 0; m < 12 && m < lines.size(); ++m) {
        const std::string_view line = lines[m];
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

void loadDayOffTable(DayOffTable& table, const FileSystem& files, const PathSettings& paths, int year) {
    const FileContent file = files.readFile(dayOffFile(paths, year));
    parseDayOffTable(table, file.opened ? completeLines(file) : std::string_view());
}

bool toggleDayOff(DayOffTable& table, FileSystem& files, const PathSettings& paths, int year, int month, int day) {
    if (!validDay(month, day)) return false;
    char& flag = table.rows[month - 1][day - 1];
    flag = flag == '0' ? '1' : '0';
    return files.replaceFile(dayOffFile(paths, year), formatDayOffTable(table));
}

}  // namespace tavo
