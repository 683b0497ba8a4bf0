// The user's closed days (休業日): closed weekdays, the holiday switches and
// up to 256 other closed days from "Holiday2.Dat", and the day kinds that
// colour the month view.
#pragma once

#include <cstdint>
#include <array>
#include <string>
#include <string_view>

#include "day_date.h"
#include "holidays.h"
#include "shared/file_system.h"
#include "shared/settings_table.h"

namespace tavo {

class SettingsStore;

inline constexpr int kMaxClosedDayRules = 256;
inline constexpr int kClosedDaySlots = 12 * 32 + 1;  // slot 0 unused
inline constexpr int kClosedFlagHolidays = 7;        // index after Sunday..Saturday
inline constexpr char kClosedDaysFile[] = "Holiday2.Dat";
inline constexpr char kClosedDaysKey[] = "holi";

struct ClosedDayRule {
    std::int16_t fromEra;
    std::int16_t toEra;
    std::uint16_t fromYear;  // Gregorian, inclusive
    std::uint16_t toYear;
    char name[24];  // CP932, at most 23 bytes
    char line[40];  // the line as read, for the options list
};

struct ClosedDaySlot {
    std::int32_t first;  // 1-based position in order[], 0 = none
    std::int32_t count;
};

// Plain fixed-layout record: it lives in the settings block shared with the options library.
struct ClosedDays {
    ClosedDayRule rules[kMaxClosedDayRules];
    std::int32_t order[kMaxClosedDayRules];  // rule numbers grouped by slot
    ClosedDaySlot slots[kClosedDaySlots];
    std::int32_t lastRule;      // rule count - 1
    std::uint8_t closed[8];     // Sunday..Saturday, then public holidays
    std::uint8_t japaneseHolidays;
    std::uint8_t rulesWhole;      // 1 when the rules came from a complete read (or no file): they may be saved
    std::uint8_t hatchForecasts;  // "hatch": holidays not fixed yet hatched in the month grid (off)
    std::uint8_t reserved[1009];  // the block's holiday area is 23560 bytes
};
static_assert(sizeof(ClosedDays) == 23560);

enum DayKind : int {
    kOpenWeekday = 0,
    kSunday = 1,
    kSaturday = 2,
    kPublicHoliday = 3,
    kSubstituteOrNational = 4,
    kClosedWeekday = 5,
};

// Slot of a month and day (day 0 = a month-only "??" rule).
int closedDaySlot(int month, int day);

// Defaults: Sunday, Saturday and holidays closed, Japanese holidays on, no rules.
void resetClosedDays(ClosedDays& days);
// Replaces the rules by those of a Holiday2.Dat file's content. Lines that do
// not hold a rule are skipped; names and lines are cut to their fields; rules
// past the 256th are ignored. Returns the number of rules the content holds.
int parseClosedDayRules(ClosedDays& days, std::string_view content);
// The holiday switches of key "holi": the closed weekdays, holidays and "nholi".
const SettingsTable& closedDaySwitchTable();
void readClosedDaySwitches(ClosedDays& days, const SettingsStore& store);
void writeClosedDaySwitches(const ClosedDays& days, SettingsStore& store);
// The file content in the form parseClosedDayRules reads, rules in slot order.
std::string formatClosedDayRules(const ClosedDays& days);
int closedDayRuleCount(const ClosedDays& days);

struct ClosedDaysLoad {
    bool opened = false;    // false: missing or unreadable; the rules are then left as they were
    bool whole = false;     // missing or read to the end
    int ignoredRules = 0;   // rules past the 256th, which are not used
    std::string problem;    // why the file could not be read whole
};

// Start-up load: Holiday2.Dat of the program folder, then the switches.
ClosedDaysLoad loadClosedDays(ClosedDays& days, const FileSystem& files, const std::string& programFolder,
                              const SettingsStore& store);
// The file content with its rules replaced by those of days; lines that hold
// no rule and rules past the 256th are kept.
std::string withClosedDayRules(std::string_view content, const ClosedDays& days);
// Rewrites Holiday2.Dat from a complete read of it.
SaveResult saveClosedDayRules(const ClosedDays& days, FileSystem& files, const std::string& programFolder);
// Saves the rules of an editor that began from `base`, keeping what changed
// in the file since (an outside editor): rules added there stay, rules
// removed there stay removed unless the editor changed them too. `mine` then
// holds the rules saved; merged says the file had changed.
SaveResult saveClosedDayRulesOver(const ClosedDays& base, ClosedDays& mine, FileSystem& files,
                                  const std::string& programFolder, bool& merged);

// Rebuilds order[] and slots[] from the rules (after the options page edits them).
void indexClosedDayRules(ClosedDays& days);

// True when the date is closed; the covering rule's name (or "") goes to name24.
bool isClosedDay(const ClosedDays& days, const DayDate& date, char* name24);
// The same for a caller that already knows whether the date is a public holiday.
bool isClosedDay(const ClosedDays& days, const DayDate& date, HolidayResult holiday, char* name24);
DayKind dayKindOf(const ClosedDays& days, int year, int month, int day);
// The public holiday's name of the date, else its closed-day rule's name, else "" (CP932).
std::string dayNameOf(const ClosedDays& days, const DayDate& date);
// The same for every day of a month at once (by day; [0] and days past the end "").
std::array<std::string, 32> dayNamesOf(const ClosedDays& days, int year, int month);

}  // namespace tavo
