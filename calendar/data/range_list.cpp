#include "range_list.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/date_presets.h"
#include "personal_days.h"
#include "recurrence.h"
#include "section_file.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

struct Section {
    int key;
    const std::string_view* first;  // the section's text lines (CR LF kept), in its file's lines
    const std::string_view* last;
};

struct SectionFile {
    std::string content;
    std::vector<std::string_view> lines;
    std::vector<Section> sections;
    bool exists = false;
};

// Every file of a collection is read once and kept parsed.
class FileCache {
public:
    explicit FileCache(const DataSources& s) : s_(s) {}

    const SectionFile& sections(const std::string& path) {
        auto& slot = files_[path];
        if (!slot) slot = load(path);
        return *slot;
    }
    const std::vector<PersonalEntry>& personal(PersonalDayKind kind, int month) {
        auto& slot = personal_[kind * 16 + month];
        if (!slot) slot = std::make_unique<std::vector<PersonalEntry>>(readPersonalDays(s_.files, s_.paths, kind, month));
        return *slot;
    }
    const DayOffTable& dayOff(int year) {
        auto& slot = dayOff_[year];
        if (!slot) {
            slot = std::make_unique<DayOffTable>();
            loadDayOffTable(*slot, s_.files, s_.paths, year);
        }
        return *slot;
    }

private:
    std::unique_ptr<SectionFile> load(const std::string& path) const {
        auto file = std::make_unique<SectionFile>();
        FileContent read = s_.files.readFile(path);
        file->exists = read.opened;
        file->content = std::move(read.content);
        if (!read.complete) {  // a read that stopped early: its partial last line is left out
            const std::size_t end = file->content.rfind('\n');
            file->content.resize(end == std::string::npos ? 0 : end + 1);
        }
        // The same sections the month grid marks and the data windows edit.
        file->lines = fileLines(file->content);
        const std::string_view* lines = file->lines.data();
        for (const SectionSpan& span : sectionSpans(file->lines))
            file->sections.push_back({span.key, lines + span.header + 1, lines + span.end});
        return file;
    }

    const DataSources& s_;
    std::map<std::string, std::unique_ptr<SectionFile>> files_;
    std::map<int, std::unique_ptr<std::vector<PersonalEntry>>> personal_;
    std::map<int, std::unique_ptr<DayOffTable>> dayOff_;
};

// Day and every-year sections never move off closed days.
bool noneClosed(int) { return false; }

// A data line never starts with ':', which marks headers in the list.
std::string_view withoutHeaderMark(std::string& out, std::string_view text) {
    if (text.empty() || text[0] != ':') return text;
    out += "\x81\x46";
    return text.substr(1);
}

// What a month contributes, sorted by day once: its closed days and, for
// every day, the sections of each source that fall on it (in source order,
// then file order) and its birthdays and anniversaries.
struct MonthFacts {
    bool closed[32] = {};
    struct Placed {
        const Section* section;
        std::string suffix;
    };
    std::vector<Placed> byDay[32];       // day, every-year and every-month sections
    std::vector<const Section*> byWeekday[7];
    std::vector<const PersonalEntry*> personal[2][32];  // birthdays, anniversaries
};

struct Collector {
    const RangeRequest& request;
    const DataSources& s;
    FileCache cache;
    RangeList list;
    int year = 0, month = 0, day = 0;
    int serial = 0, selectedSerial = 0;
    int todaySerial = 0;  // read from the clock once per collection
    bool headerWritten = false;
    std::map<int, std::unique_ptr<MonthFacts>> months;
    const MonthFacts* current = nullptr;  // the facts of year/month

    void place(MonthFacts& f, ScheduleKind kind, const ClosedDayTest& closed) {
        for (const Section& section : cache.sections(scheduleFile(s.paths, kind, year, month)).sections) {
            const int d = effectiveDay(kind == kScheduleDay ? kScheduleEveryMonth : kind, section.key, year, month,
                                       s.env.pmo, closed);
            if (d < 1 || d > 31) continue;
            std::string suffix;
            if (kind == kScheduleEveryYear) suffix.append("(毎年").append(std::to_string(month)).append("月");
            else if (kind != kScheduleDay) suffix.append("(毎月");
            if (kind != kScheduleDay) suffix.append(std::to_string(section.key)).append("日)");
            f.byDay[d].push_back({&section, std::move(suffix)});
        }
    }

