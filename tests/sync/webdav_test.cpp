// Multistatus answers as servers write them (any prefixes, a removed member
// in a sync report, properties the server does not have), and XML that must
// be refused rather than read: not well-formed, a DOCTYPE, too deep.
#include <gtest/gtest.h>

#include "sync/webdav.h"
#include "sync/xml.h"

namespace tavo::sync {
namespace {

TEST(WebDav, MultistatusAsServersWriteIt) {
    const Multistatus m = parseMultistatus(
        "<?xml version=\"1.0\"?><D:multistatus xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
        "<D:response><D:href>/cal/a.ics</D:href><D:propstat><D:prop><D:getetag>\"1\"</D:getetag>"
        "<C:calendar-data>BEGIN:VCALENDAR&#13;\nEND:VCALENDAR&#13;\n</C:calendar-data></D:prop>"
        "<D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
        "<D:propstat><D:prop><D:displayname/></D:prop><D:status>HTTP/1.1 404 Not Found</D:status></D:propstat></D:response>"
        "<response xmlns=\"DAV:\"><href>/cal/b.ics</href><status>HTTP/1.1 404 Not Found</status></response>"
        "<D:response><D:href>/cal/</D:href><D:propstat><D:prop><D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
        "<C:supported-calendar-component-set><C:comp name=\"VTODO\"/></C:supported-calendar-component-set>"
        "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>"
        "<D:sync-token>http://example.com/sync/7</D:sync-token></D:multistatus>");
    ASSERT_EQ(m.problem, "");
    ASSERT_EQ(m.resources.size(), 3u);
    EXPECT_EQ(m.resources[0].href, "/cal/a.ics");
    EXPECT_EQ(m.resources[0].status, 200);
    EXPECT_EQ(m.resources[0].props.etag, "\"1\"");
    // &#13; is CR; Wine's XmlLite gives a blank for it (Windows' and expat give CR), which the calendar reader takes as well.
    std::string data = m.resources[0].props.calendarData.value_or("");
    for (std::size_t at; (at = data.find_first_of("\r ")) != std::string::npos;) data.erase(at, 1);
    EXPECT_EQ(data, "BEGIN:VCALENDAR\nEND:VCALENDAR\n");
    EXPECT_FALSE(m.resources[0].props.displayName.has_value());  // 404 in its propstat: not had
    EXPECT_EQ(m.resources[1].status, 404);
    EXPECT_TRUE(m.resources[2].props.calendar);
    EXPECT_FALSE(m.resources[2].props.events);  // tasks only
    EXPECT_EQ(m.syncToken, "http://example.com/sync/7");
}

TEST(WebDav, XmlThatIsRefused) {
    std::string deep;
    for (int i = 0; i < kMostXmlDepth + 1; ++i) deep += "<a>";
    const struct {
        const char* what;
        std::string xml;
        const char* problem;  // a part of it; nullptr: refused, the words are the parser's
    } cases[] = {
        {"not well-formed", "<D:multistatus xmlns:D=\"DAV:\"><D:response>", nullptr},
        {"entities", "<!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]><x>&b;</x>", nullptr},
        {"too deep", deep, "deep"},
        {"empty", "", "line"},
        {"not a multistatus", "<html><body>login</body></html>", "not a multistatus"},
    };
    for (const auto& c : cases) {
        const Multistatus m = parseMultistatus(c.xml);
        EXPECT_NE(m.problem.find(c.problem ? c.problem : ""), std::string::npos) << c.what << ": " << m.problem;
        EXPECT_FALSE(m.problem.empty()) << c.what;
        EXPECT_TRUE(m.resources.empty()) << c.what;
    }
    EXPECT_EQ(statusCodeOf("HTTP/1.1 507 Insufficient Storage"), 507);
    EXPECT_EQ(statusCodeOf("garbage"), 0);
}

}  // namespace
}  // namespace tavo::sync
