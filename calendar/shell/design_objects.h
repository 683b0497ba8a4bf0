// The pens, brushes and fonts a window builds from its design.
#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "calendar/render/design.h"
#include "calendar/render/paint_ops.h"
#include "win/handles.h"

namespace tavo::shell {

class DesignObjects {
public:
    DesignObjects();
    // Pens and brushes; the line parts' pens are two pixels wide at 96 DPI.
    void build(const DesignSet& design, DesignSetKind set, int dpi = 96);
    // Fonts by prefix match of installed families, at the sizes given per part and state.
    void buildFonts(const DesignSet& design, HDC dc, const FontSize (&sizes)[6][2]);
    void releaseFonts();
    void release();

    HGDIOBJ object(DesignKey key) const;  // nullptr when the design has none
    // The font of a key; with a height in the key, the same face at that cell
    // height (made on first use and kept until the fonts are rebuilt).
    HFONT font(FontKey key) const;
    HGDIOBJ nullPen() const { return nullPen_.get(); }
    HGDIOBJ blackPen() const { return blackPen_.get(); }

private:
    static int slot(DesignKey key);
    win::GdiObject objects_[kDesignParts * kDayKinds * 5 * 2];
    win::GdiObject fonts_[6][2];
    mutable std::map<std::tuple<int, int, int>, win::GdiObject> resized_;
    win::GdiObject nullPen_, blackPen_;
};

// After fonts were installed or removed (WM_FONTCHANGE): families are listed anew.
void forgetInstalledFamilies();

// The day-schedule window's font at a DPI: the last matching family wins.
HFONT createScheduleFont(const DesignSet& rangeDesign, HDC dc, int dpi);

}  // namespace tavo::shell
