#include "month_layout.h"

#include <algorithm>

namespace tavo {
namespace {

void computeColumns(MonthLayout& l, int w) {
    const int g = w / 7;
    const int h = (w - 2 * g) / 5;
    const int rest = w - 2 * g - 2 * h;
    const int m = rest / 3;
    const int widths[7] = {g, h, m, rest - 2 * m, m, h, g};
    int left = 0;
    for (int c = 0; c < 7; ++c) {
        l.columnWidth[c] = widths[c];
        l.columnLeft[c] = left;
        left += widths[c];
    }
}

void computeRows(MonthLayout& l, int total) {
    const int r = total / 6;
    const int t = (total - 2 * r) / 4;
    const int u = total - 2 * r - 2 * t;
    const int heights[6] = {r, t, u / 2, u - u / 2, t, r};
    int top = 0;
    for (int i = 0; i < 6; ++i) {
        l.rowHeight[i] = heights[i];
        l.rowTop[i] = top;
        top += heights[i];
    }
}

}  // namespace

void computeMonthLayout(MonthLayout& l, int width, int height, BandHeights bands) {
    l.clientWidth = width;
    l.clientHeight = height;
    l.yearMonHeight = bands.yearMon;
    l.weekHeight = bands.week;
    l.buttonBandHeight = bands.buttonBand;
    l.statusBarHeight = bands.statusBar;
    computeColumns(l, width);
    const int fixed = bands.yearMon + bands.buttonBand + bands.statusBar - 1;
    if (fixed >= height) {
        std::fill(std::begin(l.rowHeight), std::end(l.rowHeight), 0);
        l.weekRowOverride = true;
        l.weekRowOverrideHeight = 0;
        return;
    }
    const int b = height - fixed;
    int rest = b - bands.week;
    l.weekRowOverride = !(bands.week < rest / 6);
    if (l.weekRowOverride) {
        l.weekRowOverrideHeight = b / 7;
        rest = b - b / 7;
    }
    computeRows(l, rest);
}

int weekRowHeight(const MonthLayout& l) { return l.weekRowOverride ? l.weekRowOverrideHeight : l.weekHeight; }

int gridTop(const MonthLayout& l) { return l.yearMonHeight + weekRowHeight(l); }

Rect cellRect(const MonthLayout& l, int column, int row) {
    return {l.columnLeft[column], gridTop(l) + l.rowTop[row], l.columnWidth[column], l.rowHeight[row]};
}

Rect weekdayRect(const MonthLayout& l, int column) {
    return {l.columnLeft[column], l.yearMonHeight, l.columnWidth[column], weekRowHeight(l)};
}

Rect yearMonRect(const MonthLayout& l) { return {0, 0, l.clientWidth, l.yearMonHeight}; }

Rect buttonBandRect(const MonthLayout& l) {
    return {0, l.clientHeight - l.buttonBandHeight - l.statusBarHeight, l.clientWidth, l.buttonBandHeight};
}

std::vector<DateButton> dateButtons(const MonthLayout& l, bool monthButtons, bool yearButtons) {
    if (l.buttonBandHeight <= 0) return {};
    const int w = l.clientWidth, y = buttonBandRect(l).top, hb = l.buttonBandHeight;
    const int c0 = l.columnWidth[0], c6 = l.columnWidth[6];
    const int f = c0 * 5 / 2 - 1;
    const int wide = c0 * 5 / 2 + 1;
    auto at = [y, hb](int x, int width) { return Rect{x, y, width, hb}; };
    const DateButton today{ButtonAction::Today, ButtonSymbol::Bar, at(f, w - 2 * f - 1)};
    using A = ButtonAction;
    using S = ButtonSymbol;
    if (monthButtons && yearButtons) {
        return {{A::YearBack, S::DoubleLeftArrow, at(-1, c0 + 1)},
                {A::MonthBack, S::LeftArrow, at(c0 - 1, c0 * 3 / 2 + 1)},
                today,
                {A::MonthForward, S::RightArrow, at(w - c0 * 5 / 2 - 1, c0 * 3 / 2 + 1)},
                {A::YearForward, S::DoubleRightArrow, at(w - c6 - 1, c6 + 1)}};
    }
    if (yearButtons)
        return {{A::YearBack, S::DoubleLeftArrow, at(-1, wide)}, today,
                {A::YearForward, S::DoubleRightArrow, at(w - c0 * 5 / 2 - 1, wide)}};
    if (monthButtons)
        return {{A::MonthBack, S::LeftArrow, at(-1, wide)}, today,
                {A::MonthForward, S::RightArrow, at(w - c0 * 5 / 2 - 1, wide)}};
    return {{A::Today, S::Bar, at(-1, w + 1)}};
}

std::vector<std::vector<Point>> buttonSymbolShapes(ButtonSymbol symbol, const Rect& b) {
    const int ax = b.left + b.width / 2, s = b.height / 3;
    const int yt = b.top + s, yb = b.top + b.height - s, ym = b.top + b.height / 2;
    const int d = std::min(b.width / 2 - 3, b.height / 2);
    switch (symbol) {
        case ButtonSymbol::Bar: return {{{ax - s, yt}, {ax + s, yt}, {ax + s, yb}, {ax - s, yb}}};
        case ButtonSymbol::LeftArrow: return {{{ax - s, ym}, {ax + s, yb}, {ax + s, yt}}};
        case ButtonSymbol::RightArrow: return {{{ax - s, yb}, {ax + s, ym}, {ax - s, yt}}};
        case ButtonSymbol::DoubleLeftArrow:
            return {{{ax - d, ym}, {ax - 1, yb}, {ax - 1, yt}}, {{ax, ym}, {ax + d, yb}, {ax + d, yt}}};
        case ButtonSymbol::DoubleRightArrow:
            return {{{ax + 1, yb}, {ax + d, ym}, {ax + 1, yt}}, {{ax - d, yb}, {ax, ym}, {ax - d, yt}}};
    }
    return {};
}

Band bandAt(const MonthLayout& l, int y) {
    if (y < 0) return Band::None;
    if (y < l.yearMonHeight) return Band::YearMon;
    if (y < gridTop(l)) return Band::WeekdayRow;
    const Rect band = buttonBandRect(l);
    if (l.buttonBandHeight > 0 && y >= band.top && y < band.top + band.height) return Band::Buttons;
    if (y < gridTop(l) + l.rowTop[5] + l.rowHeight[5]) return Band::Grid;
    return Band::None;
}

int columnAt(const MonthLayout& l, int x) {
    for (int c = 0; c < 6; ++c)
        if (l.columnLeft[c + 1] > x) return c;
    return 6;
}

int rowAt(const MonthLayout& l, int y) {
    const int gy = y - gridTop(l);
    if (gy < 0) return -1;
    for (int r = 0; r < 6; ++r)
        if (gy < l.rowTop[r] + l.rowHeight[r]) return r;
    return -1;
}

const DateButton* buttonAt(const std::vector<DateButton>& buttons, int x, int y) {
    for (const DateButton& b : buttons)
        if (b.rect.contains(x, y)) return &b;
    return nullptr;
}

}  // namespace tavo
