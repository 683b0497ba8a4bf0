#include "reminder_window.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "open_day.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/messages.h"
#include "win/dpi.h"
#include "win/system_library.h"
#include "win/test_clock.h"

namespace tavo::remind {
namespace {

enum : int { kList = 100, kSnoozeChoice, kSnooze, kOpen, kClose };
enum : UINT_PTR { kWakeTimer = 1, kFilesTimer = 2 };
constexpr UINT kOwnIconId = 1;
constexpr UINT kSettleMilliseconds = 300;  // an editor's save comes in a few writes

struct SnoozeChoice {
    const wchar_t* text;
    int minutes;
};
constexpr SnoozeChoice kSnoozeChoices[] = {{L"5分", 5}, {L"10分", 10}, {L"15分", 15}, {L"30分", 30}, {L"1時間", 60}};

ReminderWindow* processWindow = nullptr;  // the one of this process, for its keys

std::wstring clockText(int minute) {
    wchar_t text[8];
    std::swprintf(text, std::size(text), L"%d:%02d", minute / 60, minute % 60);
    return text;
}

std::wstring dayText(int serial, int today) {
    if (serial == today) return L"今日";
    if (serial == today + 1) return L"明日";
    if (serial == today - 1) return L"昨日";
    int y, m, d;
    civilFromSerial(serial, y, m, d);
    return std::to_wstring(m) + L"月" + std::to_wstring(d) + L"日";
}

std::wstring timeText(const TimedLine& time) {
    std::wstring text = clockText(time.start);
    if (time.end >= 0) text += L"～" + clockText(time.end);
    return text;
}

std::wstring itemText(const DueReminder& due, int today) {
    std::wstring text = dayText(due.entry.serial, today) + L" " + timeText(due.entry.time) + L"  " + cp932ToWide(due.entry.time.title);
    if (due.past) text += L"  (過ぎています)";
    return text;
}

std::string windowsFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"windir", buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? wideToCp932(std::wstring_view(buffer, n)) : std::string("C:\\Windows");
}

bool notifyIcon(DWORD action, NOTIFYICONDATAW& data) {
    static auto* const notify = win::systemFunction<decltype(Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return notify != nullptr && notify(action, &data) != FALSE;
}

NOTIFYICONDATAW iconData(HWND owner, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

}  // namespace

ReminderWindow::ReminderWindow(ReminderHost host) : Window(WindowKind::Remind), host_(std::move(host)) {}

ReminderWindow::~ReminderWindow() {
    watch_.stop();
    removeOwnIcon();
    if (window) DestroyWindow(window);
    if (processWindow == this) processWindow = nullptr;
}

HWND ReminderWindow::create() {
    if (!isRegistered(host_.instance, WindowKind::Remind) &&
        !registerClass(host_.instance, WindowKind::Remind, 0, host_.icon, nullptr, nullptr,
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return nullptr;
    if (Window::create(host_.instance, WS_EX_TOPMOST, WS_POPUPWINDOW | WS_CAPTION, nullptr, L"予定の時刻です - Tavo") == nullptr)
        return nullptr;
    processWindow = this;
    dpi_ = win::windowDpi(window);
    createControls();
    reload();
    return window;
}

bool ReminderWindow::dialogKeys(MSG& msg) {
    return processWindow != nullptr && processWindow->window != nullptr && IsWindowVisible(processWindow->window) &&
           IsChild(processWindow->window, msg.hwnd) && IsDialogMessageW(processWindow->window, &msg);
}

void ReminderWindow::createControls() {
    const auto control = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        HWND created = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), host_.instance, nullptr);
        return created;
    };
    list_ = control(L"LISTBOX", L"予定", WS_BORDER | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, kList);
    snoozeChoice_ = control(L"COMBOBOX", L"スヌーズの時間", CBS_DROPDOWNLIST | WS_VSCROLL, kSnoozeChoice);
    for (const SnoozeChoice& c : kSnoozeChoices) SendMessageW(snoozeChoice_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.text));
    SendMessageW(snoozeChoice_, CB_SETCURSEL, 0, 0);
    control(L"BUTTON", L"スヌーズ(&S)", BS_DEFPUSHBUTTON, kSnooze);
    control(L"BUTTON", L"開く(&O)", BS_PUSHBUTTON, kOpen);
    control(L"BUTTON", L"閉じる(&C)", BS_PUSHBUTTON, kClose);
    layOut();
}

