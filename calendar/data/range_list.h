// The lines of the range view: for each day of a span, a date header and the
// data of that day from every source, then the memo.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data_sources.h"
#include "shared/window_settings.h"

namespace tavo {

struct DateFormatSet;
class LocaleInfo;

// A line of the list: a day's header (with the day's kind and mark) or a
// line of its data.
struct RangeLine {
    std::string_view text;
    bool header = false;
    int dayKind = 0;  // header: 0 weekday, 1 Sunday, 2 Saturday, 3 holiday, 4 substitute holiday, 5 closed
    int mark = 0;     // header: 0 none, 1 a day off, 2 a day off that is closed anyway
};

// The printed form of a line (the command line, tests): a header is
// ":<kind><mark>" and its text, the mark a letter from 'A'.
void appendPrintedLine(std::string& out, const RangeLine& line);

// The lines live in one buffer: a list of thousands of lines costs no
// allocation per line. Lines are kept as written; whoever shows one expands
// its tabs (expandTabs), which lines() does for tests and tools.
class RangeList {
public:
    std::size_t size() const { return ends_.size(); }
    RangeLine line(std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        const std::uint8_t kind = kinds_[i];
        return {std::string_view(text_).substr(start, ends_[i] - start), (kind & kHeader) != 0, (kind >> 2) & 7, kind & 3};
    }
    std::vector<std::string> lines() const;  // printed forms with tabs expanded, for tests and tools
    // The serial day a line belongs to (its header's); 0 for the memo.
    int serial(std::size_t i) const { return serials_[i]; }

    // Building: text() grows the line being written, endLine() closes it.
    void clear() {  // keeps the buffers
        text_.clear();
        ends_.clear();
        kinds_.clear();
        serials_.clear();
        firstLine = 0;
        selectedLine = -1;
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        text_.reserve(bytes);
        ends_.reserve(lines);
        kinds_.reserve(lines);
        serials_.reserve(lines);
    }
    std::string& text() { return text_; }
    void endLine() {
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
        kinds_.push_back(0);
        serials_.push_back(serials_.empty() ? 0 : serials_.back());
    }
    // serial: the day the header and the lines after it belong to (0: none, the memo).
    void endHeader(int dayKind, int mark, int serial = 0) {
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
        kinds_.push_back(static_cast<std::uint8_t>(kHeader | (dayKind & 7) << 2 | (mark & 3)));
        serials_.push_back(serial);
    }
    void addLine(std::string_view line) {
        text_ += line;
        endLine();
    }
    void addHeader(std::string_view text, int dayKind, int mark) {
        text_ += text;
        endHeader(dayKind, mark);
    }

    int firstLine = 0;      // header of the first day on or after the selected one
    int selectedLine = -1;  // header of the selected day, -1 when it has no data

private:
    static constexpr std::uint8_t kHeader = 0x80;
    std::string text_;  // CP932
    std::vector<std::uint32_t> ends_;
    std::vector<std::uint8_t> kinds_;  // kHeader | day kind << 2 | mark; 0 for data
    std::vector<int> serials_;
};

struct RangeRequest {
    int year, month, day;  // the selected date
    RangeViewSettings range;
    bool mondayFirst;      // week of the range view
    bool memoInEnglish;    // ":5AMemo" rather than ":5Aメモ"
    const DateFormatSet& formats;  // the range view's group
    const LocaleInfo& locale;
    std::function<void()> birthdayToday;  // called when a birthday of today is listed
    bool almanac;  // a listed day's solar term and 雑節 in a line under its header
};

struct DateSpan {
    int firstSerial, lastSerial;
};

inline constexpr int kMaxRangeDays = 99;  // days before and after, as the options allow

DateSpan rangeSpan(int year, int month, int day, const RangeViewSettings& range, bool mondayFirst);
RangeList collectRange(const RangeRequest& request, const DataSources& sources);

// Collects again and again into the same list, keeping the buffers of the
// files read and of the list: the view collects at every move of the date.
class RangeCollector {
public:
    RangeCollector();
    ~RangeCollector();
    RangeCollector(const RangeCollector&) = delete;
    RangeCollector& operator=(const RangeCollector&) = delete;
    // Replaces list with the list of request.
    void collect(const RangeRequest& request, const DataSources& sources, RangeList& list);

private:
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};
// True when the list collectRange would give holds a data line.
bool rangeHasData(const RangeRequest& request, const DataSources& sources);

// The whole list as text: header lines without their three code characters,
// every line ending in CR LF (what the range view copies).
std::string rangeListText(const RangeList& list);

// Tabs to blanks at columns of 8; a double-byte character counts two columns.
std::string expandTabs(std::string_view line);
void appendExpandingTabs(std::string& out, std::string_view line);

}  // namespace tavo
