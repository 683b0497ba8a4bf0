#include "month_painter.h"

#include <algorithm>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holiday_table.h"
#include "high_contrast.h"
#include "shared/dpi.h"
#include "shared/date_math.h"

namespace tavo {
namespace {

class Planner {
public:
    Planner(const MonthPaintInput& in, TextMeasure& measure)
        : in_(in), g_(in.grid), l_(in.layout), d_(in.design), measure_(measure),
          suppressed_(in.style.transparent != 0 || in.style.wallpaper != 0) {
        findSelectedCell();
    }

    std::vector<PaintOp> run() {
        if (in_.style.todayButton) buttons();
        if (!suppressed_) fill({kYearMon, 0, DesignRole::Fill, kNormal}, yearMonRect(l_));
        weekdayFills();
        if (!suppressed_) otherMonthFills();
        if (selected_ >= 0) fill(cellKey(selected_, DesignRole::Fill, kSelected), rectOf(selected_));
        if (!suppressed_) {
            plainFills();
            forEachCell([this](int cell) {
                if (isSpecial(cell)) fill(cellKey(cell, DesignRole::Fill, kNormal), rectOf(cell));
            });
            relief(kYearMon, 0, kNormal, yearMonRect(l_));
        }
        weekdayReliefs();
        cellReliefs();
        dayOffFrames();
        if (in_.hatchForecasts && provisionalHoliday(g_.year)) forecastHatching();
        captionText();
        weekdayNames();
        cellTexts();
        return std::move(ops_);
    }

private:
    // --- cells ---
    void findSelectedCell() {
        for (int c = 0; c < kGridColumns && selected_ < 0; ++c)
            for (int r = 0; r < kGridRows; ++r)
                if (g_.cellDay[cellIndex(c, r)] == in_.selectedDay) {
                    selected_ = cellIndex(c, r);
                    break;
                }
    }
    bool inMonth(int cell) const { return g_.cellDay[cell] > 0 && g_.cellDay[cell] < kOtherMonth; }
    bool isPlain(int cell) const {
        return inMonth(cell) && cell != selected_ && g_.cellKind[cell] <= 2 && g_.cellMark[cell] == 0;
    }
    bool isSpecial(int cell) const {
        return inMonth(cell) && cell != selected_ && (g_.cellKind[cell] >= 3 || g_.cellMark[cell] != 0);
    }
    int partOf(int cell) const { return g_.cellMark[cell] ? kHaveSchedule : kNoSchedule; }
    int columnKind(int column) const {
        const int w = weekdayOfColumn(column, g_.weekStart);
        return w == 0 ? 1 : (w == 6 ? 2 : 0);
    }
    DesignKey cellKey(int cell, DesignRole role, DesignState state) const {
        return {partOf(cell), g_.cellKind[cell], role, state};
    }
    Rect rectOf(int cell) const { return cellRect(l_, cell / kGridRows, cell % kGridRows); }
    template <class F>
    void forEachCell(F f) const {
        for (int cell = 0; cell < kGridCells; ++cell) f(cell);
    }
    int columnRun(int k) const { return k < 7 ? l_.columnLeft[k] : l_.clientWidth; }
    int rowRun(int k) const { return k < 6 ? l_.rowTop[k] : l_.rowTop[5] + l_.rowHeight[5]; }
    Rect rowRect(int row, int left, int width) const {
        return {left, gridTop(l_) + l_.rowTop[row], width, l_.rowHeight[row]};
    }

    // --- primitives ---
    void fill(DesignKey key, Rect r) {
        if (r.width <= 0 || r.height <= 0) return;
        PaintOp op(PaintOpKind::FillRect, key);
        op.rect = r;
        ops_.push_back(std::move(op));
    }
    void polyline(DesignKey key, std::vector<Point> points) {
        PaintOp op(PaintOpKind::Polyline, key);
        op.points = std::move(points);
        ops_.push_back(std::move(op));
    }
    void relief(int part, int dayKind, DesignState state, Rect r) {
        for (EdgeStroke& s : reliefStrokes(r, d_.relief[part][state])) {
            const DesignRole role =
                s.pen == EdgePen::Light ? DesignRole::Light : (s.pen == EdgePen::Shadow ? DesignRole::Shadow : DesignRole::Dark);
            polyline({part, dayKind, role, state}, std::move(s.points));
        }
    }
    void text(FontKey font, DesignKey colour, int x, int y, std::string s) {
        PaintOp op(PaintOpKind::Text, colour);
        op.font = font;
        op.x = x;
        op.y = y;
        op.text = std::move(s);
        ops_.push_back(std::move(op));
    }
    int offset(int part, DesignState state) const { return reliefTextOffset(d_.relief[part][state]); }

