#include "window_settings.h"

#include <algorithm>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "dpi.h"
#include "file_system.h"
#include "settings_store.h"
#include "settings_table.h"
#include "window_frame.h"

namespace tavo {
namespace {

SettingsTable makeWindowStyleTable(const char* key) {
    SettingsTable t;
    const auto sw = [&](const char* name, std::size_t offset, int def) {
        t.push_back({key, name, SettingType::Switch32, offset, def});
    };
    sw("cap", offsetof(WindowStyle, titleBar), 1);
    sw("min", offsetof(WindowStyle, minimizeBox), 1);
    sw("max", offsetof(WindowStyle, maximizeBox), 1);
    sw("siz", offsetof(WindowStyle, sizingBorder), 1);
    sw("sts", offsetof(WindowStyle, statusBar), 1);
    sw("top", offsetof(WindowStyle, alwaysOnTop), 0);
    sw("clr", offsetof(WindowStyle, transparent), 0);
    sw("wal", offsetof(WindowStyle, wallpaper), 0);
    sw("tbt", offsetof(WindowStyle, todayButton), 1);
    sw("mbt", offsetof(WindowStyle, monthButtons), 1);
    sw("ybt", offsetof(WindowStyle, yearButtons), 1);
    sw("sps", offsetof(WindowStyle, rokuyo), 1);
    sw("rok", offsetof(WindowStyle, mondayFirst), 0);
    sw("fwk", offsetof(WindowStyle, firstWeekIsThisMonth), 0);
    sw("wtp", offsetof(WindowStyle, wallpaperStretched), 0);
    sw("lay", offsetof(WindowStyle, layered), 0);
    t.push_back({key, "percent", SettingType::Int32, offsetof(WindowStyle, percent), 0});
    t.push_back({key, "bmppath", SettingType::Text, offsetof(WindowStyle, wallpaperPath), 0, 260, ""});
    return t;
}

SettingsTable makeEnvironmentTable() {
    SettingsTable t;
    const char* const names[] = {"cyear", "cmon", "cweek", "cbir", "caniv", "midi", "miw", "sav", "con", "pmo"};
    for (std::size_t i = 0; i < 10; ++i)
        t.push_back({"env", names[i], SettingType::Switch8, offsetof(EnvironmentSettings, markEveryYear) + i, 1});
    t.push_back({"env", "cdt", SettingType::Int32, offsetof(EnvironmentSettings, dateChange), 1});
    // Its default depends on the program folder: resetEnvironment sets it.
    t.push_back({"env", "bwavepath", SettingType::Text, offsetof(EnvironmentSettings, birthdaySoundPath), 0, 260});
    return t;
}

SettingsTable makePopupMenuTable() {
    SettingsTable t;
    for (std::size_t i = 0; i < kPopupMenuItems; ++i)
        t.push_back({"menu", "sch" + std::to_string(i), SettingType::Switch8, offsetof(PopupMenuFlags, item) + i, 1});
    return t;
}

// A stored offset from the calendar at another DPI, in proportion (bounded: stored values are anyone's).
int scaledOffset(int position, int calendar, int dpi, int storedDpi) {
    const long long offset = std::clamp<long long>(static_cast<long long>(position) - calendar, -100000, 100000);
    return static_cast<int>(offset * dpi / storedDpi);
}

}  // namespace

// Windows are made with a title bar; one that wants none loses it once placed.
void deriveWindowStyle(WindowStyle& s, int index) {
    if (index == kRangeViewStyle) s.statusBar = 0;  // the range view has no status bar
    s.windowStyle = windowStyleBits(s) | kStyleCaption;
    s.captionPending = s.titleBar == 0;
}

namespace {

const char* const kSlotNames[4] = {"Cal", "Sch", "Bir", "Scv"};

std::string slotValue(char axis, int slot) { return std::string(1, axis) + kSlotNames[slot]; }

int clampToScreen(int value, int highest) {
    if (value > highest) return highest;
    return value < 0 ? 0 : value;
}

}  // namespace

const char* windowStyleKey(int index) { return index == kRangeViewStyle ? "sstyle" : "cstyle"; }

const SettingsTable& windowStyleTable(int index) {
    static const SettingsTable tables[2] = {makeWindowStyleTable(windowStyleKey(kCalendarStyle)),
                                            makeWindowStyleTable(windowStyleKey(kRangeViewStyle))};
    return tables[index == kRangeViewStyle ? 1 : 0];
}

const SettingsTable& environmentTable() {
    static const SettingsTable table = makeEnvironmentTable();
    return table;
}

const SettingsTable& popupMenuTable() {
    static const SettingsTable table = makePopupMenuTable();
    return table;
}

const SettingsTable& rangeViewTable() {
    static const SettingsTable table = {
        {"scv", "range", SettingType::Int32, offsetof(RangeViewSettings, range), 0},
        {"scv", "pred", SettingType::Int32, offsetof(RangeViewSettings, before), 0},
        {"scv", "aftd", SettingType::Int32, offsetof(RangeViewSettings, after), 0},
    };
    return table;
}

const SettingsTable& optionsDialogTable() {
    static const SettingsTable table = {
        {"custpos", "xCst", SettingType::Int32, offsetof(OptionsDialogSettings, x), -1},
        {"custpos", "yCst", SettingType::Int32, offsetof(OptionsDialogSettings, y), -1},
        {"size", "xCst", SettingType::Int32, offsetof(OptionsDialogSettings, width), 280},
        {"size", "yCst", SettingType::Int32, offsetof(OptionsDialogSettings, height), 340},
        {"tavocust", "exec", SettingType::Switch32, offsetof(OptionsDialogSettings, openedBefore), 0},
    };
    return table;
}

SettingsTable windowSlotTable(int slot) {
    const auto i = static_cast<std::size_t>(slot) * 4;
    return {
        {"position", slotValue('x', slot), SettingType::Int32, offsetof(WindowSlots, left) + i, -1},
        {"position", slotValue('y', slot), SettingType::Int32, offsetof(WindowSlots, top) + i, -1},
        {"position", "dpi" + std::string(kSlotNames[slot]), SettingType::Int32, offsetof(WindowSlots, dpi) + i, 0},
        {"size", slotValue('x', slot), SettingType::Int32, offsetof(WindowSlots, width) + i, 280},
        {"size", slotValue('y', slot), SettingType::Int32, offsetof(WindowSlots, height) + i, 350},
    };
}

WindowStyle plainWindowStyle() {
    WindowStyle style{};
    resetWindowStyle(style, kCalendarStyle);
    style.wallpaper = style.transparent = style.layered = 0;
    return style;
}

void resetWindowStyle(WindowStyle& style, int index) {
    std::memset(&style, 0, sizeof style);
    resetSettings(&style, windowStyleTable(index));
    deriveWindowStyle(style, index);
}

void readWindowStyle(WindowStyle& style, int index, const SettingsStore& store) {
    resetWindowStyle(style, index);
    readSettings(&style, windowStyleTable(index), store);
    deriveWindowStyle(style, index);
}

void writeWindowStyle(const WindowStyle& style, int index, SettingsStore& store) {
    writeSettings(&style, windowStyleTable(index), store);
}

int layeredOpacityPercent(const WindowStyle& style) { return style.percent < 10 ? 10 : (style.percent > 100 ? 100 : style.percent); }

void resetEnvironment(EnvironmentSettings& env, const std::string& programFolder) {
    std::memset(&env, 0, sizeof env);
    resetSettings(&env, environmentTable());
    const std::string sound = joinPath(programFolder, "Birthday.Mid");
    std::snprintf(env.birthdaySoundPath, sizeof env.birthdaySoundPath, "%s", sound.c_str());
}

void readEnvironment(EnvironmentSettings& env, const SettingsStore& store) {
    readSettings(&env, environmentTable(), store);
}

void writeEnvironment(const EnvironmentSettings& env, SettingsStore& store) {
    writeSettings(&env, environmentTable(), store);
}

void resetPopupMenuFlags(PopupMenuFlags& flags) {
    std::memset(&flags, 0, sizeof flags);
    resetSettings(&flags, popupMenuTable());
}

void readPopupMenuFlags(PopupMenuFlags& flags, const SettingsStore& store) {
    readSettings(&flags, popupMenuTable(), store);
}

void writePopupMenuFlags(const PopupMenuFlags& flags, SettingsStore& store) {
    writeSettings(&flags, popupMenuTable(), store);
}

void resetRangeViewSettings(RangeViewSettings& range) { resetSettings(&range, rangeViewTable()); }

void readRangeViewSettings(RangeViewSettings& range, const SettingsStore& store) {
    readSettings(&range, rangeViewTable(), store);
}

void writeRangeViewSettings(const RangeViewSettings& range, SettingsStore& store) {
    writeSettings(&range, rangeViewTable(), store);
}

void loadWindowSlot(WindowSlots& slots, int slot, bool sizingBorder, const SettingsStore& store,
                    const ScreenMetrics& screen, int dpi, const BesideRect* beside) {
    WindowSlots stored{};
    for (const SettingsTable& table : {windowSlotTable(slot), windowSlotTable(kSlotCalendar)}) {
        resetSettings(&stored, table);
        readSettings(&stored, table, store);
    }
    constexpr int kLargestStoredSize = 16384;  // bounds what scaling multiplies
    const int width = std::min(scaleToDpi(std::clamp(stored.width[slot], 1, kLargestStoredSize), dpi), std::max(screen.screenWidth, 1));
    const int height = std::min(scaleToDpi(std::clamp(stored.height[slot], 1, kLargestStoredSize), dpi), std::max(screen.screenHeight, 1));
    int left = stored.left[slot], top = stored.top[slot];
    const int storedDpi = stored.dpi[slot];
    if (left != -1 && beside != nullptr && slot != kSlotCalendar && storedDpi > 0 && storedDpi != dpi && stored.left[kSlotCalendar] != -1) {
        left = beside->left + scaledOffset(left, stored.left[kSlotCalendar], dpi, storedDpi);
        top = beside->top + scaledOffset(top, stored.top[kSlotCalendar], dpi, storedDpi);
    } else if (left != -1 && beside != nullptr && slot != kSlotCalendar && storedDpi == 0 && left > beside->left &&
               left < beside->right && top < beside->bottom && top + height > beside->top) {
        left = beside->right;  // stored right of the calendar at an unknown scaling, now over it: beside it again
    } else if (left == -1 && beside != nullptr) {  // right of the other window, or left of it when there is no room
        left = beside->right + width <= screen.screenWidth ? beside->right : beside->left - width;
        top = beside->top;
    } else if (left == -1) {  // the default corner
        left = sizingBorder ? screen.cxFrame - 1 : screen.cxEdge;
        top = sizingBorder ? screen.cyFrame + screen.cyCaption - 1 : screen.cyEdge + screen.cyCaption;
    }
    const int slackX = sizingBorder ? screen.cxFrame - 1 : screen.cxEdge;
    const int slackY = sizingBorder ? screen.cyFrame - 1 : screen.cyEdge;
    slots.left[slot] = clampToScreen(left, std::max(screen.screenWidth - width + slackX, 0));
    slots.top[slot] = clampToScreen(top, std::max(screen.screenHeight - height + slackY, 0));
    slots.width[slot] = width;
    slots.height[slot] = height;
}

void saveWindowSlot(WindowSlots& slots, int slot, int left, int top, int width, int height, SettingsStore& store,
                    int dpi) {
    slots.left[slot] = left;
    slots.top[slot] = top;
    slots.width[slot] = width;
    slots.height[slot] = height;
    slots.dpi[slot] = dpi;
    WindowSlots stored = slots;
    stored.width[slot] = scaleFromDpi(width, dpi);
    stored.height[slot] = scaleFromDpi(height, dpi);
    writeSettings(&stored, windowSlotTable(slot), store);
}

DialogCorner optionsDialogCorner(int storedX, int storedY, int screenWidth, int screenHeight, int width, int height,
                                 const BesideRect* owner) {
    if (storedX == -1 && owner == nullptr) return {0, 0};
    if (storedX == -1) {
        storedX = (owner->left + owner->right - width) / 2;
        storedY = (owner->top + owner->bottom - height) / 2;
    }
    const auto pull = [](int value, int screen, int size) { return std::max(std::min(value, screen - size), 0); };
    return {pull(storedX, screenWidth, width), pull(storedY, screenHeight, height)};
}

}  // namespace tavo
