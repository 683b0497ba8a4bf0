// The data-editing submenu's iCalendar items, as a user goes through them: the
// system's file dialog answered with a name, the file written or read, and the
// summary the calendar shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/date_math.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr WPARAM kExport = CMD_ICS_EXPORT, kImport = CMD_ICS_IMPORT;
constexpr int kFrom = 1210, kTo = 1212;

class ICalendarMenu : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        data.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
    }
    void TearDown() override { resetProfile(); }

    // Chooses the command, answers the span of years (the year offered when
    // from is 0) and returns the span dialog, still open, or nullptr.
    static HWND answerSpan(HWND calendar, WPARAM command, int from, int to) {
        PostMessageW(calendar, WM_SYSCOMMAND, command, 0);
        HWND span = waitForOwnedDialog(calendar, kWait);
        if (span == nullptr) return nullptr;
        if (from != 0) {
            SetDlgItemInt(span, kFrom, static_cast<UINT>(from), FALSE);
            SetDlgItemInt(span, kTo, static_cast<UINT>(to), FALSE);
        }
        PostMessageW(GetDlgItem(span, IDOK), BM_CLICK, 0, 0);  // a refusal would hold a sent click
        return span;
    }

    // Chooses the command, answers the span of years, types the file name
    // into the file dialog and returns the text of the summary the calendar
    // then shows.
    static std::wstring runWithFile(HWND calendar, WPARAM command, const std::wstring& file, int from = 0, int to = 0) {
        HWND span = answerSpan(calendar, command, from, to);
        if (span == nullptr) return L"(no span dialog)";
        waitUntilClosed(span, kWait);
        if (!answerFileDialog(calendar, file)) {
            HWND other = waitForOwnedDialog(calendar, 0);
            return L"(no file dialog with a file name box; open: " + (other ? windowText(other) + L": " + messageBoxText(other) : L"none") + L")";
        }
        HWND summary = waitForDialog(calendar, L"Tavo", kWait);
        if (summary == nullptr) return L"(no summary)";
        const std::wstring text = messageBoxText(summary);
        PostMessageW(summary, WM_COMMAND, IDOK, 0);
        waitUntilClosed(summary, kWait);  // else the next command could take it for its own dialog
        return text;
    }

    // Starts a long export or import, waits for its progress window, checks
    // the calendar takes no command but answers meanwhile, presses 中止 and
    // returns the summary's text.
    static std::wstring stopLongWork(HWND calendar, WPARAM command, int from, int to, const std::wstring& file) {
        HWND span = answerSpan(calendar, command, from, to);
        if (span == nullptr) return L"(no span dialog)";
        waitUntilClosed(span, kWait);
        if (!answerFileDialog(calendar, file)) return L"(no file dialog)";
        HWND progress = waitForDialog(calendar, L"iCalendar", kWait * 2);
        if (progress == nullptr) return L"(no progress)";
        EXPECT_FALSE(IsWindowEnabled(calendar));  // no other command meanwhile
        DWORD_PTR answered = 0;                     // but its thread is free: it answers at once
        EXPECT_NE(SendMessageTimeoutW(calendar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answered), 0);
        PostMessageW(progress, WM_COMMAND, IDCANCEL, 0);
        HWND summary = waitForDialog(calendar, L"Tavo", kWait * 2);
        if (summary == nullptr) return L"(no summary)";
        const std::wstring text = messageBoxText(summary);
        PostMessageW(summary, WM_COMMAND, IDOK, 0);
        waitUntilClosed(summary, kWait);
        EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(calendar) != FALSE; }));
        return text;
    }

    DataFolder data{L"tavo ical"};
};

TEST_F(ICalendarMenu, ExportsTheYearAndImportsAnotherCalendar) {
    data.write(L"sch2026c.cal", ":24\r\nイブ\r\n");
    data.write(L"schedule.cal", ":15\r\n給料日\r\n");
    data.write(L"phone.ics", cp932ToUtf8(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Phone//EN\r\n"
        "BEGIN:VEVENT\r\nUID:p1\r\nDTSTART:20261205T010000Z\r\nDTEND:20261205T020000Z\r\nSUMMARY:歯医者\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n"));
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);

    const std::wstring exported = runWithFile(run.window(), kExport, data.pathOf(L"書き出し.ics"));
    EXPECT_NE(exported.find(L"2026年のデータを"), std::wstring::npos) << exported;
    const std::string ics = data.read(L"書き出し.ics");
    EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\n", 0), 0u) << ics.substr(0, 40);
    EXPECT_NE(ics.find(cp932ToUtf8("SUMMARY:イブ\r\n")), std::string::npos);
    EXPECT_NE(ics.find("RRULE:FREQ=MONTHLY;BYMONTHDAY=15\r\n"), std::string::npos);

    // Back home, the export adds nothing: its events are all in Tavo.
    const std::wstring home = runWithFile(run.window(), kImport, data.pathOf(L"書き出し.ics"));
    EXPECT_NE(home.find(L"0行を0日分"), std::wstring::npos) << home;
    EXPECT_NE(home.find(L"いまも Tavo にある2件は除きました。"), std::wstring::npos) << home;
    EXPECT_EQ(data.read(L"sch2026c.cal"), ":24\r\nイブ\r\n");

    const std::wstring imported = runWithFile(run.window(), kImport, data.pathOf(L"phone.ics"));
    EXPECT_NE(imported.find(L"1行を1日分"), std::wstring::npos) << imported;
    EXPECT_EQ(data.read(L"sch2026c.cal"), ":5\r\n10:00\x81\x60" "11:00 \x8E\x95\x88\xE3\x8E\xD2\r\n:24\r\nイブ\r\n");
    const std::wstring again = runWithFile(run.window(), kImport, data.pathOf(L"phone.ics"));
    EXPECT_NE(again.find(L"0行を0日分"), std::wstring::npos) << again;
}

