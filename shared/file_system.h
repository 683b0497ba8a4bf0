// File access for the model. Paths are CP932 with '\' separators, as on Windows.
#pragma once

#include <string>
#include <string_view>

namespace tavo {

struct FileContent {
    bool opened = false;    // false: missing or unreadable (reads as empty)
    bool complete = false;  // false: the read stopped early; content holds what was read
    std::string content;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual FileContent readFile(const std::string& path) const = 0;
    // Replaces the file's content so that a crash leaves the old or the new
    // content, never a mix: scratch file, flush, atomic rename. False on failure
    // (the old file is then untouched).
    virtual bool replaceFile(const std::string& path, std::string_view content) = 0;
    virtual bool removeFile(const std::string& path) = 0;
};

// Folder + '\' + name, without doubling a trailing separator.
std::string joinPath(std::string_view folder, std::string_view name);

// Drops a partial last line of an incomplete read.
std::string_view completeLines(const FileContent& file);

}  // namespace tavo
