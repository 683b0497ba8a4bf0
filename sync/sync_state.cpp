#include "sync_state.h"

#include <cstdio>

#include "shared/date_math.h"
#include "shared/file_system.h"

namespace tavo::sync {
namespace {

// Fields are separated by tabs; the line's own text comes last and may hold tabs.
std::vector<std::string_view> fields(std::string_view line, std::size_t count) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < count) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) break;
        out.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    out.push_back(line);
    return out;
}

std::string dateText(int serial) {
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
    return text;
}

int serialOf(std::string_view text) {
    int y = 0, m = 0, d = 0;
    char end = 0;
    if (text.size() != 10 || std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &end) != 3) return 0;
    if (y <= kFirstYear || y > kLastYear || m < 1 || m > 12 || d < 1 || d > monthLengthOf(y, m)) return 0;
    return serialDayOf(y, m, d);
}

// "1" a single event, "n" a series, "o" and a day: an occurrence of a series.
std::string kindText(const SyncEntry& e) {
    if (e.single) return "1";
    return e.occurrence > 0 ? "o" + dateText(e.occurrence) : "n";
}

bool readKind(std::string_view text, SyncEntry& e) {
    e.single = text == "1";
    e.occurrence = text.starts_with("o") ? serialOf(text.substr(1)) : 0;
    return text == "1" || text == "n" || e.occurrence > 0;
}

}  // namespace

std::string formatSyncState(const SyncState& state) {
    std::string out = "calendar\t" + state.calendarUrl + "\r\ntoken\t" + state.token + "\r\n";
    for (const SyncEntry& e : state.entries)
        out += "line\t" + dateText(e.serial) + "\t" + e.href + "\t" + e.etag + "\t" + e.uid + "\t" + kindText(e) + "\t" +
               e.text + "\r\n";
    for (const OwnEntry& o : state.own) out += "own\t" + o.href + "\t" + o.etag + "\t" + o.uid + "\t" + o.print + "\r\n";
    return out;
}

SyncStateRead parseSyncState(std::string_view content) {
    SyncStateRead read;
    for (std::string_view raw : fileLines(content)) {
        const std::string_view line = lineContent(raw);
        if (line.empty()) continue;
        const std::vector<std::string_view> f = fields(line, 7);
        if (f[0] == "calendar" && f.size() == 2) read.state.calendarUrl = f[1];
        else if (f[0] == "token" && f.size() == 2) read.state.token = f[1];
        else if (f[0] == "own" && f.size() == 5 && !f[1].empty() && !f[3].empty())
            read.state.own.push_back({std::string(f[3]), std::string(f[1]), std::string(f[2]), std::string(f[4])});
        else if (SyncEntry e; f[0] == "line" && f.size() == 7 && serialOf(f[1]) > 0 && !f[2].empty() && readKind(f[5], e))
            read.state.entries.push_back({serialOf(f[1]), std::string(f[6]), std::string(f[2]), std::string(f[3]),
                                          std::string(f[4]), e.single, e.occurrence});
        else
            ++read.damagedLines;
    }
    return read;
}

}  // namespace tavo::sync
