// Two-way sync of day lines with real servers, a second client playing the
// phone: each side's additions, edits and deletions reach the other; a line
// changed on both sides is kept with the server's version beside it (both on
// the server); a deletion meets an edit and the edit stays; a first sync of
// two full sides matches same day and text; a sync cut off between any two
// requests is finished by the next with nothing lost and nothing twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "../memory_data_folder.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/section_file.h"
#include "loopback_server.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "sync/caldav.h"
#include "sync/http_curl.h"
#include "sync/line_events.h"
#include "sync/sync_engine.h"

namespace tavo::sync::test {
namespace {

const int kDec7 = serialDayOf(2026, 12, 7), kDec8 = serialDayOf(2026, 12, 8);

// A connection that breaks after a number of requests, as a network drop or
// a killed process would leave a sync.
class BreakingHttp final : public HttpClient {
public:
    BreakingHttp(HttpClient& inner, int requests) : inner_(inner), left_(requests) {}
    HttpResponse send(const HttpRequest& request) override {
        if (left_-- <= 0) return {0, {}, {}, "接続が切れました"};
        return inner_.send(request);
    }

private:
    HttpClient& inner_;
    int left_;
};

class Sync : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override {
        std::string why;
        server = LoopbackServer::start(GetParam(), why);
        ASSERT_NE(server, nullptr) << why;
    }
    SyncSummary syncWith(HttpClient& client) {
        const DataSources own = here.sources();
        return syncCalendar(client, here.files, here.paths,
                            {server->calendar(), serialDayOf(2025, 1, 1), serialDayOf(2027, 12, 31), withOwn ? &own : nullptr});
    }
    SyncSummary sync() { return syncWith(http); }
    // The day's lines in the files (CP932).
    std::string linesOn(int serial) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        return readSection(here.files.files[scheduleFile(here.paths, kScheduleDay, y, m)], d);
    }
    void write(int serial, const std::string& text) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        std::string& file = here.files.files[scheduleFile(here.paths, kScheduleDay, y, m)];
        file = replaceSection(file, d, text.empty() ? std::string() : sectionBody(text));
    }
    // The phone: its own items, written as such a client writes them (with an alarm and a location Tavo does not show).
    void phonePut(const std::string& uid, const std::string& summary, const std::string& date, const std::string& ifMatch = "") {
        const std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
                                "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:" + date + "\r\nSUMMARY:" + cp932ToUtf8(summary) +
                                "\r\nLOCATION:Room 3\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:x\r\n"
                                "END:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        ASSERT_TRUE(putItem(http, server->calendar() + uid + ".ics", ics, ifMatch.empty() ? "" : ifMatch).written());
    }
    // Every item on the server: summary (CP932) -> its whole text, in summary order.
    std::multimap<std::string, std::string> serverItems() {
        std::multimap<std::string, std::string> items;
        const Listing all = listCalendar(http, server->calendar(), "");
        std::vector<std::string> urls;
        for (const ItemVersion& v : all.items) urls.push_back(v.url);
        for (const FetchedItem& item : fetchItems(http, server->calendar(), urls).items)
            for (const EventLine& l : linesOfEvent(item.ics, kDec7 - 400, kDec7 + 400).lines) items.emplace(l.text, item.ics);
        return items;
    }
    std::string etagOf(const std::string& name, bool isFileName = false) {
        for (const ItemVersion& v : listCalendar(http, server->calendar(), "").items)
            if (v.url == server->calendar() + (isFileName ? name : name + ".ics")) return v.etag;
        return {};
    }
    // Tavo's items are named after their UID, characters other than letters, digits, - and _ as -.
    static std::string fileNameOnServer(std::string uid) {
        for (char& c : uid)
            if (c == '@') c = '-';
        return uid + ".ics";
    }
    static std::string summaries(const std::multimap<std::string, std::string>& items) {
        std::string all;
        for (const auto& [summary, ics] : items) all += summary + "|";
        return all;
    }

    // The phone's edit of an item: its text with `from` replaced by `to`.
    void phoneEdits(const std::string& name, const std::string& from, const std::string& to) {
        const Fetch item = fetchItems(http, server->calendar(), {server->calendar() + name});
        ASSERT_EQ(item.items.size(), 1u) << name;
        std::string ics = item.items.front().ics;
        const std::size_t at = ics.find(from);
        ASSERT_NE(at, std::string::npos) << from << "\n" << ics;
        ics.replace(at, from.size(), to);
        ASSERT_TRUE(putItem(http, server->calendar() + name, ics, item.items.front().etag).written()) << ics;
    }

    std::unique_ptr<LoopbackServer> server;
    bool withOwn = false;
    CurlHttpClient http{{"tavo", "secret"}};
    tavo::test::MemoryDataFolder here;
};

