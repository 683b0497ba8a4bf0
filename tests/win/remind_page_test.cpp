// The 通知 page: what OK writes is what the running reminder goes by at once.
#include "options_page_fixture.h"

namespace tavo::blackbox {
namespace {

constexpr int kOn = 1701, kLead = 1702, kDay = 1704, kSoundFile = 1710, kWave = 1711;

class RemindPage : public OptionsPageTest {
protected:
    HWND openPage(HWND from) {
        setProfileNumber(L"tavocust", L"exec", 0);
        return OptionsPageTest::openPage(from, kOn);
    }
    static bool reminderShown() {
        HWND remind = FindWindowW(L"TavoRemind", nullptr);
        return remind && IsWindowVisible(remind);
    }
};

TEST_F(RemindPage, OkChangesWhatTheRunningReminderShows) {
    DataFolder folder(L"tavo-remind-page");
    folder.useForAllData();
    folder.write(L"sch2026c.cal", ":7\r\n10:30 打ち合わせ\r\n");
    clock->setTime(10, 15);  // the default 10 minutes before: not yet
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    ASSERT_NE(waitForWindow(L"TavoRemind", kWait), nullptr);  // no launcher: the calendar reminds
    EXPECT_FALSE(reminderShown());

    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(checked(page, kOn));
    EXPECT_FALSE(enabled(page, kWave));  // only with a WAV file chosen
    click(page, kSoundFile);
    EXPECT_TRUE(enabled(page, kWave));
    retype(page, kLead, L"20");
    finish(IDOK);
    EXPECT_TRUE(waitUntil(reminderShown));
    DWORD value = 0;
    EXPECT_TRUE(readProfileNumber(L"remind", L"lead", value));
    EXPECT_EQ(value, 20u);

    page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kDay);  // day schedules no longer remind
    finish(IDOK);
    EXPECT_TRUE(waitUntil([] { return !reminderShown(); }));
    EXPECT_TRUE(readProfileNumber(L"remind", L"day", value));
    EXPECT_EQ(value, 0u);
}

}  // namespace
}  // namespace tavo::blackbox
