// File access on POSIX systems for the command-line tool and the tests.
#pragma once

#include "file_system.h"

namespace tavo {

class PosixFileSystem final : public FileSystem {
public:
    FileContent readFile(const std::string& path) const override;
    void readFileInto(const std::string& path, FileContent& file) const override;
    bool replaceFile(const std::string& path, std::string_view content) override;
    bool removeFile(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder) const override;
};

// A CP932 model path as a UTF-8 POSIX path ('\' becomes '/').
std::string posixPath(const std::string& cp932Path);

}  // namespace tavo
