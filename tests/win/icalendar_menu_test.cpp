// The data-editing submenu's iCalendar items, as a user goes through them: the
// system's file dialog answered with a name, the file written or read, and the
// summary the calendar shows.
#include <gtest/gtest.h>

#include <string>

#include "blackbox.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr WPARAM kExport = 920, kImport = 931;

class ICalendarMenu : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        data.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
    }
    void TearDown() override { resetProfile(); }

    // Chooses the command, types the file name into the dialog it opens and
    // returns the text of the summary the calendar then shows.
    static std::wstring runWithFile(HWND calendar, WPARAM command, const std::wstring& file) {
        PostMessageW(calendar, WM_SYSCOMMAND, command, 0);
        HWND dialog = waitForOwnedDialog(calendar, kWait);
        if (dialog == nullptr) return L"(no file dialog)";
        Sleep(500);
        HWND name = GetDlgItem(dialog, 1148);  // the file name box of the system's dialog
        if (name == nullptr) name = GetDlgItem(dialog, 1152);
        if (name == nullptr) return L"(no file name box)";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        const ULONGLONG end = GetTickCount64() + kWait;
        while (IsWindow(dialog) && GetTickCount64() < end) Sleep(50);
        HWND summary = waitForDialog(calendar, L"Tavo", kWait);
        if (summary == nullptr) return L"(no summary)";
        const std::wstring text = messageBoxText(summary);
        PostMessageW(summary, WM_COMMAND, IDOK, 0);
        Sleep(300);
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
    EXPECT_NE(exported.find(L"2026 年"), std::wstring::npos) << exported;
    const std::string ics = data.read(L"書き出し.ics");
    EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\n", 0), 0u) << ics.substr(0, 40);
    EXPECT_NE(ics.find(cp932ToUtf8("SUMMARY:イブ\r\n")), std::string::npos);
    EXPECT_NE(ics.find("RRULE:FREQ=MONTHLY;BYMONTHDAY=15\r\n"), std::string::npos);

    const std::wstring imported = runWithFile(run.window(), kImport, data.pathOf(L"phone.ics"));
    EXPECT_NE(imported.find(L"1 行を 1 日"), std::wstring::npos) << imported;
    EXPECT_EQ(data.read(L"sch2026c.cal"), ":5\r\n10:00\x81\x60" "11:00 \x8E\x95\x88\xE3\x8E\xD2\r\n:24\r\nイブ\r\n");
    const std::wstring again = runWithFile(run.window(), kImport, data.pathOf(L"phone.ics"));
    EXPECT_NE(again.find(L"0 行を 0 日"), std::wstring::npos) << again;
}

}  // namespace
}  // namespace tavo::blackbox
