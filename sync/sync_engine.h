// Two-way sync of the day schedule files with one CalDAV calendar: each line
// of a day is one event on the server. What changed on one side since the
// last sync goes to the other; a line changed on both sides differently is
// kept and the server's version put beside it marked 【競合】 (both end up on
// the server); nothing is deleted on either side unless it was in sync before
// and is gone now according to a complete answer. Every write is
// conditional, and a sync cut off anywhere is resumed by the next without
// loss or duplicates: an item that already holds what a side holds is in
// step, whoever wrote it. Tavo's recurring schedules, birthdays and
// anniversaries go up as recurring events; a change made to one on the server
// comes back when it maps onto the files, else its days are kept as day lines.
#pragma once

#include <string>
#include <vector>

#include "calendar/data/data_sources.h"
#include "calendar/data/path_settings.h"
#include "http.h"
#include "shared/file_system.h"

namespace tavo::sync {

struct SideCounts {
    int added = 0, changed = 0, deleted = 0;
};

struct SyncSummary {
    bool ok = false;
    std::string problem;  // CP932, in words; what could not be done (nothing after it was changed)
    SideCounts here;      // lines of the files
    SideCounts server;    // items on the server
    int conflicts = 0;
    std::vector<std::string> notes;  // CP932: conflicts and server changes kept as day lines
};

struct SyncRequest {
    std::string calendarUrl;
    int firstSerial, lastSerial;  // the days synced (last year to next year)
    // Tavo's every-year, every-month and every-week schedules, birthdays and
    // anniversaries of these go to the server as recurring events; none: they are left as they are there.
    const DataSources* own = nullptr;
};

// The sync state beside the data.
std::string syncStateFile(const PathSettings& paths);

SyncSummary syncCalendar(HttpClient& http, FileSystem& files, const PathSettings& paths, const SyncRequest& request);

}  // namespace tavo::sync
