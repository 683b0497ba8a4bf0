#include "commands.h"

#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <functional>
#include <map>
#include <memory>

#include "args.h"
#include "calendar/calc/closed_days.h"
#include "calendar/calc/holiday_table.h"
#include "calendar/calc/holidays.h"
#include "calendar/search/search_data.h"
#include "calendar/text/date_pattern.h"
#include "calendar/text/date_presets.h"
#include "calendar/data/icalendar_export.h"
#include "calendar/data/icalendar_import.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/section_file.h"
#include "calendar/data/timed_entries.h"
#include "calendar/data/range_list.h"
#include "shared/window_settings.h"
#include "calendar/text/locale_info.h"
#include "shared/almanac.h"
#include "shared/calendar_day.h"
#include "shared/clock.h"
#include "shared/date_math.h"
#include "tavo_version.h"
#ifdef TAVO_PDF
#include "calendar/render/print_pages.h"
#include "calendar/render/year_view.h"
#include "pdf/pdf_pages.h"
#endif
#ifdef TAVO_SYNC
#include "sync/caldav.h"
#include "sync/http_curl.h"
#include "sync/sync_engine.h"
#endif
#include "shared/cp932.h"
#include "shared/memory_settings_store.h"
#include "shared/rokuyo.h"
#include "shared/native_file_system.h"

