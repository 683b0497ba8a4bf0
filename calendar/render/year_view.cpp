#include "year_view.h"

#include <algorithm>
#include <utility>

#include "high_contrast.h"
#include "shared/dpi.h"

namespace tavo {
namespace {

constexpr int kMonthCells = 7, kMonthRows = 8;  // the name, the weekdays, six weeks
// A month's share: its cells and a cell's gap to the next month.
constexpr int kShareWidth = kMonthCells + 1, kShareHeight = kMonthRows + 1;
constexpr std::pair<int, int> kShapes[] = {{4, 3}, {3, 4}, {6, 2}, {2, 6}};

bool inMonth(const MonthGrid& g, int cell) { return g.cellDay[cell] > 0 && g.cellDay[cell] < kOtherMonth; }

int columnKind(const MonthGrid& g, int column) {
    const int w = weekdayOfColumn(column, g.weekStart);
    return w == 0 ? 1 : (w == 6 ? 2 : 0);
}

class Planner {
public:
    Planner(const YearPaintInput& in, TextMeasure& measure) : in_(in), l_(in.layout), measure_(measure) {}

    std::vector<PaintOp> run() {
        if (l_.cell <= 0) return {};
        fonts();
        for (int m = 1; m <= 12; ++m) month(m);
        return std::move(ops_);
    }

private:
    const MonthGrid& grid(int m) const { return in_.grids.months[m - 1]; }
    int margin() const { return std::max(1, l_.cell / 12); }

    void fonts() {
        const int inside = l_.cell - 2 * margin();
        const int h = in_.fontHeight;
        caption_ = fittingFont(measure_, {kYearMon, kNormal, h}, {in_.monthNames, in_.monthNames + 12}, kMonthCells * l_.cell - 2 * margin(),
                               inside);
        weekday_ = fittingFont(measure_, {kWeek, kNormal, h}, {in_.weekdayNames, in_.weekdayNames + 7}, inside, inside);
        std::vector<std::string> labels;
        for (int d = 1; d <= 31; ++d) labels.push_back(std::to_string(d));
        for (int part : {kNoSchedule, kHaveSchedule})
            for (DesignState state : {kNormal, kSelected}) day_[part - kNoSchedule][state] = fittingFont(measure_, {part, state, h}, labels, inside, inside);
    }

    void month(int m) {
        const Rect box = l_.month[m - 1];
        const Rect name{box.left, box.top, box.width, l_.cell};
        fill({kYearMon, 0, DesignRole::Fill, kNormal}, name);
        centred(caption_, {kYearMon, 0, DesignRole::Text, kNormal}, name, in_.monthNames[m - 1]);
        const MonthGrid& g = grid(m);
        for (int c = 0; c < kGridColumns; ++c) {
            const Rect r{box.left + c * l_.cell, box.top + l_.cell, l_.cell, l_.cell};
            fill({kWeek, columnKind(g, c), DesignRole::Fill, kNormal}, r);
            centred(weekday_, {kWeek, columnKind(g, c), DesignRole::Text, kNormal}, r, in_.weekdayNames[weekdayOfColumn(c, g.weekStart)]);
        }
        for (int cell = 0; cell < kGridCells; ++cell)
            if (inMonth(g, cell)) day(m, cell);
    }

    void day(int m, int cell) {
        const MonthGrid& g = grid(m);
        const bool special = g.cellKind[cell] >= 3 || g.cellMark[cell] != 0;
        const int part = g.cellMark[cell] ? kHaveSchedule : kNoSchedule;
        const int kind = special ? g.cellKind[cell] : columnKind(g, cell / kGridRows);
        const int d = g.cellDay[cell];
        const DesignState state = in_.selected.month == m && in_.selected.day == d ? kSelected : kNormal;
        const Rect r = yearCellRect(l_, m, cell);
        fill({part, kind, DesignRole::Fill, state}, r);
        const DesignKey text{part, kind, DesignRole::Text, state};
        const Rect number = centred(day_[part - kNoSchedule][state], text, r, g.cellDayText[cell]);
        if (in_.markKinds) kindMarks(text, {r, number, isRestDayKind(g.cellKind[cell]), g.cellMark[cell] != 0, 1, 1, in_.dpi});
        if (isDayOff(in_.grids.dayOff, m, d)) frame({g.cellClosed[cell] ? kNormline : kHoliline, 0, DesignRole::Text, kNormal}, r, 2);
        if (in_.today.month == m && in_.today.day == d) frame({kYearMon, 0, DesignRole::Text, kNormal}, r, 0);
    }

