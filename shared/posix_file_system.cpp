#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "cp932.h"

namespace tavo {
namespace {

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string posixPath(const std::string& cp932Path) {
    std::string path = cp932ToUtf8(cp932Path);  // trail bytes 0x5C vanish here
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// Only regular files: a FIFO or a device would block or never end, so it is
// opened without blocking and refused.
FileContent PosixFileSystem::readFile(const std::string& path) const {
    FileContent file;
    readFileInto(path, file);
    return file;
}

void PosixFileSystem::readFileInto(const std::string& path, FileContent& file) const {
    forgetContent(file);
    const int fd = ::open(posixPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        file.missing = errno == ENOENT || errno == ENOTDIR;
        if (!file.missing) file.problem = kProblemUnreadable;
        return;
    }
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        file.problem = kProblemNotAFile;
        return;
    }
    file.opened = true;
    // Read straight into the text, one byte more than the size: when just
    // the size comes back, that was the end, without a read that returns
    // nothing. A file that grows meanwhile is read on, up to the bound.
    const std::size_t size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    if (size > kMostFileBytes) {
        ::close(fd);
        file.problem = kProblemTooLarge;
        return;
    }
    std::size_t used = 0;
    file.content.resize(size + 1);
    for (;;) {
        if (used > kMostFileBytes) {
            file.problem = kProblemTooLarge;
            break;
        }
        if (used == file.content.size()) file.content.resize(used * 2);
        const ssize_t n = ::read(fd, file.content.data() + used, file.content.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            file.problem = kProblemIncomplete;
            break;
        }
        used += static_cast<std::size_t>(n);
        if (n == 0 || (used == size && file.content.size() == size + 1)) {
            file.complete = true;
            break;
        }
    }
    file.content.resize(used);
    ::close(fd);
}

bool PosixFileSystem::replaceFile(const std::string& path, std::string_view content) {
    const std::string target = posixPath(path);
    // A name of its own, so that two calendars writing the same file on a
    // shared folder never rename each other's half-written scratch file.
    static std::atomic<unsigned> counter = 0;  // sync writes from a thread of its own
    const std::string scratch = target + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + ".tmp";
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(scratch.c_str(), target.c_str()) != 0) {
        std::remove(scratch.c_str());
        return false;
    }
    syncFolderOf(target);
    return true;
}

bool PosixFileSystem::removeFile(const std::string& path) {
    return std::remove(posixPath(path).c_str()) == 0 || errno == ENOENT;
}

std::vector<std::string> PosixFileSystem::fileNames(const std::string& folder) const {
    std::vector<std::string> names;
    DIR* dir = ::opendir(posixPath(folder).c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') names.push_back(utf8ToCp932(entry->d_name));
    ::closedir(dir);
    return names;
}

}  // namespace tavo
