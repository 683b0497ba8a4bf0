// The pens, brushes and fonts a window builds from its design.
#pragma once

#include <windows.h>

#include "calendar/render/design.h"
#include "calendar/render/paint_ops.h"
#include "gdi.h"

namespace tavo::shell {

struct FontBase {
    int height, width;  // base height and width of a part's font
};

class DesignObjects {
public:
    DesignObjects();
    void build(const DesignSet& design, DesignSetKind set);  // pens and brushes
    // Fonts by prefix match of installed families; base sizes per part.
    void buildFonts(const DesignSet& design, HDC dc, const FontBase (&bases)[6]);
    void releaseFonts();
    void release();

    HGDIOBJ object(DesignKey key) const;  // nullptr when the design has none
    HFONT font(FontKey key) const;
    HGDIOBJ nullPen() const { return nullPen_.get(); }
    HGDIOBJ blackPen() const { return blackPen_.get(); }

private:
    static int slot(DesignKey key);
    GdiObject objects_[kDesignParts * kDayKinds * 5 * 2];
    GdiObject fonts_[6][2];
    GdiObject nullPen_, blackPen_;
};

// The day-schedule window's font: the last matching family wins.
HFONT createScheduleFont(const DesignSet& rangeDesign, HDC dc);

}  // namespace tavo::shell
