#include "holiday_table.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "holidays.h"
#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

constexpr std::string_view kHeader = "国民の祝日・休日月日,国民の祝日・休日名称";
constexpr std::size_t kMostTableBytes = 1 << 20;  // the real one is about 20 KB
constexpr int kFirstLawYear = 1948;                // the holiday law of July 1948

std::atomic<const HolidayTable*> current{nullptr};

// Every table ever used stays alive: a date being looked up on another
// thread may still hold the one just replaced. Only a changed table is
// taken (every refresh reads the file again), so a session keeps a handful.
void keep(std::shared_ptr<const HolidayTable> table) {
    static std::mutex mutex;
    static std::vector<std::shared_ptr<const HolidayTable>> kept;
    const std::lock_guard lock(mutex);
    kept.push_back(std::move(table));
}

// "2026/5/6" (zero padding allowed) as a serial day; 0 when it is no date the law covers.
int dateOf(std::string_view text) {
    int parts[3] = {0, 0, 0}, part = 0, digits = 0;
    for (const char c : text) {
        if (c == '/' && digits > 0 && part < 2) {
            ++part, digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 4) {
            parts[part] = parts[part] * 10 + (c - '0'), ++digits;
        } else {
            return 0;
        }
    }
    const int y = parts[0], m = parts[1], d = parts[2];
    if (part != 2 || digits == 0 || y < kFirstLawYear || y > kLastYear || m < 1 || m > 12 || d < 1 || d > monthLengthOf(y, m)) return 0;
    return serialDayOf(y, m, d);
}

int yearOf(int serial) {
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    return y;
}

HolidayTableRead refused(int line, std::string problem) { return {nullptr, line, std::to_string(line) + "行目: " + problem}; }

// Each year from the first to the last has lines, from 元日 to 勤労感謝の日 at least.
HolidayTableRead checkYears(const HolidayTable& table, const std::vector<int>& lineOf) {
    std::size_t i = 0;
    for (int year = table.firstYear; year <= table.lastYear; ++year) {
        const std::size_t first = i;
        while (i < table.days.size() && yearOf(table.days[i].serial) == year) ++i;
        const int line = lineOf[std::min(first, table.days.size() - 1)];
        if (first == i) return refused(line, std::to_string(year) + "年の行がありません");
        const auto holds = [&](int month, int day) {
            return std::any_of(table.days.begin() + static_cast<std::ptrdiff_t>(first), table.days.begin() + static_cast<std::ptrdiff_t>(i),
                               [&](const HolidayTableDay& h) { return h.serial == serialDayOf(year, month, day); });
        };
        if (!holds(1, 1) || !holds(11, 23)) return refused(line, std::to_string(year) + "年の一部しかありません");
    }
    return {};
}

}  // namespace

const HolidayTableDay* HolidayTable::find(int serial) const {
    const auto it = std::lower_bound(days.begin(), days.end(), serial, [](const HolidayTableDay& h, int s) { return h.serial < s; });
    return it != days.end() && it->serial == serial ? &*it : nullptr;
}

HolidayTableRead parseHolidayTable(std::string_view content) {
    if (content.size() > kMostTableBytes) return refused(1, "祝日表として大きすぎます");
    const std::vector<std::string_view> lines = fileLines(content);
    if (lines.empty() || lineContent(lines[0]) != kHeader) return refused(1, "見出しが祝日表のものではありません");
    auto table = std::make_shared<HolidayTable>();
    std::vector<int> lineOf;
    std::size_t end = lines.size();
    while (end > 1 && lineContent(lines[end - 1]).empty()) --end;  // blank lines at the end
    for (std::size_t i = 1; i < end; ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::string_view text = lineContent(lines[i]);
        const std::size_t comma = text.find(',');
        const int serial = comma == std::string_view::npos ? 0 : dateOf(text.substr(0, comma));
        if (serial == 0) return refused(line, "日付が正しくありません");
        const std::string_view name = text.substr(comma + 1);
        if (name.empty() || name.size() >= kHolidayNameBytes || name.find(',') != std::string_view::npos)
            return refused(line, "名称が正しくありません");
        if (!table->days.empty() && serial <= table->days.back().serial) return refused(line, "日付が前の行より後ではありません");
        table->days.push_back({serial, std::string(name)});
        lineOf.push_back(line);
    }
    if (table->days.empty()) return refused(2, "祝日の行がありません");
    table->firstYear = yearOf(table->days.front().serial);
    table->lastYear = yearOf(table->days.back().serial);
    if (HolidayTableRead wrong = checkYears(*table, lineOf); wrong.line != 0) return wrong;
    return {std::move(table), 0, {}};
}

std::vector<HolidayDifference> holidayDifferences(const HolidayTable& table) {
    std::vector<HolidayDifference> differences;
    for (int serial = serialDayOf(table.firstYear, 1, 1); serial <= serialDayOf(table.lastYear, 12, 31); ++serial) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        char law[kHolidayNameBytes] = "";
        const bool byLaw = lawHoliday(dayDate(y, m, d), law, true) != kNoHoliday;
        const HolidayTableDay* listed = table.find(serial);
        if (byLaw != (listed != nullptr)) differences.push_back({serial, listed ? listed->name : std::string(), law});
    }
    return differences;
}

HolidayTableRead readHolidayTable(const FileSystem& files, const std::string& folder) {
    const std::string path = joinPath(folder, kHolidayTableFile);
    const FileContent file = files.readFile(path);
    if (!file.opened) return {};
    if (!file.complete) return {nullptr, 0, path + ": " + file.problem};
    HolidayTableRead read = parseHolidayTable(file.content);
    if (!read.table) read.problem = path + "\n" + read.problem;
    return read;
}

namespace {

bool sameDays(const HolidayTable* a, const HolidayTable* b) {
    return !a || !b ? a == b : a->days == b->days;
}

}  // namespace

void useHolidayTable(std::shared_ptr<const HolidayTable> table) {
    if (sameDays(table.get(), current.load(std::memory_order_acquire))) return;
    current.store(table.get(), std::memory_order_release);
    if (table) keep(std::move(table));
}

const HolidayTable* holidayTable() { return current.load(std::memory_order_acquire); }

int lastFixedHolidayYear() {
    const HolidayTable* table = holidayTable();
    return table ? table->lastYear : kHolidaysFixedThrough;
}

}  // namespace tavo