    // --- steps ---
    void buttons() {
        for (const DateButton& b : dateButtons(l_, in_.style.monthButtons != 0, in_.style.yearButtons != 0)) {
            const Rect r = b.rect;
            PaintOp face(PaintOpKind::ButtonFace, {kButton, 0, DesignRole::Fill, kNormal});
            face.rect = {r.left + 1, r.top + 1, r.width - 1, r.height - 1};
            ops_.push_back(face);
        }
        for (const DateButton& b : dateButtons(l_, in_.style.monthButtons != 0, in_.style.yearButtons != 0)) {
            const int x = b.rect.left, y = b.rect.top, w = b.rect.width, h = b.rect.height;
            polyline({kButton, 0, DesignRole::Shadow, kNormal}, {{x + w - 2, y + 1}, {x + w - 2, y + h - 2}, {x + 1, y + h - 2}});
        }
        for (const DateButton& b : dateButtons(l_, in_.style.monthButtons != 0, in_.style.yearButtons != 0)) {
            const int x = b.rect.left, y = b.rect.top, w = b.rect.width, h = b.rect.height;
            polyline({kButton, 0, DesignRole::Light, kNormal}, {{x + w - 2, y + 1}, {x + 1, y + 1}, {x + 1, y + h - 1}});
        }
        for (const DateButton& b : dateButtons(l_, in_.style.monthButtons != 0, in_.style.yearButtons != 0)) {
            for (std::vector<Point>& shape : buttonSymbolShapes(b.symbol, b.rect)) {
                PaintOp op(PaintOpKind::Polygon, {kButton, 0, DesignRole::Text, kNormal});
                op.points = std::move(shape);
                ops_.push_back(std::move(op));
            }
        }
    }

    Rect headerRect(int column, int span = 1) const {
        const int width = span == 1 ? l_.columnWidth[column] : span;
        return {l_.columnLeft[column], l_.yearMonHeight, width, weekRowHeight(l_)};
    }

    void weekdayFills() {
        const int sw = in_.selectedWeekday, ws = g_.weekStart;
        const int sunday = columnOfWeekday(0, ws), monday = columnOfWeekday(1, ws), saturday = columnOfWeekday(6, ws);
        if (sw == 0) fill({kWeek, 1, DesignRole::Fill, kSelected}, headerRect(sunday));
        else if (!suppressed_) fill({kWeek, 1, DesignRole::Fill, kNormal}, headerRect(sunday));
        const bool workday = sw >= 1 && sw <= 5;
        if (workday) fill({kWeek, 0, DesignRole::Fill, kSelected}, headerRect(columnOfWeekday(sw, ws)));
        if (!suppressed_) {
            const DesignKey normal{kWeek, 0, DesignRole::Fill, kNormal};
            if (workday) {
                fill(normal, {l_.columnLeft[monday], l_.yearMonHeight, columnRun(sw - 1), weekRowHeight(l_)});
                const int after = columnOfWeekday(sw, ws) + 1;
                if (after < 7) fill(normal, {l_.columnLeft[after], l_.yearMonHeight, columnRun(5 - sw), weekRowHeight(l_)});
            } else {
                fill(normal, {l_.columnLeft[monday], l_.yearMonHeight, columnRun(5), weekRowHeight(l_)});
            }
        }
        if (sw == 6) fill({kWeek, 2, DesignRole::Fill, kSelected}, headerRect(saturday));
        else if (!suppressed_) fill({kWeek, 2, DesignRole::Fill, kNormal}, headerRect(saturday));
    }

