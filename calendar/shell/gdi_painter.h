// Draws paint operations with a window's design objects.
#pragma once

#include <windows.h>

#include <vector>

#include "calendar/render/paint_ops.h"
#include "design_objects.h"

namespace tavo::shell {

class GdiTextMeasure final : public TextMeasure {
public:
    GdiTextMeasure(HDC dc, const DesignObjects& objects) : dc_(dc), objects_(objects) {}
    TextSize measure(FontKey font, std::string_view text) override;

private:
    HDC dc_;
    const DesignObjects& objects_;
};

// Missing objects leave the previously selected ones in place, as a design
// whose colour list ends early expects.
void drawPaintOps(HDC dc, const std::vector<PaintOp>& ops, const DesignObjects& objects, const DesignSet& design);

}  // namespace tavo::shell
