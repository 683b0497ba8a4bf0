#include "design_objects.h"

#include <cstring>
#include <vector>

#include "calendar/render/high_contrast.h"
#include "process.h"
#include "shared/cp932.h"
#include "shared/dpi.h"
#include "win/test_clock.h"

namespace tavo::shell {
namespace {

constexpr int kRoles = 5;

bool isLinePart(DesignSetKind set, int part) {
    return set == kCalendarDesign ? (part == kHoliline || part == kNormline) : (part == kSchHoliline || part == kSchNormline);
}

HGDIOBJ solidPen(int width, std::int32_t colour) { return CreatePen(PS_SOLID, width, static_cast<COLORREF>(colour)); }

struct FontRequest {
    const DesignSet* design;
    const FontSize (*sizes)[2];
    win::GdiObject (*fonts)[2];
    bool lastWins;  // the schedule font: every match replaces the previous
    HFONT* single;
    int dpi = 96;
};

bool faceMatches(const LOGFONTW& family, const char* stored) {
    const std::size_t length = std::strlen(stored);
    if (length == 0) return false;
    const std::string name = wideToCp932(family.lfFaceName);
    return name.compare(0, length, stored) == 0;
}

LOGFONTW sizedFont(const LOGFONTW& family, const DesignSet& d, int part, int state, FontSize size) {
    LOGFONTW font = family;
    font.lfHeight = size.height;
    font.lfWidth = size.width;
    font.lfWeight = size.weight;
    font.lfItalic = d.italic[part][state];
    font.lfUnderline = d.underline[part][state];
    font.lfEscapement = font.lfOrientation = 0;
    return font;
}

std::vector<LOGFONTW>& familyList() {
    static std::vector<LOGFONTW> families;
    return families;
}

int CALLBACK listFamily(const LOGFONTW* family, const TEXTMETRICW*, DWORD, LPARAM) {
    familyList().push_back(*family);
    return 1;
}

// The installed families in the system's order, listed once: fonts are built
// at every size change, and enumerating every family each time made start-up
// and resizing slow. A font added or removed empties the list (WM_FONTCHANGE).
const std::vector<LOGFONTW>& installedFamilies(HDC dc) {
    if (familyList().empty()) {
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &all, listFamily, 0, 0);
    }
    return familyList();
}

void onFamily(const LOGFONTW* family, FontRequest* request) {
    const DesignSet& d = *request->design;
    for (int part = 0; part < 6; ++part) {
        for (int state = 0; state < 2; ++state) {
            win::GdiObject& slot = request->fonts[part][state];
            if (slot || d.widthPercent[part][state] == -1 || !faceMatches(*family, d.faceName[part][state])) continue;
            const LOGFONTW font = sizedFont(*family, d, part, state, request->sizes[part][state]);
            slot.reset(CreateFontIndirectW(&font));
        }
    }
}

void onScheduleFamily(const LOGFONTW* family, FontRequest* request) {
    const DesignSet& d = *request->design;
    if (!faceMatches(*family, d.faceName[kSchData][kSelected])) return;
    LOGFONTW font = *family;
    const int height = scaleToDpi(d.height[kSchData], request->dpi);
    font.lfHeight = height * d.heightPercent[kSchData][kSelected] / 100;
    font.lfWidth = d.fixedRatio[kSchData][kSelected] ? 0 : height * d.widthPercent[kSchData][kSelected] / 200;
    font.lfWeight = d.bold[kSchData][kSelected] ? 700 : 400;
    font.lfItalic = d.italic[kSchData][kSelected];
    font.lfUnderline = d.underline[kSchData][kSelected];
    if (*request->single) DeleteObject(*request->single);
    *request->single = CreateFontIndirectW(&font);
}

}  // namespace

void forgetInstalledFamilies() { familyList().clear(); }

DesignObjects::DesignObjects() : nullPen_(CreatePen(PS_NULL, 0, 0)), blackPen_(CreatePen(PS_SOLID, 1, 0)) {}

int DesignObjects::slot(DesignKey key) {
    return ((key.part * kDayKinds + key.dayKind) * kRoles + static_cast<int>(key.role)) * 2 + key.state;
}

void DesignObjects::release() {
    for (win::GdiObject& o : objects_) o.reset();
    releaseFonts();
}

void DesignObjects::releaseFonts() {
    resized_.clear();
    for (auto& part : fonts_)
        for (win::GdiObject& f : part) f.reset();
}

