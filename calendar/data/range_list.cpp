#include "range_list.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holiday_table.h"
#include "calendar/calc/holidays.h"
#include "calendar/text/date_format_set.h"
#include "shared/almanac.h"
#include "calendar/text/date_presets.h"
#include "day_off.h"
#include "personal_days.h"
#include "recurrence.h"
#include "section_file.h"
#include "shared/clock.h"
#include "subscriptions.h"
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
    FileContent read;
    std::vector<std::string_view> lines;
    std::vector<Section> sections;  // the same sections the month grid marks and the data windows edit
    bool sectionsFound = false;
};

// Every file of a collection is read once and kept parsed. The buffers stay
// for the next collection: the view collects at every move of the date, and
// taking fresh memory each time would cost more than the parsing.
class FileCache {
public:
    void begin(const DataSources& s) {
        s_ = &s;
        files_.clear();
        used_ = 0;
        personal_.clear();
        dayOff_.clear();
    }

    const SectionFile& sections(const std::string& path) {
        SectionFile& f = file(path);
        if (!f.sectionsFound) {
            const std::string_view* lines = f.lines.data();
            const std::vector<SectionSpan> spans = sectionSpans(f.lines);
            f.sections.reserve(spans.size());
            for (const SectionSpan& span : spans)
                f.sections.push_back({span.key, lines + span.header + 1, lines + span.end});
            f.sectionsFound = true;
        }
        return f;
    }
    const std::vector<PersonalLine>& personal(PersonalDayKind kind, int month) {
        auto& slot = personal_[kind * 16 + month];
        if (!slot) slot = std::make_unique<std::vector<PersonalLine>>(personalLines(file(personalDayFile(s_->paths, kind, month)).lines));
        return *slot;
    }
    std::size_t bytesRead() const {
        std::size_t total = 0;
        for (const auto& [path, file] : files_) total += file->read.content.size();
        return total;
    }
    const DayOffTable& dayOff(int year) {
        auto& slot = dayOff_[year];
        if (!slot) {
            slot = std::make_unique<DayOffTable>();
            loadDayOffTable(*slot, s_->files, s_->paths, year);
        }
        return *slot;
    }

private:
    SectionFile& file(const std::string& path) {
        auto& slot = files_[path];
        if (!slot) slot = load(path);
        return *slot;
    }

    SectionFile* load(const std::string& path) {
        if (used_ == pool_.size()) pool_.push_back(std::make_unique<SectionFile>());
        SectionFile& file = *pool_[used_++];
        s_->files.readFileInto(path, file.read);
        std::string& content = file.read.content;
        if (!file.read.complete) {  // a read that stopped early: its partial last line is left out
            const std::size_t end = content.rfind('\n');
            content.resize(end == std::string::npos ? 0 : end + 1);
        }
        fileLinesInto(content, file.lines);
        file.sections.clear();
        file.sectionsFound = false;
        return &file;
    }

    const DataSources* s_ = nullptr;
    std::vector<std::unique_ptr<SectionFile>> pool_;  // kept from one collection to the next
    std::size_t used_ = 0;
    std::map<std::string, SectionFile*> files_;
    std::map<int, std::unique_ptr<std::vector<PersonalLine>>> personal_;
    std::map<int, std::unique_ptr<DayOffTable>> dayOff_;
};

// Day and every-year sections never move off closed days.
bool noneClosed(int) { return false; }

// A data line never starts with ':', which marks headers where the list is printed.
std::string_view withoutHeaderMark(std::string& out, std::string_view text) {
    if (text.empty() || text[0] != ':') return text;
    out += "\x81\x46";
    return text.substr(1);
}

// Items of a month grouped by day (1-31, or weekday 0-6) in one vector,
// each day's in the order they were added.
template <class T>
class ByDay {
public:
    void expect(std::size_t items) { pending_.reserve(pending_.size() + items); }
    void add(int day, T item) { pending_.push_back({day, item}); }
    void finish() {  // a counting sort: days are 1-31
        for (const auto& entry : pending_) ++starts_[static_cast<std::size_t>(entry.first) + 1];
        for (std::size_t d = 1; d < starts_.size(); ++d) starts_[d] += starts_[d - 1];
        std::array<std::uint32_t, 33> next = starts_;
        items_.resize(pending_.size());
        for (const auto& [day, item] : pending_) items_[next[static_cast<std::size_t>(day)]++] = item;
        pending_ = {};
    }
    const T* begin(int day) const { return items_.data() + starts_[static_cast<std::size_t>(day)]; }
    const T* end(int day) const { return items_.data() + starts_[static_cast<std::size_t>(day) + 1]; }

private:
    std::vector<std::pair<int, T>> pending_;
    std::vector<T> items_;
    std::array<std::uint32_t, 33> starts_{};
};

