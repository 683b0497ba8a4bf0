// The day schedule window as a user meets it: opened from the calendar's
// menu, typed into, closed; what lands in the files, and what never gets lost.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/date_presets.h"
#include "calendar_cells.h"
#include "shared/cp932.h"
#include "shared_block_view.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr COLORREF kHaveScheduleFill = 8454143;
constexpr WPARAM kDay = CMD_DAY_SCHEDULE, kMemo = CMD_MEMO, kEveryYear = CMD_EVERY_YEAR, kEveryWeek = CMD_EVERY_WEEK,
                 kCutAll = CMD_EDIT_CUT_ALL;

class DaySchedule : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        folder.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);  // no range view in the way
        clock = std::make_unique<TestClock>(20050709);
    }
    void TearDown() override {
        clock.reset();
        resetProfile();
    }

    // Opens the window with a popup command and waits for it and its edit control.
    HWND open(HWND calendar, WPARAM command) {
        PostMessageW(calendar, WM_COMMAND, command, 0);
        HWND window = waitForWindow(L"WSch", kWait);
        if (window == nullptr) return nullptr;
        settle(window);  // found as soon as it exists: its edit comes while it is created
        edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
        return window;
    }
    // Closes the window and waits until it is gone.
    static bool closeWindow(HWND window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return waitForNoWindow(L"WSch", kWait);
    }
    static std::wstring expectedTitle(int kind, int year, int month, int day, int weekday) {
        DateFormatSet formats{};
        resetDateFormatSet(formats, 1);
        DayDate date = dayDate(year, month, day);
        date.weekday = weekday;
        return cp932ToWide(scheduleWindowTitle(formats, kind, date));
    }
    static std::string cp932(const std::wstring& text) { return wideToCp932(text); }
    // Keystrokes into the open window's text.
    void type(const std::wstring& text) const { typeText(edit, text); }

    DataFolder folder{L"tavo-schedule"};
    std::unique_ptr<TestClock> clock;
    HWND edit = nullptr;
};

TEST_F(DaySchedule, TypedTextBecomesTheDaySectionAndMarksTheCell) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(windowText(window), expectedTitle(1, 2005, 7, 9, 6));
    type(L"会議\r10時から");
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\n会議\r\n10時から\r\n"));
    pressKey(run.window(), VK_RIGHT);  // the selected cell has its own colour
    settle(run.window());
    const View view(run.window(), 2005, 7);
    EXPECT_TRUE(cellHasColour(run.window(), view.cellOf(9), kHaveScheduleFill));
}

TEST_F(DaySchedule, AddingADayLeavesEveryOtherByteAsItWas) {
    const std::string before = cp932(L":3\r\n三日\n:24\r\n二十四日\r\n自由な行\r\n");
    folder.write(L"sch20057.cal", before);
    CalendarRun run(L"2005/07/15");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"十五日");
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":3\r\n三日\n:15\r\n十五日\r\n:24\r\n二十四日\r\n自由な行\r\n"));
}

TEST_F(DaySchedule, ClosingUnchangedWritesNothingAndClearingTheOnlySectionDeletesTheFile) {
    const std::string original = cp932(L":9\r\n消す予定\n");  // an LF line a rewrite would change
    folder.write(L"sch20057.cal", original);
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), original);

    window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(controlText(edit), L"消す予定\r\n");
    PostMessageW(window, WM_COMMAND, kCutAll, 0);  // 全て切り取り
    settle(window);
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), "(missing)");
}

TEST_F(DaySchedule, EveryWeekOnAThursdayEditsKeyFourAndTheMemoGoesToItsFolder) {
    DataFolder memoFolder(L"tavo-memo");
    setProfileText(L"dir", L"mempath", memoFolder.path());
    CalendarRun run(L"2026/12/10");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kEveryWeek);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), expectedTitle(6, 2026, 12, 10, 4));
    type(L"定例");
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"schedulw.cal"), cp932(L":4\r\n定例\r\n"));

    window = open(run.window(), kMemo);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), expectedTitle(7, 2026, 12, 10, 4));
    type(L"買い物");
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(memoFolder.read(L"memo.cal"), cp932(L"買い物\r\n"));
    EXPECT_EQ(folder.read(L"memo.cal"), "(missing)");
}

