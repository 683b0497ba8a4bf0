// The design of the calendar window and the range view: colour lists per
// display part, day kind and state, reliefs, band heights and fonts; their
// storage in the registry and in scheme files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "shared/dpi.h"
#include "shared/file_system.h"
#include "shared/settings_table.h"

namespace tavo {

class SettingsStore;

inline constexpr int kDesignParts = 9;
inline constexpr int kDayKinds = 6;
enum DesignSetKind : int { kCalendarDesign = 0, kRangeViewDesign = 1 };
enum DesignState : int { kNormal = 0, kSelected = 1 };
enum ColourRole : int { kBackground = 0, kText = 1 };
enum Relief : int { kFlat = 0, kSunken = 1, kRaised = 2 };

// Calendar set parts.
enum CalendarPart : int { kYearMon, kWeek, kBackgroundPart, kNoSchedule, kHaveSchedule, kRokuyou, kHoliline, kNormline, kButton };
// Range-view set parts.
enum RangeViewPart : int { kSchDate, kSchData, kSchBack, kSchHoliline, kSchNormline };

inline constexpr std::int32_t kNoColour = -1;

// Plain record shared with the options library.
struct DesignSet {
    char schemeName[260];
    std::int32_t height[kDesignParts];
    std::int32_t statusBarHeight;  // measured at run time, never stored
    std::int32_t relief[kDesignParts][2];
    std::int32_t colour[kDesignParts][kDayKinds][2][2];  // part, day kind, role, state; COLORREF or -1
    std::int32_t widthPercent[kDesignParts][2];
    std::int32_t heightPercent[kDesignParts][2];
    std::uint8_t fixedRatio[kDesignParts][2];
    std::uint8_t bold[kDesignParts][2];
    std::uint8_t italic[kDesignParts][2];
    std::uint8_t underline[kDesignParts][2];
    std::uint8_t systemButtonColours;
    std::uint8_t forcedSmoothing;
    char faceName[kDesignParts][2][32];  // parts 0..5 hold a face
};
static_assert(sizeof(DesignSet) == 2032);


int designPartCount(DesignSetKind set);
const char* designPartName(DesignSetKind set, int part);
bool partHasHeight(DesignSetKind set, int part);
bool partHasFont(DesignSetKind set, int part);

// Keys "colorname", one per part, "System" and "Smoothing".
SettingsTable designSettingsTable(DesignSetKind set, DesignMetrics metrics);
void resetDesignSet(DesignSet& design, DesignSetKind set, DesignMetrics metrics);
void readDesignSet(DesignSet& design, DesignSetKind set, const SettingsStore& store, DesignMetrics metrics);
void writeDesignSet(const DesignSet& design, DesignSetKind set, SettingsStore& store);

// The colour of (part, day kind, role, state), or -1 when the list ended before it.
std::int32_t designColour(const DesignSet& design, int part, int dayKind, ColourRole role, DesignState state);

// Lists as stored: "%08d" entries, one blank apart, parsed at a stride of 9.
std::array<std::int32_t, kDayKinds> parseColourList(std::string_view text);

// The 16 custom colours of the system's colour chooser, kept under "custcolor".
using CustomColours = std::array<std::int32_t, 16>;
const SettingsTable& customColourTable();

// Scheme files (".col" calendar, ".scl" range view) in the initialisation-file format.
std::string formatSchemeFile(const DesignSet& design, DesignSetKind set, const CustomColours& customColours);
// Writes a scheme file from a complete read of the one it replaces.
SaveResult saveSchemeFile(FileSystem& files, const std::string& path, const DesignSet& design, DesignSetKind set,
                          const CustomColours& customColours);
void parseSchemeFile(DesignSet& design, DesignSetKind set, std::string_view content, DesignMetrics metrics,
                     CustomColours* customColours);

}  // namespace tavo
