// The closed-days page and its rule editor, driven in the real dialog: what
// the calendar shows at once, what Cancel restores and what OK writes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar_cells.h"
#include "calendar/calc/holidays.h"
#include "calendar/data/design_set.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr COLORREF kClosedText = 33023;  // closed weekdays' numbers, orange

class ClosedDaysPage : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        setProfileNumber(L"custpos", L"xCst", 420);  // the dialog beside the calendar, not over it
        setProfileNumber(L"custpos", L"yCst", 0);
        clock = std::make_unique<TestClock>(20261207);
        DeleteFileW(rulesFile().c_str());
    }
    void TearDown() override {
        SetFileAttributesW(rulesFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(rulesFile().c_str());
        clock.reset();
        resetProfile();
    }
    static std::wstring rulesFile() { return besideTest(L"Holiday2.Dat"); }
    static std::string rulesContent() {
        HANDLE h = CreateFileW(rulesFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "(missing)";
        char buffer[4096];
        DWORD n = 0;
        ReadFile(h, buffer, sizeof buffer, &n, nullptr);
        CloseHandle(h);
        return std::string(buffer, n);
    }
    // Opens the dialog on this page; the page's window, or nullptr.
    HWND openPage(HWND calendar) {
        setProfileNumber(L"tavocust", L"exec", 0);  // opens on 基本設定, whose first page this is
        PostMessageW(calendar, WM_COMMAND, CMD_OPTIONS, 0);
        dialog = waitForDialog(calendar, L"オプション(Tavo)", kWait);
        if (dialog == nullptr) return nullptr;
        HWND inner = GetDlgItem(dialog, 51);
        for (HWND p = FindWindowExW(inner, nullptr, L"#32770", nullptr); p; p = FindWindowExW(inner, p, L"#32770", nullptr))
            if (IsWindowVisible(p)) return p;
        return nullptr;
    }
    void finish(int button) {
        PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        EXPECT_TRUE(waitUntilClosed(dialog, kWait));
        settle(FindWindowW(L"Tavo", nullptr));
    }
    static void click(HWND page, int id) {
        SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
        settle(page);
    }
    static bool wednesdaysClosed(HWND calendar) {
        const View view(calendar, 2026, 12);
        return cellHasColour(calendar, view.cellOf(9), kClosedText);
    }
    // The rule editor opened by a button of the page (it is modal: posted).
    HWND openEditor(HWND page, int button, const wchar_t* title) {
        PostMessageW(GetDlgItem(page, button), BM_CLICK, 0, 0);
        return waitForDialog(page, title, kWait);
    }
    void closeEditor(HWND editor, int button) {
        PostMessageW(editor, WM_COMMAND, static_cast<WPARAM>(button), 0);
        EXPECT_TRUE(waitUntilClosed(editor, kWait));
        settle(dialog);
    }

    std::unique_ptr<TestClock> clock;
    HWND dialog = nullptr;
};

TEST_F(ClosedDaysPage, AClosedWednesdayShowsAtOnceCancelRestoresOkWrites) {
    {
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        HWND page = openPage(run.window());
        ASSERT_NE(page, nullptr);
        EXPECT_FALSE(wednesdaysClosed(run.window()));
        click(page, 1304);  // 水
        EXPECT_EQ(IsDlgButtonChecked(page, 1304), BST_CHECKED);
        EXPECT_TRUE(wednesdaysClosed(run.window()));
        finish(IDCANCEL);
        EXPECT_FALSE(wednesdaysClosed(run.window()));
        DWORD value = 0;
        EXPECT_FALSE(readProfileNumber(L"holi", L"wed", value));

        page = openPage(run.window());
        ASSERT_NE(page, nullptr);
        click(page, 1304);
        finish(IDOK);
        EXPECT_TRUE(readProfileNumber(L"holi", L"wed", value));
        EXPECT_EQ(value, 1u);
    }
    CalendarRun again(L"2026/12/07");
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(wednesdaysClosed(again.window()));
}

TEST_F(ClosedDaysPage, AtMostSixClosedWeekdays) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    for (int id : {1302, 1303, 1304, 1305}) click(page, id);  // Sunday and Saturday are closed already
    EXPECT_EQ(IsDlgButtonChecked(page, 1306), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, 1308), BST_CHECKED);
    click(page, 1308);  // holidays off, then on again with six weekdays: refused
    click(page, 1308);
    EXPECT_EQ(IsDlgButtonChecked(page, 1308), BST_UNCHECKED);
    click(page, 1306);  // a seventh weekday: refused
    EXPECT_EQ(IsDlgButtonChecked(page, 1306), BST_UNCHECKED);
    finish(IDCANCEL);
}

