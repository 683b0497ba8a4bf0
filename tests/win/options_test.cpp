// The options dialog as a user meets it, opened by command 103 from the
// calendar and the range view: which tab it starts on, pages that act at
// once, Cancel that puts everything back and OK that writes it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar/data/shared_settings.h"
#include "calendar_cells.h"
#include "options/options_ids.h"
#include "shared_block_view.h"
#include "shared/cp932.h"

namespace tavo::blackbox {
namespace {

constexpr DWORD kWait = 8000;
constexpr WPARAM kOptions = CMD_OPTIONS;
constexpr COLORREF kHaveScheduleFill = 8454143;
const wchar_t* const kTitle = L"オプション(Tavo)";

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        resetProfile();
        data.useForAllData();
        setProfileNumber(L"tavocust", L"exec", 1);  // not the first opening, unless a test says so
        clock = std::make_unique<TestClock>(20261207);
    }
    void TearDown() override {
        clock.reset();
        resetProfile();
    }

    static HWND open(HWND from) {
        PostMessageW(from, WM_COMMAND, kOptions, 0);
        return waitForDialog(from, kTitle, kWait);
    }
    static int outerTab(HWND dialog) { return static_cast<int>(SendMessageW(GetDlgItem(dialog, 50), TCM_GETCURSEL, 0, 0)); }
    // The page shown in the inner row.
    static HWND shownPage(HWND dialog) {
        HWND inner = GetDlgItem(dialog, 51);
        for (HWND page = FindWindowExW(inner, nullptr, L"#32770", nullptr); page; page = FindWindowExW(inner, page, L"#32770", nullptr))
            if (IsWindowVisible(page)) return page;
        return nullptr;
    }
    static void finish(HWND dialog, int button) {
        PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        EXPECT_TRUE(waitUntilClosed(dialog, kWait));
        for (HWND window : {FindWindowW(L"Tavo", nullptr), FindWindowW(L"WScv", nullptr)})
            if (window) settle(window);
    }
    static void replaceText(HWND edit, const std::wstring& text) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        typeText(edit, text);
        settle(edit);
    }
    static void clickButton(HWND page, int id) {
        SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
        settle(page);
    }

    DataFolder data{L"tavo-options"};
    std::unique_ptr<TestClock> clock;
};

TEST_F(Options, FirstOpeningStartsOnTheBasicsThenOnTheCallersTab) {
    setProfileNumber(L"tavocust", L"exec", 0);
    data.write(L"sch2026c.cal", ":8\r\n会議\r\n");
    setProfileNumber(L"scv", L"aftd", 3);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(outerTab(dialog), 0);
    DWORD exec = 0;
    EXPECT_TRUE(readProfileNumber(L"tavocust", L"exec", exec));
    EXPECT_EQ(exec, 1u);
    PostMessageW(run.window(), WM_COMMAND, kOptions, 0);  // a second request only focuses it
    settle(run.window());
    EXPECT_EQ(countTopLevelWindows(L"#32770"), 1);
    finish(dialog, IDCANCEL);

    dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(outerTab(dialog), 1);
    finish(dialog, IDCANCEL);
    dialog = open(view);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(outerTab(dialog), 2);
    finish(dialog, IDCANCEL);
}

// The range page changes the view at once; Cancel puts block and view back; OK writes "scv".
TEST_F(Options, TheRangePageActsAtOnceCancelRestoresOkWrites) {
    data.write(L"sch2026c.cal", ":8\r\n明日\r\n:12\r\n五日後\r\n");
    setProfileNumber(L"scv", L"aftd", 1);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    SharedBlockView block;
    ASSERT_TRUE(block);
    HWND dialog = open(view);
    ASSERT_NE(dialog, nullptr);
    HWND page = shownPage(dialog);
    ASSERT_NE(page, nullptr);
    replaceText(GetDlgItem(page, 906), L"5");
    EXPECT_EQ(block->range.after, 5);
    EXPECT_NE(copiedRangeList(view).find(L"五日後"), std::wstring::npos);  // the list now reaches 12 December
    finish(dialog, IDCANCEL);
    EXPECT_EQ(block->range.after, 1);
    const std::wstring restored = copiedRangeList(view);  // and back to 8 December
    EXPECT_NE(restored.find(L"明日"), std::wstring::npos);
    EXPECT_EQ(restored.find(L"五日後"), std::wstring::npos);
    DWORD stored = 0;
    EXPECT_FALSE(readProfileNumber(L"scv", L"range", stored));  // nothing written on Cancel

    dialog = open(view);
    ASSERT_NE(dialog, nullptr);
    page = shownPage(dialog);
    clickButton(page, 902);  // the month
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 904)));
    EXPECT_EQ(block->range.range, 1);
    finish(dialog, IDOK);
    EXPECT_TRUE(readProfileNumber(L"scv", L"range", stored));
    EXPECT_EQ(stored, 1u);
}