namespace tavo::cli {
namespace {

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: tavocal COMMAND [--today YYYY-MM-DD] [--holidays-table FILE]   (tavocal --version: the version)\n"
    "  (the holidays of the years a table covers come from it; syukujitsu.csv in --dir is used when present)\n"
    "  day YYYY-MM-DD [--dir DIR]   one line of facts about a date\n"
    "  holidays FROM [TO]           the public holidays of the years FROM..TO ("
    "(\xE4\xBA\x88\xE5\xAE\x9A): not fixed yet)\n"  // 予定 in UTF-8: the usage is printed as it stands
    "  holidays --check FILE        the days a holiday table (syukujitsu.csv) and the law disagree on\n"
    "  format PATTERN YYYY-MM-DD    the date text of a pattern\n"
    "  format --part NAME --sel L,Y1,Y2,M,D,W,N YYYY-MM-DD   a preset date text\n"
    "  month YYYY-MM [--dir DIR]    the month as a text calendar\n"
    "  lunar FROM TO                the lunar date and rokuyo of every day of the years\n"
    "  sekki FROM [TO]              the solar terms and zassetsu of the years 1873..2100\n"
    "  ics-export FROM TO [--holidays] [--dir DIR]   the data of the years as iCalendar (RFC 5545)\n"
    "  ics-import FILE FROM TO [--dir DIR]   the events of the days FROM..TO into the day schedules\n"
    "  range YYYY-MM-DD [--dir DIR] [--type 0|1|2] [--before N] [--after N] [--monday]\n"
    "                               the lines of the range view\n"
    "  reminders FROM [TO] [--dir DIR]   the timed entries of the days, one a line, in time order\n"
    "  search WORDS... [--from YEAR] [--to YEAR] [--dir DIR]   the lines of the days that hold every word\n"
    "                               (\"quoted\" as written; the years of the folder by default)\n"
#ifdef TAVO_PDF
    "  print month YYYY-MM | year YYYY | range YYYY-MM-DD [--paper A4|A3|B5|B4|Letter] [--landscape] [--mono]\n"
    "        [--margin MM] [--type 0|1|2] [--before N] [--after N] [--dir DIR] -o FILE.pdf   pages as PDF\n"
#endif
#ifdef TAVO_SYNC
    "  sync --url URL --user USER [--dir DIR]   the day schedules with a CalDAV calendar, both ways\n"
    "                               (the password from TAVO_PASSWORD; last year to next year)\n"
#endif
    ;

// The files a command reads, with every file that exists but could not be
// read whole remembered, so that the command can say so instead of showing
// less than is there.
class ReportingFileSystem final : public FileSystem {
public:
    std::vector<std::string> fileNames(const std::string& folder) const override { return files_.fileNames(folder); }
    FileContent readFile(const std::string& path) const override {
        FileContent file = files_.readFile(path);
        if (!readWhole(file)) problems.push_back(cp932ToUtf8(path) + ": " + cp932ToUtf8(file.problem));
        return file;
    }
    bool replaceFile(const std::string& path, std::string_view content) override { return files_.replaceFile(path, content); }
    bool removeFile(const std::string& path) override { return files_.removeFile(path); }
    mutable std::vector<std::string> problems;

private:
    NativeFileSystem files_;
};

struct Context {
    Args args;
    std::ostream& out;
    std::ostream& err;
    ReportingFileSystem files;
    std::string folder;  // CP932, from --dir (or ".")
};

int fail(Context& c, const std::string& message) {
    c.err << "tavocal: " << message << "\n";
    return kUsageError;
}

// The longest name of a file in a data folder ("Holiday2.Dat", "sch2026c.cal").
constexpr std::size_t kLongestFileName = 12;

// The folder of --dir as the program would use it: a folder that exists,
// written in code page 932, short enough for the paths of its files.
std::string checkDataFolder(Context& c) {
    const auto dir = c.args.options.find("--dir");
    if (dir == c.args.options.end()) {
        c.folder = ".";
        return {};
    }
    const std::string& utf8 = dir->second;
    c.folder = utf8ToCp932(utf8);
    if (cp932ToUtf8(c.folder) != utf8) return "--dir cannot be written in code page 932: " + utf8;
    if (c.folder.size() + 1 + kLongestFileName > 259) return "--dir is too long (paths of its files would pass 259 bytes): " + utf8;
    std::error_code error;
    if (!std::filesystem::is_directory(utf8, error)) return "--dir is not a folder that can be used: " + utf8;
    return {};
}

// Default closed-day settings, with the Holiday2.Dat of --dir when given.
std::unique_ptr<ClosedDays> loadClosedDaysFor(const Context& c) {
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    if (c.args.options.count("--dir")) {
        const MemorySettingsStore defaults;
        const ClosedDaysLoad load = loadClosedDays(*days, c.files, c.folder, defaults);
        if (load.ignoredRules > 0)
            c.files.problems.push_back(cp932ToUtf8(joinPath(c.folder, kClosedDaysFile)) + ": " +
                                       std::to_string(load.ignoredRules) + " rules past the 256th are not used");
    }
    return days;
}

// The almanac's words of a day, "-" where a date has none.
std::string almanacFields(int year, int month, int day) {
    const char* term = solarTermOn(year, month, day);
    const Zassetsu z = zassetsuOn(year, month, day);
    std::string zassetsu;
    for (int i = 0; i < z.count; ++i) zassetsu.append(i ? "," : "").append(cp932ToUtf8(z.names[i]));
    LunarDate lunar;
    std::string kyureki = "-";
    if (lunarDateOf(year, month, day, lunar))
        kyureki = (lunar.leap ? cp932ToUtf8("閏") : std::string()) + std::to_string(lunar.month) + "-" + std::to_string(lunar.day);
    const int age = moonAgeTenths(year, month, day);
    const std::string moon = age < 0 ? "-" : std::to_string(age / 10) + "." + std::to_string(age % 10);
    return " sekki=" + (term ? cp932ToUtf8(term) : "-") + " zassetsu=" + (zassetsu.empty() ? "-" : zassetsu) +
           " kyureki=" + kyureki + " moonage=" + moon;
}

int commandDay(Context& c) {
    if (c.args.positional.size() != 2) return fail(c, "day needs one date YYYY-MM-DD");
    const auto date = parseIsoDate(c.args.positional[1]);
    if (!date) return fail(c, "not a date between 1582-10-15 and 9999-12-31: " + c.args.positional[1]);
    CalendarDay d(date->year, date->month, date->day);
    const std::string rokuyo = d.rokuyo() < 0 ? "-" : cp932ToUtf8(d.rokuyoName());
    const auto closedDays = loadClosedDaysFor(c);
    const DayDate dd = dayDate(d.year(), d.month(), d.day());
    char name[kHolidayNameBytes] = "";
    const HolidayResult holiday = isPublicHoliday({closedDays->japaneseHolidays != 0}, dd, name, true);
    c.out << "date=" << formatIsoDate(d.year(), d.month(), d.day()) << " weekday=" << d.weekday()
          << " serial=" << d.serialDay() << " era=" << cp932ToUtf8(d.eraName()) << " erayear=" << d.eraYear()
          << " rokuyo=" << rokuyo << " holiday=" << holiday
          << " holidayname=" << (holiday == kNoHoliday ? std::string("-") : cp932ToUtf8(shownHolidayName(name, d.year())))
          << " kind=" << dayKindOf(*closedDays, d.year(), d.month(), d.day())
          << " closed=" << (isClosedDay(*closedDays, dd, nullptr) ? 1 : 0) << almanacFields(d.year(), d.month(), d.day())
          << "\n";
    return 0;
}

// The years FROM [TO] of a command (TO defaults to FROM); false after saying why.
bool yearSpan(Context& c, const char* command, int lowest, int highest, int& from, int& to) {
    const std::size_t n = c.args.positional.size();
    const auto first = n >= 2 && n <= 3 ? parseNumber(c.args.positional[1], lowest, highest) : std::nullopt;
    const auto last = n >= 2 && n <= 3 ? parseNumber(c.args.positional[n - 1], lowest, highest) : std::nullopt;
    if (!first || !last || *last < *first) {
        fail(c, std::string(command) + " needs years FROM [TO], FROM <= TO within " + std::to_string(lowest) + ".." +
                    std::to_string(highest));
        return false;
    }
    from = *first;
    to = *last;
    return true;
}

// The terms and 雑節 of the years FROM..TO, a date and its names per line.
int commandSekki(Context& c) {
    int first = 0, last = 0;
    if (!yearSpan(c, "sekki", kAlmanacFirstYear, kAlmanacLastYear, first, last)) return kUsageError;
    std::string out;
    for (int s = serialDayOf(first, 1, 1); s < serialDayOf(last + 1, 1, 1); ++s) {
        int y, m, d;
        civilFromSerial(s, y, m, d);
        const std::string text = almanacText(y, m, d);
        if (!text.empty()) out.append(formatIsoDate(y, m, d)).append("\t").append(cp932ToUtf8(text)).append("\n");
    }
    c.out << out;
    return 0;
}

// Every day that is a holiday on one side only: 0 none, 1 some, 2 the file cannot be taken.
int checkHolidayTable(Context& c, const std::string& file) {
    const FileContent content = c.files.readFile(utf8ToCp932(file));
    if (!content.opened) return fail(c, "cannot read " + file);
    const HolidayTableRead read = parseHolidayTable(content.content);
    if (!read.table) return fail(c, file + ": " + cp932ToUtf8(read.problem));
    const std::vector<HolidayDifference> differences = holidayDifferences(*read.table);
    for (const HolidayDifference& d : differences) {
        int y, m, day;
        civilFromSerial(d.serial, y, m, day);
        c.out << formatIsoDate(y, m, day) << " file=" << (d.table.empty() ? "-" : cp932ToUtf8(d.table))
              << " law=" << (d.law.empty() ? "-" : cp932ToUtf8(d.law)) << "\n";
    }
    return differences.empty() ? 0 : 1;
}

int commandHolidays(Context& c) {
    if (const auto check = c.args.options.find("--check"); check != c.args.options.end()) return checkHolidayTable(c, check->second);
    int first = 0, last = 0;
    if (!yearSpan(c, "holidays", kFirstYear, kLastYear, first, last)) return kUsageError;
    const HolidayChecker checker{true};
    CalendarDate d(first, first == kFirstYear ? 10 : 1, first == kFirstYear ? 15 : 1);
    std::string out;
    do {
        char name[kHolidayNameBytes];
        const HolidayResult r = isPublicHoliday(checker, dayDate(d.year(), d.month(), d.day()), name, true);
        if (r != kNoHoliday)
            out += formatIsoDate(d.year(), d.month(), d.day()) + "\t" + std::to_string(r) + "\t" + cp932ToUtf8(shownHolidayName(name, d.year())) + "\n";
    } while (d.nextDay() != 0 && d.year() <= last);
    c.out << out;
    return 0;
}

// "L,Y1,Y2,M,D,W,N" into the seven selections.
bool parseSelections(const std::string& text, std::int32_t (&sel)[kSelectionCount]) {
    std::size_t start = 0;
    for (int i = 0; i < kSelectionCount; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (i == kSelectionCount - 1)) return false;
        const auto value = parseNumber(text.substr(start, comma - start), 0, 99);
        if (!value) return false;
        sel[i] = *value;
        start = comma + 1;
    }
    return true;
}

int formatPart(Context& c, const DayDate& date) {
    const std::string& name = c.args.options["--part"];
    for (int group = 0; group < 2; ++group) {
        for (int index = 0; index < groupPartCount(group); ++index) {
            if (name != dateTextPartName(groupPart(group, index))) continue;
            DateFormatSet set{};
            resetDateFormatSet(set, group);
            if (!parseSelections(c.args.options["--sel"], set.selections[index]))
                return fail(c, "--sel needs seven numbers L,Y1,Y2,M,D,W,N");
            c.out << cp932ToUtf8(partText(set, group, index, date, JapaneseLocale())) << "\n";
            return 0;
        }
    }
    return fail(c, "unknown part " + name + " (YearMon, Week, StatusBar, CaptionN, CaptionM, SchDate, Caption)");
}

int commandFormat(Context& c) {
    const bool preset = c.args.options.count("--part") != 0;
    if (c.args.positional.size() != (preset ? 2u : 3u)) return fail(c, "format needs PATTERN YYYY-MM-DD");
    const std::string& dateText = c.args.positional.back();
    const auto date = parseIsoDate(dateText);
    if (!date) return fail(c, "not a date between 1582-10-15 and 9999-12-31: " + dateText);
    CalendarDate d(date->year, date->month, date->day);
    DayDate dd = dayDate(d.year(), d.month(), d.day());
    dd.weekday = d.weekday();
    dd.fromToday = d.daysFromToday();
    if (preset) return formatPart(c, dd);
    const std::string pattern = utf8ToCp932(c.args.positional[1]);
    c.out << cp932ToUtf8(formatDatePattern(pattern, dd, JapaneseLocale())) << "\n";
    return 0;
}

// Default settings with the files of --dir standing for the program folder
// and every data folder.
struct Model {
    explicit Model(const Context& c) : files(c.files) {
        initPathDefaults(paths, c.folder + "\\Tavo.exe", "C:\\Windows");
        closedDays = loadClosedDaysFor(c);
        resetEnvironment(env, paths.programFolder);
        resetDateFormatSet(calendarFormats, 0);
        resetDateFormatSet(rangeFormats, 1);
    }
    DataSources sources() const { return {files, paths, *closedDays, env}; }

