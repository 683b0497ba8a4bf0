// Calendars subscribed to, from a real web server on loopback: the page's
// list read, a calendar fetched into its copy and shown in the range view
// with its name, an unchanged one not written again, and a failed or
// unreadable answer leaving the copy (and what is shown) as it was.
#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <fstream>

#include "../memory_data_folder.h"
#include "calendar/data/range_list.h"
#include "calendar/data/subscriptions.h"
#include "calendar/text/date_format_set.h"
#include "loopback_server.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "calendar/text/locale_info.h"
#include "sync/http_curl.h"
#include "sync/subscription_fetch.h"

namespace tavo::sync::test {
namespace {

TEST(Subscriptions, ThePagesListIsANameAndAUrlALine) {
    const std::vector<Subscription> list = parseSubscriptionList(
        "US 祝日 webcal://example.com/us.ics\r\n  https://school.example/feed.ics  \r\n\r\nメモ: 学校\r\nftp://x/y.ics\r\n"
        "webcal://\r\n部活\thttp://club.example/c.ics\r\n");
    const std::vector<Subscription> wanted = {
        {"US 祝日", "webcal://example.com/us.ics"}, {"school.example", "https://school.example/feed.ics"}, {"部活", "http://club.example/c.ics"}};
    EXPECT_EQ(list, wanted);
    EXPECT_EQ(subscriptionFetchUrl("webcal://example.com/us.ics"), "https://example.com/us.ics");
    EXPECT_EQ(subscriptionFetchUrl("WEBCALS://example.com/us.ics"), "https://example.com/us.ics");
    std::string many;
    for (int i = 0; i < 40; ++i) many += "http://h/" + std::to_string(i) + ".ics\n";
    EXPECT_EQ(parseSubscriptionList(many).size(), kMostSubscriptions);
}

class Subscribed : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        server = LoopbackServer::start(ServerKind::Files, why);
        ASSERT_NE(server, nullptr) << why;
    }
    void publish(const std::string& text, std::time_t modified) {
        const std::string path = server->files() + "/school.ics";
        std::ofstream(path, std::ios::binary) << text;
        const utimbuf times{modified, modified};
        utime(path.c_str(), &times);
    }
    std::vector<std::string> rangeOf(int year, int month, int day) {
        const Subscriptions shown = loadSubscriptions(here.files, here.paths, {subscription});
        DataSources sources = here.sources();
        sources.subscriptions = &shown;
        DateFormatSet formats{};
        resetDateFormatSet(formats, 1);
        const RangeRequest request{year, month, day, {kRangeRelative, 0, 0}, false, false, formats, locale, nullptr, false};
        std::vector<std::string> data;
        for (const std::string& line : collectRange(request, sources).lines())
            if (line[0] != ':') data.push_back(line);
        return data;
    }

    std::unique_ptr<LoopbackServer> server;
    tavo::test::MemoryDataFolder here;
    CurlHttpClient http{{}};
    JapaneseLocale locale;
    Subscription subscription;
};

TEST_F(Subscribed, FetchedShownKeptWhenTheServerFails) {
    subscription = {"学校", server->root() + "school.ics"};
    const std::string day = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20261101T000000Z\r\n"
                            "DTSTART;VALUE=DATE:20261208\r\nSUMMARY:" + cp932ToUtf8("終業式") + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    publish(day, std::time(nullptr) - 100);
    SubscriptionRefresh r = refreshSubscription(http, here.files, here.paths, subscription);
    ASSERT_TRUE(r.ok) << r.problem;
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(rangeOf(2026, 12, 8), std::vector<std::string>{"終業式(学校)"});

    const int writes = here.files.writes;
    r = refreshSubscription(http, here.files, here.paths, subscription);  // asked with Last-Modified: 304
    EXPECT_TRUE(r.ok && !r.changed) << r.problem;
    EXPECT_EQ(here.files.writes, writes);

    std::string moved = day;
    moved.replace(moved.find("20261208"), 8, "20261209");
    publish(moved, std::time(nullptr) + 100);
    ASSERT_TRUE(refreshSubscription(http, here.files, here.paths, subscription).changed);
    EXPECT_EQ(rangeOf(2026, 12, 8), std::vector<std::string>{});
    EXPECT_EQ(rangeOf(2026, 12, 9), std::vector<std::string>{"終業式(学校)"});

    publish("<html>not found</html>", std::time(nullptr) + 200);  // an answer that is no calendar
    r = refreshSubscription(http, here.files, here.paths, subscription);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.problem.find("iCalendar"), std::string::npos) << r.problem;
    server->stop();  // offline: the copy is still shown
    r = refreshSubscription(http, here.files, here.paths, subscription);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(rangeOf(2026, 12, 9), std::vector<std::string>{"終業式(学校)"});
}

}  // namespace
}  // namespace tavo::sync::test
