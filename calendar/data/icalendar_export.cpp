#include "icalendar_export.h"

#include <cstdio>
#include <optional>
#include <set>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "personal_days.h"
#include "recurrence.h"
#include "recurrence_rule.h"
#include "section_file.h"
#include "timed_entries.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/file_system.h"
#include "shared/window_settings.h"
#include "tavo_version.h"

namespace tavo {
namespace {

constexpr std::size_t kFoldOctets = 75;
const char* const kWeekdays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
const ClosedDayTest kNeverClosed = [](int) { return false; };

// Narrow literals are CP932; the file is UTF-8.
std::string utf8Of(const char* cp932) { return cp932ToUtf8(cp932); }

// Pieces joined by appending: "literal" + std::string trips GCC 12's -Wrestrict at -O3.
std::string cat(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out.append(p);
    return out;
}

struct Day {
    int year, month, day;
};

std::string yyyymmdd(const Day& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
    return text;
}

Day nextDay(const Day& d) {
    Day n{};
    civilFromSerial(serialDayOf(d.year, d.month, d.day) + 1, n.year, n.month, n.day);
    return n;
}

struct SectionText {
    int key;
    std::vector<std::string> lines;  // CP932, without line ends
};

// Sections, in file order, without their trailing blank lines; a file that cannot be read gives none.
std::vector<SectionText> sectionsOf(const FileSystem& files, const std::string& path) {
    const FileContent file = files.readFile(path);
    std::vector<SectionText> sections;
    if (!file.opened) return sections;
    const std::vector<std::string_view> lines = fileLines(completeLines(file));
    for (const SectionSpan& span : sectionSpans(lines)) {
        SectionText s{span.key, {}};
        for (std::size_t i = span.header + 1; i < span.end; ++i) s.lines.emplace_back(lineContent(lines[i]));
        // A day of blank lines is listed in the range view: it is an event too, of one blank line.
        while (s.lines.size() > 1 && s.lines.back().empty()) s.lines.pop_back();
        if (!s.lines.empty()) sections.push_back(std::move(s));
    }
    return sections;
}

struct Event {
    std::string uid;
    Day start;
    std::string summary, description;  // UTF-8
    std::string rule, category;
    std::optional<TimedLine> time = std::nullopt;  // of a first line that starts with a time
};

std::string clockOf(int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "T%02d%02d00", minute / 60 % 24, minute % 60);
    return text;
}

class Calendar {
public:
    explicit Calendar(const IcsExportRequest& r)
        : stamp_(cat({yyyymmdd({r.stamp.year, r.stamp.month, r.stamp.day}), "T000000Z"})), alarm_(r.alarmMinutes) {
        for (const char* line : {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Tavo project//Tavo " TAVO_VERSION_TEXT "//JA",
                                 "CALSCALE:GREGORIAN", "METHOD:PUBLISH", "X-WR-TIMEZONE:Asia/Tokyo", "BEGIN:VTIMEZONE",
                                 "TZID:Asia/Tokyo", "BEGIN:STANDARD", "DTSTART:19700101T000000", "TZOFFSETFROM:+0900",
                                 "TZOFFSETTO:+0900", "TZNAME:JST", "END:STANDARD", "END:VTIMEZONE"})
            out_ += icsLine(line);
    }
    void add(const Event& e) {
        out_ += icsLine("BEGIN:VEVENT");
        out_ += icsLine(cat({"UID:", e.uid, "@tavo"}));
        out_ += icsLine(cat({"DTSTAMP:", stamp_}));
        if (e.time) times(e);
        else {
            out_ += icsLine(cat({"DTSTART;VALUE=DATE:", yyyymmdd(e.start)}));
            out_ += icsLine(cat({"DTEND;VALUE=DATE:", yyyymmdd(nextDay(e.start))}));
        }
        if (!e.rule.empty()) out_ += icsLine(cat({"RRULE:", e.rule}));
        out_ += icsLine(cat({"SUMMARY:", icsText(e.summary)}));
        if (!e.description.empty()) out_ += icsLine(cat({"DESCRIPTION:", icsText(e.description)}));
        if (!e.category.empty()) out_ += icsLine(cat({"CATEGORIES:", icsText(e.category)}));
        out_ += icsLine(e.time ? "TRANSP:OPAQUE" : "TRANSP:TRANSPARENT");
        if (e.time && alarm_ >= 0) {
            for (const char* line : {"BEGIN:VALARM", "ACTION:DISPLAY"}) out_ += icsLine(line);
            out_ += icsLine(cat({"DESCRIPTION:", icsText(e.summary)}));
            out_ += icsLine(cat({"TRIGGER:-PT", std::to_string(alarm_), "M"}));
            out_ += icsLine("END:VALARM");
        }
        out_ += icsLine("END:VEVENT");
    }
    std::string finish() { return out_ + icsLine("END:VCALENDAR"); }

private:
    // A timed entry: its start and end in Japan's zone (the end on the next
    // day when it is before the start).
    void times(const Event& e) {
        const std::string tz = "DTSTART;TZID=Asia/Tokyo:";
        out_ += icsLine(cat({tz, yyyymmdd(e.start), clockOf(e.time->start)}));
        if (e.time->end < 0) return;
        const Day endDay = e.time->endsNextDay ? nextDay(e.start) : e.start;
        out_ += icsLine(cat({"DTEND;TZID=Asia/Tokyo:", yyyymmdd(endDay), clockOf(e.time->end)}));
    }

