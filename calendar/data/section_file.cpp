#include "section_file.h"

#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr char kFullWidthColon[] = "\x81\x46";  // "：" in CP932

bool endsWithLineFeed(std::string_view text) { return !text.empty() && text.back() == '\n'; }

}  // namespace

std::vector<std::string_view> fileLines(std::string_view content) {
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end == std::string_view::npos ? content.size() : end + 1);
        content.remove_prefix(line.size());
        if (lineContent(line) == std::string_view(&kEndOfFile, 1)) break;
        if (!line.empty() && line.back() == kEndOfFile) line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

bool isHeaderLine(std::string_view line) { return !line.empty() && line[0] == ':'; }

std::string_view lineContent(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

int headerKey(std::string_view line) {
    std::size_t i = 1;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    long long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i)
        if (value < 100000000) value = value * 10 + (line[i] - '0');
    return static_cast<int>(negative ? -value : value);
}

std::string readSection(std::string_view content, int key) {
    std::string text;
    bool inside = false;
    for (std::string_view line : fileLines(content)) {
        if (isHeaderLine(line)) {
            if (inside) break;
            const int k = headerKey(line);
            if (k > key) break;
            inside = k == key;
            continue;
        }
        if (inside) text += line;
    }
    return text;
}

std::string sectionBody(std::string_view text) {
    std::string body;
    body.reserve(text.size() + 2);
    bool lineStart = true;
    for (char c : text) {
        if (c == kEndOfFile) continue;  // it would end the file for every reader
        if (lineStart && c == ':') body += kFullWidthColon;
        else body += c;
        lineStart = c == '\n';
    }
    if (!endsWithLineFeed(body)) body += "\r\n";
    return body;
}

std::string replaceSection(std::string_view content, int key, std::string_view text) {
    std::string out;
    out.reserve(content.size() + text.size() + 16);
    const std::vector<std::string_view> lines = fileLines(content);
    std::size_t i = 0;
    bool skipping = false;
    for (; i < lines.size(); ++i) {
        if (isHeaderLine(lines[i])) {
            const int k = headerKey(lines[i]);
            if (k > key) break;
            if (k == key) skipping = true;
        }
        if (!skipping) out += lines[i];
    }
    if (!text.empty()) {
        if (!out.empty() && !endsWithLineFeed(out)) out += "\r\n";  // a hand-edited last line
        // Appended piece by piece: "literal" + std::string trips GCC 12's -Wrestrict at -O3.
        out += ':';
        out += std::to_string(key);
        out += "\r\n";
        out += sectionBody(text);
    }
    for (; i < lines.size(); ++i) out += lines[i];
    return out;
}

std::string memoContent(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != kEndOfFile) out += c;
    if (!out.empty() && !endsWithLineFeed(out)) out += "\r\n";
    return out;
}

int sectionKey(ScheduleKind kind, int year, int month, int day) {
    return kind == kScheduleEveryWeek ? weekdayOf(year, month, day) : day;
}

std::string readScheduleText(const FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year,
                             int month, int day) {
    const FileContent file = files.readFile(scheduleFile(paths, kind, year, month));
    if (!file.opened) return {};
    if (kind == kScheduleMemo) {
        std::string text = file.content;
        while (!text.empty() && text.back() == kEndOfFile) text.pop_back();
        return text;
    }
    return readSection(completeLines(file), sectionKey(kind, year, month, day));
}

bool storeFile(FileSystem& files, const std::string& path, std::string_view content) {
    if (content.empty()) return files.removeFile(path);
    return files.replaceFile(path, content);
}

bool writeScheduleText(FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year, int month, int day,
                       std::string_view text) {
    const std::string path = scheduleFile(paths, kind, year, month);
    if (kind == kScheduleMemo) return storeFile(files, path, memoContent(text));
    const FileContent old = files.readFile(path);
    if (old.opened && !old.complete) return false;  // never rewrite a file we could not read whole
    return storeFile(files, path, replaceSection(old.content, sectionKey(kind, year, month, day), text));
}

}  // namespace tavo