    void otherMonthFills() {
        const DesignKey key{kBackgroundPart, 0, DesignRole::Fill, kNormal};
        const int n = monthLengthOf(g_.year, g_.month);
        const int c1 = g_.dayCell[1].column, cl = g_.dayCell[n].column;
        const bool previousWeek = c1 == 0 && in_.style.firstWeekIsThisMonth == 0;
        const int w = l_.clientWidth;
        fill(key, rowRect(0, 0, previousWeek ? w : columnRun(c1)));
        auto restOfRow = [&](int row) {
            if (cl < 6) fill(key, rowRect(row, l_.columnLeft[cl + 1], columnRun(6 - cl)));
        };
        if (c1 + n > 35) {
            restOfRow(5);
            return;
        }
        const int last = previousWeek ? 5 : 4;
        if (cl != 6) restOfRow(last);
        else if (n == 28) fill(key, rowRect(last, 0, w));
        if (!previousWeek) fill(key, rowRect(5, 0, w));
    }

    void plainFills() {
        for (int c = 0; c < kGridColumns; ++c) {
            const DesignKey key{kNoSchedule, columnKind(c), DesignRole::Fill, kNormal};
            for (int r = 0; r < kGridRows;) {
                if (!isPlain(cellIndex(c, r))) {
                    ++r;
                    continue;
                }
                int k = 1;
                while (r + k < kGridRows && isPlain(cellIndex(c, r + k))) ++k;
                fill(key, {l_.columnLeft[c], gridTop(l_) + l_.rowTop[r], l_.columnWidth[c], rowRun(k)});
                r += k;
            }
        }
    }

    void weekdayReliefs() {
        const int selectedColumn = columnOfWeekday(in_.selectedWeekday, g_.weekStart);
        relief(kWeek, columnKind(selectedColumn), kSelected, headerRect(selectedColumn));
        if (suppressed_) return;
        for (int c = 0; c < kGridColumns; ++c)
            if (c != selectedColumn) relief(kWeek, columnKind(c), kNormal, headerRect(c));
    }

    void cellReliefs() {
        if (!suppressed_)
            forEachCell([this](int cell) {
                if (!inMonth(cell)) relief(kBackgroundPart, 0, kNormal, rectOf(cell));
            });
        if (selected_ >= 0) relief(partOf(selected_), g_.cellKind[selected_], kSelected, rectOf(selected_));
        if (suppressed_) return;
        forEachCell([this](int cell) {
            if (isPlain(cell)) relief(kNoSchedule, columnKind(cell / kGridRows), kNormal, rectOf(cell));
        });
        forEachCell([this](int cell) {
            if (isSpecial(cell)) relief(partOf(cell), g_.cellKind[cell], kNormal, rectOf(cell));
        });
    }

    void dayOffFrames() {
        forEachCell([this](int cell) {
            if (!inMonth(cell) || !isDayOff(in_.dayOff, g_.month, g_.cellDay[cell])) return;
            const Rect r = rectOf(cell);
            const int part = g_.cellClosed[cell] ? kNormline : kHoliline;
            const int x = r.left, y = r.top, w = r.width, h = r.height;
            const int width = frameWidth(), in = kMargin + width / 2;  // just inside the relief, clear of the texts
            polyline({part, 0, DesignRole::Text, kNormal},
                     {{x + in, y + in}, {x + w - in - 1, y + in}, {x + w - in - 1, y + h - in - 1}, {x + in, y + h - in - 1},
                      {x + in, y + in}});
            ops_.back().lineWidth = width;
        });
    }

