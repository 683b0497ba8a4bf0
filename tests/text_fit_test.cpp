// Every text of the month view inside its band or cell and clear of the other
// text of its cell, at every scaling from 100 % to 200 %, in every layout, for
// window sizes from tiny to 1000 x 1000.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/render/month_painter.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/dpi.h"

namespace tavo {
namespace {

// Text as a proportional font would set it: double-byte characters one em
// wide, others a little over half; sizes follow the fonts the window builds.
class ProportionalMeasure final : public TextMeasure {
public:
    ProportionalMeasure(const DesignSet& d, const MonthLayout& l) : design_(d), layout_(l) {}
    TextSize measure(FontKey font, std::string_view text) override {
        const FontSize natural = monthFontSize(design_, layout_, font.part, font.state);
        const int naturalHeight = natural.height > 0 ? natural.height : 12;  // 0 asks GDI for its default size
        const int h = font.height > 0 ? font.height : naturalHeight;
        const int single = natural.width > 0 ? std::max(1, natural.width * h / naturalHeight) : (h * 11 + 19) / 20;
        int width = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool wide = isCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
            width += wide ? std::max(h, 2 * single) : single;
            i += wide ? 1 : 0;
        }
        return {width, h};
    }

private:
    const DesignSet& design_;
    const MonthLayout& layout_;
};

struct Box {
    Rect rect;
    int id;  // which band or cell
};

bool inside(const Rect& r, const Rect& box) {
    return r.left >= box.left + 1 && r.top >= box.top + 1 && r.left + r.width <= box.left + box.width - 1 &&
           r.top + r.height <= box.top + box.height - 1;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// The band or cell a text belongs to, by its design part and its centre.
Box boxOf(const MonthLayout& l, const PaintOp& op, const Rect& r) {
    const int cx = r.left + r.width / 2, cy = r.top + r.height / 2;
    if (op.key.part == kYearMon) return {yearMonRect(l), -1};
    if (op.key.part == kWeek)
        for (int c = 0; c < 7; ++c)
            if (weekdayRect(l, c).contains(cx, cy)) return {weekdayRect(l, c), -2 - c};
    for (int c = 0; c < 7; ++c)
        for (int row = 0; row < 6; ++row)
            if (cellRect(l, c, row).contains(cx, cy)) return {cellRect(l, c, row), c * 6 + row};
    return {{0, 0, 0, 0}, -100};
}

struct Outcome {
    bool allInside = true, noOverlap = true;
    int captions = 0, weekdays = 0, dayNumbers = 0, rokuyo = 0;
    int smallestRokuyo = 1 << 30, smallestCellInset = 1 << 30;  // a cell's texts from its edges
    std::string failure;
};

class TextFit : public ::testing::Test {
protected:
    void SetUp() override {
        closed = std::make_unique<ClosedDays>();
        resetClosedDays(*closed);
        resetDesignSet(design, kCalendarDesign, {19, 15});  // heights at 96 DPI
        clearDayOffTable(dayOff);
        const char* const names[7] = {"日", "月", "火", "水", "木", "金", "土"};
        for (int w = 0; w < 7; ++w) weekdays[w] = names[w];
    }

    Outcome plan(const WindowStyle& style, int dpi, int width, int height) {
        rebuildMonthGrid(grid, 2026, 5, {style.mondayFirst != 0, style.firstWeekIsThisMonth != 0}, *closed);
        computeMonthLayout(layout, width, height, scaledBandHeights(design, style, scaleToDpi(20, dpi), dpi));
        ProportionalMeasure measure(design, layout);
        const MonthPaintInput input{grid, layout, style, design, dayOff, 20, weekdayOf(2026, 5, 20),
                                    "2026年(令和 8年)5月", weekdays, dpi};
        Outcome out;
        std::vector<std::pair<Box, Rect>> texts;
        for (const PaintOp& op : planMonthPaint(input, measure)) {
            if (op.kind != PaintOpKind::Text) continue;
            const TextSize size = measure.measure(op.font, op.text);
            const Rect r{op.x, op.y, size.width, size.height};
            const Box box = boxOf(layout, op, r);
            if (!inside(r, box.rect)) {
                out.allInside = false;
                out.failure = std::string("\"").append(cp932ToUtf8(op.text)).append("\" outside its box");
            }
            for (const auto& [other, rect] : texts)
                if (other.id == box.id && overlap(rect, r)) {
                    out.noOverlap = false;
                    out.failure = std::string("\"").append(cp932ToUtf8(op.text)).append("\" overlaps another text");
                }
            texts.push_back({box, r});
            if (box.id >= 0)
                out.smallestCellInset = std::min({out.smallestCellInset, r.left - box.rect.left, r.top - box.rect.top,
                                                  box.rect.left + box.rect.width - r.left - r.width, box.rect.top + box.rect.height - r.top - r.height});
            const int part = op.key.part;
            if (part == kRokuyou) out.smallestRokuyo = std::min(out.smallestRokuyo, size.height);
            out.captions += part == kYearMon;
            out.weekdays += part == kWeek;
            out.rokuyo += part == kRokuyou || (part == kBackgroundPart && op.text.size() == 4);
            out.dayNumbers += part == kNoSchedule || part == kHaveSchedule || (part == kBackgroundPart && op.text.size() <= 2);
        }
        return out;
    }

    std::unique_ptr<ClosedDays> closed;
    DesignSet design{};
    DayOffTable dayOff{};
    MonthGrid grid{};
    MonthLayout layout{};
    std::string weekdays[7];
};

TEST_F(TextFit, EveryTextInsideItsBoxAndClearOfTheOthers) {
    const int sizes[] = {60, 100, 150, 200, 280, 350, 500, 700, 1000};
    for (int layoutBits = 0; layoutBits < 16; ++layoutBits) {
        WindowStyle style{};
        resetWindowStyle(style, kCalendarStyle);
        style.mondayFirst = layoutBits & 1;
        style.firstWeekIsThisMonth = (layoutBits >> 1) & 1;
        style.todayButton = (layoutBits >> 2) & 1;
        style.statusBar = (layoutBits >> 3) & 1;
        for (int dpi : {96, 120, 144, 168, 192})
            for (int w : sizes)
                for (int h : sizes) {
                    const Outcome o = plan(style, dpi, w, h);
                    ASSERT_TRUE(o.allInside && o.noOverlap)
                        << o.failure << " at " << dpi << " DPI, " << w << " x " << h << ", layout " << layoutBits;
                    // Clear of a day-off frame drawn just inside the relief; a rokuyo no smaller than legible.
                    ASSERT_GE(o.smallestCellInset, 2 + scaleToDpi(1, dpi)) << dpi << " DPI, " << w << " x " << h;
                    ASSERT_GE(o.rokuyo ? o.smallestRokuyo : 1 << 30, scaleToDpi(12, dpi)) << dpi << " DPI, " << w << " x " << h;
                }
    }
}

// At the default window size, scaled, nothing has to give way.
TEST_F(TextFit, TheDefaultWindowShowsEveryTextAtEveryScaling) {
    WindowStyle style{};
    resetWindowStyle(style, kCalendarStyle);
    for (int dpi : {96, 120, 144, 168, 192}) {
        // 280 x 350 at 96 DPI less the frame, caption and borders of a window.
        const Outcome o = plan(style, dpi, scaleToDpi(270, dpi), scaleToDpi(310, dpi));
        EXPECT_EQ(o.captions, 1) << dpi;
        EXPECT_EQ(o.weekdays, 7) << dpi;
        EXPECT_EQ(o.dayNumbers, 42) << dpi;
        EXPECT_EQ(o.rokuyo, 42) << dpi;
    }
}

// In a tiny window the rokuyo gives way before the day numbers do.
TEST_F(TextFit, TheRokuyoGivesWayFirst) {
    WindowStyle style{};
    resetWindowStyle(style, kCalendarStyle);
    bool sawDaysWithoutRokuyo = false;
    for (int size = 1000; size >= 60; size -= 10) {
        const Outcome o = plan(style, 96, size, size);
        EXPECT_FALSE(o.rokuyo > 0 && o.dayNumbers < 42) << "rokuyo kept while day numbers were dropped at " << size;
        sawDaysWithoutRokuyo = sawDaysWithoutRokuyo || (o.dayNumbers == 42 && o.rokuyo == 0);
    }
    EXPECT_TRUE(sawDaysWithoutRokuyo);
}

}  // namespace
}  // namespace tavo
