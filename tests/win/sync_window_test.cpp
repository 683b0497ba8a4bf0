// 同期 as a user meets it: chosen in the launcher's menu, a line typed in the
// day schedule window goes to a real CalDAV server on loopback, an event made
// elsewhere comes into the calendar's files, the summary tells both and the
// status bar the time; the calendar subscribed to shows in the range view.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"
#include "caldav_server.h"
#include "options_page_fixture.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "sync/caldav.h"
#include "sync/http_winhttp.h"
#include "sync/line_events.h"
#include "win/credentials.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 20000;

class SyncWindow : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        folder.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
        clock = std::make_unique<TestClock>(20261207);
        root = caldavServerRoot();
        calendar = root + "tavo/calendar/";
        clearServer();
    }
    void TearDown() override {
        clearServer();
        win::forgetPassword("Tavo/CalDAV/" + root);
        clock.reset();
        resetProfile();
    }
    void clearServer() {
        for (const sync::ItemVersion& v : sync::listCalendar(http, calendar, "").items) sync::deleteItem(http, v.url, v.etag);
    }
    // Summaries (CP932) of the server's items with their start lines.
    std::string serverHolds() {
        std::string all;
        std::vector<std::string> urls;
        for (const sync::ItemVersion& v : sync::listCalendar(http, calendar, "").items) urls.push_back(v.url);
        for (const sync::FetchedItem& item : sync::fetchItems(http, calendar, urls).items)
            for (const sync::EventLine& l : sync::linesOfEvent(item.ics, 0, 4000000).lines) all += l.text + "|";
        return all;
    }

    DataFolder folder{L"tavo-sync"};
    std::unique_ptr<TestClock> clock;
    std::string root, calendar;
    sync::WinHttpClient http{{"tavo", "secret"}};
};

TEST_F(SyncWindow, ATypedLineGoesToTheServerAndAServerEventComesIn) {
    ASSERT_FALSE(root.empty()) << "no server (TAVO_CALDAV_STATE)";
    ASSERT_TRUE(sync::putItem(http, calendar + "phone.ics",
                              sync::eventOfLine("phone@example", serialDayOf(2026, 12, 8), "電話会議"), "").written());
    setProfileText(L"sync", L"url", cp932ToWide(utf8ToCp932(root)));
    setProfileText(L"sync", L"user", L"tavo");
    setProfileText(L"sync", L"webcal", L"チーム " + cp932ToWide(utf8ToCp932(calendar)));  // the same calendar, published
    ASSERT_TRUE(win::storePassword("Tavo/CalDAV/" + root, "tavo", "secret"));

    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_COMMAND, CMD_DAY_SCHEDULE, 0);
    HWND schedule = waitForWindow(L"WSch", kWait);
    ASSERT_NE(schedule, nullptr);
    settle(schedule);
    typeText(FindWindowExW(schedule, nullptr, L"Edit", nullptr), L"14:00 歯医者");
    PostMessageW(schedule, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitForNoWindow(L"WSch", kWait));

    EXPECT_EQ(statusBarText(run.window(), 1), L"(no such part)");  // no sync yet: no word of it
    Process tray(besideTest(L"TavoTray.exe"));  // 同期 of the launcher's menu: the running calendar syncs
    HWND launcher = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(launcher, nullptr);
    PostMessageW(launcher, WM_SYSCOMMAND, 101, 0);
    HWND summary = waitForDialog(run.window(), L"Tavo", kWait);
    ASSERT_NE(summary, nullptr);
    EXPECT_NE(messageBoxText(summary).find(L"このパソコン: 追加1件、変更0件、削除0件\nサーバー: 追加1件"), std::wstring::npos)
        << messageBoxText(summary);
    PostMessageW(summary, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(statusBarText(run.window(), 1).rfind(L"同期 ", 0), 0u) << statusBarText(run.window(), 1);
    const std::string held = serverHolds();  // the server's form of the time
    EXPECT_NE(held.find(wideToCp932(L"14:00 歯医者|")), std::string::npos) << cp932ToUtf8(held);
    EXPECT_NE(held.find(wideToCp932(L"電話会議|")), std::string::npos) << cp932ToUtf8(held);
    EXPECT_EQ(folder.read(L"sch2026c.cal"), wideToCp932(L":7\r\n14:00 歯医者\r\n:8\r\n電話会議\r\n"));
    std::wstring kept;
    EXPECT_TRUE(readProfileText(L"sync", L"calendar", kept));  // found once, kept
    EXPECT_EQ(kept, cp932ToWide(utf8ToCp932(calendar)));

    // The subscription's copy, shown in the range view under its name (never in the files above).
    pressKey(run.window(), VK_RIGHT);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 8", kWait)) << statusBarText(run.window());
    pressKey(run.window(), VK_RETURN);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    EXPECT_NE(copiedRangeList(view).find(L"電話会議(チーム)"), std::wstring::npos) << copiedRangeList(view);
}

// The 同期 page asks the server for the account's calendars and keeps the one
// chosen; the subscriptions typed are kept as typed.
class SyncAccountPage : public OptionsPageTest {};

TEST_F(SyncAccountPage, TheCalendarIsChosenAmongThoseTheServerHas) {
    constexpr int kUrl = 1801, kUser = 1802, kPassword = 1803, kSubscriptions = 1807, kCalendar = 1808, kFind = 1809;
    const std::string root = caldavServerRoot();
    ASSERT_FALSE(root.empty()) << "no server (TAVO_CALDAV_STATE)";
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    setProfileNumber(L"tavocust", L"exec", 0);
    HWND page = openPage(run.window(), kUrl);
    ASSERT_NE(page, nullptr);
    retype(page, kUrl, cp932ToWide(utf8ToCp932(root)));
    retype(page, kUser, L"tavo");
    retype(page, kPassword, L"secret");
    click(page, kFind);
    HWND list = GetDlgItem(page, kCalendar);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 1);
    wchar_t shown[512] = {};
    SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_NE(std::wstring(shown).find(L"tavo/calendar/"), std::wstring::npos) << shown;
    retype(page, kSubscriptions, L"学校 https://school.example/feed.ics");
    finish(IDOK);
    std::wstring kept;
    EXPECT_TRUE(readProfileText(L"sync", L"calendar", kept));
    EXPECT_EQ(kept, cp932ToWide(utf8ToCp932(root + "tavo/calendar/")));
    EXPECT_TRUE(readProfileText(L"sync", L"webcal", kept));
    EXPECT_EQ(kept, L"学校 https://school.example/feed.ics");
    win::forgetPassword("Tavo/CalDAV/" + root);
}

}  // namespace
}  // namespace tavo::blackbox