    const FileSystem& files;
    PathSettings paths{};
    std::unique_ptr<ClosedDays> closedDays;
    EnvironmentSettings env{};
    DateFormatSet calendarFormats{}, rangeFormats{};
};

DayDate dateWithToday(int year, int month, int day) {
    CalendarDate d(year, month, day);
    DayDate dd = dayDate(year, month, day);
    dd.weekday = d.weekday();
    dd.fromToday = d.daysFromToday();
    return dd;
}

std::string withoutTrailingBlanks(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t last = end;
        while (last > start && text[last - 1] == ' ') --last;
        out.append(text, start, last - start);
        if (end < text.size()) out += '\n';
        start = end + 1;
    }
    return out;
}

// One cell: the day, then H/h for a holiday or substitute/national holiday,
// C for a closed weekday, then + when the day has data and o for a day off.
std::string monthCell(const MonthGrid& grid, const DayOffTable& dayOff, int cell) {
    const int day = grid.cellDay[cell];
    char text[32];
    if (day > kOtherMonth) {
        std::snprintf(text, sizeof text, " (%2d) ", day - kOtherMonth);
        return text;
    }
    static const char kKindLetters[] = "   HhC";
    const int kind = grid.cellKind[cell];
    std::snprintf(text, sizeof text, "  %2d%c%c%c", day, kind >= 0 && kind <= 5 ? kKindLetters[kind] : '?',
                  grid.cellMark[cell] ? '+' : ' ', isDayOff(dayOff, grid.month, day) ? 'o' : ' ');
    return std::string(text).substr(0, 7);
}

