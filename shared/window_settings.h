// Settings records of the calendar and the range view: window styles,
// environment switches, popup-menu items, the range of the range view and
// the window slots. Plain layouts: they live in the shared settings block.
#pragma once

#include <cstdint>
#include <string>

#include "settings_table.h"

namespace tavo {

class SettingsStore;

struct WindowStyle {
    // Stored as "cap", "min", "max", "siz", "sts", "top", "clr", "wal", "tbt", "mbt", "ybt", "sps", "rok", "fwk", "wtp", "lay".
    std::int32_t titleBar, minimizeBox, maximizeBox, sizingBorder, statusBar, alwaysOnTop, transparent, wallpaper;
    std::int32_t todayButton, monthButtons, yearButtons, rokuyo, mondayFirst, firstWeekIsThisMonth;
    std::int32_t wallpaperStretched;  // 0 tiled, 1 stretched to the client
    std::int32_t layered;
    std::int32_t captionPending;
    std::int32_t percent;
    std::int32_t windowStyle;  // Win32 style bits derived from the switches
    char wallpaperPath[260];  // "bmppath"
};
static_assert(sizeof(WindowStyle) == 336);

inline constexpr int kCalendarStyle = 0;
inline constexpr int kRangeViewStyle = 1;

// Win32 style bits, spelled out so that the model needs no <windows.h>.
inline constexpr std::int32_t kStyleBase = 0x16080000;  // visible, clip siblings/children, system menu
inline constexpr std::int32_t kStyleCaption = 0x00C00000;
inline constexpr std::int32_t kStyleSizingBorder = 0x00040000;
inline constexpr std::int32_t kStyleMinimizeBox = 0x00020000;
inline constexpr std::int32_t kStyleMaximizeBox = 0x00010000;

const SettingsTable& windowStyleTable(int index);
// The style bits and caption-pending flag of a record read for a window not yet made.
void deriveWindowStyle(WindowStyle& style, int index);
const char* windowStyleKey(int index);  // "cstyle" or "sstyle"
void resetWindowStyle(WindowStyle& style, int index);
// The style of a painted window without a record of its own (the year view,
// the print preview): the calendar's defaults on a plain background.
WindowStyle plainWindowStyle();
void readWindowStyle(WindowStyle& style, int index, const SettingsStore& store);
void writeWindowStyle(const WindowStyle& style, int index, SettingsStore& store);
// Opacity of a layered window in percent: below 10 acts as 10.
int layeredOpacityPercent(const WindowStyle& style);

struct EnvironmentSettings {
    // Stored as "cyear", "cmon", "cweek", "cbir", "caniv", "midi", "miw", "sav", "con", "pmo".
    std::uint8_t markEveryYear, markEveryMonth, markEveryWeek, markBirthdays, markAnniversaries;  // marks in the grid
    std::uint8_t birthdaySound;      // played when today is a birthday
    std::uint8_t minimizeTogether;   // the data windows hide with the calendar
    std::uint8_t keepPlacements;     // window slots are stored
    std::uint8_t linkedActivation;   // the calendar and the range view come forward together
    std::uint8_t monthEndToLastDay;  // a monthly day past a month's end falls on its last day
    std::uint8_t padding[2];
    std::int32_t dateChange;  // "cdt", on change of date: 0 nothing, 1 move silently, 2 tell and move
    char birthdaySoundPath[260];  // "bwavepath"
};
static_assert(sizeof(EnvironmentSettings) == 276);

// programFolder gives the default birthday sound, programFolder\Birthday.Mid.
const SettingsTable& environmentTable();
void resetEnvironment(EnvironmentSettings& env, const std::string& programFolder);
void readEnvironment(EnvironmentSettings& env, const SettingsStore& store);
void writeEnvironment(const EnvironmentSettings& env, SettingsStore& store);

inline constexpr int kPopupMenuItems = 11;
struct PopupMenuFlags {
    std::uint8_t item[kPopupMenuItems];  // "sch0".."sch10"
    std::uint8_t spare;
};
static_assert(sizeof(PopupMenuFlags) == 12);

const SettingsTable& popupMenuTable();
void resetPopupMenuFlags(PopupMenuFlags& flags);
void readPopupMenuFlags(PopupMenuFlags& flags, const SettingsStore& store);
void writePopupMenuFlags(const PopupMenuFlags& flags, SettingsStore& store);

enum RangeType : std::int32_t { kRangeRelative = 0, kRangeMonth = 1, kRangeWeek = 2 };
struct RangeViewSettings {
    std::int32_t range;  // RangeType
    std::int32_t before;  // "pred", 0..99
    std::int32_t after;   // "aftd", 0..99
};
static_assert(sizeof(RangeViewSettings) == 12);

const SettingsTable& rangeViewTable();
void resetRangeViewSettings(RangeViewSettings& range);
void readRangeViewSettings(RangeViewSettings& range, const SettingsStore& store);
void writeRangeViewSettings(const RangeViewSettings& range, SettingsStore& store);

// Window slots: 0 calendar, 1 day schedule, 2 birthdays, 3 range view.
enum WindowSlot : int { kSlotCalendar = 0, kSlotSchedule = 1, kSlotBirthday = 2, kSlotRangeView = 3 };
struct WindowSlots {
    std::int32_t left[5], top[5], width[5], height[5];
    std::int32_t dpi[5];  // the DPI a slot's position was stored at; 0 unknown
};

// The screen facts that placing a window needs (the width and height are the
// work area's right and bottom: a window is kept off the taskbar).
struct ScreenMetrics {
    int screenWidth, screenHeight;
    int cxFrame, cyFrame, cxEdge, cyEdge, cyCaption;
};
// The window a new one opens beside when it has no stored place (the calendar).
struct BesideRect {
    int left, top, right, bottom;
};

// The position and size values of one slot (0 to 3).
SettingsTable windowSlotTable(int slot);
// Slots hold physical pixels of a window at `dpi`; the registry keeps the
// sizes at 96 DPI (positions are screen coordinates and stay as they are,
// but a window stored beside the calendar at another DPI keeps its offset
// from the calendar in proportion, so the arrangement survives a scaling;
// one stored right of it at a DPI not recorded, now over it, opens beside it).
// A window always opens wholly on the work area, its title bar in reach and
// no larger than the area, whatever was stored; with no stored place it
// opens beside `beside` when given (right of it, else left), else at the
// default corner.
void loadWindowSlot(WindowSlots& slots, int slot, bool sizingBorder, const SettingsStore& store,
                    const ScreenMetrics& screen, int dpi = 96, const BesideRect* beside = nullptr);
void saveWindowSlot(WindowSlots& slots, int slot, int left, int top, int width, int height, SettingsStore& store,
                    int dpi = 96);

// The options dialog's stored corner ("custpos"; x -1 when none), the size
// stored beside the window slots ("size") and whether it was opened before.
struct OptionsDialogSettings {
    std::int32_t x, y, width, height;
    std::int32_t openedBefore;
};
const SettingsTable& optionsDialogTable();

// Where the options dialog opens: its stored corner ("custpos"; x -1 when
// none: centred over its owner when given) pulled back so that a dialog of
// its real width x height stays wholly on the work area.
struct DialogCorner {
    int x, y;
};
DialogCorner optionsDialogCorner(int storedX, int storedY, int screenWidth, int screenHeight, int width, int height,
                                 const BesideRect* owner = nullptr);

}  // namespace tavo
