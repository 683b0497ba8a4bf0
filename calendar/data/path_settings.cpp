#include "path_settings.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "shared/cp932.h"
#include "shared/file_system.h"
#include "shared/settings_store.h"
#include "shared/settings_table.h"

namespace tavo {
namespace {

void setPath(char (&out)[kPathBytes], std::string_view text) { copyToField(out, kPathBytes, text); }

// The folder part of a path: everything before its last '\' (not a trail byte).
std::string folderOf(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;
            continue;
        }
        if (path[i] == '\\' || path[i] == '/') last = i;
    }
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string defaultExternalProgram(const std::string& windowsFolder) { return joinPath(windowsFolder, "notepad.exe"); }

constexpr char kDefaultCaption[] = "メモ帳(&E)";


std::string withMonthLetter(const char* folder, const char* prefix, int month) {
    return joinPath(folder, std::string(prefix) + monthLetter(month) + ".cal");
}

// As "%04d" writes it; the range view opens dozens of these names at every refresh.
void appendYearDigits(std::string& out, int year) {
    char digits[16];
    const unsigned magnitude = year < 0 ? 0u - static_cast<unsigned>(year) : static_cast<unsigned>(year);
    const std::size_t n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    const std::size_t width = n + (year < 0 ? 1 : 0);
    if (year < 0) out += '-';
    if (width < 4) out.append(4 - width, '0');
    out.append(digits, n);
}

}  // namespace

char monthLetter(int month) { return month >= 1 && month <= 9 ? static_cast<char>('0' + month) : static_cast<char>(month + 87); }

void initPathDefaults(PathSettings& paths, const std::string& programPath, const std::string& windowsFolder) {
    std::memset(&paths, 0, sizeof paths);
    const std::string folder = folderOf(programPath);
    setPath(paths.programPath, programPath);
    setPath(paths.programFolder, folder);
    for (auto field : {&PathSettings::scheduleFolder, &PathSettings::birthdayFolder, &PathSettings::anniversaryFolder,
                       &PathSettings::diaryFolder, &PathSettings::memoFolder})
        setPath(paths.*field, folder);
    setPath(paths.dayOffStem, joinPath(folder, "DOff"));
    setPath(paths.holidayFile, joinPath(folder, "Holiday.Dat"));
    setPath(paths.holiday2File, joinPath(folder, "Holiday2.Dat"));
    setPath(paths.colourPattern, joinPath(folder, "*.col"));
    setPath(paths.schemePattern, joinPath(folder, "*.scl"));
    setPath(paths.externalProgram, defaultExternalProgram(windowsFolder));
    setPath(paths.externalCaption, kDefaultCaption);
    paths.externalFile = kExternalDaySchedule;
}

// The texts default to what initPathDefaults put into the record.
const SettingsTable& folderSettingsTable() {
    static const SettingsTable table = [] {
        SettingsTable t;
        const auto text = [&](const char* name, std::size_t offset) {
            t.push_back({"dir", name, SettingType::Text, offset, 0, kPathBytes});
        };
        text("schpath", offsetof(PathSettings, scheduleFolder));
        text("birpath", offsetof(PathSettings, birthdayFolder));
        text("anipath", offsetof(PathSettings, anniversaryFolder));
        text("nikpath", offsetof(PathSettings, diaryFolder));
        text("mempath", offsetof(PathSettings, memoFolder));
        text("name", offsetof(PathSettings, externalCaption));
        text("path", offsetof(PathSettings, externalProgram));
        t.push_back({"dir", "opt", SettingType::Int32, offsetof(PathSettings, externalFile), kExternalDaySchedule});
        return t;
    }();
    return table;
}

void loadFolderSettings(PathSettings& paths, const SettingsStore& store) { readSettings(&paths, folderSettingsTable(), store); }

void writeFolderSettings(const PathSettings& paths, SettingsStore& store) {
    writeSettings(&paths, folderSettingsTable(), store);
}

std::string scheduleFileStem(const PathSettings& paths, ScheduleKind kind, int year, int month) {
    std::string name;
    switch (kind) {
        case kScheduleDay:
            name = "sch";
            appendYearDigits(name, year);
            (name += monthLetter(month)) += '.';
            break;
        case kScheduleEveryYear: (name = "schedul") += monthLetter(month), name += '.'; break;
        case kScheduleEveryMonth: return joinPath(paths.scheduleFolder, "schedule.");
        case kScheduleEveryMonthLater: return joinPath(paths.scheduleFolder, "schedulf.");
        case kScheduleEveryMonthEarlier: return joinPath(paths.scheduleFolder, "schedull.");
        case kScheduleMemo: return joinPath(paths.memoFolder, "memo.");
        default: return joinPath(paths.scheduleFolder, "schedulw.");
    }
    return joinPath(paths.scheduleFolder, name);
}

std::string scheduleFile(const PathSettings& paths, ScheduleKind kind, int year, int month) {
    return scheduleFileStem(paths, kind, year, month).append("cal");
}

std::string personalDayFile(const PathSettings& paths, PersonalDayKind kind, int month) {
    return kind == kBirthday ? withMonthLetter(paths.birthdayFolder, "birthda", month)
                             : withMonthLetter(paths.anniversaryFolder, "anivers", month);
}

std::string dayOffFile(const PathSettings& paths, int year) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.cal", year);
    return std::string(paths.dayOffStem) + name;
}

std::string diaryShortFile(const PathSettings& paths, int year, int month, int day) {
    char name[32];
    std::snprintf(name, sizeof name, "ni%02d%02d%02d.day", year - 1900, month, day);
    return joinPath(paths.diaryFolder, name);
}

std::string diaryJournalFile(const PathSettings& paths, int year, int month, int day) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d.JNL", year, month, day);
    return joinPath(paths.diaryFolder, name);
}

std::string externalCommandFile(const PathSettings& paths, int year, int month, int day) {
    switch (paths.externalFile) {
        case kExternalBirthdays: return personalDayFile(paths, kBirthday, month);
        case kExternalDiaryShort: return diaryShortFile(paths, year, month, day);
        case kExternalDiaryJournal: return diaryJournalFile(paths, year, month, day);
        default: return scheduleFile(paths, kScheduleDay, year, month);
    }
}

namespace {

// A '\\' that is a character of its own, not the second byte of a kanji like 表.
bool endsWithSeparator(std::string_view path) {
    bool separator = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        separator = path[i] == '\\';
        if (isCp932LeadByte(static_cast<unsigned char>(path[i]))) ++i;
    }
    return separator;
}

}  // namespace

std::string resolveFolder(std::string_view typed, std::string_view programFolder) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
    const bool drive = typed.size() >= 2 && typed[1] == ':';
    std::string folder;
    if (typed.empty()) folder = programFolder;
    else if (drive || typed.starts_with("\\\\")) folder = typed;
    else if (typed.front() == '\\') folder = std::string(programFolder.substr(0, 2)).append(typed);  // the program's drive
    else folder = std::string(programFolder).append(endsWithSeparator(programFolder) ? "" : "\\").append(typed);
    if (folder.size() > 3 && endsWithSeparator(folder)) folder.pop_back();
    return folder;
}

}  // namespace tavo
