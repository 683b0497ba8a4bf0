// Birthdays and anniversaries: one file per month for all years, each entry a
// ":dd[ year]" header and a name line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "path_settings.h"
#include "shared/clock.h"
#include "shared/file_system.h"
#include "shared/settings_table.h"

namespace tavo {

class SettingsStore;

inline constexpr std::size_t kPersonalNameBytes = 253;

struct PersonalEntry {
    int day = 0;
    int year = 0;  // 0: no year
    std::string name;  // CP932, without line end
    friend bool operator==(const PersonalEntry&, const PersonalEntry&) = default;
};

// An entry where it stands in a file's lines: a ':' header and, unless
// another ':' line follows, a name line. Every other line is the user's own.
struct PersonalLine {
    int day = 0;
    int year = 0;
    std::string_view name;  // into the lines
    std::size_t firstLine = 0, lineCount = 1;
};
std::vector<PersonalLine> personalLines(const std::vector<std::string_view>& lines);

std::vector<PersonalEntry> parsePersonalDays(std::string_view content);
// Names are cut to 253 bytes at a character boundary, and a leading ':' becomes '：'.
std::string formatPersonalDays(const std::vector<PersonalEntry>& entries);
std::vector<PersonalEntry> entriesOfDay(const std::vector<PersonalEntry>& entries, int day);
// Adds after the other entries of its day, keeping the file ordered by day.
void addPersonalEntry(std::vector<PersonalEntry>& entries, PersonalEntry entry);
// Removes the n-th entry (from 0) of a day; false when there is none.
bool removePersonalEntry(std::vector<PersonalEntry>& entries, int day, int n);

// "name 25歳の誕生日(昭和55年生まれ)" and the like, seen from a year; yearStyle as
// the preset year styles (0 era name, 1 era letter, 2 Gregorian, 3 none).
std::string personalEntryText(PersonalDayKind kind, const PersonalEntry& entry, int month, int seenFromYear,
                              int yearStyle);
void appendPersonalEntryText(std::string& out, PersonalDayKind kind, const PersonalLine& entry, int month,
                             int seenFromYear, int yearStyle);

std::vector<PersonalEntry> readPersonalDays(const FileSystem& files, const PathSettings& paths, PersonalDayKind kind,
                                            int month);
// The entries of one day, as the birthday window lists them (file order),
// and whether the month file was read whole (when not, it is never rewritten).
struct DayEntries {
    std::vector<PersonalEntry> entries;
    bool writable = true;
    std::string problem;
};
DayEntries readDayEntries(const FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month, int day);

// The file content with an entry added after the other entries of its day
// (before the first entry of a later day), or with the n-th entry (from 0) of
// a day removed. Every other line, understood or not, stays as it is.
std::string withPersonalEntry(std::string_view content, const PersonalEntry& entry);
std::string withoutPersonalEntry(std::string_view content, int day, int n);
// The same on the month's file; a file that could not be read whole is left alone.
SaveResult addPersonalDay(FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month,
                          const PersonalEntry& entry);
// Removes an entry by what it says, from the file as it is now (which may
// have changed since it was listed): the entry equal to `entry`, the n-th of
// such equal ones (from 0). When the file no longer holds it, nothing is
// written and gone says so.
struct PersonalRemoval {
    SaveResult saved;
    bool gone = false;
};
PersonalRemoval removePersonalDay(FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month,
                                  const PersonalEntry& entry, int n);

// Plays the birthday sound at most once a day.
class BirthdaySound {
public:
    virtual ~BirthdaySound() = default;
    virtual void play() = 0;
};

// Key "date", value "birth": the day (YYYYMMDD) the sound last played.
struct SoundPlayedDate {
    char birth[260];
};
const SettingsTable& soundPlayedDateTable();

// Called when a collection lists a birthday of today; true when it played.
bool birthdaySoundDue(SettingsStore& store, LocalDate today, bool soundOn, BirthdaySound& sound);

}  // namespace tavo
