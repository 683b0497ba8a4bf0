// 検索 as a user meets it: Ctrl+F in the calendar, a word typed, the list's
// first line chosen, and Enter selecting that day with the range view there.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        folder.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
        clock = std::make_unique<TestClock>(20261207);
    }
    void TearDown() override {
        clock.reset();
        resetProfile();
    }

    DataFolder folder{L"tavo-search"};
    std::unique_ptr<TestClock> clock;
};

TEST_F(SearchWindowTest, CtrlFAWordAndEnterSelectTheDay) {
    folder.write(L"sch2026c.cal", ":7\r\n会議\r\n:15\r\nタナカさんと打ち合わせ\r\n");
    folder.write(L"sch2025b.cal", ":3\r\n\xC0\xC5\xB6 歯医者\r\n");  // ﾀﾅｶ, half-width
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    ASSERT_TRUE(pressWithControl(run.window(), 'F'));
    HWND search = waitForWindow(L"TavoFind", kWait);
    ASSERT_NE(search, nullptr);
    HWND query = nullptr, list = nullptr;  // made while the window is being created
    ASSERT_TRUE(waitUntil([&] {
        query = FindWindowExW(search, nullptr, L"Edit", nullptr);
        list = FindWindowExW(search, nullptr, L"ListBox", nullptr);
        return query && list;
    }));
    settle(search);
    typeText(query, L"たなか");
    ASSERT_TRUE(waitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 2; })) << SendMessageW(list, LB_GETCOUNT, 0, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);  // the first line: 3 November 2025
    EXPECT_EQ(windowText(GetDlgItem(search, 102)), L"2件");

    pressKey(query, VK_RETURN);
    EXPECT_TRUE(waitForStatus(run.window(), L"2025/11/ 3", kWait)) << statusBarText(run.window());
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    settle(view);
    EXPECT_NE(copiedRangeList(view).find(L"ﾀﾅｶ 歯医者"), std::wstring::npos) << copiedRangeList(view);
}

}  // namespace
}  // namespace tavo::blackbox
