#include "print_pages.h"

#include <algorithm>
#include <cmath>

#include "calendar/calc/closed_days.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/era.h"
#include "year_view.h"

namespace tavo {
namespace {

constexpr PaperSize kPapers[kPaperCount] = {{2100, 2970}, {2970, 4200}, {1820, 2570}, {2570, 3640}, {2159, 2794}};
constexpr const char* kPaperNames[kPaperCount] = {"A4", "A3", "B5", "B4", "Letter"};

// The longest start of a text, at a character's end, that fits the width.
std::string fittingStart(TextMeasure& measure, FontKey font, const std::string& text, int width) {
    if (measure.measure(font, text).width <= width) return text;
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size();) {
        i += isCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        ends.push_back(i);
    }
    std::size_t low = 0, high = ends.size();  // ends[k - 1] fits for k <= low
    while (low < high) {
        const std::size_t k = (low + high + 1) / 2;
        if (measure.measure(font, text.substr(0, ends[k - 1])).width <= width) low = k;
        else high = k - 1;
    }
    return low == 0 ? std::string() : text.substr(0, ends[low - 1]);
}

// Operations in order, with the primitives the pages share.
class PageOps {
public:
    PageOps(TextMeasure& measure, int dpi) : measure_(measure), dpi_(dpi) {}
    std::vector<PaintOp> take() { return std::move(ops_); }

    void fill(DesignKey key, Rect r) {
        PaintOp op(PaintOpKind::FillRect, key);
        op.rect = r;
        ops_.push_back(std::move(op));
    }
    void line(DesignKey key, Point a, Point b) {
        PaintOp op(PaintOpKind::Polyline, key);
        op.points = {a, b};
        op.lineWidth = deviceUnits(0.15, dpi_);  // a hairline never thinner than 0.1 mm
        ops_.push_back(std::move(op));
    }
    // A text at (x, y), cut at a character's end to the width; returns its size.
    TextSize text(FontKey font, DesignKey colour, int x, int y, const std::string& text, int width) {
        if (!drawable(font) || width <= 0) return {0, 0};
        PaintOp op(PaintOpKind::Text, colour);
        op.font = font;
        op.x = x;
        op.y = y;
        op.text = fittingStart(measure_, font, text, width);
        const TextSize size = measure_.measure(font, op.text);
        if (!op.text.empty()) ops_.push_back(std::move(op));
        return size;
    }
    void centred(FontKey font, DesignKey colour, Rect box, const std::string& s) {
        const TextSize size = measure_.measure(font, fittingStart(measure_, font, s, box.width));
        text(font, colour, box.left + (box.width - size.width) / 2, box.top + (box.height - size.height) / 2, s, box.width);
    }
    FontKey fitted(FontKey font, const std::vector<std::string>& texts, int width, int height) {
        return fittingFont(measure_, font, texts, width, height);
    }
    int mm(double millimetres) const { return deviceUnits(millimetres, dpi_); }

private:
    TextMeasure& measure_;
    int dpi_;
    std::vector<PaintOp> ops_;
};

int columnKind(const MonthGrid& g, int column) {
    const int w = weekdayOfColumn(column, g.weekStart);
    return w == 0 ? 1 : (w == 6 ? 2 : 0);
}

class MonthPage {
public:
    MonthPage(const MonthPageInput& in, Rect area, TextMeasure& measure) : in_(in), g_(in.grid), a_(area), ops_(measure, in.dpi) {
        titleHeight_ = a_.height * 6 / 100;
        weekHeight_ = a_.height * 4 / 100;
        gridTop_ = a_.top + titleHeight_ + weekHeight_;
        gridHeight_ = a_.height - titleHeight_ - weekHeight_;
    }

    std::vector<PaintOp> run() {
        ops_.centred(ops_.fitted({kYearMon, kNormal, titleHeight_ * 7 / 10}, {in_.caption}, a_.width, titleHeight_),
                     {kYearMon, 0, DesignRole::Text, kNormal}, {a_.left, a_.top, a_.width, titleHeight_}, in_.caption);
        weekdays();
        const Fonts fonts = cellFonts();
        for (int cell = 0; cell < kGridCells; ++cell)
            if (g_.cellDay[cell] > 0 && g_.cellDay[cell] < kOtherMonth) day(cell, fonts);
        gridLines();
        return ops_.take();
    }

private:
    struct Fonts {
        FontKey number, name, rokuyo, line;
        int lineHeight;
    };

