// The menus of the real resources: the popups pruned by the popup-menu
// switches, and every window's menus against its command list.
#include <gtest/gtest.h>

#include "blackbox.h"
#include "calendar/shell/birthday_window.h"
#include "calendar/shell/commands.h"
#include "calendar/shell/day_schedule_window.h"
#include "calendar/shell/menus.h"
#include "calendar/shell/range_view.h"
#include "resources/tavo_ids.h"

#include <algorithm>
#include <set>

namespace tavo::shell {
namespace {

std::vector<UINT> commandsOf(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            for (UINT id : commandsOf(sub)) ids.push_back(id);
        } else {
            ids.push_back(GetMenuItemID(menu, i));
        }
    }
    return ids;
}

class PopupMenus : public ::testing::Test {
protected:
    void SetUp() override {
        program = LoadLibraryExW(blackbox::besideTest(L"Tavo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr);
    }
    void TearDown() override { FreeLibrary(program); }
    HMENU load() { return LoadMenuW(program, L"PopMenu"); }
    HMODULE program = nullptr;
};

TEST_F(PopupMenus, SwitchesPruneTheDayAndStatusPopups) {
    struct Case {
        std::vector<int> off;
        std::vector<UINT> day, status;
    } cases[] = {
        // The iCalendar items (920, 931) and 同期 (940) of the data-editing submenu stay whatever the switches say.
        {{}, {901, 907, 908, 909, 910, 911, 903, 904, 905, 906, 920, 931, 940}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905, 906}},
        {{5}, {901, 907, 908, 909, 910, 911, 903, 904, 905, 920, 931, 940}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905}},
        {{1}, {901, 903, 904, 905, 906, 920, 931, 940}, {101, 901, 903, 904, 905, 906}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {920, 931, 940}, {101}},
    };
    for (const Case& c : cases) {
        PopupMenuFlags flags{};
        resetPopupMenuFlags(flags);
        for (int i : c.off) flags.item[i] = 0;
        HMENU menu = load();
        prunePopup(GetSubMenu(menu, 0), 1, flags);
        prunePopup(GetSubMenu(menu, 1), 2, flags);
        EXPECT_EQ(commandsOf(GetSubMenu(menu, 0)), c.day);
        EXPECT_EQ(commandsOf(GetSubMenu(menu, 1)), c.status);
        DestroyMenu(menu);
    }
}

// Every window's menus against its command list: each item a menu can show
// is a row with a handler and a name, no row is listed twice, and each row is
// reached by a menu or a key.
template <class Target>
void checkList(const win::CommandList<Target>& list, const std::set<UINT>& shown, const char* window) {
    for (UINT id : shown) {
        const win::Command<Target>* c = list.find(id);
        ASSERT_NE(c, nullptr) << window << " " << id;
        EXPECT_NE(c->run, nullptr) << window << " " << id;
        EXPECT_NE(std::string(c->name), "") << window << " " << id;
    }
    std::set<UINT> listed, keyed;
    for (const win::KeyBinding& k : list.keys()) {
        EXPECT_NE(list.find(k.command), nullptr) << window << " key " << k.key;
        keyed.insert(k.command);
    }
    for (const win::Command<Target>& c : list.rows()) {
        EXPECT_TRUE(listed.insert(c.id).second) << window << " listed twice: " << c.id;
        EXPECT_TRUE(shown.count(c.id) || keyed.count(c.id)) << window << " in no menu and under no key: " << c.id;
    }
}

std::set<UINT> shownIn(HMENU menu) {
    std::set<UINT> shown;
    for (UINT id : commandsOf(menu))
        if (id != 0) shown.insert(id);  // 0: a separator
    return shown;
}

TEST_F(PopupMenus, EveryWindowsMenusAreItsCommandList) {
    HMENU popups = load();
    ASSERT_NE(popups, nullptr);
    std::set<UINT> calendar;
    for (int i = 0; i < 3; ++i)  // the day, status-bar and top-band popups
        for (UINT id : commandsOf(GetSubMenu(popups, i))) calendar.insert(id);
    for (UINT id : {CMD_JUMP, CMD_FIND, CMD_YEAR_VIEW, CMD_PRINT, CMD_EXTERNAL, CMD_OPTIONS, CMD_HELP, CMD_ABOUT, CMD_LATEST}) calendar.insert(id);  // its system menu
    checkList(calendarCommands(), calendar, "calendar");
    std::set<UINT> view = shownIn(GetSubMenu(popups, 3));
    for (UINT id : {CMD_FIND, CMD_OPTIONS}) view.insert(id);  // its system menu
    checkList(rangeViewCommands(), view, "range view");
    DestroyMenu(popups);
    const auto dataMenu = [this](const wchar_t* name) {
        HMENU bar = LoadMenuW(program, name);
        std::set<UINT> shown = bar ? shownIn(bar) : std::set<UINT>{};
        if (bar) DestroyMenu(bar);
        shown.insert(CMD_EXTERNAL);  // the system menu of every data window
        return shown;
    };
    checkList(DayScheduleWindow::commandList(), dataMenu(L"WSchMenu"), "day schedule");
    checkList(BirthdayWindow::commandList(), dataMenu(L"WBirMenu"), "birthdays");
}

TEST_F(PopupMenus, EachSwitchPrunesExactlyItsCommands) {
    HMENU full = load();
    const std::vector<UINT> all = commandsOf(GetSubMenu(full, 0));
    DestroyMenu(full);
    const std::vector<UINT> recurring = {907, 908, 909, 910, 911};
    for (int flag = 0; flag < kPopupMenuItems; ++flag) {
        PopupMenuFlags flags{};
        resetPopupMenuFlags(flags);
        flags.item[flag] = 0;
        HMENU menu = load();
        prunePopup(GetSubMenu(menu, 0), 1, flags);
        const std::vector<UINT> left = commandsOf(GetSubMenu(menu, 0));
        DestroyMenu(menu);
        std::vector<UINT> removed;
        for (UINT id : all)
            if (std::find(left.begin(), left.end(), id) == left.end()) removed.push_back(id);
        std::vector<UINT> expected;
        if (flag == kRecurringSubmenuFlag) expected = recurring;
        for (const Command& c : calendarCommands().rows())
            if (c.menuFlag == flag) expected.push_back(c.id);
        std::sort(expected.begin(), expected.end());
        std::sort(removed.begin(), removed.end());
        EXPECT_EQ(removed, expected) << "switch " << flag;
        EXPECT_FALSE(expected.empty()) << "switch " << flag << " prunes nothing";
    }
}

}  // namespace
}  // namespace tavo::shell