    // Thin lines rising to the right across a holiday that is only forecast,
    // in the shade of the cell's own fill: the day's number stays legible.
    void forecastHatching() {
        const int step = scaleToDpi(5, in_.dpi);
        forEachCell([&](int cell) {
            if (!inMonth(cell) || (g_.cellKind[cell] != 3 && g_.cellKind[cell] != 4)) return;
            const DesignKey shade{partOf(cell), g_.cellKind[cell], DesignRole::Shadow, cell == selected_ ? kSelected : kNormal};
            const Rect r = rectOf(cell);
            const int right = r.left + r.width - 1, bottom = r.top + r.height - 1;
            for (int k = step; k < r.width + r.height - 1; k += step) {  // the line x + (bottom - y) = left + k
                const Point a{r.left + std::max(0, k - (r.height - 1)), bottom - std::min(k, r.height - 1)};
                const Point b{std::min(r.left + k, right), bottom - std::max(0, k - (r.width - 1))};
                polyline(shade, {a, b});
            }
        });
    }

    // --- texts ---
    static constexpr int kLegibleKanji = 12;  // pixels at 96 DPI: smaller, 赤口 reads like 恭口
    static constexpr int kMargin = 2;  // relief line and the one-pixel relief shift
    int frameWidth() const { return scaleToDpi(1, in_.dpi); }
    // A cell's texts keep clear of the relief and of a day-off frame inside it.
    int cellInset() const { return kMargin + frameWidth() + scaleToDpi(1, in_.dpi); }

    FontKey fitting(FontKey font, const std::vector<std::string>& texts, int maxWidth, int maxHeight) {
        return fittingFont(measure_, font, texts, maxWidth, maxHeight);
    }

    void captionText() {
        const int t = l_.yearMonHeight, w = l_.clientWidth;
        const FontKey font = fitting({kYearMon, kNormal}, {in_.caption}, w - 2 * kMargin, t - 2 * kMargin);
        if (!drawable(font)) return;
        const TextSize size = measure_.measure(font, in_.caption);
        text(font, {kYearMon, 0, DesignRole::Text, kNormal}, (w - size.width) / 2, (t - size.height) / 2, in_.caption);
    }

    void weekdayNames() {
        int narrowest = l_.clientWidth;
        for (int c = 0; c < kGridColumns; ++c) narrowest = std::min(narrowest, static_cast<int>(l_.columnWidth[c]));
        const std::vector<std::string> names(in_.weekdayNames, in_.weekdayNames + 7);
        const int k = weekRowHeight(l_);
        const int selectedColumn = columnOfWeekday(in_.selectedWeekday, g_.weekStart);
        for (DesignState state : {kSelected, kNormal}) {
            const FontKey font = fitting({kWeek, state}, names, narrowest - 2 * kMargin, k - 2 * kMargin);
            if (!drawable(font)) continue;
            for (int c = 0; c < kGridColumns; ++c)
                if ((c == selectedColumn) == (state == kSelected)) weekdayName(c, font);
        }
    }

    void weekdayName(int column, FontKey font) {
        const std::string& name = in_.weekdayNames[weekdayOfColumn(column, g_.weekStart)];
        const TextSize size = measure_.measure(font, name);
        const int shift = font.state == kSelected ? offset(kWeek, kSelected) : -1;
        text(font, {kWeek, columnKind(column), DesignRole::Text, font.state},
             l_.columnLeft[column] + (l_.columnWidth[column] - size.width) / 2 + shift,
             l_.yearMonHeight + (weekRowHeight(l_) - size.height) / 2 + shift, name);
    }

    // The sizes every cell's texts share: fitted to the smallest cell.
    struct CellFonts {
        FontKey day[kDesignParts][2];
        FontKey rokuyo{kRokuyou, kNormal, -1};
        int rokuyoHeight = 0;
    };

    Rect smallestCellInside() const {
        int width = l_.clientWidth, height = l_.clientHeight;
        for (int c = 0; c < kGridColumns; ++c) width = std::min(width, static_cast<int>(l_.columnWidth[c]));
        for (int r = 0; r < kGridRows; ++r) height = std::min(height, static_cast<int>(l_.rowHeight[r]));
        return {0, 0, width - 2 * cellInset(), height - 2 * cellInset()};
    }

    std::vector<std::string> dayLabels() const {
        std::vector<std::string> labels;
        for (int cell = 0; cell < kGridCells; ++cell)
            if (g_.cellDay[cell] != 0) labels.emplace_back(g_.cellDayText[cell]);
        return labels;
    }

