#include "search_data.h"

#include <cctype>

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
    std::vector<std::string> lines;  // CP932, blank ones left out
};

std::vector<Section> sectionsOf(const FileSystem& files, const std::string& path) {
    std::vector<Section> sections;
    const FileContent file = files.readFile(path);
    if (!file.opened) return sections;
    const std::vector<std::string_view> lines = fileLines(completeLines(file));
    for (const SectionSpan& span : sectionSpans(lines)) {
        Section s{span.key, {}};
        for (std::size_t i = span.header + 1; i < span.end; ++i)
            if (const std::string_view line = lineContent(lines[i]); line.find_first_not_of(" \t") != std::string_view::npos)
                s.lines.emplace_back(line);
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
    std::vector<PersonalEntry> personal[2][13];
};

// A line while the data is read: where its text is in the buffer.
struct Piece {
    int serial;
    SearchKind kind;
    std::size_t at, size;
};

constexpr ScheduleKind kMonthlyKinds[3] = {kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier};

class Reader {
public:
    explicit Reader(const DataSources& s) : s_(s) {
        for (int m = 1; m <= 12; ++m) {
            r_.yearly[m] = sectionsOf(s.files, scheduleFile(s.paths, kScheduleEveryYear, 0, m));
            for (PersonalDayKind kind : {kBirthday, kAnniversary}) r_.personal[kind - 1][m] = readPersonalDays(s.files, s.paths, kind, m);
        }
        for (int i = 0; i < 3; ++i) r_.monthly[i] = sectionsOf(s.files, scheduleFile(s.paths, kMonthlyKinds[i], 0, 0));
        r_.weekly = sectionsOf(s.files, scheduleFile(s.paths, kScheduleEveryWeek, 0, 0));
    }

    // The lines of every day of the month, in day order: their texts appended to `text`.
    void month(int year, int month, std::string& text, std::vector<Piece>& out) {
        const int length = monthLengthOf(year, month);
        for (auto& day : days_) day.clear();
        const auto put = [&](int day, SearchKind kind, std::string_view line) {
            if (day < 1 || day > length) return;
            days_[static_cast<std::size_t>(day)].push_back({0, kind, text.size(), line.size()});
            text.append(line);
        };
        const auto putAll = [&](int day, SearchKind kind, const std::vector<std::string>& lines) {
            for (const std::string& line : lines) put(day, kind, line);
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
            for (const PersonalEntry& e : r_.personal[kind - 1][month])
                if (e.year <= year && !e.name.empty()) put(e.day, kind == kBirthday ? kFoundBirthday : kFoundAnniversary, e.name);
        names(year, month, length, put);
        const int first = serialDayOf(year, month, 1);
        for (int d = 1; d <= length; ++d)
            for (Piece piece : days_[static_cast<std::size_t>(d)]) piece.serial = first + d - 1, out.push_back(piece);
    }

private:
    // The day file's lines, read in place.
    template <typename Put>
    void dayLines(int year, int month, const Put& put) {
        s_.files.readFileInto(scheduleFile(s_.paths, kScheduleDay, year, month), file_);
        if (!file_.opened) return;
        fileLinesInto(completeLines(file_), lines_);
        for (const SectionSpan& span : sectionSpans(lines_))
            for (std::size_t i = span.header + 1; i < span.end; ++i)
                if (const std::string_view line = lineContent(lines_[i]); line.find_first_not_of(" \t") != std::string_view::npos)
                    put(span.key, kFoundDay, line);
    }

    // The holiday or closed day's name and the almanac's names of each day.
    template <typename Put>
    void names(int year, int month, int length, const Put& put) {
        if (almanacYear_ != year) almanac_ = almanacNamesOf(almanacYear_ = year);
        const int dayOfYear = serialDayOf(year, month, 1) - serialDayOf(year, 1, 1) + 1;
        for (int d = 1; d <= length; ++d) {
            char name[kHolidayNameBytes] = "";
            const DayDate date = dayDate(year, month, d);
            const HolidayResult holiday = isPublicHoliday({s_.closedDays.japaneseHolidays != 0}, date, name, true);
            if (holiday == kNoHoliday) isClosedDay(s_.closedDays, date, holiday, name);
            if (name[0] != '\0') put(d, kFoundHoliday, name);
            std::string almanac;
            appendAlmanacText(almanac, almanac_, dayOfYear + d - 1);
            if (!almanac.empty()) put(d, kFoundHoliday, almanac);
        }
    }

    const DataSources& s_;
    Recurring r_;
    std::vector<Piece> days_[32];
    FileContent file_;
    std::vector<std::string_view> lines_;
    int almanacYear_ = 0;
    std::vector<AlmanacName> almanac_;
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

SearchData SearchData::read(const DataSources& sources, SearchYears years, const std::function<bool()>& going) {
    SearchData data;
    data.text_.reserve(4096);  // on the heap from the start: a move keeps the buffer the lines point into
    std::vector<Piece> pieces;
    {
        Reader reader(sources);
        for (int y = std::max(years.from, kFirstYear + 1); y <= std::min(years.to, kLastYear); ++y)
            for (int m = 1; m <= 12; ++m) {
                if (going && !going()) return {};
                reader.month(y, m, data.text_, pieces);
            }
    }
    const FileContent memo = sources.files.readFile(scheduleFile(sources.paths, kScheduleMemo, 0, 0));  // lines without days
    for (std::string_view raw : fileLines(memo.opened ? completeLines(memo) : std::string_view()))
        if (const std::string_view line = lineContent(raw); line.find_first_not_of(" \t") != std::string_view::npos) {
            pieces.push_back({0, kFoundMemo, data.text_.size(), line.size()});
            data.text_.append(line);
        }
    // The texts stay where they are from here on: the lines can point into them.
    data.lines_.reserve(pieces.size());
    data.folded_.reserve(data.text_.size());
    data.foldedEnds_.reserve(pieces.size() + 1);
    for (const Piece& p : pieces) {
        data.lines_.push_back({p.serial, p.kind, std::string_view(data.text_).substr(p.at, p.size)});
        data.foldedEnds_.push_back(data.folded_.size());
        appendFoldedForSearch(data.lines_.back().text, data.folded_);
    }
    data.foldedEnds_.push_back(data.folded_.size());
    return data;
}

std::vector<const FoundLine*> SearchData::find(const SearchQuery& query, const SearchKinds& kinds, const std::function<bool()>& going) const {
    std::vector<const FoundLine*> found;
    if (query.empty()) return found;
    std::vector<bool> held(query.words());
    std::size_t days = 0;
    for (std::size_t first = 0, end = 0; first < lines_.size(); first = end) {
        for (end = first; end < lines_.size() && lines_[end].serial == lines_[first].serial; ++end) {}
        if (++days % 1024 == 0 && going && !going()) return {};
        std::fill(held.begin(), held.end(), false);
        std::size_t holding = 0;
        for (std::size_t i = first; i < end; ++i)
            for (std::size_t w = 0; w < held.size() && kinds[lines_[i].kind]; ++w)
                if (!held[w] && holdsWord(lines_[i].text, folded(i), query, w)) held[w] = true, ++holding;
        if (holding < held.size()) continue;
        for (std::size_t i = first; i < end; ++i)
            for (std::size_t w = 0; w < held.size() && kinds[lines_[i].kind]; ++w)
                if (holdsWord(lines_[i].text, folded(i), query, w)) {
                    found.push_back(&lines_[i]);
                    break;
                }
    }
    return found;
}

}  // namespace tavo