    std::string stamp_;
    std::string out_;
    int alarm_ = -1;
};

// A line as shown and as iCalendar can carry it: decoded first (a byte that
// cannot be decoded is shown as one character), then without the control
// characters but tab.
std::string withoutControls(std::string_view cp932) {
    std::string utf8;
    for (char c : cp932ToUtf8(cp932))
        if (static_cast<unsigned char>(c) >= 0x20 ? c != 0x7F : c == '\t') utf8 += c;
    return utf8ToCp932(utf8);
}

// The first line as the summary, every line as the description when there
// are more. A first line that starts with a time makes a timed event: its
// title is the summary, and the whole text as written the description.
void setTexts(Event& e, const std::vector<std::string>& written) {
    std::vector<std::string> lines;
    for (const std::string& line : written) lines.push_back(withoutControls(line));
    e.time = parseTimedLine(lines.front());
    e.summary = cp932ToUtf8(e.time ? e.time->title : lines.front());
    if (lines.size() < 2 && !e.time) return;
    for (std::size_t i = 0; i < lines.size(); ++i) e.description.append(i > 0 ? "\n" : "").append(cp932ToUtf8(lines[i]));
}

std::string uid(const char* kind, const std::string& when, int index) {
    return cat({"tavo-", kind, "-", when, index > 0 ? "-" : "", index > 0 ? std::to_string(index) : ""});
}

class Exporter {
public:
    Exporter(const IcsExportRequest& r, const DataSources& s) : r_(r), s_(s), calendar_(r) {}

    IcsExport run() {
        if (r_.daySchedules && !daySchedules()) return {};
        everyYear();
        everyMonth();
        shifted(kScheduleEveryMonthLater, "later");
        shifted(kScheduleEveryMonthEarlier, "earlier");
        everyWeek();
        personal(kBirthday);
        personal(kAnniversary);
        if (r_.holidays) holidays();
        return {calendar_.finish(), skipped_};
    }

private:
    bool pmo() const { return s_.env.monthEndToLastDay != 0; }

