// Chooses a menu command of a running window from outside, as choosing it
// from a menu does: "tavo_post_command 901" for the calendar,
// "tavo_post_command WBir 10" for another window class, "tavo_post_command
// tab 1" to move one page right in the options dialog, "tavo_post_command
// click 709" to press a button of the shown options page, "tavo_post_command
// cancel TITLE" to cancel a dialog by its title, "tavo_post_command scheme
// NAME" to choose a colour scheme on the shown design page, "tavo_post_command
// tray-menu" to open the launcher's icon menu, "tavo_post_command file PATH" to
// answer the calendar's open or save dialog, "tavo_post_command span FROM TO"
// to answer the iCalendar span dialog, "tavo_post_command password TARGET
// USER PASSWORD" to keep a server's password in the credential store as the
// 同期 page does, "tavo_post_command find TEXT" to type a query into the
// search window. For screenshots and hand checks.
#include <windows.h>

#include <algorithm>

#include <cwchar>
#include <cwctype>
#include <string>

#include "shared/cp932.h"
#include "win/credentials.h"

int nextOptionsPages(const wchar_t* count) {
    HWND options = FindWindowW(L"#32770", L"オプション(Tavo)");
    if (options == nullptr) return 1;
    for (unsigned long i = std::wcstoul(count, nullptr, 10); i > 0; --i) {
        PostMessageW(GetDlgItem(options, 51), WM_KEYDOWN, VK_RIGHT, 1);
        PostMessageW(GetDlgItem(options, 51), WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC0000001));
    }
    return 0;
}

HWND shownOptionsPage() {
    HWND options = FindWindowW(L"#32770", L"オプション(Tavo)");
    if (options == nullptr) return nullptr;
    HWND inner = GetDlgItem(options, 51);
    for (HWND page = FindWindowExW(inner, nullptr, L"#32770", nullptr); page; page = FindWindowExW(inner, page, L"#32770", nullptr))
        if (IsWindowVisible(page)) return page;
    return nullptr;
}

int clickOnShownPage(const wchar_t* id) {
    HWND page = shownOptionsPage();
    return page && PostMessageW(GetDlgItem(page, static_cast<int>(std::wcstoul(id, nullptr, 10))), BM_CLICK, 0, 0) ? 0 : 1;
}

int chooseScheme(const wchar_t* name) {
    HWND page = shownOptionsPage();
    HWND list = page ? GetDlgItem(page, 201) : nullptr;
    if (list == nullptr || SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)) == CB_ERR)
        return 1;
    return PostMessageW(page, WM_COMMAND, MAKEWPARAM(201, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list)) ? 0 : 1;
}

// The dialog the calendar or its options dialog shows that has a control of the id.
HWND calendarDialogWith(int id) {
    const HWND owners[] = {FindWindowW(L"Tavo", nullptr), FindWindowW(L"#32770", L"オプション(Tavo)")};
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr))
        if (GetDlgItem(w, id) && std::find(std::begin(owners), std::end(owners), GetWindow(w, GW_OWNER)) != std::end(owners) &&
            GetWindow(w, GW_OWNER) != nullptr)
            return w;
    return nullptr;
}

int answerSpan(const wchar_t* years) {
    wchar_t* rest = nullptr;
    const unsigned long from = std::wcstoul(years, &rest, 10), to = std::wcstoul(rest, nullptr, 10);
    HWND dialog = calendarDialogWith(1210);
    if (dialog == nullptr) return 1;
    SetDlgItemInt(dialog, 1210, static_cast<UINT>(from), FALSE);
    SetDlgItemInt(dialog, 1212, static_cast<UINT>(to), FALSE);
    return PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0) ? 0 : 1;
}

// TARGET USER PASSWORD, as UTF-8 the way the 同期 page keeps them.
int storePassword(const wchar_t* words) {
    std::string parts[3];
    const std::string all = tavo::cp932ToUtf8(tavo::wideToCp932(words));
    std::size_t at = 0;
    for (int i = 0; i < 2; ++i) {
        const std::size_t blank = all.find(' ', at);
        if (blank == std::string::npos) return 2;
        parts[i] = all.substr(at, blank - at);
        at = blank + 1;
    }
    parts[2] = all.substr(at);
    return tavo::win::storePassword(parts[0], parts[1], parts[2]) ? 0 : 1;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    if (std::wcsncmp(arguments, L"span ", 5) == 0) return answerSpan(arguments + 5);
    if (std::wcsncmp(arguments, L"password ", 9) == 0) return storePassword(arguments + 9);
    if (std::wcsncmp(arguments, L"find ", 5) == 0) {
        HWND query = FindWindowExW(FindWindowW(L"TavoFind", nullptr), nullptr, L"Edit", nullptr);
        return query && SetWindowTextW(query, arguments + 5) ? 0 : 1;
    }
    if (std::wcsncmp(arguments, L"tab ", 4) == 0) return nextOptionsPages(arguments + 4);
    if (std::wcsncmp(arguments, L"click ", 6) == 0) return clickOnShownPage(arguments + 6);
    if (std::wcsncmp(arguments, L"scheme ", 7) == 0) return chooseScheme(arguments + 7);
    if (std::wcsncmp(arguments, L"file ", 5) == 0) {
        HWND dialog = calendarDialogWith(1148);
        HWND name = dialog ? GetDlgItem(dialog, 1148) : nullptr;
        if (name == nullptr) return 1;
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arguments + 5));
        return PostMessageW(dialog, WM_COMMAND, IDOK, 0) ? 0 : 1;
    }
    if (std::wcscmp(arguments, L"tray-menu") == 0) {
        HWND tray = FindWindowW(L"TavoTray", nullptr);
        return tray && PostMessageW(tray, WM_USER + 1, 0, 0) ? 0 : 1;
    }
    if (std::wcsncmp(arguments, L"cancel ", 7) == 0) {
        HWND dialog = FindWindowW(L"#32770", arguments + 7);
        return dialog && PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
    }
    std::wstring className = L"Tavo";
    const wchar_t* number = arguments;
    if (!std::iswdigit(*number)) {
        const wchar_t* blank = std::wcschr(arguments, L' ');
        if (blank == nullptr) return 2;
        className.assign(arguments, static_cast<std::size_t>(blank - arguments));
        number = blank + 1;
    }
    HWND window = FindWindowW(className.c_str(), nullptr);
    if (window == nullptr) return 1;
    return PostMessageW(window, WM_COMMAND, std::wcstoul(number, nullptr, 10), 0) ? 0 : 1;
}
