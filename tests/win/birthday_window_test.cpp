// The birthday window and its add dialog as a user meets them: what lands in
// the month files, what the list shows, and that a failed write loses nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar/data/personal_days.h"
#include "calendar/text/date_format_set.h"
#include "calendar_cells.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr COLORREF kHaveScheduleFill = 8454143;
constexpr WPARAM kBirthdays = CMD_BIRTHDAY, kAnniversaries = CMD_ANNIVERSARY, kAdd = CMD_ENTRY_ADD, kDelete = CMD_ENTRY_DELETE;
constexpr int kSeireki = 0, kReiwa = 1, kShowa = 3;

class Birthdays : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        folder.useForAllData();
        setProfileNumber(L"scv", L"aftd", 0);
        clock = std::make_unique<TestClock>(20260305);
    }
    void TearDown() override {
        clock.reset();
        resetProfile();
    }

    HWND open(HWND calendar, WPARAM command) {
        PostMessageW(calendar, WM_COMMAND, command, 0);
        HWND window = waitForWindow(L"WBir", kWait);
        if (window == nullptr) return nullptr;
        // The window is found as soon as it exists; its list comes while it is created.
        waitUntil([&] { return (list = FindWindowExW(window, nullptr, L"ListBox", nullptr)) != nullptr; });
        settle(window);
        return window;
    }
    // Fills the add dialog as a user does and presses OK; era < 0 leaves the era as offered.
    static void addEntry(HWND window, int era, const std::wstring& year, const std::wstring& name, bool withYear = true) {
        PostMessageW(window, WM_COMMAND, kAdd, 0);
        HWND dialog = waitForDialog(window, nullptr, kWait);
        ASSERT_NE(dialog, nullptr);
        if (!withYear) {
            SendMessageW(GetDlgItem(dialog, 18), BM_CLICK, 0, 0);
        } else {
            if (era >= 0) {
                HWND combo = GetDlgItem(dialog, 14);
                SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(era), 0);
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(14, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            }
            HWND yearEdit = GetDlgItem(dialog, 15);
            SendMessageW(yearEdit, EM_SETSEL, 0, -1);
            typeText(yearEdit, year);
        }
        typeText(GetDlgItem(dialog, 703), name);
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        // Taken (the dialog closes and the window writes) or refused (a message box tells why).
        waitUntil([&] { return !IsWindow(dialog) || waitForDialog(window, L"Tavo", 0) != nullptr; });
        settle(window);
    }
    // 削除 (the menu command, or the Delete key on the list) and the answer to its question.
    void deleteSelected(HWND window, bool yes, bool byKey = false) const {
        if (byKey) pressKey(list, VK_DELETE);
        else PostMessageW(window, WM_COMMAND, kDelete, 0);
        HWND box = waitForDialog(window, L"Tavo", kWait);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(messageBoxText(box).rfind(L"以下を削除しますか。", 0), 0u) << messageBoxText(box);
        PostMessageW(box, WM_COMMAND, yes ? IDYES : IDNO, 0);
        waitUntilClosed(box, kWait);
        settle(window);
    }
    std::vector<std::wstring> listItems() const {
        std::vector<std::wstring> items;
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
            items.push_back(text);
        }
        return items;
    }
    // Clicks the n-th item of the list.
    void clickItem(int n) const {
        const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        click(list, 5, height * n + height / 2);
        settle(list);
    }
    // The names of the files in a folder.
    static std::vector<std::wstring> filesIn(const std::wstring& path) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }
    static std::string cp932(const std::wstring& text) { return wideToCp932(text); }
    // An item as the list shows it, seen from 2026 in the calendar's default year style.
    static std::wstring item(PersonalDayKind kind, int month, int day, int year, const std::wstring& name) {
        DateFormatSet calendar{};
        resetDateFormatSet(calendar, 0);
        const int style = calendar.selections[kPartYearMon][kSelYear1];
        return cp932ToWide(personalEntryText(kind, {day, year, cp932(name)}, month, 2026, style));
    }

    DataFolder folder{L"tavo-birthdays"};
    std::unique_ptr<TestClock> clock;
    HWND list = nullptr;
};

TEST_F(Birthdays, AnEraYearIsStoredAsGregorianAndNothingElseIsLeftInTheFolder) {
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(windowText(window).find(L"の誕生日"), std::wstring::npos);
    addEntry(window, kShowa, L"55", L"太郎");
    EXPECT_EQ(folder.read(L"birthda3.cal"), cp932(L": 5 1980\r\n太郎\r\n"));
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::wstring>{L"birthda3.cal"});
    EXPECT_EQ(listItems(), std::vector<std::wstring>{item(kBirthday, 3, 5, 1980, L"太郎")});
    EXPECT_NE(listItems()[0].find(L"46歳の誕生日"), std::wstring::npos);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitForNoWindow(L"WBir", kWait));
    pressKey(run.window(), VK_RIGHT);  // the selected cell has its own colour
    settle(run.window());
    const View view(run.window(), 2026, 3);
    EXPECT_TRUE(cellHasColour(run.window(), view.cellOf(5), kHaveScheduleFill));
}

TEST_F(Birthdays, YearsAsTypedInEachEraAndNoYearAtAll) {
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    addEntry(window, kShowa, L"1980", L"西暦で入力");
    addEntry(window, kReiwa, L"3", L"令和生まれ");
    addEntry(window, kSeireki, L"", L"年なし", false);
    EXPECT_EQ(folder.read(L"birthda3.cal"),
              cp932(L": 5 1980\r\n西暦で入力\r\n: 5 2021\r\n令和生まれ\r\n: 5\r\n年なし\r\n"));
    const std::vector<std::wstring> items = listItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1], item(kBirthday, 3, 5, 2021, L"令和生まれ"));
    EXPECT_EQ(items[2], L"年なし の誕生日");
}

