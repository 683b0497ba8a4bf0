// Entry of the calendar program: one calendar per user session.
#include <windows.h>

#include <string>

#include "calendar_model.h"
#include "birthday_sound.h"
#include "calendar_window.h"
#include "placement.h"
#include "process.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"
#include "shared_block.h"
#include "remind/reminder_role.h"
#include "win/single_instance.h"
#include "win/test_clock.h"

namespace {

using namespace tavo::shell;

HWND findCalendar() { return tavo::findWindowOf(tavo::WindowKind::Calendar); }

// Brings the running calendar forward; true when there is one and this
// process is to end.
bool activateRunningCalendar(tavo::win::SingleInstance& lock) {
    if (lock.first()) return false;
    HWND existing = lock.waitForFirst(findCalendar);
    if (lock.first()) return false;
    if (existing == nullptr) return true;
    if (IsIconic(existing)) ShowWindow(existing, SW_RESTORE);
    SetForegroundWindow(existing);
    return true;
}

// Clicks on the status bar go to the calendar before the status bar sees them.
void preDispatch(CalendarWindow& a, const MSG& msg) {
    if (a.statusBar == nullptr || msg.hwnd != a.statusBar) return;
    if (msg.message == WM_LBUTTONDBLCLK) PostMessageW(a.window, WM_COMMAND, CMD_JUMP, 0);
    if (msg.message == WM_RBUTTONUP) {
        a.contextMenuFromStatusBar = true;
        a.contextMenuPending = true;
    }
}

int runMessageLoop(CalendarWindow& a) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (tavo::remind::ReminderWindow::dialogKeys(msg) || tavo::win::routeDialogKeys(msg)) continue;
        preDispatch(a, msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

std::wstring programFile() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

int fail(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Tavo", MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    tavo::win::SingleInstance lock(L"Calendar");
    if (activateRunningCalendar(lock)) return 0;
    const bool testClock = tavo::win::installTestClock();
    tavo::win::ComApartment apartment;
    Process process;
    process.instance = instance;
    process.showCommand = showCommand;
    process.commandLine = tavo::wideToCp932(commandLine ? commandLine : L"");
    // The other windows' classes are registered when they first open.
    if (!CalendarWindow::registerClass(instance)) return fail(L"ウィンドウクラスを登録できません。");
    SharedBlock block;
    if (!block.create()) return fail((std::wstring(L"設定の共有メモリ (") + tavo::kSharedSettingsName + L") を作成できません。").c_str());
    process.settings = block.settings();
    CalendarWindow calendar(process);
    loadWindowStyles(calendar);
    loadCalendarSlot(calendar);
    HWND owner = findOwnerWindow(calendar);
    if (calendar.create(owner) == nullptr) return fail(L"カレンダーのウィンドウを作成できません。");
    // Lists that play the sound are collected from the loop on; the sound
    // tells the calendar's window when it ends, and is closed after the loop.
    MciBirthdaySound mciSound(tavo::cp932ToWide(process.settings->env.birthdaySoundPath), calendar.window);
    CountingBirthdaySound countingSound;
    process.sound = testClock ? static_cast<tavo::BirthdaySound*>(&countingSound) : &mciSound;
    tavo::remind::ReminderRole reminders({instance, loadProgramIcon(instance, false, 96, LR_SHARED), {}, programFile()});
    process.reminders = &reminders;
    reminders.take(false);  // unless the launcher reminds
    const int code = runMessageLoop(calendar);
    process.reminders = nullptr;
    reminders.give();
    process.sound = nullptr;
    mciSound.close();
    process.settings = nullptr;
    return code;
}
