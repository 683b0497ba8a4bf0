#include "icalendar_import.h"

#include <algorithm>
#include <map>
#include <cstdlib>
#include <set>
#include <tuple>

#include "icalendar_parts.h"
#include "section_file.h"
#include "timed_entries.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

using namespace ics;

// --- Components ---

// Real zones list a few dozen changes at most; more would only make every
// time of the file slow to place.
constexpr std::size_t kMostObservances = 100;

struct Reader {
    std::map<std::string, int> zoneIds;  // TZID -> index of calendar.zones, or kIcsJapanTime
    IcsCalendar calendar;

    void readZones(const std::vector<std::string>& lines) {
        std::string tzid;
        IcsZone zone;
        IcsObservance observance;
        ContentLine line;
        for (const std::string& text : lines) {
            if (!parseLine(text, line)) continue;
            const std::string value = upper(line.value);
            Written w;
            if (line.name == "BEGIN" && value == "VTIMEZONE") tzid.clear(), zone = IcsZone{};
            else if (line.name == "TZID") tzid = line.value;
            else if (line.name == "BEGIN" && (value == "STANDARD" || value == "DAYLIGHT")) observance = IcsObservance{};
            else if (line.name == "DTSTART" && parseWritten(line.value, w)) observance.onset = w.minutes;
            else if (line.name == "TZOFFSETFROM") observance.offsetFrom = offsetMinutes(line.value);
            else if (line.name == "TZOFFSETTO") observance.offsetTo = offsetMinutes(line.value);
            else if (line.name == "RRULE") observance.rule = upper(line.value);
            else if (line.name == "RDATE") addDates(line.value, observance.dates);
            else if (line.name == "END" && (value == "STANDARD" || value == "DAYLIGHT") && zone.observances.size() < kMostObservances)
                zone.observances.push_back(observance);
            else if (line.name == "END" && value == "VTIMEZONE" && !tzid.empty() && !zoneIds.count(tzid)) {
                zoneIds[tzid] = static_cast<int>(calendar.zones.size());
                calendar.zones.push_back(std::move(zone));
            }
        }
        for (const char* japan : {"Asia/Tokyo", "Tokyo Standard Time"}) zoneIds[japan] = kIcsJapanTime;
    }

    static void addDates(std::string_view list, std::vector<Minutes>& dates) {
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            Written w;
            if (dates.size() < kMostObservances && parseWritten(list.substr(0, comma), w)) dates.push_back(w.minutes);
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
    }

    // The zone a time is written in: its TZID's, Japan's for a floating time
    // or a zone the file does not describe.
    int zoneOf(const ContentLine& line) const {
        const auto tzid = line.parameters.find("TZID");
        if (tzid == line.parameters.end()) return kIcsJapanTime;
        const auto id = zoneIds.find(tzid->second);
        return id != zoneIds.end() ? id->second : kIcsJapanTime;
    }

    // A date or time of an event: false when it cannot be used. A value that
    // is no date makes the file unreadable; a date outside 1583..9999 or one
    // no calendar has leaves the event out.
    bool readDate(const ContentLine& line, std::string_view value, Written& w) {
        if (parseWritten(value, w)) return true;
        if (!writtenShape(value)) unreadable(line);
        else outside_ = true;
        return false;
    }

    bool moment(const ContentLine& line, std::string_view value, IcsMoment& out) {
        Written w;
        if (!readDate(line, value, w)) return false;
        out = japanMoment(w, frameOf(calendar, zoneOf(line)));
        return true;
    }

    void unreadable(const ContentLine& line) {
        if (calendar.problem.empty()) calendar.problem = "a date it cannot read: " + (line.name + ":" + line.value).substr(0, 80);
    }

