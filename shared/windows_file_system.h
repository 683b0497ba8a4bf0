// File access on Windows: CP932 paths through the W API.
#pragma once

#include "file_system.h"

namespace tavo {

class WindowsFileSystem final : public FileSystem {
public:
    FileContent readFile(const std::string& path) const override;
    void readFileInto(const std::string& path, FileContent& file) const override;
    bool replaceFile(const std::string& path, std::string_view content) override;
    bool removeFile(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder) const override;
};

}  // namespace tavo
