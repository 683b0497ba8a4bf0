// The launcher's window driven in-process with the notification area faked:
// what it asks of the shell, its menu (menus of another process cannot be
// read), and the window it shows when the shell has no room for the icon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blackbox.h"
#include "shared/messages.h"
#include "tray/tray_window.h"

namespace tavo::tray {
namespace {

struct FakeArea final : NotificationArea {
    bool accept = true;
    struct Added {
        HWND owner;
        UINT id, callback;
        HICON icon;
        std::wstring tip;
    };
    std::vector<Added> added;
    std::vector<std::pair<HWND, UINT>> removed;
    bool add(HWND owner, UINT id, UINT callback, HICON icon, const wchar_t* tip) override {
        added.push_back({owner, id, callback, icon, tip});
        return accept;
    }
    void remove(HWND owner, UINT id) override { removed.emplace_back(owner, id); }
};

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

bool hasItem(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1); }

class TrayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        instance = LoadLibraryExW(blackbox::besideTest(L"TavoTray.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(instance, nullptr);
        TrayWindow::registerClass(instance);
    }
    void TearDown() override {
        UnregisterClassW(L"TavoTray", instance);
        FreeLibrary(instance);
    }
    HINSTANCE instance = nullptr;
    FakeArea area;
};

TEST_F(TrayWindowTest, TheIconAndItsMenu) {
    TrayWindow tray(instance, area, L"C:\\nowhere\\Tavo.exe");
    ASSERT_NE(tray.create(), nullptr);
    ASSERT_EQ(area.added.size(), 1u);
    EXPECT_EQ(area.added[0].owner, tray.window);
    EXPECT_EQ(area.added[0].id, 1u);
    EXPECT_EQ(area.added[0].callback, static_cast<UINT>(WM_USER));
    EXPECT_NE(area.added[0].icon, nullptr);
    EXPECT_EQ(area.added[0].tip, L"Tavo");
    EXPECT_TRUE(tray.iconShown());
    EXPECT_FALSE(IsWindowVisible(tray.window));
    EXPECT_EQ(blackbox::windowText(tray.window), L"Tavo");

    HMENU menu = GetSystemMenu(tray.window, FALSE);
    EXPECT_EQ(menuText(menu, 0), L"カレンダー起動");
    EXPECT_EQ(GetMenuItemID(menu, 0), 100u);
    EXPECT_EQ(menuText(menu, 1), L"同期");
    EXPECT_EQ(GetMenuItemID(menu, 1), 101u);
    for (UINT gone : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_MOVE}) EXPECT_FALSE(hasItem(menu, gone)) << gone;
    EXPECT_TRUE(hasItem(menu, SC_CLOSE));
    EXPECT_EQ(SendMessageW(tray.window, WM_QUERYOPEN, 0, 0), 0);

    // Explorer restarted: the icon goes back.
    SendMessageW(tray.window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(area.added.size(), 2u);
    tray.removeIcon();
    ASSERT_EQ(area.removed.size(), 1u);
    EXPECT_EQ(area.removed[0], std::make_pair(tray.window, 1u));
    DestroyWindow(tray.window);
}

// No icon: the window itself shows, small and with its title bar, so the
// launcher can be seen, used and closed.
TEST_F(TrayWindowTest, WithoutAnIconTheWindowShows) {
    area.accept = false;
    TrayWindow tray(instance, area, L"C:\\nowhere\\Tavo.exe");
    ASSERT_NE(tray.create(), nullptr);
    EXPECT_FALSE(tray.iconShown());
    EXPECT_TRUE(IsWindowVisible(tray.window));
    RECT r{};
    GetWindowRect(tray.window, &r);
    EXPECT_GT(r.right - r.left, 100);
    EXPECT_NE(GetWindowLongW(tray.window, GWL_STYLE) & WS_CAPTION, 0);
    HMENU menu = GetSystemMenu(tray.window, FALSE);
    EXPECT_EQ(menuText(menu, 0), L"カレンダー起動");
    EXPECT_TRUE(hasItem(menu, SC_MOVE));
    EXPECT_FALSE(hasItem(menu, SC_RESTORE));
    tray.removeIcon();
    EXPECT_TRUE(area.removed.empty());
    DestroyWindow(tray.window);
}

}  // namespace
}  // namespace tavo::tray
