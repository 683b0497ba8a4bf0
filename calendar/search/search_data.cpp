#include "search_data.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <thread>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/recurrence.h"
#include "calendar/data/section_file.h"
#include "shared/almanac.h"
#include "shared/date_math.h"
#include "shared/window_settings.h"

namespace tavo {
namespace {

struct Section {
    int key;
    std::vector<std::string_view> lines;  // kept; blank ones left out
};

bool blankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::vector<Section> sectionsOf(const FileSystem& files, const std::string& path, KeptText& kept) {
    std::vector<Section> sections;
    const FileContent file = files.readFile(path);
    if (!file.opened) return sections;
    const std::vector<std::string_view> lines = fileLines(completeLines(file));
    for (const SectionSpan& span : sectionSpans(lines)) {
        Section s{span.key, {}};
        for (std::size_t i = span.header + 1; i < span.end; ++i)
            if (const std::string_view line = lineContent(lines[i]); !blankLine(line)) s.lines.push_back(kept.keep(line));
        if (!s.lines.empty()) sections.push_back(std::move(s));
    }
    return sections;
}

// "sch2026c.cal": 2026; 0 for any other name.
int dayFileYear(std::string_view name) {
    if (name.size() != 12 || !(name.substr(0, 3) == "sch" || name.substr(0, 3) == "SCH")) return 0;
    int year = 0;
    for (std::size_t i = 3; i < 7; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        year = year * 10 + (name[i] - '0');
    }
    const char month = static_cast<char>(std::tolower(static_cast<unsigned char>(name[7])));
    const bool monthLetter = (month >= '1' && month <= '9') || (month >= 'a' && month <= 'c');
    return monthLetter && (name.substr(8) == ".cal" || name.substr(8) == ".CAL") && year >= kFirstYear && year <= kLastYear ? year : 0;
}

// The recurring sections, each file read once.
struct Recurring {
    std::vector<Section> yearly[13];  // by month
    std::vector<Section> monthly[3];  // every month, later when closed, earlier when closed
    std::vector<Section> weekly;
    struct Personal {
        int day, year;
        std::string_view name;  // kept
    };
    std::vector<Personal> personal[2][13];  // by month
};

constexpr ScheduleKind kMonthlyKinds[3] = {kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier};

Recurring readRecurring(const DataSources& s, KeptText& kept) {
    Recurring r;
    for (int m = 1; m <= 12; ++m) {
        r.yearly[m] = sectionsOf(s.files, scheduleFile(s.paths, kScheduleEveryYear, 0, m), kept);
        for (PersonalDayKind kind : {kBirthday, kAnniversary})
            for (const PersonalEntry& e : readPersonalDays(s.files, s.paths, kind, m))
                if (!e.name.empty()) r.personal[kind - 1][m].push_back({e.day, e.year, kept.keep(e.name)});
    }
    for (int i = 0; i < 3; ++i) r.monthly[i] = sectionsOf(s.files, scheduleFile(s.paths, kMonthlyKinds[i], 0, 0), kept);
    r.weekly = sectionsOf(s.files, scheduleFile(s.paths, kScheduleEveryWeek, 0, 0), kept);
    return r;
}

// Reads day by day; the recurring sections are shared with other readers.
class Reader {
public:
    Reader(const DataSources& s, const Recurring& r, KeptText& kept) : s_(s), r_(r), kept_(kept) {}

    // The lines of every day of the month, in day order.
    void month(int year, int month, std::vector<FoundLine>& out) {
        const int length = monthLengthOf(year, month);
        for (auto& day : days_) day.clear();
        const auto put = [&](int day, SearchKind kind, std::string_view line) {
            if (day >= 1 && day <= length) days_[static_cast<std::size_t>(day)].push_back({0, kind, line});
        };
        const auto putAll = [&](int day, SearchKind kind, const std::vector<std::string_view>& lines) {
            for (const std::string_view line : lines) put(day, kind, line);
        };
        dayLines(year, month, put);
        const bool lastDay = s_.env.monthEndToLastDay != 0;
        for (const Section& s : r_.yearly[month])
            putAll(effectiveDay(kScheduleEveryYear, s.key, year, month, lastDay, [](int) { return false; }), kFoundYear, s.lines);
        const ClosedDayTest closed = [&](int d) { return rangeClosed(s_.closedDays, year, month, d); };
        for (int i = 0; i < 3; ++i)
            for (const Section& s : r_.monthly[i]) putAll(effectiveDay(kMonthlyKinds[i], s.key, year, month, lastDay, closed), kFoundMonth, s.lines);
        const int firstWeekday = weekdayOf(year, month, 1);
        for (const Section& s : r_.weekly)
            for (int d = 1 + (s.key - firstWeekday + 7) % 7; s.key >= 0 && s.key <= 6 && d <= length; d += 7) putAll(d, kFoundWeek, s.lines);
        for (PersonalDayKind kind : {kBirthday, kAnniversary})
            for (const Recurring::Personal& e : r_.personal[kind - 1][month])
                if (e.year <= year) put(e.day, kind == kBirthday ? kFoundBirthday : kFoundAnniversary, e.name);
        names(year, month, length, put);
        const int first = serialDayOf(year, month, 1);
        for (int d = 1; d <= length; ++d)
            for (FoundLine line : days_[static_cast<std::size_t>(d)]) line.serial = first + d - 1, out.push_back(line);
    }

private:
    // The day file's lines, pointing into the file as it was read.
    template <typename Put>
    void dayLines(int year, int month, const Put& put) {
        s_.files.readFileInto(scheduleFile(s_.paths, kScheduleDay, year, month), file_);
        if (!file_.opened) return;
        const std::string_view text = kept_.keepFile(std::move(file_.content), completeLines(file_).size());
        fileLinesInto(text, lines_);
        for (const SectionSpan& span : sectionSpans(lines_))
            for (std::size_t i = span.header + 1; i < span.end; ++i)
                if (const std::string_view line = lineContent(lines_[i]); !blankLine(line)) put(span.key, kFoundDay, line);
    }

