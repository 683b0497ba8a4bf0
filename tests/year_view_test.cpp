// The year view: the shape of months that gives the largest cells, every
// day found again where it is drawn, and what a day's cell shows.
#include <gtest/gtest.h>

#include <tuple>

#include "calendar/calc/closed_days.h"
#include "calendar/render/year_view.h"
#include "memory_data_folder.h"
#include "scaled_measure.h"

namespace tavo {
namespace {

using FixedMeasure = test::ScaledMeasure;

TEST(YearView, TheShapeWithTheLargestCellsFillsTheArea) {
    struct Case {
        int width, height, columns, rows;
    } cases[] = {{1000, 700, 4, 3}, {700, 1000, 3, 4}, {1600, 400, 6, 2}, {300, 1200, 2, 6}, {96, 54, 4, 3}};
    for (const Case& c : cases) {
        const Rect area{10, 20, c.width, c.height};
        const YearLayout l = layoutYear(area);
        EXPECT_EQ(std::pair(l.columns, l.rows), std::pair(c.columns, c.rows)) << c.width << "x" << c.height;
        for (int m = 0; m < 12; ++m) {
            const Rect& b = l.month[m];
            EXPECT_TRUE(area.contains(b.left, b.top) && area.contains(b.left + b.width - 1, b.top + b.height - 1)) << m;
            const Rect& before = l.month[m > 0 ? m - 1 : 0];
            EXPECT_TRUE(m == 0 || b.top > before.top || b.left >= before.left + before.width) << m;
        }
    }
    EXPECT_EQ(layoutYear({0, 0, 20, 20}).cell, 0);  // too small for a cell: nothing is drawn
}

TEST(YearView, EveryDayIsFoundWhereItIsDrawnAndShowsItsKind) {
    test::MemoryDataFolder folder;
    folder.files.files[scheduleFile(folder.paths, kScheduleDay, 2026, 3)] = ":14\r\n歯医者\r\n";
    YearGrids grids;
    rebuildYear(grids, 2026, {false, false}, folder.sources());
    const YearLayout layout = layoutYear({0, 0, 1200, 900});
    for (int m = 1; m <= 12; ++m)
        for (int cell = 0; cell < kGridCells; ++cell) {
            const Rect r = yearCellRect(layout, m, cell);
            const YearHit hit = yearDayAt(layout, grids, r.left + r.width / 2, r.top + r.height / 2);
            const int day = grids.months[m - 1].cellDay[cell];
            EXPECT_EQ(hit.day, day < kOtherMonth ? day : 0) << m << "/" << cell;
            EXPECT_EQ(hit.month, day < kOtherMonth ? m : 0);
        }
    DesignSet design{};
    resetDesignSet(design, kCalendarDesign, {20, 16});
    const std::string months[12] = {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"};
    const std::string weekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
    FixedMeasure measure;
    const std::vector<PaintOp> ops =
        planYearPaint({grids, layout, design, months, weekdays, {3, 14}, {1, 1}, 96, 0}, measure);
    const auto cellOf = [&](int m, int d) {
        for (int cell = 0; cell < kGridCells; ++cell)
            if (grids.months[m - 1].cellDay[cell] == d) return yearCellRect(layout, m, cell);
        return Rect{};
    };
    struct Expect {
        int month, day, part, kind;
        DesignState state;
    } expected[] = {
        {1, 1, kNoSchedule, kPublicHoliday, kNormal},    // 元日
        {1, 12, kNoSchedule, kPublicHoliday, kNormal},   // 成人の日
        {3, 14, kHaveSchedule, kSaturday, kSelected},    // data, selected
        {5, 6, kNoSchedule, kSubstituteOrNational, kNormal},
        {6, 3, kNoSchedule, kOpenWeekday, kNormal},
    };
    for (const Expect& e : expected) {
        const Rect r = cellOf(e.month, e.day);
        int fills = 0, texts = 0;
        for (const PaintOp& op : ops) {
            if (op.kind == PaintOpKind::FillRect && op.rect == r) {
                ++fills;
                EXPECT_EQ(op.key, (DesignKey{e.part, e.kind, DesignRole::Fill, e.state})) << e.month << "/" << e.day;
            }
            if (op.kind == PaintOpKind::Text && r.contains(op.x, op.y)) {
                ++texts;
                EXPECT_EQ(op.text, std::to_string(e.day));
                EXPECT_EQ(op.key, (DesignKey{e.part, e.kind, DesignRole::Text, e.state}));
                EXPECT_LE(op.x + measure.measure(op.font, op.text).width, r.left + r.width);
            }
        }
        EXPECT_EQ(fills, 1) << e.month << "/" << e.day;
        EXPECT_EQ(texts, 1) << e.month << "/" << e.day;
    }
    const Rect newYear = cellOf(1, 1);
    const auto framed = std::count_if(ops.begin(), ops.end(), [&](const PaintOp& op) {
        return op.kind == PaintOpKind::Polyline && newYear.contains(op.points[0].x, op.points[0].y);
    });
    EXPECT_EQ(framed, 1);  // today
    for (int m = 1; m <= 12; ++m)  // other months' days are left empty
        for (int cell = 0; cell < kGridCells; ++cell) {
            if (grids.months[m - 1].cellDay[cell] < kOtherMonth) continue;
            const Rect r = yearCellRect(layout, m, cell);
            for (const PaintOp& op : ops) EXPECT_FALSE(op.kind != PaintOpKind::Polyline && r.contains(op.kind == PaintOpKind::Text ? op.x : op.rect.left, op.kind == PaintOpKind::Text ? op.y : op.rect.top));
        }
    // High contrast: one stroke under each rest day of 1 January (元日), one corner on 14 March (data), none on 3 June.
    const std::vector<PaintOp> marked =
        planYearPaint({grids, layout, design, months, weekdays, {3, 14}, {1, 1}, 96, 0, 0, true}, measure);
    const auto strokesIn = [&](const std::vector<PaintOp>& plan, Rect r) {
        return std::count_if(plan.begin(), plan.end(), [&](const PaintOp& op) {
            return op.kind == PaintOpKind::Polyline && op.lineWidth > 0 && r.contains(op.points[0].x, op.points[0].y);
        });
    };
    for (const auto& [month, day, strokes] : {std::tuple{1, 1, 1}, {1, 4, 1}, {3, 14, 1}, {6, 3, 0}}) {
        EXPECT_EQ(strokesIn(marked, cellOf(month, day)), strokes) << month << "/" << day;
        EXPECT_EQ(strokesIn(ops, cellOf(month, day)), 0);
    }
}

}  // namespace
}  // namespace tavo
