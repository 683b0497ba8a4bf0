// What the design page offers for each display area, its lists' labels, and
// the rules for naming colour schemes, whose names become file names.
#pragma once

#include <string>
#include <string_view>

#include "design.h"

namespace tavo {

struct DesignPartOffer {
    const char* label;  // as the page's list shows it
    int dayKinds;       // entries of the day-kind list; 0: none
    bool states, relief, background, text, font, height;
};
DesignPartOffer designPartOffer(DesignSetKind set, int part);

const char* dayKindLabel(int dayKind);     // "平日(休業日以外)" ...
const char* designStateLabel(int state);   // "非選択状態", "選択状態"

// The area whose background the sample shows behind an area's text: lines
// and rokuyo are seen on the day cells (the data lines in the range view).
int samplePart(DesignSetKind set, int part);

// ".col" for the calendar, ".scl" for the range view.
const char* schemeExtension(DesignSetKind set);
inline constexpr std::size_t kSchemeNameChars = 80;

// Why a typed name cannot name a scheme file beside the program; empty when it can.
// The name is CP932; it must stay a plain file name in that folder.
std::string schemeNameProblem(std::string_view name);

}  // namespace tavo