TEST_P(Sync, EachSidesChangesReachTheOther) {
    write(kDec7, "14:30～15:00 歯医者\r\n買い物\r\n");
    phonePut("meeting", "会議", "20261208");
    SyncSummary s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(linesOn(kDec8), "会議\r\n");
    EXPECT_EQ(summaries(serverItems()), "14:30～15:00 歯医者|会議|買い物|");
    EXPECT_NE(serverItems().find("14:30～15:00 歯医者")->second.find("DTSTART;TZID=Asia/Tokyo:20261207T143000"), std::string::npos);
    EXPECT_EQ(s.server.added, 2);
    EXPECT_EQ(s.here.added, 1);

    const int writes = here.files.writes;
    const std::string before = here.files.files[syncStateFile(here.paths)];
    s = sync();  // nothing changed: nothing written
    EXPECT_EQ(here.files.files[syncStateFile(here.paths)], before);
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(here.files.writes, writes);
    EXPECT_EQ(s.server.added + s.server.changed + s.here.added + s.here.changed, 0);

    write(kDec7, "14:30～15:00 歯医者\r\n買い物 牛乳\r\n");
    phonePut("meeting", "会議 15時から", "20261208", etagOf("meeting"));
    s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(linesOn(kDec8), "会議 15時から\r\n");
    EXPECT_EQ(summaries(serverItems()), "14:30～15:00 歯医者|会議 15時から|買い物 牛乳|");
    EXPECT_NE(serverItems().find("会議 15時から")->second.find("LOCATION:Room 3"), std::string::npos);  // the phone's own

    write(kDec7, "買い物 牛乳\r\n");
    ASSERT_TRUE(deleteItem(http, server->calendar() + "meeting.ics", etagOf("meeting")).written());
    s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(linesOn(kDec8), "");
    EXPECT_EQ(summaries(serverItems()), "買い物 牛乳|");
}

TEST_P(Sync, ChangesOnBothSidesKeepBoth) {
    phonePut("a", "会議", "20261207");
    phonePut("b", "映画", "20261208");
    ASSERT_TRUE(sync().ok);
    write(kDec7, "会議 A室\r\n");                          // both edit the same item
    phonePut("a", "会議 B室", "20261207", etagOf("a"));
    write(kDec8, "");                                        // deleted here, edited there
    phonePut("b", "映画 レイトショー", "20261208", etagOf("b"));
    const SyncSummary s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(s.conflicts, 1);
    EXPECT_EQ(linesOn(kDec7), "会議 A室\r\n【競合】会議 B室\r\n");
    EXPECT_EQ(linesOn(kDec8), "映画 レイトショー\r\n");
    EXPECT_EQ(summaries(serverItems()), "映画 レイトショー|会議 A室|会議 B室|");
    ASSERT_TRUE(sync().ok);  // and it stays so
    EXPECT_EQ(linesOn(kDec7), "会議 A室\r\n【競合】会議 B室\r\n");
    EXPECT_EQ(summaries(serverItems()), "映画 レイトショー|会議 A室|会議 B室|");
}

TEST_P(Sync, AFirstSyncOfTwoFullSidesMakesNoDuplicates) {
    write(kDec7, "会議\r\n日直\r\n");
    phonePut("x", "会議", "20261207");
    phonePut("y", "出張", "20261207");
    phonePut("long", std::string(2100, 'x'), "20261207");  // more than a day's schedule may hold: told, left out
    const SyncSummary s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(linesOn(kDec7), "会議\r\n日直\r\n出張\r\n");
    ASSERT_EQ(s.notes.size(), 1u);
    EXPECT_NE(s.notes[0].find("xxxx"), std::string::npos);
    EXPECT_EQ(summaries(serverItems()), std::string(2100, 'x') + "|会議|出張|日直|");  // the long one stays there
}

