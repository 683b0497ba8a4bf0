// The date-format pages of both window groups, driven in the real dialog:
// the preset boxes, the own pattern with Apply, what the windows show at once,
// what Cancel restores and what OK writes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "options_page_fixture.h"

namespace tavo::blackbox {
namespace {

constexpr int kPart = 301, kLayout = 302, kNum = 308, kOwn = 1014, kPattern = 1101, kApply = 1003;
enum CalendarPart { kYearMon, kWeek, kStatusBar, kCaptionN };

class DateFormatPage : public OptionsPageTest {
protected:
    void SetUp() override {
        OptionsPageTest::SetUp();
        data.useForAllData();
    }
    HWND openPage(HWND from) { return OptionsPageTest::openPage(from, kPattern); }
    static void replacePattern(HWND page, const std::wstring& text) { retype(page, kPattern, text); }

    DataFolder data{L"tavo-date-format"};
};

TEST_F(DateFormatPage, OwnStatusPatternShowsAtOnceCancelRestoresOkWrites) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    ASSERT_TRUE(waitForStatus(run.window(), L"2026/12/ 7(月)", kWait)) << statusBarText(run.window());
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    choose(page, kPart, kStatusBar);
    EXPECT_FALSE(enabled(page, kPattern));
    click(page, kOwn);
    EXPECT_TRUE(enabled(page, kPattern));
    for (int box = kLayout; box <= kNum; ++box) EXPECT_FALSE(enabled(page, box)) << box;
    replacePattern(page, L"yyyy.mm.dd \"d\"");
    click(page, kApply);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026.12.07 d", kWait)) << statusBarText(run.window());
    finish(IDCANCEL);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 7(月)", kWait)) << statusBarText(run.window());
    DWORD own = 0;
    EXPECT_FALSE(readProfileNumber(L"own", L"StatusBar", own));

    page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    choose(page, kPart, kStatusBar);
    click(page, kOwn);
    replacePattern(page, L"yyyy.mm.dd");
    finish(IDOK);  // OK takes the typed pattern without Apply
    EXPECT_TRUE(waitForStatus(run.window(), L"2026.12.07", kWait)) << statusBarText(run.window());
    EXPECT_TRUE(readProfileNumber(L"own", L"StatusBar", own));
    EXPECT_EQ(own, 1u);
    std::wstring pattern;
    EXPECT_TRUE(readProfileText(L"dttext", L"StatusBar", pattern));
    EXPECT_EQ(pattern, L"yyyy.mm.dd");
    EXPECT_TRUE(readProfileNumber(L"own", L"YearMon", own));  // every text of the group is written
    EXPECT_EQ(own, 0u);
}

// Which boxes each kind of date text offers, and a preset change shown at once.
TEST_F(DateFormatPage, PartsOfferTheirOwnBoxes) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    struct Case {
        int part;
        bool boxes[7];  // layout, Year1, Year2, Mon, Day, Week, Num
        int counts[7];
    } cases[] = {
        {kWeek, {true, false, false, false, false, true, false}, {1, 0, 0, 0, 0, 5, 0}},
        {kYearMon, {true, true, true, true, false, false, false}, {5, 4, 4, 3, 0, 0, 0}},
        {kCaptionN, {true, true, true, true, true, true, true}, {6, 4, 4, 4, 2, 6, 2}},
    };
    for (const Case& c : cases) {
        choose(page, kPart, c.part);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(enabled(page, kLayout + i), c.boxes[i]) << "part " << c.part << " box " << i;
            EXPECT_EQ(SendDlgItemMessageW(page, kLayout + i, CB_GETCOUNT, 0, 0), c.counts[i]) << "part " << c.part << " box " << i;
        }
    }
    choose(page, kPart, kStatusBar);
    EXPECT_EQ(SendDlgItemMessageW(page, kLayout, CB_GETCURSEL, 0, 0), 1);  // the stored layout is selected
    choose(page, kLayout, 0);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026年12月 7日(月)", kWait)) << statusBarText(run.window());
    finish(IDCANCEL);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 7(月)", kWait)) << statusBarText(run.window());
}

// A pattern typed but not applied goes with its text when another text is chosen;
// the edit holds what the record can store; a character Shift-JIS lacks keeps the dialog open.
TEST_F(DateFormatPage, TypedPatternsAreNotLost) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    choose(page, kPart, kStatusBar);
    click(page, kOwn);
    replacePattern(page, L"d日");
    choose(page, kPart, kCaptionN);
    EXPECT_TRUE(waitForStatus(run.window(), L"7日", kWait)) << statusBarText(run.window());
    choose(page, kPart, kStatusBar);
    EXPECT_EQ(controlText(GetDlgItem(page, kPattern)), L"d日");

    replacePattern(page, std::wstring(300, L'x'));
    EXPECT_EQ(controlText(GetDlgItem(page, kPattern)).size(), 255u);
    replacePattern(page, std::wstring(200, L'日'));  // two bytes each
    EXPECT_EQ(controlText(GetDlgItem(page, kPattern)), std::wstring(127, L'日'));

    replacePattern(page, L"d\u2654");
    EXPECT_TRUE(toldAfter(dialog, WM_COMMAND, IDOK, L"保存できません"));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(controlText(GetDlgItem(page, kPattern)), L"d\u2654");
    replacePattern(page, L"d");
    finish(IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    std::wstring pattern;
    EXPECT_TRUE(readProfileText(L"dttext", L"StatusBar", pattern));
    EXPECT_EQ(pattern, L"d");
}

// The range view's page changes the view's title, not the calendar's.
TEST_F(DateFormatPage, TheRangeViewGroupChangesTheView) {
    data.write(L"sch2026c.cal", ":8\r\n会議\r\n");
    setProfileNumber(L"scv", L"aftd", 3);  // tomorrow is in range: the view opens at start-up
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    const std::wstring calendarTitle = windowText(run.window());
    EXPECT_EQ(windowText(view), L"2026/12/ 7(月)[+0]");
    HWND page = openPage(view);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(page, kPart, CB_GETCOUNT, 0, 0), 2);
    choose(page, kPart, 1);  // タイトルバー
    choose(page, kLayout, 0);
    // The view is told by a message of its own: wait for its title.
    EXPECT_TRUE(waitUntil([&] { return windowText(view) == L"2026年12月 7日(月)[+0]"; })) << windowText(view);
    EXPECT_EQ(windowText(run.window()), calendarTitle);
    finish(IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return windowText(view) == L"2026/12/ 7(月)[+0]"; })) << windowText(view);
}

}  // namespace
}  // namespace tavo::blackbox
