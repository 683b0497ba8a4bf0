// The base of every dialog: one object per dialog, reached from its handle
// (DWLP_USER, set at WM_INITDIALOG), whose onMessage gets every message from
// WM_INITDIALOG on.
#pragma once

#include <windows.h>

namespace tavo::win {

class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    HWND dialog = nullptr;  // from WM_INITDIALOG until the dialog is destroyed
    HWND item(int id) const { return GetDlgItem(dialog, id); }

    // Runs the template's dialog modally: what EndDialog was given, or -1.
    INT_PTR runModal(HINSTANCE instance, const wchar_t* templateName, HWND owner);
    // Creates the template's dialog without running it (a page, a progress window).
    HWND createModeless(HINSTANCE instance, const wchar_t* templateName, HWND parent);

protected:
    Dialog() = default;
    // As a dialog procedure answers: TRUE when handled, FALSE for the dialog manager.
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tavo::win
