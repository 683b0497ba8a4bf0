#include <windows.h>

#include <algorithm>
#include <atomic>

#include "cp932.h"
#include "windows_file_system.h"

namespace tavo {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

bool writeAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD chunk = content.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
        content.remove_prefix(written);
    }
    return true;
}

}  // namespace

FileContent WindowsFileSystem::readFile(const std::string& path) const {
    FileContent file;
    readFileInto(path, file);
    return file;
}

void WindowsFileSystem::readFileInto(const std::string& path, FileContent& file) const {
    forgetContent(file);
    FileHandle h(CreateFileW(cp932ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) {
        const DWORD error = GetLastError();
        file.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!file.missing) file.problem = kProblemUnreadable;
        return;
    }
    if (GetFileType(h.get()) != FILE_TYPE_DISK) {  // a pipe or a device would block or never end
        file.problem = kProblemNotAFile;
        return;
    }
    file.opened = true;
    // Read straight into the text, one byte more than the size: when just
    // the size comes back, that was the end, without a read that returns
    // nothing. A file that grows meanwhile is read on.
    LARGE_INTEGER sizeRead{};
    const bool sized = GetFileSizeEx(h.get(), &sizeRead) && sizeRead.QuadPart >= 0;
    if (sized && static_cast<unsigned long long>(sizeRead.QuadPart) > kMostFileBytes) {
        file.problem = kProblemTooLarge;
        return;
    }
    const std::size_t size = sized ? static_cast<std::size_t>(sizeRead.QuadPart) : 0;
    std::size_t used = 0;
    file.content.resize(sized ? size + 1 : 65536);
    for (;;) {
        if (used > kMostFileBytes) {
            file.content.resize(used);
            file.problem = kProblemTooLarge;
            return;
        }
        if (used == file.content.size()) file.content.resize(used * 2);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(file.content.size() - used, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(h.get(), file.content.data() + used, want, &got, nullptr)) {
            file.content.resize(used);
            file.problem = kProblemIncomplete;
            return;
        }
        used += got;
        if (got == 0 || (sized && used == size && file.content.size() == size + 1)) break;
    }
    file.content.resize(used);
    file.complete = true;
}

bool WindowsFileSystem::replaceFile(const std::string& path, std::string_view content) {
    static std::atomic<unsigned> counter = 0;  // sync writes from a thread of its own
    const std::wstring target = cp932ToWide(path);
    const std::wstring scratch =
        target + L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter) + L".tmp";
    FileHandle h(CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid()) return false;
    const bool written = writeAll(h.get(), content) && FlushFileBuffers(h.get());
    const bool closed = h.close();
    if (!written || !closed ||
        !MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(scratch.c_str());
        return false;
    }
    return true;
}

bool WindowsFileSystem::removeFile(const std::string& path) {
    return DeleteFileW(cp932ToWide(path).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

std::vector<std::string> WindowsFileSystem::fileNames(const std::string& folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((cp932ToWide(joinPath(folder, "*"))).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(wideToCp932(found.cFileName));
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace tavo
