// A painting as a list of drawing operations on design objects, so that what
// the month view paints is computed (and tested) without a device context.
#pragma once

#include <string>
#include <vector>

#include "design.h"
#include "month_layout.h"

namespace tavo {

enum class DesignRole { Fill, Text, Light, Shadow, Dark };

// A pen, brush or text colour of the design: (part, day kind, role, state).
struct DesignKey {
    int part = 0;
    int dayKind = 0;
    DesignRole role = DesignRole::Fill;
    DesignState state = kNormal;
    friend bool operator==(const DesignKey&, const DesignKey&) = default;
};

struct FontKey {
    int part = 0;
    DesignState state = kNormal;
    int height = 0;  // 0: the font as built; else the same face at this cell height
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

enum class PaintOpKind {
    FillRect,      // rect with the Fill brush of key (null pen)
    Polyline,      // points with the pen of key (last point not drawn)
    Polygon,       // points filled with the brush of key (null pen)
    ButtonFace,    // rect filled with the brush of key and framed by the black pen, corners included
    Text,          // text at (x, y) in font with the text colour of key
};

struct PaintOp {
    PaintOp(PaintOpKind k, DesignKey object) : kind(k), key(object) {}
    PaintOpKind kind;
    DesignKey key;
    Rect rect{};
    std::vector<Point> points;
    FontKey font{};
    std::string text;  // CP932
    int x = 0, y = 0;
};

struct TextSize {
    int width, height;
};

// Text extents in the design's fonts (a device context on Windows, a fake in tests).
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual TextSize measure(FontKey font, std::string_view text) = 0;
};

}  // namespace tavo
