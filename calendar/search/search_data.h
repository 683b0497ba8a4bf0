// The user's data as search sees it: every line of every source on the days
// of some years, read once, so each keystroke searches memory.
// Recurring schedules stand on the days they fall on (after moves off closed
// days), each day once; a day's holiday, closed-day and almanac names are
// lines of their own; the memo has no day.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/data/data_sources.h"
#include "search_text.h"

namespace tavo {

enum SearchKind : int {
    kFoundDay,
    kFoundYear,
    kFoundMonth,
    kFoundWeek,
    kFoundMemo,
    kFoundBirthday,
    kFoundAnniversary,
    kFoundHoliday,
    kSearchKinds
};
using SearchKinds = std::array<bool, kSearchKinds>;
inline constexpr SearchKinds kAllSearchKinds = {true, true, true, true, true, true, true, true};

const char* searchKindName(SearchKind kind);   // "day", "year", ... as tavocal prints them
const char* searchKindLabel(SearchKind kind);  // CP932, as the search window shows them

struct SearchYears {
    int from = 1, to = 0;  // none when to < from
    bool empty() const { return to < from; }
};
// From the first to the last year that has a day schedule file in the folder.
SearchYears yearsInFolder(const FileSystem& files, const PathSettings& paths);

struct FoundLine {
    int serial;  // 0: the memo
    SearchKind kind;
    std::string_view text;  // CP932, in the data's buffer
};

// Text that never moves once kept, so lines can point into it: whole files
// as they were read, and other lines a block at a time.
class KeptText {
public:
    std::string_view keep(std::string_view text);
    std::string_view keepFile(std::string&& content, std::size_t used);  // its first `used` bytes
    void adopt(KeptText&& other);

private:
    std::vector<std::unique_ptr<std::string>> blocks_;  // the last one filled on
    std::vector<std::unique_ptr<std::string>> files_;   // apart: a file would end the block being filled
};

class SearchData {
public:
    SearchData() = default;
    SearchData(SearchData&&) = default;  // the lines point into blocks that do not move with it
    SearchData& operator=(SearchData&&) = default;
    SearchData(const SearchData&) = delete;
    SearchData& operator=(const SearchData&) = delete;
    // Reads the years; `going` is asked between months, and false leaves the data empty.
    static SearchData read(const DataSources& sources, SearchYears years, const std::function<bool()>& going = {});
    // The days (of the kinds asked) whose lines hold every word together: their
    // lines that hold one, by day, the memo last. Empty when `going` said stop.
    std::vector<const FoundLine*> find(const SearchQuery& query, const SearchKinds& kinds,
                                       const std::function<bool()>& going = {}) const;
    std::size_t lines() const { return lines_; }

private:
    KeptText text_;
    std::vector<std::vector<FoundLine>> shares_;  // by day, a span of days each for a core, the memo last; pointing into text_
    std::size_t lines_ = 0;
};

}  // namespace tavo
