#include "tray_window.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "shared/messages.h"
#include "shared/windows_of_kind.h"
#include "remind/open_day.h"
#include "resources/tavo_ids.h"

namespace tavo::tray {
namespace {

constexpr UINT kShowMenu = UM_TRAY_MENU;

void removeMenuItems(HMENU menu, std::initializer_list<UINT> commands) {
    for (UINT command : commands) DeleteMenu(menu, command, MF_BYCOMMAND);
}

}  // namespace

std::wstring calendarBesideLauncher(HINSTANCE instance) {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    std::wstring folder(path.data(), length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"Tavo.exe";
}

TrayWindow::TrayWindow(HINSTANCE instance, NotificationArea& area, std::wstring calendarProgram)
    : Window(WindowKind::Tray), instance_(instance), area_(area), calendarProgram_(std::move(calendarProgram)) {}

bool TrayWindow::registerClass(HINSTANCE instance) {
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kTrayIconResource));
    return Window::registerClass(instance, WindowKind::Tray, 0, icon, nullptr);
}

HWND TrayWindow::create() {
    if (Window::create(instance_, 0, WS_OVERLAPPEDWINDOW, nullptr, L"Tavo") == nullptr) return nullptr;
    // Sharp at any scaling: the icon at the system's small-icon size.
    icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kTrayIconResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    HMENU menu = GetSystemMenu(window, FALSE);
    removeMenuItems(menu, {SC_RESTORE});
    if (addIcon()) removeMenuItems(menu, {SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_MOVE});
    else showSmallWindow();
    InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, kStartCalendar, L"カレンダー起動");
    InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, kSyncCalendar, L"同期");
    const remind::BalloonIcon balloon = iconShown_ ? remind::BalloonIcon{window, kIconId} : remind::BalloonIcon{};
    reminders_ = std::make_unique<remind::ReminderRole>(
        remind::ReminderHost{instance_, LoadIconW(instance_, MAKEINTRESOURCEW(kTrayIconResource)), balloon, calendarProgram_});
    reminders_->take(true);
    return window;
}

bool TrayWindow::addIcon() {
    iconShown_ = area_.add(window, kIconId, UM_TRAY_ICON, icon_.get(), L"Tavo");
    return iconShown_;
}

void TrayWindow::removeIcon() {
    if (iconShown_) area_.remove(window, kIconId);
    iconShown_ = false;
    icon_.reset();
}

// Without an icon the launcher must still be seen and closed: a small window
// whose title bar starts the calendar.
void TrayWindow::showSmallWindow() {
    const int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    SetWindowPos(window, nullptr, 0, 0, 200, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
}

void TrayWindow::startCalendar() { remind::startCalendar(calendarProgram_, L"", window, false); }

void TrayWindow::syncCalendar() {
    HWND calendar = findWindowOf(WindowKind::Calendar);
    if (!calendar) calendar = remind::startCalendar(calendarProgram_, L"", window, true);
    if (calendar) PostMessageW(calendar, WM_COMMAND, CMD_SYNC, 0);
}

void TrayWindow::closeCalendar() {
    if (HWND calendar = findWindowOf(WindowKind::Calendar)) SendMessageW(calendar, WM_CLOSE, 0, 0);
}

void TrayWindow::onIcon(UINT mouseMessage) {
    // A right click is followed by WM_CONTEXTMENU too: the menu shows once.
    if (mouseMessage == WM_CONTEXTMENU && std::exchange(rightPressed_, false)) return;
    if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == NIN_KEYSELECT) {
        SetForegroundWindow(window);
        if (HWND calendar = findWindowOf(WindowKind::Calendar)) {
            ShowWindow(calendar, SW_SHOWNORMAL);
            SetForegroundWindow(calendar);
        } else {
            startCalendar();
        }
    } else if (mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_CONTEXTMENU) {
        rightPressed_ = mouseMessage == WM_RBUTTONDOWN;
        PostMessageW(window, kShowMenu, 0, 0);
    }
}

// Foreground first, so that the menu closes when the user clicks elsewhere.
void TrayWindow::trackMenu() {
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(window);
    TrackPopupMenu(GetSystemMenu(window, FALSE), TPM_BOTTOMALIGN | TPM_RIGHTALIGN, at.x, at.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

LRESULT TrayWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {  // Explorer restarted: the icon is gone
        if (iconShown_ || !IsWindowVisible(window)) addIcon();
        return 0;
    }
    switch (message) {
        case UM_TRAY_ICON: onIcon(static_cast<UINT>(lParam)); return 0;
        case kShowMenu: trackMenu(); return 0;
        case WM_COMMAND: SendMessageW(window, WM_SYSCOMMAND, wParam, lParam); return 0;
        case WM_SYSCOMMAND:
            if (LOWORD(wParam) == kStartCalendar) {
                startCalendar();
                return 0;
            }
            if (LOWORD(wParam) == kSyncCalendar) {
                syncCalendar();
                return 0;
            }
            return defaultMessage(message, wParam, lParam);
        case WM_NCLBUTTONUP:
            startCalendar();
            return defaultMessage(message, wParam, lParam);
        case WM_QUERYOPEN: return 0;
        case WM_ENDSESSION: closeCalendar(); return 1;
        case WM_DESTROY:
            // The calendar reminds while it runs on.
            if (reminders_) reminders_->give();
            postToWindows(kindBit(WindowKind::Calendar), UM_REMIND_TAKE);
            closeCalendar();
            PostQuitMessage(0);
            return 0;
        default: return defaultMessage(message, wParam, lParam);
    }
}

}  // namespace tavo::tray
