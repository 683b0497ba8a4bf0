// Entry of the calendar program: one calendar per user session.
#include <windows.h>

#include "app.h"
#include "calendar_model.h"
#include "main_window.h"
#include "placement.h"
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

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int fail(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Tavo", MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    if (activateRunningCalendar()) return 0;
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
    const int code = runMessageLoop();
    a.settings = nullptr;
    return code;
}
