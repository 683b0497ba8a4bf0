// The day popup of the real menu resource, pruned by the popup-menu switches.
#include <gtest/gtest.h>

#include "blackbox.h"
#include "calendar/shell/menus.h"

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
        {{}, {901, 907, 908, 909, 910, 911, 903, 904, 905, 906}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905, 906}},
        {{5}, {901, 907, 908, 909, 910, 911, 903, 904, 905}, {101, 901, 907, 908, 909, 910, 911, 903, 904, 905}},
        {{1}, {901, 903, 904, 905, 906}, {101, 901, 903, 904, 905, 906}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}, {101}},
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

}  // namespace
}  // namespace tavo::shell