    const MonthFacts& build() {
        auto f = std::make_unique<MonthFacts>();
        const int length = monthLengthOf(year, month);
        for (int d = 1; d <= length; ++d) f->closed[d] = rangeClosed(s.closedDays, year, month, d);
        const ClosedDayTest closed = [&facts = *f](int d) { return facts.closed[d]; };
        // Day and every-year sections never move off closed days.
        place(*f, kScheduleDay, noneClosed);
        place(*f, kScheduleEveryYear, noneClosed);
        for (ScheduleKind kind : {kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier})
            place(*f, kind, closed);
        for (const Section& section : cache.sections(scheduleFile(s.paths, kScheduleEveryWeek, year, month)).sections)
            if (section.key >= 0 && section.key <= 6) f->byWeekday[section.key].push_back(&section);
        for (PersonalDayKind kind : {kBirthday, kAnniversary})
            for (const PersonalEntry& e : cache.personal(kind, month))
                if (e.day >= 1 && e.day <= 31) f->personal[kind - 1][e.day].push_back(&e);
        return *(months[year * 12 + month] = std::move(f));
    }

    const MonthFacts& facts() {
        if (current == nullptr) {
            const auto it = months.find(year * 12 + month);
            current = it != months.end() ? it->second.get() : &build();
        }
        return *current;
    }

    Collector(const RangeRequest& r, const DataSources& sources) : request(r), s(sources), cache(sources) {}

    DayDate dateOfDay() const {
        DayDate d = dayDate(year, month, day);
        d.weekday = weekdayOf(year, month, day);
        d.fromToday = serial - todaySerial;
        return d;
    }

    char kindDigit() {
        const HolidayResult r = isPublicHoliday({s.closedDays.japaneseHolidays != 0}, dayDate(year, month, day), nullptr, true);
        if (r == kSubstituteHoliday) return '4';
        if (r != kNoHoliday) return '3';
        const int w = weekdayOf(year, month, day);
        if (w == 0) return '1';
        if (w == 6) return '2';
        return facts().closed[day] ? '5' : '0';
    }

    char dayOffLetter() {
        if (!isDayOff(cache.dayOff(year), month, day)) return 'A';
        return facts().closed[day] ? 'C' : 'B';
    }

    void header() {
        if (headerWritten) return;
        headerWritten = true;
        const int index = static_cast<int>(list.size());
        if (serial >= selectedSerial && list.firstLine < 0) list.firstLine = index;
        if (serial == selectedSerial) list.selectedLine = index;
        std::string& out = list.text();
        out += ':';
        out += kindDigit();
        out += dayOffLetter();
        out += partText(request.formats, 1, 0, dateOfDay(), request.locale);
        list.endLine();
    }

    // A data line with its suffix; schedule text has its tabs expanded.
    void add(std::string_view text, std::string_view suffix, bool expand) {
        header();
        std::string& out = list.text();
        text = withoutHeaderMark(out, text);
        if (expand) appendExpandingTabs(out, text);
        else out += text;
        out += suffix;
        list.endLine();
    }

    void addSection(const Section& section, std::string_view suffix) {
        for (const std::string_view* line = section.first; line != section.last; ++line) add(lineContent(*line), suffix, true);
    }

    // Every section that falls on the day, each key as often as the file
    // holds it, placed as the month grid places it.
    void sections() {
        for (const MonthFacts::Placed& placed : facts().byDay[day]) addSection(*placed.section, placed.suffix);
        for (const Section* section : facts().byWeekday[weekdayOf(year, month, day)]) addSection(*section, "(毎週)");
    }

    void personalDays(PersonalDayKind kind) {
        const int yearStyle = request.formats.selections[0][kSelYear1];
        for (const PersonalEntry* e : facts().personal[kind - 1][day]) {
            if (e->year > year) continue;
            add(personalEntryText(kind, *e, month, year, yearStyle), "", false);
            if (kind == kBirthday && request.birthdayToday && serial == todaySerial) request.birthdayToday();
        }
    }