// "YYYY-MM" from 1582-10 to 9999-12; October 1582 starts on the 15th.
std::optional<LocalDate> parseMonth(const std::string& text) {
    if (text.size() != 7 || text[4] != '-') return std::nullopt;
    const auto year = parseNumber(text.substr(0, 4), kFirstYear, kLastYear);
    const auto month = parseNumber(text.substr(5, 2), 1, 12);
    if (!year || !month || (*year == kFirstYear && *month < 10)) return std::nullopt;
    return LocalDate{*year, *month, *year == kFirstYear && *month == 10 ? 15 : 1};
}

int commandMonth(Context& c) {
    if (c.args.positional.size() != 2) return fail(c, "month needs YYYY-MM");
    const auto date = parseMonth(c.args.positional[1]);
    if (!date) return fail(c, "not a month between 1582-10 and 9999-12: " + c.args.positional[1]);
    const Model model(c);
    MonthGrid grid{};
    DayOffTable dayOff{};
    rebuildMonth(grid, dayOff, date->year, date->month, {false, false}, model.sources());
    const JapaneseLocale locale;
    std::string out = partText(model.calendarFormats, 0, kPartYearMon, dateWithToday(date->year, date->month, date->day), locale) + "\n";
    for (int column = 0; column < kGridColumns; ++column) out += "   " + weekdayHeaderText(0, column) + "  ";
    out += "\n";
    for (int row = 0; row < kGridRows; ++row) {
        std::string days, rokuyo;
        for (int column = 0; column < kGridColumns; ++column) {
            const int cell = cellIndex(column, row);
            days += monthCell(grid, dayOff, cell);
            rokuyo += grid.rokuyoShown ? std::string("  ") + grid.cellRokuyo[cell] + " " : "";
        }
        out += days + "\n";
        if (grid.rokuyoShown) out += rokuyo + "\n";
    }
    out += "H holiday, h substitute or national holiday, C closed weekday, + has data, o day off\n";
    for (int day = date->day; day <= monthLengthOf(date->year, date->month); ++day) {
        const std::string name = dayNameOf(*model.closedDays, dayDate(date->year, date->month, day));
        if (!name.empty()) out += std::to_string(date->month) + "/" + std::to_string(day) + " " + name + "\n";
    }
    c.out << cp932ToUtf8(withoutTrailingBlanks(out));
    return 0;
}

bool hasFlag(const Context& c, const char* flag) { return std::find(c.args.flags.begin(), c.args.flags.end(), flag) != c.args.flags.end(); }