    void fill(DesignKey key, Rect r) {
        PaintOp op(PaintOpKind::FillRect, key);
        op.rect = r;
        ops_.push_back(std::move(op));
    }

    // The text's box; empty when the font cannot be drawn.
    Rect centred(FontKey font, DesignKey colour, Rect box, const std::string& text) {
        if (!drawable(font)) return {};
        const TextSize size = measure_.measure(font, text);
        PaintOp op(PaintOpKind::Text, colour);
        op.font = font;
        op.x = box.left + (box.width - size.width) / 2;
        op.y = box.top + (box.height - size.height) / 2;
        op.text = text;
        ops_.push_back(std::move(op));
        return {op.x, op.y, size.width, size.height};
    }

    void kindMarks(DesignKey colour, const KindMarks& marks) {
        for (std::vector<Point>& points : kindMarkStrokes(marks)) {
            PaintOp op(PaintOpKind::Polyline, colour);
            op.points = std::move(points);
            op.lineWidth = marks.width;
            ops_.push_back(std::move(op));
        }
    }

    // A frame `inset` pixels (at 96 DPI) inside the cell.
    void frame(DesignKey key, Rect r, int inset) {
        const int in = std::min(scaleToDpi(inset, in_.dpi), r.width / 4);
        const int x0 = r.left + in, y0 = r.top + in, x1 = r.left + r.width - in - 1, y1 = r.top + r.height - in - 1;
        PaintOp op(PaintOpKind::Polyline, key);
        op.points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
        op.lineWidth = in_.lineWidth;
        ops_.push_back(std::move(op));
    }

    const YearPaintInput& in_;
    const YearLayout& l_;
    TextMeasure& measure_;
    FontKey caption_{}, weekday_{}, day_[2][2]{};
    std::vector<PaintOp> ops_;
};

}  // namespace

YearLayout layoutYear(Rect area) {
    YearLayout best;
    for (const auto& [columns, rows] : kShapes) {
        const int cell = std::min(area.width / (columns * kShareWidth), area.height / (rows * kShareHeight));
        if (cell > best.cell) best = {columns, rows, cell, {}};
    }
    if (best.cell <= 0) return {4, 3, 0, {}};
    const int c = best.cell;
    const int left = area.left + (area.width - best.columns * kShareWidth * c + c) / 2;
    const int top = area.top + (area.height - best.rows * kShareHeight * c + c) / 2;
    for (int k = 0; k < 12; ++k)
        best.month[k] = {left + k % best.columns * kShareWidth * c, top + k / best.columns * kShareHeight * c, kMonthCells * c, kMonthRows * c};
    return best;
}

Rect yearCellRect(const YearLayout& layout, int month, int cell) {
    const Rect& box = layout.month[month - 1];
    return {box.left + cell / kGridRows * layout.cell, box.top + (2 + cell % kGridRows) * layout.cell, layout.cell, layout.cell};
}

YearHit yearDayAt(const YearLayout& layout, const YearGrids& grids, int x, int y) {
    for (int m = 1; m <= 12 && layout.cell > 0; ++m) {
        const Rect& box = layout.month[m - 1];
        if (!box.contains(x, y)) continue;
        const int column = (x - box.left) / layout.cell, row = (y - box.top) / layout.cell - 2;
        if (row < 0 || row >= kGridRows || column >= kGridColumns) return {};
        const MonthGrid& g = grids.months[m - 1];
        const int cell = cellIndex(column, row);
        return inMonth(g, cell) ? YearHit{m, g.cellDay[cell]} : YearHit{};
    }
    return {};
}

std::vector<PaintOp> planYearPaint(const YearPaintInput& input, TextMeasure& measure) { return Planner(input, measure).run(); }

}  // namespace tavo
