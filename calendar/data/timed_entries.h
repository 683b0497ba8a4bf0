// Lines that start with a time of day ("14:30 歯医者", "10:00～11:00 会議",
// "9時 朝礼", "９時半 打ち合わせ"; not "会議 14:00"): the timed entries that
// reminders are made of. The files stay as written; this only reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_sources.h"

namespace tavo {

struct TimedLine {
    int start = 0;             // minutes after midnight, 0..1439
    int end = -1;              // minutes after midnight, or -1 without an end
    bool endsNextDay = false;  // the end is before the start: it is on the next day
    std::string title;         // CP932, without the time and the blanks after it
    friend bool operator==(const TimedLine&, const TimedLine&) = default;
};

// The time a line starts with: H:MM or HH:MM (ASCII or full-width digits and
// colon), HH時MM分, HH時半 or HH時; then, optionally, an end after ～, -, －
// or ~.
// Nothing for any other line, and for a time inside the text.
std::optional<TimedLine> parseTimedLine(std::string_view cp932);

struct TimedEntry {
    int serial;       // the day
    ScheduleKind kind;  // the file it comes from
    TimedLine time;
    friend bool operator==(const TimedEntry&, const TimedEntry&) = default;
};

// The timed entries of a day from every schedule that falls on it (the day's
// own, every year, every month — after its move off closed days —, every
// week), by start time; entries of the same minute keep file order.
std::vector<TimedEntry> timedEntriesOf(const DataSources& sources, int year, int month, int day);

}  // namespace tavo
