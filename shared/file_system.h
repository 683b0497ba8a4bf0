// File access for the model. Paths are CP932 with '\' separators, as on Windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

struct FileContent {
    bool opened = false;    // false: missing or unreadable (reads as empty)
    bool complete = false;  // false: the read stopped early; content holds what was read
    std::string content;
    bool missing = false;   // the file does not exist
    std::string problem;    // why it could not be read whole (CP932, for a message)
};

// Back to a file not read yet, keeping the text's buffer.
inline void forgetContent(FileContent& file) {
    file.opened = file.complete = file.missing = false;
    file.content.clear();
    file.problem.clear();
}

// Only a file that does not exist or was read whole may be rewritten.
inline bool readWhole(const FileContent& file) { return file.missing || (file.opened && file.complete); }

// Texts of the problems, shared by every file system.
inline constexpr char kProblemUnreadable[] = "ファイルを開けません (使用中か、読み取りの権限がありません)";
inline constexpr char kProblemIncomplete[] = "ファイルを最後まで読めません";
inline constexpr char kProblemNotAFile[] = "通常のファイルではありません";
inline constexpr char kProblemStopped[] = "中止しました";
inline constexpr char kProblemTooLarge[] = "ファイルが大きすぎます(256 MB まで)";

// No data file of the calendar comes near this; a larger one is not read.
inline constexpr std::size_t kMostFileBytes = std::size_t{256} << 20;
inline constexpr char kProblemNotSaved[] = "ファイルに書き込めません (ディスクの空きや書き込みの権限を確かめてください)";

// The outcome of a write: saved, or why not (the file is then untouched).
struct SaveResult {
    bool saved = false;
    std::string reason;  // CP932
    explicit operator bool() const { return saved; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual FileContent readFile(const std::string& path) const = 0;
    // The same into file, reusing its text's buffer: a reader of many files
    // at a time, again and again (the range view), then allocates nothing.
    virtual void readFileInto(const std::string& path, FileContent& file) const { file = readFile(path); }
    // Replaces the file's content so that a crash leaves the old or the new
    // content, never a mix: scratch file, flush, atomic rename. False on failure
    // (the old file is then untouched).
    virtual bool replaceFile(const std::string& path, std::string_view content) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    // The names of the files in a folder (CP932, any order); none when it cannot be listed.
    virtual std::vector<std::string> fileNames(const std::string& folder) const {
        (void)folder;
        return {};
    }
};

// Rewrites a file from a complete read of it: edit gets the old content (empty
// when the file does not exist) and returns the new one; an empty result
// removes the file. A file that could not be read whole is left as it is.
SaveResult rewriteFile(FileSystem& files, const std::string& path,
                       const std::function<std::string(std::string_view)>& edit);

// One file of a change of several: the edit gets the old content and returns
// the new one, or nothing to leave the file untouched.
struct FileEdit {
    std::string path;
    std::function<std::optional<std::string>(std::string_view)> edit;
};

// Rewrites several files as one change: every file is read whole before any
// edit runs or anything is written (one that cannot be refuses the change);
// when a write fails, the files written before it get their old content back
// (or are removed again when they were new), so all land or none does. The
// reason names the file that refused. proceed, when given, is asked once
// every file is read and edited, before the first write: false leaves every
// file as it was (the reason is then kProblemStopped).
SaveResult rewriteFiles(FileSystem& files, const std::vector<FileEdit>& edits, const std::function<bool()>& proceed = {});

// Folder + '\' + name, without doubling a trailing separator.
std::string joinPath(std::string_view folder, std::string_view name);

// The lines of a file as readers see them, each with its own line end (CR LF,
// LF or CR alone); 0x1A at the very end of the file is removed.
std::vector<std::string_view> fileLines(std::string_view content);
// The same into lines, reusing its buffer.
void fileLinesInto(std::string_view content, std::vector<std::string_view>& lines);
// A line without its line end.
inline std::string_view lineContent(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}
// The text with every line end (CR LF, LF or a CR alone) as CR LF, as an edit control shows lines.
std::string withCrLf(std::string_view text);

// Drops a partial last line of an incomplete read.
std::string_view completeLines(const FileContent& file);

}  // namespace tavo