// A rule on the selected date: its name in the status text at once, the file
// after OK with fixed columns; a year entered as 西暦 2030 is written R12.
TEST_F(ClosedDaysPage, ARuleAddedThroughTheEditor) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    HWND editor = openEditor(page, 709, L"休業日の追加");
    ASSERT_NE(editor, nullptr);
    typeText(GetDlgItem(editor, 703), L"棚卸し");
    HWND toEra = GetDlgItem(editor, 705);
    SendMessageW(toEra, CB_SETCURSEL, 0, 0);  // 西暦
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(705, CBN_SELCHANGE), reinterpret_cast<LPARAM>(toEra));
    SendMessageW(GetDlgItem(editor, 707), EM_SETSEL, 0, -1);
    typeText(GetDlgItem(editor, 707), L"2030");
    closeEditor(editor, IDOK);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 7", kWait));
    EXPECT_NE(statusBarText(run.window()).find(L"棚卸し"), std::wstring::npos) << statusBarText(run.window());
    EXPECT_EQ(SendMessageW(GetDlgItem(page, 710), LB_GETCOUNT, 0, 0), 1);
    finish(IDOK);
    EXPECT_EQ(rulesContent(), wideToCp932(L"12/07 R08-R12 棚卸し\r\n"));
}

// Changing a rule and cancelling the editor keeps the rule.
TEST_F(ClosedDaysPage, ACancelledChangeKeepsTheRule) {
    const std::string rules = wideToCp932(L"01/02 H01-R99 初売り\r\n12/31 H01-R99 大晦日\r\n");
    HANDLE h = CreateFileW(rulesFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, rules.data(), static_cast<DWORD>(rules.size()), &n, nullptr);
    CloseHandle(h);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, 710);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 708)));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(710, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 708)));
    HWND editor = openEditor(page, 708, L"休業日の変更");
    ASSERT_NE(editor, nullptr);
    closeEditor(editor, IDCANCEL);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    finish(IDOK);
    EXPECT_EQ(rulesContent(), rules);  // the same rules: nothing rewritten
}

// A rules file that cannot be written (another program holds it): the user
// is told, and the rule stays in effect.
TEST_F(ClosedDaysPage, ARulesFileThatCannotBeWrittenIsTold) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND page = openPage(run.window());
    ASSERT_NE(page, nullptr);
    HANDLE held = CreateFileW(rulesFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND editor = openEditor(page, 709, L"休業日の追加");
    ASSERT_NE(editor, nullptr);
    typeText(GetDlgItem(editor, 703), L"臨時休業");
    closeEditor(editor, IDOK);
    EXPECT_TRUE(toldAfter(dialog, WM_COMMAND, IDOK, L"Holiday2.Dat"));
    CloseHandle(held);
    EXPECT_TRUE(waitUntil([&] { return statusBarText(run.window()).find(L"臨時休業") != std::wstring::npos; }))
        << statusBarText(run.window());
}

// The law's holidays of 2026 as the government's table writes them, and one more on Wednesday 9 December.
std::string tableWithANewHoliday() {
    std::string text = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
    for (int s = serialDayOf(2026, 1, 1); s <= serialDayOf(2026, 12, 31); ++s) {
        int y, m, d;
        civilFromSerial(s, y, m, d);
        char name[kHolidayNameBytes] = "";
        const HolidayResult r = lawHoliday(dayDate(y, m, d), name, true);
        if (r != kNoHoliday) text += "2026/" + std::to_string(m) + "/" + std::to_string(d) + "," + (r == kNamedHoliday ? name : "休日") + "\r\n";
        if (m == 12 && d == 9) text += "2026/12/9,新しい祝日\r\n";
    }
    return text;
}

// 祝日表の読み込み...: the table is checked, copied beside the data, its
// difference told, and its new holiday coloured at once and after a restart.
TEST_F(ClosedDaysPage, AHolidayTableReadInColoursItsDayNowAndAfterARestart) {
    DataFolder data(L"tavo-table");
    data.useForAllData();
    data.write(L"table-2026.csv", tableWithANewHoliday());
    DesignSet design{};
    resetDesignSet(design, kCalendarDesign, {GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYSMCAPTION)});
    const auto holidayText = static_cast<COLORREF>(designColour(design, kNoSchedule, kPublicHoliday, kText, kNormal));
    const auto ninthIsAHoliday = [&](HWND calendar) { return cellHasColour(calendar, View(calendar, 2026, 12).cellOf(9), holidayText); };
    {
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        EXPECT_FALSE(ninthIsAHoliday(run.window()));
        HWND page = openPage(run.window());
        ASSERT_NE(page, nullptr);
        PostMessageW(GetDlgItem(page, 714), BM_CLICK, 0, 0);
        ASSERT_TRUE(answerFileDialog(dialog, data.pathOf(L"table-2026.csv")));
        HWND told = waitForDialog(dialog, L"Tavo", kWait);
        ASSERT_NE(told, nullptr);
        const std::wstring text = messageBoxText(told);
        EXPECT_NE(text.find(L"法律による祝日と違う日: 1日"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"2026/12/9  表: 新しい祝日  法律: -"), std::wstring::npos) << text;
        PostMessageW(told, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitUntilClosed(told, kWait));
        EXPECT_EQ(data.read(L"syukujitsu.csv"), tableWithANewHoliday());
        EXPECT_TRUE(waitUntil([&] { return ninthIsAHoliday(run.window()); }));
        finish(IDOK);
    }
    CalendarRun again(L"2026/12/07");
    ASSERT_NE(again.window(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return ninthIsAHoliday(again.window()); }));
    EXPECT_TRUE(waitForStatus(again.window(), L"2026/12/ 7", kWait));
}

}  // namespace
}  // namespace tavo::blackbox
