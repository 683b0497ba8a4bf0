// The sync of 2,000 day lines with a real server on loopback (Radicale, then
// Xandikos): a first sync up, as a ratio to writing the same items with bare
// PUTs (what any client must pay: the servers take tens of milliseconds an
// item), a first sync down of 2,000 items into an empty folder, and what a
// second sync with nothing changed costs in requests and file writes.
#include <sys/time.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "shared/date_math.h"
#include "shared/memory_file_system.h"
#include "calendar/data/path_settings.h"
#include "calendar/data/section_file.h"
#include "sync/caldav.h"
#include "sync/http_curl.h"
#include "sync/line_events.h"
#include "sync/sync_engine.h"
#include "tests/sync/loopback_server.h"

namespace {

using namespace tavo;
using namespace tavo::sync;

double seconds() {
    timeval now{};
    gettimeofday(&now, nullptr);  // <chrono> does not build with the CP932 execution charset
    return static_cast<double>(now.tv_sec) + now.tv_usec / 1e6;
}

class CountingHttp final : public HttpClient {
public:
    explicit CountingHttp(HttpClient& inner) : inner_(inner) {}
    HttpResponse send(const HttpRequest& r) override { return ++requests, inner_.send(r); }
    int requests = 0;

private:
    HttpClient& inner_;
};

constexpr int kLines = 2000;

void measure(test::ServerKind kind) {
    std::string why;
    auto baselineServer = test::LoopbackServer::start(kind, why);
    auto server = test::LoopbackServer::start(kind, why);
    if (!server || !baselineServer) return void(std::printf("%s: %s\n", test::serverName(kind), why.c_str()));
    CurlHttpClient http({"tavo", "secret"});
    const int first = serialDayOf(2026, 1, 1);
    double start = seconds();
    for (int i = 0; i < kLines; ++i) {
        const std::string uid = "base" + std::to_string(i);
        putItem(http, baselineServer->calendar() + uid + ".ics", eventOfLine(uid, first + i % 365, "line " + std::to_string(i)), "");
    }
    const double baseline = seconds() - start;

    MemoryFileSystem files;
    PathSettings paths{};
    initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
    for (int month = 1; month <= 12; ++month) {
        std::string content;
        for (int day = 1; day <= monthLengthOf(2026, month); ++day) {
            std::string text;
            for (int i = 0; i < 6; ++i) text += "line " + std::to_string(month * 1000 + day * 10 + i) + "\r\n";
            content = replaceSection(content, day, sectionBody(text));
        }
        files.files[scheduleFile(paths, kScheduleDay, 2026, month)] = content;  // 6 lines a day: 2,190
    }
    const SyncRequest request{server->calendar(), first, serialDayOf(2026, 12, 31)};
    start = seconds();
    const SyncSummary s = syncCalendar(http, files, paths, request);
    const double full = seconds() - start;
    syncCalendar(http, files, paths, request);
    CountingHttp counting(http);
    const int writes = files.writes;
    start = seconds();
    syncCalendar(counting, files, paths, request);
    const double again = seconds() - start;
    // The other way: the 2,000 items of the baseline's server into an empty folder.
    MemoryFileSystem empty;
    CountingHttp pulling(http);
    start = seconds();
    const SyncSummary pulled = syncCalendar(pulling, empty, paths, {baselineServer->calendar(), first, serialDayOf(2026, 12, 31)});
    const double down = seconds() - start;
    std::printf("%s: first sync up of %d lines %.2f s (%s), %d bare PUTs %.2f s: ratio %.2f; "
                "first sync down of %d items %.2f s in %d requests; a sync with nothing to do %d request(s), %d file write(s), %.3f s\n",
                test::serverName(kind), s.server.added, full, s.ok ? "ok" : s.problem.c_str(), kLines, baseline,
                full / baseline * kLines / std::max(1, s.server.added), pulled.here.added, down, pulling.requests,
                counting.requests, files.writes - writes, again);
}

}  // namespace

int main() {
    for (test::ServerKind kind : {test::ServerKind::Radicale, test::ServerKind::Xandikos}) measure(kind);
    return 0;
}
