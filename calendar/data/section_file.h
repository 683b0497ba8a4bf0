// Section files: ":key" header lines, each followed by the lines of its
// schedule text, keys ascending. Lines keep their CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "path_settings.h"

namespace tavo {

class FileSystem;

// The lines of a file as readers see them: CR LF kept, a trailing 0x1A
// removed, and a line holding only 0x1A ending the file.
std::vector<std::string_view> fileLines(std::string_view content);
bool isHeaderLine(std::string_view line);
// A line without its CR LF.
std::string_view lineContent(std::string_view line);
// Leading blanks and one sign skipped, digits up to the first other byte; 0 without digits.
int headerKey(std::string_view line);

std::string readSection(std::string_view content, int key);
// The file content with the section of key replaced by text (removed when
// text is empty); everything else stays byte for byte.
std::string replaceSection(std::string_view content, int key, std::string_view text);
// A schedule text as stored: lines that would read as headers get a
// full-width colon, and the last line ends with CR LF.
std::string sectionBody(std::string_view text);
std::string memoContent(std::string_view text);

// The section key of a date for a kind: the weekday for every-week, else the day.
int sectionKey(ScheduleKind kind, int year, int month, int day);

// Whole-file operations through the file system. Writes return false when
// nothing could be saved; the old file is then untouched.
std::string readScheduleText(const FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year,
                             int month, int day);
bool writeScheduleText(FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year, int month, int day,
                       std::string_view text);
// Replaces a file, or removes it when the new content is empty.
bool storeFile(FileSystem& files, const std::string& path, std::string_view content);

}  // namespace tavo
