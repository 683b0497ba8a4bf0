// Pages as PDF through cairo: the paint operations of the screen and the
// printer drawn as vectors, texts in the IPA fonts (Gothic, or Mincho for a
// design face that is a Mincho), embedded, so a reader finds every word.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calendar/render/paint_ops.h"
#include "calendar/render/print_pages.h"

namespace tavo {

class PdfDocument {
public:
    // A file of sheets of this size (device units at the sheet's DPI); check ok() before use.
    PdfDocument(const std::string& path, const Sheet& sheet, const std::string& title);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    bool ok() const;
    // Texts measured as they will be drawn, in the design's faces.
    TextMeasure& measure(const DesignSet& design);
    void addPage(const std::vector<PaintOp>& ops, const DesignSet& design, bool colour);
    // Finishes the file; false when it could not be written whole.
    bool finish();

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace tavo
