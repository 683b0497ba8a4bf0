// The birthday window's edit menu, driven in-process (menus of another
// process cannot be read): "削除" stays grey until an item is selected.
#include <gtest/gtest.h>

#include <memory>

#include "blackbox.h"
#include "calendar/shell/birthday_window.h"
#include "calendar/text/date_format_set.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

constexpr UINT kAdd = 10, kDelete = 11;

bool grey(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

TEST(BirthdayWindowMenu, DeleteIsGreyUntilAnItemIsSelected) {
    blackbox::DataFolder folder(L"tavo-birthday-menu");
    folder.write(L"birthda3.cal", ": 5 1990\r\ntaro\r\n: 5\r\nhanako\r\n");
    auto settings = std::make_unique<SharedSettings>();
    initPathDefaults(settings->paths, wideToCp932(folder.pathOf(L"Tavo.exe")), "C:\\windows");
    resetEnvironment(settings->env, settings->paths.programFolder);
    settings->env.sav = 0;
    for (int group = 0; group < 2; ++group) resetDateFormatSet(settings->dateFormats[group], group);
    Process process;
    process.instance = LoadLibraryExW(blackbox::besideTest(L"Tavo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(process.instance, nullptr);
    process.settings = settings.get();
    ASSERT_TRUE(BirthdayWindow::registerClass(process.instance));
    BirthdayWindow window(process, kBirthday, dayDate(2026, 3, 5));
    ASSERT_NE(window.create(), nullptr);
    HMENU edit = GetSubMenu(GetMenu(window.window), 0);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(SendMessageW(window.list, LB_GETCOUNT, 0, 0), 2);

    SendMessageW(window.window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_TRUE(grey(edit, kDelete));
    EXPECT_FALSE(grey(edit, kAdd));
    const int height = static_cast<int>(SendMessageW(window.list, LB_GETITEMHEIGHT, 0, 0));
    SendMessageW(window.list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, height + height / 2));  // the second item
    SendMessageW(window.list, WM_LBUTTONUP, 0, MAKELPARAM(5, height + height / 2));
    SendMessageW(window.window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
    EXPECT_FALSE(grey(edit, kDelete));

    DestroyWindow(window.window);
    UnregisterClassW(L"WBir", process.instance);
    FreeLibrary(process.instance);
}

}  // namespace
}  // namespace tavo::shell
