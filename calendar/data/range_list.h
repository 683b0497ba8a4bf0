// The lines of the range view: for each day of a span, a date header and the
// data of that day from every source, then the memo.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "month_grid.h"
#include "shared/window_settings.h"

namespace tavo {

struct DateFormatSet;
class LocaleInfo;

// The lines live in one buffer: a list of thousands of lines costs no
// allocation per line. Lines are kept as written; whoever shows one expands
// its tabs (expandTabs), which lines() does for tests and tools.
class RangeList {
public:
    std::size_t size() const { return ends_.size(); }
    std::string_view line(std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(start, ends_[i] - start);
    }
    static bool isHeader(std::string_view line) { return !line.empty() && line[0] == ':'; }
    std::vector<std::string> lines() const;  // copies with tabs expanded, for tests and tools

    // Building: text() grows the line being written, endLine() closes it.
    void clear() {  // keeps the buffers
        text_.clear();
        ends_.clear();
        firstLine = 0;
        selectedLine = -1;
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        text_.reserve(bytes);
        ends_.reserve(lines);
    }
    std::string& text() { return text_; }
    void endLine() { ends_.push_back(static_cast<std::uint32_t>(text_.size())); }
    void addLine(std::string_view line) {
        text_ += line;
        endLine();
    }

    int firstLine = 0;      // header of the first day on or after the selected one
    int selectedLine = -1;  // header of the selected day, -1 when it has no data

private:
    std::string text_;  // CP932; headers start with ':'
    std::vector<std::uint32_t> ends_;
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
