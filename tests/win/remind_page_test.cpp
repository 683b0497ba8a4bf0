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

// A number field takes no more digits than are read, and a number past the
// range shows as the one used once the field is left.
TEST_F(RemindPage, ANumberPastTheRangeShowsAsTheOneUsed) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    retype(page, kLead, L"99999");
    EXPECT_EQ(controlText(GetDlgItem(page, kLead)), L"9999");  // four digits are read
    SendMessageW(GetAncestor(page, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, kLead)), TRUE);
    PostMessageW(GetDlgItem(page, kLead), WM_KEYDOWN, VK_TAB, 0);  // the field left
    EXPECT_TRUE(waitUntil([&] { return controlText(GetDlgItem(page, kLead)) == L"1440"; })) << controlText(GetDlgItem(page, kLead));
    finish(IDOK);
    DWORD value = 0;
    EXPECT_TRUE(readProfileNumber(L"remind", L"lead", value));
    EXPECT_EQ(value, 1440u);
}

}  // namespace
}  // namespace tavo::blackbox
