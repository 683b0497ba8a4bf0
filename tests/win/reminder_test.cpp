// Reminders as a user meets them: the launcher shows the reminder window at
// the minute, snooze brings it back, close ends it for good (a restart of the
// launcher does not bring it back), a line added in an editor while it runs
// is reminded too, and only one process ever reminds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "blackbox.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 20000;

std::vector<std::wstring> listTexts(HWND list) {
    std::vector<std::wstring> texts;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

std::wstring joined(const std::vector<std::wstring>& texts) {
    std::wstring all;
    for (const std::wstring& t : texts) all += t + L"|";
    return all;
}

DWORD processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

class Reminders : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        clock = std::make_unique<TestClock>(20261207);
        clock->setTime(10, 0);
        folder.useForAllData();
    }
    void TearDown() override {
        for (const wchar_t* program : {L"TavoTray", L"Tavo"}) {
            if (HWND w = FindWindowW(program, nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
            waitForNoWindow(program, kWait);
        }
        waitForNoWindow(L"TavoRemind", kWait);
        clock.reset();
        resetProfile();
    }
    // The minute comes: the clock moves and the reminder window hears of it as of a clock change.
    void at(int hour, int minute) {
        clock->setTime(hour, minute);
        if (HWND remind = FindWindowW(L"TavoRemind", nullptr)) {
            SendMessageW(remind, WM_TIMECHANGE, 0, 0);
            settle(remind);
        }
    }
    static void press(HWND remind, const wchar_t* button) {
        HWND control = FindWindowExW(remind, nullptr, L"Button", button);
        ASSERT_NE(control, nullptr) << "no button " << button;
        PostMessageW(control, BM_CLICK, 0, 0);
    }
    static bool shown(HWND remind) { return IsWindowVisible(remind) != FALSE; }
    static std::wstring listed(HWND remind) { return joined(listTexts(FindWindowExW(remind, nullptr, L"ListBox", nullptr))); }
    static DWORD reminded() {
        DWORD count = 0;
        readProfileNumber(L"testclock", L"reminded", count);
        return count;
    }
    // The count once it reached `atLeast` (the sound comes just after the window shows) and the window is idle.
    static DWORD remindedBy(HWND remind, DWORD atLeast) {
        waitUntil([&] { return reminded() >= atLeast; });
        settle(remind);
        return reminded();
    }

    std::unique_ptr<TestClock> clock;
    DataFolder folder{L"tavo-reminders"};
};

TEST_F(Reminders, TheLauncherRemindsOnTimeSnoozesAndClosesForGood) {
    folder.write(L"sch2026c.cal", ":7\r\n10:12～11:00 歯医者\r\n買い物\r\n");  // due at 10:02 (10 minutes before)
    std::unique_ptr<Process> tray = std::make_unique<Process>(besideTest(L"TavoTray.exe"));
    HWND remind = waitForWindow(L"TavoRemind", kWait);
    ASSERT_NE(remind, nullptr);
    at(10, 1);
    EXPECT_FALSE(shown(remind));
    at(10, 2);
    ASSERT_TRUE(waitUntil([&] { return shown(remind); }));
    EXPECT_EQ(listed(remind), L"今日 10:12～11:00  歯医者|");
    EXPECT_EQ(remindedBy(remind, 1), 1u);  // the sound, once

    press(remind, L"スヌーズ(&S)");  // 5 minutes, the first choice
    ASSERT_TRUE(waitUntil([&] { return !shown(remind); }));
    at(10, 6);
    EXPECT_FALSE(shown(remind));
    at(10, 7);
    ASSERT_TRUE(waitUntil([&] { return shown(remind); }));
    EXPECT_EQ(remindedBy(remind, 2), 2u);

    press(remind, L"閉じる(&C)");
    ASSERT_TRUE(waitUntil([&] { return !shown(remind); }));
    EXPECT_EQ(folder.read(L"remind.dat"), "2026-12-07 10:12 day - 歯医者\r\n");

    PostMessageW(FindWindowW(L"TavoTray", nullptr), WM_CLOSE, 0, 0);
    DWORD code = 0;
    ASSERT_TRUE(tray->waitExit(kWait, code));
    tray = std::make_unique<Process>(besideTest(L"TavoTray.exe"));
    remind = waitForWindow(L"TavoRemind", kWait);
    ASSERT_NE(remind, nullptr);
    at(10, 9);
    EXPECT_FALSE(shown(remind));  // closed for good

    // An editor saves a new line while the launcher runs: no message, only the file.
    folder.write(L"sch2026c.cal", ":7\r\n10:12～11:00 歯医者\r\n10:15 電話\r\n買い物\r\n");
    ASSERT_TRUE(waitUntil([&] { return shown(remind); }));
    EXPECT_EQ(listed(remind), L"今日 10:15  電話|");

    // 開く: the calendar starts on that day with its schedule open.
    press(remind, L"開く(&O)");
    HWND schedule = waitForWindow(L"WSch", kWait);
    ASSERT_NE(schedule, nullptr);
    EXPECT_TRUE(waitUntil([&] { return windowText(schedule).find(L"2026/12/ 7") != std::wstring::npos; }))
        << windowText(schedule);  // its title is set once it opens
}

// The calendar reminds only while no launcher does; a launcher that starts
// takes over, one that ends hands back.
TEST_F(Reminders, OneProcessReminds) {
    Process calendar(besideTest(L"Tavo.exe"));
    HWND calendarWindow = waitForWindow(L"Tavo", kWait);
    ASSERT_NE(calendarWindow, nullptr);
    HWND remind = waitForWindow(L"TavoRemind", kWait);
    ASSERT_NE(remind, nullptr);
    EXPECT_EQ(processOf(remind), processOf(calendarWindow));

    Process tray(besideTest(L"TavoTray.exe"));
    HWND trayWindow = waitForWindow(L"TavoTray", kWait);
    ASSERT_NE(trayWindow, nullptr);
    ASSERT_TRUE(waitUntil([&] {
        HWND w = FindWindowW(L"TavoRemind", nullptr);
        return w && processOf(w) == processOf(trayWindow) && countTopLevelWindows(L"TavoRemind") == 1;
    }));

    folder.write(L"sch2026c.cal", ":7\r\n10:05 会議\r\n");
    ASSERT_TRUE(waitUntil([&] { return shown(FindWindowW(L"TavoRemind", nullptr)); }));
    EXPECT_EQ(countTopLevelWindows(L"TavoRemind"), 1);
    EXPECT_EQ(remindedBy(FindWindowW(L"TavoRemind", nullptr), 1), 1u);  // told by one process only
}

}  // namespace
}  // namespace tavo::blackbox
