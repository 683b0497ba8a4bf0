// Files held in memory, for tests and fuzzing (paths as given, no folders),
// with faults that can be injected per path.
#pragma once

#include <map>
#include <set>
#include <string>

#include "file_system.h"

namespace tavo {

class MemoryFileSystem final : public FileSystem {
public:
    enum class Fault {
        CannotOpen,  // exists, but opening fails (locked, no permission)
        ShortRead,   // the read stops halfway with an error
        NotAFile,    // a FIFO, device or folder in its place
        CannotWrite, // replacing and removing fail
    };

    FileContent readFile(const std::string& path) const override {
        const auto fault = faults.find(path);
        const auto it = files.find(path);
        FileContent file;
        if (fault != faults.end() && fault->second == Fault::CannotOpen) return failed(kProblemUnreadable);
        if (fault != faults.end() && fault->second == Fault::NotAFile) return failed(kProblemNotAFile);
        if (it == files.end()) {
            file.missing = true;
            return file;
        }
        file.opened = true;
        if (fault != faults.end() && fault->second == Fault::ShortRead) {
            file.content = it->second.substr(0, it->second.size() / 2);
            file.problem = kProblemIncomplete;
            return file;
        }
        file.complete = true;
        file.content = it->second;
        return file;
    }
    bool replaceFile(const std::string& path, std::string_view content) override {
        if (writeFails(path)) return false;
        files[path] = std::string(content);
        ++writes;
        return true;
    }
    std::vector<std::string> fileNames(const std::string& folder) const override {
        std::vector<std::string> names;
        const std::string prefix = folder.ends_with("\\") ? folder : folder + "\\";
        for (const auto& [path, content] : files)
            if (path.starts_with(prefix) && path.find('\\', prefix.size()) == std::string::npos) names.push_back(path.substr(prefix.size()));
        return names;
    }
    bool removeFile(const std::string& path) override {
        if (writeFails(path)) return false;
        files.erase(path);
        ++writes;
        return true;
    }

    std::map<std::string, std::string> files;
    std::map<std::string, Fault> faults;
    int writes = 0;

private:
    static FileContent failed(const char* problem) {
        FileContent file;
        file.problem = problem;
        return file;
    }
    bool writeFails(const std::string& path) const {
        const auto fault = faults.find(path);
        return fault != faults.end() && fault->second == Fault::CannotWrite;
    }
};

}  // namespace tavo
