#include "range_painter.h"

#include <algorithm>

#include "shared/dpi.h"

namespace tavo {
namespace {

// Where a line stands in the list: the day kind, line mark and selection of
// the header above it (or of itself).
struct LineState {
    int dayKind = 0;
    int mark = 0;  // 0 none, 1 vacation, 2 working day
    bool selected = false;
};

void readHeader(const RangeLine& line, bool selected, LineState& state) {
    state.dayKind = line.dayKind;
    state.mark = line.mark;
    state.selected = selected;
}

constexpr int kTextMargin = 3;  // pixels at 96 DPI

class Planner {
public:
    Planner(const RangePaintInput& in, TextMeasure& measure)
        : in_(in), measure_(measure), boxes_(in.style.transparent == 0 && in.style.wallpaper == 0) {}

    std::vector<PaintOp> run() {
        LineState state;
        int top = 0;
        const int count = static_cast<int>(in_.list.size());
        for (int i = 0; i < count && top < in_.height; ++i) {
            const RangeLine line = in_.list.line(static_cast<std::size_t>(i));
            const bool header = line.header;
            if (header) readHeader(line, i == in_.list.selectedLine, state);
            if (i < in_.scroll) continue;
            const int part = header ? kSchDate : kSchData;
            const int height = rangeLineHeight(in_.design, part, in_.dpi);
            const DesignState s = state.selected ? kSelected : kNormal;
            if (boxes_) box(part, state.dayKind, s, {0, top, in_.width, height}, header ? state.mark : 0);
            lineText(part, state.dayKind, s, top, height, line.text);
            top += height;
        }
        if (boxes_ && top < in_.height) box(kSchBack, 0, kNormal, {0, top, in_.width, in_.height - top}, 0);
        return std::move(ops_);
    }

private:
    void box(int part, int dayKind, DesignState state, Rect r, int mark) {
        PaintOp fill(PaintOpKind::FillRect, {part, dayKind, DesignRole::Fill, state});
        fill.rect = r;
        ops_.push_back(std::move(fill));
        for (EdgeStroke& s : reliefStrokes(r, in_.design.relief[part][state])) {
            const DesignRole role =
                s.pen == EdgePen::Light ? DesignRole::Light : (s.pen == EdgePen::Shadow ? DesignRole::Shadow : DesignRole::Dark);
            PaintOp stroke(PaintOpKind::Polyline, {part, dayKind, role, state});
            stroke.points = std::move(s.points);
            ops_.push_back(std::move(stroke));
        }
        if (mark == 0) return;
        const int y = r.top + r.height - scaleToDpi(4, in_.dpi);
        PaintOp line(PaintOpKind::Polyline, {mark == 1 ? kSchHoliline : kSchNormline, 0, DesignRole::Text, kNormal});
        line.points = {{0, y}, {r.width - 3, y}};
        ops_.push_back(std::move(line));
    }

    // Tabs are expanded here, for the few lines shown, not for the whole list.
    void lineText(int part, int dayKind, DesignState state, int top, int height, std::string_view line) {
        const std::string text = expandTabs(line);
        const FontKey font{part, state};
        const TextSize size = measure_.measure(font, text);
        PaintOp op(PaintOpKind::Text, {part, dayKind, DesignRole::Text, state});
        op.font = font;
        op.x = scaleToDpi(kTextMargin, in_.dpi);  // clear of the line's relief at every scaling
        op.y = top + (height - size.height) / 2;
        op.text = text;
        ops_.push_back(std::move(op));
    }

    const RangePaintInput& in_;
    TextMeasure& measure_;
    const bool boxes_;
    std::vector<PaintOp> ops_;
};

}  // namespace

int rangeLineHeight(const DesignSet& design, int part, int dpi) {
    // A height of 0 from the registry or a scheme file would divide by zero.
    return std::max(1, scaleToDpi(design.height[part], dpi));
}

int rangeLinesPerPage(const DesignSet& design, int clientHeight, int dpi) {
    return clientHeight / rangeLineHeight(design, kSchDate, dpi);
}

FontSize rangeFontSize(const DesignSet& design, int part, DesignState state, int dpi) {
    const int height = rangeLineHeight(design, part == kSchData ? kSchData : kSchDate, dpi);
    return designFontSize(design, part, state, height, height);
}

std::vector<PaintOp> planRangePaint(const RangePaintInput& input, TextMeasure& measure) {
    return Planner(input, measure).run();
}

}  // namespace tavo
