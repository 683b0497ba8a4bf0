#include "shared/window_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "shared/memory_settings_store.h"
#include "calendar/data/shared_settings.h"

namespace tavo {
namespace {

TEST(WindowSettings, FreshProfileDefaults) {
    MemorySettingsStore store;
    WindowStyle calendar{}, range{};
    readWindowStyle(calendar, kCalendarStyle, store);
    readWindowStyle(range, kRangeViewStyle, store);
    EXPECT_EQ(store.valueCount(), 0u);
    const std::int32_t on[] = {calendar.titleBar, calendar.minimizeBox, calendar.maximizeBox, calendar.sizingBorder, calendar.statusBar,
                               calendar.todayButton, calendar.monthButtons, calendar.yearButtons, calendar.rokuyo};
    for (std::int32_t v : on) EXPECT_EQ(v, 1);
    const std::int32_t off[] = {calendar.alwaysOnTop, calendar.transparent, calendar.wallpaper, calendar.mondayFirst,
                                calendar.firstWeekIsThisMonth, calendar.wallpaperStretched, calendar.layered, calendar.percent};
    for (std::int32_t v : off) EXPECT_EQ(v, 0);
    EXPECT_EQ(calendar.windowStyle, 0x16080000 | 0xC00000 | 0x40000 | 0x20000 | 0x10000);
    EXPECT_EQ(calendar.captionPending, 0);
    EXPECT_EQ(range.statusBar, 0);  // the range view never has a status bar

    EnvironmentSettings env{};
    resetEnvironment(env, "C:\\Tavo");
    readEnvironment(env, store);
    EXPECT_EQ(env.markEveryYear + env.markEveryMonth + env.markEveryWeek + env.markBirthdays + env.markAnniversaries +
                  env.birthdaySound + env.minimizeTogether + env.keepPlacements + env.linkedActivation + env.monthEndToLastDay,
              10);
    EXPECT_EQ(env.dateChange, 1);
    EXPECT_STREQ(env.birthdaySoundPath, "C:\\Tavo\\Birthday.Mid");
    PopupMenuFlags menu{};
    readPopupMenuFlags(menu, store);
    for (std::uint8_t item : menu.item) EXPECT_EQ(item, 1);
    RangeViewSettings rv{1, 2, 3};
    readRangeViewSettings(rv, store);
    EXPECT_EQ(rv.range + rv.before + rv.after, 0);
}

TEST(WindowSettings, StoredValues) {
    MemorySettingsStore store;
    store.set("cstyle", "cap", 0);
    store.set("cstyle", "siz", 0);
    store.set("cstyle", "lay", 1);
    store.set("cstyle", "percent", 5);
    store.set("cstyle", "bmppath", std::string("C:\\壁紙.bmp"));
    store.set("env", "cyear", 2);
    store.set("env", "cdt", 2);
    store.set("menu", "sch10", 0);
    store.set("scv", "pred", 7);
    WindowStyle s{};
    readWindowStyle(s, kCalendarStyle, store);
    EXPECT_EQ(s.captionPending, 1);
    EXPECT_EQ(s.windowStyle & kStyleSizingBorder, 0);
    EXPECT_EQ(layeredOpacityPercent(s), 10);
    EXPECT_STREQ(s.wallpaperPath, "C:\\壁紙.bmp");
    EnvironmentSettings env{};
    resetEnvironment(env, "C:\\Tavo");
    readEnvironment(env, store);
    EXPECT_EQ(env.markEveryYear, 1);  // any non-zero value is on
    EXPECT_EQ(env.dateChange, 2);
    PopupMenuFlags menu{};
    readPopupMenuFlags(menu, store);
    EXPECT_EQ(menu.item[10], 0);
    EXPECT_EQ(menu.item[9], 1);
    RangeViewSettings rv{};
    readRangeViewSettings(rv, store);
    EXPECT_EQ(rv.before, 7);
}

TEST(WindowSettings, RoundTripsOfEveryRecord) {
    MemorySettingsStore store;
    WindowStyle s{};
    resetWindowStyle(s, kRangeViewStyle);
    s.alwaysOnTop = 1;
    s.percent = 55;
    std::strncpy(s.wallpaperPath, "D:\\x.bmp", sizeof s.wallpaperPath);
    writeWindowStyle(s, kRangeViewStyle, store);
    WindowStyle s2{};
    readWindowStyle(s2, kRangeViewStyle, store);
    EXPECT_EQ(std::memcmp(&s, &s2, sizeof s), 0);

    EnvironmentSettings env{};
    resetEnvironment(env, "C:\\T");
    env.minimizeTogether = 0;
    env.dateChange = 0;
    std::strncpy(env.birthdaySoundPath, "E:\\音.wav", sizeof env.birthdaySoundPath);
    writeEnvironment(env, store);
    EnvironmentSettings env2{};
    resetEnvironment(env2, "X:");
    readEnvironment(env2, store);
    EXPECT_EQ(std::memcmp(&env, &env2, sizeof env), 0);

    PopupMenuFlags menu{};
    resetPopupMenuFlags(menu);
    menu.item[3] = 0;
    writePopupMenuFlags(menu, store);
    PopupMenuFlags menu2{};
    resetPopupMenuFlags(menu2);
    readPopupMenuFlags(menu2, store);
    EXPECT_EQ(std::memcmp(&menu, &menu2, sizeof menu), 0);

    RangeViewSettings rv{kRangeWeek, 4, 9};
    writeRangeViewSettings(rv, store);
    RangeViewSettings rv2{};
    readRangeViewSettings(rv2, store);
    EXPECT_EQ(std::memcmp(&rv, &rv2, sizeof rv), 0);
}

TEST(WindowSettings, WindowSlotsAreClampedToTheScreen) {
    const ScreenMetrics screen{1024, 768, 4, 4, 2, 2, 19};
    MemorySettingsStore store;
    WindowSlots slots{};
    loadWindowSlot(slots, kSlotCalendar, true, store, screen);
    EXPECT_EQ(slots.left[0], 3);
    EXPECT_EQ(slots.top[0], 22);
    EXPECT_EQ(slots.width[0], 280);
    EXPECT_EQ(slots.height[0], 350);
    loadWindowSlot(slots, kSlotRangeView, false, store, screen);
    EXPECT_EQ(slots.left[3], 2);
    EXPECT_EQ(slots.top[3], 21);

    saveWindowSlot(slots, kSlotCalendar, 5000, -40, 300, 400, store);
    loadWindowSlot(slots, kSlotCalendar, true, store, screen);
    EXPECT_EQ(slots.left[0], 1024 - 300 + 3);
    EXPECT_EQ(slots.top[0], 0);
    EXPECT_EQ(slots.width[0], 300);
    EXPECT_EQ(std::get<int>(*store.find("position", "xCal")), 5000);
    EXPECT_EQ(std::get<int>(*store.find("size", "yCal")), 400);
}

// Whatever was stored, a window opens wholly on the work area with its title
// bar in reach and no larger than the area; with no stored place it opens
// beside the calendar (right of it, else left).
TEST(WindowSettings, AWindowAlwaysOpensOnTheWorkArea) {
    const ScreenMetrics screen{1280, 1024, 4, 4, 2, 2, 19};
    const BesideRect calendar{10, 30, 290, 380}, calendar150{10, 30, 430, 555};
    const struct {
        int left, top, width, height, dpi;
        const BesideRect* beside;
        int x, y, w, h;
        int storedDpi = 0;
    } cases[] = {
        {100, 100, 2400, 1800, 96, nullptr, 3, 3, 1280, 1024},          // from a larger monitor
        {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 192, nullptr, 3, 3, 1280, 1024},
        {-0x7FFFFFFF, -5000, 0, -7, 96, nullptr, 0, 0, 1, 1},
        {-1, -1, 300, 400, 96, &calendar, 290, 30, 300, 400},            // beside the calendar
        {-1, -1, 1000, 400, 96, &calendar, 0, 30, 1000, 400},            // no room on either side: pulled on
        {500, 200, 300, 400, 96, &calendar, 500, 200, 300, 400},         // a stored place is kept
        {290, 40, 280, 350, 144, &calendar150, 430, 45, 420, 525, 96},   // beside at 100 %, still beside at 150 %
        {290, 40, 280, 350, 96, &calendar, 290, 40, 280, 350, 96},       // the same scaling: as stored
        {290, 40, 280, 350, 144, &calendar150, 430, 40, 420, 525},       // at a scaling not stored, now over the calendar
        {-200, 40, 280, 350, 144, &calendar150, 0, 40, 420, 525},        // left of it: as stored (pulled on)
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        WindowSlots slots{};
        store.set("position", "xSch", c.left);
        store.set("position", "ySch", c.top);
        store.set("size", "xSch", c.width);
        store.set("size", "ySch", c.height);
        if (c.storedDpi) store.set("position", "dpiSch", c.storedDpi), store.set("position", "xCal", 10), store.set("position", "yCal", 30);
        loadWindowSlot(slots, kSlotSchedule, true, store, screen, c.dpi, c.beside);
        EXPECT_EQ(slots.left[1], c.x) << c.left << "," << c.width;
        EXPECT_EQ(slots.top[1], c.y) << c.top << "," << c.height;
        EXPECT_EQ(slots.width[1], c.w) << c.width;
        EXPECT_EQ(slots.height[1], c.h) << c.height;
    }
}

// Sizes are kept at 96 DPI: a slot saved at 150 % reads back the same at
// 100 % and 200 %, in proportion; positions stay screen coordinates.
TEST(WindowSettings, SlotSizesAreKeptAt96Dpi) {
    const ScreenMetrics screen{3000, 2000, 4, 4, 2, 2, 19};
    struct Case {
        int dpi, width, height;
    } const cases[] = {{96, 280, 350}, {120, 350, 438}, {144, 420, 525}, {192, 560, 700}};
    for (const Case& c : cases) {
        MemorySettingsStore fresh;
        WindowSlots slots{};
        loadWindowSlot(slots, kSlotCalendar, true, fresh, screen, c.dpi);
        EXPECT_EQ(slots.width[0], c.width) << c.dpi;
        EXPECT_EQ(slots.height[0], c.height) << c.dpi;
    }
    MemorySettingsStore store;
    WindowSlots slots{};
    saveWindowSlot(slots, kSlotCalendar, 100, 50, 450, 600, store, 144);
    EXPECT_EQ(std::get<int>(*store.find("size", "xCal")), 300);
    EXPECT_EQ(std::get<int>(*store.find("size", "yCal")), 400);
    EXPECT_EQ(std::get<int>(*store.find("position", "xCal")), 100);
    EXPECT_EQ(std::get<int>(*store.find("position", "dpiCal")), 144);
    for (const Case& c : {Case{96, 300, 400}, Case{144, 450, 600}, Case{192, 600, 800}}) {
        loadWindowSlot(slots, kSlotCalendar, true, store, screen, c.dpi);
        EXPECT_EQ(slots.width[0], c.width) << c.dpi;
        EXPECT_EQ(slots.height[0], c.height) << c.dpi;
        EXPECT_EQ(slots.left[0], 100);
    }
}

// Every offset other programs of the system read stays; new records only come after them.
TEST(SharedSettings, LayoutIsFixed) {
    EXPECT_EQ(offsetof(SharedSettings, range), 35112u);
    EXPECT_EQ(offsetof(SharedSettings, reminders), 35124u);
    EXPECT_EQ(sizeof(SharedSettings), 35124u + 288u + 5256u);
}

}  // namespace
}  // namespace tavo