    void take(IcsEvent& e, const ContentLine& line) {
        IcsMoment at;
        Written w;
        if (line.name == "UID") e.uid = line.value;
        else if (line.name == "SUMMARY") e.summary = unescapeText(line.value);
        else if (line.name == "DESCRIPTION") e.description = unescapeText(line.value);
        else if (line.name == "RRULE") takeRule(e, line);
        else if (line.name == "STATUS") e.cancelled = upper(line.value) == "CANCELLED";
        else if (line.name == "SEQUENCE") e.sequence = std::atoi(line.value.c_str());
        else if (line.name == "DTSTART" && readDate(line, line.value, w)) {
            e.zone = w.utc ? kIcsUniversalTime : zoneOf(line);
            e.wallStart = w.wholeDay ? IcsMoment{serialDayAt(w.minutes), -1} : momentOfMinutes(w.minutes);
            e.start = japanMoment(w, frameOf(calendar, e.zone));
        } else if (line.name == "DTEND" && moment(line, line.value, at)) e.end = at;
        else if (line.name == "DURATION") e.end = plusMinutes(e.start, durationMinutes(line.value));
        else if (line.name == "RECURRENCE-ID" && moment(line, line.value, at)) {
            e.recurrenceId = at;
            e.hasRecurrenceId = true;
        } else if (line.name == "EXDATE") {
            std::string_view list = line.value;
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                if (moment(line, list.substr(0, comma), at)) e.excluded.push_back(at);
                list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
            }
        }
    }

    void takeRule(IcsEvent& e, const ContentLine& line) {
        e.rule = upper(line.value);
        const std::size_t until = e.rule.find("UNTIL=");
        if (until == std::string::npos) return;
        const std::string_view value = std::string_view(e.rule).substr(until + 6);
        Written w;
        readDate(line, value.substr(0, value.find(';')), w);
    }

    void readEvents(const std::vector<std::string>& lines) {
        ContentLine line;
        IcsEvent event;
        bool inEvent = false, sawCalendar = false;
        int inside = 0;  // depth of components inside the event (VALARM): their properties are not the event's
        for (const std::string& text : lines) {
            if (!parseLine(text, line)) {
                calendar.problem = "a line that is not NAME:VALUE: " + text.substr(0, 60);
                return;
            }
            if (line.name == "BEGIN" && upper(line.value) == "VCALENDAR") sawCalendar = true;
            if (inEvent && line.name == "BEGIN" && upper(line.value) != "VEVENT") ++inside;
            else if (inside > 0 && line.name == "END") --inside;
            else if (inside > 0) continue;
            else if (line.name == "BEGIN" && upper(line.value) == "VEVENT") {
                event = IcsEvent{};
                inEvent = true;
                outside_ = false;
            } else if (line.name == "END" && upper(line.value) == "VEVENT") {
                if (outside_) ++calendar.skipped;
                else if (event.start.serial > 0) addEvent(std::move(event));
                inEvent = false;
            } else if (inEvent) {
                take(event, line);
            }
            if (!calendar.problem.empty()) return;
        }
        if (!sawCalendar) calendar.problem = "no VCALENDAR";
    }

    // Of two overrides of the same occurrence, the one with the higher
    // SEQUENCE holds, and of equal ones the later in the file.
    void addEvent(IcsEvent&& e) {
        if (e.hasRecurrenceId) {
            const auto key = std::make_tuple(e.uid, e.recurrenceId.serial, e.recurrenceId.minute);
            const auto known = overrides_.find(key);
            if (known != overrides_.end()) {
                IcsEvent& old = calendar.events[known->second];
                if (e.sequence >= old.sequence) old = std::move(e);
                return;
            }
            overrides_[key] = calendar.events.size();
        }
        calendar.events.push_back(std::move(e));
    }

private:
    bool outside_ = false;  // the event being read has a date outside what the calendar knows
    std::map<std::tuple<std::string, int, int>, std::size_t> overrides_;
};

