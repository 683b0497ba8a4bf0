#include "menus.h"

#include "commands.h"
#include "process.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

constexpr UINT kDayPopupPosition = 11;

void insertCommand(HMENU menu, UINT position, UINT id, const std::wstring& text) {
    InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING, id, text.c_str());
}

// Deletes a command wherever it stands, submenus included.
void deleteCommand(HMENU menu, UINT id) {
    DeleteMenu(menu, id, MF_BYCOMMAND);
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        if (HMENU sub = GetSubMenu(menu, i)) deleteCommand(sub, id);
}

}  // namespace

void prunePopup(HMENU popup, int submenuPosition, const PopupMenuFlags& flags) {
    if (!flags.item[kRecurringSubmenuFlag]) DeleteMenu(popup, static_cast<UINT>(submenuPosition), MF_BYPOSITION);
    for (const Command& c : calendarCommands().rows())
        if (c.menuFlag >= 0 && !flags.item[c.menuFlag]) deleteCommand(popup, c.id);
}

void extendSystemMenu(HWND window, HINSTANCE instance, const char* externalCaption) {
    HMENU system = GetSystemMenu(window, FALSE);
    insertCommand(system, 6, CMD_JUMP, loadString(instance, IDS_JUMP));
    insertCommand(system, 7, CMD_FIND, loadString(instance, IDS_FIND));
    insertCommand(system, 8, CMD_YEAR_VIEW, loadString(instance, IDS_YEAR_VIEW));
    insertCommand(system, 9, CMD_PRINT, loadString(instance, IDS_PRINT));
    insertCommand(system, 10, CMD_EXTERNAL, cp932ToWide(externalCaption));
    insertCommand(system, 11, CMD_OPTIONS, loadString(instance, IDS_OPTIONS));
    InsertMenuW(system, 12, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    insertCommand(system, 13, CMD_HELP, loadString(instance, IDS_HELP));
    insertCommand(system, 14, CMD_LATEST, loadString(instance, IDS_LATEST_VERSION));
    insertCommand(system, 15, CMD_ABOUT, loadString(instance, IDS_ABOUT));
    InsertMenuW(system, 16, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

void buildMenus(Menus& menus, HWND window, HINSTANCE instance, const PopupMenuFlags& flags) {
    menus.resource = LoadMenuW(instance, L"PopMenu");
    if (menus.resource == nullptr) return;
    menus.day = GetSubMenu(menus.resource, 0);
    menus.statusBar = GetSubMenu(menus.resource, 1);
    menus.topBand = GetSubMenu(menus.resource, 2);
    menus.rangeView = GetSubMenu(menus.resource, 3);
    prunePopup(menus.day, 1, flags);
    prunePopup(menus.statusBar, 2, flags);
    const std::wstring caption = loadString(instance, IDS_DATA_EDITING);
    InsertMenuW(GetSystemMenu(window, FALSE), kDayPopupPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(menus.day), caption.c_str());
}

void destroyMenus(Menus& menus, HWND window) {
    // The day popup is owned by the resource; take it out of the system menu first.
    if (menus.resource) RemoveMenu(GetSystemMenu(window, FALSE), kDayPopupPosition, MF_BYPOSITION);
    if (menus.resource) DestroyMenu(menus.resource);
    menus = {};
}

}  // namespace tavo::shell
