#include "shared/window_frame.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

WindowStyle defaults(int index) {
    WindowStyle s{};
    resetWindowStyle(s, index);
    return s;
}

TEST(WindowFrame, StyleBitsFollowTheSwitches) {
    WindowStyle s = defaults(kCalendarStyle);
    EXPECT_EQ(windowStyleBits(s), kStyleBase | kStyleCaption | kStyleSizingBorder | kStyleMinimizeBox | kStyleMaximizeBox);
    s.titleBar = 0;
    s.sizingBorder = 0;
    EXPECT_EQ(windowStyleBits(s), kStyleBase | kStyleMinimizeBox | kStyleMaximizeBox);
    // A record read for a window not yet made keeps the caption until the window is placed.
    deriveWindowStyle(s, kCalendarStyle);
    EXPECT_EQ(s.windowStyle & kStyleCaption, kStyleCaption);
    EXPECT_EQ(s.captionPending, 1);
}

TEST(WindowFrame, ChangesOfTheFourFrameSwitches) {
    const WindowStyle before = defaults(kCalendarStyle);
    struct Case {
        std::int32_t WindowStyle::*field;
        FrameChange sizing, title, buttonBand, statusBar;
    } cases[] = {
        {&WindowStyle::sizingBorder, kFrameOff, kFrameUnchanged, kFrameUnchanged, kFrameUnchanged},
        {&WindowStyle::titleBar, kFrameUnchanged, kFrameOff, kFrameUnchanged, kFrameUnchanged},
        {&WindowStyle::todayButton, kFrameUnchanged, kFrameUnchanged, kFrameOff, kFrameUnchanged},
        {&WindowStyle::statusBar, kFrameUnchanged, kFrameUnchanged, kFrameUnchanged, kFrameOff},
    };
    for (const Case& c : cases) {
        WindowStyle after = before;
        after.*c.field = 0;
        const FrameChanges off = frameChanges(before, after);
        EXPECT_EQ(off.sizing, c.sizing);
        EXPECT_EQ(off.title, c.title);
        EXPECT_EQ(off.buttonBand, c.buttonBand);
        EXPECT_EQ(off.statusBar, c.statusBar);
        EXPECT_TRUE(off.any());
        const FrameChanges on = frameChanges(after, before);  // Cancel: back on
        EXPECT_EQ(on.sizing + on.title + on.buttonBand + on.statusBar, kFrameOn);
    }
    WindowStyle other = before;
    other.alwaysOnTop = 1;
    other.wallpaper = 1;
    other.rokuyo = 0;
    EXPECT_FALSE(frameChanges(before, other).any());
}

TEST(WindowFrame, SwitchesThatGoTogether) {
    const WindowStyle start = defaults(kCalendarStyle);
    struct Case {
        const char* what;
        void (*change)(WindowStyle&);
        void (*expect)(const WindowStyle&);
    } cases[] = {
        {"title bar off clears both boxes", [](WindowStyle& s) { s.titleBar = 0; },
         [](const WindowStyle& s) { EXPECT_EQ(s.minimizeBox + s.maximizeBox, 0); }},
        {"today button off clears month and year buttons", [](WindowStyle& s) { s.todayButton = 0; },
         [](const WindowStyle& s) { EXPECT_EQ(s.monthButtons + s.yearButtons, 0); }},
    };
    for (const Case& c : cases) {
        WindowStyle s = start;
        c.change(s);
        followStyleSwitches(s, start, kCalendarStyle);
        c.expect(s);
    }
    WindowStyle transparent = start;
    transparent.transparent = 1;
    WindowStyle wallpaper = transparent;
    wallpaper.wallpaper = 1;
    followStyleSwitches(wallpaper, transparent, kCalendarStyle);
    EXPECT_EQ(wallpaper.transparent, 0);
    EXPECT_EQ(wallpaper.wallpaper, 1);
    WindowStyle back = wallpaper;
    back.transparent = 1;
    followStyleSwitches(back, wallpaper, kCalendarStyle);
    EXPECT_EQ(back.wallpaper, 0);
    EXPECT_EQ(back.transparent, 1);
    WindowStyle view = defaults(kRangeViewStyle);
    view.statusBar = 1;
    followStyleSwitches(view, defaults(kRangeViewStyle), kRangeViewStyle);
    EXPECT_EQ(view.statusBar, 0);
}

// Insets: a sizing frame of 4 with a caption of 23 above, then without caption or frame.
TEST(WindowFrame, ClientAreaKeepsItsPlace) {
    const FrameRect window{100, 50, 380, 400};
    const FrameRect framed{4, 27, 4, 4}, bare{0, 0, 0, 0};
    struct Case {
        FrameRect before, after;
        int growth;
        FrameRect expected;
    } cases[] = {
        {framed, bare, 0, {104, 77, 376, 396}},       // title bar and border off
        {bare, framed, 0, {96, 23, 384, 404}},        // and on again
        {framed, framed, -20, {100, 50, 380, 380}},   // status bar off: shorter by its height
        {framed, framed, 31, {100, 50, 380, 431}},    // button band on
        {framed, bare, -20, {104, 77, 376, 376}},
    };
    for (const Case& c : cases) EXPECT_EQ(keepClientArea(window, c.before, c.after, c.growth), c.expected);
    const FrameRect there = keepClientArea(window, framed, bare, 0);
    EXPECT_EQ(keepClientArea(there, bare, framed, 0), window);
}

}  // namespace
}  // namespace tavo