    // The holiday or closed day's name and the almanac's names of each day.
    template <typename Put>
    void names(int year, int month, int length, const Put& put) {
        if (almanacYear_ != year) almanac_ = almanacNamesOf(almanacYear_ = year);
        const int dayOfYear = serialDayOf(year, month, 1) - serialDayOf(year, 1, 1) + 1;
        const std::array<std::string, 32> dayNames = dayNamesOf(s_.closedDays, year, month);
        for (int d = 1; d <= length; ++d) {
            if (const std::string& name = dayNames[static_cast<std::size_t>(d)]; !name.empty()) put(d, kFoundHoliday, kept_.keep(name));
            almanacText_.clear();
            appendAlmanacText(almanacText_, almanac_, dayOfYear + d - 1);
            if (!almanacText_.empty()) put(d, kFoundHoliday, kept_.keep(almanacText_));
        }
    }

    const DataSources& s_;
    const Recurring& r_;
    KeptText& kept_;
    std::vector<FoundLine> days_[32];
    FileContent file_;
    std::vector<std::string_view> lines_;
    int almanacYear_ = 0;
    std::vector<AlmanacName> almanac_;
    std::string almanacText_;
};

}  // namespace

const char* searchKindName(SearchKind kind) {
    static const char* const names[kSearchKinds] = {"day", "year", "month", "week", "memo", "birthday", "anniversary", "holiday"};
    return names[kind];
}

const char* searchKindLabel(SearchKind kind) {
    static const char* const labels[kSearchKinds] = {"予定", "毎年", "毎月", "毎週", "メモ", "誕生日", "記念日", "祝日・暦"};
    return labels[kind];
}

SearchYears yearsInFolder(const FileSystem& files, const PathSettings& paths) {
    SearchYears years{kLastYear + 1, kFirstYear - 1};
    for (const std::string& name : files.fileNames(paths.scheduleFolder))
        if (const int year = dayFileYear(name)) years.from = std::min(years.from, year), years.to = std::max(years.to, year);
    return years;
}

std::string_view KeptText::keep(std::string_view text) {
    if (blocks_.empty() || blocks_.back()->capacity() - blocks_.back()->size() < text.size()) {
        blocks_.push_back(std::make_unique<std::string>());
        blocks_.back()->reserve(std::max<std::size_t>(text.size(), 65536));
    }
    std::string& block = *blocks_.back();
    block.append(text);  // within its capacity: nothing kept before moves
    return std::string_view(block).substr(block.size() - text.size());
}

std::string_view KeptText::keepFile(std::string&& content, std::size_t used) {
    content.resize(used);
    files_.push_back(std::make_unique<std::string>(std::move(content)));
    return *files_.back();
}

void KeptText::adopt(KeptText&& other) {
    for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
    for (auto& file : other.files_) files_.push_back(std::move(file));
    other.blocks_.clear(), other.files_.clear();
}

namespace {

// Some years' lines, read and folded on a thread of their own.
struct Slice {
    SearchYears years;
    KeptText text;
    std::vector<FoundLine> lines;
    bool stopped = false;
};

// Room for the lines the months read so far foretell: grown once or twice,
// not doubled a dozen times (every step would touch fresh memory).
void foresee(std::vector<FoundLine>& lines, std::size_t monthsRead, std::size_t months) {
    const std::size_t expected = lines.size() / monthsRead * months;
    if (lines.capacity() < expected) lines.reserve(expected + expected / 8);
}

void readSlice(const DataSources& sources, const Recurring& recurring, const std::function<bool()>& going, Slice& part) {
    Reader reader(sources, recurring, part.text);
    const std::size_t months = static_cast<std::size_t>(part.years.to - part.years.from + 1) * 12;
    for (std::size_t month = 0; month < months; ++month) {
        if (going && !going()) {
            part.stopped = true;
            return;
        }
        reader.month(part.years.from + static_cast<int>(month / 12), static_cast<int>(month % 12) + 1, part.lines);
        foresee(part.lines, month + 1, months);
    }
}

// work(i) for every i below count, all but the first on threads of their
// own; a failure on any comes back here.
template <typename Work>
void onThreads(std::size_t count, const Work& work) {
    std::vector<std::exception_ptr> failures(count);
    const auto run = [&](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 1; i < count; ++i) threads.emplace_back(run, i);
        if (count > 0) run(0);
    }
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

// Contiguous spans of years, one for each core (a thread costs far less than a year's files).
std::vector<Slice> slicesOf(SearchYears years) {
    const int count = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
    const int span = std::max(years.to - years.from + 1, 0);
    std::vector<Slice> parts(static_cast<std::size_t>(std::min(count, std::max(span, 1))));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int n = static_cast<int>(parts.size()), k = static_cast<int>(i);
        parts[i].years = {years.from + span * k / n, years.from + span * (k + 1) / n - 1};
    }
    return parts;
}

}  // namespace