TEST_F(DaySchedule, ASecondCommandKeepsTheOneOpenWindow) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    const std::wstring title = windowText(window);
    pressKey(run.window(), VK_RIGHT);
    PostMessageW(run.window(), WM_COMMAND, kEveryYear, 0);
    settle(run.window());
    EXPECT_EQ(countTopLevelWindows(L"WSch"), 1);
    EXPECT_EQ(windowText(window), title);
}

TEST_F(DaySchedule, ClosingTheCalendarSavesTheTypedText) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"閉じる前");
    DWORD code = 1;
    ASSERT_TRUE(run.close(code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\n閉じる前\r\n"));
}

// Logging off asks every window first: the typed text is saved then.
TEST_F(DaySchedule, LoggingOffSavesTheTypedText) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"ログオフ前");
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\nログオフ前\r\n"));
}

// A folder that cannot be written: the user is told, the window and the text
// stay, and once the folder can be written the same close saves.
TEST_F(DaySchedule, AFolderThatCannotBeWrittenKeepsTheText) {
    folder.write(L"sub", "a file where the folder should be");
    setProfileText(L"dir", L"schpath", folder.pathOf(L"sub"));
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"大事な予定");
    EXPECT_TRUE(toldAfter(window, WM_CLOSE, 0, L"保存できませんでした"));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(controlText(edit), L"大事な予定");

    DeleteFileW(folder.pathOf(L"sub").c_str());
    CreateDirectoryW(folder.pathOf(L"sub").c_str(), nullptr);
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sub\\sch20057.cal"), cp932(L":9\r\n大事な予定\r\n"));
}

// The folder changes while the window is open, as the folder page changes it
// in the running calendar: the text goes back where it was read, and the
// same day in the new folder stays as it was.
TEST_F(DaySchedule, AFolderChangeWhileOpenLosesNothingInEitherFolder) {
    DataFolder other(L"tavo-schedule-other");
    const std::string theirs = cp932(L":9\r\n別の予定\r\n");
    other.write(L"sch20057.cal", theirs);
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"会議");
    {
        SharedBlockView block(true);
        ASSERT_TRUE(block);
        copyToField(block.writable()->paths.scheduleFolder, kPathBytes, wideToCp932(other.path() + L"\\"));
    }
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\n会議\r\n"));
    EXPECT_EQ(other.read(L"sch20057.cal"), theirs);
}

TEST_F(DaySchedule, TextsThatCannotBeStoredAsTypedAreRefused) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    // A line that would read as a header is kept as text.
    type(L":9\rあと");
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\n：9\r\nあと\r\n"));

    // A character code page 932 cannot hold: told, and nothing written.
    window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    type(L"\xD83D\xDE00");  // an emoji
    EXPECT_TRUE(toldAfter(window, WM_CLOSE, 0, L"保存できません"));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal"), cp932(L":9\r\n：9\r\nあと\r\n"));
}

// The limit counts bytes as stored: 1000 kanji fill it, one more letter is refused.
TEST_F(DaySchedule, TheLimitIsTwoThousandStoredBytes) {
    CalendarRun run(L"2005/07/09");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kDay);
    ASSERT_NE(window, nullptr);
    const std::wstring full(1000, L'漢');
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(full.c_str()));
    type(L"x");
    EXPECT_EQ(controlText(edit).size(), 1000u);
    ASSERT_TRUE(closeWindow(window));
    EXPECT_EQ(folder.read(L"sch20057.cal").size(), 4u + 2000u + 2u);
}

}  // namespace
}  // namespace tavo::blackbox