TEST_F(Options, TheMenuPageRemovesAnItemAtOnceAndOkWritesIt) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    SharedBlockView block;
    ASSERT_TRUE(block);
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    HWND page = optionsPageWith(dialog, 1206);  // メニュー
    ASSERT_NE(page, nullptr);
    clickButton(page, 1206);  // 休暇
    EXPECT_EQ(block->menu.item[5], 0);
    clickButton(page, 1202);  // the recurring submenu: its items grey, their marks kept
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1207)));
    EXPECT_EQ(IsDlgButtonChecked(page, 1207), BST_CHECKED);
    finish(dialog, IDOK);
    DWORD value = 1;
    EXPECT_TRUE(readProfileNumber(L"menu", L"sch5", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(readProfileNumber(L"menu", L"sch1", value));
    EXPECT_EQ(value, 0u);
}

// Cancel after stopping the date watch starts it again: a new day still moves the calendar.
TEST_F(Options, CancellingTheEnvironmentPageKeepsTheDateWatch) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    SharedBlockView block;
    ASSERT_TRUE(block);
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    HWND page = optionsPageWith(dialog, 506);  // 動作
    ASSERT_NE(page, nullptr);
    clickButton(page, 506);  // 更新しない
    EXPECT_EQ(block->env.dateChange, 0);
    finish(dialog, IDCANCEL);
    EXPECT_EQ(block->env.dateChange, 1);
    clock->set(20261208);
    EXPECT_TRUE(waitForStatus(run.window(), L"2026/12/ 8", kWait));
}

// A folder holding data, typed relative to nothing: used after OK; a new diary folder is made.
TEST_F(Options, FoldersAreMadeAndUsedAfterOk) {
    DataFolder other(L"tavo-options-other");
    other.write(L"sch2026c.cal", ":15\r\n別のフォルダ\r\n");
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    setProfileNumber(L"tavocust", L"exec", 0);  // the first opening: the basics, whose page is フォルダ
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    HWND page = optionsPageWith(dialog, 401);  // フォルダ
    ASSERT_NE(page, nullptr);
    replaceText(GetDlgItem(page, 401), other.path());
    replaceText(GetDlgItem(page, 404), other.pathOf(L"日記\\新しい"));
    finish(dialog, IDOK);
    EXPECT_NE(GetFileAttributesW(other.pathOf(L"日記\\新しい").c_str()), INVALID_FILE_ATTRIBUTES);
    const View cells(run.window(), 2026, 12);
    EXPECT_TRUE(cellHasColour(run.window(), cells.cellOf(15), kHaveScheduleFill));
}

