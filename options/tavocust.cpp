// The options library: loaded by the calendar only while its dialog is open.
#include <windows.h>

#include <commctrl.h>

#include <span>

#include "calendar/data/shared_settings.h"
#include "options_frame.h"
#include "pages.h"
#include "shared/window_settings.h"
#include "shared/windows_of_kind.h"

namespace tavo::options {
namespace {

HINSTANCE gLibrary = nullptr;

// The first outer tab: "基本設定" on the very first opening, then the tab of the caller.
int firstOuterTab(RegistrySettingsStore& store, bool fromRangeView) {
    const SettingEntry& opened = settingEntry(optionsDialogTable(), "tavocust", "exec");
    OptionsDialogSettings dialog{};
    resetSettings(&dialog, optionsDialogTable());
    readSetting(&dialog, opened, store);
    if (dialog.openedBefore) return fromRangeView ? 2 : 1;
    dialog.openedBefore = 1;
    writeSetting(&dialog, opened, store);
    return 0;
}

}  // namespace
}  // namespace tavo::options

extern "C" {

// Runs the options dialog on the calendar's settings block; returns 1 after
// OK and 0 after Cancel or close.
__declspec(dllexport) int TavoCust(tavo::SharedSettings* settings, unsigned char fromRangeView) {
    using namespace tavo::options;
    if (settings == nullptr) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    OptionsContext context;
    context.settings = settings;
    context.instance = gLibrary;
    OptionsFrame frame(context, kOuterTabTexts, std::span(kPageSlots, kPageSlotCount), firstOuterTab(context.store, fromRangeView != 0));
    const INT_PTR result = frame.runModal(gLibrary, L"TAVOCUST", tavo::findWindowOf(tavo::WindowKind::Tray));
    return result == 1 ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) tavo::options::gLibrary = instance;
    return TRUE;
}

}
