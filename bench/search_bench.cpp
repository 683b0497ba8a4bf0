// Search over 100 years of dense data (about 36,500 day sections, 10 MB): the
// first search (reading and folding every file, then matching) as a ratio to
// reading the same files once with plain fread, and a keystroke after it
// (matching in memory) in milliseconds; then the first search of a fresh
// process, as a window's first search is (its memory and tables cold),
// against a fresh process's reading of the files into memory it keeps.
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "calendar/calc/closed_days.h"
#include "calendar/search/search_data.h"
#include "shared/posix_file_system.h"
#include "shared/window_settings.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

double nowMilliseconds() {  // <chrono> cannot be compiled with a CP932 execution charset
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Literals are already CP932.
std::size_t generate(const fs::path& dir) {
    const char letters[] = "123456789abc";
    const char* const names[] = {"田中", "たなか", "ﾀﾅｶ", "山本", "佐藤", "ABC社", "ｶﾞｽ点検"};
    std::size_t bytes = 0;
    for (int year = 1930; year < 2030; ++year)
        for (int m = 0; m < 12; ++m) {
            std::string text;
            for (int day = 1; day <= 31; ++day) {  // appended: GCC 12 at -O3 warns on "literal" + std::string
                text.append(":").append(std::to_string(day)).append("\r\n");
                for (int l = 0; l < 2; ++l)
                    text.append(names[(year + m + day + l) % 7]).append("さんと打ち合わせ 第").append(std::to_string(l + 1))
                        .append("会議室にて 資料を持参すること 議題は来期の予算と人員計画について 必要なら延長する予定\r\n");
            }
            std::string name = "sch";
            name.append(std::to_string(year)).append(1, letters[m]).append(".cal");
            std::ofstream(dir / name, std::ios::binary) << text;
            bytes += text.size();
        }
    return bytes;
}

// Every file read with plain fread; into `kept` when given, as a search must keep them.
double freadAll(const fs::path& dir, std::vector<std::string>* kept = nullptr) {
    const double start = nowMilliseconds();
    char buffer[65536];
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string content;
        if (std::FILE* f = std::fopen(entry.path().c_str(), "rb")) {
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
            std::fclose(f);
        }
        if (kept) kept->push_back(std::move(content));
    }
    return nowMilliseconds() - start;
}

struct Folder {
    PosixFileSystem files;
    PathSettings paths{};
    std::unique_ptr<ClosedDays> closed = std::make_unique<ClosedDays>();
    EnvironmentSettings env{};
    explicit Folder(const fs::path& dir) {
        initPathDefaults(paths, dir.string() + "\\Tavo.exe", "C:\\Windows");
        resetClosedDays(*closed);
        resetEnvironment(env, paths.programFolder);
    }
    DataSources sources() const { return {files, paths, *closed, env}; }
};

// The first search, or the first reading of the files into memory, of this
// process in milliseconds.
int firstInProcess(const fs::path& dir, const std::string& what) {
    if (what == "read") {
        std::vector<std::string> kept;
        std::printf("%f\n", freadAll(dir, &kept));
        return 0;
    }
    const Folder folder(dir);
    const double start = nowMilliseconds();
    const SearchData data = SearchData::read(folder.sources(), yearsInFolder(folder.files, folder.paths));
    const std::size_t hits = data.find(parseSearchQuery("たなか"), kAllSearchKinds).size();
    std::printf("%f %zu\n", nowMilliseconds() - start, hits);
    return 0;
}

// The median of five fresh processes' first search or reading.
double freshMedian(const fs::path& dir, const char* what) {
    std::vector<double> times;
    std::string command = "'";  // appended: GCC 12 at -O3 warns on "literal" + std::string
    command.append(fs::read_symlink("/proc/self/exe").string()).append("' --first '").append(dir.string()).append("' ").append(what);
    for (int i = 0; i < 5; ++i) {
        if (std::FILE* child = popen(command.c_str(), "r")) {
            double ms = 0;
            if (std::fscanf(child, "%lf", &ms) == 1) times.push_back(ms);
            pclose(child);
        }
    }
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--first") return firstInProcess(argv[2], argv[3]);
    std::string pattern = (fs::temp_directory_path() / "tavo-search-XXXXXX").string();
    const fs::path dir = mkdtemp(pattern.data());
    const std::size_t bytes = generate(dir);
    ::sync();  // the new files' writeback would otherwise run through the timings
    const Folder folder(dir);
    const DataSources sources = folder.sources();

    double first = 1e300, baseline = 1e300, keystroke = 0, reading = 1e300;
    std::size_t hits = 0, lines = 0;
    for (int round = 0; round < 5; ++round) {  // alternating, the best of each: a busy spell slows both
        baseline = std::min(baseline, freadAll(dir));
        const double start = nowMilliseconds();
        const SearchData data = SearchData::read(sources, yearsInFolder(folder.files, folder.paths));
        reading = std::min(reading, nowMilliseconds() - start);
        hits = data.find(parseSearchQuery("たなか"), kAllSearchKinds).size();
        first = std::min(first, nowMilliseconds() - start);
        lines = data.lines();
        const double typed = nowMilliseconds();
        for (const char* query : {"た", "たな", "たなか", "たなか 予算", "たなか 予算 延長"}) hits += data.find(parseSearchQuery(query), kAllSearchKinds).size() * 0;
        keystroke = std::max(keystroke, (nowMilliseconds() - typed) / 5);
    }
    std::printf("search data: %.1f MB, %zu lines, %zu hits\n", static_cast<double>(bytes) / 1e6, lines, hits);
    std::printf("(a) first search %8.1f ms   fread baseline %7.1f ms   ratio %.2f   (reading %.1f ms of it)\n", first,
                baseline, first / baseline, reading);
    std::printf("(b) a keystroke after it (mean of five queries) %.1f ms\n", keystroke);
    const double search = freshMedian(dir, "search"), read = freshMedian(dir, "read");
    std::printf("(c) a fresh process, median of five: first search %.1f ms, reading the files into memory %.1f ms, ratio %.2f "
                "(%.2f to the plain fread above)\n", search, read, search / read, search / baseline);
    fs::remove_all(dir);
    return 0;
}
