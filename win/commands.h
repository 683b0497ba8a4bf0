// A window's commands as rows: id, what it does, its handler, whether it is
// enabled and checked now, and the menu switch that prunes it. Menus, the
// system menu and keys of the window dispatch through its list, and every
// menu's greying and check marks come from the rows' predicates.
#pragma once

#include <windows.h>

#include <span>

namespace tavo::win {

template <class Target>
struct Command {
    UINT id;           // menu and resource id
    const char* name;  // what it does, for the guide and the tests
    void (*run)(Target&);
    bool (*enabled)(const Target&) = nullptr;  // nullptr: always
    bool (*checked)(const Target&) = nullptr;  // nullptr: never
    int menuFlag = -1;                         // the popup-menu switch that prunes it, -1 none
};

// A key that runs a command of the window's list.
struct KeyBinding {
    WPARAM key;
    bool control;  // only with Ctrl held
    UINT command;
};

template <class Target>
class CommandList {
public:
    constexpr CommandList(std::span<const Command<Target>> rows, std::span<const KeyBinding> keys = {})
        : rows_(rows), keys_(keys) {}

    std::span<const Command<Target>> rows() const { return rows_; }
    std::span<const KeyBinding> keys() const { return keys_; }

    const Command<Target>* find(UINT id) const {
        for (const Command<Target>& c : rows_)
            if (c.id == id) return &c;
        return nullptr;
    }
    bool enabled(const Target& target, const Command<Target>& c) const { return c.enabled == nullptr || c.enabled(target); }

    // Runs the command when it exists and is enabled; false otherwise.
    bool run(Target& target, UINT id) const {
        const Command<Target>* c = find(id);
        if (c == nullptr || !enabled(target, *c)) return false;
        c->run(target);
        return true;
    }
    // Runs the command bound to the key: with Ctrl held, a binding with Ctrl
    // first; a binding without Ctrl takes the key either way.
    bool runKey(Target& target, WPARAM key, bool control) const {
        for (const KeyBinding& k : keys_)
            if (k.key == key && k.control && control) return run(target, k.command);
        for (const KeyBinding& k : keys_)
            if (k.key == key && !k.control) return run(target, k.command);
        return false;
    }
    // Enables, greys, checks and unchecks every command of a menu (submenus too).
    void updateMenu(const Target& target, HMENU menu) const {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (HMENU sub = GetSubMenu(menu, i)) {
                updateMenu(target, sub);
                continue;
            }
            const Command<Target>* c = find(GetMenuItemID(menu, i));
            if (c == nullptr) continue;
            const UINT at = static_cast<UINT>(i), how = MF_BYPOSITION;
            EnableMenuItem(menu, at, how | (enabled(target, *c) ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, at, how | (c->checked && c->checked(target) ? MF_CHECKED : MF_UNCHECKED));
        }
    }

private:
    std::span<const Command<Target>> rows_;
    std::span<const KeyBinding> keys_;
};

inline bool controlHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace tavo::win
