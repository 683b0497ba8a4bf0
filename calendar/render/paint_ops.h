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

// The colour a design gives a key (a fill, a text or an edge of a relief), or -1.
std::int32_t paintColour(const DesignSet& design, DesignKey key);

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
    int lineWidth = 0;  // Polyline: the pen's width in device units; 0: the design's pen
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

// The font, or a smaller size of it, in which every text fits the box; a
// height of -1 in the key's place means nothing fits (see `drawable`).
FontKey fittingFont(TextMeasure& measure, FontKey font, const std::vector<std::string>& texts, int maxWidth, int maxHeight);
inline bool drawable(FontKey font) { return font.height >= 0; }

}  // namespace tavo
