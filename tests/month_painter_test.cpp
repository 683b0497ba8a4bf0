#include "calendar/render/month_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "calendar/calc/closed_days.h"
#include "shared/date_math.h"
#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

// Every character is 6 x 12 pixels.
class FixedMeasure final : public TextMeasure {
public:
    TextSize measure(FontKey, std::string_view text) override { return {static_cast<int>(text.size()) * 6, 12}; }
};

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        closed = std::make_unique<ClosedDays>();
        resetClosedDays(*closed);
        resetWindowStyle(style, kCalendarStyle);
        resetDesignSet(design, kCalendarDesign, {20, 16});
        clearDayOffTable(dayOff);
        for (int w = 0; w < 7; ++w) names[w] = std::string("w").append(std::to_string(w));
    }
    std::vector<PaintOp> paint(int year, int month, int day, int width = 280, int height = 330, bool hatch = false,
                               bool markKinds = false, int markedDay = 0) {
        rebuildMonthGrid(grid, year, month, {style.mondayFirst != 0, style.firstWeekIsThisMonth != 0}, *closed);
        if (markedDay) grid.cellMark[cellIndex(grid.dayCell[markedDay].column, grid.dayCell[markedDay].row)] = 1;
        computeMonthLayout(layout, width, height,
                           {design.height[kYearMon], design.height[kWeek], style.todayButton ? design.height[kButton] : 0, 0});
        FixedMeasure measure;
        const MonthPaintInput input{grid, layout, style, design, dayOff, day, weekdayOf(year, month, day), "caption", names, 96, hatch, markKinds};
        return planMonthPaint(input, measure);
    }
    static std::vector<const PaintOp*> ofKind(const std::vector<PaintOp>& ops, PaintOpKind kind) {
        std::vector<const PaintOp*> found;
        for (const PaintOp& op : ops)
            if (op.kind == kind) found.push_back(&op);
        return found;
    }

    std::unique_ptr<ClosedDays> closed;
    WindowStyle style{};
    DesignSet design{};
    DayOffTable dayOff{};
    MonthGrid grid{};
    MonthLayout layout{};
    std::string names[7];
};

// The fills leave no pixel of the grid uncovered, for every month layout.
TEST_F(PainterTest, FillsCoverTheWholeGrid) {
    for (int rok = 0; rok <= 1; ++rok) {
        for (int fwk = 0; fwk <= 1; ++fwk) {
            style.mondayFirst = rok;
            style.firstWeekIsThisMonth = fwk;
            for (int month = 1; month <= 12; ++month) {
                const auto ops = paint(2026, month, 10, 283, 331);
                const int top = gridTop(layout), bottom = top + layout.rowTop[5] + layout.rowHeight[5];
                std::vector<char> covered(static_cast<std::size_t>(layout.clientWidth * (bottom - top)), 0);
                for (const PaintOp* op : ofKind(ops, PaintOpKind::FillRect)) {
                    const Rect r = op->rect;
                    for (int y = std::max(r.top, top); y < std::min(r.top + r.height, bottom); ++y)
                        for (int x = std::max(r.left, 0); x < std::min(r.left + r.width, layout.clientWidth); ++x)
                            covered[static_cast<std::size_t>((y - top) * layout.clientWidth + x)] = 1;
                }
                EXPECT_EQ(std::count(covered.begin(), covered.end(), 0), 0) << month << " rok " << rok << " fwk " << fwk;
            }
        }
    }
}

TEST_F(PainterTest, SuppressedBackgroundKeepsOnlyTheSelection) {
    style.wallpaper = 1;
    dayOff.rows[11][6] = '1';
    const auto ops = paint(2026, 12, 12);  // a Saturday
    const auto fills = ofKind(ops, PaintOpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0]->key, (DesignKey{kWeek, 2, DesignRole::Fill, kSelected}));  // the Saturday header
    EXPECT_EQ(fills[1]->key.state, kSelected);                                      // the selected cell
    EXPECT_EQ(ofKind(ops, PaintOpKind::ButtonFace).size(), 5u);
    EXPECT_GE(ofKind(ops, PaintOpKind::Text).size(), 42u);
    int frames = 0;
    for (const PaintOp* op : ofKind(ops, PaintOpKind::Polyline)) frames += op->points.size() == 5;
    EXPECT_EQ(frames, 1);
}

TEST_F(PainterTest, OtherMonthRows) {
    style.firstWeekIsThisMonth = 0;  // the week before
    auto ops = paint(2026, 11, 5);  // 1 November 2026 is a Sunday
    const DesignKey background{kBackgroundPart, 0, DesignRole::Fill, kNormal};
    auto backgroundRows = [&](const std::vector<PaintOp>& all) {
        std::vector<Rect> rects;
        for (const PaintOp* op : ofKind(all, PaintOpKind::FillRect))
            if (op->key == background) rects.push_back(op->rect);
        return rects;
    };
    std::vector<Rect> rows = backgroundRows(ops);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (Rect{0, gridTop(layout), 280, layout.rowHeight[0]}));
    style.firstWeekIsThisMonth = 1;  // February 2026: 28 days from a Sunday, this month first
    ops = paint(2026, 2, 5);
    rows = backgroundRows(ops);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Rect{0, gridTop(layout) + layout.rowTop[4], 280, layout.rowHeight[4]}));
    EXPECT_EQ(rows[1], (Rect{0, gridTop(layout) + layout.rowTop[5], 280, layout.rowHeight[5]}));
}

