// Month grid with marks, and a 199-day range collection, on a dense generated
// data folder. Each is printed as a ratio to reading the same files once with
// plain fread into memory, the floor any implementation must pay.
#include <unistd.h>

#include <time.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "calendar/data/range_list.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/locale_info.h"
#include "shared/memory_file_system.h"
#include "shared/posix_file_system.h"

namespace {

using namespace tavo;
namespace fs = std::filesystem;

// Literals are already CP932.
void writeFile(const fs::path& path, const std::string& cp932) { std::ofstream(path, std::ios::binary) << cp932; }

// <chrono> cannot be compiled with a CP932 execution charset.
double nowMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

std::string sections(int count, int lines) {
    std::string out;
    for (int key = 1; key <= count; ++key) {
        out.append(":").append(std::to_string(key)).append("\r\n");
        for (int l = 0; l < lines; ++l)
            out.append("予定 ").append(std::to_string(key)).append("-").append(std::to_string(l)).append("\t会議室で打ち合わせ\r\n");
    }
    return out;
}

void generate(const fs::path& dir) {
    const char letters[] = "123456789abc";
    for (int year = 2020; year < 2030; ++year)
        for (int m = 0; m < 12; ++m) writeFile(dir / ("sch" + std::to_string(year) + letters[m] + ".cal"), sections(31, 3));
    for (int m = 0; m < 12; ++m) {
        writeFile(dir / (std::string("schedul") + letters[m] + ".cal"), sections(28, 2));
        std::string birthdays, anniversaries;
        for (int i = 0; i < 50; ++i) {
            const int day = 1 + i * 28 / 50;
            birthdays.append(":").append(std::to_string(day)).append(" ").append(std::to_string(1950 + i));
            birthdays.append("\r\n友人").append(std::to_string(i)).append("\r\n");
            anniversaries.append(":").append(std::to_string(day)).append("\r\n記念").append(std::to_string(i)).append("\r\n");
        }
        writeFile(dir / (std::string("birthda") + letters[m] + ".cal"), birthdays);
        writeFile(dir / (std::string("anivers") + letters[m] + ".cal"), anniversaries);
    }
    for (const char* name : {"schedule.cal", "schedulf.cal", "schedull.cal"}) writeFile(dir / name, sections(31, 2));
    writeFile(dir / "schedulw.cal", sections(6, 3));
    writeFile(dir / "memo.cal", sections(1, 40));
    writeFile(dir / "Holiday2.Dat", "12/29 R01-R99 年末\r\n12/30 R01-R99 年末\r\n08/13 R01-R99 お盆\r\n");
}

// Remembers every file the model opens, to read the same ones for the baseline.
class RecordingFiles final : public FileSystem {
public:
    FileContent readFile(const std::string& path) const override {
        opened.insert(posixPath(path));
        return inner.readFile(path);
    }
    bool replaceFile(const std::string& path, std::string_view content) override { return inner.replaceFile(path, content); }
    bool removeFile(const std::string& path) override { return inner.removeFile(path); }
    mutable std::set<std::string> opened;
    PosixFileSystem inner;
};

double roundMicroseconds(const std::function<void()>& work) {
    const double start = nowMicroseconds();
    for (int i = 0; i < 20; ++i) work();
    return (nowMicroseconds() - start) / 20;
}

double bestMicroseconds(const std::function<void()>& work) {
    double best = 1e300;
    for (int round = 0; round < 15; ++round) best = std::min(best, roundMicroseconds(work));
    return best;
}

struct Pair {
    double work, baseline;
};

// Rounds of the two alternate, so that a busy spell of the machine slows both.
Pair bestOfBoth(const std::function<void()>& work, const std::function<void()>& baseline) {
    Pair best{1e300, 1e300};
    for (int round = 0; round < 15; ++round) {
        best.work = std::min(best.work, roundMicroseconds(work));
        best.baseline = std::min(best.baseline, roundMicroseconds(baseline));
    }
    return best;
}

std::size_t freadAll(const std::set<std::string>& paths) {
    std::size_t total = 0;
    char buffer[65536];
    for (const std::string& path : paths) {
        std::string content;
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
            std::fclose(f);
        }
        total += content.size();
    }
    return total;
}

void report(const char* what, Pair times, std::size_t files) {
    const double model = times.work, baseline = times.baseline;
    std::printf("%-34s %9.1f us   fread baseline %8.1f us (%zu files)   ratio %.2f\n", what, model, baseline, files,
                model / baseline);
}

}  // namespace

int main(int argc, char** argv) {
    // --profile: the in-memory collection many times, for a profiler;
    // --profile-files: the same reading the files.
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool profile = mode == "--profile";
    std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
    const fs::path dir = mkdtemp(pattern.data());
    generate(dir);

    RecordingFiles files;
    PathSettings paths{};
    initPathDefaults(paths, dir.string() + "\\Tavo.exe", "C:\\Windows");
    auto closed = std::make_unique<ClosedDays>();
    resetClosedDays(*closed);
    EnvironmentSettings env{};
    resetEnvironment(env, paths.programFolder);
    const DataSources sources{files, paths, *closed, env};

    // The timings read through the plain file system; the recording one only
    // finds out which files the baseline must read.
    const DataSources plain{files.inner, paths, *closed, env};
    MonthGrid grid{};
    DayOffTable dayOff{};
    rebuildMonth(grid, dayOff, 2026, 12, {false, false}, sources);
    const auto month = [&] { rebuildMonth(grid, dayOff, 2026, 12, {false, false}, plain); };
    const std::set<std::string> monthFiles = files.opened;
    report("(a) month grid and marks", bestOfBoth(month, [&] { freadAll(monthFiles); }), monthFiles.size());

    DateFormatSet formats{};
    resetDateFormatSet(formats, 1);
    const JapaneseLocale locale;
    const RangeRequest request{2026, 12, 7, {kRangeRelative, 99, 99}, false, false, formats, locale, {}, true};
    std::size_t lines = 0;
    files.opened.clear();
    lines = collectRange(request, sources).size();
    // As the view refreshes: one collector, its list refilled each time.
    RangeCollector collector;
    RangeList shown;
    const auto range = [&] {
        collector.collect(request, plain, shown);
        lines = shown.size();
    };
    if (mode == "--profile-files")
        for (int i = 0; i < 2000; ++i) range();
    const std::set<std::string> rangeFiles = files.opened;
    report("(b) 199-day range collection", bestOfBoth(range, [&] { freadAll(rangeFiles); }), rangeFiles.size());
    std::printf("range lines: %zu\n", lines);
    const double throughLayer = bestMicroseconds([&] {
        for (const std::string& path : rangeFiles) (void)files.inner.readFile(path);
    });
    std::printf("(b) reading through the file layer   %9.1f us\n", throughLayer);
    // The same collection from files already in memory: what the model itself costs.
    MemoryFileSystem memory;
    for (const std::string& path : rangeFiles) {
        const std::string cp932 = (path.rfind('/') == std::string::npos) ? path : path.substr(path.rfind('/') + 1);
        memory.files[joinPath(paths.programFolder, cp932)] = files.inner.readFile(joinPath(paths.programFolder, cp932)).content;
    }
    const DataSources inMemory{memory, paths, *closed, env};
    if (profile)
        for (int i = 0; i < 2000; ++i) collector.collect(request, inMemory, shown);
    const double fromMemory = bestMicroseconds([&] {
        collector.collect(request, inMemory, shown);
        lines = shown.size();
    });
    std::printf("(b) from memory, without reading      %9.1f us   (%zu lines)\n", fromMemory, lines);
    fs::remove_all(dir);
    return 0;
}
