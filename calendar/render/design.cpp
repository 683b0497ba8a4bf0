#include "design.h"

#include <algorithm>

namespace tavo {
namespace {

// Channel arithmetic of the edge colours.
std::uint32_t mapChannels(std::uint32_t c, std::uint32_t (*f)(std::uint32_t)) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) out |= (f((c >> shift) & 0xFF) & 0xFC) << shift;
    return out;
}

}  // namespace

EdgeColours edgeColours(std::uint32_t background) {
    return {
        mapChannels(background, [](std::uint32_t c) { return c / 4 + 192; }),
        mapChannels(background, [](std::uint32_t c) {
            const std::uint32_t h = c / 2, e = h / 4;
            return h + e + e / 4;
        }),
        mapChannels(background, [](std::uint32_t c) { return c / 4 + c / 8 / 4; }),
    };
}

std::vector<EdgeStroke> reliefStrokes(const Rect& r, int relief) {
    const int x = r.left, y = r.top, w = r.width, h = r.height;
    const std::vector<Point> outerTopLeft = {{x + w - 2, y}, {x, y}, {x, y + h - 1}};
    const std::vector<Point> outerBottomRight = {{x + w - 1, y}, {x + w - 1, y + h - 1}, {x - 1, y + h - 1}};
    const std::vector<Point> innerBottomRight = {{x + w - 2, y + 1}, {x + w - 2, y + h - 2}, {x, y + h - 2}};
    if (relief == kRaised)
        return {{EdgePen::Light, outerTopLeft}, {EdgePen::Shadow, innerBottomRight}, {EdgePen::Dark, outerBottomRight}};
    if (relief == kSunken)
        return {{EdgePen::Light, outerBottomRight},
                {EdgePen::Shadow, {{x + w - 3, y + 1}, {x + 1, y + 1}, {x + 1, y + h - 2}}},
                {EdgePen::Shadow, innerBottomRight},
                {EdgePen::Dark, outerTopLeft}};
    return {};
}

FontSize designFontSize(const DesignSet& design, int part, DesignState state, int baseHeight, int baseWidth) {
    FontSize size{};
    const int heightPercent = design.heightPercent[part][state];
    size.height = baseHeight * heightPercent / 100;
    if (design.fixedRatio[part][state]) {
        size.height = std::min(size.height, baseWidth * heightPercent / 100);
        size.width = 0;
    } else {
        size.width = baseWidth * design.widthPercent[part][state] * 86 / 20000;
    }
    size.weight = design.bold[part][state] ? 700 : 400;
    return size;
}

}  // namespace tavo
