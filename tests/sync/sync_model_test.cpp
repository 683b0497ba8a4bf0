// Sequences of random changes on both sides with syncs between, against a
// model of what both must hold after each sync: nothing lost, nothing twice.
// Then the cost of a sync with nothing to do, and tavocal's sync command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "../memory_data_folder.h"
#include "calendar/data/section_file.h"
#include "cli/commands.h"
#include "loopback_server.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "sync/caldav.h"
#include "sync/http_curl.h"
#include "sync/line_events.h"
#include "sync/sync_engine.h"

namespace tavo::sync::test {
namespace {

const int kFirst = serialDayOf(2026, 12, 1);
constexpr int kDays = 5;

// Counts what goes out.
class CountingHttp final : public HttpClient {
public:
    explicit CountingHttp(HttpClient& inner) : inner_(inner) {}
    HttpResponse send(const HttpRequest& request) override {
        ++requests;
        return inner_.send(request);
    }
    int requests = 0;

private:
    HttpClient& inner_;
};

struct Item {
    int serial;
    std::string text;  // CP932
    bool operator<(const Item& o) const { return std::tie(serial, text) < std::tie(o.serial, o.text); }
    bool operator==(const Item& o) const { return serial == o.serial && text == o.text; }
};

class SyncModel : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override {
        std::string why;
        server = LoopbackServer::start(GetParam(), why);
        ASSERT_NE(server, nullptr) << why;
    }
    SyncSummary sync(HttpClient& client) {
        return syncCalendar(client, here.files, here.paths, {server->calendar(), kFirst - 30, kFirst + 60});
    }
    std::string& file() { return here.files.files[scheduleFile(here.paths, kScheduleDay, 2026, 12)]; }
    std::vector<std::string> localLines(int serial) {
        std::vector<std::string> lines;
        const std::string section = readSection(file(), serial - kFirst + 1);
        for (std::string_view raw : fileLines(section))
            if (!lineContent(raw).empty()) lines.emplace_back(lineContent(raw));
        return lines;
    }
    void setLocalLines(int serial, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        file() = replaceSection(file(), serial - kFirst + 1, text.empty() ? "" : sectionBody(text));
    }
    std::vector<Item> localItems() {
        std::vector<Item> items;
        for (int d = 0; d < kDays; ++d)
            for (const std::string& l : localLines(kFirst + d)) items.push_back({kFirst + d, l});
        std::sort(items.begin(), items.end());
        return items;
    }
    struct ServerItem {
        std::string url, etag, ics;
        Item item;
    };
    std::vector<ServerItem> serverItems() {
        std::vector<ServerItem> items;
        const Listing all = listCalendar(http, server->calendar(), "");
        std::vector<std::string> urls;
        for (const ItemVersion& v : all.items) urls.push_back(v.url);
        for (const FetchedItem& f : fetchItems(http, server->calendar(), urls).items)
            for (const EventLine& l : linesOfEvent(f.ics, kFirst - 30, kFirst + 60).lines) items.push_back({f.url, f.etag, f.ics, {l.serial, l.text}});
        return items;
    }
    std::vector<Item> serverModelItems() {
        std::vector<Item> items;
        for (const ServerItem& s : serverItems()) items.push_back(s.item);
        std::sort(items.begin(), items.end());
        return items;
    }
    std::string phoneEvent(const std::string& uid, const Item& item) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
               "\r\nDTSTAMP:20261201T000000Z\r\n" + "DTSTART;VALUE=DATE:" + yyyymmdd(item.serial) +
               "\r\nSUMMARY:" + cp932ToUtf8(item.text) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    }
    static std::string yyyymmdd(int serial) {
        int y, m, d;
        civilFromSerial(serial, y, m, d);
        char text[16];
        std::snprintf(text, sizeof text, "%04d%02d%02d", y, m, d);
        return text;
    }

    // Rounds of random changes on both sides (an item changed on one side only
    // between two syncs), each followed by a sync through `client`.
    void randomRounds(HttpClient& client, std::initializer_list<unsigned> sequences);

    std::unique_ptr<LoopbackServer> server;
    CurlHttpClient http{{"tavo", "secret"}};
    tavo::test::MemoryDataFolder here;
};

std::string describe(const std::vector<Item>& items) {
    std::string text;
    for (const Item& i : items) text += std::to_string(i.serial - kFirst) + ":" + cp932ToUtf8(i.text) + " ";
    return text;
}

// Both sides must hold exactly the model after every sync.
// A server that does not know sync-collection (as some do not): the sync
// lists every item's ETag instead.
class NoSyncTokenHttp final : public HttpClient {
public:
    explicit NoSyncTokenHttp(HttpClient& inner) : inner_(inner) {}
    HttpResponse send(const HttpRequest& request) override {
        if (request.method == "REPORT" && request.body.find("sync-collection") != std::string::npos) return {403, {}, {}, {}};
        return inner_.send(request);
    }

private:
    HttpClient& inner_;
};

TEST_P(SyncModel, RandomChangesOnBothSidesEndEqualToTheModel) { randomRounds(http, {1u, 2u, 3u}); }

TEST_P(SyncModel, WithoutSyncTokensToo) {
    NoSyncTokenHttp noTokens(http);
    randomRounds(noTokens, {4u});
}