    // The day files are most of the work: progress is told by them.
    bool daySchedules() {
        const int months = (r_.toYear - r_.fromYear + 1) * 12;
        for (int y = r_.fromYear; y <= r_.toYear; ++y)
            for (int m = 1; m <= 12; ++m) {
                if (r_.progress && !r_.progress((y - r_.fromYear) * 12 + m - 1, months)) return false;
                int index = 0, lastKey = 0;
                for (const SectionText& s : sectionsOf(s_.files, scheduleFile(s_.paths, kScheduleDay, y, m))) {
                    if (s.key < 1 || s.key > monthLengthOf(y, m)) continue;
                    index = s.key == lastKey ? index + 1 : 0;
                    lastKey = s.key;
                    Event e{uid("day", yyyymmdd({y, m, s.key}), index), {y, m, s.key}, {}, {}, {}, {}};
                    setTexts(e, s.lines);
                    calendar_.add(e);
                }
            }
        return true;
    }

    // The first occurrence in the span of a day computed month by month.
    bool firstOccurrence(ScheduleKind kind, int key, int onlyMonth, Day& first) const {
        for (int y = r_.fromYear; y <= r_.toYear; ++y)
            for (int m = onlyMonth ? onlyMonth : 1; m <= (onlyMonth ? onlyMonth : 12); ++m)
                if (const int d = effectiveDay(kind, key, y, m, pmo(), kNeverClosed)) {
                    first = {y, m, d};
                    return true;
                }
        return false;
    }

    void everyYear() {
        for (int m = 1; m <= 12; ++m)
            for (const SectionText& s : sectionsOf(s_.files, scheduleFile(s_.paths, kScheduleEveryYear, 0, m))) {
                Day first{};
                if (!firstOccurrence(kScheduleEveryYear, s.key, m, first)) continue;
                Event e{uid("yearly", std::to_string(m * 100 + s.key), 0), first, {}, {},
                        formatRule(scheduleRule(kScheduleEveryYear, s.key, m, pmo())), {}};
                setTexts(e, s.lines);
                calendar_.add(e);
            }
    }

    void everyMonth() {
        for (const SectionText& s : sectionsOf(s_.files, scheduleFile(s_.paths, kScheduleEveryMonth, 0, 0))) {
            Day first{};
            if (!firstOccurrence(kScheduleEveryMonth, s.key, 0, first)) continue;
            Event e{uid("monthly", std::to_string(s.key), 0), first, {}, {}, formatRule(scheduleRule(kScheduleEveryMonth, s.key, 0, pmo())), {}};
            setTexts(e, s.lines);
            calendar_.add(e);
        }
    }

    // Moves off closed days follow no rule: each day of the span is an event of its own.
    void shifted(ScheduleKind kind, const char* name) {
        const std::vector<SectionText> sections = sectionsOf(s_.files, scheduleFile(s_.paths, kind, 0, 0));
        for (int y = r_.fromYear; y <= r_.toYear && !sections.empty(); ++y)
            for (int m = 1; m <= 12; ++m) {
                const ClosedDayTest closed = [&](int d) { return rangeClosed(s_.closedDays, y, m, d); };
                for (const SectionText& s : sections)
                    if (const int d = effectiveDay(kind, s.key, y, m, pmo(), closed)) {
                        Event e{uid(name, cat({yyyymmdd({y, m, 1}).substr(0, 6), "-", std::to_string(s.key)}), 0), {y, m, d}, {}, {}, {}, {}};
                        setTexts(e, s.lines);
                        calendar_.add(e);
                    }
            }
    }

    void everyWeek() {
        for (const SectionText& s : sectionsOf(s_.files, scheduleFile(s_.paths, kScheduleEveryWeek, 0, 0))) {
            if (s.key < 0 || s.key > 6) continue;
            Day first{r_.fromYear, 1, 1 + (s.key - weekdayOf(r_.fromYear, 1, 1) + 7) % 7};
            Event e{uid("weekly", kWeekdays[s.key], 0), first, {}, {}, cat({"FREQ=WEEKLY;BYDAY=", kWeekdays[s.key]}), {}};
            setTexts(e, s.lines);
            calendar_.add(e);
        }
    }

