// The options pages' one mechanism, driven in-process on a page with one
// control of each kind: a change shows in the record at once, Cancel puts
// every value back and writes nothing, OK writes every value.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "blackbox.h"
#include "options/options_frame.h"
#include "options/page.h"
#include "shared/cp932.h"

namespace tavo::options {
namespace {

struct TestRecord {
    std::uint8_t check;
    std::uint8_t padding[3];
    std::int32_t radio, number, combo;
    char text[32];
};

const SettingsTable& testTable() {
    static const SettingsTable table = {
        {"testpage", "check", SettingType::Switch8, offsetof(TestRecord, check), 0},
        {"testpage", "radio", SettingType::Int32, offsetof(TestRecord, radio), 0},
        {"testpage", "number", SettingType::Int32, offsetof(TestRecord, number), 0},
        {"testpage", "text", SettingType::Text, offsetof(TestRecord, text), 0, sizeof(TestRecord::text), ""},
        {"testpage", "combo", SettingType::Int32, offsetof(TestRecord, combo), 0},
    };
    return table;
}

TestRecord* gRecord = nullptr;  // what the page kind's record function hands out

void fillCombo(Page& page) {
    for (const wchar_t* item : {L"first", L"second", L"third"})
        SendMessageW(page.item(140), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

const PageKind& testPage() {
    static const PageKind kind{
        L"TESTPAGE",
        [](SharedSettings&) -> void* { return gRecord; },
        sizeof(TestRecord),
        testTable,
        {{Control::Check, 101, "check"},
         {Control::Radio, 110, "radio", 3},
         {Control::Number, 120, "number", 0, 121, 0, 99, 2},
         {Control::Text, 130, "text"},
         {Control::Combo, 140, "combo"}},
        kindBit(WindowKind::Calendar),
        0,
        false,
        nullptr,
        nullptr,
        nullptr,
        fillCombo,
    };
    return kind;
}

class OptionsPage : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testpage");
        record = {1, {}, 1, 42, 2, "before"};
        gRecord = &record;
        context.settings = settings.get();
        context.instance = GetModuleHandleW(nullptr);
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        page = std::make_unique<Page>(context, testPage());
        ASSERT_NE(page->create(parent), nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testpage");
        gRecord = nullptr;
    }
    // A user's change of every control; each notifies the page as the control would.
    void changeEverything() {
        HWND w = page->dialog;
        SendMessageW(page->item(101), BM_CLICK, 0, 0);
        SendMessageW(page->item(112), BM_CLICK, 0, 0);
        SetDlgItemTextW(w, 120, L"7");
        SetDlgItemTextW(w, 130, L"after 予定");
        SendMessageW(page->item(140), CB_SETCURSEL, 0, 0);
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(140, CBN_SELCHANGE), reinterpret_cast<LPARAM>(page->item(140)));
    }
    static bool stored(const wchar_t* name, DWORD& value) {
        DWORD size = sizeof value;
        return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testpage", name, RRF_RT_REG_DWORD, nullptr, &value,
                            &size) == ERROR_SUCCESS;
    }

    TestRecord record{};
    std::unique_ptr<SharedSettings> settings = std::make_unique<SharedSettings>();
    OptionsContext context;
    HWND parent = nullptr;
    std::unique_ptr<Page> page;
};

TEST_F(OptionsPage, ControlsShowTheRecord) {
    EXPECT_EQ(IsDlgButtonChecked(page->dialog, 101), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page->dialog, 111), BST_CHECKED);
    EXPECT_EQ(GetDlgItemInt(page->dialog, 120, nullptr, FALSE), 42u);
    EXPECT_EQ(SendMessageW(page->item(121), UDM_GETPOS32, 0, 0), 42);
    EXPECT_EQ(SendMessageW(page->item(140), CB_GETCURSEL, 0, 0), 2);
}

TEST_F(OptionsPage, ChangesApplyAtOnceAndCancelPutsEverythingBackWritingNothing) {
    const TestRecord before = record;
    changeEverything();
    EXPECT_EQ(record.check, 0);
    EXPECT_EQ(record.radio, 2);
    EXPECT_EQ(record.number, 7);
    EXPECT_EQ(SendMessageW(page->item(121), UDM_GETPOS32, 0, 0), 7);  // the spin follows the field
    EXPECT_EQ(cp932ToWide(record.text), L"after 予定");
    EXPECT_EQ(record.combo, 0);
    page->cancel();
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    DWORD value = 0;
    EXPECT_FALSE(stored(L"check", value));
    EXPECT_FALSE(stored(L"number", value));
}

TEST_F(OptionsPage, OkWritesEveryValue) {
    changeEverything();
    page->ok();
    DWORD value = 99;
    EXPECT_TRUE(stored(L"check", value) && value == 0);
    EXPECT_TRUE(stored(L"radio", value) && value == 2);
    EXPECT_TRUE(stored(L"number", value) && value == 7);
    EXPECT_TRUE(stored(L"combo", value) && value == 0);
    wchar_t text[64] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testpage", L"text", RRF_RT_REG_SZ, nullptr, text, &size);
    EXPECT_EQ(std::wstring(text), L"after 予定");
}

// The spin moved: the field shows the position and the record takes it.
TEST_F(OptionsPage, TheSpinMovesTheNumber) {
    SendMessageW(page->item(121), UDM_SETPOS32, 0, 12);
    SendMessageW(page->dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), reinterpret_cast<LPARAM>(page->item(121)));
    EXPECT_EQ(GetDlgItemInt(page->dialog, 120, nullptr, FALSE), 12u);
    EXPECT_EQ(record.number, 12);
}

// A tab with more pages than any has today: each is made when chosen, and OK
// reaches every one (a change made on the seventh is written).
TEST_F(OptionsPage, AFrameTabHoldsEveryPageItsSlotsName) {
    page->cancel();
    const wchar_t* const outer[] = {L"一", L"二"};
    std::vector<PageSlot> slots(7, PageSlot{0, L"頁", testPage, "x.html"});
    slots.push_back({1, L"別", testPage, "y.html"});
    OptionsFrame frame(context, outer, slots, 0);
    ASSERT_NE(frame.createModeless(GetModuleHandleW(nullptr), L"TAVOCUST", parent), nullptr);
    ShowWindow(frame.dialog, SW_SHOWNA);
    for (std::size_t i = 0; i < 7; ++i) {
        frame.selectInnerTab(static_cast<int>(i));
        ASSERT_NE(frame.pageOfSlot(i), nullptr) << i;
        EXPECT_EQ(frame.shownPage(), frame.pageOfSlot(i)) << i;
        EXPECT_TRUE(IsWindowVisible(frame.pageOfSlot(i)->dialog)) << i;
    }
    EXPECT_EQ(frame.pageOfSlot(7), nullptr);  // another tab's page waits until it is shown
    EXPECT_EQ(TabCtrl_GetItemCount(frame.item(51)), 7);
    SendMessageW(frame.pageOfSlot(6)->item(130), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"七枚目"));
    SendMessageW(frame.pageOfSlot(6)->dialog, WM_COMMAND, MAKEWPARAM(130, EN_CHANGE),
                 reinterpret_cast<LPARAM>(frame.pageOfSlot(6)->item(130)));
    EXPECT_TRUE(frame.finish(true));
    wchar_t text[64] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testpage", L"text", RRF_RT_REG_SZ, nullptr, text, &size);
    EXPECT_EQ(std::wstring(text), L"七枚目");
    DestroyWindow(frame.dialog);
}

}  // namespace
}  // namespace tavo::options