SearchData SearchData::read(const DataSources& sources, SearchYears years, const std::function<bool()>& going) {
    SearchData data;
    const Recurring recurring = readRecurring(sources, data.text_);
    std::vector<Slice> parts = slicesOf({std::max(years.from, kFirstYear + 1), std::min(years.to, kLastYear)});
    onThreads(parts.size(), [&](std::size_t i) { readSlice(sources, recurring, going, parts[i]); });
    Slice memo;  // lines without days
    const FileContent file = sources.files.readFile(scheduleFile(sources.paths, kScheduleMemo, 0, 0));
    for (std::string_view raw : fileLines(file.opened ? completeLines(file) : std::string_view()))
        if (const std::string_view line = lineContent(raw); !blankLine(line)) memo.lines.push_back({0, kFoundMemo, memo.text.keep(line)});
    parts.push_back(std::move(memo));
    for (Slice& part : parts) {
        if (part.stopped) return {};
        data.text_.adopt(std::move(part.text));
        data.lines_ += part.lines.size();
        if (!part.lines.empty()) data.shares_.push_back(std::move(part.lines));  // kept as read: a copy would touch as much again
    }
    return data;
}

namespace {

// The lines [day, next) folded into `units`, none where the kind is not asked.
// Folded as a search looks at them: a fold costs little more than the look,
// and a folded copy of every line kept would double the memory touched.
void foldDay(const FoundLine* day, const FoundLine* next, const SearchKinds& kinds, std::vector<char>& units,
             std::vector<std::string_view>& folded) {
    std::size_t bytes = 0;
    for (const FoundLine* line = day; line < next; ++line) bytes += line->text.size();
    if (units.size() < bytes * 2) units.resize(bytes * 2);  // two bytes a byte at most
    folded.clear();
    char* at = units.data();
    for (const FoundLine* line = day; line < next; ++line) {
        folded.emplace_back(at, kinds[line->kind] ? foldForSearchInto(line->text, at) : 0);
        at += folded.back().size();
    }
}

// Whether each word of the query is held by one of the lines.
bool holdsEvery(const FoundLine* day, const std::vector<std::string_view>& folded, const SearchQuery& query) {
    for (std::size_t w = 0; w < query.words(); ++w) {
        bool held = false;
        for (std::size_t i = 0; i < folded.size() && !held; ++i) held = !folded[i].empty() && holdsWord(day[i].text, folded[i], query, w);
        if (!held) return false;
    }
    return true;
}

// The days (of the kinds asked) whose lines hold every word together: their
// lines that hold one. False when `going` said stop.
bool findAmong(const std::vector<FoundLine>& lines, const SearchQuery& query, const SearchKinds& kinds,
               const std::function<bool()>& going, std::vector<const FoundLine*>& found) {
    std::vector<std::string_view> folded;  // the day's lines, in `units`
    std::vector<char> units;
    std::size_t days = 0;
    for (const FoundLine *day = lines.data(), *end = day + lines.size(), *next = day; day < end; day = next) {
        for (next = day; next < end && next->serial == day->serial; ++next) {}
        if (++days % 1024 == 0 && going && !going()) return false;
        foldDay(day, next, kinds, units, folded);
        if (!holdsEvery(day, folded, query)) continue;
        for (std::size_t i = 0; i < folded.size(); ++i)
            for (std::size_t w = 0; w < query.words() && !folded[i].empty(); ++w)
                if (holdsWord(day[i].text, folded[i], query, w)) {
                    found.push_back(&day[i]);
                    break;
                }
    }
    return true;
}

}  // namespace

// Each share of the days on a core of its own.
std::vector<const FoundLine*> SearchData::find(const SearchQuery& query, const SearchKinds& kinds, const std::function<bool()>& going) const {
    if (query.empty()) return {};
    const std::size_t shares = shares_.size();
    std::vector<std::vector<const FoundLine*>> found(shares);
    std::vector<char> done(shares, 0);
    onThreads(shares, [&](std::size_t i) { done[i] = findAmong(shares_[i], query, kinds, going, found[i]); });
    std::vector<const FoundLine*> all;
    for (std::size_t i = 0; i < shares; ++i) {
        if (!done[i]) return {};
        all.insert(all.end(), found[i].begin(), found[i].end());
    }
    return all;
}

}  // namespace tavo