TEST_F(PainterTest, DayOffFramesByClosedState) {
    dayOff.rows[11][7] = '1';  // Tuesday 8 December: a vacation on a working day
    dayOff.rows[11][5] = '1';  // Sunday 6 December: work on a closed day
    const auto ops = paint(2026, 12, 1);
    std::vector<int> parts;
    for (const PaintOp* op : ofKind(ops, PaintOpKind::Polyline))
        if (op->points.size() == 5) parts.push_back(op->key.part);
    std::sort(parts.begin(), parts.end());
    EXPECT_EQ(parts, (std::vector<int>{kHoliline, kNormline}));
}

TEST_F(PainterTest, RokuyoAndTextOffsets) {
    const auto ops = paint(2026, 12, 1);
    int rokuyo = 0;
    for (const PaintOp* op : ofKind(ops, PaintOpKind::Text)) rokuyo += op->font.part == kRokuyou;
    EXPECT_EQ(rokuyo, 42);
    const auto tiny = paint(2026, 12, 1, 70, 160);  // cells too small for a rokuyo name
    for (const PaintOp* op : ofKind(tiny, PaintOpKind::Text)) EXPECT_NE(op->font.part, kRokuyou);
    style.rokuyo = 0;
    const auto hidden = paint(2026, 12, 1);
    for (const PaintOp* op : ofKind(hidden, PaintOpKind::Text)) EXPECT_NE(op->font.part, kRokuyou);
    EXPECT_EQ(reliefTextOffset(kRaised), -1);
    EXPECT_EQ(reliefTextOffset(kSunken), 1);
    EXPECT_EQ(reliefTextOffset(kFlat), 0);
}

// Holidays the government has not fixed yet are hatched when asked, inside their cells only.
TEST_F(PainterTest, ForecastHolidaysAreHatched) {
    const auto hatches = [&](int year, int month, int day, bool hatch) {
        const std::vector<PaintOp> ops = paint(year, month, day, 280, 330, hatch);
        const CellPosition at = grid.dayCell[day];
        const Rect r = cellRect(layout, at.column, at.row);
        int inside = 0, lines = 0;
        for (const PaintOp* op : ofKind(ops, PaintOpKind::Polyline)) {
            if (op->key.role != DesignRole::Shadow || op->points.size() != 2) continue;
            ++lines;
            inside += r.contains(op->points[0].x, op->points[0].y) && r.contains(op->points[1].x, op->points[1].y);
        }
        return std::pair(inside, lines);
    };
    const auto [forecast, all] = hatches(2028, 3, 20, true);  // 春分の日 2028: not fixed when this was built
    EXPECT_GT(forecast, 5);
    EXPECT_EQ(all % forecast, 0);                              // every line inside a holiday's cell
    EXPECT_EQ(hatches(2028, 3, 20, false).second, 0);
    EXPECT_EQ(hatches(2027, 3, 21, true).second, 0);           // fixed
}

// High contrast: a rest day's number is underlined, a day with data gets a
// corner cut off; nothing of the kind without the switch.
TEST_F(PainterTest, HighContrastMarksKindsByShape) {
    const auto thickStrokesIn = [&](int day, bool markKinds) {
        const std::vector<PaintOp> ops = paint(2026, 11, 10, 280, 330, false, markKinds, 12);
        const CellPosition at = grid.dayCell[day];
        const Rect r = cellRect(layout, at.column, at.row);
        int strokes = 0;
        for (const PaintOp* op : ofKind(ops, PaintOpKind::Polyline))
            strokes += op->lineWidth > 0 && r.contains(op->points[0].x, op->points[0].y) && r.contains(op->points[1].x, op->points[1].y);
        return strokes;
    };
    const struct {
        int day, strokes;
        const char* what;
    } cases[] = {{1, 1, "Sunday"}, {3, 1, "culture day"}, {23, 1, "labour day"}, {9, 0, "Monday"}, {7, 0, "Saturday"},
                 {12, 1, "data"}};
    for (const auto& c : cases) {
        EXPECT_EQ(thickStrokesIn(c.day, true), c.strokes) << c.what;
        EXPECT_EQ(thickStrokesIn(c.day, false), 0) << c.what;
    }
}

TEST_F(PainterTest, NoButtonsWithoutTheTodayButton) {
    style.todayButton = 0;
    const auto ops = paint(2026, 12, 7);
    EXPECT_TRUE(ofKind(ops, PaintOpKind::ButtonFace).empty());
    EXPECT_TRUE(ofKind(ops, PaintOpKind::Polygon).empty());
}

}  // namespace
}  // namespace tavo