// --type, --before and --after into the range view's settings; a problem's text, or "".
std::string rangeOptions(const Context& c, RangeViewSettings& range) {
    const std::pair<const char*, std::int32_t*> numbers[] = {{"--type", &range.range}, {"--before", &range.before}, {"--after", &range.after}};
    for (const auto& [option, field] : numbers) {
        const auto it = c.args.options.find(option);
        if (it == c.args.options.end()) continue;
        const auto value = parseNumber(it->second, 0, std::string(option) == "--type" ? 2 : 99);
        if (!value) return std::string(option) + " is out of range: " + it->second;
        *field = *value;
    }
    return {};
}

int commandRange(Context& c) {
    if (c.args.positional.size() != 2) return fail(c, "range needs YYYY-MM-DD");
    const auto date = parseIsoDate(c.args.positional[1]);
    if (!date) return fail(c, "not a date between 1582-10-15 and 9999-12-31: " + c.args.positional[1]);
    RangeViewSettings range{};
    if (const std::string problem = rangeOptions(c, range); !problem.empty()) return fail(c, problem);
    const Model model(c);
    const JapaneseLocale locale;
    const RangeRequest request{date->year, date->month, date->day, range, hasFlag(c, "--monday"), false, model.rangeFormats, locale, {}, true};
    std::string out;
    const RangeList list = collectRange(request, model.sources());
    for (std::size_t i = 0; i < list.size(); ++i) {
        appendPrintedLine(out, list.line(i));
        out += "\n";
    }
    c.out << cp932ToUtf8(out);
    return 0;
}

// The data of the years FROM..TO as one iCalendar file on standard output.
int commandIcsExport(Context& c) {
    if (c.args.positional.size() != 3) return fail(c, "ics-export needs FROM TO years");
    const auto from = parseNumber(c.args.positional[1], kFirstYear + 1, kLastYear - 1);
    const auto to = parseNumber(c.args.positional[2], kFirstYear + 1, kLastYear - 1);
    if (!from || !to || *to < *from) return fail(c, "ics-export needs years FROM <= TO within 1583..9998");
    const bool holidays = hasFlag(c, "--holidays");
    const Model model(c);
    const LocalDate today = clockToday();
    const IcsExport exported = exportICalendar({*from, *to, holidays, today}, model.sources());
    c.out << exported.text;
    if (exported.skipped > 0)
        c.err << "tavocal: " << exported.skipped << " birthdays and anniversaries on dates no calendar has were left out\n";
    return 0;
}

std::string refusalText(const IcsImport& result) {
    switch (result.refused) {
        case IcsRefusal::TooManyLines: return "more than " + std::to_string(kMostImportedLines) + " lines; import a shorter span";
        case IcsRefusal::LineTooLong:
            return "a line longer than " + std::to_string(kScheduleTextBytes) + " bytes: " + result.longLine;
        case IcsRefusal::TooManyBytes: return "more than " + std::to_string(kMostImportedBytes >> 20) + " MB of text";
        case IcsRefusal::None: break;
    }
    return {};
}

// Adds the events of an iCalendar file on the days FROM..TO to the day schedule files of --dir.
int commandIcsImport(Context& c) {
    if (c.args.positional.size() != 4) return fail(c, "ics-import needs FILE FROM TO (dates YYYY-MM-DD)");
    const auto from = parseIsoDate(c.args.positional[2]);
    const auto to = parseIsoDate(c.args.positional[3]);
    if (!from || !to) return fail(c, "ics-import needs dates FROM TO between 1583 and 9998");
    const int first = serialDayOf(from->year, from->month, from->day), last = serialDayOf(to->year, to->month, to->day);
    if (last < first || last - first > 366 * 20) return fail(c, "ics-import needs FROM <= TO, at most 20 years apart");
    std::ifstream in(c.args.positional[1], std::ios::binary);
    if (!in) return fail(c, "cannot read " + c.args.positional[1]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const IcsCalendar calendar = readICalendar(text);
    if (!calendar.problem.empty()) return fail(c, "not an iCalendar file: " + calendar.problem);
    Model model(c);
    int held = 0;
    const IcsCalendar fresh = withoutEventsHeld(calendar, from->year, to->year, model.sources(), held);
    const IcsImport result = importICalendar(c.files, model.paths, fresh, first, last);
    if (result.refused != IcsRefusal::None) return fail(c, "nothing was imported: " + refusalText(result));
    if (!result.unstorable.empty()) return fail(c, "Shift-JIS cannot hold these characters, nothing was imported: " + result.unstorable);
    if (!result.saved) return fail(c, "nothing more was imported: " + cp932ToUtf8(result.saved.reason));
    c.out << result.occurrences << " occurrences, " << result.added << " lines added on " << result.days << " days, "
          << held << " events Tavo still holds left out";
    if (calendar.skipped > 0) c.out << ", " << calendar.skipped << " events on dates outside 1583..9999 left out";
    c.out << "\n";
    return 0;
}

std::string clockText(int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
    return text;
}

const char* kindWord(ScheduleKind kind) {
    switch (kind) {
        case kScheduleDay: return "day";
        case kScheduleEveryYear: return "year";
        case kScheduleEveryWeek: return "week";
        default: return "month";
    }
}

// The timed entries of the days FROM..TO as the reminders see them.
int commandReminders(Context& c) {
    if (c.args.positional.size() < 2 || c.args.positional.size() > 3) return fail(c, "reminders needs FROM [TO] (dates YYYY-MM-DD)");
    const auto from = parseIsoDate(c.args.positional[1]);
    const auto to = parseIsoDate(c.args.positional.back());
    if (!from || !to) return fail(c, "reminders needs dates YYYY-MM-DD between 1583 and 9999");
    const int first = serialDayOf(from->year, from->month, from->day), last = serialDayOf(to->year, to->month, to->day);
    if (last < first || last - first > 366 * 20) return fail(c, "reminders needs FROM <= TO, at most 20 years apart");
    const Model model(c);
    for (int serial = first; serial <= last; ++serial) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        for (const TimedEntry& e : timedEntriesOf(model.sources(), y, m, d)) {
            c.out << formatIsoDate(y, m, d) << ' ' << clockText(e.time.start);
            if (e.time.end >= 0) c.out << '-' << clockText(e.time.end);
            c.out << ' ' << kindWord(e.kind) << ' ' << cp932ToUtf8(e.time.title) << '\n';
        }
    }
    return 0;
}

