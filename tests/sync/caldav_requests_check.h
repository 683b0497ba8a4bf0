// The CalDAV requests of a sync checked against a server with an empty
// calendar: discovery from the root and from the calendar, listing by
// sync-token, fetching, and writes refused (412) when the server's copy
// changed. Shared by the Linux (libcurl) and Windows (WinHTTP) tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shared/cp932.h"
#include "sync/caldav.h"

namespace tavo::sync::test {

// summary: CP932 as the sources spell it; the server gets UTF-8.
inline std::string eventText(const std::string& uid, const std::string& summary) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20261207\r\nSUMMARY:" + cp932ToUtf8(summary) +
           "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

inline const ItemVersion* versionOf(const Listing& l, const std::string& url) {
    const auto found = std::find_if(l.items.begin(), l.items.end(), [&](const ItemVersion& v) { return v.url == url; });
    return found == l.items.end() ? nullptr : &*found;
}

inline void checkCalDavRequests(HttpClient& http, const std::string& root, const std::string& calendar) {
    for (const std::string& from : {root, calendar}) {
        const Discovery found = discoverCalendars(http, from);
        EXPECT_EQ(found.problem, "") << from;
        EXPECT_TRUE(std::any_of(found.calendars.begin(), found.calendars.end(), [&](const CalendarInfo& c) { return c.url == calendar; }))
            << from << " found " << found.calendars.size();
    }
    const Listing empty = listCalendar(http, calendar, "");
    ASSERT_TRUE(empty.ok) << empty.problem;
    EXPECT_TRUE(empty.items.empty());

    const std::string url = calendar + "a.ics";
    ASSERT_TRUE(putItem(http, url, eventText("a@test", "歯医者"), "").written());
    EXPECT_EQ(putItem(http, url, eventText("a@test", "二度目"), "").status, 412);  // new, but there already

    const Listing added = listCalendar(http, calendar, empty.syncToken);
    ASSERT_TRUE(added.ok) << added.problem;
    const ItemVersion* a = versionOf(added, url);
    ASSERT_NE(a, nullptr);
    ASSERT_FALSE(a->etag.empty());
    const Fetch fetched = fetchItems(http, calendar, {url});
    ASSERT_TRUE(fetched.ok) << fetched.problem;
    ASSERT_EQ(fetched.items.size(), 1u);
    EXPECT_NE(fetched.items[0].ics.find("SUMMARY:" + cp932ToUtf8("歯医者")), std::string::npos);
    EXPECT_EQ(fetched.items[0].etag, a->etag);

    EXPECT_EQ(putItem(http, url, eventText("a@test", "古い版から"), "\"stale\"").status, 412);
    const WriteResult edited = putItem(http, url, eventText("a@test", "歯医者 15時"), a->etag);
    ASSERT_TRUE(edited.written()) << edited.problem;
    EXPECT_EQ(deleteItem(http, url, a->etag).status, 412);  // the etag before the edit
    const Listing after = listCalendar(http, calendar, added.syncToken);
    ASSERT_TRUE(after.ok);
    ASSERT_NE(versionOf(after, url), nullptr);
    EXPECT_TRUE(deleteItem(http, url, versionOf(after, url)->etag).written());
    const Listing gone = listCalendar(http, calendar, after.syncToken);
    ASSERT_TRUE(gone.ok);
    if (gone.incremental) {
        ASSERT_NE(versionOf(gone, url), nullptr);
        EXPECT_EQ(versionOf(gone, url)->etag, "");  // reported as removed
    } else {
        EXPECT_EQ(versionOf(gone, url), nullptr);
    }
}

}  // namespace tavo::sync::test
