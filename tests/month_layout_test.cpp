#include "calendar/render/month_layout.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tavo {
namespace {

TEST(MonthLayout, ColumnsAreSymmetricAndFillTheWidth) {
    MonthLayout l{};
    computeMonthLayout(l, 703, 400, {20, 20, 0, 0});
    const int expected703[7] = {100, 100, 101, 101, 101, 100, 100};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(l.columnWidth[c], expected703[c]);
    for (int w = 7; w < 2000; ++w) {
        computeMonthLayout(l, w, 400, {20, 20, 0, 0});
        ASSERT_EQ(std::accumulate(l.columnWidth, l.columnWidth + 7, 0), w);
        for (int c = 0; c < 7; ++c) ASSERT_EQ(l.columnWidth[c], l.columnWidth[6 - c]) << w;
        for (int c = 1; c < 7; ++c) ASSERT_EQ(l.columnLeft[c], l.columnLeft[c - 1] + l.columnWidth[c - 1]);
    }
    computeMonthLayout(l, 700, 400, {20, 20, 0, 0});
    for (int c = 0; c < 7; ++c) EXPECT_EQ(l.columnWidth[c], 100);
}

TEST(MonthLayout, RowsAndTheWeekdayRow) {
    MonthLayout l{};
    computeMonthLayout(l, 280, 400, {20, 20, 0, 0});
    const int rows[6] = {60, 60, 60, 61, 60, 60};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(l.rowHeight[r], rows[r]);
    EXPECT_FALSE(l.weekRowOverride);
    EXPECT_EQ(gridTop(l), 40);
    EXPECT_EQ(l.rowTop[5], 301);

    computeMonthLayout(l, 280, 400, {20, 70, 0, 0});  // a weekday row taller than a grid row
    EXPECT_TRUE(l.weekRowOverride);
    EXPECT_EQ(weekRowHeight(l), 381 / 7);
    EXPECT_EQ(l.rowTop[5] + l.rowHeight[5], 381 - 381 / 7);

    computeMonthLayout(l, 280, 30, {20, 20, 10, 1});  // no room at all
    EXPECT_TRUE(l.weekRowOverride);
    EXPECT_EQ(weekRowHeight(l), 0);
    for (int r = 0; r < 6; ++r) EXPECT_EQ(l.rowHeight[r], 0);
}

TEST(MonthLayout, ButtonsForEveryChoice) {
    MonthLayout l{};
    computeMonthLayout(l, 280, 350, {20, 20, 18, 20});
    const int c0 = l.columnWidth[0];
    EXPECT_EQ(c0, 40);
    struct Case {
        bool month, year;
        std::vector<ButtonAction> actions;
        std::vector<int> widths;
    } cases[] = {
        {true, true, {ButtonAction::YearBack, ButtonAction::MonthBack, ButtonAction::Today, ButtonAction::MonthForward, ButtonAction::YearForward},
         {41, 61, 280 - 2 * 99 - 1, 61, 41}},
        {false, true, {ButtonAction::YearBack, ButtonAction::Today, ButtonAction::YearForward}, {101, 81, 101}},
        {true, false, {ButtonAction::MonthBack, ButtonAction::Today, ButtonAction::MonthForward}, {101, 81, 101}},
        {false, false, {ButtonAction::Today}, {281}},
    };
    for (const Case& c : cases) {
        const std::vector<DateButton> buttons = dateButtons(l, c.month, c.year);
        ASSERT_EQ(buttons.size(), c.actions.size());
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i].action, c.actions[i]);
            EXPECT_EQ(buttons[i].rect.width, c.widths[i]) << i;
            EXPECT_EQ(buttons[i].rect.top, 350 - 18 - 20);
            EXPECT_EQ(buttons[i].rect.height, 18);
        }
    }
    computeMonthLayout(l, 280, 350, {20, 20, 0, 20});
    EXPECT_TRUE(dateButtons(l, true, true).empty());
}

TEST(MonthLayout, SymbolsAndHitTesting) {
    const Rect button{100, 300, 81, 18};
    const auto bar = buttonSymbolShapes(ButtonSymbol::Bar, button);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0][0], (Point{140 - 6, 306}));
    EXPECT_EQ(bar[0][2], (Point{140 + 6, 312}));
    EXPECT_EQ(buttonSymbolShapes(ButtonSymbol::DoubleLeftArrow, button).size(), 2u);
    const auto left = buttonSymbolShapes(ButtonSymbol::LeftArrow, button);
    EXPECT_EQ(left[0][0], (Point{134, 309}));

    MonthLayout l{};
    computeMonthLayout(l, 280, 350, {20, 20, 18, 20});
    EXPECT_EQ(bandAt(l, 5), Band::YearMon);
    EXPECT_EQ(bandAt(l, 25), Band::WeekdayRow);
    EXPECT_EQ(bandAt(l, 100), Band::Grid);
    EXPECT_EQ(bandAt(l, 320), Band::Buttons);
    EXPECT_EQ(bandAt(l, 345), Band::None);  // the status bar
    EXPECT_EQ(columnAt(l, 0), 0);
    EXPECT_EQ(columnAt(l, 39), 0);
    EXPECT_EQ(columnAt(l, 40), 1);
    EXPECT_EQ(columnAt(l, 279), 6);
    EXPECT_EQ(rowAt(l, 40), 0);
    EXPECT_EQ(rowAt(l, 39), -1);
    const auto buttons = dateButtons(l, true, true);
    const DateButton* hit = buttonAt(buttons, 140, 320);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->action, ButtonAction::Today);
    EXPECT_EQ(weekdayOfColumn(6, 1), 0);
    EXPECT_EQ(columnOfWeekday(0, 1), 6);
}

}  // namespace
}  // namespace tavo
