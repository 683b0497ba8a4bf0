#include "closed_days.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

#include "holidays.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/era.h"
#include "shared/file_system.h"
#include "shared/text_merge.h"
#include "shared/settings_store.h"
#include "shared/settings_table.h"

namespace tavo {
namespace {

const char* const kSwitchNames[8] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat", "hol"};
constexpr bool kSwitchDefaults[8] = {true, false, false, false, false, false, true, true};

void copyCut(char* out, std::size_t size, std::string_view text) { copyToField(out, size, text); }

bool twoDigits(std::string_view line, std::size_t at, int& value) {
    if (line.size() < at + 2) return false;
    const char a = line[at], b = line[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return false;
    value = (a - '0') * 10 + (b - '0');
    return true;
}

// "MM/DD E00-E00 name": fixed columns; "??" for a month-only rule.
bool parseRule(std::string_view line, ClosedDayRule& rule) {
    int month = 0, day = 0, from = 0, to = 0;
    if (!twoDigits(line, 0, month) || month < 1 || month > 12 || line.size() < 13 || line[2] != '/') return false;
    if (line.substr(3, 2) != "??" && (!twoDigits(line, 3, day) || day < 1 || day > 31)) return false;
    if (!twoDigits(line, 7, from) || !twoDigits(line, 11, to)) return false;
    rule = ClosedDayRule{};
    rule.fromEra = static_cast<std::int16_t>(eraFromLetter(line[6]));
    rule.toEra = static_cast<std::int16_t>(eraFromLetter(line[10]));
    rule.fromYear = static_cast<std::uint16_t>(from + eraBaseYear(rule.fromEra));
    rule.toYear = static_cast<std::uint16_t>(to + eraBaseYear(rule.toEra));
    copyCut(rule.name, sizeof rule.name, line.size() > 14 ? line.substr(14) : std::string_view());
    copyCut(rule.line, sizeof rule.line, line);
    return true;
}


// The era letter and two-digit year that stand for a Gregorian year: the
// rule's own era when the year fits it, else the newest era that fits.
void eraYearText(int era, int year, char& letter, int& eraYear) {
    auto fits = [year](int e) { return year - eraBaseYear(e) >= 0 && year - eraBaseYear(e) <= 99; };
    if (!fits(era)) {
        for (int e : {kEraReiwa, kEraHeisei, kEraShowa, kEraTaisho, kEraMeiji, kEraKeio}) {
            if (fits(e)) {
                era = e;
                break;
            }
        }
    }
    letter = era == kEraWestern ? ' ' : eraInitial(era);
    eraYear = year - eraBaseYear(era);
    if (eraYear < 0 || eraYear > 99) eraYear = eraYear < 0 ? 0 : 99;
}

bool ruleCovers(const ClosedDays& days, int year, int month, int day, char* name24) {
    const ClosedDaySlot& slot = days.slots[closedDaySlot(month, day)];
    for (int i = 0; i < slot.count; ++i) {
        const ClosedDayRule& rule = days.rules[days.order[slot.first - 1 + i]];
        if (rule.fromYear <= year && year <= rule.toYear) {
            if (name24) copyCut(name24, 24, rule.name);
            return true;
        }
    }
    return false;
}

int slotOfRule(const ClosedDayRule& rule) {
    int month = 0, day = 0;
    twoDigits(rule.line, 0, month);
    if (!twoDigits(rule.line, 3, day)) day = 0;
    return closedDaySlot(month < 1 || month > 12 ? 1 : month, day < 0 || day > 31 ? 0 : day);
}

bool insideMonth(const DayDate& date) { return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31; }

}  // namespace

int closedDaySlot(int month, int day) { return (month - 1) * 32 + (day == 0 ? 32 : day); }

int closedDayRuleCount(const ClosedDays& days) { return days.lastRule + 1; }

void resetClosedDays(ClosedDays& days) {
    std::memset(&days, 0, sizeof days);
    days.lastRule = -1;
    days.rulesWhole = 1;
    resetSettings(&days, closedDaySwitchTable());
    for (int i = 0; i < kMaxClosedDayRules; ++i) days.order[i] = i;
}

int parseClosedDayRules(ClosedDays& days, std::string_view content) {
    std::memset(days.rules, 0, sizeof days.rules);
    std::memset(days.slots, 0, sizeof days.slots);
    for (int i = 0; i < kMaxClosedDayRules; ++i) days.order[i] = i;
    int count = 0, found = 0;
    ClosedDayRule spare;
    for (std::string_view line : fileLines(content)) {
        ClosedDayRule& into = count < kMaxClosedDayRules ? days.rules[count] : spare;
        if (!parseRule(lineContent(line), into)) continue;
        ++found;
        if (count < kMaxClosedDayRules) ++count;
    }
    days.lastRule = count - 1;
    days.rulesWhole = 1;
    indexClosedDayRules(days);
    return found;
}

// A stable grouping of the rules by slot, so file order is kept within a slot.
void indexClosedDayRules(ClosedDays& days) {
    std::memset(days.slots, 0, sizeof days.slots);
    const int count = closedDayRuleCount(days);
    for (int i = 0; i < count; ++i) ++days.slots[slotOfRule(days.rules[i])].count;
    int position = 0;
    for (ClosedDaySlot& slot : days.slots) {
        slot.first = slot.count > 0 ? position + 1 : 0;
        position += slot.count;
    }
    int filled[kClosedDaySlots] = {};
    for (int i = 0; i < count; ++i) {
        const int s = slotOfRule(days.rules[i]);
        days.order[days.slots[s].first - 1 + filled[s]++] = i;
    }
    for (int i = count; i < kMaxClosedDayRules; ++i) days.order[i] = i;
}

ClosedDaysLoad loadClosedDays(ClosedDays& days, const FileSystem& files, const std::string& programFolder,
                              const SettingsStore& store) {
    const FileContent file = files.readFile(joinPath(programFolder, kClosedDaysFile));
    ClosedDaysLoad load{file.opened, readWhole(file), 0, file.problem};
    if (file.opened) load.ignoredRules = parseClosedDayRules(days, completeLines(file)) - closedDayRuleCount(days);
    days.rulesWhole = load.whole;
    readClosedDaySwitches(days, store);
    return load;
}

// The rules the editor holds replace the file's first 256 rule lines; lines
// that hold no rule stay ahead of them, rules past the limit after them.
std::string withClosedDayRules(std::string_view content, const ClosedDays& days) {
    std::string kept, overLimit;
    int rules = 0;
    for (std::string_view line : fileLines(content)) {
        ClosedDayRule rule;
        std::string* into = &kept;
        if (parseRule(lineContent(line), rule)) {
            if (++rules <= kMaxClosedDayRules) continue;  // the editor's rules stand for these
            into = &overLimit;
        }
        *into += line;
        if (into->back() != '\n' && into->back() != '\r') *into += "\r\n";
    }
    return kept + formatClosedDayRules(days) + overLimit;
}

SaveResult saveClosedDayRules(const ClosedDays& days, FileSystem& files, const std::string& programFolder) {
    // Rules loaded from part of the file would stand for all of it.
    if (!days.rulesWhole) return {false, "休業日の設定を最後まで読めなかったため、保存しません"};
    return rewriteFile(files, joinPath(programFolder, kClosedDaysFile),
                       [&](std::string_view old) { return withClosedDayRules(old, days); });
}

namespace {

// The rules of both sides where both changed: the other's marked lines are rules too.
std::string withoutConflictMarks(const std::string& text) {
    std::string out;
    for (std::string_view line : fileLines(text)) {
        if (line.substr(0, kConflictMark.size()) == kConflictMark) line.remove_prefix(kConflictMark.size());
        out += line;
    }
    return out;
}

}  // namespace

SaveResult saveClosedDayRulesOver(const ClosedDays& base, ClosedDays& mine, FileSystem& files,
                                  const std::string& programFolder, bool& merged) {
    if (!mine.rulesWhole) return {false, "休業日の設定を最後まで読めなかったため、保存しません"};
    merged = false;
    return rewriteFile(files, joinPath(programFolder, kClosedDaysFile), [&](std::string_view old) {
        auto theirs = std::make_unique<ClosedDays>();
        resetClosedDays(*theirs);
        parseClosedDayRules(*theirs, old);
        const std::string theirsText = formatClosedDayRules(*theirs), baseText = formatClosedDayRules(base);
        if (theirsText != baseText) {
            merged = true;
            const std::string text = withoutConflictMarks(mergeTexts(baseText, formatClosedDayRules(mine), theirsText).text);
            parseClosedDayRules(mine, text);
        }
        return withClosedDayRules(old, mine);
    });
}

const SettingsTable& closedDaySwitchTable() {
    static const SettingsTable table = [] {
        SettingsTable t;
        for (std::size_t i = 0; i < 8; ++i)
            t.push_back({kClosedDaysKey, kSwitchNames[i], SettingType::Switch8, offsetof(ClosedDays, closed) + i,
                         kSwitchDefaults[i] ? 1 : 0});
        t.push_back({kClosedDaysKey, "nholi", SettingType::Switch8, offsetof(ClosedDays, japaneseHolidays), 1});
        t.push_back({kClosedDaysKey, "hatch", SettingType::Switch8, offsetof(ClosedDays, hatchForecasts), 0});
        return t;
    }();
    return table;
}

void readClosedDaySwitches(ClosedDays& days, const SettingsStore& store) {
    readSettings(&days, closedDaySwitchTable(), store);
}

void writeClosedDaySwitches(const ClosedDays& days, SettingsStore& store) {
    writeSettings(&days, closedDaySwitchTable(), store);
}

std::string formatClosedDayRules(const ClosedDays& days) {
    std::string out;
    for (int slot = 1; slot < kClosedDaySlots; ++slot) {
        const ClosedDaySlot& s = days.slots[slot];
        for (int i = 0; i < s.count; ++i) {
            const ClosedDayRule& rule = days.rules[days.order[s.first - 1 + i]];
            char fromLetter, toLetter;
            int fromYear, toYear;
            eraYearText(rule.fromEra, rule.fromYear, fromLetter, fromYear);
            eraYearText(rule.toEra, rule.toYear, toLetter, toYear);
            const int month = (slot - 1) / 32 + 1, day = (slot - 1) % 32 + 1;
            char head[32];
            if (day == 32)
                std::snprintf(head, sizeof head, "%02d/?? %c%02d-%c%02d ", month, fromLetter, fromYear, toLetter, toYear);
            else
                std::snprintf(head, sizeof head, "%02d/%02d %c%02d-%c%02d ", month, day, fromLetter, fromYear, toLetter,
                              toYear);
            out += head;
            out += rule.name;
            out += "\r\n";
        }
    }
    return out;
}

bool isClosedDay(const ClosedDays& days, const DayDate& date, char* name24) {
    if (!insideMonth(date)) return false;
    const HolidayChecker checker{days.japaneseHolidays != 0};
    return isClosedDay(days, date, isPublicHoliday(checker, date, nullptr, true), name24);
}

bool isClosedDay(const ClosedDays& days, const DayDate& date, HolidayResult holiday, char* name24) {
    if (!insideMonth(date)) return false;
    if (ruleCovers(days, date.year, date.month, date.day, name24)) return true;
    if (name24) name24[0] = '\0';
    if (holiday != kNoHoliday) return days.closed[kClosedFlagHolidays] != 0;
    return days.closed[weekdayOf(date.year, date.month, date.day)] != 0;
}

DayKind dayKindOf(const ClosedDays& days, int year, int month, int day) {
    const int weekday = weekdayOf(year, month, day);
    const bool weekdayClosed = days.closed[weekday] != 0;
    const bool ruleClosed = ruleCovers(days, year, month, day, nullptr);
    const HolidayChecker checker{days.japaneseHolidays != 0};
    char name[kHolidayNameBytes];
    const HolidayResult r = isPublicHoliday(checker, dayDate(year, month, day), name, true);
    if (r != kNoHoliday) {
        const DayKind h = (r == kSubstituteHoliday || r == kNationalHoliday) ? kSubstituteOrNational : kPublicHoliday;
        if (days.closed[kClosedFlagHolidays] || weekdayClosed) return h;
        return ruleClosed ? kClosedWeekday : h;
    }
    const bool closed = ruleClosed || weekdayClosed;
    if (weekday == 6) return (days.closed[6] || !closed) ? kSaturday : kClosedWeekday;
    if (weekday == 0) return (days.closed[0] || !closed) ? kSunday : kClosedWeekday;
    return closed ? kClosedWeekday : kOpenWeekday;
}

std::string dayNameOf(const ClosedDays& days, const DayDate& date) {
    char name[kHolidayNameBytes] = "";
    const HolidayResult holiday = isPublicHoliday({days.japaneseHolidays != 0}, date, name, true);
    if (holiday == kNoHoliday) isClosedDay(days, date, holiday, name);
    return name;
}

std::array<std::string, 32> dayNamesOf(const ClosedDays& days, int year, int month) {
    const HolidayChecker checker{days.japaneseHolidays != 0};
    HolidayResult holidays[32];
    monthHolidays(checker, year, month, holidays);
    std::array<std::string, 32> names;
    for (int d = 1; d <= monthLengthOf(year, month); ++d) {
        char name[kHolidayNameBytes] = "";
        if (holidays[d] != kNoHoliday) isPublicHoliday(checker, dayDate(year, month, d), name, true);
        else isClosedDay(days, dayDate(year, month, d), kNoHoliday, name);
        names[static_cast<std::size_t>(d)] = name;
    }
    return names;
}

}  // namespace tavo
