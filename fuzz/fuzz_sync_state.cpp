// Any bytes as the sync state file: what is read is written back the same
// way, and a damaged line never stops the rest from being read.
#include <string_view>

#include "sync/sync_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tavo::sync::SyncStateRead first = tavo::sync::parseSyncState(text);
    const tavo::sync::SyncStateRead again = tavo::sync::parseSyncState(tavo::sync::formatSyncState(first.state));
    if (!(again.state == first.state) || again.damagedLines != 0) __builtin_trap();
    return 0;
}
