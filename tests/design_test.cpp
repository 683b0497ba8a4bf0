#include "calendar/render/design.h"
#include "calendar/render/high_contrast.h"

#include <gtest/gtest.h>

#include <cstring>

#include "shared/memory_settings_store.h"

namespace tavo {
namespace {

constexpr DesignMetrics kMetrics{19, 15};

// Ends a colour list at day kind `from`, as a stored list ends at its first -1.
void endList(DesignSet& d, int part, ColourRole role, DesignState state, int from) {
    for (int k = from; k < kDayKinds; ++k) d.colour[part][k][role][state] = kNoColour;
}

TEST(Design, EmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    DesignSet d{};
    readDesignSet(d, kCalendarDesign, store, kMetrics);
    EXPECT_EQ(store.valueCount(), 0u);
    EXPECT_STREQ(d.schemeName, "標準");
    EXPECT_EQ(d.height[kYearMon], 19);
    EXPECT_EQ(d.height[kButton], 15);
    EXPECT_EQ(d.height[kNoSchedule], 0);
    EXPECT_EQ(designColour(d, kWeek, 1, kBackground, kNormal), 255);
    EXPECT_EQ(designColour(d, kWeek, 3, kBackground, kNormal), kNoColour);
    EXPECT_EQ(designColour(d, kNoSchedule, 5, kText, kNormal), 33023);
    EXPECT_EQ(designColour(d, kNoSchedule, 3, kBackground, kSelected), 13948116);
    EXPECT_EQ(designColour(d, kRokuyou, 0, kBackground, kNormal), kNoColour);
    EXPECT_EQ(designColour(d, kRokuyou, 2, kBackground, kSelected), 13977560);
    EXPECT_EQ(d.relief[kWeek][kSelected], kSunken);
    EXPECT_STREQ(d.faceName[kRokuyou][0], "ＭＳ Ｐ明朝");
    EXPECT_EQ(d.widthPercent[kButton][0], -1);
    EXPECT_EQ(d.forcedSmoothing, 1);
    EXPECT_EQ(d.systemButtonColours, 0);
    DesignSet r{};
    readDesignSet(r, kRangeViewDesign, store, kMetrics);
    // Sundays and public holidays red, substitute and national holidays magenta,
    // in the cells of both states and in the range view's date headers.
    const int red = 255, magenta = 16711935;
    struct Case {
        const DesignSet* set;
        int part;
    } const cases[] = {{&d, kNoSchedule}, {&d, kHaveSchedule}, {&r, kSchDate}};
    for (const Case& c : cases)
        for (DesignState state : {kNormal, kSelected}) {
            EXPECT_EQ(designColour(*c.set, c.part, 1, kText, state), red) << c.part;
            EXPECT_EQ(designColour(*c.set, c.part, 3, kText, state), red) << c.part;
            EXPECT_EQ(designColour(*c.set, c.part, 4, kText, state), magenta) << c.part;
        }
    EXPECT_EQ(r.height[kSchBack], 19);
    EXPECT_EQ(r.relief[kSchData][kNormal], kSunken);
}

TEST(Design, RegistryListsEndAtTheFirstGap) {
    MemorySettingsStore store;
    store.set("YearMon", "colorbn0", 255);
    store.set("YearMon", "colorbn1", -1);
    store.set("YearMon", "colorbn2", 1234);
    store.set("Rokuyou", "colorbn0", 77);  // no background list for the rokuyo
    store.set("Week", "boldn", 5);
    DesignSet d{};
    readDesignSet(d, kCalendarDesign, store, kMetrics);
    EXPECT_EQ(designColour(d, kYearMon, 0, kBackground, kNormal), 255);
    EXPECT_EQ(designColour(d, kYearMon, 1, kBackground, kNormal), kNoColour);
    EXPECT_EQ(designColour(d, kYearMon, 2, kBackground, kNormal), kNoColour);
    EXPECT_EQ(designColour(d, kRokuyou, 0, kBackground, kNormal), kNoColour);
    EXPECT_EQ(d.bold[kWeek][kNormal], 1);
}

TEST(Design, RegistryRoundTripOfBothSets) {
    for (DesignSetKind set : {kCalendarDesign, kRangeViewDesign}) {
        DesignSet d{};
        resetDesignSet(d, set, kMetrics);
        std::strncpy(d.schemeName, "青", sizeof d.schemeName);
        d.height[0] = 33;
        d.relief[1][kSelected] = kRaised;
        d.colour[1][0][kText][kNormal] = 0x123456;
        endList(d, 0, kBackground, kNormal, 1);
        d.italic[0][kSelected] = 1;
        std::strncpy(d.faceName[1][0], "IPAGothic", sizeof d.faceName[1][0]);
        d.systemButtonColours = 1;
        d.forcedSmoothing = 0;
        MemorySettingsStore store;
        writeDesignSet(d, set, store);
        DesignSet back{};
        readDesignSet(back, set, store, kMetrics);
        EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0) << set;
    }
}

TEST(Design, SchemeFilesRoundTrip) {
    DesignSet d{};
    resetDesignSet(d, kCalendarDesign, kMetrics);
    std::strncpy(d.schemeName, "夜", sizeof d.schemeName);
    d.height[kWeek] = 25;
    d.colour[kNoSchedule][0][kBackground][kNormal] = 0;
    endList(d, kHaveSchedule, kText, kSelected, 3);
    d.relief[kYearMon][kNormal] = kFlat;
    d.bold[kYearMon][kNormal] = 1;
    d.systemButtonColours = 1;
    std::array<std::int32_t, 16> custom{};
    custom.fill(16777215);
    custom[3] = 42;
    const std::string text = formatSchemeFile(d, kCalendarDesign, custom);
    EXPECT_EQ(text.rfind("[colorname]\r\ncolorname=夜\r\n[height]\r\nYearMon=19\r\n", 0), 0u);
    EXPECT_NE(text.find("NoSchedule=00000000 16777215 16777215"), std::string::npos);
    EXPECT_NE(text.find("YearMon=-0000001 -0000001"), std::string::npos);  // -1 in eight characters

    DesignSet back{};
    resetDesignSet(back, kCalendarDesign, {1, 1});
    std::array<std::int32_t, 16> customBack{};
    parseSchemeFile(back, kCalendarDesign, text, kMetrics, &customBack);
    d.statusBarHeight = back.statusBarHeight;
    // Heights of parts without one are not in a scheme; the smoothing flag neither.
    for (int p = 0; p < kDesignParts; ++p)
        if (!partHasHeight(kCalendarDesign, p)) back.height[p] = d.height[p];
    back.forcedSmoothing = d.forcedSmoothing;
    EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0);
    EXPECT_EQ(customBack, custom);
}

