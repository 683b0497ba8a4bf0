// What every window of the calendar program shares: the module, the command
// line, the shared settings block and the platform services the model uses.
#pragma once

#include <windows.h>

#include <string>

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
};

// Tests move "today" through the registry instead of the system clock: only
// when TAVO_TEST_CLOCK is set in the environment.
void installClock();

// A string of the module's string table, whole.
std::wstring loadString(HINSTANCE instance, UINT id);

}  // namespace tavo::shell