// Every hit a line, by day: "YYYY-MM-DD kind line", the memo's with "-".
int commandSearch(Context& c) {
    std::string words;
    for (std::size_t i = 1; i < c.args.positional.size(); ++i) words += (i > 1 ? " " : "") + c.args.positional[i];
    const SearchQuery query = parseSearchQuery(utf8ToCp932(words));
    if (query.empty()) return fail(c, "search needs WORDS");
    const Model model(c);
    SearchYears years = yearsInFolder(c.files, model.paths);
    for (const auto& [option, year] : {std::pair{"--from", &years.from}, std::pair{"--to", &years.to}})
        if (const auto it = c.args.options.find(option); it != c.args.options.end()) {
            const auto value = parseNumber(it->second, kFirstYear + 1, kLastYear);
            if (!value) return fail(c, std::string("search needs ") + option + " YEAR within 1583..9999");
            *year = *value;
        }
    const SearchData data = SearchData::read(model.sources(), years);
    for (const FoundLine* line : data.find(query, kAllSearchKinds)) {
        int y, m, d;
        if (line->serial > 0) civilFromSerial(line->serial, y, m, d);
        c.out << (line->serial > 0 ? formatIsoDate(y, m, d) : std::string("-")) << ' ' << searchKindName(line->kind) << ' '
              << cp932ToUtf8(line->text) << '\n';
    }
    return 0;
}

#ifdef TAVO_SYNC
// The calendar of --url: a calendar collection as it is, else the first the discovery finds.
std::string calendarToSync(Context& c, sync::HttpClient& http, const std::string& url) {
    const sync::Discovery found = sync::discoverCalendars(http, url);
    if (!found.problem.empty()) {
        fail(c, "no calendar at " + url + ": " + cp932ToUtf8(found.problem));
        return {};
    }
    for (const sync::CalendarInfo& calendar : found.calendars)
        if (calendar.url == url || calendar.url == url + "/") return calendar.url;
    c.err << "tavocal: syncing with " << found.calendars.front().url
          << (found.calendars.front().name.empty() ? "" : " (" + found.calendars.front().name + ")") << "\n";
    return found.calendars.front().url;
}

// Both ways between the day schedules of --dir and the calendar; the summary on success.
int commandSync(Context& c) {
    const auto url = c.args.options.find("--url"), user = c.args.options.find("--user");
    if (url == c.args.options.end() || user == c.args.options.end()) return fail(c, "sync needs --url URL and --user USER");
    const char* password = std::getenv("TAVO_PASSWORD");
    sync::CurlHttpClient http({user->second, password ? password : ""});
    const std::string calendar = calendarToSync(c, http, url->second);
    if (calendar.empty()) return kUsageError;
    Model model(c);
    const LocalDate today = clockToday();
    const DataSources own = model.sources();
    const sync::SyncSummary s = sync::syncCalendar(
        http, c.files, model.paths, {calendar, serialDayOf(today.year - 1, 1, 1), serialDayOf(today.year + 1, 12, 31), &own});
    for (const std::string& note : s.notes) c.out << cp932ToUtf8(note) << "\n";
    c.out << "here: " << s.here.added << " added, " << s.here.changed << " changed, " << s.here.deleted << " deleted; server: "
          << s.server.added << " added, " << s.server.changed << " changed, " << s.server.deleted << " deleted; " << s.conflicts
          << " conflicts\n";
    if (!s.ok) return fail(c, "sync incomplete: " + cp932ToUtf8(s.problem));
    return 0;
}
#endif

