// Times of day and spans as one count of minutes. 64 bits wide on every
// platform: a serial day times 1440 passes 32 bits after about the year 4083,
// and `long` is 32 bits on 64-bit Windows.
#pragma once

#include <cstdint>

namespace tavo {

// Minutes: a span, or a moment counted from the start of serial day 0.
using Minutes = std::int64_t;

inline constexpr Minutes kMinutesPerDay = 1440;

constexpr Minutes minutesAt(int serialDay, int minuteOfDay = 0) {
    return Minutes{serialDay} * kMinutesPerDay + minuteOfDay;
}
// The serial day and the minute of the day of a moment (moments are never negative here).
constexpr int serialDayAt(Minutes moment) { return static_cast<int>(moment / kMinutesPerDay); }
constexpr int minuteOfDayAt(Minutes moment) { return static_cast<int>(moment % kMinutesPerDay); }

}  // namespace tavo
