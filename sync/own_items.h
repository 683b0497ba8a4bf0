// Tavo's every-year, every-month and every-week schedules, birthdays and
// anniversaries on the server: each event the iCalendar export writes for
// them is an item of its own (the day schedules sync line by line). Tavo's
// files hold them; what a phone changes in one is brought back only where it
// maps exactly onto those files: the text of a schedule, the name of a
// birthday or an anniversary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/data/data_sources.h"
#include "shared/file_system.h"

namespace tavo::sync {

struct OwnItem {
    std::string uid;  // as exported: "tavo-yearly-1224@tavo"
    std::string ics;  // UTF-8, one VCALENDAR of the one event
};

// The items of the years given, in UID order.
std::vector<OwnItem> ownItems(const DataSources& sources, int fromYear, int toYear);

// A short fingerprint of an item's text, kept to see whether Tavo's side changed.
std::string fingerprint(const std::string& ics);

// What a server's version of an item is to Tavo's files.
enum class ServerVersion {
    AsWritten,   // shows what Tavo writes (an alarm or a location added there is the server's own)
    TextEdited,  // differs in the text of a schedule, or the name of a birthday or an anniversary, alone: `edit` brings it back
    Other,       // any other change: it does not map onto the files
};
struct BackEdit {
    ServerVersion version = ServerVersion::Other;
    FileEdit edit;  // TextEdited: it leaves the file alone when the text it changes is no longer what Tavo wrote
};
BackEdit editBack(const PathSettings& paths, const OwnItem& written, const std::string& server);

}  // namespace tavo::sync