    Rect cell(int column, int row) const {
        const int left = a_.left + a_.width * column / 7, right = a_.left + a_.width * (column + 1) / 7;
        const int top = gridTop_ + gridHeight_ * row / 6, bottom = gridTop_ + gridHeight_ * (row + 1) / 6;
        return {left, top, right - left, bottom - top};
    }

    void weekdays() {
        const FontKey font = ops_.fitted({kWeek, kNormal, weekHeight_ * 3 / 4}, {in_.weekdayNames, in_.weekdayNames + 7}, a_.width / 7 - ops_.mm(1),
                                         weekHeight_);
        for (int c = 0; c < kGridColumns; ++c) {
            const Rect r = cell(c, 0);
            const Rect band{r.left, a_.top + titleHeight_, r.width, weekHeight_};
            ops_.fill({kWeek, columnKind(g_, c), DesignRole::Fill, kNormal}, band);
            ops_.centred(font, {kWeek, columnKind(g_, c), DesignRole::Text, kNormal}, band, in_.weekdayNames[weekdayOfColumn(c, g_.weekStart)]);
        }
    }

    Fonts cellFonts() {
        const int rowHeight = gridHeight_ / 6;
        const int number = std::min(rowHeight * 22 / 100, ops_.mm(7));
        const int lineHeight = std::clamp(rowHeight / 7, ops_.mm(3), ops_.mm(4.5));
        return {{kNoSchedule, kNormal, number}, {kNoSchedule, kNormal, std::min(number * 6 / 10, ops_.mm(3.5))}, {kRokuyou, kNormal, number / 2},
                {kHaveSchedule, kNormal, lineHeight * 85 / 100}, lineHeight};
    }

    void day(int index, const Fonts& f) {
        const int d = g_.cellDay[index];
        const Rect r = cell(index / kGridRows, index % kGridRows);
        const bool special = g_.cellKind[index] >= 3 || g_.cellMark[index] != 0;
        const int part = g_.cellMark[index] ? kHaveSchedule : kNoSchedule;
        const DesignKey fill{part, special ? g_.cellKind[index] : columnKind(g_, index / kGridRows), DesignRole::Fill, kNormal};
        const DesignKey ink{fill.part, fill.dayKind, DesignRole::Text, kNormal};
        ops_.fill(fill, r);
        const int m = ops_.mm(1), inner = r.width - 2 * m;
        const TextSize number = ops_.text({part, kNormal, f.number.height}, ink, r.left + m, r.top + m, g_.cellDayText[index], inner);
        const std::string rokuyo = std::string(g_.cellRokuyo[index]).substr(0, 4);
        if (rokuyo != "    ") ops_.text(f.rokuyo, {kRokuyou, 0, DesignRole::Text, kNormal}, r.left + r.width - m - inner / 4,
                                    r.top + m, rokuyo, inner / 4);
        const PrintedDay& printed = in_.days[d];
        int top = r.top + m + number.height;
        if (!printed.name.empty()) {  // under the number: a holiday's name is often wider than the room beside it
            ops_.text(f.name, ink, r.left + m, top, printed.name, inner);
            top += f.name.height;
        }
        if (isDayOff(in_.dayOff, g_.month, d)) {
            ops_.text(f.name, ink, r.left + m, top, "休み", inner);
            top += f.name.height;
        }
        lines(printed.lines, ink, f, {r.left + m, top + m, inner, r.top + r.height - m - (top + m)});
    }

    // As many lines as fit; when some do not, the last place counts them.
    void lines(const std::vector<std::string>& all, DesignKey ink, const Fonts& f, Rect box) {
        const int fit = std::max(box.height / f.lineHeight, 0);
        const int count = static_cast<int>(all.size());
        const int shown = count <= fit ? count : std::max(fit - 1, 0);
        for (int i = 0; i < shown; ++i) ops_.text(f.line, ink, box.left, box.top + i * f.lineHeight, all[static_cast<std::size_t>(i)], box.width);
        if (shown < count && fit > 0)
            ops_.text(f.line, ink, box.left, box.top + shown * f.lineHeight, "他" + std::to_string(count - shown) + "件", box.width);
    }