// Several years at once; a span that ends before it starts is refused with
// the dialog kept open.
TEST_F(ICalendarMenu, ASpanOfYears) {
    data.write(L"sch2026c.cal", ":24\r\nイブ\r\n");
    data.write(L"sch20271.cal", ":1\r\n元旦\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);

    HWND span = answerSpan(run.window(), kExport, 2027, 2026);
    ASSERT_NE(span, nullptr);
    HWND refusal = waitForDialog(span, L"Tavo", kWait);
    ASSERT_NE(refusal, nullptr);
    EXPECT_NE(messageBoxText(refusal).find(L"期間には"), std::wstring::npos);
    PostMessageW(refusal, WM_COMMAND, IDOK, 0);
    settle(refusal);
    EXPECT_TRUE(IsWindow(span));
    PostMessageW(GetDlgItem(span, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntilClosed(span, kWait));

    const std::wstring exported = runWithFile(run.window(), kExport, data.pathOf(L"二年.ics"), 2026, 2027);
    EXPECT_NE(exported.find(L"2026年から2027年まで"), std::wstring::npos) << exported;
    const std::string ics = data.read(L"二年.ics");
    EXPECT_NE(ics.find(cp932ToUtf8("SUMMARY:イブ\r\n")), std::string::npos);
    EXPECT_NE(ics.find(cp932ToUtf8("SUMMARY:元旦\r\n")), std::string::npos);
}

// A long export shows its progress and can be stopped; then no file is made.
TEST_F(ICalendarMenu, ALongExportCanBeStopped) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const std::wstring summary = stopLongWork(run.window(), kExport, 1600, 9000, data.pathOf(L"長い.ics"));
    EXPECT_NE(summary.find(L"中止"), std::wstring::npos) << summary;
    EXPECT_EQ(data.read(L"長い.ics"), "(missing)");
}

// A long import (ninety thousand events over twenty years) shows its
// progress, the calendar answering meanwhile, and stops on 中止 with nothing added.
TEST_F(ICalendarMenu, ALongImportCanBeStopped) {
    std::string ics = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 90000; ++i) {
        int y, m, d;
        civilFromSerial(serialDayOf(2026, 1, 1) + i % 7300, y, m, d);
        char start[16];
        std::snprintf(start, sizeof start, "%04d%02d%02d", y, m, d);
        ics += "BEGIN:VEVENT\r\nUID:long" + std::to_string(i) + "\r\nDTSTART;VALUE=DATE:" + start + "\r\nSUMMARY:event " +
               std::to_string(i) + "\r\nEND:VEVENT\r\n";
    }
    data.write(L"long.ics", ics + "END:VCALENDAR\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    const std::wstring summary = stopLongWork(run.window(), kImport, 2026, 2045, data.pathOf(L"long.ics"));
    EXPECT_NE(summary.find(L"中止"), std::wstring::npos) << summary;
    EXPECT_EQ(data.read(L"sch2026c.cal"), "(missing)");
    EXPECT_EQ(data.read(L"sch20451.cal"), "(missing)");
}

// The day window open on a day an import adds to: closing it keeps both
// texts, the window's first, says so, and shows what was saved.
TEST_F(ICalendarMenu, AnImportIntoTheOpenDayKeepsBothTexts) {
    data.write(L"phone.ics", cp932ToUtf8(
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:p1\r\nDTSTART;VALUE=DATE:20261205\r\nSUMMARY:歯医者\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"));
    CalendarRun run(L"2026/12/05");
    ASSERT_NE(run.window(), nullptr);
    PostMessageW(run.window(), WM_COMMAND, CMD_DAY_SCHEDULE, 0);
    HWND window = waitForWindow(L"WSch", kWait);
    ASSERT_NE(window, nullptr);
    settle(window);  // its edit comes while it is created
    HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    typeText(edit, L"買い物");

    const std::wstring imported = runWithFile(run.window(), kImport, data.pathOf(L"phone.ics"));
    EXPECT_NE(imported.find(L"1行を1日分"), std::wstring::npos) << imported;
    EXPECT_TRUE(toldAfter(window, WM_CLOSE, 0, L"【競合】"));
    const std::string both = ":5\r\n買い物\r\n【競合】歯医者\r\n";
    EXPECT_EQ(data.read(L"sch2026c.cal"), both);
    EXPECT_EQ(controlText(edit), cp932ToWide(both.substr(4)));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitForNoWindow(L"WSch", kWait));
    EXPECT_EQ(data.read(L"sch2026c.cal"), both);
}

}  // namespace
}  // namespace tavo::blackbox
