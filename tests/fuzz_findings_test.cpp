// Faults the fuzz targets found, kept as tests.
#include <gtest/gtest.h>

#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/data/personal_days.h"
#include "calendar/data/section_file.h"
#include "calendar/render/design.h"

namespace tavo {
namespace {

// A name that ends in a NUL after a lead byte was written differently from what was read.
TEST(FuzzFindings, ClosedDayNamesEndAtANul) {
    const std::string file = std::string("01/03 R01-M45 \x8c\xdc\x8c\0\0\0name\r\n", 25);
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    parseClosedDayRules(*days, file);
    ASSERT_EQ(closedDayRuleCount(*days), 1);
    EXPECT_STREQ(days->rules[0].name, "\x8c\xdc");  // the half character before the NUL is dropped
    const std::string written = formatClosedDayRules(*days);
    auto again = std::make_unique<ClosedDays>();
    resetClosedDays(*again);
    parseClosedDayRules(*again, written);
    EXPECT_EQ(formatClosedDayRules(*again), written);
}

// A schedule line holding only Ctrl-Z ended the file for every reader: the rest was lost.
TEST(FuzzFindings, CtrlZInScheduleTextIsNotStored) {
    const std::string content = replaceSection(":24\r\nイブ\r\n", 15, "before\n\x1A\nafter");
    EXPECT_EQ(readSection(content, 15), "before\r\n\r\nafter\r\n");
    EXPECT_EQ(readSection(content, 24), "イブ\r\n");
    EXPECT_EQ(memoContent("a\x1A\r\nb"), "a\r\nb\r\n");
}

// Text with CR-only line ends: ":8" after a lone CR started a section of its own.
TEST(FuzzFindings, ALoneCarriageReturnInTextCannotStartASection) {
    const std::string content = replaceSection("", 7, "seven\r:8\rcr\nlf");
    EXPECT_EQ(content, ":7\r\nseven\r\n\x81\x46" "8\r\ncr\r\nlf\r\n");
    EXPECT_EQ(sectionKeys(content), std::vector<int>{7});
}

// An out-of-order file: the new entry goes after the last entry of its day,
// wherever it stands, so it is the one the window shows last.
TEST(FuzzFindings, ANewEntryFollowsTheLastEntryOfItsDay) {
    const std::string content = ":10\r\nfirst\r\n:12\r\ntwelve\r\n:10\r\nsecond\r\n";
    EXPECT_EQ(withPersonalEntry(content, {10, 0, "new"}), content + ":10\r\nnew\r\n");
    EXPECT_EQ(withPersonalEntry(content, {11, 0, "eleven"}),
              ":10\r\nfirst\r\n:11\r\neleven\r\n:12\r\ntwelve\r\n:10\r\nsecond\r\n");
}

TEST(FuzzFindings, CtrlZInAPersonalNameDoesNotEndTheFile) {
    const std::vector<PersonalEntry> entries = {{1, 0, "\x1A"}, {2, 0, "after"}};
    const std::vector<PersonalEntry> back = parsePersonalDays(formatPersonalDays(entries));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "after");
}

// A scheme name with a line break could add lines of its own to the scheme file.
TEST(FuzzFindings, SchemeValuesStayOnOneLine) {
    DesignSet d{};
    resetDesignSet(d, kCalendarDesign, {19, 15});
    std::snprintf(d.schemeName, sizeof d.schemeName, "%s", " 夜\r\n[System]\r\nButton=1 ");
    std::array<std::int32_t, 16> custom{};
    const std::string written = formatSchemeFile(d, kCalendarDesign, custom);
    EXPECT_NE(written.find("colorname=夜[System]Button=1\r\n"), std::string::npos);
    DesignSet back{};
    resetDesignSet(back, kCalendarDesign, {19, 15});
    parseSchemeFile(back, kCalendarDesign, written, {19, 15}, nullptr);
    EXPECT_EQ(back.systemButtonColours, 0);
    EXPECT_EQ(formatSchemeFile(back, kCalendarDesign, custom), written);
    std::snprintf(d.schemeName, sizeof d.schemeName, "%s", "\x96");  // half a character
    EXPECT_NE(formatSchemeFile(d, kCalendarDesign, custom).find("colorname=\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tavo