    void gridLines() {
        const DesignKey key{kBackgroundPart, 0, DesignRole::Dark, kNormal};
        const int top = a_.top + titleHeight_, right = a_.left + a_.width, bottom = gridTop_ + gridHeight_;
        ops_.line(key, {a_.left, top}, {right, top});
        for (int r = 0; r <= 6; ++r) ops_.line(key, {a_.left, gridTop_ + gridHeight_ * r / 6}, {right, gridTop_ + gridHeight_ * r / 6});
        for (int c = 0; c <= 7; ++c) ops_.line(key, {a_.left + a_.width * c / 7, top}, {a_.left + a_.width * c / 7, bottom});
    }

    const MonthPageInput& in_;
    const MonthGrid& g_;
    const Rect a_;
    PageOps ops_;
    int titleHeight_, weekHeight_, gridTop_, gridHeight_;
};

}  // namespace

PaperSize paperSize(Paper paper) { return kPapers[std::clamp(static_cast<int>(paper), 0, kPaperCount - 1)]; }
const char* paperName(Paper paper) { return kPaperNames[std::clamp(static_cast<int>(paper), 0, kPaperCount - 1)]; }

int deviceUnits(double millimetres, int dpi) { return std::max(1, static_cast<int>(std::lround(millimetres * dpi / 25.4))); }

Sheet wholeSheet(Paper paper, bool landscape, int dpi) {
    const PaperSize size = paperSize(paper);
    int width = static_cast<int>(std::lround(size.width * static_cast<double>(dpi) / 254.0));
    int height = static_cast<int>(std::lround(size.height * static_cast<double>(dpi) / 254.0));
    if (landscape) std::swap(width, height);
    return {width, height, {0, 0, width, height}, dpi};
}

Rect contentArea(const Sheet& sheet, int marginMillimetres) {
    const int m = marginMillimetres > 0 ? deviceUnits(marginMillimetres, sheet.dpi) : 0;
    const Rect& p = sheet.printable;
    const int left = std::max(m, p.left), top = std::max(m, p.top);
    const int right = std::min(sheet.width - m, p.left + p.width), bottom = std::min(sheet.height - m, p.top + p.height);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

std::vector<PaintOp> planMonthPage(const MonthPageInput& input, Rect area, TextMeasure& measure) { return MonthPage(input, area, measure).run(); }

void printedDaysOf(const RangeList& list, const MonthGrid& grid, const ClosedDays& closedDays, PrintedDay (&days)[32]) {
    const int first = serialDayOf(grid.year, grid.month, 1), length = monthLengthOf(grid.year, grid.month);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int day = list.serial(i) - first + 1;
        if (day >= 1 && day <= length && !list.line(i).header) days[day].lines.push_back(expandTabs(list.line(i).text));
    }
    for (int d = 1; d <= length; ++d) days[d].name = dayNameOf(closedDays, dayDate(grid.year, grid.month, d));
}

std::vector<PaintOp> planYearPage(const YearGrids& grids, const DesignSet& design, const std::string* weekdayNames, const std::string& title,
                                  Rect area, int dpi, TextMeasure& measure) {
    PageOps ops(measure, dpi);
    const int titleHeight = area.height * 7 / 100;
    const Rect band{area.left, area.top, area.width, titleHeight};
    ops.centred(ops.fitted({kYearMon, kNormal, titleHeight * 7 / 10}, {title}, area.width, titleHeight), {kYearMon, 0, DesignRole::Text, kNormal},
                band, title);
    std::vector<PaintOp> page = ops.take();
    const YearLayout layout = layoutYear({area.left, area.top + titleHeight, area.width, area.height - titleHeight});
    std::string months[12];
    for (int m = 1; m <= 12; ++m) months[m - 1] = std::to_string(m) + "月";
    const YearPaintInput input{grids, layout, design, months, weekdayNames, {}, {}, dpi, deviceUnits(0.3, dpi), layout.cell};
    for (PaintOp& op : planYearPaint(input, measure)) page.push_back(std::move(op));
    return page;
}

