#include "file_system.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "cp932.h"

namespace tavo {
namespace {

// True when the last byte of text is a '\' that is not a trail byte.
bool endsWithSeparator(std::string_view text) {
    if (text.empty()) return false;
    std::size_t i = 0;
    bool lastIsSeparator = false;
    while (i < text.size()) {
        const bool lead = isCp932LeadByte(static_cast<unsigned char>(text[i]));
        lastIsSeparator = !lead && (text[i] == '\\' || text[i] == '/');
        i += lead ? 2 : 1;
    }
    return lastIsSeparator;
}

// The first CR or LF from at on, or end; eight bytes at a time, as lines of
// data files are short and many.
const char* nextBreak(const char* at, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    constexpr std::uint64_t kLf = kOnes * '\n', kCr = kOnes * '\r';
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - at >= 8; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, at, 8);
            const std::uint64_t lf = word ^ kLf, cr = word ^ kCr;
            // The lowest byte that is zero in lf or cr sets its high bit here.
            const std::uint64_t found = (((lf - kOnes) & ~lf) | ((cr - kOnes) & ~cr)) & kHighs;
            if (found) return at + std::countr_zero(found) / 8;
        }
    }
    while (at < end && *at != '\n' && *at != '\r') ++at;
    return at;
}

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size() + 4);  // room for an extension added after
    path = folder;
    if (!path.empty() && !endsWithSeparator(path)) path += '\\';
    path += name;
    return path;
}

namespace {

struct PendingWrite {
    const std::string* path;
    std::string before;
    std::optional<std::string> after;  // nothing: the file stays as it is
    bool existed;
};

// Writes one file's new content; an empty content removes it.
bool put(FileSystem& files, const std::string& path, const std::string& content, bool existed) {
    return content.empty() ? !existed || files.removeFile(path) : files.replaceFile(path, content);
}

// Why the change did not land, and the file that refused it; no problem when it landed.
struct Refusal {
    const std::string* path = nullptr;
    std::string problem;
};

Refusal rewriteAll(FileSystem& files, const std::vector<FileEdit>& edits, const std::function<bool()>& proceed = {}) {
    // One rewrite at a time in a process: an import on its own thread and a
    // window saving the same file must not each write over what the other read.
    static std::mutex oneAtATime;
    const std::lock_guard<std::mutex> lock(oneAtATime);
    std::vector<PendingWrite> writes;
    writes.reserve(edits.size());
    for (const FileEdit& e : edits) {
        FileContent old = files.readFile(e.path);
        if (!readWhole(old)) return {&e.path, old.problem.empty() ? kProblemIncomplete : old.problem};
        writes.push_back({&e.path, old.missing ? std::string() : std::move(old.content), {}, !old.missing});
    }
    for (std::size_t i = 0; i < edits.size(); ++i) writes[i].after = edits[i].edit(writes[i].before);
    if (proceed && !proceed()) return {edits.empty() ? nullptr : &edits.front().path, kProblemStopped};
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const PendingWrite& w = writes[i];
        if (!w.after || put(files, *w.path, *w.after, w.existed)) continue;
        for (std::size_t j = 0; j < i; ++j)
            if (writes[j].after) put(files, *writes[j].path, writes[j].before, !writes[j].after->empty());
        return {w.path, kProblemNotSaved};
    }
    return {};
}

}  // namespace

// One file: the reason needs no file name.
SaveResult rewriteFile(FileSystem& files, const std::string& path,
                       const std::function<std::string(std::string_view)>& edit) {
    const Refusal refused = rewriteAll(files, {{path, [&edit](std::string_view old) { return std::optional(edit(old)); }}});
    return {refused.path == nullptr, refused.problem};
}

SaveResult rewriteFiles(FileSystem& files, const std::vector<FileEdit>& edits, const std::function<bool()>& proceed) {
    const Refusal refused = rewriteAll(files, edits, proceed);
    if (refused.path == nullptr) return {true, {}};
    return {false, *refused.path + ": " + refused.problem};
}

namespace {

// Lines ending at any CR or LF (a CR directly before an LF ends with it).
void splitAtEveryBreak(std::string_view content, std::vector<std::string_view>& lines) {
    const char* at = content.data();
    const char* const end = at + content.size();
    while (at < end) {
        const char* lineBreak = nextBreak(at, end);
        const char* next = lineBreak == end ? end : lineBreak + 1;
        if (next < end && *lineBreak == '\r' && *next == '\n') ++next;
        lines.emplace_back(at, static_cast<std::size_t>(next - at));
        at = next;
    }
}

// Lines ending at LF; returns how many of them end in CR LF.
std::size_t splitAtLineFeeds(std::string_view content, std::vector<std::string_view>& lines) {
    std::size_t crLf = 0;
    const char* at = content.data();
    const char* const end = at + content.size();
    while (at < end) {
        const char* lf = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        const char* next = lf ? lf + 1 : end;
        if (lf && lf > at && lf[-1] == '\r') ++crLf;
        lines.emplace_back(at, static_cast<std::size_t>(next - at));
        at = next;
    }
    return crLf;
}

// Eight bytes at a time: a byte of the word is CR when it is zero after the
// XOR, which the high bit of each byte of the sum below tells exactly; the
// multiply adds those bits up (no popcount instruction on every target).
std::size_t carriageReturns(std::string_view content) {
    constexpr std::uint64_t kCrs = 0x0D0D0D0D0D0D0D0DULL, kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    std::size_t count = 0, i = 0;
    for (; i + 8 <= content.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, content.data() + i, 8);
        const std::uint64_t x = word ^ kCrs;
        const std::uint64_t crs = ~(((x & kLow7) + kLow7) | x | kLow7) >> 7;  // 1 in each CR's byte
        count += static_cast<std::size_t>(crs * 0x0101010101010101ULL >> 56);
    }
    for (; i < content.size(); ++i) count += content[i] == '\r';
    return count;
}

}  // namespace

// CR LF, LF and a CR alone all end a line; only Ctrl-Z at the very end ends the file.
std::vector<std::string_view> fileLines(std::string_view content) {
    std::vector<std::string_view> lines;
    fileLinesInto(content, lines);
    return lines;
}

void fileLinesInto(std::string_view content, std::vector<std::string_view>& lines) {
    while (!content.empty() && content.back() == '\x1A') content.remove_suffix(1);
    lines.clear();
    lines.reserve(content.size() / 16 + 8);  // most lines are longer; others grow it once or twice
    // Nearly every file ends its lines in CR LF or LF alone: then LFs are the
    // only breaks, found a line at a time. Any other CR ends a line too.
    const std::size_t crs = carriageReturns(content);
    if (splitAtLineFeeds(content, lines) == crs) return;
    lines.clear();
    splitAtEveryBreak(content, lines);
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string_view completeLines(const FileContent& file) {
    std::string_view text = file.content;
    if (file.complete) return text;
    const std::size_t end = text.rfind('\n');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace tavo
