#include "file_system.h"

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

std::string_view completeLines(const FileContent& file) {
    std::string_view text = file.content;
    if (file.complete) return text;
    const std::size_t end = text.rfind('\n');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace tavo