// A program chosen with 参照 whose path the setting cannot hold whole (too
// long in Shift-JIS, or with a character it lacks) is refused and told; the
// path typed before stays.
TEST_F(Options, TheFolderPageRefusesAProgramItCannotStore) {
    // Two folders of 80 kanji: 320 bytes of Shift-JIS, though fewer characters than MAX_PATH.
    const std::wstring kanji(80, L'長');
    ASSERT_TRUE(CreateDirectoryW(data.pathOf(kanji).c_str(), nullptr));
    for (const std::wstring& folder : {kanji + L"\\" + kanji, std::wstring(L"絵文字\U0001F600")}) {
        const std::wstring program = data.pathOf(folder) + L"\\editor.exe";
        ASSERT_TRUE(CreateDirectoryW(data.pathOf(folder).c_str(), nullptr));
        data.write(folder + L"\\editor.exe", "MZ");
        CalendarRun run(L"2026/12/07");
        ASSERT_NE(run.window(), nullptr);
        setProfileNumber(L"tavocust", L"exec", 0);  // the basics, whose page is フォルダ
        HWND dialog = open(run.window());
        ASSERT_NE(dialog, nullptr);
        HWND page = optionsPageWith(dialog, IDC_FOLDER_COMMAND);
        ASSERT_NE(page, nullptr);
        replaceText(GetDlgItem(page, IDC_FOLDER_COMMAND), L"C:\\before.exe");
        PostMessageW(GetDlgItem(page, IDC_FOLDER_BROWSE), BM_CLICK, 0, 0);
        ASSERT_TRUE(answerFileDialog(dialog, program));  // a page is a child: the dialog owns what it opens
        HWND told = waitForDialog(run.window(), L"Tavo", kWait);
        ASSERT_NE(told, nullptr);
        EXPECT_NE(messageBoxText(told).find(L"使えません"), std::wstring::npos) << messageBoxText(told);
        PostMessageW(told, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(waitUntilClosed(told, kWait));
        EXPECT_EQ(controlText(GetDlgItem(page, IDC_FOLDER_COMMAND)), L"C:\\before.exe");
        finish(dialog, IDCANCEL);
    }
}

// Closing the calendar while the dialog is open ends both cleanly: the dialog
// is cancelled (nothing it changed is written) and the calendar exits with 0.
TEST_F(Options, ClosingTheCalendarCancelsAnOpenDialog) {
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    HWND page = optionsPageWith(dialog, 1206);  // メニュー
    ASSERT_NE(page, nullptr);
    clickButton(page, 1206);
    DWORD code = 1;
    ASSERT_TRUE(run.close(code));
    EXPECT_EQ(code, 0u);
    DWORD value = 0;
    EXPECT_FALSE(readProfileNumber(L"menu", L"sch5", value));
}

TEST_F(Options, ASavedCornerBeyondTheScreenIsPulledBack) {
    setProfileNumber(L"custpos", L"xCst", 5000);
    setProfileNumber(L"custpos", L"yCst", 5000);
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND dialog = open(run.window());
    ASSERT_NE(dialog, nullptr);
    RECT r{}, work{};
    GetWindowRect(dialog, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.right, work.right);  // wholly on the work area with its real size
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_GE(r.left, 0);
    finish(dialog, IDCANCEL);
}

// Help opens the page of the shown tab: .html pages go to the recorder here.
TEST_F(Options, HelpOpensThePageOfTheShownTab) {
    const std::wstring folder = data.pathOf(L"browser");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring recorder = folder + L"\\recorder.exe";
    CopyFileW(besideTest(L"tavo_recorder.exe").c_str(), recorder.c_str(), FALSE);
    const std::wstring command = L"\"" + recorder + L"\" \"%1\"";
    // The test prefix's browser for .html pages is the recorder, for this test only.
    wchar_t before[128] = L"htmlfile";
    LONG size = sizeof before;
    RegQueryValueW(HKEY_CLASSES_ROOT, L".html", before, &size);
    RegSetValueW(HKEY_CLASSES_ROOT, L".html", REG_SZ, L"TavoTestPage", 0);
    RegSetValueW(HKEY_CLASSES_ROOT, L"TavoTestPage\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    struct Restore {
        std::wstring value;
        ~Restore() {
            RegSetValueW(HKEY_CLASSES_ROOT, L".html", REG_SZ, value.c_str(), 0);
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TavoTestPage");
        }
    } restore{before};
    CalendarRun run(L"2026/12/07");
    ASSERT_NE(run.window(), nullptr);
    HWND view = nullptr;
    PostMessageW(run.window(), WM_KEYDOWN, VK_RETURN, 0);
    view = waitForWindow(L"WScv", kWait);
    ASSERT_NE(view, nullptr);
    HWND dialog = open(view);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDC_OPTIONS_HELP, 0);
    std::string recorded;
    waitUntil([&] { return (recorded = data.read(L"browser\\recorded.txt")) != "(missing)"; });
    const std::wstring line(reinterpret_cast<const wchar_t*>(recorded.data()), recorded.size() / sizeof(wchar_t));
    EXPECT_NE(line.find(L"help\\options\\range.html"), std::wstring::npos) << line;
    finish(dialog, IDCANCEL);
}

}  // namespace
}  // namespace tavo::blackbox
