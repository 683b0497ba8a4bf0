// Pens, brushes and fonts of the design, built in-process.
#include <gtest/gtest.h>

#include "calendar/render/design.h"
#include "calendar/shell/design_objects.h"

namespace tavo::shell {
namespace {

DesignSet defaults(DesignSetKind set) {
    DesignSet d{};
    resetDesignSet(d, set, {20, 16});
    return d;
}

TEST(DesignObjects, ObjectsFollowTheColourLists) {
    DesignObjects objects;
    const DesignSet d = defaults(kCalendarDesign);
    objects.build(d, kCalendarDesign);
    EXPECT_NE(objects.object({kNoSchedule, 5, DesignRole::Fill, kNormal}), nullptr);
    EXPECT_NE(objects.object({kWeek, 2, DesignRole::Shadow, kSelected}), nullptr);
    EXPECT_EQ(objects.object({kWeek, 3, DesignRole::Fill, kNormal}), nullptr);  // the list ends at kind 2
    EXPECT_EQ(objects.object({kHoliline, 0, DesignRole::Shadow, kNormal}), nullptr);
    EXPECT_EQ(GetObjectType(objects.object({kButton, 0, DesignRole::Text, kNormal})), static_cast<DWORD>(OBJ_BRUSH));
    LOGPEN pen{};
    GetObjectW(objects.object({kHoliline, 0, DesignRole::Text, kNormal}), sizeof pen, &pen);
    EXPECT_EQ(pen.lopnWidth.x, 2);
    EXPECT_EQ(pen.lopnColor, 255u);
}

TEST(DesignObjects, SystemButtonColours) {
    DesignSet d = defaults(kCalendarDesign);
    d.systemButtonColours = 1;
    DesignObjects objects;
    objects.build(d, kCalendarDesign);
    LOGBRUSH brush{};
    GetObjectW(objects.object({kButton, 0, DesignRole::Fill, kNormal}), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, GetSysColor(COLOR_BTNFACE));
}

// Bases of 20 x 20 for the bands and 40 x 30 for the cells.
void fillSizes(const DesignSet& d, FontSize (&sizes)[6][2]) {
    for (int part = 0; part < 6; ++part)
        for (DesignState state : {kNormal, kSelected})
            sizes[part][state] = designFontSize(d, part, state, part < 2 ? 20 : 40, part < 2 ? 20 : 30);
}

TEST(DesignObjects, FontsByPrefixOfInstalledFamilies) {
    DesignSet d = defaults(kCalendarDesign);
    std::snprintf(d.faceName[kYearMon][0], 32, "%s", "NoSuchFamilyAnywhere");
    DesignObjects objects;
    HDC dc = GetDC(nullptr);
    FontSize sizes[6][2];
    fillSizes(d, sizes);
    objects.buildFonts(d, dc, sizes);
    EXPECT_EQ(objects.font({kYearMon, kNormal}), nullptr);
    EXPECT_NE(objects.font({kWeek, kNormal}), nullptr);  // "MS UI Gothic" maps to an installed font
    LOGFONTW font{};
    GetObjectW(objects.font({kNoSchedule, kNormal}), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 28);
    EXPECT_EQ(font.lfWidth, 30 * 70 * 86 / 20000);
    // A smaller size of the same face keeps its proportions.
    LOGFONTW smaller{};
    GetObjectW(objects.font({kNoSchedule, kNormal, 14}), sizeof smaller, &smaller);
    EXPECT_EQ(smaller.lfHeight, 14);
    EXPECT_EQ(smaller.lfWidth, MulDiv(font.lfWidth, 14, 28));
    EXPECT_EQ(std::wstring(smaller.lfFaceName), std::wstring(font.lfFaceName));
    ReleaseDC(nullptr, dc);
}

// Rebuilding many times must not leak: a leak would exhaust the GDI handle table.
TEST(DesignObjects, RebuildsReleaseEverything) {
    const DesignSet d = defaults(kCalendarDesign);
    DesignObjects objects;
    HDC dc = GetDC(nullptr);
    FontSize sizes[6][2];
    fillSizes(d, sizes);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 300; ++i) {
        objects.build(d, kCalendarDesign);
        objects.buildFonts(d, dc, sizes);
        for (int h = 5; h < 25; ++h) objects.font({kNoSchedule, kNormal, h});  // resized fonts are released too
    }
    objects.release();
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);  // where the count is kept (Windows); Wine reports 0
    objects.build(d, kCalendarDesign);
    EXPECT_NE(objects.object({kNoSchedule, 0, DesignRole::Fill, kNormal}), nullptr);
    ReleaseDC(nullptr, dc);
}

}  // namespace
}  // namespace tavo::shell