// Days of the event's occurrences firstSerial..lastSerial, in its own time: a
// series repeats on the days and at the wall-clock time of its zone.
std::vector<int> occurrenceDays(const IcsEvent& e, const Frame& frame, int firstSerial, int lastSerial) {
    IcsRule written;
    if (e.rule.empty() || !parseRule(e.rule, written)) return {e.wallStart.serial};
    if (written.rule.hasUntil && written.until.utc && e.wallStart.minute >= 0)
        written.rule.until = serialDayAt(localOf(frame, written.until.minutes));
    return ruleDays(written.rule, e.wallStart.serial, firstSerial, lastSerial);
}

// An occurrence on a day of the event's own time, in Japan time.
IcsMoment occurrenceStart(const IcsEvent& e, const Frame& frame, int day) {
    if (e.wallStart.minute < 0) return {day, -1};
    return momentOfMinutes(utcOf(frame, minutesAt(day, e.wallStart.minute)) + kJapan);
}

std::string clock(int minute) {
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
    return text;
}

// Tavo's own schedules carry their whole text in the description, first line
// first: a schedule of several lines comes back whole.
bool wholeTextInDescription(const IcsEvent& e) {
    const bool own = e.uid.size() > 5 && e.uid.compare(e.uid.size() - 5, 5, "@tavo") == 0;
    if (!own || e.description.size() <= e.summary.size()) return false;
    if (e.description.rfind(e.summary + "\n", 0) == 0) return true;
    // A timed entry: its first line is its time and then its summary.
    const std::string first = utf8ToCp932(std::string_view(e.description).substr(0, e.description.find('\n')));
    const std::optional<TimedLine> timed = parseTimedLine(first);
    return timed && cp932ToUtf8(timed->title) == e.summary;
}

// whole: wholeTextInDescription(e), worked out once per event.
std::string occurrenceText(const IcsEvent& e, const IcsMoment& start, bool whole) {
    if (whole) return e.description;
    if (start.minute < 0) return e.summary;
    const Minutes length = e.end.serial > 0 && e.end.minute >= 0
                            ? minutesAt(e.end.serial, e.end.minute) -
                                  minutesAt(e.start.serial, e.start.minute)
                            : 0;
    std::string text = clock(start.minute);
    // U+FF5E, which Shift-JIS holds (an en dash it does not); the literal is spelled in UTF-8.
    if (length > 0) text.append("\xEF\xBD\x9E").append(clock(static_cast<int>((start.minute + length) % kMinutesPerDay)));
    return text + " " + e.summary;
}

// An all-day event of several days is on each of them.
int dayCount(const IcsEvent& e) {
    if (e.start.minute >= 0 || e.end.serial <= e.start.serial) return 1;
    return std::min(e.end.serial - e.start.serial, 366);
}

// Adds the characters of a UTF-8 text that do not come back from code page 932 unchanged (each once).
void collectUnstorable(std::string_view utf8, std::string& out) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view one = utf8.substr(i, n);
        if (one != "\n" && cp932ToUtf8(utf8ToCp932(one)) != withCp932Forms(one) && out.find(one) == std::string::npos)
            out.append(one);
        i += n;
    }
}

bool excluded(const IcsEvent& e, int serial) {
    return std::any_of(e.excluded.begin(), e.excluded.end(), [&](const IcsMoment& m) { return m.serial == serial; });
}

// A line as the file will hold it (a leading ':' made full-width, a lone CR
// or LF a line end): what is compared with the lines already there.
std::vector<std::string> storedLines(const std::string& line) {
    std::vector<std::string> out;
    const std::string body = sectionBody(line);
    for (std::string_view l : fileLines(body)) out.emplace_back(lineContent(l));
    return out;
}

// The day's section with the lines it lacks; false when it had them all.
bool addLines(std::string& content, int day, const std::vector<std::string>& lines, int& added) {
    std::string text = readSection(content, day);
    std::set<std::string> present;
    for (std::string_view l : fileLines(text)) present.insert(std::string(lineContent(l)));
    const int before = added;
    for (const std::string& line : lines)
        for (const std::string& stored : storedLines(line))
            if (!stored.empty() && present.insert(stored).second) {
                if (!text.empty() && text.back() != '\n') text += "\r\n";
                text += stored + "\r\n";
                ++added;
            }
    if (added == before) return false;
    content = replaceSection(content, day, sectionBody(text));
    return true;
}