    void personal(PersonalDayKind kind) {
        const char* name = kind == kBirthday ? "birthday" : "anniversary";
        for (int m = 1; m <= 12; ++m) {
            int index = 0;
            for (const PersonalEntry& p : readPersonalDays(s_.files, s_.paths, kind, m)) {
                if (p.day < 1 || p.day > (m == 2 ? 29 : monthLengthOf(2000, m)) || p.name.empty()) continue;
                const bool leapDay = m == 2 && p.day == 29;
                const int year = p.year > 0 ? p.year : (leapDay ? 2000 : r_.fromYear);
                if (year < 1583 || year > 9999 || p.day > monthLengthOf(year, m)) {
                    ++skipped_;
                    continue;
                }
                // Born on 29 February: the last day of February in the other years.
                Event e{uid(name, std::to_string(m * 100 + p.day), index++), {year, m, p.day}, {}, {},
                        leapDay ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" : "FREQ=YEARLY", {}};
                e.summary = cat({cp932ToUtf8(p.name), utf8Of(kind == kBirthday ? " の誕生日" : " 記念日")});
                if (p.year > 0) e.description = cat({std::to_string(p.year), utf8Of(kind == kBirthday ? "年生まれ" : "年から")});
                e.category = utf8Of(kind == kBirthday ? "誕生日" : "記念日");
                calendar_.add(e);
            }
        }
    }

    // Public holidays, and the closed days the user named (お盆 …), each in a category of its own.
    void holidays() {
        for (int serial = serialDayOf(r_.fromYear, 1, 1); serial <= serialDayOf(r_.toYear, 12, 31); ++serial) {
            Day d{};
            civilFromSerial(serial, d.year, d.month, d.day);
            char name[kHolidayNameBytes] = "";
            if (isPublicHoliday({s_.closedDays.japaneseHolidays != 0}, dayDate(d.year, d.month, d.day), name, true) != kNoHoliday) {
                calendar_.add({uid("holiday", yyyymmdd(d), 0), d, cp932ToUtf8(name), {}, {}, utf8Of("祝日")});
                continue;
            }
            char closed[24] = "";
            if (isClosedDay(s_.closedDays, dayDate(d.year, d.month, d.day), closed) && closed[0] != '\0')
                calendar_.add({uid("closed", yyyymmdd(d), 0), d, cp932ToUtf8(closed), {}, {}, utf8Of("休業日")});
        }
    }

    const IcsExportRequest& r_;
    const DataSources& s_;
    Calendar calendar_;
    int skipped_ = 0;
};

}  // namespace

std::string icsText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == ';' || c == ',') out += '\\';
        if (c == '\n') out += "\\n";
        else if ((byte >= 0x20 && byte != 0x7F) || c == '\t') out += c;
    }
    return out;
}

std::string icsLine(std::string_view line) {
    std::string out;
    std::size_t room = kFoldOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;  // never inside a character
        out.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        room = kFoldOctets - 1;  // the leading blank counts
    }
    return out.append(line).append("\r\n");
}

IcsExport exportICalendar(const IcsExportRequest& request, const DataSources& sources) {
    return Exporter(request, sources).run();
}

IcsCalendar withoutEventsHeld(const IcsCalendar& calendar, int fromYear, int toYear, const DataSources& sources, int& held) {
    std::set<std::pair<std::string, std::string>> written;
    for (const IcsEvent& e : readICalendar(exportICalendar({fromYear, toYear, true, {fromYear, 1, 1}}, sources).text).events)
        written.insert({e.uid, e.summary});
    IcsCalendar rest;
    rest.zones = calendar.zones;
    rest.problem = calendar.problem;
    held = 0;
    for (const IcsEvent& e : calendar.events) {
        if (written.count({e.uid, e.summary})) ++held;
        else rest.events.push_back(e);
    }
    return rest;
}

}  // namespace tavo
