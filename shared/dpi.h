// Sizes kept in the registry and in scheme files are pixels at 96 DPI; each
// window converts them with its own DPI, and back when it stores them.
#pragma once

#include <cstdint>

namespace tavo {

inline constexpr int kBaseDpi = 96;

// value * dpi / 96, rounded half away from zero (as MulDiv does).
constexpr int scaleToDpi(int value, int dpi) {
    if (dpi <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : (product - half) / kBaseDpi);
}

// value * 96 / dpi, rounded the same way.
constexpr int scaleFromDpi(int value, int dpi) {
    if (dpi <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * kBaseDpi;
    const std::int64_t half = dpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / dpi : (product - half) / dpi);
}

// Platform heights the design defaults take (caption and small caption bars at 96 DPI).
struct DesignMetrics {
    int captionHeight, smallCaptionHeight;
};

static_assert(scaleToDpi(280, 144) == 420 && scaleFromDpi(420, 144) == 280);
static_assert(scaleToDpi(-1, 192) == -2 && scaleFromDpi(350, 96) == 350);

}  // namespace tavo
