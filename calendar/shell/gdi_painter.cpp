#include "gdi_painter.h"

#include "shared/cp932.h"

namespace tavo::shell {
namespace {

void selectIfPresent(HDC dc, HGDIOBJ object) {
    if (object != nullptr) SelectObject(dc, object);
}

std::vector<POINT> toPoints(const std::vector<Point>& points) {
    std::vector<POINT> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back({p.x, p.y});
    return out;
}

ColourRole colourRoleOf(DesignRole role) { return role == DesignRole::Fill ? kBackground : kText; }

}  // namespace

TextSize GdiTextMeasure::measure(FontKey font, std::string_view text) {
    selectIfPresent(dc_, objects_.font(font));
    const std::wstring wide = cp932ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (wide.empty()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        size.cy = metrics.tmHeight;
    }
    return {size.cx, size.cy};
}

void drawPaintOps(HDC dc, const std::vector<PaintOp>& ops, const DesignObjects& objects, const DesignSet& design) {
    for (const PaintOp& op : ops) {
        switch (op.kind) {
            case PaintOpKind::FillRect: {
                SelectObject(dc, objects.nullPen());
                selectIfPresent(dc, objects.object(op.key));
                // A null pen leaves out the right and bottom edges: one more pixel each way.
                Rectangle(dc, op.rect.left, op.rect.top, op.rect.left + op.rect.width + 1, op.rect.top + op.rect.height + 1);
                break;
            }
            case PaintOpKind::Polyline: {
                win::GdiObject wide;  // a width of its own (paper): a pen for this line alone
                if (const std::int32_t colour = paintColour(design, op.key); op.lineWidth > 0 && colour != kNoColour)
                    wide.reset(CreatePen(PS_SOLID, op.lineWidth, static_cast<COLORREF>(colour)));
                selectIfPresent(dc, wide ? wide.get() : objects.object(op.key));
                const std::vector<POINT> points = toPoints(op.points);
                Polyline(dc, points.data(), static_cast<int>(points.size()));
                if (wide) SelectObject(dc, objects.nullPen());
                break;
            }
            case PaintOpKind::Polygon: {
                SelectObject(dc, objects.nullPen());
                selectIfPresent(dc, objects.object(op.key));
                const std::vector<POINT> points = toPoints(op.points);
                Polygon(dc, points.data(), static_cast<int>(points.size()));
                break;
            }
            case PaintOpKind::ButtonFace:
                SelectObject(dc, objects.blackPen());
                selectIfPresent(dc, objects.object(op.key));
                Rectangle(dc, op.rect.left, op.rect.top, op.rect.left + op.rect.width, op.rect.top + op.rect.height);
                break;
            case PaintOpKind::Text: {
                selectIfPresent(dc, objects.font(op.font));
                const std::int32_t colour =
                    designColour(design, op.key.part, op.key.dayKind, colourRoleOf(op.key.role), op.key.state);
                if (colour != kNoColour) SetTextColor(dc, static_cast<COLORREF>(colour));
                const std::wstring text = cp932ToWide(op.text);
                TextOutW(dc, op.x, op.y, text.c_str(), static_cast<int>(text.size()));
                break;
            }
        }
    }
}

}  // namespace tavo::shell
