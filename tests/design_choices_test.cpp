#include "calendar/render/design_choices.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// The offers follow the records: an area offering a font or a height
// is one whose record keeps them.
TEST(DesignChoices, OffersAgreeWithTheRecords) {
    for (DesignSetKind set : {kCalendarDesign, kRangeViewDesign})
        for (int part = 0; part < designPartCount(set); ++part) {
            const DesignPartOffer offer = designPartOffer(set, part);
            EXPECT_EQ(offer.font, partHasFont(set, part) && (set == kCalendarDesign || part < kSchBack)) << set << part;
            EXPECT_EQ(offer.height, partHasHeight(set, part)) << set << part;
            EXPECT_TRUE(offer.background || offer.text) << set << part;
            EXPECT_EQ(offer.states, offer.dayKinds > 0) << set << part;
        }
    struct Case {
        DesignSetKind set;
        int part;
        const char* label;
        int dayKinds;
        bool relief;
    } cases[] = {
        {kCalendarDesign, kWeek, "曜日表示部", 3, true},
        {kCalendarDesign, kNoSchedule, "データのない日", 6, true},
        {kCalendarDesign, kRokuyou, "六曜", 0, false},
        {kCalendarDesign, kHoliline, "休暇日の線", 0, false},
        {kCalendarDesign, kButton, "日付変更ボタン", 0, false},
        {kRangeViewDesign, kSchBack, "背景", 0, true},
        {kRangeViewDesign, kSchNormline, "出勤日の線", 0, false},
    };
    for (const Case& c : cases) {
        const DesignPartOffer offer = designPartOffer(c.set, c.part);
        EXPECT_STREQ(offer.label, c.label);
        EXPECT_EQ(offer.dayKinds, c.dayKinds) << c.label;
        EXPECT_EQ(offer.relief, c.relief) << c.label;
    }
    EXPECT_STREQ(designPartOffer(kRangeViewDesign, 5).label, "");
    EXPECT_STREQ(dayKindLabel(4), "振替休日,国民の休日");
    EXPECT_STREQ(designStateLabel(kSelected), "選択状態");
}

TEST(DesignChoices, SamplesShowLinesOnTheCells) {
    struct Case {
        DesignSetKind set;
        int part, shown;
    } cases[] = {
        {kCalendarDesign, kRokuyou, kNoSchedule}, {kCalendarDesign, kHoliline, kNoSchedule},
        {kCalendarDesign, kNormline, kNoSchedule}, {kCalendarDesign, kButton, kButton},
        {kCalendarDesign, kWeek, kWeek},          {kRangeViewDesign, kSchHoliline, kSchData},
        {kRangeViewDesign, kSchNormline, kSchData}, {kRangeViewDesign, kSchDate, kSchDate},
    };
    for (const Case& c : cases) EXPECT_EQ(samplePart(c.set, c.part), c.shown) << c.set << " " << c.part;
}

// A scheme name becomes a file name beside the program: nothing may lead out of that folder.
TEST(DesignChoices, SchemeNamesThatCannotBeFileNames) {
    struct Case {
        const char* name;
        bool refused;
    } cases[] = {
        {"青空", false},
        {"My Scheme 2", false},
        {"表", false},  // its trail byte is 0x5C, a backslash when read alone
        {"", true},
        {"   ", true},
        {"..\\evil", true},
        {"../evil", true},
        {"..", true},
        {"C:x", true},
        {"a*b", true},
        {"what?", true},
        {"a\"b", true},
        {"a|b", true},
        {"tab\there", true},
        {"name.", true},
        {" lead", true},
        {"CON", true},
        {"con.txt", true},
        {"LPT1", true},
        {"COM9", true},
        {"COMPUTER", false},
    };
    for (const Case& c : cases) EXPECT_EQ(!schemeNameProblem(c.name).empty(), c.refused) << c.name;
    EXPECT_TRUE(schemeNameProblem(std::string(80, 'a')).empty());
    EXPECT_FALSE(schemeNameProblem(std::string(81, 'a')).empty());
    EXPECT_STREQ(schemeExtension(kRangeViewDesign), ".scl");
}

}  // namespace
}  // namespace tavo
