#include "calendar/calc/closed_day_edit.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavo {
namespace {

// Jump-list era indexes.
constexpr int kSeireki = 0, kReiwa = 1, kHeisei = 2, kShowa = 3, kKeio = 6;

std::unique_ptr<ClosedDays> empty() {
    auto days = std::make_unique<ClosedDays>();
    resetClosedDays(*days);
    return days;
}

TEST(ClosedDayDraft, ValidationInTheEditorsOrder) {
    const struct {
        ClosedDayDraft draft;
        DraftField field;
    } cases[] = {
        {{8, 13, kSeireki, 2000, kSeireki, 2030, "お盆"}, DraftField::None},
        {{2, 29, kHeisei, 1, kReiwa, 99, ""}, DraftField::None},  // February counts 29 days; R99 = 2117
        {{12, 0, kSeireki, 1865, kSeireki, 2117, "年末"}, DraftField::None},  // a month-only rule
        {{13, 1, kSeireki, 2000, kSeireki, 2000, ""}, DraftField::Month},
        {{4, 31, kSeireki, 2000, kSeireki, 2000, ""}, DraftField::Day},
        {{2, 30, kSeireki, 0, kSeireki, 0, ""}, DraftField::Day},  // the day before the years
        {{5, 5, kSeireki, 0, kSeireki, 2000, ""}, DraftField::FromYear},
        {{5, 5, kSeireki, 2000, kSeireki, 0, ""}, DraftField::ToYear},
        {{5, 5, kSeireki, 1864, kSeireki, 2000, ""}, DraftField::FromYear},
        {{5, 5, kSeireki, 2000, kSeireki, 2118, ""}, DraftField::ToYear},
        {{5, 5, kShowa, 64, kSeireki, 1950, ""}, DraftField::None},  // from after to is allowed
        {{5, 5, kHeisei, 32, kReiwa, 8, ""}, DraftField::FromYear},   // 平成 ended in its 31st year
        {{5, 5, kHeisei, 1, kShowa, 65, ""}, DraftField::ToYear},
    };
    for (const auto& c : cases) EXPECT_EQ(checkClosedDayDraft(c.draft), c.field) << c.draft.month << "/" << c.draft.day;
}

// Every year is written with an era letter and reads back to the same year.
TEST(ClosedDayDraft, LinesAndTheirYears) {
    auto days = empty();
    ASSERT_TRUE(addClosedDayRule(*days, {1, 1, kSeireki, 1865, kSeireki, 2030, "元日"}));
    ASSERT_TRUE(addClosedDayRule(*days, {5, 1, kHeisei, 31, kReiwa, 99, "改元"}));
    ASSERT_TRUE(addClosedDayRule(*days, {12, 0, kKeio, 1, kShowa, 64, "月"}));
    const std::vector<std::string> lines = {"01/01 K01-R12 元日", "05/01 R01-R99 改元", "12/?? K01-H01 月"};  // 昭和64 is 1989: December of it is 平成元年
    EXPECT_EQ(closedDayRuleLines(*days), lines);
    EXPECT_EQ(days->rules[0].fromYear, 1865);
    EXPECT_EQ(days->rules[1].fromYear, 2019);  // 平成31 is 2019; on 1 May it is 令和元年
    EXPECT_EQ(days->rules[1].toYear, 2117);
    auto back = empty();
    parseClosedDayRules(*back, formatClosedDayRules(*days));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back->rules[i].fromYear, days->rules[i].fromYear) << i;
        EXPECT_EQ(back->rules[i].toYear, days->rules[i].toYear) << i;
    }
}

// A new rule ends its slot; removing one keeps the others in order; a change
// that is cancelled puts the rule back at the end of its slot.
TEST(ClosedDayDraft, ListOperations) {
    auto days = empty();
    ASSERT_TRUE(addClosedDayRule(*days, {8, 13, kSeireki, 2000, kSeireki, 2030, "a"}));
    ASSERT_TRUE(addClosedDayRule(*days, {1, 2, kSeireki, 2000, kSeireki, 2030, "b"}));
    ASSERT_TRUE(addClosedDayRule(*days, {8, 13, kSeireki, 2000, kSeireki, 2030, "c"}));
    auto names = [&] {
        std::string out;
        for (const std::string& line : closedDayRuleLines(*days)) out += line.substr(14);
        return out;
    };
    EXPECT_EQ(names(), "bac");
    const ClosedDayDraft kept = draftOfClosedDayRule(*days, 1);  // "a"
    EXPECT_EQ(kept.month, 8);
    EXPECT_EQ(kept.day, 13);
    EXPECT_EQ(kept.fromEra, kHeisei);  // written H12, shown as 平成 12
    EXPECT_EQ(kept.fromYear, 12);
    EXPECT_EQ(kept.name, "a");
    ASSERT_TRUE(removeClosedDayRule(*days, 1));
    EXPECT_EQ(names(), "bc");
    ASSERT_TRUE(addClosedDayRule(*days, kept));  // from the draft
    EXPECT_EQ(names(), "bca");
    // A cancelled change puts the rule back as it was, its line unchanged.
    const ClosedDayRule before = days->rules[days->order[0]];
    ASSERT_TRUE(removeClosedDayRule(*days, 0));
    ASSERT_TRUE(addClosedDayRule(*days, before));
    EXPECT_EQ(closedDayRuleLines(*days)[0], std::string(before.line));
    EXPECT_FALSE(removeClosedDayRule(*days, 3));
    EXPECT_EQ(closedDayRuleCount(*days), 3);
}

TEST(ClosedDayDraft, TheTwoHundredFiftySeventhRuleIsRefused) {
    auto days = empty();
    for (int i = 0; i < kMaxClosedDayRules; ++i)
        ASSERT_TRUE(addClosedDayRule(*days, {1 + i % 12, 1 + i % 28, kSeireki, 2000, kSeireki, 2030, "x"})) << i;
    EXPECT_FALSE(addClosedDayRule(*days, {1, 1, kSeireki, 2000, kSeireki, 2030, "over"}));
    EXPECT_EQ(closedDayRuleCount(*days), kMaxClosedDayRules);
}

}  // namespace
}  // namespace tavo
