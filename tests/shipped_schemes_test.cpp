// The colour schemes that ship: each reads back whole, keeps every day kind
// apart and keeps text readable on its background.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/render/design.h"
#include "shared/cp932.h"

namespace tavo {
namespace {

std::string readScheme(const std::string& utf8Name) {
    // A path from UTF-8 names the same file on every platform (a narrow one is the ANSI code page on Windows).
    const std::filesystem::path path = std::filesystem::path(TAVO_RESOURCES_DIR) / "schemes" /
                                       std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

double luminance(std::int32_t colourref) {
    const auto channel = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colourref & 0xFF) + 0.7152 * channel((colourref >> 8) & 0xFF) +
           0.0722 * channel((colourref >> 16) & 0xFF);
}

double contrast(std::int32_t a, std::int32_t b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

struct Shipped {
    const char* name;  // CP932, as the file's stem and the scheme's name
    DesignSetKind set;
    double least, leastSelected;  // the smallest contrasts of day text on its cell
};

const Shipped kShipped[] = {
    {"夜空", kCalendarDesign, 4.5, 4.5},
    {"夜空", kRangeViewDesign, 4.5, 4.5},
    {"ハイコントラスト", kCalendarDesign, 7.0, 4.5},
    {"ハイコントラスト", kRangeViewDesign, 7.0, 4.5},
};

// The areas that letter the days, on their own backgrounds.
const int kCalendarDayParts[] = {kNoSchedule, kHaveSchedule};
const int kRangeViewDayParts[] = {kSchDate};

TEST(ShippedSchemes, DayKindsStayApartAndReadable) {
    for (const Shipped& s : kShipped) {
        const std::string file = cp932ToUtf8(s.name) + (s.set == kCalendarDesign ? ".col" : ".scl");
        const std::string content = readScheme(file);
        ASSERT_FALSE(content.empty()) << file;
        DesignSet d{};
        resetDesignSet(d, s.set, {20, 16});
        parseSchemeFile(d, s.set, content, {20, 16}, nullptr);
        EXPECT_STREQ(d.schemeName, s.name);
        const std::span<const int> parts = s.set == kCalendarDesign ? std::span<const int>(kCalendarDayParts)
                                                                     : std::span<const int>(kRangeViewDayParts);
        for (int part : parts)
            for (DesignState state : {kNormal, kSelected})
                for (int k = 0; k < kDayKinds; ++k) {
                    const std::int32_t text = designColour(d, part, k, kText, state);
                    const std::int32_t back = designColour(d, part, k, kBackground, state);
                    ASSERT_NE(text, kNoColour) << file << " part " << part << " kind " << k;
                    EXPECT_GE(contrast(text, back), state == kNormal ? s.least : s.leastSelected) << file << " part " << part << " state " << state << " kind " << k;
                    for (int other = 0; other < k; ++other)
                        EXPECT_NE(designColour(d, part, other, kText, state), text) << file << " kinds " << other << "," << k;
                }
    }
}

// CIE 1976 colour difference of two COLORREFs (sRGB, D65).
double colourDifference(std::int32_t a, std::int32_t b) {
    const auto lab = [](std::int32_t c) {
        const auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        const double r = linear(c & 255), g = linear((c >> 8) & 255), bl = linear((c >> 16) & 255);
        const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * bl) / 0.9505, 0.2126 * r + 0.7152 * g + 0.0722 * bl,
                               (0.0193 * r + 0.1192 * g + 0.9505 * bl) / 1.089};
        double f[3];
        for (int i = 0; i < 3; ++i) f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
        return std::array<double, 3>{116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
    };
    const auto x = lab(a), y = lab(b);
    return std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]);
}

// Every state a day can be in is told apart from the states beside it (a
// plain day, one with data, another month's, the selected day) by its fill
// or its number's colour, in the built-in design and every scheme.
TEST(ShippedSchemes, EveryStateOfADayIsToldApart) {
    struct State {
        const char* name;
        int part;
        DesignState state;
    } const states[] = {{"plain", kNoSchedule, kNormal}, {"with data", kHaveSchedule, kNormal}, {"other month", kBackgroundPart, kNormal},
                        {"selected", kNoSchedule, kSelected}, {"selected with data", kHaveSchedule, kSelected}};
    std::vector<std::pair<std::string, DesignSet>> designs(1, {"built-in", DesignSet{}});
    resetDesignSet(designs[0].second, kCalendarDesign, {20, 16});
    for (const Shipped& s : kShipped) {
        if (s.set != kCalendarDesign) continue;
        designs.push_back({cp932ToUtf8(s.name), DesignSet{}});
        resetDesignSet(designs.back().second, kCalendarDesign, {20, 16});
        parseSchemeFile(designs.back().second, kCalendarDesign, readScheme(designs.back().first + ".col"), {20, 16}, nullptr);
    }
    for (const auto& [name, design] : designs) {
        const std::int32_t window = designColour(design, kBackgroundPart, 0, kBackground, kNormal);
        const auto colour = [&](const State& s, int kind, ColourRole role) {
            const std::int32_t c = designColour(design, s.part, s.part == kBackgroundPart ? 0 : kind, role, s.state);
            return c == kNoColour ? window : c;
        };
        for (int kind = 0; kind < kDayKinds; ++kind)
            for (const State& a : states)
                for (const State& b : states) {
                    if (&a >= &b || (a.state == kSelected && b.state == kSelected)) continue;  // one day is selected
                    const double fills = colourDifference(colour(a, kind, kBackground), colour(b, kind, kBackground));
                    const double numbers = colourDifference(colour(a, kind, kText), colour(b, kind, kText));
                    EXPECT_TRUE(fills >= 12.0 || numbers >= 25.0)
                        << name << ": " << a.name << " / " << b.name << ", kind " << kind << ": fills " << fills << ", numbers " << numbers;
                }
    }
}

}  // namespace
}  // namespace tavo