// The system's message font at the window's scaling; list above, buttons below.
void ReminderWindow::layOut() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi_, win::windowDpi(nullptr));
    font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const int margin = scaled(8, dpi_), buttonWidth = scaled(84, dpi_), buttonHeight = scaled(26, dpi_);
    const int width = scaled(440, dpi_), height = scaled(200, dpi_);
    const int buttonsTop = height - margin - buttonHeight;
    MoveWindow(list_, margin, margin, width - 2 * margin, buttonsTop - 2 * margin, TRUE);
    MoveWindow(snoozeChoice_, margin, buttonsTop + scaled(2, dpi_), buttonWidth, scaled(200, dpi_), TRUE);
    const int ids[] = {kSnooze, kOpen, kClose};
    const int lefts[] = {2 * margin + buttonWidth, width - 2 * (buttonWidth + margin), width - buttonWidth - margin};
    for (int i = 0; i < 3; ++i) MoveWindow(GetDlgItem(window, ids[i]), lefts[i], buttonsTop, buttonWidth, buttonHeight, TRUE);
    // The window: that client, at the right edge of the work area, halfway
    // up: clear of the notification area and of the balloons above it.
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE, WS_EX_TOPMOST);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.right - frameWidth - margin, work.top + (work.bottom - work.top - frameHeight) / 2,
                 frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Settings, folders and rules as the calendar reads them, then the day's entries.
void ReminderWindow::reload() {
    auto setup = std::make_unique<ReminderSetup>();
    loadReminderSetup(*setup, files_, store_, wideToCp932(host_.calendarProgram), windowsFolder());
    setup_ = std::move(setup);
    book_ = std::make_unique<ReminderBook>(files_, reminderStateFile(setup_->paths));
    const std::wstring folder = cp932ToWide(setup_->paths.scheduleFolder);
    if (folder != watch_.folder()) watch_.start(folder, window, UM_REMIND_FILES);
    check();
}

void ReminderWindow::check() {
    const Minutes now = clockNow();
    book_->refresh(setup_->sources(files_), setup_->settings, now);
    reportProblem(book_->problem());
    showDue(book_->due(now));
    tell(book_->tell(now));
    wakeAt(std::min(book_->next(now).value_or(minutesAt(serialDayAt(now) + 1)), minutesAt(serialDayAt(now) + 1)), now);
}

// One timer, to the minute of the next reminder or midnight: nothing polls.
void ReminderWindow::wakeAt(Minutes next, Minutes now) {
    Minutes milliseconds = (next - now) * 60000;
    if (!win::testClockInstalled()) {
        SYSTEMTIME local;
        GetLocalTime(&local);
        milliseconds -= local.wSecond * 1000 + local.wMilliseconds;
    }
    SetTimer(window, kWakeTimer, static_cast<UINT>(std::clamp<Minutes>(milliseconds, 500, kMinutesPerDay * 60000)), nullptr);
}

void ReminderWindow::showDue(const std::vector<DueReminder>& due) {
    if (due.empty()) {
        shown_.clear();
        ShowWindow(window, SW_HIDE);
        removeOwnIcon();
        return;
    }
    if (due != shown_) {
        shown_ = due;
        const int today = serialDayAt(clockNow());
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (const DueReminder& d : due) SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText(d, today).c_str()));
    }
    if (!IsWindowVisible(window))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ReminderWindow::tell(const std::vector<DueReminder>& told) {
    if (told.empty()) return;
    const int today = serialDayAt(clockNow());
    std::wstring text;
    for (const DueReminder& d : told) {
        if (!text.empty()) text += L"\n";
        text += dayText(d.entry.serial, today) + L" " + timeText(d.entry.time) + L" " + cp932ToWide(d.entry.time.title);
    }
    balloon(L"予定の時刻です", text, NIIF_INFO | NIIF_NOSOUND);
    playSound();
}

void ReminderWindow::balloon(const std::wstring& title, const std::wstring& text, DWORD flags) {
    BalloonIcon icon = host_.balloon;
    if (icon.owner == nullptr) {
        icon = {window, kOwnIconId};
        if (!ownIcon_) {
            NOTIFYICONDATAW add = iconData(window, kOwnIconId);
            add.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
            add.uCallbackMessage = UM_REMIND_ICON;
            add.hIcon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
            std::wcsncpy(add.szTip, L"Tavo", std::size(add.szTip) - 1);
            ownIcon_ = notifyIcon(NIM_ADD, add);
        }
    }
    NOTIFYICONDATAW data = iconData(icon.owner, icon.id);
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = flags;
    std::wcsncpy(data.szInfoTitle, title.c_str(), std::size(data.szInfoTitle) - 1);
    std::wcsncpy(data.szInfo, text.c_str(), std::size(data.szInfo) - 1);
    notifyIcon(NIM_MODIFY, data);
}

