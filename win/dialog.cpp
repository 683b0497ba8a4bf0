#include "dialog.h"

namespace tavo::win {

INT_PTR Dialog::runModal(HINSTANCE instance, const wchar_t* templateName, HWND owner) {
    return DialogBoxParamW(instance, templateName, owner, procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::createModeless(HINSTANCE instance, const wchar_t* templateName, HWND parent) {
    return CreateDialogParamW(instance, templateName, parent, procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<Dialog*>(lParam)->dialog = dialog;
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) return FALSE;
    const INT_PTR result = self->onMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->dialog = nullptr;
    }
    return result;
}

}  // namespace tavo::win
