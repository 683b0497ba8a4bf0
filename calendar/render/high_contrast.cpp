#include "high_contrast.h"

#include <algorithm>

#include "shared/dpi.h"

namespace tavo {
namespace {

struct PartColours {
    std::uint32_t fill, text;
};

// Headers and buttons keep the face of buttons, other months the grey of
// disabled text; the selection is the system's highlight.
PartColours coloursOf(DesignSetKind set, int part, int dayKind, DesignState state, const SystemColours& s) {
    if (state == kSelected && !(set == kRangeViewDesign && part == kSchData)) return {s.highlight, s.highlightText};
    const bool rest = isRestDayKind(dayKind);
    if (set == kCalendarDesign) {
        if (part == kButton) return {s.buttonFace, s.buttonText};
        if (part == kBackgroundPart) return {s.window, s.grayText};
        return {s.window, rest ? s.hotLight : s.windowText};
    }
    if (part == kSchDate) return {s.buttonFace, rest ? s.hotLight : s.buttonText};
    return {s.window, part == kSchHoliline ? s.hotLight : s.windowText};
}

}  // namespace

DesignSet highContrastDesign(const DesignSet& chosen, DesignSetKind set, const SystemColours& system) {
    DesignSet shown = chosen;
    for (int part = 0; part < designPartCount(set); ++part)
        for (int kind = 0; kind < kDayKinds; ++kind)
            for (int s = 0; s < 2; ++s) {
                const DesignState state = static_cast<DesignState>(s);
                const PartColours c = coloursOf(set, part, kind, state, system);
                if (shown.colour[part][kind][kBackground][s] != kNoColour)
                    shown.colour[part][kind][kBackground][s] = static_cast<std::int32_t>(c.fill);
                if (shown.colour[part][kind][kText][s] != kNoColour)
                    shown.colour[part][kind][kText][s] = static_cast<std::int32_t>(c.text);
            }
    shown.systemButtonColours = 1;
    return shown;
}

std::vector<std::vector<Point>> kindMarkStrokes(const KindMarks& k) {
    std::vector<std::vector<Point>> strokes;
    const Rect& c = k.cell;
    if (k.rest) {
        const int y = std::min(k.number.top + k.number.height, c.top + c.height - k.margin - k.width);
        strokes.push_back({{k.number.left, y}, {k.number.left + k.number.width, y}});
    }
    if (k.data) {  // tight in the corner, over as little of the number as can be
        const int side = std::max(scaleToDpi(4, k.dpi), std::min(c.width, c.height) / 7);
        const int right = c.left + c.width - k.margin - k.width / 2, top = c.top + k.margin + k.width / 2;
        strokes.push_back({{right - side, top}, {right, top + side}});
    }
    return strokes;
}

}  // namespace tavo
