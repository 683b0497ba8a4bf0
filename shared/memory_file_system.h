// Files held in memory, for tests and fuzzing (paths as given, no folders).
#pragma once

#include <map>
#include <string>

#include "file_system.h"

namespace tavo {

class MemoryFileSystem final : public FileSystem {
public:
    FileContent readFile(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end()) return {};
        return {true, true, it->second};
    }
    bool replaceFile(const std::string& path, std::string_view content) override {
        files[path] = std::string(content);
        return true;
    }
    bool removeFile(const std::string& path) override {
        files.erase(path);
        return true;
    }
    std::map<std::string, std::string> files;
};

}  // namespace tavo
