// The CalDAV account of the 同期 page: where, who, and when to sync. The
// password is never here: it lives in the Windows credential store.
#pragma once

#include <cstdint>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

struct SyncSettings {
    char url[512];        // "url": a server, principal or calendar URL as typed ("")
    char user[128];       // "user" ("")
    char calendar[512];   // "calendar": the calendar collection found from url ("")
    std::int32_t atStart;  // "start": sync when the calendar starts (off)
    std::int32_t every;    // "every": the page's choice, 0 off, 1..4 every 5, 15, 30, 60 minutes (0)
    char subscriptions[4096];  // "webcal": calendars subscribed to, "name URL" a line ("")
};
static_assert(sizeof(SyncSettings) == 5256);

// Key "sync".
const SettingsTable& syncTable();
void readSyncSettings(SyncSettings& settings, const SettingsStore& store);
// The interval in minutes: 0 (off), 5, 15, 30 or 60.
int syncInterval(const SyncSettings& settings);

}  // namespace tavo