// Control characters but tab have no place in a day's line (and a NUL would
// end it for every reader that stops at one).
std::string withoutControls(std::string_view utf8) {
    std::string out;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x20 ? c != 0x7F : c == '\t' || c == '\r') out += c;
    return out;
}

using DayLines = std::map<int, std::map<int, std::vector<std::string>>>;  // year*12+month -> day -> CP932 lines

// The lines each day gets, in Shift-JIS; result says what cannot be stored
// and which bound the lines pass.
DayLines linesByMonth(const std::vector<IcsOccurrence>& occurrences, IcsImport& result) {
    DayLines byMonth;
    std::size_t bytes = 0;
    for (const IcsOccurrence& o : occurrences) {
        collectUnstorable(o.text, result.unstorable);
        int y, m, d;
        civilFromSerial(o.serial, y, m, d);
        for (std::string_view text = o.text; !text.empty();) {  // a text of several lines is several lines
            const std::size_t end = text.find('\n');
            std::string line = utf8ToCp932(withoutControls(text.substr(0, end)));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() > kScheduleTextBytes && result.refused == IcsRefusal::None) {
                result.refused = IcsRefusal::LineTooLong;
                result.longLine = cp932ToUtf8(line.substr(0, cp932FitLength(line, 60)));
            }
            bytes += line.size() + 2;
            if (bytes > kMostImportedBytes && result.refused == IcsRefusal::None) result.refused = IcsRefusal::TooManyBytes;
            if (result.refused != IcsRefusal::None) return {};
            if (!line.empty()) byMonth[y * 12 + m - 1][d].push_back(line);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        }
    }
    return byMonth;
}

}  // namespace

IcsCalendar readICalendar(std::string_view text) {
    Reader reader;
    const std::vector<std::string> lines = unfoldedLines(text);
    reader.readZones(lines);
    reader.readEvents(lines);
    return std::move(reader.calendar);
}

namespace {

// Occurrences of the events on the days of a span, told to progress as they
// grow, bounded in number. An all-day event of several days that repeats
// covers each day once, however often its occurrences overlap there.
class Expansion {
public:
    Expansion(const IcsCalendar& calendar, int firstSerial, int lastSerial, const IcsProgress& progress, IcsWork& work)
        : calendar_(calendar), first_(firstSerial), last_(lastSerial), progress_(progress), work_(work) {
        for (const IcsEvent& e : calendar.events)
            if (e.hasRecurrenceId) overridden_.insert({e.uid, e.recurrenceId.serial});
    }

    std::vector<IcsOccurrence> run() {
        const int events = static_cast<int>(calendar_.events.size());
        for (index_ = 0; index_ < events; ++index_) {
            if (!going()) return {};
            add(calendar_.events[static_cast<std::size_t>(index_)]);
            if (work_.stopped || work_.tooMany || work_.tooLarge) return {};
        }
        std::stable_sort(found_.begin(), found_.end(), [](const auto& a, const auto& b) {
            return a.first.serial != b.first.serial ? a.first.serial < b.first.serial : a.second < b.second;
        });
        std::vector<IcsOccurrence> out;
        out.reserve(found_.size());
        for (auto& f : found_) out.push_back(std::move(f.first));
        return out;
    }

private:
    static constexpr std::size_t kToldEvery = 4096;
    // UTF-8 takes at most half again the bytes of Shift-JIS for the same text.
    static constexpr std::size_t kMostExpandedBytes = kMostImportedBytes / 2 * 3;

    bool going() {
        if (progress_ && !progress_(index_, static_cast<int>(calendar_.events.size()))) work_.stopped = true;
        return !work_.stopped;
    }

