#include "window_settings.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "file_system.h"
#include "settings_store.h"
#include "settings_table.h"

namespace tavo {
namespace {

#define STYLE_SWITCH(name, def) {#name, SettingType::Switch32, offsetof(WindowStyle, name), def}
const SettingSpec kWindowStyleTable[] = {
    STYLE_SWITCH(cap, 1), STYLE_SWITCH(min, 1), STYLE_SWITCH(max, 1), STYLE_SWITCH(siz, 1),
    STYLE_SWITCH(sts, 1), STYLE_SWITCH(top, 0), STYLE_SWITCH(clr, 0), STYLE_SWITCH(wal, 0),
    STYLE_SWITCH(tbt, 1), STYLE_SWITCH(mbt, 1), STYLE_SWITCH(ybt, 1), STYLE_SWITCH(sps, 1),
    STYLE_SWITCH(rok, 0), STYLE_SWITCH(fwk, 0), STYLE_SWITCH(wtp, 0), STYLE_SWITCH(lay, 0),
    {"percent", SettingType::Int32, offsetof(WindowStyle, percent), 0},
    {"bmppath", SettingType::Text260, offsetof(WindowStyle, bmppath), 0},
};
#undef STYLE_SWITCH

#define ENV_SWITCH(name) {#name, SettingType::Switch8, offsetof(EnvironmentSettings, name), 1}
const SettingSpec kEnvironmentTable[] = {
    ENV_SWITCH(cyear), ENV_SWITCH(cmon), ENV_SWITCH(cweek), ENV_SWITCH(cbir), ENV_SWITCH(caniv),
    ENV_SWITCH(midi),  ENV_SWITCH(miw),  ENV_SWITCH(sav),   ENV_SWITCH(con),  ENV_SWITCH(pmo),
    {"cdt", SettingType::Int32, offsetof(EnvironmentSettings, cdt), 1},
    {"bwavepath", SettingType::Text260, offsetof(EnvironmentSettings, bwavepath), 0},
};
#undef ENV_SWITCH

#define MENU_ITEM(n) {"sch" #n, SettingType::Switch8, offsetof(PopupMenuFlags, item) + n, 1}
const SettingSpec kPopupMenuTable[] = {
    MENU_ITEM(0), MENU_ITEM(1), MENU_ITEM(2), MENU_ITEM(3), MENU_ITEM(4),  MENU_ITEM(5),
    MENU_ITEM(6), MENU_ITEM(7), MENU_ITEM(8), MENU_ITEM(9), MENU_ITEM(10),
};
#undef MENU_ITEM

const SettingSpec kRangeViewTable[] = {
    {"range", SettingType::Int32, offsetof(RangeViewSettings, range), 0},
    {"pred", SettingType::Int32, offsetof(RangeViewSettings, before), 0},
    {"aftd", SettingType::Int32, offsetof(RangeViewSettings, after), 0},
};

const char* styleKey(int index) { return index == kRangeViewStyle ? "sstyle" : "cstyle"; }

void deriveWindowStyle(WindowStyle& s, int index) {
    if (index == kRangeViewStyle) s.sts = 0;  // the range view has no status bar
    s.windowStyle = kStyleBase | kStyleCaption;
    s.captionPending = s.cap == 0;
    if (s.siz) s.windowStyle |= kStyleSizingBorder;
    if (s.min) s.windowStyle |= kStyleMinimizeBox;
    if (s.max) s.windowStyle |= kStyleMaximizeBox;
}

const char* const kSlotNames[4] = {"Cal", "Sch", "Bir", "Scv"};

std::string slotValue(char axis, int slot) { return std::string(1, axis) + kSlotNames[slot]; }

int clampToScreen(int value, int highest) {
    if (value > highest) return highest;
    return value < 0 ? 0 : value;
}

}  // namespace

void resetWindowStyle(WindowStyle& style, int index) {
    std::memset(&style, 0, sizeof style);
    resetSettings(&style, kWindowStyleTable);
    deriveWindowStyle(style, index);
}

void readWindowStyle(WindowStyle& style, int index, const SettingsStore& store) {
    resetWindowStyle(style, index);
    readSettings(&style, kWindowStyleTable, store, styleKey(index));
    deriveWindowStyle(style, index);
}

void writeWindowStyle(const WindowStyle& style, int index, SettingsStore& store) {
    writeSettings(&style, kWindowStyleTable, store, styleKey(index));
}

int layeredOpacityPercent(const WindowStyle& style) { return style.percent < 10 ? 10 : (style.percent > 100 ? 100 : style.percent); }

void resetEnvironment(EnvironmentSettings& env, const std::string& programFolder) {
    std::memset(&env, 0, sizeof env);
    resetSettings(&env, kEnvironmentTable);
    const std::string sound = joinPath(programFolder, "Birthday.Mid");
    std::snprintf(env.bwavepath, sizeof env.bwavepath, "%s", sound.c_str());
}

void readEnvironment(EnvironmentSettings& env, const SettingsStore& store) {
    readSettings(&env, kEnvironmentTable, store, "env");
}

void writeEnvironment(const EnvironmentSettings& env, SettingsStore& store) {
    writeSettings(&env, kEnvironmentTable, store, "env");
}

void resetPopupMenuFlags(PopupMenuFlags& flags) {
    std::memset(&flags, 0, sizeof flags);
    resetSettings(&flags, kPopupMenuTable);
}

void readPopupMenuFlags(PopupMenuFlags& flags, const SettingsStore& store) {
    readSettings(&flags, kPopupMenuTable, store, "menu");
}

void writePopupMenuFlags(const PopupMenuFlags& flags, SettingsStore& store) {
    writeSettings(&flags, kPopupMenuTable, store, "menu");
}

void resetRangeViewSettings(RangeViewSettings& range) { resetSettings(&range, kRangeViewTable); }

void readRangeViewSettings(RangeViewSettings& range, const SettingsStore& store) {
    readSettings(&range, kRangeViewTable, store, "scv");
}

void writeRangeViewSettings(const RangeViewSettings& range, SettingsStore& store) {
    writeSettings(&range, kRangeViewTable, store, "scv");
}

void loadWindowSlot(WindowSlots& slots, int slot, bool sizingBorder, const SettingsStore& store,
                    const ScreenMetrics& screen) {
    const auto size = store.openForReading("size");
    const int width = size->readInt(slotValue('x', slot), 280);
    const int height = size->readInt(slotValue('y', slot), 350);
    const auto position = store.openForReading("position");
    int left = position->readInt(slotValue('x', slot), -1);
    int top;
    if (left == -1) {
        left = sizingBorder ? screen.cxFrame - 1 : screen.cxEdge;
        top = sizingBorder ? screen.cyFrame + screen.cyCaption - 1 : screen.cyEdge + screen.cyCaption;
    } else {
        top = position->readInt(slotValue('y', slot), -1);
    }
    const int slackX = sizingBorder ? screen.cxFrame - 1 : screen.cxEdge;
    const int slackY = sizingBorder ? screen.cyFrame - 1 : screen.cyEdge;
    slots.left[slot] = clampToScreen(left, screen.screenWidth - width + slackX);
    slots.top[slot] = clampToScreen(top, screen.screenHeight - height + slackY);
    slots.width[slot] = width;
    slots.height[slot] = height;
}

void saveWindowSlot(WindowSlots& slots, int slot, int left, int top, int width, int height, SettingsStore& store) {
    slots.left[slot] = left;
    slots.top[slot] = top;
    slots.width[slot] = width;
    slots.height[slot] = height;
    const auto position = store.createForWriting("position");
    position->writeInt(slotValue('x', slot), left);
    position->writeInt(slotValue('y', slot), top);
    const auto size = store.createForWriting("size");
    size->writeInt(slotValue('x', slot), width);
    size->writeInt(slotValue('y', slot), height);
}

}  // namespace tavo