TEST(Design, SchemeFileDefaultsAndMissingBold) {
    DesignSet d{};
    resetDesignSet(d, kRangeViewDesign, kMetrics);
    parseSchemeFile(d, kRangeViewDesign, "[colorname]\r\ncolorname=x\r\n", kMetrics, nullptr);
    EXPECT_STREQ(d.schemeName, "x");
    EXPECT_EQ(d.bold[kSchDate][0], 1);  // a missing bold makes parts 0 and 1 bold
    EXPECT_EQ(d.bold[kSchBack][0], 0);
    EXPECT_EQ(designColour(d, kSchBack, 0, kBackground, kNormal), 11425536);
}

TEST(Design, ColourLists) {
    EXPECT_EQ(parseColourList("-1")[0], kNoColour);
    EXPECT_EQ(parseColourList("")[0], kNoColour);
    const auto list = parseColourList("00000255 16711680 -0000001 00000001");
    EXPECT_EQ(list[0], 255);
    EXPECT_EQ(list[1], 16711680);
    EXPECT_EQ(list[2], kNoColour);
    EXPECT_EQ(list[3], kNoColour);  // nothing after the end
}

TEST(Design, EdgeColours) {
    const EdgeColours white = edgeColours(0xFFFFFF);
    EXPECT_EQ(white.light, 0xFCFCFCu);
    EXPECT_EQ(white.shadow, 0xA4A4A4u);
    EXPECT_EQ(white.dark, 0x444444u);
    const EdgeColours black = edgeColours(0);
    EXPECT_EQ(black.light, 0xC0C0C0u);
    EXPECT_EQ(black.shadow, 0u);
    EXPECT_EQ(black.dark, 0u);
    for (std::uint32_t c : {0x123456u, 0xFF0000u, 0x00FF7Fu})
        EXPECT_EQ(edgeColours(c).light & 0x030303u, 0u);
}

