// The birthday window driven in-process (menus of another process cannot be
// read): "削除" stays grey until an item is selected; a change of scaling
// leaves the slot it stores at 96 DPI.
#include <gtest/gtest.h>

#include <memory>

#include "blackbox.h"
#include "resources/tavo_ids.h"
#include "calendar/shell/birthday_window.h"
#include "calendar/text/date_format_set.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

constexpr UINT kAdd = CMD_ENTRY_ADD, kDelete = CMD_ENTRY_DELETE;

enum class Item { Missing, Grey, Enabled };

Item itemState(HMENU menu, UINT id) {
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1)) return Item::Missing;
    return (state & MF_GRAYED) ? Item::Grey : Item::Enabled;
}

// A birthday window made in-process on a fresh profile, its month file holding two entries.
class BirthdayWindowInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        blackbox::resetProfile();
        folder.write(L"birthda3.cal", ": 5 1990\r\ntaro\r\n: 5\r\nhanako\r\n");
        initPathDefaults(settings->paths, wideToCp932(folder.pathOf(L"Tavo.exe")), "C:\\windows");
        resetEnvironment(settings->env, settings->paths.programFolder);
        settings->env.keepPlacements = 0;
        for (int group = 0; group < 2; ++group) resetDateFormatSet(settings->dateFormats[group], group);
        process.instance = LoadLibraryExW(blackbox::besideTest(L"Tavo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(process.instance, nullptr);
        process.settings = settings.get();
        ASSERT_TRUE(BirthdayWindow::registerClass(process.instance));
    }
    void TearDown() override {
        window.reset();
        UnregisterClassW(L"WBir", process.instance);
        FreeLibrary(process.instance);
        blackbox::resetProfile();
    }
    HWND open() {
        window = std::make_unique<BirthdayWindow>(process, kBirthday, dayDate(2026, 3, 5));
        return window->create();
    }

    blackbox::DataFolder folder{L"tavo-birthday-menu"};
    std::unique_ptr<SharedSettings> settings = std::make_unique<SharedSettings>();
    Process process;
    std::unique_ptr<BirthdayWindow> window;
};

TEST_F(BirthdayWindowInProcess, DeleteIsGreyUntilAnItemIsSelected) {
    ASSERT_NE(open(), nullptr);
    HMENU edit = GetSubMenu(GetMenu(window->window), 0);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(SendMessageW(window->list, LB_GETCOUNT, 0, 0), 2);

    SendMessageW(window->window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_EQ(itemState(edit, kDelete), Item::Grey);
    EXPECT_EQ(itemState(edit, kAdd), Item::Enabled);
    const int height = static_cast<int>(SendMessageW(window->list, LB_GETITEMHEIGHT, 0, 0));
    SendMessageW(window->list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, height + height / 2));  // the second item
    SendMessageW(window->list, WM_LBUTTONUP, 0, MAKELPARAM(5, height + height / 2));
    SendMessageW(window->window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_EQ(itemState(edit, kDelete), Item::Enabled);
    DestroyWindow(window->window);
}

// Moved to a monitor at 200 %, the window takes the suggested rectangle; the
// slot it stores on closing is at 96 DPI, as the registry keeps every size.
TEST_F(BirthdayWindowInProcess, TheSlotAfterAScalingChangeIsStoredAt96Dpi) {
    settings->env.keepPlacements = 1;
    ASSERT_NE(open(), nullptr);
    RECT suggested{100, 80, 100 + 2 * 300, 80 + 2 * 200};
    SendMessageW(window->window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window->dpi, 192);
    SendMessageW(window->window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window->window));
    const int slot = windowKindInfo(WindowKind::Birthday).slot;
    WindowSlots stored{};
    resetSettings(&stored, windowSlotTable(slot));
    readSettings(&stored, windowSlotTable(slot), process.store);
    EXPECT_EQ(stored.width[slot], 300);
    EXPECT_EQ(stored.height[slot], 200);
    EXPECT_EQ(stored.left[slot], 100);
}

}  // namespace
}  // namespace tavo::shell
