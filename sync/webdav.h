// What a WebDAV/CalDAV server answers in a 207 multistatus: per resource its
// href, its status and the properties Tavo asks for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::sync {

struct DavProps {
    std::optional<std::string> etag, ctag, syncToken, displayName;
    std::optional<std::string> calendarData;   // the iCalendar text (calendar-multiget)
    std::optional<std::string> principal;      // current-user-principal's href
    std::optional<std::string> calendarHome;   // calendar-home-set's href
    bool collection = false, calendar = false;  // resourcetype
    bool events = true;                         // supported-calendar-component-set holds VEVENT (or is absent)
};

struct DavResource {
    std::string href;  // as the server wrote it (percent-encoded path or URL)
    int status = 0;    // 200 with properties; 404 for a member gone (sync-collection)
    DavProps props;
};

struct Multistatus {
    std::vector<DavResource> resources;
    std::optional<std::string> syncToken;  // of a sync-collection report
    bool truncated = false;                // 507 on the request-URI: ask again from the new token
    std::string problem;                   // not a multistatus it could read
};

Multistatus parseMultistatus(std::string_view xml);

// An HTTP status line's code ("HTTP/1.1 404 Not Found" -> 404; 0 when none).
int statusCodeOf(std::string_view statusLine);

}  // namespace tavo::sync
