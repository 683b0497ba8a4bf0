// The government's table of public holidays (syukujitsu.csv: Shift-JIS,
// CR LF, a header, then "YYYY/M/D,名称" lines by date, substitute and national
// holidays named 休日). Where one is in use, the years it covers take their
// holidays from it and every other year keeps the law. A table is taken
// whole or refused whole, with the line that is wrong.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

inline constexpr const char* kHolidayTableFile = "syukujitsu.csv";
// The last year whose holidays the government had fixed when this was built
// (the equinox days are announced in February of the year before).
inline constexpr int kHolidaysFixedThrough = 2027;

struct HolidayTableDay {
    int serial;
    std::string name;  // CP932
    bool operator==(const HolidayTableDay&) const = default;
};

struct HolidayTable {
    int firstYear = 0, lastYear = 0;
    std::vector<HolidayTableDay> days;  // by date
    bool covers(int year) const { return year >= firstYear && year <= lastYear; }
    const HolidayTableDay* find(int serial) const;  // nullptr: no holiday that day
};

struct HolidayTableRead {
    std::shared_ptr<const HolidayTable> table;  // null when refused
    int line = 0;         // the line refused (1 for the header), 0 when taken
    std::string problem;  // CP932, for the user
};
HolidayTableRead parseHolidayTable(std::string_view content);

// A day that is a holiday (or 休日) on one side only.
struct HolidayDifference {
    int serial;
    std::string table, law;  // the names, CP932; "" where it is no holiday
};
// Every such day of the table's years, by date.
std::vector<HolidayDifference> holidayDifferences(const HolidayTable& table);

class FileSystem;
// The table beside the data (kHolidayTableFile in the folder): none when there
// is no such file, refused (with its line) when it cannot be taken whole.
HolidayTableRead readHolidayTable(const FileSystem& files, const std::string& folder);

// The table the holidays of every date come from where it covers them; null: the law alone.
void useHolidayTable(std::shared_ptr<const HolidayTable> table);
const HolidayTable* holidayTable();
// Past this year, holidays are the law's forecast (予定).
int lastFixedHolidayYear();
inline bool provisionalHoliday(int year) { return year > lastFixedHolidayYear(); }
// A holiday's name as shown: "(予定)" after a provisional one's.
inline std::string shownHolidayName(std::string_view name, int year) {
    std::string shown(name);
    if (!shown.empty() && provisionalHoliday(year)) shown += "(予定)";
    return shown;
}

}  // namespace tavo
