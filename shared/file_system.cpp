#include "file_system.h"

#include <cstring>

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

}  // namespace

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !endsWithSeparator(path)) path += '\\';
    path += name;
    return path;
}

SaveResult rewriteFile(FileSystem& files, const std::string& path,
                       const std::function<std::string(std::string_view)>& edit) {
    const FileContent old = files.readFile(path);
    if (!readWhole(old)) return {false, old.problem.empty() ? kProblemIncomplete : old.problem};
    const std::string content = edit(old.missing ? std::string_view() : std::string_view(old.content));
    if (content.empty() ? old.missing || files.removeFile(path) : files.replaceFile(path, content)) return {true, {}};
    return {false, kProblemNotSaved};
}

// CR LF, LF and a CR alone all end a line; only Ctrl-Z at the very end ends the file.
std::vector<std::string_view> fileLines(std::string_view content) {
    while (!content.empty() && content.back() == '\x1A') content.remove_suffix(1);
    std::vector<std::string_view> lines;
    lines.reserve(content.size() / 24 + 1);
    const char* at = content.data();
    const char* const end = at + content.size();
    while (at < end) {
        // The next LF, unless a lone CR ends the line first.
        const char* lf = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        const char* stop = lf ? lf : end;
        const char* next = lf ? lf + 1 : end;
        const char* cr = static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(stop - at)));
        if (cr && cr + 1 < stop) next = cr + 1;
        lines.emplace_back(at, static_cast<std::size_t>(next - at));
        at = next;
    }
    return lines;
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

std::string_view lineContent(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

std::string_view completeLines(const FileContent& file) {
    std::string_view text = file.content;
    if (file.complete) return text;
    const std::size_t end = text.rfind('\n');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace tavo