// A weekly series from the phone: this side's edit of one occurrence becomes
// an override, a deletion an EXDATE, both merged with the phone's own
// override of another occurrence; where both changed the same occurrence
// both versions stay.
TEST_P(Sync, OccurrencesOfASeriesChangeOneByOne) {
    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\n";
    const std::string main = "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;TZID=Asia/Tokyo:20261201T090000\r\n"
                             "DTEND;TZID=Asia/Tokyo:20261201T093000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:" + cp932ToUtf8("朝会") +
                             "\r\nLOCATION:Room 3\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:x\r\n"
                             "END:VALARM\r\nEND:VEVENT\r\n";
    const std::string url = server->calendar() + "weekly.ics";
    ASSERT_TRUE(putItem(http, url, head + main + "END:VCALENDAR\r\n", "").written());
    ASSERT_TRUE(sync().ok);
    const int dec1 = serialDayOf(2026, 12, 1), dec15 = serialDayOf(2026, 12, 15), dec22 = serialDayOf(2026, 12, 22);
    EXPECT_EQ(linesOn(kDec8), "09:00～09:30 朝会\r\n");

    std::string overridden;  // the phone moves nobody but renames the 1st and the 22nd
    for (const auto& [day, name] : {std::pair{"20261201", "朝会 全体"}, std::pair{"20261222", "朝会 休み"}})
        overridden += "BEGIN:VEVENT\r\nUID:weekly\r\nDTSTAMP:20261202T000000Z\r\nRECURRENCE-ID;TZID=Asia/Tokyo:" + std::string(day) +
                      "T090000\r\nDTSTART;TZID=Asia/Tokyo:" + day + "T090000\r\nDTEND;TZID=Asia/Tokyo:" + day +
                      "T093000\r\nSUMMARY:" + cp932ToUtf8(name) + "\r\nEND:VEVENT\r\n";
    ASSERT_TRUE(putItem(http, url, head + main + overridden + "END:VCALENDAR\r\n", etagOf("weekly")).written());
    write(kDec8, "10:00～10:30 朝会 延期\r\n");
    write(dec15, "");
    write(dec22, "09:00～09:30 朝会 A\r\n");
    for (int round = 0; round < 2; ++round) {  // and the next sync leaves it so
        const SyncSummary s = sync();
        ASSERT_TRUE(s.ok) << s.problem;
        EXPECT_EQ(s.conflicts, round == 0 ? 1 : 0);
        EXPECT_EQ(linesOn(dec1), "09:00～09:30 朝会 全体\r\n");
        EXPECT_EQ(linesOn(kDec8), "10:00～10:30 朝会 延期\r\n");
        EXPECT_EQ(linesOn(dec15), "");
        EXPECT_EQ(linesOn(dec22), "09:00～09:30 朝会 A\r\n【競合】09:00～09:30 朝会 休み\r\n");
        const auto items = serverItems();
        EXPECT_EQ(summaries(items), "09:00～09:30 朝会 A|09:00～09:30 朝会 休み|09:00～09:30 朝会 全体|10:00～10:30 朝会 延期|");
        const std::string series = items.find("10:00～10:30 朝会 延期")->second;
        for (const char* kept : {"EXDATE;TZID=Asia/Tokyo:20261215T090000", "RECURRENCE-ID;TZID=Asia/Tokyo:20261208T090000",
                                 "DTSTART;TZID=Asia/Tokyo:20261208T100000", "TRIGGER:-PT15M", "LOCATION:Room 3"})
            EXPECT_NE(series.find(kept), std::string::npos) << kept << "\n" << series;
    }
}