    static constexpr std::pair<int, DesignState> kDayFonts[] = {{kBackgroundPart, kNormal}, {kNoSchedule, kNormal},
                                                               {kHaveSchedule, kNormal}, {kNoSchedule, kSelected},
                                                               {kHaveSchedule, kSelected}};

    void fitDays(CellFonts& f, const std::vector<std::string>& labels, int width, int height) {
        for (const auto& [part, state] : kDayFonts) f.day[part][state] = fitting({part, state}, labels, width, height);
    }

    int daysHeight(const CellFonts& f, const std::vector<std::string>& labels) {
        int height = 0;
        for (const auto& [part, state] : kDayFonts)
            if (drawable(f.day[part][state]))
                for (const std::string& label : labels) height = std::max(height, measure_.measure(f.day[part][state], label).height);
        return height;
    }

    // The rokuyo keeps a legible size (its own when larger) and the day number
    // takes the rest; when the day number would fall below legible too, both
    // shrink in the design's proportion, and below a legible size the rokuyo
    // is left out and the day number has the cell to itself.
    CellFonts cellFonts() {
        CellFonts f;
        const Rect inside = smallestCellInside();
        const std::vector<std::string> labels = dayLabels();
        const std::vector<std::string> names = rokuyoSamples();
        const bool rokuyo = in_.style.rokuyo && g_.rokuyoShown;
        int dayNatural = 0;
        for (const auto& [part, state] : kDayFonts) dayNatural = std::max(dayNatural, measure_.measure({part, state}, "88").height);
        const int minimum = scaleToDpi(kLegibleKanji, in_.dpi);
        const int rokuyoNatural = rokuyo ? measure_.measure({kRokuyou, kNormal}, names.front()).height : 0;
        const int rokuyoWanted = std::max(rokuyoNatural, minimum);
        int dayRoom = inside.height;
        if (rokuyo && dayNatural + rokuyoWanted > inside.height)
            dayRoom = inside.height - rokuyoWanted >= minimum ? inside.height - rokuyoWanted
                                                              : inside.height * dayNatural / (dayNatural + rokuyoWanted);
        fitDays(f, labels, inside.width, dayRoom);
        if (rokuyo) {
            const int room = inside.height - daysHeight(f, labels);
            const FontKey wanted{kRokuyou, kNormal, rokuyoNatural < minimum ? minimum : 0};
            if (room >= minimum) f.rokuyo = fitting(wanted, names, inside.width, room);
            if (drawable(f.rokuyo)) f.rokuyoHeight = measure_.measure(f.rokuyo, names.front()).height;
            if (f.rokuyoHeight < minimum) {
                f.rokuyo.height = -1;
                f.rokuyoHeight = 0;
            }
        }
        if (f.rokuyoHeight == 0 && dayRoom < inside.height) fitDays(f, labels, inside.width, inside.height);
        return f;
    }

    std::vector<std::string> rokuyoSamples() const {
        std::vector<std::string> names;
        for (int cell = 0; cell < kGridCells; ++cell)
            if (g_.cellDay[cell] != 0 && g_.cellRokuyo[cell][0] != '\0')
                names.push_back(std::string(g_.cellRokuyo[cell]).substr(0, 4));
        if (names.empty()) names.emplace_back("    ");
        return names;
    }

    void cellTexts() {
        const CellFonts f = cellFonts();
        if (drawable(f.rokuyo)) rokuyoNames(f);
        dayNumbers(f);
    }

    void rokuyoNames(const CellFonts& f) {
        auto draw = [&](int cell, DesignKey colour, int shift) {
            const Rect r = rectOf(cell);
            const std::string name = std::string(g_.cellRokuyo[cell]).substr(0, 4);
            text(f.rokuyo, colour, r.left + cellInset() + shift, r.top + r.height - cellInset() - f.rokuyoHeight + shift, name);
        };
        for (int cell = 0; cell < kGridCells; ++cell) {
            if (inMonth(cell) || g_.cellDay[cell] == 0) continue;
            draw(cell, {kBackgroundPart, 0, DesignRole::Text, kNormal}, offset(kBackgroundPart, kNormal));
        }
        forEachCell([&](int cell) {
            if (!inMonth(cell)) return;
            const DesignState state = cell == selected_ ? kSelected : kNormal;
            draw(cell, {kRokuyou, 0, DesignRole::Text, kNormal}, offset(partOf(cell), state));
        });
    }

