// The colour schemes that ship: each reads back whole, keeps every day kind
// apart and keeps text readable on its background.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>

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

}  // namespace
}  // namespace tavo