int commandLunar(Context& c) {
    if (c.args.positional.size() != 3) return fail(c, "lunar needs FROM TO years");
    const auto from = parseNumber(c.args.positional[1], kFirstYear, kLastYear);
    const auto to = parseNumber(c.args.positional[2], kFirstYear, kLastYear);
    if (!from || !to || *to < *from) return fail(c, "lunar needs years FROM <= TO within 1582..9999");
    CalendarDate d(*from, *from == kFirstYear ? 10 : 1, *from == kFirstYear ? 15 : 1);
    std::string out;
    do {
        out += formatIsoDate(d.year(), d.month(), d.day()) + "\t";
        LunarDate lunar;
        if (lunarDateOf(d.year(), d.month(), d.day(), lunar)) {
            if (lunar.leap) out += 'L';
            out += std::to_string(lunar.month);
            out += '-';
            out += std::to_string(lunar.day);
            out += '\t';
            out += cp932ToUtf8(rokuyoName(rokuyoOf(d.year(), d.month(), d.day())));
            out += '\n';
        } else {
            out += "-\t-\n";
        }
    } while (d.nextDay() != 0 && d.year() <= *to);
    c.out << out;
    return 0;
}

#ifdef TAVO_PDF
const std::string kWeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};

std::optional<Paper> paperOption(const Context& c) {
    const auto it = c.args.options.find("--paper");
    if (it == c.args.options.end()) return Paper::A4;
    for (int p = 0; p < kPaperCount; ++p)
        if (it->second == paperName(static_cast<Paper>(p))) return static_cast<Paper>(p);
    return std::nullopt;
}

// What was asked, from its words: "" or what is wrong.
std::string printRequestOf(const Context& c, PrintWhat& what, LocalDate& date, RangeViewSettings& range) {
    const std::string& kind = c.args.positional[1];
    const std::string& when = c.args.positional[2];
    range = {kRangeMonth, 0, 0};  // the date's month unless --type says otherwise
    if (kind == "month") {
        const auto month = parseMonth(when);
        if (!month) return "not a month between 1582-10 and 9999-12: " + when;
        what = PrintWhat::Month, date = *month;
    } else if (kind == "year") {
        const auto year = parseNumber(when, kFirstYear + 1, kLastYear);
        if (!year) return "not a year within 1583..9999: " + when;
        what = PrintWhat::Year, date = {*year, 1, 1};
    } else if (kind == "range") {
        const auto day = parseIsoDate(when);
        if (!day) return "not a date between 1582-10-15 and 9999-12-31: " + when;
        what = PrintWhat::Range, date = *day;
        return rangeOptions(c, range);
    } else {
        return "print needs month, year or range";
    }
    return {};
}

int commandPrint(Context& c) {
    if (c.args.positional.size() != 3) return fail(c, "print needs month YYYY-MM, year YYYY or range YYYY-MM-DD");
    const auto output = c.args.options.find("-o");
    if (output == c.args.options.end()) return fail(c, "print needs -o FILE.pdf");
    const auto paper = paperOption(c);
    if (!paper) return fail(c, "--paper is one of A4, A3, B5, B4, Letter: " + c.args.options.at("--paper"));
    int margin = 10;
    if (const auto it = c.args.options.find("--margin"); it != c.args.options.end()) {
        const auto value = parseNumber(it->second, 0, 50);
        if (!value) return fail(c, "--margin is 0..50 millimetres: " + it->second);
        margin = *value;
    }
    PrintWhat what{};
    LocalDate date{};
    RangeViewSettings range{};
    if (const std::string problem = printRequestOf(c, what, date, range); !problem.empty()) return fail(c, problem);
    constexpr int kDpi = 720;  // device units of a tenth of a point: no rounding a reader would see
    const Sheet sheet = wholeSheet(*paper, hasFlag(c, "--landscape"), kDpi);
    const Model model(c);
    DesignSet design{};
    resetDesignSet(design, printsInRangeDesign(what) ? kRangeViewDesign : kCalendarDesign, {20, 16});
    PdfDocument pdf(output->second, sheet, std::string("Tavo ").append(c.args.positional[1]).append(" ").append(c.args.positional[2]));
    if (!pdf.ok()) return fail(c, "cannot write " + output->second);
    const JapaneseLocale locale;
    const PrintRequest request{what, date.year, date.month, date.day, {hasFlag(c, "--monday"), false}, range, model.rangeFormats, locale, kWeekdayNames};
    for (const std::vector<PaintOp>& page : planPrintJob(request, model.sources(), design, contentArea(sheet, margin), kDpi, pdf.measure(design)))
        pdf.addPage(page, design, !hasFlag(c, "--mono"));
    if (!pdf.finish()) return fail(c, "cannot write " + output->second);
    return 0;
}
#endif

