// What drawing takes from a design: the edge colours and strokes of a
// relief, and the size of a part's font.
#pragma once

#include <cstdint>
#include <vector>

#include "calendar/data/design_set.h"
#include "month_layout.h"

namespace tavo {

struct EdgeColours {
    std::uint32_t light, shadow, dark;
};
EdgeColours edgeColours(std::uint32_t background);

enum class EdgePen { Light, Shadow, Dark };
struct EdgeStroke {
    EdgePen pen;
    std::vector<Point> points;  // a polyline whose last point is not drawn
};
// The strokes of a relief around a rectangle, in drawing order.
std::vector<EdgeStroke> reliefStrokes(const Rect& r, int relief);

struct FontSize {
    int height, width;  // width 0: natural
    int weight;
};
// The size of a part's font from its base height and width.
FontSize designFontSize(const DesignSet& design, int part, DesignState state, int baseHeight, int baseWidth);

}  // namespace tavo
