// What every window of the calendar program shares: the module, the command
// line, the shared settings block and the platform services the model uses.
#pragma once

#include <windows.h>

#include <string>

#include "calendar/data/personal_days.h"
#include "calendar/data/shared_settings.h"
#include "calendar/text/windows_locale.h"
#include "shared/registry_settings_store.h"
#include "shared/window_kinds.h"
#include "shared/windows_file_system.h"
#include "win/dpi.h"

namespace tavo::remind {
class ReminderRole;
}

namespace tavo::shell {

using win::loadProgramIcon;
using win::loadString;
using win::setWindowIcons;
using win::windowDpi;
using win::WindowIcons;

struct Process {
    HINSTANCE instance = nullptr;
    int showCommand = SW_SHOWNORMAL;
    std::string commandLine;  // CP932
    SharedSettings* settings = nullptr;  // the mapped "TavoShareMem" block
    RegistrySettingsStore store;
    WindowsFileSystem files;
    WindowsLocale locale;
    BirthdaySound* sound = nullptr;  // the birthday sound, or a recording one in tests
    remind::ReminderRole* reminders = nullptr;  // reminds while no launcher does
    mutable DesignSet contrastDesigns[2]{};      // the designs in the system's colours, under a high-contrast theme
};

// The records of a kind's row in the process's shared block.
inline WindowStyle& styleOf(const Process& p, WindowKind kind) { return p.settings->style[windowKindInfo(kind).style]; }
// The design a window paints with: the user's, or under a high-contrast
// theme the user's in the system's colours (printing keeps the user's).
DesignSet& designOf(const Process& p, WindowKind kind);
// Under a high-contrast theme (or the test switch "highcontrast", which Wine cannot set).
bool highContrastOn();
inline const DateFormatSet& dateFormatsOf(const Process& p, WindowKind kind) {
    return p.settings->dateFormats[windowKindInfo(kind).dateFormats];
}

}  // namespace tavo::shell
