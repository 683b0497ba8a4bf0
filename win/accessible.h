// What a painted window shows, told to screen readers: its client area as an
// IAccessible whose children are the window's parts (day cells, lines,
// buttons), and the events that make a reader speak a new selection or a
// changed name at once.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tavo::win {

struct AccessiblePart {
    std::wstring name;
    long role = 0;      // ROLE_SYSTEM_*
    RECT place{};       // client coordinates; empty when scrolled out of sight
    bool selectable = false;
    bool selected = false;
    std::wstring action;   // the default action's name; empty: none
    HWND child = nullptr;  // a child window read in its stead (the status bar)
};

// Implemented by the window; asked on every call, so answers are never stale.
// Parts are numbered from 0 (children from 1).
class AccessibleContent {
public:
    virtual long accessibleRole() const = 0;  // of the whole client: table, list
    virtual int accessiblePartCount() const = 0;
    virtual AccessiblePart accessiblePart(int index) const = 0;
    virtual int selectedAccessiblePart() const = 0;  // -1: none
    // accSelect of a selectable part, or the default action of a part that has one.
    virtual void chooseAccessiblePart(int index) = 0;

protected:
    ~AccessibleContent() = default;
};

// The selected part when it is one of the `count` parts, else -1.
int selectedOf(const AccessibleContent& content, int count);

// The window's side: answers WM_GETOBJECT and raises the events.
class Accessibility {
public:
    Accessibility() = default;
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;
    ~Accessibility();

    // The answer to WM_GETOBJECT for the client; 0 for other objects.
    LRESULT answer(HWND window, AccessibleContent& content, WPARAM wParam, LPARAM lParam);
    // After a repaint: a moved selection is announced (focus too while the
    // window has the keyboard) and a changed name is told.
    void announceChanges(HWND window, const AccessibleContent& content);
    // The window got the keyboard: the selected part takes the focus.
    void announceFocus(HWND window, const AccessibleContent& content);
    // The window is going: clients still holding the object get errors, not a dangling window.
    void disconnect();

private:
    class Object;
    Object* object_ = nullptr;
    std::vector<std::wstring> toldNames_;
    int toldSelection_ = -1;
};

// Screen readers call in through COM: the thread owning the windows is a
// single-threaded apartment for the life of this object.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }

private:
    bool entered_;
};

}  // namespace tavo::win
