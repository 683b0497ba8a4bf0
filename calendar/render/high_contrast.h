// The design under a high-contrast theme: the user's fonts, heights and
// reliefs in the system's colours. Day kinds are then told apart by marks
// the painter adds (holidays underlined, days with data a corner cut off), not by
// colour alone.
#pragma once

#include <cstdint>

#include <vector>

#include "calendar/data/design_set.h"
#include "month_layout.h"

namespace tavo {

// COLORREFs of the system's colours that matter here.
struct SystemColours {
    std::uint32_t window, windowText, highlight, highlightText, hotLight, grayText, buttonFace, buttonText;
};

// Every colour the chosen design has is replaced; colours it leaves out stay out.
DesignSet highContrastDesign(const DesignSet& chosen, DesignSetKind set, const SystemColours& system);

// Sundays, holidays, substitute holidays and closed days: the kinds a design colours apart.
inline bool isRestDayKind(int dayKind) { return dayKind == 1 || dayKind >= 3; }

// What colour says, by shape: a line under a rest day's number, a corner cut
// off a day with data. Strokes of `width` pixels inside the cell less `margin`.
struct KindMarks {
    Rect cell, number;  // the day's cell and its number's box
    bool rest, data;
    int width, margin, dpi;
};
std::vector<std::vector<Point>> kindMarkStrokes(const KindMarks& marks);

}  // namespace tavo
