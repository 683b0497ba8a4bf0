// What every window of the calendar program shares: the module, the command
// line, the shared settings block and the platform services the model uses.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/personal_days.h"
#include "calendar/data/shared_settings.h"
#include "calendar/text/windows_locale.h"
#include "shared/registry_settings_store.h"
#include "shared/windows_file_system.h"

namespace tavo::shell {

struct Process {
    HINSTANCE instance = nullptr;
    int showCommand = SW_SHOWNORMAL;
    std::string commandLine;  // CP932
    SharedSettings* settings = nullptr;  // the mapped "TavoShareMem" block
    RegistrySettingsStore store;
    WindowsFileSystem files;
    WindowsLocale locale;
    BirthdaySound* sound = nullptr;  // the birthday sound, or a recording one in tests
};

// Tests move "today" through the registry instead of the system clock: only
// when TAVO_TEST_CLOCK is set in the environment.
void installClock();

// A string of the module's string table, whole.
std::wstring loadString(HINSTANCE instance, UINT id);

// The DPI of a window (96 where the system cannot say).
int windowDpi(HWND window);

// A window's own icons, loaded at the sizes its DPI asks for.
class WindowIcons {
public:
    WindowIcons() = default;
    ~WindowIcons() { reset(); }
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;
    void reset(HICON big = nullptr, HICON small = nullptr);

private:
    HICON big_ = nullptr, small_ = nullptr;
};
// The program's icon at the size the DPI asks for (big or small); LR_SHARED for class icons.
HICON loadProgramIcon(HINSTANCE instance, bool small, int dpi, UINT flags);
void setWindowIcons(WindowIcons& icons, HWND window, HINSTANCE instance, int dpi);

}  // namespace tavo::shell