    void memo() {
        const SectionFile& file = cache.sections(scheduleFile(s.paths, kScheduleMemo, year, month));
        if (!file.exists) return;
        if (list.firstLine < 0) list.firstLine = static_cast<int>(list.size());
        list.addLine(request.memoInEnglish ? ":5AMemo" : ":5Aメモ");
        // The memo has no headers of its own: every line is text.
        for (std::string_view line : fileLines(file.content)) {
            std::string& out = list.text();
            appendExpandingTabs(out, withoutHeaderMark(out, lineContent(line)));
            list.endLine();
        }
    }

    RangeList run() {
        list.firstLine = -1;
        const LocalDate today = clockToday();
        todaySerial = serialDayOf(today.year, today.month, today.day);
        const DateSpan span = rangeSpan(request.year, request.month, request.day, request.range, request.mondayFirst);
        selectedSerial = serialDayOf(request.year, request.month, request.day);
        const int end = serialDayOf(kLastYear, 12, 31);
        for (serial = span.firstSerial; serial <= span.lastSerial && serial <= end; ++serial) {
            const int lastMonth = month, lastYear = year;
            civilFromSerial(serial, year, month, day);
            if (month != lastMonth || year != lastYear) current = nullptr;
            headerWritten = false;
            sections();
            personalDays(kBirthday);
            personalDays(kAnniversary);
        }
        memo();
        if (list.firstLine < 0) list.firstLine = static_cast<int>(list.size());
        return std::move(list);
    }
};

}  // namespace

DateSpan rangeSpan(int year, int month, int day, const RangeViewSettings& range, bool mondayFirst) {
    const int s = serialDayOf(year, month, day);
    switch (range.range) {
        case kRangeMonth: return {serialDayOf(year, month, 1), serialDayOf(year, month, monthLengthOf(year, month))};
        case kRangeWeek: {
            const int w = weekdayOf(year, month, day);
            const int back = mondayFirst ? (w + 6) % 7 : w;
            return {s - back, s - back + 6};
        }
        default: {
            // The options allow 0-99; anything else in the registry is clamped.
            const int before = std::clamp(range.before, 0, kMaxRangeDays);
            const int after = std::clamp(range.after, 0, kMaxRangeDays);
            return {s - before, s + after};
        }
    }
}

RangeList collectRange(const RangeRequest& request, const DataSources& sources) {
    return Collector(request, sources).run();
}

// The check looks at exactly the list the view would show, so the view never
// opens empty (a Monday-first week, a birthday of a later year).
bool rangeHasData(const RangeRequest& request, const DataSources& sources) {
    RangeRequest quiet = request;
    quiet.birthdayToday = nullptr;  // checking is not listing: no sound
    const RangeList list = collectRange(quiet, sources);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!RangeList::isHeader(list.line(i))) return true;
    return false;
}

std::string rangeListText(const RangeList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string_view line = list.line(i);
        text += RangeList::isHeader(line) ? line.substr(std::min<std::size_t>(3, line.size())) : line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> RangeList::lines() const {
    std::vector<std::string> copies;
    for (std::size_t i = 0; i < size(); ++i) copies.emplace_back(line(i));
    return copies;
}

std::string expandTabs(std::string_view line) {
    std::string out;
    appendExpandingTabs(out, line);
    return out;
}

void appendExpandingTabs(std::string& out, std::string_view line) {
    if (line.find('\t') == std::string_view::npos) {  // most lines: nothing to expand
        out += line;
        return;
    }
    int column = 0;        // within the current tab cell
    bool crossed = false;  // the last character ran over a tab column
    std::size_t run = 0;   // start of the text not yet copied
    for (std::size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == '\t') {
            out.append(line.data() + run, i - run);
            if (!crossed) out.append(static_cast<std::size_t>(8 - column), ' ');
            run = i + 1;
            column = 0;
            crossed = false;
            continue;
        }
        const int width = isCp932LeadByte(c) && i + 1 < line.size() ? 2 : 1;
        i += static_cast<std::size_t>(width - 1);
        column += width;
        crossed = column > 8;
        column &= 7;
    }
    out.append(line.data() + run, line.size() - run);
}

}  // namespace tavo
