#include "own_items.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "calendar/data/icalendar_export.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/section_file.h"
#include "calendar/data/timed_entries.h"
#include "shared/cp932.h"

namespace tavo::sync {
namespace {

constexpr const char* kWeekdayNames[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

bool startsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// The day schedules sync line by line, and holidays are not the user's.
bool isOwnRecurring(std::string_view uid) {
    return startsWith(uid, "tavo-") && !startsWith(uid, "tavo-day-") && !startsWith(uid, "tavo-holiday-") &&
           !startsWith(uid, "tavo-closed-");
}

std::vector<OwnItem> splitExport(std::string_view text) {
    std::string head;
    std::vector<OwnItem> items;
    OwnItem* current = nullptr;
    for (std::string_view raw : fileLines(text)) {
        const std::string_view line = lineContent(raw);
        if (line == "BEGIN:VEVENT") current = &items.emplace_back(OwnItem{{}, head});
        if (!current) {
            if (line != "METHOD:PUBLISH") head.append(line).append("\r\n");  // a stored item has no METHOD
            continue;
        }
        if (startsWith(line, "UID:")) current->uid = line.substr(4);
        current->ics.append(line).append("\r\n");
        if (line == "END:VEVENT") current->ics += "END:VCALENDAR\r\n", current = nullptr;
    }
    std::erase_if(items, [](const OwnItem& i) { return !isOwnRecurring(i.uid); });
    std::sort(items.begin(), items.end(), [](const OwnItem& a, const OwnItem& b) { return a.uid < b.uid; });
    return items;
}

// Where an item's text is kept: a section of a schedule file, or a birthday's or an anniversary's entry.
struct Source {
    ScheduleKind schedule = kScheduleDay;  // kScheduleDay: a personal day
    PersonalDayKind personal = kBirthday;
    int month = 0, key = 0;  // key: the section (day, weekday) or the personal entry's day
};

std::optional<Source> sourceOf(std::string_view uid) {
    if (!uid.ends_with("@tavo")) return std::nullopt;
    uid.remove_suffix(5);
    const std::size_t kindAt = uid.find('-') + 1, whenAt = uid.find('-', kindAt) + 1;
    if (kindAt == 0 || whenAt == 0) return std::nullopt;
    const std::string_view kind = uid.substr(kindAt, whenAt - kindAt - 1);
    const std::string when(uid.substr(whenAt, uid.find('-', whenAt) - whenAt));
    const int number = std::atoi(when.c_str());
    if (kind == "yearly") return Source{kScheduleEveryYear, kBirthday, number / 100, number % 100};
    if (kind == "monthly") return Source{kScheduleEveryMonth, kBirthday, 0, number};
    if (kind == "weekly")
        for (int day = 0; day < 7; ++day)
            if (when == kWeekdayNames[day]) return Source{kScheduleEveryWeek, kBirthday, 0, day};
    if (kind == "birthday") return Source{kScheduleDay, kBirthday, number / 100, number % 100};
    if (kind == "anniversary") return Source{kScheduleDay, kAnniversary, number / 100, number % 100};
    return std::nullopt;  // moved off closed days: one month's event is not the schedule's text
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        if (end == std::string::npos) return lines;
        at = end + 1;
    }
}

bool storable(const std::string& utf8) {
    return utf8.find_first_of("\r") == std::string::npos && cp932ToUtf8(utf8ToCp932(utf8)) == utf8;
}

// The days the two events fall on over a few years, and their times: the same.
bool sameTimes(const IcsCalendar& a, const IcsCalendar& b) {
    const IcsEvent &x = a.events.front(), &y = b.events.front();
    if (x.start.minute != y.start.minute || x.end.minute != y.end.minute || x.end.serial - x.start.serial != y.end.serial - y.start.serial)
        return false;
    const int from = x.start.serial, to = from + 3 * 366;
    std::vector<int> days[2];
    for (const IcsOccurrence& o : icsOccurrences(a, from, to)) days[0].push_back(o.serial);
    for (const IcsOccurrence& o : icsOccurrences(b, from, to)) days[1].push_back(o.serial);
    return days[0] == days[1];
}

// The schedule's lines (UTF-8) as the export wrote them.
std::vector<std::string> writtenLines(const IcsEvent& e) { return e.description.empty() ? std::vector{e.summary} : split(e.description); }

// The server's text as a schedule's lines; none when it cannot be one (a time that is not the event's).
std::optional<std::vector<std::string>> serverLines(const IcsEvent& written, const IcsEvent& server) {
    std::vector<std::string> lines = writtenLines(written);
    if (server.description != written.description && !server.description.empty()) {
        lines = split(server.description);
    } else {
        std::string& first = lines.front();
        if (!first.ends_with(written.summary)) return std::nullopt;
        first = first.substr(0, first.size() - written.summary.size()) + server.summary;
    }
    // A time in the text is the event's time: it stays as written.
    const std::optional<TimedLine> was = parseTimedLine(utf8ToCp932(writtenLines(written).front()));
    const std::optional<TimedLine> now = parseTimedLine(utf8ToCp932(lines.front()));
    if (was.has_value() != now.has_value()) return std::nullopt;
    if (was && (was->start != now->start || was->end != now->end || was->endsNextDay != now->endsNextDay)) return std::nullopt;
    for (const std::string& line : lines)
        if (!storable(line)) return std::nullopt;
    return lines;
}

std::string cp932Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += utf8ToCp932(line) + "\r\n";
    return text;
}

std::string withoutBlankEnd(std::string text) {
    while (text.ends_with("\r\n\r\n")) text.resize(text.size() - 2);
    return text;
}

BackEdit scheduleEdit(const PathSettings& paths, const Source& at, const IcsEvent& written, const IcsEvent& server) {
    const std::optional<std::vector<std::string>> lines = serverLines(written, server);
    if (!lines) return {};
    const std::string before = cp932Text(writtenLines(written)), after = cp932Text(*lines);
    return {ServerVersion::TextEdited,
            {scheduleFile(paths, at.schedule, 0, at.month),
             [before, after, key = at.key](std::string_view content) -> std::optional<std::string> {
                 if (withoutBlankEnd(readSection(content, key)) != before) return std::nullopt;  // changed here meanwhile
                 return replaceSection(content, key, sectionBody(after));
             }}};
}

BackEdit personalEdit(const PathSettings& paths, const Source& at, const IcsEvent& written, const IcsEvent& server) {
    const std::string suffix = cp932ToUtf8(at.personal == kBirthday ? " の誕生日" : " 記念日");
    if (!written.summary.ends_with(suffix) || !server.summary.ends_with(suffix) || server.description != written.description)
        return {};
    const std::string name = server.summary.substr(0, server.summary.size() - suffix.size());
    const std::string old = utf8ToCp932(written.summary.substr(0, written.summary.size() - suffix.size()));
    const std::string now = utf8ToCp932(name);
    if (name.empty() || !storable(name) || name.find('\n') != std::string::npos || now.size() > kPersonalNameBytes || now[0] == ':')
        return {};
    const int year = written.description.empty() ? 0 : std::atoi(written.description.c_str());
    return {ServerVersion::TextEdited,
            {personalDayFile(paths, at.personal, at.month),
             [day = at.key, year, old, now](std::string_view content) -> std::optional<std::string> {
                 const std::vector<std::string_view> lines = fileLines(content);
                 for (const PersonalLine& entry : personalLines(lines)) {
                     if (entry.day != day || entry.year != year || entry.name != old || entry.lineCount != 2) continue;
                     const std::string_view nameLine = lines[entry.firstLine + 1];
                     const std::size_t at = static_cast<std::size_t>(nameLine.data() - content.data());
                     std::string changed(content);
                     return changed.replace(at, lineContent(nameLine).size(), now);
                 }
                 return std::nullopt;
             }}};
}

std::uint64_t fnv(std::string_view text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

}  // namespace

std::vector<OwnItem> ownItems(const DataSources& sources, int fromYear, int toYear) {
    // A fixed stamp: an unchanged schedule is the same item every time.
    IcsExportRequest request{fromYear, toYear, false, {fromYear, 1, 1}};
    request.daySchedules = false;  // read by the sync already
    return splitExport(exportICalendar(request, sources).text);
}

std::string fingerprint(const std::string& ics) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fnv(ics)));
    return text;
}

BackEdit editBack(const PathSettings& paths, const OwnItem& written, const std::string& server) {
    const IcsCalendar w = readICalendar(written.ics), s = readICalendar(server);
    if (!s.problem.empty() || w.events.size() != 1 || s.events.size() != 1) return {};
    const IcsEvent &a = w.events.front(), &b = s.events.front();
    if (b.hasRecurrenceId || b.cancelled || !b.excluded.empty() || !sameTimes(w, s)) return {};
    if (a.summary == b.summary && a.description == b.description) return {ServerVersion::AsWritten, {}};
    const std::optional<Source> at = sourceOf(written.uid);
    if (!at) return {};
    return at->schedule == kScheduleDay ? personalEdit(paths, *at, a, b) : scheduleEdit(paths, *at, a, b);
}

}  // namespace tavo::sync
