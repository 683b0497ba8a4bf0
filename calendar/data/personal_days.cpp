#include "personal_days.h"

#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "calendar/text/date_presets.h"
#include "section_file.h"
#include "shared/cp932.h"
#include "shared/file_system.h"
#include "shared/settings_store.h"
#include "shared/settings_table.h"

namespace tavo {
namespace {

// Reads blanks and then digits from text at i; 0 without digits.
int numberAt(std::string_view text, std::size_t& i) {
    while (i < text.size() && text[i] == ' ') ++i;
    int value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < 100000) value = value * 10 + (text[i] - '0');
    return value;
}

// One line: the name (never read back as a header, at most 253 bytes) and CR LF.
std::string storedName(std::string_view name) {
    std::string line = sectionBody(name);
    line.resize(line.size() - 2);  // sectionBody ended it with CR LF
    line.resize(cp932FitLength(line, kPersonalNameBytes));
    return line + "\r\n";
}

}  // namespace

std::vector<PersonalLine> personalLines(const std::vector<std::string_view>& lines) {
    std::vector<PersonalLine> placed;
    placed.reserve(lines.size() / 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isHeaderLine(lines[i])) continue;  // stray lines of hand-edited files
        const std::string_view header = lineContent(lines[i]);
        PersonalLine p;
        p.firstLine = i;
        // ":dd yyyy" as written (": 5 1980"); a hand-written ":5 1980" reads the same.
        std::size_t at = 1;
        p.day = numberAt(header, at);
        p.year = at < header.size() && header[at] == ' ' ? numberAt(header, at) : 0;
        if (i + 1 < lines.size() && !isHeaderLine(lines[i + 1])) {
            p.name = lineContent(lines[++i]);
            p.lineCount = 2;
        }
        placed.push_back(p);
    }
    return placed;
}

std::vector<PersonalEntry> parsePersonalDays(std::string_view content) {
    std::vector<PersonalEntry> entries;
    for (const PersonalLine& p : personalLines(fileLines(content))) entries.push_back({p.day, p.year, std::string(p.name)});
    return entries;
}

std::string formatPersonalDays(const std::vector<PersonalEntry>& entries) {
    std::string out;
    for (const PersonalEntry& e : entries) {
        char header[32];
        if (e.year != 0) std::snprintf(header, sizeof header, ":%2d %d\r\n", e.day, e.year);
        else std::snprintf(header, sizeof header, ":%2d\r\n", e.day);
        out += header;
        // A name must stay on its line: line breaks inside it become blanks.
        std::string name = e.name;
        for (char& c : name)
            if (c == '\r' || c == '\n') c = ' ';
        out += storedName(name);
    }
    return out;
}

std::vector<PersonalEntry> entriesOfDay(const std::vector<PersonalEntry>& entries, int day) {
    std::vector<PersonalEntry> result;
    for (const PersonalEntry& e : entries)
        if (e.day == day) result.push_back(e);
    return result;
}

void addPersonalEntry(std::vector<PersonalEntry>& entries, PersonalEntry entry) {
    auto at = entries.begin();
    while (at != entries.end() && at->day <= entry.day) ++at;
    entries.insert(at, std::move(entry));
}

bool removePersonalEntry(std::vector<PersonalEntry>& entries, int day, int n) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->day == day && n-- == 0) {
            entries.erase(it);
            return true;
        }
    }
    return false;
}

void appendPersonalEntryText(std::string& out, PersonalDayKind kind, const PersonalLine& entry, int month,
                             int seenFromYear, int yearStyle) {
    out += entry.name;
    if (entry.year == 0) {
        out += kind == kBirthday ? " の誕生日" : " 記念日";
        return;
    }
    char count[16];
    const auto end = std::to_chars(count, count + sizeof count, seenFromYear - entry.year).ptr;
    (out += ' ').append(count, static_cast<std::size_t>(end - count));
    out += kind == kBirthday ? "歳の誕生日(" : "周年記念日(";
    appendYearPieceText(out, yearStyle, entry.year, month, entry.day);
    out += kind == kBirthday ? "年生まれ)" : "年)";
}