struct Placed {
    const Section* section;
    ScheduleKind kind;  // for the "(毎月..)" suffix
};

// What a month contributes, sorted by day once: its closed days and, for
// every day, the sections of each source that fall on it (in source order,
// then file order) and its birthdays and anniversaries.
struct MonthFacts {
    HolidayResult holiday[32] = {};
    bool closed[32] = {};
    ByDay<Placed> sections;  // day, every-year and every-month sections
    ByDay<const Section*> byWeekday;
    ByDay<const PersonalLine*> personal[2];  // birthdays, anniversaries
    std::vector<SubscribedLine> subscribed;  // of the month, by day
};

void appendNumber(std::string& out, int value) {
    char digits[16];
    out.append(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

// "(毎年12月31日)", "(毎月31日)", "(毎週)", nothing for day sections.
void appendSuffix(std::string& out, ScheduleKind kind, int month, int key) {
    if (kind == kScheduleDay) return;
    if (kind == kScheduleEveryWeek) {
        out += "(毎週)";
        return;
    }
    if (kind == kScheduleEveryYear) {
        out += "(毎年";
        appendNumber(out, month);
        out += "月";
    } else {
        out += "(毎月";
    }
    appendNumber(out, key);
    out += "日)";
}

struct Collector {
    const RangeRequest& request;
    const DataSources& s;
    FileCache& cache;
    RangeList& list;
    int year = 0, month = 0, day = 0, weekday = 0;
    int serial = 0, selectedSerial = 0;
    int todaySerial = 0;  // read from the clock once per collection
    bool headerWritten = false;
    std::map<int, std::unique_ptr<MonthFacts>> months;
    const MonthFacts* current = nullptr;  // the facts of year/month
    int almanacYear = 0;
    std::vector<AlmanacName> almanac;  // of almanacYear

    void place(MonthFacts& f, ScheduleKind kind, const ClosedDayTest& closed) {
        const std::vector<Section>& sections = cache.sections(scheduleFile(s.paths, kind, year, month)).sections;
        f.sections.expect(sections.size());
        for (const Section& section : sections) {
            const int d = effectiveDay(kind == kScheduleDay ? kScheduleEveryMonth : kind, section.key, year, month,
                                       s.env.monthEndToLastDay, closed);
            if (d >= 1 && d <= 31) f.sections.add(d, {&section, kind});
        }
    }

    const MonthFacts& build() {
        auto f = std::make_unique<MonthFacts>();
        const int length = monthLengthOf(year, month);
        monthHolidays({s.closedDays.japaneseHolidays != 0}, year, month, f->holiday);
        for (int d = 1; d <= length; ++d) f->closed[d] = isClosedDay(s.closedDays, dayDate(year, month, d), f->holiday[d], nullptr);
        const ClosedDayTest closed = [&facts = *f](int d) { return facts.closed[d]; };
        // Day and every-year sections never move off closed days.
        place(*f, kScheduleDay, noneClosed);
        place(*f, kScheduleEveryYear, noneClosed);
        for (ScheduleKind kind : {kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier})
            place(*f, kind, closed);
        f->sections.finish();
        const std::vector<Section>& weekly = cache.sections(scheduleFile(s.paths, kScheduleEveryWeek, year, month)).sections;
        f->byWeekday.expect(weekly.size());
        for (const Section& section : weekly)
            if (section.key >= 0 && section.key <= 6) f->byWeekday.add(section.key, &section);
        f->byWeekday.finish();
        for (PersonalDayKind kind : {kBirthday, kAnniversary}) {
            ByDay<const PersonalLine*>& byDay = f->personal[kind - 1];
            const std::vector<PersonalLine>& entries = cache.personal(kind, month);
            byDay.expect(entries.size());
            for (const PersonalLine& e : entries)
                if (e.day >= 1 && e.day <= 31) byDay.add(e.day, &e);
            byDay.finish();
        }
        if (s.subscriptions)
            f->subscribed = subscribedLines(*s.subscriptions, serialDayOf(year, month, 1), serialDayOf(year, month, length));
        return *(months[year * 12 + month] = std::move(f));
    }

    const MonthFacts& facts() {
        if (current == nullptr) {
            const auto it = months.find(year * 12 + month);
            current = it != months.end() ? it->second.get() : &build();
        }
        return *current;
    }

    Collector(const RangeRequest& r, const DataSources& sources, FileCache& files, RangeList& into)
        : request(r), s(sources), cache(files), list(into) {
        cache.begin(sources);
        list.clear();
    }

    DayDate dateOfDay() const {
        DayDate d = dayDate(year, month, day);
        d.weekday = weekday;
        d.fromToday = serial - todaySerial;
        return d;
    }

    int dayKind() {
        const HolidayResult r = facts().holiday[day];
        if (r == kSubstituteHoliday) return 4;
        if (r != kNoHoliday) return 3;
        if (weekday == 0) return 1;
        if (weekday == 6) return 2;
        return facts().closed[day] ? 5 : 0;
    }

    int dayOffMark() {
        if (!isDayOff(cache.dayOff(year), month, day)) return 0;
        return facts().closed[day] ? 2 : 1;
    }

    void header() {
        if (headerWritten) return;
        headerWritten = true;
        const int index = static_cast<int>(list.size());
        if (serial >= selectedSerial && list.firstLine < 0) list.firstLine = index;
        if (serial == selectedSerial) list.selectedLine = index;
        appendPartText(list.text(), request.formats, 1, 0, dateOfDay(), request.locale);
        forecastName();
        list.endHeader(dayKind(), dayOffMark(), serial);
        if (request.almanac) almanacLine();
    }

    // A holiday the government has not fixed yet is named, as a forecast.
    void forecastName() {
        if (facts().holiday[day] == kNoHoliday || !provisionalHoliday(year)) return;
        char name[kHolidayNameBytes] = "";
        isPublicHoliday({s.closedDays.japaneseHolidays != 0}, dayDate(year, month, day), name, true);
        list.text().append(" ").append(shownHolidayName(name, year));
    }

    void almanacLine() {
        if (almanacYear != year) almanac = almanacNamesOf(almanacYear = year);
        std::string& out = list.text();
        const std::size_t start = out.size();
        out += "〔";
        const std::size_t names = out.size();
        appendAlmanacText(out, almanac, serial - serialDayOf(year, 1, 1) + 1);
        if (out.size() == names) return out.resize(start);
        out += "〕";
        list.endLine();
    }

    // Data lines are kept as written; tabs are expanded where they are shown.
    void addSection(const Section& section, ScheduleKind kind) {
        for (const std::string_view* line = section.first; line != section.last; ++line) {
            header();
            std::string& out = list.text();
            out += withoutHeaderMark(out, lineContent(*line));
            appendSuffix(out, kind, month, section.key);
            list.endLine();
        }
    }

    // Every section that falls on the day, each key as often as the file
    // holds it, placed as the month grid places it.
    void sections() {
        const MonthFacts& f = facts();
        for (const Placed* p = f.sections.begin(day); p != f.sections.end(day); ++p) addSection(*p->section, p->kind);
        for (const Section* const* section = f.byWeekday.begin(weekday); section != f.byWeekday.end(weekday); ++section)
            addSection(**section, kScheduleEveryWeek);
    }

    void personalDays(PersonalDayKind kind) {
        const int yearStyle = request.formats.selections[0][kSelYear1];
        const ByDay<const PersonalLine*>& byDay = facts().personal[kind - 1];
        for (const PersonalLine* const* e = byDay.begin(day); e != byDay.end(day); ++e) {
            if ((*e)->year > year) continue;
            header();
            std::string& out = list.text();
            const std::size_t start = out.size();
            appendPersonalEntryText(out, kind, **e, month, year, yearStyle);
            if (out.size() > start && out[start] == ':') out.replace(start, 1, "\x81\x46");  // never a header
            list.endLine();
            if (kind == kBirthday && request.birthdayToday && serial == todaySerial) request.birthdayToday();
        }
    }

    void subscribed() {
        for (const SubscribedLine& line : facts().subscribed)
            if (line.serial == serial) {
                header();
                std::string& out = list.text();
                out += withoutHeaderMark(out, line.text);
                list.endLine();
            }
    }

    void memo() {
        const SectionFile& file = cache.sections(scheduleFile(s.paths, kScheduleMemo, year, month));
        if (!file.read.opened) return;
        if (list.firstLine < 0) list.firstLine = static_cast<int>(list.size());
        list.addHeader(request.memoInEnglish ? "Memo" : "メモ", 5, 0);  // drawn as a closed day
        // The memo has no headers of its own: every line is text.
        for (std::string_view line : file.lines) {
            std::string& out = list.text();
            out += withoutHeaderMark(out, lineContent(line));
            list.endLine();
        }
    }

    void toDay(int at) {
        const int lastMonth = month, lastYear = year;
        civilFromSerial(at, year, month, day);
        if (month != lastMonth || year != lastYear) current = nullptr;
        weekday = weekdayOf(year, month, day);
    }

    // Reads every file of the span first: the list then grows in one buffer
    // about as large as what was read, without copying itself as it grows.
    void reserveFor(int first, int last) {
        if (first > last) return;
        for (int at = first; at <= last; at += 28) {
            toDay(at);
            facts();
        }
        toDay(last);
        facts();
        cache.sections(scheduleFile(s.paths, kScheduleMemo, year, month));
        const std::size_t days = static_cast<std::size_t>(std::max(0, last - first + 1));
        list.reserve(cache.bytesRead() + days * 64, days * 4);
        month = year = 0;
        current = nullptr;
    }

    void run() {
        list.firstLine = -1;
        const LocalDate today = clockToday();
        todaySerial = serialDayOf(today.year, today.month, today.day);
        const DateSpan span = rangeSpan(request.year, request.month, request.day, request.range, request.mondayFirst);
        selectedSerial = serialDayOf(request.year, request.month, request.day);
        const int last = std::min(span.lastSerial, serialDayOf(kLastYear, 12, 31));
        reserveFor(span.firstSerial, last);
        for (serial = span.firstSerial; serial <= last; ++serial) {
            toDay(serial);
            headerWritten = false;
            sections();
            personalDays(kBirthday);
            personalDays(kAnniversary);
            subscribed();
        }
        memo();
        if (list.firstLine < 0) list.firstLine = static_cast<int>(list.size());
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

struct RangeCollector::Buffers {
    FileCache files;
};

RangeCollector::RangeCollector() : buffers_(std::make_unique<Buffers>()) {}
RangeCollector::~RangeCollector() = default;

void RangeCollector::collect(const RangeRequest& request, const DataSources& sources, RangeList& list) {
    Collector(request, sources, buffers_->files, list).run();
}

RangeList collectRange(const RangeRequest& request, const DataSources& sources) {
    RangeList list;
    RangeCollector().collect(request, sources, list);
    return list;
}

// The check looks at exactly the list the view would show, so the view never
// opens empty (a Monday-first week, a birthday of a later year).
bool rangeHasData(const RangeRequest& request, const DataSources& sources) {
    RangeRequest quiet = request;
    quiet.birthdayToday = nullptr;  // checking is not listing: no sound
    const RangeList list = collectRange(quiet, sources);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!list.line(i).header) return true;
    return false;
}

std::string rangeListText(const RangeList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        appendExpandingTabs(text, list.line(i).text);
        text += "\r\n";
    }
    return text;
}

void appendPrintedLine(std::string& out, const RangeLine& line) {
    if (line.header) {
        out += ':';
        out += static_cast<char>('0' + line.dayKind);
        out += static_cast<char>('A' + line.mark);
    }
    appendExpandingTabs(out, line.text);
}

std::vector<std::string> RangeList::lines() const {
    std::vector<std::string> copies;
    for (std::size_t i = 0; i < size(); ++i) appendPrintedLine(copies.emplace_back(), line(i));
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