    void dayNumber(int cell, FontKey font, DesignKey colour, int shift, int rokuyoHeight) {
        if (!drawable(font)) return;
        const std::string label = g_.cellDayText[cell];
        const TextSize size = measure_.measure(font, label);
        const Rect r = rectOf(cell);
        const int room = r.height - 2 * cellInset() - rokuyoHeight;
        const int x = r.left + (r.width - size.width) / 2 + shift, y = r.top + cellInset() + (room - size.height) / 2 + shift;
        text(font, colour, x, y, label);
        if (in_.markKinds && inMonth(cell)) kindMarks(cell, colour, {x, y, size.width, size.height});
    }

    void kindMarks(int cell, DesignKey colour, Rect number) {
        const int width = scaleToDpi(2, in_.dpi);
        const KindMarks marks{rectOf(cell), number, isRestDayKind(g_.cellKind[cell]), g_.cellMark[cell] != 0, width, kMargin, in_.dpi};
        for (std::vector<Point>& points : kindMarkStrokes(marks)) {
            polyline(colour, std::move(points));
            ops_.back().lineWidth = width;
        }
    }

    void dayNumbers(const CellFonts& f) {
        for (int cell = 0; cell < kGridCells; ++cell) {
            if (inMonth(cell)) continue;
            if (g_.cellDay[cell] == 0) break;
            dayNumber(cell, f.day[kBackgroundPart][kNormal], {kBackgroundPart, 0, DesignRole::Text, kNormal},
                      offset(kBackgroundPart, kNormal), f.rokuyoHeight);
        }
        if (selected_ >= 0) {
            const int part = partOf(selected_);
            dayNumber(selected_, f.day[part][kSelected], cellKey(selected_, DesignRole::Text, kSelected),
                      offset(part, kSelected), f.rokuyoHeight);
        }
        forEachCell([&](int cell) {
            if (isPlain(cell))
                dayNumber(cell, f.day[kNoSchedule][kNormal], {kNoSchedule, columnKind(cell / kGridRows), DesignRole::Text, kNormal},
                          offset(kNoSchedule, kNormal), f.rokuyoHeight);
        });
        forEachCell([&](int cell) {
            if (isSpecial(cell))
                dayNumber(cell, f.day[partOf(cell)][kNormal], cellKey(cell, DesignRole::Text, kNormal),
                          offset(partOf(cell), kNormal), f.rokuyoHeight);
        });
    }

    const MonthPaintInput& in_;
    const MonthGrid& g_;
    const MonthLayout& l_;
    const DesignSet& d_;
    TextMeasure& measure_;
    const bool suppressed_;
    int selected_ = -1;
    std::vector<PaintOp> ops_;
};

}  // namespace

BandHeights scaledBandHeights(const DesignSet& d, const WindowStyle& style, int statusBarHeight, int dpi) {
    return {scaleToDpi(d.height[kYearMon], dpi), scaleToDpi(d.height[kWeek], dpi),
            style.todayButton ? scaleToDpi(d.height[kButton], dpi) : 0, style.statusBar ? statusBarHeight : 0};
}

FontSize monthFontSize(const DesignSet& design, const MonthLayout& l, int part, DesignState state) {
    if (part == kYearMon) return designFontSize(design, part, state, l.yearMonHeight, l.yearMonHeight);
    if (part == kWeek) return designFontSize(design, part, state, weekRowHeight(l), weekRowHeight(l));
    return designFontSize(design, part, state, l.rowHeight[0], l.columnWidth[0]);
}

int reliefTextOffset(int relief) { return relief == kRaised ? -1 : (relief == kSunken ? 1 : 0); }

std::vector<PaintOp> planMonthPaint(const MonthPaintInput& input, TextMeasure& measure) {
    return Planner(input, measure).run();
}

}  // namespace tavo
