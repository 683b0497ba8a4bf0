#include "calendar/render/range_painter.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// A line in its printed form (":<kind><mark>" before a header's text) added to a list.
void addPrinted(RangeList& list, std::string_view printed) {
    if (printed.size() >= 3 && printed[0] == ':') list.addHeader(printed.substr(3), printed[1] - '0', printed[2] - 'A');
    else list.addLine(printed);
}

class FixedMeasure final : public TextMeasure {
public:
    TextSize measure(FontKey, std::string_view text) override { return {static_cast<int>(text.size()) * 6, 12}; }
};

class RangePainter : public ::testing::Test {
protected:
    void SetUp() override {
        resetDesignSet(design, kRangeViewDesign, {19, 15});
        resetWindowStyle(style, kRangeViewStyle);
        for (const char* line : {":0A12/7", "meeting", "lunch", ":1B12/13", "sunday off", ":5C12/14"}) addPrinted(list, line);
        list.selectedLine = 0;
    }
    std::vector<const PaintOp*> texts(const std::vector<PaintOp>& ops) {
        std::vector<const PaintOp*> out;
        for (const PaintOp& op : ops)
            if (op.kind == PaintOpKind::Text) out.push_back(&op);
        return out;
    }
    std::vector<PaintOp> paint(int scroll, int height = 400) {
        FixedMeasure measure;
        return planRangePaint({list, scroll, 200, height, style, design, 96}, measure);
    }

    DesignSet design{};
    WindowStyle style{};
    RangeList list;
};

TEST_F(RangePainter, LinesInTheirPartsStatesAndOrder) {
    const auto ops = paint(0);
    const auto t = texts(ops);
    ASSERT_EQ(t.size(), 6u);
    struct Expected {
        const char* text;
        int part, dayKind;
        DesignState state;
    } const expected[] = {
        {"12/7", kSchDate, 0, kSelected},     {"meeting", kSchData, 0, kSelected}, {"lunch", kSchData, 0, kSelected},
        {"12/13", kSchDate, 1, kNormal},      {"sunday off", kSchData, 1, kNormal}, {"12/14", kSchDate, 5, kNormal},
    };
    int top = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i]->text, expected[i].text);
        EXPECT_EQ(t[i]->key.part, expected[i].part) << i;
        EXPECT_EQ(t[i]->key.dayKind, expected[i].dayKind) << i;
        EXPECT_EQ(t[i]->key.state, expected[i].state) << i;
        EXPECT_EQ(t[i]->x, 3);  // a margin from the relief
        const int height = rangeLineHeight(design, expected[i].part, 96);
        EXPECT_EQ(t[i]->y, top + (height - 12) / 2) << i;  // centred in its line
        top += height;
    }
    // The vacation mark under 13 December, the working-day mark under the 14th.
    int holiday = 0, working = 0;
    for (const PaintOp& op : ops) {
        holiday += op.kind == PaintOpKind::Polyline && op.key.part == kSchHoliline;
        working += op.kind == PaintOpKind::Polyline && op.key.part == kSchNormline;
    }
    EXPECT_EQ(holiday, 1);
    EXPECT_EQ(working, 1);
    // The rest of the client is the SchBack box.
    const PaintOp& back = *std::find_if(ops.rbegin(), ops.rend(), [](const PaintOp& op) { return op.kind == PaintOpKind::FillRect; });
    EXPECT_EQ(back.key.part, kSchBack);
    EXPECT_EQ(back.rect.top, top);
    EXPECT_EQ(back.rect.height, 400 - top);
}

TEST_F(RangePainter, ScrolledLinesStillSetTheStateOfTheLinesBelow) {
    const auto ops = paint(1);  // the texts point into it
    const auto t = texts(ops);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0]->text, "meeting");
    EXPECT_EQ(t[0]->y, (rangeLineHeight(design, kSchData, 96) - 12) / 2);
    EXPECT_EQ(t[0]->key.state, kSelected);  // under the selected header, which is scrolled away
    const auto none = paint(6);
    EXPECT_TRUE(texts(none).empty());
}

TEST_F(RangePainter, TransparentAndWallpaperModesDrawNoBoxes) {
    for (int mode = 0; mode < 2; ++mode) {
        style.transparent = mode == 0;
        style.wallpaper = mode == 1;
        for (const PaintOp& op : paint(0)) EXPECT_EQ(op.kind, PaintOpKind::Text);
    }
}

TEST_F(RangePainter, AZeroHeightNeverDividesByZero) {
    design.height[kSchDate] = design.height[kSchData] = 0;
    EXPECT_EQ(rangeLineHeight(design, kSchDate, 96), 1);
    EXPECT_EQ(rangeLinesPerPage(design, 300, 144), 300);
    const auto ops = paint(0, 3);
    EXPECT_EQ(texts(ops).size(), 3u);  // one-pixel lines
}

TEST(RangeListText, HeadersLoseTheirCodesAndEveryLineEnds) {
    RangeList list;
    for (const char* line : {":0A2026/12/ 7(月)", "会議", ":5Aメモ", "memo"}) addPrinted(list, line);
    EXPECT_EQ(rangeListText(list), "2026/12/ 7(月)\r\n会議\r\nメモ\r\nmemo\r\n");
    EXPECT_EQ(rangeListText(RangeList()), "");
}

// The list keeps lines as written; what is shown or copied has its tabs expanded.
TEST(RangeListText, TabsAreExpandedWhereLinesAreShown) {
    RangeList list;
    for (const char* line : {":0A12/7", "10:00\t会議", "漢字\tx"}) addPrinted(list, line);
    EXPECT_EQ(list.line(1).text, "10:00\t会議");
    const std::vector<std::string> shown = {":0A12/7", "10:00   会議", "漢字    x"};
    EXPECT_EQ(list.lines(), shown);
    EXPECT_EQ(rangeListText(list), "12/7\r\n10:00   会議\r\n漢字    x\r\n");
    FixedMeasure measure;
    DesignSet design{};
    resetDesignSet(design, kRangeViewDesign, {19, 15});
    WindowStyle style{};
    resetWindowStyle(style, kRangeViewStyle);
    std::vector<std::string> painted;
    for (const PaintOp& op : planRangePaint({list, 0, 200, 400, style, design, 96}, measure))
        if (op.kind == PaintOpKind::Text) painted.push_back(op.text);
    const std::vector<std::string> expected = {"12/7", "10:00   会議", "漢字    x"};
    EXPECT_EQ(painted, expected);
}

}  // namespace
}  // namespace tavo