TEST(Design, ReliefStrokes) {
    EXPECT_TRUE(reliefStrokes({0, 0, 10, 10}, kFlat).empty());
    const auto raised = reliefStrokes({10, 20, 30, 40}, kRaised);
    ASSERT_EQ(raised.size(), 3u);
    EXPECT_EQ(raised[0].pen, EdgePen::Light);
    EXPECT_EQ(raised[0].points, (std::vector<Point>{{38, 20}, {10, 20}, {10, 59}}));
    EXPECT_EQ(raised[2].points, (std::vector<Point>{{39, 20}, {39, 59}, {9, 59}}));
    const auto sunken = reliefStrokes({10, 20, 30, 40}, kSunken);
    ASSERT_EQ(sunken.size(), 4u);
    EXPECT_EQ(sunken[1].points, (std::vector<Point>{{37, 21}, {11, 21}, {11, 58}}));
    EXPECT_EQ(sunken[3].pen, EdgePen::Dark);
    EXPECT_EQ(reliefStrokes({0, 0, 1, 1}, kSunken).size(), 4u);  // a 1-pixel rectangle still draws
}

TEST(Design, FontSizes) {
    DesignSet d{};
    resetDesignSet(d, kCalendarDesign, kMetrics);
    d.heightPercent[kNoSchedule][0] = 70;
    d.widthPercent[kNoSchedule][0] = 70;
    d.fixedRatio[kNoSchedule][0] = 1;
    FontSize f = designFontSize(d, kNoSchedule, kNormal, 40, 20);
    EXPECT_EQ(f.height, 14);
    EXPECT_EQ(f.width, 0);
    d.fixedRatio[kNoSchedule][0] = 0;
    d.bold[kNoSchedule][0] = 1;
    f = designFontSize(d, kNoSchedule, kNormal, 40, 20);
    EXPECT_EQ(f.height, 28);
    EXPECT_EQ(f.width, 6);
    EXPECT_EQ(f.weight, 700);
}

// Under high contrast every colour the design has becomes the system's; a
// list that ended stays ended; fonts and heights are the user's.
TEST(Design, HighContrastTakesTheSystemsColours) {
    const SystemColours system{1, 2, 3, 4, 5, 6, 7, 8};  // window, text, highlight, its text, hot light, grey, face, button text
    DesignSet chosen{};
    resetDesignSet(chosen, kCalendarDesign, kMetrics);
    endList(chosen, kRokuyou, kBackground, kNormal, 0);
    const DesignSet shown = highContrastDesign(chosen, kCalendarDesign, system);
    const struct {
        int part, kind;
        ColourRole role;
        DesignState state;
        std::int32_t colour;
    } cases[] = {
        {kNoSchedule, 0, kBackground, kNormal, 1},   {kNoSchedule, 0, kText, kNormal, 2},     {kHaveSchedule, 1, kText, kNormal, 5},
        {kNoSchedule, 2, kText, kNormal, 2},         {kNoSchedule, 3, kText, kNormal, 5},     {kNoSchedule, 5, kText, kNormal, 5},
        {kNoSchedule, 3, kBackground, kSelected, 3}, {kNoSchedule, 3, kText, kSelected, 4},   {kBackgroundPart, 0, kText, kNormal, 6},
        {kButton, 0, kBackground, kNormal, 7},       {kRokuyou, 0, kBackground, kNormal, kNoColour},
    };
    for (const auto& c : cases)
        EXPECT_EQ(designColour(shown, c.part, c.kind, c.role, c.state), c.colour) << c.part << "/" << c.kind << "/" << c.role << "/" << c.state;
    EXPECT_EQ(std::memcmp(shown.height, chosen.height, sizeof chosen.height), 0);
    EXPECT_EQ(std::memcmp(shown.faceName, chosen.faceName, sizeof chosen.faceName), 0);

    DesignSet list{};
    resetDesignSet(list, kRangeViewDesign, kMetrics);
    const DesignSet shownList = highContrastDesign(list, kRangeViewDesign, system);
    EXPECT_EQ(designColour(shownList, kSchDate, 1, kText, kNormal), 5);
    EXPECT_EQ(designColour(shownList, kSchDate, 0, kBackground, kSelected), 3);
    EXPECT_EQ(designColour(shownList, kSchData, 0, kBackground, kSelected), 1);  // only the header is highlighted
}

}  // namespace
}  // namespace tavo
