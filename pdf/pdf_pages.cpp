#include "pdf_pages.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include "shared/cp932.h"

namespace tavo {
namespace {

// The IPA face standing in for a design's face.
const char* familyOf(const DesignSet& design, FontKey key) {
    if (key.part < 0 || key.part >= 6) return "IPAGothic";
    const std::string face = cp932ToUtf8(design.faceName[key.part][key.state]);
    const bool mincho = face.find("明朝") != std::string::npos || face.find("Mincho") != std::string::npos ||
                        face.find("mincho") != std::string::npos;
    return mincho ? "IPAMincho" : "IPAGothic";
}

void setColour(cairo_t* cr, std::int32_t colour) {
    const auto channel = [&](int shift) { return static_cast<double>((static_cast<std::uint32_t>(colour) >> shift) & 0xFF) / 255.0; };
    cairo_set_source_rgb(cr, channel(0), channel(8), channel(16));  // COLORREF: 0x00BBGGRR
}

class CairoMeasure final : public TextMeasure {
public:
    CairoMeasure(cairo_t* cr, const DesignSet& design, int defaultHeight) : cr_(cr), design_(design), defaultHeight_(defaultHeight) {}
    void select(FontKey key) {
        const bool bold = key.part >= 0 && key.part < kDesignParts && design_.bold[key.part][key.state];
        cairo_select_font_face(cr_, familyOf(design_, key), CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, key.height > 0 ? key.height : defaultHeight_);  // the IPA faces' em is their cell
    }
    TextSize measure(FontKey font, std::string_view text) override {
        select(font);
        cairo_font_extents_t fe{};
        cairo_font_extents(cr_, &fe);
        cairo_text_extents_t te{};
        const std::string utf8 = cp932ToUtf8(text);
        cairo_text_extents(cr_, utf8.c_str(), &te);
        return {static_cast<int>(te.x_advance + 0.999), static_cast<int>(fe.ascent + fe.descent + 0.999)};
    }
    double ascent(FontKey font) {
        select(font);
        cairo_font_extents_t fe{};
        cairo_font_extents(cr_, &fe);
        return fe.ascent;
    }

private:
    cairo_t* cr_;
    const DesignSet& design_;
    int defaultHeight_;
};

}  // namespace

struct PdfDocument::State {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    Sheet sheet{};
    std::unique_ptr<CairoMeasure> measure;
    bool pages = false;
};

PdfDocument::PdfDocument(const std::string& path, const Sheet& sheet, const std::string& title) : s_(std::make_unique<State>()) {
    s_->sheet = sheet;
    const double points = 72.0 / sheet.dpi;
    s_->surface = cairo_pdf_surface_create(path.c_str(), sheet.width * points, sheet.height * points);
    cairo_pdf_surface_set_metadata(s_->surface, CAIRO_PDF_METADATA_TITLE, cp932ToUtf8(title).c_str());
    cairo_pdf_surface_set_metadata(s_->surface, CAIRO_PDF_METADATA_CREATOR, "Tavo");
    s_->cr = cairo_create(s_->surface);
    cairo_scale(s_->cr, points, points);  // from here on, device units
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);  // widths that scale with the size
    cairo_set_font_options(s_->cr, options);
    cairo_font_options_destroy(options);
}

PdfDocument::~PdfDocument() {
    if (s_->cr) cairo_destroy(s_->cr);
    if (s_->surface) cairo_surface_destroy(s_->surface);
}

bool PdfDocument::ok() const { return cairo_status(s_->cr) == CAIRO_STATUS_SUCCESS; }

TextMeasure& PdfDocument::measure(const DesignSet& design) {
    s_->measure = std::make_unique<CairoMeasure>(s_->cr, design, deviceUnits(4, s_->sheet.dpi));
    return *s_->measure;
}

void PdfDocument::addPage(const std::vector<PaintOp>& ops, const DesignSet& design, bool colour) {
    cairo_t* cr = s_->cr;
    if (s_->pages) cairo_show_page(cr);
    s_->pages = true;
    const DesignSet printed = printedDesign(design, colour);
    CairoMeasure fonts(cr, printed, deviceUnits(4, s_->sheet.dpi));
    for (const PaintOp& op : ops) {
        const std::int32_t ink = paintColour(printed, op.key);
        if (ink == kNoColour) continue;
        setColour(cr, ink);
        switch (op.kind) {
            case PaintOpKind::FillRect:
            case PaintOpKind::ButtonFace:
                cairo_rectangle(cr, op.rect.left, op.rect.top, op.rect.width, op.rect.height);
                cairo_fill(cr);
                break;
            case PaintOpKind::Polyline:
            case PaintOpKind::Polygon:
                if (op.points.empty()) break;
                cairo_move_to(cr, op.points[0].x, op.points[0].y);
                for (std::size_t i = 1; i < op.points.size(); ++i) cairo_line_to(cr, op.points[i].x, op.points[i].y);
                if (op.kind == PaintOpKind::Polygon) {
                    cairo_close_path(cr);
                    cairo_fill(cr);
                } else {
                    cairo_set_line_width(cr, op.lineWidth > 0 ? op.lineWidth : 1);
                    cairo_stroke(cr);
                }
                break;
            case PaintOpKind::Text: {
                const double ascent = fonts.ascent(op.font);
                cairo_move_to(cr, op.x, op.y + ascent);
                cairo_show_text(cr, cp932ToUtf8(op.text).c_str());
                break;
            }
        }
    }
}

bool PdfDocument::finish() {
    if (!s_->pages) cairo_show_page(s_->cr);  // a document has a page
    cairo_destroy(s_->cr);
    s_->cr = nullptr;
    cairo_surface_finish(s_->surface);
    const bool written = cairo_surface_status(s_->surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s_->surface);
    s_->surface = nullptr;
    return written;
}

}  // namespace tavo
