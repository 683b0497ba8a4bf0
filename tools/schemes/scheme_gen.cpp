// Writes the colour schemes that ship beside the program: a dark one and a
// high-contrast one, each for the calendar (.col) and the range view (.scl).
//   tavo_scheme_gen FOLDER
// Every day kind keeps a colour of its own; tests check the contrasts.
#include <cstdio>
#include <fstream>
#include <string>

#include "calendar/render/design.h"
#include "shared/cp932.h"

namespace tavo {
namespace {

// 0xRRGGBB as written by designers, stored as COLORREF (0x00BBGGRR).
constexpr std::int32_t rgb(std::uint32_t hex) {
    return static_cast<std::int32_t>(((hex & 0xFF) << 16) | (hex & 0xFF00) | ((hex >> 16) & 0xFF));
}

struct Palette {
    const char* name;
    std::uint32_t days[kDayKinds];  // weekday, Sunday, Saturday, holiday, substitute/national, closed weekday
    std::uint32_t band, bandText, grid, otherMonth;
    std::uint32_t cell, cellSelected, dataCell, dataCellSelected;
    std::uint32_t week[3], weekSelected, rokuyo, holiLine, normLine, button, buttonText;
};

const Palette kPalettes[] = {
    {"夜空", {0xE8E8EE, 0xFF7A7A, 0x7AB4FF, 0xFF78D2, 0xD9A0FF, 0xFFB65C},
     0x1B2233, 0xE4E8F4, 0x10131C, 0x6E7690,
     0x1E2433, 0x1E2C78, 0x17291F, 0x143868,  // the selected day night blue, apart from days with data
     {0x2A3248, 0x4A2630, 0x233A5E}, 0x46598C, 0xB4B8D0, 0xFF7A7A, 0xA8AEC0, 0x2A3248, 0xD0D6EA},
    {"ハイコントラスト", {0xFFFFFF, 0xFF8080, 0x5CC8FF, 0xFF70FF, 0xC8B0FF, 0xFFD700},
     0x000000, 0xFFFFFF, 0x000000, 0xB0B0B0,
     0x000000, 0x00338C, 0x001E0F, 0x00401F,
     {0x000000, 0x000000, 0x000000}, 0x00338C, 0xFFFFFF, 0xFF8080, 0xFFFFFF, 0x000000, 0xFFFFFF},
};

void setList(DesignSet& d, int part, ColourRole role, DesignState state, std::initializer_list<std::uint32_t> colours) {
    int k = 0;
    for (std::uint32_t c : colours) d.colour[part][k++][role][state] = rgb(c);
    for (; k < kDayKinds; ++k) d.colour[part][k][role][state] = kNoColour;
}

void setSix(DesignSet& d, int part, ColourRole role, DesignState state, std::uint32_t c) {
    setList(d, part, role, state, {c, c, c, c, c, c});
}

void setDays(DesignSet& d, int part, DesignState state, const Palette& p) {
    for (int k = 0; k < kDayKinds; ++k) d.colour[part][k][kText][state] = rgb(p.days[k]);
}

DesignSet calendarScheme(const Palette& p) {
    DesignSet d{};
    resetDesignSet(d, kCalendarDesign, {24, 18});
    copyToField(d.schemeName, sizeof d.schemeName, p.name);
    setList(d, kYearMon, kBackground, kNormal, {p.band});
    setList(d, kYearMon, kText, kNormal, {p.bandText});
    setList(d, kWeek, kBackground, kNormal, {p.week[0], p.week[1], p.week[2]});
    setList(d, kWeek, kText, kNormal, {p.days[0], p.days[1], p.days[2]});
    setList(d, kWeek, kBackground, kSelected, {p.weekSelected, p.weekSelected, p.weekSelected});
    setList(d, kWeek, kText, kSelected, {p.days[0], p.days[1], p.days[2]});
    setList(d, kBackgroundPart, kBackground, kNormal, {p.grid});
    setList(d, kBackgroundPart, kText, kNormal, {p.otherMonth});
    for (DesignState s : {kNormal, kSelected}) {
        setSix(d, kNoSchedule, kBackground, s, s == kNormal ? p.cell : p.cellSelected);
        setSix(d, kHaveSchedule, kBackground, s, s == kNormal ? p.dataCell : p.dataCellSelected);
        setDays(d, kNoSchedule, s, p);
        setDays(d, kHaveSchedule, s, p);
    }
    setList(d, kRokuyou, kText, kNormal, {p.rokuyo});
    setList(d, kRokuyou, kBackground, kSelected, {p.cellSelected, p.cellSelected, p.cellSelected});
    setList(d, kRokuyou, kText, kSelected, {p.rokuyo, p.rokuyo});
    setList(d, kHoliline, kText, kNormal, {p.holiLine});
    setList(d, kNormline, kText, kNormal, {p.normLine});
    setList(d, kButton, kBackground, kNormal, {p.button});
    setList(d, kButton, kText, kNormal, {p.buttonText});
    return d;
}

DesignSet rangeViewScheme(const Palette& p) {
    DesignSet d{};
    resetDesignSet(d, kRangeViewDesign, {24, 18});
    copyToField(d.schemeName, sizeof d.schemeName, p.name);
    for (DesignState s : {kNormal, kSelected}) {
        setSix(d, kSchDate, kBackground, s, s == kNormal ? p.dataCell : p.dataCellSelected);
        setDays(d, kSchDate, s, p);
        setSix(d, kSchData, kBackground, s, p.cell);
        setSix(d, kSchData, kText, s, p.days[0]);
    }
    setList(d, kSchBack, kBackground, kNormal, {p.grid});
    setList(d, kSchHoliline, kText, kNormal, {p.holiLine});
    setList(d, kSchNormline, kText, kNormal, {p.normLine});
    return d;
}

bool write(const std::string& folder, const std::string& name, const std::string& content) {
    std::ofstream out(folder + "/" + cp932ToUtf8(name), std::ios::binary);
    out << content;
    return static_cast<bool>(out);
}

}  // namespace
}  // namespace tavo

int main(int argc, char** argv) {
    using namespace tavo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavo_scheme_gen FOLDER\n");
        return 2;
    }
    std::array<std::int32_t, 16> custom;
    custom.fill(16777215);
    for (const Palette& p : kPalettes) {
        const std::string name = p.name;
        if (!write(argv[1], name + ".col", formatSchemeFile(calendarScheme(p), kCalendarDesign, custom)) ||
            !write(argv[1], name + ".scl", formatSchemeFile(rangeViewScheme(p), kRangeViewDesign, custom)))
            return 1;
    }
    return 0;
}