void ReminderWindow::removeOwnIcon() {
    if (!ownIcon_) return;
    NOTIFYICONDATAW data = iconData(window, kOwnIconId);
    notifyIcon(NIM_DELETE, data);
    ownIcon_ = false;
}

void ReminderWindow::playSound() const {
    const ReminderSettings& s = setup_->settings;
    if (s.sound == kReminderSoundNone) return;
    if (win::testClockInstalled()) return win::countInTestClock(L"reminded");
    static auto* const play = win::systemFunction<decltype(PlaySoundW)>(L"winmm.dll", "PlaySoundW");
    if (play == nullptr) return;
    if (s.sound == kReminderSoundFile && s.soundPath[0] != '\0')
        play(cp932ToWide(s.soundPath).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    else
        play(L"Notification.Default", nullptr, SND_ALIAS | SND_ASYNC);
}

// A damaged state file or unreadable closed-day rules are told once, in a balloon: reminders go on.
void ReminderWindow::reportProblem(const std::string& problem) {
    const std::string all = setup_->problem.empty() ? problem : problem + (problem.empty() ? "" : "\n") + setup_->problem;
    if (all == toldProblem_) return;
    toldProblem_ = all;
    if (!all.empty()) balloon(L"読めないファイルがあります (知らせは続けます)", cp932ToWide(all), NIIF_WARNING);
}

// The selected entries; none selected means all shown.
std::vector<TimedEntry> ReminderWindow::chosen() const {
    std::vector<TimedEntry> entries;
    for (std::size_t i = 0; i < shown_.size(); ++i)
        if (SendMessageW(list_, LB_GETSEL, i, 0) > 0) entries.push_back(shown_[i].entry);
    if (entries.empty())
        for (const DueReminder& d : shown_) entries.push_back(d.entry);
    return entries;
}

void ReminderWindow::snooze() {
    const LRESULT choice = SendMessageW(snoozeChoice_, CB_GETCURSEL, 0, 0);
    const int minutes = kSnoozeChoices[choice >= 0 && choice < LRESULT(std::size(kSnoozeChoices)) ? choice : 0].minutes;
    const Minutes now = clockNow();
    for (const TimedEntry& e : chosen()) book_->snooze(e, now + minutes, now);
    check();
}

void ReminderWindow::dismissAll() {
    const Minutes now = clockNow();
    for (const DueReminder& d : shown_) book_->dismiss(d.entry, now);
    check();
}

void ReminderWindow::openChosen() {
    const std::vector<TimedEntry> entries = chosen();
    if (!entries.empty()) openDayInCalendar(host_.calendarProgram, entries.front().serial, entries.front().kind, window);
}

LRESULT ReminderWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kFilesTimer) KillTimer(window, kFilesTimer);
            check();
            return 0;
        case UM_REMIND_FILES: SetTimer(window, kFilesTimer, kSettleMilliseconds, nullptr); return 0;
        case UM_REFRESH: reload(); return 0;
        case WM_TIMECHANGE: check(); return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) check();
            return TRUE;
        case UM_REMIND_ICON:
            if (LOWORD(lParam) == NIN_BALLOONUSERCLICK && IsWindowVisible(window)) SetForegroundWindow(window);
            if (!IsWindowVisible(window) && (LOWORD(lParam) == NIN_BALLOONTIMEOUT || LOWORD(lParam) == NIN_BALLOONUSERCLICK))
                removeOwnIcon();
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kSnooze:
                case IDOK: snooze(); return 0;  // Enter: the default button
                case kOpen: openChosen(); return 0;
                case kClose:
                case IDCANCEL: dismissAll(); return 0;
                default: return 0;
            }
        case WM_CLOSE: dismissAll(); return 0;
        case WM_SETFOCUS: SetFocus(list_); return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            layOut();
            return 0;
        case WM_NCDESTROY: watch_.stop(); return defaultMessage(message, wParam, lParam);
        default: return defaultMessage(message, wParam, lParam);
    }
}

}  // namespace tavo::remind
