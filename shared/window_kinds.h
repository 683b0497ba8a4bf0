// The windows of the system by kind: their class names (how windows find each
// other; the other programs rely on them) and the settings each kind uses.
#pragma once

namespace tavo {

enum class WindowKind : unsigned {
    Calendar,     // "Tavo"
    RangeView,    // "WScv"
    DaySchedule,  // "WSch"
    Birthday,     // "WBir"
    Tray,         // "TavoTray", the launcher
    Clock,        // "HorvikMainClass", the companion clock program
    Options,      // the options dialog, a dialog ("#32770") known by its title
    Remind,       // "TavoRemind", the reminder window of the process that reminds
    Find,         // "TavoFind", the search window
    Year,         // "TavoYear", the year view
    Preview,      // "TavoPreview", printing and its preview
};
inline constexpr unsigned kWindowKindCount = 11;

struct WindowKindInfo {
    WindowKind kind;
    const wchar_t* className;
    const wchar_t* title;  // only where the class names no single kind (dialogs); nullptr otherwise
    int slot;         // window slot, -1 none
    int style;        // WindowStyle record, -1 none
    int design;       // DesignSet, -1 none
    int dateFormats;  // DateFormatSet group, -1 none
};

const WindowKindInfo& windowKindInfo(WindowKind kind);

// A set of kinds, for messages to "every open window of these kinds".
using WindowKinds = unsigned;
constexpr WindowKinds kindBit(WindowKind kind) { return 1u << static_cast<unsigned>(kind); }
inline constexpr WindowKinds kDataWindows =
    kindBit(WindowKind::RangeView) | kindBit(WindowKind::DaySchedule) | kindBit(WindowKind::Birthday);
// Told when data or settings change: the reminder and search windows read them again too.
inline constexpr WindowKinds kRefreshedWindows =
    kindBit(WindowKind::Calendar) | kindBit(WindowKind::RangeView) | kindBit(WindowKind::Remind) | kindBit(WindowKind::Find) |
                                               kindBit(WindowKind::Year) | kindBit(WindowKind::Preview);

}  // namespace tavo
