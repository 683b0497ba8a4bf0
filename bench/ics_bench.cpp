// The time and memory each hostile iCalendar file takes to read and import,
// against an ordinary year of one event a day read the same way in the same
// run. Each case runs in a child process so its peak memory is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <time.h>

#include <cstdio>
#include <string>

#include "calendar/data/icalendar_import.h"
#include "shared/memory_file_system.h"
#include "tests/hostile_ics.h"

namespace {

using namespace tavo;

double nowMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string ordinaryYear() {
    std::string body;
    for (int d = 0; d < 365; ++d) {
        int y, m, day;
        civilFromSerial(serialDayOf(2026, 1, 1) + d, y, m, day);
        char start[16];
        std::snprintf(start, sizeof start, "%04d%02d%02d", y, m, day);
        body += "BEGIN:VEVENT\r\nUID:o" + std::to_string(d) + "\r\nDTSTART:" + start + "T100000\r\nDURATION:PT1H\r\nSUMMARY:meeting\r\nEND:VEVENT\r\n";
    }
    return test::calendarOf(body);
}

// Milliseconds and peak megabytes of one read and import, in a child.
void measure(const char* name, const std::string& text, int from, int to, double baseline) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        PathSettings paths{};
        initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
        MemoryFileSystem files;
        const double start = nowMilliseconds();
        importICalendar(files, paths, readICalendar(text), from, to);
        const double ms = nowMilliseconds() - start;
        std::printf("%-45s %9.1f ms  %7.1f x", name, ms, baseline > 0 ? ms / baseline : 1.0);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("  peak %6.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
}

double baselineMilliseconds(const std::string& text) {
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        MemoryFileSystem files;
        const double start = nowMilliseconds();
        importICalendar(files, paths, readICalendar(text), serialDayOf(2026, 1, 1), serialDayOf(2026, 12, 31));
        best = std::min(best, nowMilliseconds() - start);
    }
    return best;
}

}  // namespace

int main() {
    const std::string ordinary = ordinaryYear();
    const double baseline = baselineMilliseconds(ordinary);
    measure("an ordinary year, one event a day (baseline)", ordinary, serialDayOf(2026, 1, 1), serialDayOf(2026, 12, 31), baseline);
    for (const test::HostileIcs& h : test::hostileCalendars()) measure(h.name, h.text, h.from, h.to, baseline);
    return 0;
}
