// The day popup of the real menu resource, pruned by the popup-menu switches.
#include <gtest/gtest.h>

#include "blackbox.h"
#include "calendar/shell/commands.h"
#include "calendar/shell/menus.h"

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
        // The iCalendar items (920, 931) of the data-editing submenu stay whatever the switches say.
        {{}, {901, 907, 908, 909, 910, 911, 903, 904, 905, 906, 920, 931}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905, 906}},
        {{5}, {901, 907, 908, 909, 910, 911, 903, 904, 905, 920, 931}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905}},
        {{1}, {901, 903, 904, 905, 906, 920, 931}, {101, 901, 903, 904, 905, 906}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {920, 931}, {101}},
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

// Every command a menu of the calendar can show: the popups of the resource
// (the range view's popup included) and the items added to the system menu.
TEST_F(PopupMenus, EveryMenuCommandIsInTheCommandListWithAHandler) {
    HMENU menu = load();
    ASSERT_NE(menu, nullptr);
    std::set<UINT> shown;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        for (UINT id : commandsOf(GetSubMenu(menu, i))) shown.insert(id);
    DestroyMenu(menu);
    for (UINT id : {101u, 102u, 103u, 104u, 105u, 107u}) shown.insert(id);  // the system menu's own
    shown.erase(108u);  // the range view's copy command belongs to the range view
    for (UINT id : shown) {
        const Command* c = findCommand(id);
        ASSERT_NE(c, nullptr) << id;
        EXPECT_NE(c->run, nullptr) << id;
        EXPECT_NE(std::string(c->name), "") << id;
    }
    std::set<UINT> listed;
    for (const Command& c : calendarCommands()) {
        EXPECT_TRUE(listed.insert(c.id).second) << "listed twice: " << c.id;
        EXPECT_TRUE(shown.count(c.id)) << "in no menu: " << c.id;
    }
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
        for (const Command& c : calendarCommands())
            if (c.menuFlag == flag) expected.push_back(c.id);
        std::sort(expected.begin(), expected.end());
        std::sort(removed.begin(), removed.end());
        EXPECT_EQ(removed, expected) << "switch " << flag;
        EXPECT_FALSE(expected.empty()) << "switch " << flag << " prunes nothing";
    }
}

}  // namespace
}  // namespace tavo::shell