// Tavo's every-year and every-week schedules, birthdays and anniversaries go
// up as recurring events. The phone's new text of a schedule or name of an
// anniversary comes back into their files; a birthday moved there is kept as
// day lines and Tavo's own written back; a schedule deleted in Tavo goes.
TEST_P(Sync, RecurringSchedulesGoUpAndWhatMapsBackComesBack) {
    withOwn = true;
    std::map<std::string, std::string>& files = here.files.files;
    const std::string yearly = scheduleFile(here.paths, kScheduleEveryYear, 0, 12), weekly = scheduleFile(here.paths, kScheduleEveryWeek, 0, 0);
    files[yearly] = ":24\r\nクリスマス会\r\n";
    files[weekly] = ":1\r\n14:00～15:00 定例\r\n";
    files[personalDayFile(here.paths, kBirthday, 12)] = ":25 1980\r\n太郎\r\n";
    files[personalDayFile(here.paths, kAnniversary, 12)] = ":3 2000\r\n結婚\r\n";
    SyncSummary s = sync();
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(s.server.added, 4);
    EXPECT_EQ(s.here.added, 0);
    auto items = serverItems();
    EXPECT_EQ(items.count("クリスマス会"), 3u);  // a yearly event seen over two years
    EXPECT_EQ(items.count("14:00～15:00 定例"), 115u);
    EXPECT_NE(items.find("太郎 の誕生日")->second.find("RRULE:FREQ=YEARLY"), std::string::npos);
    EXPECT_EQ(linesOn(kDec7) + linesOn(serialDayOf(2026, 12, 24)), "");  // no day lines of them

    const int writes = here.files.writes;
    s = sync();
    EXPECT_EQ(s.server.added + s.server.changed + s.here.changed, 0);
    EXPECT_EQ(here.files.writes, writes);

    phoneEdits("tavo-yearly-1224-tavo.ics", "SUMMARY:" + cp932ToUtf8("クリスマス会"),
               "SUMMARY:" + cp932ToUtf8("クリスマス パーティー") + "\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT1H\r\n"
               "DESCRIPTION:x\r\nEND:VALARM");
    phoneEdits("tavo-anniversary-1203-tavo.ics", "SUMMARY:" + cp932ToUtf8("結婚"), "SUMMARY:" + cp932ToUtf8("入籍"));
    phoneEdits("tavo-birthday-1225-tavo.ics", "DTSTART;VALUE=DATE:19801225", "DTSTART;VALUE=DATE:19801226");
    files.erase(weekly);
    for (int round = 0; round < 3; ++round) {
        s = sync();
        ASSERT_TRUE(s.ok) << s.problem;
        EXPECT_EQ(files[yearly], ":24\r\nクリスマス パーティー\r\n");
        EXPECT_EQ(files[personalDayFile(here.paths, kAnniversary, 12)], ":3 2000\r\n入籍\r\n");
        EXPECT_EQ(files[personalDayFile(here.paths, kBirthday, 12)], ":25 1980\r\n太郎\r\n");
        EXPECT_EQ(linesOn(serialDayOf(2026, 12, 26)), "太郎 の誕生日\r\n");
        items = serverItems();
        EXPECT_EQ(items.count("14:00～15:00 定例"), 0u);
        EXPECT_NE(items.find("クリスマス パーティー")->second.find("TRIGGER:-PT1H"), std::string::npos);  // the phone's version stays
        if (round == 0) continue;  // Tavo's birthday is written back, the moved days went up as lines
        EXPECT_EQ(items.count("太郎 の誕生日"), 6u) << round;
        if (round == 2) {
            EXPECT_EQ(s.server.added + s.server.changed + s.server.deleted + s.here.added + s.here.changed, 0);
        }
    }
}

// Cut off after every possible number of requests, the connection dropped
// (the sync keeps what it did) or the process killed (nothing written here
// after the cut), then finished: the same end as one whole sync.
TEST_P(Sync, ASyncCutOffAnywhereIsFinishedByTheNext) {
    for (const bool killed : {false, true}) {
        for (int requests = 0;; ++requests) {
            here.files.files.clear();
            for (const auto& [summary, ics] : serverItems()) {  // the phone's item alone there
                const std::size_t uid = ics.find("UID:") + 4;
                const std::string name = ics.substr(uid, ics.find_first_of("\r\n", uid) - uid);  // XML gives LF alone
                if (name != "p") deleteItem(http, server->calendar() + fileNameOnServer(name), etagOf(fileNameOnServer(name), true));
            }
            if (etagOf("p").empty()) phonePut("p", "出張", "20261208");
            write(kDec7, "朝会\r\n9:00 打ち合わせ\r\n");
            ASSERT_EQ(summaries(serverItems()), "出張|") << requests;
            const auto before = here.files.files;
            BreakingHttp breaking(http, requests);
            const SyncSummary cut = syncWith(breaking);
            if (killed) here.files.files = before;
            const SyncSummary next = sync();
            ASSERT_TRUE(next.ok) << next.problem << " after " << requests;
            EXPECT_EQ(linesOn(kDec7), "朝会\r\n9:00 打ち合わせ\r\n") << requests << (killed ? " killed" : "");
            EXPECT_EQ(linesOn(kDec8), "出張\r\n") << requests << (killed ? " killed" : "");
            EXPECT_EQ(summaries(serverItems()), "09:00 打ち合わせ|出張|朝会|") << requests << (killed ? " killed" : "");
            if (cut.ok) {
                EXPECT_GE(requests, 4);  // a listing, a fetch and the two new items at least
                break;
            }
            ASSERT_LT(requests, 40);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, Sync, ::testing::Values(ServerKind::Radicale, ServerKind::Xandikos),
                         [](const auto& info) { return std::string(serverName(info.param)); });

}  // namespace
}  // namespace tavo::sync::test