    void add(const IcsEvent& e) {
        if (e.cancelled) return;
        const Frame frame = frameOf(calendar_, e.zone);
        const int length = dayCount(e);
        std::vector<IcsMoment> starts;
        if (e.hasRecurrenceId) starts.push_back(e.start);
        else  // a day before and after for the change from the event's own time to Japan's
            for (int day : occurrenceDays(e, frame, first_ - length - 1, last_ + 1)) starts.push_back(occurrenceStart(e, frame, day));
        int covered = first_ - 1;  // the last day an all-day event already has
        const bool whole = wholeTextInDescription(e);
        for (const IcsMoment& start : starts) {
            if (excluded(e, start.serial) || (!e.hasRecurrenceId && overridden_.count({e.uid, start.serial}))) continue;
            const int from = std::max({start.serial, first_, start.minute < 0 ? covered + 1 : first_});
            const int to = std::min(start.serial + length - 1, last_);
            if (from > to) continue;
            const std::string text = occurrenceText(e, start, whole);
            const int original = e.hasRecurrenceId ? e.recurrenceId.serial : start.serial;
            for (int serial = from; serial <= to; ++serial) {
                bytes_ += text.size();
                work_.tooMany = found_.size() >= kMostImportedLines;
                work_.tooLarge = bytes_ > kMostExpandedBytes;
                if (work_.tooMany || work_.tooLarge) return;
                found_.push_back({{serial, text, original}, start.minute});
                if (found_.size() % kToldEvery == 0 && !going()) return;
            }
            if (start.minute < 0) covered = to;
        }
    }

    const IcsCalendar& calendar_;
    const int first_, last_;
    const IcsProgress& progress_;
    IcsWork& work_;
    std::set<std::pair<std::string, int>> overridden_;
    std::vector<std::pair<IcsOccurrence, int>> found_;  // with the start minute for the order
    std::size_t bytes_ = 0;
    int index_ = 0;
};

}  // namespace

std::vector<IcsOccurrence> icsOccurrences(const IcsCalendar& calendar, int firstSerial, int lastSerial,
                                          const IcsProgress& progress, IcsWork* work) {
    IcsWork own;
    return Expansion(calendar, firstSerial, lastSerial, progress, work ? *work : own).run();
}

IcsImport importICalendar(FileSystem& files, const PathSettings& paths, const IcsCalendar& calendar, int firstSerial,
                          int lastSerial, const IcsProgress& progress) {
    IcsImport result;
    IcsWork work;
    const std::vector<IcsOccurrence> occurrences = icsOccurrences(calendar, firstSerial, lastSerial, progress, &work);
    result.stopped = work.stopped;
    if (work.tooMany) result.refused = IcsRefusal::TooManyLines;
    if (work.tooLarge) result.refused = IcsRefusal::TooManyBytes;
    if (work.stopped || result.refused != IcsRefusal::None) return result;
    result.occurrences = static_cast<int>(occurrences.size());
    const DayLines byMonth = linesByMonth(occurrences, result);
    if (!result.unstorable.empty() || result.refused != IcsRefusal::None) return result;
    // One change of every month file: all land, or every file stays as it was.
    std::vector<FileEdit> edits;
    for (const auto& month : byMonth) {
        const auto& days = month.second;
        edits.push_back({scheduleFile(paths, kScheduleDay, month.first / 12, month.first % 12 + 1),
                         [&result, &days](std::string_view old) -> std::optional<std::string> {
                             std::string content(old);
                             for (const auto& [day, lines] : days)
                                 if (addLines(content, day, lines, result.added)) ++result.days;
                             if (content == old) return std::nullopt;  // what a second import finds: nothing to add
                             return content;
                         }});
    }
    // Stopping is heeded until the first file is written.
    const int events = static_cast<int>(calendar.events.size());
    bool going = true;
    result.saved = rewriteFiles(files, edits, [&] { return going = !progress || progress(events, events); });
    result.stopped = !going;
    if (!result.saved) result.added = result.days = 0;
    return result;
}

}  // namespace tavo
