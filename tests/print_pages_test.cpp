// Pages on paper: every sheet and orientation holds the month's 42 cells
// inside what can be printed, each text inside its own cell, and "他N件"
// exactly when a day's lines do not fit.
#include <gtest/gtest.h>


#include "calendar/render/print_pages.h"
#include "memory_data_folder.h"
#include "scaled_measure.h"

namespace tavo {
namespace {

using FixedMeasure = test::ScaledMeasure;

const std::string kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};

TEST(PrintPages, EveryCellAndTextStaysInsideWhatCanBePrinted) {
    test::MemoryDataFolder folder;
    MonthGrid grid{};
    DayOffTable dayOff{};
    rebuildMonth(grid, dayOff, 2026, 5, {false, false}, folder.sources());
    DesignSet design{};
    resetDesignSet(design, kCalendarDesign, {20, 16});
    PrintedDay days[32];
    for (int i = 0; i < 40; ++i) days[6].lines.push_back("打ち合わせ " + std::to_string(i));  // more than any cell holds
    days[7].lines = {"歯医者", std::string(300, 'x')};                                          // one too wide for its cell
    FixedMeasure measure;
    for (int paper = 0; paper < kPaperCount; ++paper)
        for (bool landscape : {false, true}) {
            Sheet sheet = wholeSheet(static_cast<Paper>(paper), landscape, 600);
            sheet.printable = {100, 120, sheet.width - 230, sheet.height - 250};  // a printer's unprintable edges
            const Rect area = contentArea(sheet, 5);
            const std::string where = std::string(paperName(static_cast<Paper>(paper))) + (landscape ? " landscape" : "");
            ASSERT_TRUE(sheet.printable.contains(area.left, area.top) &&
                        sheet.printable.contains(area.left + area.width - 1, area.top + area.height - 1)) << where;
            EXPECT_EQ(landscape, sheet.width > sheet.height) << where;
            const std::vector<PaintOp> ops = planMonthPage({grid, dayOff, design, "2026年5月 令和8年", kWeekdays, days, 600}, area, measure);
            std::vector<Rect> cells;
            for (const PaintOp& op : ops)
                if (op.kind == PaintOpKind::FillRect && op.key.part != kWeek) cells.push_back(op.rect);
            ASSERT_EQ(cells.size(), 31u) << where;  // the month's days; other months' cells stay empty
            int more = 0, shown6 = 0;
            for (const PaintOp& op : ops) {
                for (const Point& p : op.points)  // lines end on the area's far edges at most
                    EXPECT_TRUE(area.contains(std::min(p.x, area.left + area.width - 1), std::min(p.y, area.top + area.height - 1))) << where;
                if (op.kind != PaintOpKind::Text || op.y < cells.front().top) continue;
                const TextSize size = measure.measure(op.font, op.text);
                const auto inside = std::find_if(cells.begin(), cells.end(), [&](const Rect& r) {
                    return r.contains(op.x, op.y) && op.x + size.width <= r.left + r.width && op.y + size.height <= r.top + r.height;
                });
                EXPECT_NE(inside, cells.end()) << where << ": " << op.text;
                const std::string before = "他", after = "件";
                if (op.text.rfind(before, 0) == 0 && op.text.ends_with(after)) more = std::stoi(op.text.substr(before.size()));
                if (op.text.rfind("打ち合わせ", 0) == 0) ++shown6;
            }
            EXPECT_GT(shown6, 0) << where;
            EXPECT_EQ(shown6 + more, 40) << where;  // every line shown or counted
        }
}

TEST(PrintPages, AListRunsOverPagesInOrder) {
    RangeList list;
    for (int d = 1; d <= 60; ++d) {
        list.addHeader("12月" + std::to_string(d) + "日", d % 7 == 0 ? 1 : 0, 0);
        list.addLine("予定 " + std::to_string(d));
    }
    FixedMeasure measure;
    const Sheet sheet = wholeSheet(Paper::A4, false, 300);
    const std::vector<std::vector<PaintOp>> pages = planRangePages(list, "予定一覧", contentArea(sheet, 10), 300, measure);
    ASSERT_GT(pages.size(), 2u);
    std::vector<std::string> seen;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        for (const PaintOp& op : pages[p])
            if (op.kind == PaintOpKind::Text && (op.text.rfind("予定 ", 0) == 0 || op.text.find("日") != std::string::npos)) seen.push_back(op.text);
        EXPECT_EQ(pages[p].back().text, std::to_string(p + 1) + " / " + std::to_string(pages.size()));
    }
    ASSERT_EQ(seen.size(), 120u);
    EXPECT_EQ(seen.front(), "12月1日");
    EXPECT_EQ(seen.back(), "予定 60");
}

TEST(PrintPages, EraYears) {
    EXPECT_EQ(eraYearText(2026, 12), "令和8年");
    EXPECT_EQ(eraYearText(2019, 5), "令和元年");
    EXPECT_EQ(eraYearText(2019, 4), "平成31年");
    EXPECT_EQ(eraYearText(1850, 1), "");
}

}  // namespace
}  // namespace tavo
