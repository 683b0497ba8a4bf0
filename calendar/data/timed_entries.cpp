#include "timed_entries.h"

#include <algorithm>

#include "calendar/calc/closed_days.h"
#include "recurrence.h"
#include "section_file.h"
#include "shared/date_math.h"
#include "shared/file_system.h"
#include "shared/window_settings.h"

namespace tavo {
namespace {

// Reads from the front of a CP932 text, a character at a time.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool done() const { return text_.empty(); }
    std::string_view rest() const { return text_; }

    // A digit, ASCII or full-width (８); -1 when the text does not go on with one.
    int digit() {
        if (!text_.empty() && text_[0] >= '0' && text_[0] <= '9') return take(1, text_[0] - '0');
        if (text_.size() >= 2 && text_[0] == '\x82' && text_[1] >= '\x4F' && text_[1] <= '\x58')
            return take(2, text_[1] - '\x4F');
        return -1;
    }
    bool skip(std::string_view piece) {
        if (text_.substr(0, piece.size()) != piece) return false;
        text_.remove_prefix(piece.size());
        return true;
    }
    bool skipAny(std::initializer_list<std::string_view> pieces) {
        return std::any_of(pieces.begin(), pieces.end(), [&](std::string_view p) { return skip(p); });
    }
    void skipBlanks() {
        while (skipAny({" ", "\t", "\x81\x40"})) {
        }
    }

private:
    int take(std::size_t bytes, int value) {
        text_.remove_prefix(bytes);
        return value;
    }
    std::string_view text_;
};

constexpr std::string_view kHour = "\x8E\x9E", kMinute = "\x95\xAA", kHalf = "\x94\xBC";  // 時, 分, 半

// A number of one or two digits; -1 without one.
int number(Cursor& c) {
    const int first = c.digit();
    if (first < 0) return -1;
    Cursor peek = c;
    const int second = peek.digit();
    if (second < 0) return first;
    c = peek;
    return first * 10 + second;
}

// H:MM, HH:MM, HH時MM分 or HH時, minutes after midnight; -1 when the text does not start with one.
int timeOfDay(Cursor& c) {
    Cursor at = c;
    const int hour = number(at);
    if (hour < 0 || hour > 23) return -1;
    if (at.skipAny({":", "\x81\x46"})) {
        const int tens = at.digit(), ones = at.digit();
        if (tens < 0 || ones < 0 || tens > 5) return -1;
        if (at.digit() >= 0) return -1;  // 10:300 is no time
        c = at;
        return hour * 60 + tens * 10 + ones;
    }
    if (!at.skip(kHour)) return -1;
    int minute = 0;
    Cursor minutes = at;
    const int n = number(minutes);
    if (n >= 0 && n <= 59 && minutes.skip(kMinute)) minute = n, at = minutes;
    else if (at.skip(kHalf)) minute = 30;
    c = at;
    return hour * 60 + minute;
}

}  // namespace

std::optional<TimedLine> parseTimedLine(std::string_view cp932) {
    Cursor c(cp932);
    TimedLine line;
    line.start = timeOfDay(c);
    if (line.start < 0) return std::nullopt;
    Cursor end = c;
    end.skipBlanks();
    if (end.skipAny({"\x81\x60", "\x81\x7C", "-", "~"})) {
        end.skipBlanks();
        const int minute = timeOfDay(end);
        if (minute >= 0) {
            line.end = minute;
            line.endsNextDay = minute < line.start;
            c = end;
        }
    }
    if (!c.done() && c.digit() >= 0) return std::nullopt;  // more digits: a number, not a time
    c.skipBlanks();
    line.title = std::string(c.rest());
    return line;
}

namespace {

void addLines(std::vector<TimedEntry>& out, int serial, ScheduleKind kind, std::string_view section) {
    for (std::string_view line : fileLines(section))
        if (auto timed = parseTimedLine(lineContent(line))) out.push_back({serial, kind, std::move(*timed)});
}

std::string contentOf(const DataSources& s, ScheduleKind kind, int year, int month) {
    const FileContent file = s.files.readFile(scheduleFile(s.paths, kind, year, month));
    return file.opened ? std::string(completeLines(file)) : std::string();
}

}  // namespace

std::vector<TimedEntry> timedEntriesOf(const DataSources& s, int year, int month, int day) {
    std::vector<TimedEntry> out;
    const int serial = serialDayOf(year, month, day);
    const ClosedDayTest closed = [&](int d) { return monthGridClosed(s.closedDays, year, month, d); };
    const bool monthEnd = s.env.monthEndToLastDay != 0;
    addLines(out, serial, kScheduleDay, readSection(contentOf(s, kScheduleDay, year, month), day));
    for (ScheduleKind kind : {kScheduleEveryYear, kScheduleEveryMonth, kScheduleEveryMonthLater, kScheduleEveryMonthEarlier}) {
        const std::string content = contentOf(s, kind, year, month);
        std::vector<int> keys = sectionKeys(content);
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());  // readSection takes every section of a key
        for (int key : keys)
            if (effectiveDay(kind, key, year, month, monthEnd, closed) == day) addLines(out, serial, kind, readSection(content, key));
    }
    addLines(out, serial, kScheduleEveryWeek, readSection(contentOf(s, kScheduleEveryWeek, year, month), weekdayOf(year, month, day)));
    std::stable_sort(out.begin(), out.end(), [](const TimedEntry& a, const TimedEntry& b) { return a.time.start < b.time.start; });
    return out;
}

}  // namespace tavo