void DesignObjects::build(const DesignSet& d, DesignSetKind set, int dpi) {
    for (win::GdiObject& o : objects_) o.reset();
    for (int part = 0; part < designPartCount(set); ++part) {
        for (int s = 0; s < 2; ++s) {
            const DesignState state = static_cast<DesignState>(s);
            for (int kind = 0; kind < kDayKinds; ++kind) {
                const std::int32_t fill = designColour(d, part, kind, kBackground, state);
                if (fill != kNoColour) {
                    const EdgeColours edges = edgeColours(static_cast<std::uint32_t>(fill));
                    objects_[slot({part, kind, DesignRole::Fill, state})].reset(CreateSolidBrush(static_cast<COLORREF>(fill)));
                    objects_[slot({part, kind, DesignRole::Light, state})].reset(solidPen(1, static_cast<std::int32_t>(edges.light)));
                    if (!(set == kCalendarDesign && isLinePart(set, part))) {
                        objects_[slot({part, kind, DesignRole::Shadow, state})].reset(solidPen(1, static_cast<std::int32_t>(edges.shadow)));
                        objects_[slot({part, kind, DesignRole::Dark, state})].reset(solidPen(1, static_cast<std::int32_t>(edges.dark)));
                    }
                }
                const std::int32_t text = designColour(d, part, kind, kText, state);
                if (text == kNoColour) continue;
                HGDIOBJ textObject = (set == kCalendarDesign && part == kButton)
                                         ? static_cast<HGDIOBJ>(CreateSolidBrush(static_cast<COLORREF>(text)))
                                         : solidPen(isLinePart(set, part) ? scaleToDpi(2, dpi) : 1, text);
                objects_[slot({part, kind, DesignRole::Text, state})].reset(textObject);
            }
        }
    }
    if (set == kCalendarDesign && d.systemButtonColours) {
        for (int s = 0; s < 2; ++s) {
            const DesignState state = static_cast<DesignState>(s);
            objects_[slot({kButton, 0, DesignRole::Fill, state})].reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
            objects_[slot({kButton, 0, DesignRole::Text, state})].reset(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
            objects_[slot({kButton, 0, DesignRole::Light, state})].reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
            objects_[slot({kButton, 0, DesignRole::Shadow, state})].reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
            objects_[slot({kButton, 0, DesignRole::Dark, state})].reset(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        }
    }
}

void DesignObjects::buildFonts(const DesignSet& design, HDC dc, const FontSize (&sizes)[6][2]) {
    releaseFonts();
    FontRequest request{&design, sizes, fonts_, false, nullptr, 96};
    for (const LOGFONTW& family : installedFamilies(dc)) onFamily(&family, &request);
}

HGDIOBJ DesignObjects::object(DesignKey key) const {
    if (key.part < 0 || key.part >= kDesignParts || key.dayKind < 0 || key.dayKind >= kDayKinds) return nullptr;
    return objects_[slot(key)].get();
}

HFONT DesignObjects::font(FontKey key) const {
    if (key.part < 0 || key.part >= 6) return nullptr;
    HFONT built = static_cast<HFONT>(fonts_[key.part][key.state].get());
    if (key.height <= 0 || built == nullptr) return built;
    win::GdiObject& resized = resized_[{key.part, key.state, key.height}];
    if (!resized) {
        LOGFONTW font{};
        GetObjectW(built, sizeof font, &font);
        // A fixed width shrinks with the height, so the face keeps its proportions.
        if (font.lfHeight != 0) font.lfWidth = MulDiv(font.lfWidth, key.height, font.lfHeight < 0 ? -font.lfHeight : font.lfHeight);
        font.lfHeight = key.height;
        resized.reset(CreateFontIndirectW(&font));
    }
    return static_cast<HFONT>(resized.get());
}

HFONT createScheduleFont(const DesignSet& rangeDesign, HDC dc, int dpi) {
    HFONT font = nullptr;
    FontRequest request{&rangeDesign, nullptr, nullptr, true, &font, dpi};
    for (const LOGFONTW& family : installedFamilies(dc)) onScheduleFamily(&family, &request);
    return font;
}

bool highContrastOn() {
    if (win::testSwitchOn(L"highcontrast")) return true;
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

namespace {

SystemColours systemColours() {
    const auto colour = [](int index) { return static_cast<std::uint32_t>(GetSysColor(index)); };
    return {colour(COLOR_WINDOW),    colour(COLOR_WINDOWTEXT), colour(COLOR_HIGHLIGHT), colour(COLOR_HIGHLIGHTTEXT),
            colour(COLOR_HOTLIGHT),  colour(COLOR_GRAYTEXT),   colour(COLOR_BTNFACE),   colour(COLOR_BTNTEXT)};
}

}  // namespace

// Derived afresh on every call: a theme or design change needs no bookkeeping.
// The status bar's height is measured into the design shown and kept.
DesignSet& designOf(const Process& p, WindowKind kind) {
    const int index = windowKindInfo(kind).design;
    DesignSet& chosen = p.settings->design[index];
    if (!highContrastOn()) return chosen;
    DesignSet& shown = p.contrastDesigns[index];
    const std::int32_t statusBar = shown.statusBarHeight;
    shown = highContrastDesign(chosen, static_cast<DesignSetKind>(index), systemColours());
    shown.statusBarHeight = statusBar;
    return shown;
}

}  // namespace tavo::shell
