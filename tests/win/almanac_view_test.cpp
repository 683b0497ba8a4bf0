// The old almanac where users look: the status text of a day names its solar
// term, and the registry switch of the status bar leaves the text as before.
#include <gtest/gtest.h>

#include <memory>

#include "blackbox.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;

TEST(AlmanacView, TheStatusTextNamesTheDaysTerm) {
    resetProfile();
    const auto clock = std::make_unique<TestClock>(20261207);
    {
        CalendarRun run(L"2026/12/22");
        ASSERT_NE(run.window(), nullptr);
        EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/22(火)", kWait)) << statusBarText(run.window());
        EXPECT_NE(statusBarText(run.window()).find(L"冬至"), std::wstring::npos) << statusBarText(run.window());
        PostMessageW(run.window(), WM_KEYDOWN, VK_RIGHT, 0);  // 23 December: no term
        EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/23", kWait));
        EXPECT_EQ(statusBarText(run.window()).find(L"冬至"), std::wstring::npos);
    }
    setProfileNumber(L"almanac", L"status", 0);
    {
        CalendarRun run(L"2026/12/22");
        ASSERT_NE(run.window(), nullptr);
        EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/22(火)", kWait));
        EXPECT_EQ(statusBarText(run.window()).find(L"冬至"), std::wstring::npos) << statusBarText(run.window());
    }
    resetProfile();
}

}  // namespace
}  // namespace tavo::blackbox
