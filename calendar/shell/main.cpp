// Entry of the calendar program: one calendar per user session.
#include <windows.h>

#include "app.h"
#include "calendar_model.h"
#include "main_window.h"
#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/clock.h"
#include "shared/cp932.h"
#include "shared_block.h"

namespace {

using namespace tavo::shell;

// Brings a running calendar forward; true when there was one.
bool activateRunningCalendar() {
    HWND existing = FindWindowW(kMainClass, nullptr);
    if (existing == nullptr) return false;
    if (IsIconic(existing)) ShowWindow(existing, SW_RESTORE);
    SetForegroundWindow(existing);
    return true;
}

// Clicks on the status bar go to the calendar before the status bar sees them.
void preDispatch(App& a, const MSG& msg) {
    if (a.statusBar == nullptr || msg.hwnd != a.statusBar) return;
    if (msg.message == WM_LBUTTONDBLCLK) PostMessageW(a.window, WM_COMMAND, CMD_JUMP, 0);
    if (msg.message == WM_RBUTTONUP) {
        a.contextMenuFromStatusBar = true;
        a.contextMenuPending = true;
    }
}

int runMessageLoop(App& a) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        preDispatch(a, msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Tests move "today" through the registry instead of the system clock; only
// when TAVO_TEST_CLOCK is set in the environment.
class RegistryTestClock final : public tavo::Clock {
public:
    tavo::LocalDate today() const override {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brenmor\\Tavo\\testclock", L"today", RRF_RT_REG_DWORD, nullptr,
                         &value, &size) == ERROR_SUCCESS && value > 15821015)
            return {static_cast<int>(value / 10000), static_cast<int>(value / 100 % 100), static_cast<int>(value % 100)};
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay};
    }
};

int fail(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Tavo", MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    if (activateRunningCalendar()) return 0;
    static RegistryTestClock testClock;
    if (GetEnvironmentVariableW(L"TAVO_TEST_CLOCK", nullptr, 0) > 0) tavo::setClock(&testClock);
    App& a = app();
    a.instance = instance;
    a.showCommand = showCommand;
    a.commandLine = tavo::wideToCp932(commandLine ? commandLine : L"");
    if (!registerMainWindowClass(instance)) return fail(L"ウィンドウクラスを登録できません.");
    SharedBlock block;
    if (!block.create()) return fail(L"設定の共有メモリ (TavoShareMem) を作成できません.");
    a.settings = block.settings();
    loadWindowStyles(a);
    loadCalendarSlot(a);
    HWND owner = findOwnerWindow(a);
    if (createMainWindow(a, owner) == nullptr) return fail(L"カレンダーのウィンドウを作成できません.");
    const int code = runMessageLoop(a);
    a.settings = nullptr;
    return code;
}
