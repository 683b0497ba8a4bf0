// Section files: ":key" header lines, each followed by the lines of its
// schedule text, keys ascending. Lines keep their CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "path_settings.h"
#include "shared/file_system.h"

namespace tavo {

// A line beginning with ':' ends the section before it.
bool isHeaderLine(std::string_view line);
// A header with a key: ':', blanks, an optional sign and at least one digit.
bool isSectionHeader(std::string_view line);

// One section of a file: its header line and the lines up to the next line
// beginning with ':' (indexes into fileLines). Sections keep file order,
// whatever it is; a key may appear more than once.
struct SectionSpan {
    int key;
    std::size_t header, end;
};
std::vector<SectionSpan> sectionSpans(const std::vector<std::string_view>& lines);
// The keys of the sections, in file order: what the month grid marks.
std::vector<int> sectionKeys(std::string_view content);
// Leading blanks and one sign skipped, digits up to the first other byte; 0 without digits.
int headerKey(std::string_view line);

// The text of every section of the key, in file order, as one text.
std::string readSection(std::string_view content, int key);
// The file content with the sections of key replaced by one holding text
// (removed when text is empty); every other line stays byte for byte in its place.
std::string replaceSection(std::string_view content, int key, std::string_view text);
// A schedule text as stored: lines that would read as headers get a
// full-width colon, and the last line ends with CR LF.
std::string sectionBody(std::string_view text);
std::string memoContent(std::string_view text);

// The section key of a date for a kind: the weekday for every-week, else the day.
int sectionKey(ScheduleKind kind, int year, int month, int day);

// A schedule text holds at most this many bytes as stored. An edit that makes
// a text longer is refused; a longer text read from a file can still shrink.
inline constexpr std::size_t kScheduleTextBytes = 2000;
constexpr bool scheduleEditAllowed(std::size_t oldBytes, std::size_t newBytes) {
    return newBytes <= kScheduleTextBytes || newBytes <= oldBytes;
}

// What a data window shows: the text, and whether the file could be read
// whole (when not, saving will fail and the window should say why).
struct ScheduleText {
    std::string text;
    bool writable = true;
    std::string problem;
};

// Whole-file operations through the file system. A write fails, and leaves
// the file as it is, when the file could not be read whole or not be replaced.
ScheduleText readScheduleText(const FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year,
                              int month, int day);
SaveResult writeScheduleText(FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year, int month,
                             int day, std::string_view text);

// Where a data window's text lives: the file it was read from and its
// section (the memo: the whole file). A window keeps it when the folder
// setting changes, so that it saves where it read.
struct SchedulePlace {
    std::string path;
    ScheduleKind kind = kScheduleDay;
    int key = 0;
};
SchedulePlace schedulePlace(const PathSettings& paths, ScheduleKind kind, int year, int month, int day);
ScheduleText readScheduleText(const FileSystem& files, const SchedulePlace& place);

struct ScheduleSave {
    SaveResult saved;
    std::string text;       // what the section holds now (CP932)
    bool merged = false;    // the file had changed since the window read it: that change is kept too
    bool conflict = false;  // both changed the same lines: both kept, the other's marked
};
// Saves the text `mine` of a window that read `base` there; a change made to
// the section since (an import, an outside editor) is merged in, never lost.
ScheduleSave saveScheduleText(FileSystem& files, const SchedulePlace& place, std::string_view base, std::string_view mine);

}  // namespace tavo
