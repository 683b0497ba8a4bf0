// What the last sync left in step: per line tied to a server item, the day,
// the line as last synced, and the item's href, ETag and UID; the calendar's
// URL and its sync-token. A text file beside the data, replaced atomically.
// A damaged line is left out (and told): at worst its line syncs as new,
// and a first sync matches same day and same text, so nothing comes twice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::sync {

struct SyncEntry {
    int serial = 0;    // the day of the line
    std::string text;  // CP932, the line as last synced
    std::string href;  // the item's URL
    std::string etag;  // as last seen
    std::string uid;
    bool single = true;  // the item is one event on one day: the line is written back to it
    int occurrence = 0;  // of a series: the day its occurrence began, where a change of the line goes
    friend bool operator==(const SyncEntry&, const SyncEntry&) = default;
};

// One of Tavo's recurring schedules, birthdays and anniversaries on the server.
struct OwnEntry {
    std::string uid, href, etag;
    std::string print;  // the fingerprint of the item as Tavo last wrote it; empty: Tavo's version is still to be written
    friend bool operator==(const OwnEntry&, const OwnEntry&) = default;
};

struct SyncState {
    std::string calendarUrl;
    std::string token;  // sync-token; empty: list every item next time
    std::vector<SyncEntry> entries;
    std::vector<OwnEntry> own;
    friend bool operator==(const SyncState&, const SyncState&) = default;
};

std::string formatSyncState(const SyncState& state);

struct SyncStateRead {
    SyncState state;
    int damagedLines = 0;
};
SyncStateRead parseSyncState(std::string_view content);

}  // namespace tavo::sync
