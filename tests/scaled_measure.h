// Texts measured without fonts: half the font's height a byte wide, its height
// high (12 for a font as built), so a planner's fitting can be checked.
#pragma once

#include "calendar/render/paint_ops.h"

namespace tavo::test {

class ScaledMeasure final : public TextMeasure {
public:
    TextSize measure(FontKey font, std::string_view text) override {
        const int h = font.height > 0 ? font.height : 12;
        return {static_cast<int>(text.size()) * h / 2, h};
    }
};

}  // namespace tavo::test
