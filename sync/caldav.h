// The CalDAV requests of a sync (RFC 4791, RFC 6578): finding the user's
// calendars, listing a calendar's items with their ETags (by sync-token when
// the server has one), fetching items, and conditional writes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "http.h"
#include "webdav.h"

namespace tavo::sync {

struct CalendarInfo {
    std::string url;  // absolute
    std::string name;
};

// The URL of an href as the server wrote it, against the URL it answered for.
std::string resolveUrl(const std::string& base, const std::string& href);

struct Discovery {
    std::vector<CalendarInfo> calendars;
    std::string problem;  // in words: what failed (authentication, not CalDAV, ...)
};
// From a server, principal or calendar URL: the calendars that hold events.
Discovery discoverCalendars(HttpClient& http, const std::string& url);

struct ItemVersion {
    std::string url;   // absolute
    std::string etag;  // empty: gone (sync-collection)
};

struct Listing {
    bool ok = false;  // false: nothing may be concluded (never delete because of it)
    std::vector<ItemVersion> items;
    std::string syncToken;  // the token to ask from next time; empty when the server has none
    bool incremental = false;  // items are the changes since the token asked from
    std::string problem;
};
// The changes since `syncToken` (sync-collection) or, without a token or
// when the server refuses it, every item with its ETag (PROPFIND).
Listing listCalendar(HttpClient& http, const std::string& calendarUrl, const std::string& syncToken);

struct FetchedItem {
    std::string url, etag, ics;
};
struct Fetch {
    bool ok = false;
    std::vector<FetchedItem> items;  // items gone meanwhile are left out
    std::string problem;
};
// calendar-multiget in batches.
Fetch fetchItems(HttpClient& http, const std::string& calendarUrl, const std::vector<std::string>& urls);

struct WriteResult {
    int status = 0;      // 201/204 written, 412 changed on the server since, other: failed
    std::string etag;    // the new ETag when the server gave one
    std::string problem;
    bool written() const { return status / 100 == 2; }
};
// ifMatch empty: a new item (If-None-Match: *).
WriteResult putItem(HttpClient& http, const std::string& url, const std::string& ics, const std::string& ifMatch);
WriteResult deleteItem(HttpClient& http, const std::string& url, const std::string& ifMatch);

// What an HTTP failure means to the user.
std::string failureText(const HttpResponse& response);

}  // namespace tavo::sync
