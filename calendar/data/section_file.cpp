#include "section_file.h"

#include <algorithm>

#include "shared/text_merge.h"

#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr char kFullWidthColon[] = "\x81\x46";  // "：" in CP932

bool endsWithLineFeed(std::string_view text) { return !text.empty() && text.back() == '\n'; }
bool endsWithLineBreak(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

}  // namespace

bool isHeaderLine(std::string_view line) { return !line.empty() && line[0] == ':'; }

bool isSectionHeader(std::string_view line) {
    if (!isHeaderLine(line)) return false;
    std::size_t i = 1;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
    return i < line.size() && line[i] >= '0' && line[i] <= '9';
}

std::vector<SectionSpan> sectionSpans(const std::vector<std::string_view>& lines) {
    std::vector<SectionSpan> spans;
    spans.reserve(lines.size() / 2 + 1);  // a header and at least one line each, mostly
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isHeaderLine(lines[i])) continue;
        if (!spans.empty() && spans.back().end == 0) spans.back().end = i;  // any ':' line ends a section
        if (isSectionHeader(lines[i])) spans.push_back({headerKey(lines[i]), i, 0});
    }
    if (!spans.empty() && spans.back().end == 0) spans.back().end = lines.size();
    return spans;
}

std::vector<int> sectionKeys(std::string_view content) {
    std::vector<int> keys;
    for (const SectionSpan& s : sectionSpans(fileLines(content))) keys.push_back(s.key);
    return keys;
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
    const std::vector<std::string_view> lines = fileLines(content);
    std::string text;
    for (const SectionSpan& s : sectionSpans(lines)) {
        if (s.key != key) continue;
        for (std::size_t i = s.header + 1; i < s.end; ++i) {
            text += lines[i];
            if (!endsWithLineBreak(lines[i]) && i + 1 < lines.size()) text += "\r\n";  // sections would run together
        }
    }
    return text;
}

// Line ends become CR LF: a lone CR or LF would let the next line start a
// section of its own for readers that take CR or LF as a line end.
std::string sectionBody(std::string_view text) {
    std::string body;
    body.reserve(text.size() + 2);
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == kEndOfFile) continue;  // it would end the file for every reader
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            body += "\r\n";
            lineStart = true;
            continue;
        }
        if (lineStart && c == ':') body += kFullWidthColon;
        else body += c;
        lineStart = false;
    }
    if (!endsWithLineFeed(body)) body += "\r\n";
    return body;
}

// The sections of the key are the lines this write owns: the first keeps its
// header and gets the new text, the others (which the reader showed as part
// of the same text) go. A new section goes before the first larger key.
std::string replaceSection(std::string_view content, int key, std::string_view text) {
    const std::vector<std::string_view> lines = fileLines(content);
    const std::vector<SectionSpan> spans = sectionSpans(lines);
    std::vector<bool> owned(lines.size(), false);
    std::size_t insertAt = lines.size();
    bool found = false;
    for (const SectionSpan& s : spans) {
        if (s.key == key) {
            for (std::size_t i = s.header; i < s.end; ++i) owned[i] = true;
            if (!found) insertAt = s.header;
            found = true;
        } else if (!found && s.key > key && insertAt == lines.size()) {
            insertAt = s.header;
        }
    }
    std::string out;
    out.reserve(content.size() + text.size() + 16);
    const auto emitNew = [&] {
        if (text.empty()) return;
        if (!out.empty() && !endsWithLineBreak(out)) out += "\r\n";  // a hand-edited last line
        if (found) out += lines[insertAt];
        if (found && !endsWithLineBreak(out)) out += "\r\n";
        if (!found) {
            // Appended piece by piece: "literal" + std::string trips GCC 12's -Wrestrict at -O3.
            out += ':';
            out += std::to_string(key);
            out += "\r\n";
        }
        out += sectionBody(text);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == insertAt) emitNew();
        if (!owned[i]) out += lines[i];
    }
    if (insertAt == lines.size()) emitNew();
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

SchedulePlace schedulePlace(const PathSettings& paths, ScheduleKind kind, int year, int month, int day) {
    return {scheduleFile(paths, kind, year, month), kind, kind == kScheduleMemo ? 0 : sectionKey(kind, year, month, day)};
}

namespace {

std::string memoText(std::string_view content) {
    while (!content.empty() && content.back() == kEndOfFile) content.remove_suffix(1);
    return std::string(content);
}

std::string placeText(const SchedulePlace& place, std::string_view content) {
    return place.kind == kScheduleMemo ? memoText(content) : readSection(content, place.key);
}

std::string withPlaceText(const SchedulePlace& place, std::string_view content, std::string_view text) {
    return place.kind == kScheduleMemo ? memoContent(text) : replaceSection(content, place.key, text);
}

bool sameLines(std::string_view a, std::string_view b) {
    const std::vector<std::string_view> la = fileLines(a), lb = fileLines(b);
    return std::equal(la.begin(), la.end(), lb.begin(), lb.end(),
                      [](std::string_view x, std::string_view y) { return lineContent(x) == lineContent(y); });
}

}  // namespace

ScheduleText readScheduleText(const FileSystem& files, const SchedulePlace& place) {
    const FileContent file = files.readFile(place.path);
    ScheduleText out{{}, readWhole(file), file.problem};
    if (file.opened) out.text = placeText(place, completeLines(file));
    return out;
}

ScheduleText readScheduleText(const FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year,
                              int month, int day) {
    return readScheduleText(files, schedulePlace(paths, kind, year, month, day));
}

SaveResult writeScheduleText(FileSystem& files, const PathSettings& paths, ScheduleKind kind, int year, int month,
                             int day, std::string_view text) {
    const SchedulePlace place = schedulePlace(paths, kind, year, month, day);
    return rewriteFile(files, place.path, [&](std::string_view old) { return withPlaceText(place, old, text); });
}

ScheduleSave saveScheduleText(FileSystem& files, const SchedulePlace& place, std::string_view base, std::string_view mine) {
    ScheduleSave out;
    out.saved = rewriteFile(files, place.path, [&](std::string_view old) {
        const std::string theirs = placeText(place, old);
        out.text = std::string(mine);
        out.merged = !sameLines(theirs, base);
        if (out.merged) {
            TextMerge merge = mergeTexts(base, mine, theirs);
            out.text = std::move(merge.text);
            out.conflict = merge.conflict;
        }
        return withPlaceText(place, old, out.text);
    });
    return out;
}

}  // namespace tavo