TEST_F(Birthdays, AYearOutsideTheCalendarIsRefusedWithTheDialogStillOpen) {
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    addEntry(window, kSeireki, L"1200", L"昔の人");
    HWND box = waitForDialog(window, L"Tavo", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(messageBoxText(box).find(L"1582"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    settle(box);
    EXPECT_NE(waitForDialog(window, L"誕生日の追加", 2000), nullptr);
    EXPECT_EQ(folder.read(L"birthda3.cal"), "(missing)");
}

// A name is required: OK stays grey until one is typed, and Enter with none is refused.
TEST_F(Birthdays, ANameIsRequired) {
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, kAdd, 0);
    HWND dialog = waitForDialog(window, nullptr, kWait);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);  // what Enter asks for
    HWND box = waitForDialog(window, L"Tavo", kWait);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(messageBoxText(box).find(L"名前を入力してください"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    waitUntilClosed(box, kWait);
    typeText(GetDlgItem(dialog, 703), L"花子");
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntilClosed(dialog, kWait));
    EXPECT_EQ(folder.read(L"birthda3.cal"), "(missing)");
}

TEST_F(Birthdays, DeletingOneEntryLeavesEveryOtherLineAndTheLastDeletesTheFile) {
    const std::string before = cp932(L": 1\r\n一日\r\n: 5 1990\r\n最初\r\n: 5\r\n二番目\n;手で書いた行\r\n:20 2000\r\n二十日\r\n");
    folder.write(L"birthda3.cal", before);
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(listItems().size(), 2u);
    PostMessageW(window, WM_COMMAND, kDelete, 0);  // nothing selected: nothing deleted
    settle(window);
    EXPECT_EQ(folder.read(L"birthda3.cal"), before);
    clickItem(0);
    deleteSelected(window, false);  // asked, and No: nothing deleted
    EXPECT_EQ(folder.read(L"birthda3.cal"), before);
    deleteSelected(window, true, true);  // the Delete key, and Yes
    EXPECT_EQ(folder.read(L"birthda3.cal"), cp932(L": 1\r\n一日\r\n: 5\r\n二番目\n;手で書いた行\r\n:20 2000\r\n二十日\r\n"));
    EXPECT_EQ(listItems(), std::vector<std::wstring>{L"二番目 の誕生日"});

    folder.write(L"birthda3.cal", cp932(L": 5\r\nひとり\r\n"));
    PostMessageW(window, WM_USER, 0, 0);  // refresh
    settle(window);
    clickItem(0);
    deleteSelected(window, true);
    EXPECT_EQ(folder.read(L"birthda3.cal"), "(missing)");
    EXPECT_TRUE(listItems().empty());
}

// The file changes under the open list (an outside editor adds a line
// before): 削除 removes the entry selected, by what it says.
TEST_F(Birthdays, ADeleteAfterAnOutsideEditDeletesTheSelectedEntry) {
    folder.write(L"birthda3.cal", cp932(L": 5\r\nAlice\r\n: 5\r\nBob\r\n"));
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(listItems().size(), 2u);
    clickItem(1);  // Bob
    folder.write(L"birthda3.cal", cp932(L": 5\r\nCarol\r\n: 5\r\nAlice\r\n: 5\r\nBob\r\n"));
    deleteSelected(window, true);
    EXPECT_TRUE(waitUntil([&] { return folder.read(L"birthda3.cal") == cp932(L": 5\r\nCarol\r\n: 5\r\nAlice\r\n"); }))
        << folder.read(L"birthda3.cal");
    EXPECT_TRUE(waitUntil([&] { return listItems() == std::vector<std::wstring>{L"Carol の誕生日", L"Alice の誕生日"}; }));
}

TEST_F(Birthdays, AnniversariesInOctoberGoToTheirOwnFolder) {
    DataFolder anniversaries(L"tavo-anniversaries");
    setProfileText(L"dir", L"anipath", anniversaries.path());
    CalendarRun run(L"2026/10/01");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kAnniversaries);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(windowText(window).find(L"記念日"), std::wstring::npos);
    addEntry(window, kSeireki, L"2016", L"創立");
    EXPECT_EQ(anniversaries.read(L"aniversa.cal"), cp932(L": 1 2016\r\n創立\r\n"));
    EXPECT_EQ(folder.read(L"aniversa.cal"), "(missing)");
    EXPECT_EQ(listItems(), std::vector<std::wstring>{item(kAnniversary, 10, 1, 2016, L"創立")});
    EXPECT_NE(listItems()[0].find(L"10周年記念日"), std::wstring::npos);
}

// A month file that cannot be replaced: told, and the list and the file stay.
TEST_F(Birthdays, AFileThatCannotBeReplacedKeepsTheListAndTheFile) {
    const std::string before = cp932(L": 5 1990\r\n太郎\r\n");
    folder.write(L"birthda3.cal", before);
    SetFileAttributesW(folder.pathOf(L"birthda3.cal").c_str(), FILE_ATTRIBUTE_READONLY);
    CalendarRun run(L"2026/03/05");
    ASSERT_NE(run.window(), nullptr);
    HWND window = open(run.window(), kBirthdays);
    ASSERT_NE(window, nullptr);
    clickItem(0);
    deleteSelected(window, true);
    HWND told = waitForDialog(window, L"Tavo", kWait);
    ASSERT_NE(told, nullptr);
    EXPECT_NE(messageBoxText(told).find(L"保存できませんでした"), std::wstring::npos);
    PostMessageW(told, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(listItems().size(), 1u);
    SetFileAttributesW(folder.pathOf(L"birthda3.cal").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.read(L"birthda3.cal"), before);
}

}  // namespace
}  // namespace tavo::blackbox