std::string personalEntryText(PersonalDayKind kind, const PersonalEntry& entry, int month, int seenFromYear,
                              int yearStyle) {
    std::string text;
    appendPersonalEntryText(text, kind, {entry.day, entry.year, entry.name, 0, 1}, month, seenFromYear, yearStyle);
    return text;
}

std::vector<PersonalEntry> readPersonalDays(const FileSystem& files, const PathSettings& paths, PersonalDayKind kind,
                                            int month) {
    const FileContent file = files.readFile(personalDayFile(paths, kind, month));
    return file.opened ? parsePersonalDays(completeLines(file)) : std::vector<PersonalEntry>();
}

DayEntries readDayEntries(const FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month, int day) {
    const FileContent file = files.readFile(personalDayFile(paths, kind, month));
    DayEntries out{{}, readWhole(file), file.problem};
    if (file.opened) out.entries = entriesOfDay(parsePersonalDays(completeLines(file)), day);
    return out;
}

std::string withPersonalEntry(std::string_view content, const PersonalEntry& entry) {
    const std::vector<std::string_view> lines = fileLines(content);
    // After the last entry of its day, else before the first later day: a
    // hand-edited file may be out of order.
    std::size_t at = lines.size();
    bool sameDaySeen = false, laterSeen = false;
    for (const PersonalLine& p : personalLines(lines)) {
        if (p.day == entry.day) {
            at = p.firstLine + p.lineCount;
            sameDaySeen = true;
        } else if (p.day > entry.day && !sameDaySeen && !laterSeen) {
            at = p.firstLine;
            laterSeen = true;
        }
    }
    std::string out;
    for (std::size_t i = 0; i < at; ++i) out += lines[i];
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";  // a hand-edited last line
    out += formatPersonalDays({entry});
    for (std::size_t i = at; i < lines.size(); ++i) out += lines[i];
    return out;
}

std::string withoutPersonalEntry(std::string_view content, int day, int n) {
    const std::vector<std::string_view> lines = fileLines(content);
    std::string out;
    std::size_t skipFrom = lines.size(), skipCount = 0;
    for (const PersonalLine& p : personalLines(lines)) {
        if (p.day == day && n-- == 0) {
            skipFrom = p.firstLine;
            skipCount = p.lineCount;
            break;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i < skipFrom || i >= skipFrom + skipCount) out += lines[i];
    return out;
}

SaveResult addPersonalDay(FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month,
                          const PersonalEntry& entry) {
    return rewriteFile(files, personalDayFile(paths, kind, month),
                       [&](std::string_view old) { return withPersonalEntry(old, entry); });
}

PersonalRemoval removePersonalDay(FileSystem& files, const PathSettings& paths, PersonalDayKind kind, int month,
                                  const PersonalEntry& entry, int n) {
    PersonalRemoval out;
    out.saved = rewriteFile(files, personalDayFile(paths, kind, month), [&](std::string_view old) {
        int ofDay = 0, equal = n;
        for (const PersonalLine& p : personalLines(fileLines(old))) {
            if (p.day != entry.day) continue;
            if (p.year == entry.year && p.name == entry.name && equal-- == 0) return withoutPersonalEntry(old, entry.day, ofDay);
            ++ofDay;
        }
        out.gone = true;
        return std::string(old);
    });
    return out;
}

const SettingsTable& soundPlayedDateTable() {
    static const SettingsTable table = {
        {"date", "birth", SettingType::Text, offsetof(SoundPlayedDate, birth), 0, sizeof(SoundPlayedDate::birth), " "},
    };
    return table;
}

bool birthdaySoundDue(SettingsStore& store, LocalDate today, bool soundOn, BirthdaySound& sound) {
    if (!soundOn) return false;
    SoundPlayedDate played{};
    resetSettings(&played, soundPlayedDateTable());
    readSettings(&played, soundPlayedDateTable(), store);
    char todayText[16];
    std::snprintf(todayText, sizeof todayText, "%04d%02d%02d", today.year, today.month, today.day);
    if (std::strncmp(played.birth, todayText, 8) == 0) return false;
    sound.play();
    copyToField(played.birth, sizeof played.birth, todayText);
    writeSettings(&played, soundPlayedDateTable(), store);
    return true;
}

}  // namespace tavo