std::vector<std::vector<PaintOp>> planRangePages(const RangeList& list, const std::string& title, Rect area, int dpi, TextMeasure& measure) {
    std::vector<std::vector<PaintOp>> pages;
    PageOps probe(measure, dpi);
    const int lineHeight = probe.mm(5.5), band = probe.mm(9), foot = probe.mm(7);
    const int perPage = std::max((area.height - band - foot) / lineHeight, 1);
    const std::size_t count = std::max<std::size_t>((list.size() + static_cast<std::size_t>(perPage) - 1) / static_cast<std::size_t>(perPage), 1);
    const FontKey header{kSchDate, kNormal, lineHeight * 8 / 10}, data{kSchData, kNormal, lineHeight * 75 / 100};
    for (std::size_t page = 0; page < count; ++page) {
        PageOps ops(measure, dpi);
        ops.text({kSchDate, kNormal, band * 6 / 10}, {kSchDate, 0, DesignRole::Text, kNormal}, area.left, area.top, title, area.width);
        for (int k = 0; k < perPage; ++k) {
            const std::size_t i = page * static_cast<std::size_t>(perPage) + static_cast<std::size_t>(k);
            if (i >= list.size()) break;
            const RangeLine line = list.line(i);
            const int y = area.top + band + k * lineHeight;
            if (line.header) {
                ops.fill({kSchDate, line.dayKind, DesignRole::Fill, kNormal}, {area.left, y, area.width, lineHeight});
                ops.text(header, {kSchDate, line.dayKind, DesignRole::Text, kNormal}, area.left + probe.mm(1), y + (lineHeight - header.height) / 2,
                         std::string(line.text), area.width - probe.mm(2));
            } else {
                ops.text(data, {kSchData, 0, DesignRole::Text, kNormal}, area.left + probe.mm(6), y + (lineHeight - data.height) / 2,
                         expandTabs(line.text), area.width - probe.mm(7));
            }
        }
        const std::string number = std::to_string(page + 1) + " / " + std::to_string(count);
        ops.centred({kSchData, kNormal, foot * 6 / 10}, {kSchData, 0, DesignRole::Text, kNormal},
                    {area.left, area.top + area.height - foot, area.width, foot}, number);
        pages.push_back(ops.take());
    }
    return pages;
}

std::vector<std::vector<PaintOp>> planPrintJob(const PrintRequest& r, const DataSources& sources, const DesignSet& design, Rect area,
                                               int dpi, TextMeasure& measure) {
    if (r.what == PrintWhat::Range) {
        const RangeList list = collectRange({r.year, r.month, r.day, r.range, r.grid.mondayFirst, false, r.rangeFormats, r.locale, {}, false}, sources);
        return planRangePages(list, "予定一覧", area, dpi, measure);
    }
    if (r.what == PrintWhat::Year) {
        YearGrids grids;
        rebuildYear(grids, r.year, r.grid, sources);
        std::string title = std::to_string(r.year) + "年";
        if (const std::string era = eraYearText(r.year, 12); !era.empty()) title.append(" ").append(era);
        return {planYearPage(grids, design, r.weekdayNames, title, area, dpi, measure)};
    }
    MonthGrid grid{};
    DayOffTable dayOff{};
    rebuildMonth(grid, dayOff, r.year, r.month, r.grid, sources);
    const RangeViewSettings month{kRangeMonth, 0, 0};
    const RangeList list = collectRange({r.year, r.month, 1, month, r.grid.mondayFirst, false, r.rangeFormats, r.locale, {}, false}, sources);
    PrintedDay days[32];
    printedDaysOf(list, grid, sources.closedDays, days);
    std::string caption = std::to_string(r.year) + "年" + std::to_string(r.month) + "月";
    if (const std::string era = eraYearText(r.year, r.month); !era.empty()) caption.append(" ").append(era);
    return {planMonthPage({grid, dayOff, design, caption, r.weekdayNames, days, dpi}, area, measure)};
}

std::string eraYearText(int year, int month) {
    const EraYear era = eraOf(year, month, 1);
    if (era.era == kEraWestern) return {};
    std::string text = eraName(era.era);
    text.append(era.year == 1 ? std::string("元") : std::to_string(era.year)).append("年");
    return text;
}

DesignSet printedDesign(const DesignSet& design, bool colour) {
    DesignSet printed = design;
    if (colour) return printed;
    for (auto& part : printed.colour)
        for (auto& kind : part)
            for (int state = 0; state < 2; ++state) {
                std::int32_t& fill = kind[kBackground][state];
                if (fill != kNoColour) fill = (fill & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0xE0E0E0;
                if (kind[kText][state] != kNoColour) kind[kText][state] = 0;
            }
    return printed;
}

}  // namespace tavo