void SyncModel::randomRounds(HttpClient& client, std::initializer_list<unsigned> sequences) {
    for (unsigned sequence : sequences) {
        here.files.files.clear();
        for (const ServerItem& s : serverItems()) deleteItem(http, s.url, s.etag);
        std::mt19937 random(sequence);
        std::vector<Item> model;
        int made = 0;
        for (int round = 0; round < 12; ++round) {
            std::vector<Item> touched;  // changed this round: not changed again on the other side
            const auto untouched = [&](const Item& i) { return std::find(touched.begin(), touched.end(), i) == touched.end(); };
            for (int op = 0; op < 3; ++op) {
                const int kind = static_cast<int>(random() % 6);
                const int serial = kFirst + static_cast<int>(random() % kDays);
                const std::string text = "予定" + std::to_string(++made);
                if (kind == 0) {  // added here
                    std::vector<std::string> lines = localLines(serial);
                    lines.push_back(text);
                    setLocalLines(serial, lines);
                    model.push_back({serial, text});
                    touched.push_back({serial, text});
                } else if (kind == 1) {  // added on the server
                    ASSERT_TRUE(putItem(http, server->calendar() + "phone" + std::to_string(made) + ".ics",
                                        phoneEvent("phone" + std::to_string(made), {serial, text}), "").written());
                    model.push_back({serial, text});
                    touched.push_back({serial, text});
                } else if (!model.empty()) {
                    const std::size_t at = random() % model.size();
                    const Item old = model[at];
                    if (!untouched(old)) continue;
                    const bool onServer = kind >= 4, remove = kind % 2 == 1;
                    const Item now{old.serial, old.text + "+"};
                    if (onServer) {
                        for (const ServerItem& s : serverItems()) {
                            if (!(s.item == old)) continue;
                            if (remove) ASSERT_TRUE(deleteItem(http, s.url, s.etag).written());
                            else ASSERT_TRUE(putItem(http, s.url, withLine(s.ics, now.serial, now.text), s.etag).written());
                            break;
                        }
                    } else {
                        std::vector<std::string> lines = localLines(old.serial);
                        const auto line = std::find(lines.begin(), lines.end(), old.text);
                        ASSERT_NE(line, lines.end());
                        if (remove) lines.erase(line);
                        else *line = now.text;
                        setLocalLines(old.serial, lines);
                    }
                    if (remove) model.erase(model.begin() + static_cast<long>(at));
                    else model[at] = now, touched.push_back(now);
                }
            }
            const SyncSummary s = sync(client);
            ASSERT_TRUE(s.ok) << s.problem << " sequence " << sequence << " round " << round;
            ASSERT_EQ(s.conflicts, 0);
            std::sort(model.begin(), model.end());
            ASSERT_EQ(describe(localItems()), describe(model)) << "here, sequence " << sequence << " round " << round;
            ASSERT_EQ(describe(serverModelItems()), describe(model)) << "server, sequence " << sequence << " round " << round;
        }
    }
}

// With nothing changed on either side a sync is one request and writes no file.
TEST_P(SyncModel, ASyncWithNothingToDoIsOneRequestAndNoWrite) {
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "予定" + std::to_string(i) + "\r\n";
    setLocalLines(kFirst, {});
    file() = replaceSection(file(), 1, sectionBody(lines));
    ASSERT_TRUE(sync(http).ok);
    ASSERT_TRUE(sync(http).ok);  // after Tavo's own writes the token may move once
    CountingHttp counting(http);
    const int writes = here.files.writes;
    const SyncSummary s = sync(counting);
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(counting.requests, 1);
    EXPECT_EQ(here.files.writes, writes);
    EXPECT_EQ(serverModelItems().size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncModel, ::testing::Values(ServerKind::Radicale, ServerKind::Xandikos),
                         [](const auto& info) { return std::string(serverName(info.param)); });

// tavocal sync: the password from the environment (Radicale asks for it),
// exit 2 with words on a failure.
TEST(SyncCommandLine, PasswordFromTheEnvironmentAndFailuresInWords) {
    std::string why;
    const std::unique_ptr<LoopbackServer> server = LoopbackServer::start(ServerKind::Radicale, why);
    ASSERT_NE(server, nullptr) << why;
    char folder[] = "/tmp/tavo-cli-sync-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const struct {
        const char* password;
        std::vector<std::string> words;
        int status;
        const char* output;  // a part of out + err
    } cases[] = {
        {"secret", {"sync", "--url", server->root(), "--user", "tavo", "--dir", folder}, 0, "0 conflicts"},
        {"wrong", {"sync", "--url", server->calendar(), "--user", "tavo", "--dir", folder}, 2, "401"},
        {"secret", {"sync", "--user", "tavo", "--dir", folder}, 2, "--url"},
    };
    for (const auto& c : cases) {
        setenv("TAVO_PASSWORD", c.password, 1);
        std::ostringstream out, err;
        EXPECT_EQ(cli::run(c.words, out, err), c.status) << out.str() << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.output), std::string::npos) << out.str() << err.str();
    }
    unsetenv("TAVO_PASSWORD");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tavo::sync::test