// The table of --holidays-table (refused: an error), else syukujitsu.csv of --dir
// (refused: the law, said once on standard error).
std::string loadHolidayTable(Context& c) {
    const auto given = c.args.options.find("--holidays-table");
    const std::string path = given != c.args.options.end() ? utf8ToCp932(given->second) : joinPath(c.folder, kHolidayTableFile);
    if (given == c.args.options.end() && !c.args.options.count("--dir")) return {};
    const FileContent content = NativeFileSystem().readFile(path);
    if (!content.opened) return given != c.args.options.end() ? "cannot read " + given->second : std::string();
    HolidayTableRead read = parseHolidayTable(content.content);
    if (!read.table && given != c.args.options.end()) return given->second + ": " + cp932ToUtf8(read.problem);
    if (!read.table) c.err << "tavocal: " << cp932ToUtf8(path) << ": " << cp932ToUtf8(read.problem) << "; the law's holidays are used\n";
    useHolidayTable(std::move(read.table));
    return {};
}

const std::map<std::string, std::function<int(Context&)>>& commands() {
    static const std::map<std::string, std::function<int(Context&)>> table = {
        {"day", commandDay},
        {"format", commandFormat},
        {"holidays", commandHolidays},
        {"ics-export", commandIcsExport},
        {"ics-import", commandIcsImport},
        {"lunar", commandLunar},
        {"month", commandMonth},
#ifdef TAVO_PDF
        {"print", commandPrint},
#endif
        {"range", commandRange},
        {"reminders", commandReminders},
        {"search", commandSearch},
        {"sekki", commandSekki},
#ifdef TAVO_SYNC
        {"sync", commandSync},
#endif
    };
    return table;
}

// A command's lines of the usage (its own and the indented ones after it); empty when there is no such command.
std::string commandUsage(const std::string& name) {
    std::string found;
    bool inside = false;
    std::string_view rest(kUsage);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        const bool continuation = line.starts_with("      ");
        if (!continuation) inside = line.starts_with("  " + name + " ");
        if (inside) found.append(line);
    }
    return found;
}

// --help, -h, help and help COMMAND: the usage on the standard output.
bool isHelp(const std::vector<std::string>& words) {
    return !words.empty() && (words[0] == "--help" || words[0] == "-h" || words[0] == "help") && words.size() <= 2;
}

int help(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.size() == 1) {
        out << kUsage;
        return 0;
    }
    const std::string lines = commandUsage(words[1]);
    if (lines.empty()) {
        err << "tavocal: no command " << words[1] << "\n" << kUsage;
        return kUsageError;
    }
    out << "usage: tavocal " << words[1] << " ...\n" << lines;
    return 0;
}

}  // namespace

int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.size() == 1 && words[0] == "--version") {
        out << "tavocal " TAVO_VERSION_TEXT "\n";
        return 0;
    }
    if (isHelp(words)) return help(words, out, err);
    Context c{{}, out, err, {}, {}};
    const std::string parseError =
        parseArgs(words, {"--today", "--dir", "--type", "--before", "--after", "--part", "--sel", "--url", "--user", "--from", "--to", "--paper", "--margin", "-o", "--check", "--holidays-table"},
                  {"--monday", "--holidays", "--landscape", "--mono"}, c.args);
    if (!parseError.empty()) return fail(c, parseError);
    if (const std::string folderError = checkDataFolder(c); !folderError.empty()) return fail(c, folderError);
    if (c.args.positional.empty()) {
        err << kUsage;
        return kUsageError;
    }
    const auto command = commands().find(c.args.positional[0]);
    if (command == commands().end()) {
        err << kUsage;
        return kUsageError;
    }
    FixedClock fixed({});
    if (const auto today = c.args.options.find("--today"); today != c.args.options.end()) {
        const auto date = parseIsoDate(today->second);
        if (!date) return fail(c, "--today needs a date YYYY-MM-DD: " + today->second);
        fixed.set(*date);
        setClock(&fixed);
    }
    if (const std::string tableError = loadHolidayTable(c); !tableError.empty()) return fail(c, tableError);
    const int status = command->second(c);
    setClock(nullptr);
    useHolidayTable(nullptr);
    for (const std::string& problem : c.files.problems) c.err << "tavocal: cannot read " << problem << "\n";
    return status == 0 && !c.files.problems.empty() ? kUsageError : status;
}

}  // namespace tavo::cli
