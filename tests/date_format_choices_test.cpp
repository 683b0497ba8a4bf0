#include "calendar/text/date_format_choices.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/text/date_presets.h"
#include "day_dates.h"

namespace tavo {
namespace {

// Entries per selection: layout, year1, year2, month, day, week, num.
TEST(DateFormatChoices, ListsOfEachPart) {
    struct Case {
        DateTextPart part;
        std::size_t counts[kSelectionCount];
        const char* label;
    } cases[] = {
        {kPartYearMon, {5, 4, 4, 3, 0, 0, 0}, "年,月表示部"},
        {kPartWeek, {1, 0, 0, 0, 0, 5, 0}, "曜日表示部"},
        {kPartStatusBar, {6, 4, 4, 4, 2, 6, 2}, "ステータスバー"},
        {kPartCaptionN, {6, 4, 4, 4, 2, 6, 2}, "タイトルバー(通常表示時)"},
        {kPartCaptionM, {6, 4, 4, 4, 2, 6, 2}, "タイトルバー(最小化時)"},
        {kPartSchDate, {6, 4, 4, 4, 2, 6, 2}, "日付表示部"},
        {kPartCaption, {6, 4, 4, 4, 2, 6, 2}, "タイトルバー"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(dateTextPartLabel(c.part), c.label);
        for (int s = 0; s < kSelectionCount; ++s)
            EXPECT_EQ(selectionChoices(c.part, static_cast<Selection>(s)).size(), c.counts[s]) << c.label << " selection " << s;
    }
    EXPECT_STREQ(selectionChoices(kPartWeek, kSelLayout)[0], "Week");
    EXPECT_STREQ(selectionChoices(kPartYearMon, kSelLayout)[4], "Mon,Year1(Year2)");
    EXPECT_STREQ(selectionChoices(kPartCaption, kSelLayout)[5], "Day.Mon.Year1(Year2) (week)[+Num]");
    EXPECT_STREQ(selectionChoices(kPartYearMon, kSelMonth)[2], "January");
    EXPECT_TRUE(selectionChoices(static_cast<DateTextPart>(9), kSelLayout).empty());
    EXPECT_STREQ(dateTextPartLabel(static_cast<DateTextPart>(-1)), "");
}

// Each default selection is an entry of its list, so the page shows it.
TEST(DateFormatChoices, DefaultsAreOffered) {
    for (int group = 0; group < 2; ++group) {
        DateFormatSet set{};
        resetDateFormatSet(set, group);
        for (int i = 0; i < groupPartCount(group); ++i)
            for (int s = 0; s < kSelectionCount; ++s) {
                const auto list = selectionChoices(groupPart(group, i), static_cast<Selection>(s));
                if (list.empty()) continue;
                EXPECT_LT(static_cast<std::size_t>(set.selections[i][s]), list.size()) << group << i << s;
            }
    }
}

// The entry a list shows as "なし" is the value the formatter leaves out, and
// the value before it is shown: the lists and the texts agree.
TEST(DateFormatChoices, NoneEntryLeavesThePieceOut) {
    const DayDate date = test::dayWithOffset(2000, 1, 2, 2);
    const auto noneOf = [](Selection s) { return static_cast<int>(selectionChoices(kPartStatusBar, s).size()) - 1; };
    struct Case {
        Selection field;
        const char* piece;
    } cases[] = {{kSelYear1, "2000"}, {kSelMonth, "Jan"}, {kSelDay, " 2"}, {kSelWeek, "Sunday"}, {kSelNum, "[+2]"}};
    for (const Case& c : cases) {
        Selections sel = {4, 2, 3, 1, 0, 4, 0};  // "Sunday,Jan  2,2000[+2]"
        ASSERT_STREQ(selectionChoices(kPartStatusBar, c.field)[noneOf(c.field)], "なし");
        const std::string shown = fullDateText(sel, date);
        sel[c.field] = noneOf(c.field);
        const std::string left = fullDateText(sel, date);
        EXPECT_NE(shown.find(c.piece), std::string::npos) << shown;
        EXPECT_EQ(left.find(c.piece), std::string::npos) << left;
    }
}

}  // namespace
}  // namespace tavo
