#include "paint_ops.h"

#include <algorithm>

namespace tavo {

std::int32_t paintColour(const DesignSet& design, DesignKey key) {
    if (key.part < 0 || key.part >= kDesignParts || key.dayKind < 0 || key.dayKind >= kDayKinds) return kNoColour;
    if (key.role == DesignRole::Text) return designColour(design, key.part, key.dayKind, kText, key.state);
    const std::int32_t fill = designColour(design, key.part, key.dayKind, kBackground, key.state);
    if (key.role == DesignRole::Fill || fill == kNoColour) return fill;
    const EdgeColours edges = edgeColours(static_cast<std::uint32_t>(fill));
    const std::uint32_t edge = key.role == DesignRole::Light ? edges.light : (key.role == DesignRole::Shadow ? edges.shadow : edges.dark);
    return static_cast<std::int32_t>(edge);
}

FontKey fittingFont(TextMeasure& measure, FontKey font, const std::vector<std::string>& texts, int maxWidth, int maxHeight) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        TextSize widest{0, 0};
        for (const std::string& t : texts) {
            const TextSize s = measure.measure(font, t);
            widest = {std::max(widest.width, s.width), std::max(widest.height, s.height)};
        }
        if (widest.width <= maxWidth && widest.height <= maxHeight) return font;
        const int current = font.height > 0 ? font.height : widest.height;
        // Text grows about in proportion to the font: one step is usually enough.
        int next = current;
        if (widest.width > maxWidth) next = std::min(next, current * maxWidth / std::max(widest.width, 1));
        if (widest.height > maxHeight) next = std::min(next, current * maxHeight / std::max(widest.height, 1));
        next = std::min(next, current - 1);
        if (next < 1) break;
        font.height = next;
    }
    return {font.part, font.state, -1};
}

}  // namespace tavo
