// Where the data lives: the program folder, five data folders, the files
// derived from them, and the external command.
#pragma once

#include <cstdint>
#include <string>

#include "shared/settings_table.h"

namespace tavo {

class SettingsStore;

inline constexpr std::size_t kPathBytes = 260;

enum ScheduleKind : int {
    kScheduleDay = 1,
    kScheduleEveryYear = 2,
    kScheduleEveryMonth = 3,
    kScheduleEveryMonthLater = 4,
    kScheduleEveryMonthEarlier = 5,
    kScheduleEveryWeek = 6,
    kScheduleMemo = 7,
};

enum PersonalDayKind : int { kBirthday = 1, kAnniversary = 2 };

// External command file choice.
enum ExternalFile : int { kExternalDaySchedule = 0, kExternalBirthdays = 1, kExternalDiaryShort = 2, kExternalDiaryJournal = 3 };

// Plain record shared with the options library (CP932 paths, no trailing '\').
struct PathSettings {
    char programFolder[kPathBytes];
    char scheduleFolder[kPathBytes];
    char birthdayFolder[kPathBytes];
    char anniversaryFolder[kPathBytes];
    char dayOffStem[kPathBytes];
    char diaryFolder[kPathBytes];
    char memoFolder[kPathBytes];
    char holidayFile[kPathBytes];
    char holiday2File[kPathBytes];
    char programPath[kPathBytes];
    char externalProgram[kPathBytes];
    char externalCaption[kPathBytes];
    char colourPattern[kPathBytes];
    char schemePattern[kPathBytes];
    std::int32_t externalFile;
};
static_assert(sizeof(PathSettings) == 3644);

// Defaults from the running program's full path; windowsFolder is %windir%.
void initPathDefaults(PathSettings& paths, const std::string& programPath, const std::string& windowsFolder);
// The "dir" key: data folders and the external command; read after initPathDefaults.
const SettingsTable& folderSettingsTable();
void loadFolderSettings(PathSettings& paths, const SettingsStore& store);
void writeFolderSettings(const PathSettings& paths, SettingsStore& store);

// '1'..'9', then 'a', 'b', 'c' for October..December.
char monthLetter(int month);

std::string scheduleFileStem(const PathSettings& paths, ScheduleKind kind, int year, int month);  // ends in '.'
std::string scheduleFile(const PathSettings& paths, ScheduleKind kind, int year, int month);
std::string personalDayFile(const PathSettings& paths, PersonalDayKind kind, int month);
std::string dayOffFile(const PathSettings& paths, int year);
std::string diaryShortFile(const PathSettings& paths, int year, int month, int day);
std::string diaryJournalFile(const PathSettings& paths, int year, int month, int day);
// A data folder as typed on the folder page: empty means the program folder,
// a relative path is taken from the program folder, a trailing '\' goes.
std::string resolveFolder(std::string_view typed, std::string_view programFolder);

// The file the external command opens for a date.
std::string externalCommandFile(const PathSettings& paths, int year, int month, int day);

}  // namespace tavo
