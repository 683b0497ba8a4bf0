// The 暦 page: its switches act at once, Cancel puts them back, OK writes them.
#include "options_page_fixture.h"

namespace tavo::blackbox {
namespace {

constexpr int kStatus = 1601, kCells = 1603;

class AlmanacPage : public OptionsPageTest {
protected:
    HWND openPage(HWND from) {
        setProfileNumber(L"tavocust", L"exec", 0);  // opens on 基本設定, whose page this is
        return OptionsPageTest::openPage(from, kStatus);
    }
};

TEST_F(AlmanacPage, TheStatusSwitchActsAtOnceAndOkWritesIt) {
    CalendarRun run(L"2026/12/22");
    ASSERT_NE(run.window(), nullptr);
    ASSERT_TRUE(waitForStatus(run.window(), L"2026/12/22", kWait));
    EXPECT_NE(statusBarText(run.window()).find(L"冬至"), std::wstring::npos);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(checked(page, kStatus));
    EXPECT_FALSE(checked(page, kCells));
    const auto statusShowsTheTerm = [&](bool shown) {
        return waitUntil([&] { return (statusBarText(run.window()).find(L"冬至") != std::wstring::npos) == shown; });
    };
    click(page, kStatus);
    EXPECT_TRUE(statusShowsTheTerm(false)) << statusBarText(run.window());
    finish(IDCANCEL);
    EXPECT_TRUE(statusShowsTheTerm(true)) << statusBarText(run.window());
    DWORD value = 1;
    EXPECT_FALSE(readProfileNumber(L"almanac", L"status", value));

    page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    click(page, kStatus);
    click(page, kCells);
    finish(IDOK);
    EXPECT_TRUE(readProfileNumber(L"almanac", L"status", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(readProfileNumber(L"almanac", L"cells", value));
    EXPECT_EQ(value, 1u);
}

}  // namespace
}  // namespace tavo::blackbox
