#include "design_set.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "shared/cp932.h"
#include "shared/settings_store.h"
#include "shared/settings_table.h"

namespace tavo {
namespace {

struct PartDefaults {
    const char* name;
    const char* lists[2][2];  // [state][role] built-in colour lists
    int relief[2];
    const char* face;  // nullptr: no font
    int widthPercent, heightPercent, fixedRatio;
    int heightMetric;  // 0 none, 1 caption bar, 2 small caption bar
};

const char* const kWhite6 = "16777215 16777215 16777215 16777215 16777215 16777215";
// Weekday black, Sunday and public holidays red, Saturday blue, substitute
// and national holidays magenta, closed weekdays orange.
const char* const kDayText = "00000000 00000255 16711680 00000255 16711935 00033023";
const char* const kGothic = "MS UI Gothic";

const PartDefaults kCalendarParts[kDesignParts] = {
    {"YearMon", {{"16777215 -1", "08388608 -1"}, {"-1", "-1"}}, {2, 2}, kGothic, 70, 70, 1, 1},
    {"Week", {{"04227072 00000255 16711680 -1", "16777215 16777215 16777215 -1"},
              {"16687107 16687107 16687107 -1", "16777215 00000255 16711680 -1"}}, {2, 1}, kGothic, 70, 70, 1, 1},
    {"Background", {{"11425536 -1", "12632256 -1"}, {"-1", "-1"}}, {1, 1}, kGothic, 70, 70, 0, 0},
    {"NoSchedule", {{kWhite6, kDayText}, {"13687257 13687257 13687257 13948116 13687257 13687257", kDayText}},
     {2, 1}, kGothic, 70, 70, 0, 0},
    {"HaveSchedule", {{"08454143 08454143 08454143 08454143 08454143 08454143", kDayText},
                      {"08454016 08454016 08454016 08454016 08454016 08454016", kDayText}}, {2, 1}, kGothic, 70, 70, 0, 0},
    {"Rokuyou", {{"-1", "00000128 -1"}, {"16777215 13977480 13977560 -1", "00000128 13977520 -1"}}, {0, 0},
     "ＭＳ Ｐ明朝", 30, 30, 1, 0},
    {"Holiline", {{"-1", "00000255 -1"}, {"-1", "-1"}}, {0, 0}, nullptr, -1, -1, 0, 0},
    {"Normline", {{"-1", "00000000 -1"}, {"-1", "-1"}}, {0, 0}, nullptr, -1, -1, 0, 0},
    {"Button", {{"15987699 -1", "04227072 -1"}, {"-1", "-1"}}, {0, 0}, nullptr, -1, -1, 0, 2},
};

const char* const kBlack6 = "00000000 00000000 00000000 00000000 00000000 00000000";

const PartDefaults kRangeViewParts[5] = {
    {"SchDate", {{"08454143 08454143 08454143 08454143 08454143 08454143", kDayText},
                 {"08454016 08454016 08454016 08454016 08454016 08454016", kDayText}}, {2, 2}, kGothic, 70, 70, 1, 1},
    {"SchData", {{kWhite6, kBlack6}, {kWhite6, kBlack6}}, {1, 1}, kGothic, 70, 70, 1, 1},
    {"SchBack", {{"11425536 -1", "-1"}, {"-1", "-1"}}, {2, 2}, kGothic, 70, 70, 0, 1},
    {"SchHoliline", {{"-1", "00000255 -1"}, {"-1", "-1"}}, {0, 0}, kGothic, 70, 70, 0, 0},
    {"SchNormline", {{"-1", "00000000 -1"}, {"-1", "-1"}}, {0, 0}, kGothic, 70, 70, 0, 0},
};

const PartDefaults& defaultsOf(DesignSetKind set, int part) {
    return set == kCalendarDesign ? kCalendarParts[part] : kRangeViewParts[part];
}

// Value names by state: [state] = {relief, background, text, face, width, height, ratio, bold, italic, underline}.
struct StateNames {
    const char *relief, *lists[2], *face, *width, *height, *ratio, *bold, *italic, *underline;
};
const StateNames kNames[2] = {
    {"shadown", {"colorbn", "colorfn"}, "typen", "xrn", "yrn", "xyn", "boldn", "italn", "undern"},
    {"shadows", {"colorbs", "colorfs"}, "types", "xrs", "yrs", "xys", "bolds", "itals", "unders"},
};

void setText(char* out, std::size_t size, std::string_view text) { copyToField(out, size, text); }

int defaultHeight(const PartDefaults& d, DesignMetrics m) {
    return d.heightMetric == 1 ? m.captionHeight : d.heightMetric == 2 ? m.smallCaptionHeight : 0;
}

void setList(DesignSet& design, int part, ColourRole role, DesignState state, const std::array<std::int32_t, 6>& list) {
    for (int k = 0; k < kDayKinds; ++k) design.colour[part][k][role][state] = list[k];
}

std::array<std::int32_t, 6> listOf(const DesignSet& design, int part, ColourRole role, DesignState state) {
    std::array<std::int32_t, 6> list;
    for (int k = 0; k < kDayKinds; ++k) list[k] = design.colour[part][k][role][state];
    return list;
}

// The list as readers see it: entries after the first -1 are dropped.
std::array<std::int32_t, 6> endAtFirstGap(std::array<std::int32_t, 6> list) {
    bool ended = false;
    for (std::int32_t& c : list) {
        if (ended) c = kNoColour;
        ended = ended || c == kNoColour;
    }
    return list;
}

template <typename Field>
std::size_t offsetIn(const DesignSet& d, const Field& field) {
    return static_cast<std::size_t>(reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&d));
}

// One part's values, state by state: relief, colour lists, font. Fields of
// parts without a height or a font, and lists whose built-in default is
// empty, are written but never read.
void addPartSettings(SettingsTable& t, DesignSetKind set, int part, DesignMetrics metrics) {
    static const DesignSet layout{};
    const PartDefaults& d = defaultsOf(set, part);
    const bool font = d.widthPercent != -1;
    const auto add = [&](const char* name, SettingType type, const auto& field, int value, bool readBack = true) {
        t.push_back({d.name, name, type, offsetIn(layout, field), value, 0, nullptr, readBack});
    };
    add("height", SettingType::Int32, layout.height[part], defaultHeight(d, metrics), d.heightMetric != 0);
    for (int s = 0; s < 2; ++s) {
        const StateNames& n = kNames[s];
        add(n.relief, SettingType::Int32, layout.relief[part][s], d.relief[s]);
        for (ColourRole role : {kBackground, kText})
            t.push_back({d.name, n.lists[role], SettingType::ColourList, offsetIn(layout, layout.colour[part][0][role][s]), 0,
                         sizeof(layout.colour[part][0]), d.lists[s][role], d.lists[s][role][0] != '-'});
        if (part < 6 && d.face)
            t.push_back({d.name, n.face, SettingType::Text, offsetIn(layout, layout.faceName[part][s]), 0, 32, d.face});
        add(n.width, SettingType::Int32, layout.widthPercent[part][s], d.widthPercent, font);
        add(n.height, SettingType::Int32, layout.heightPercent[part][s], d.heightPercent, font);
        add(n.ratio, SettingType::Switch8, layout.fixedRatio[part][s], d.fixedRatio, font);
        add(n.bold, SettingType::Switch8, layout.bold[part][s], 0, font);
        add(n.italic, SettingType::Switch8, layout.italic[part][s], 0, font);
        add(n.underline, SettingType::Switch8, layout.underline[part][s], 0, font);
    }
}

std::string schemeList(const std::array<std::int32_t, 6>& list) {
    std::string out;
    for (int k = 0; k < kDayKinds; ++k) {
        char entry[16];
        std::snprintf(entry, sizeof entry, k == 0 ? "%08d" : " %08d", static_cast<int>(list[k]));
        out += entry;
    }
    return out;
}

// A value as the profile functions keep it: one line, no surrounding blanks.
std::string iniValue(std::string_view raw) {
    std::string value;
    for (char c : raw)
        if (c != '\r' && c != '\n') value += c;
    const std::size_t first = value.find_first_not_of(' ');
    const std::size_t last = value.find_last_not_of(' ');
    value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    value.resize(cp932FitLength(value, value.size()));  // never half a character at the end
    return value;
}

// A small reader of the initialisation-file format: [section] and key=value,
// names compared without case, as the profile functions do.
class IniFile {
public:
    explicit IniFile(std::string_view content) {
        std::string section;
        while (!content.empty()) {
            const std::size_t end = content.find('\n');
            std::string_view line = content.substr(0, end);
            content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                section = lower(line.substr(1, line.size() - 2));
                continue;
            }
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) continue;
            values_.emplace(section + "\n" + lower(iniValue(line.substr(0, eq))), iniValue(line.substr(eq + 1)));
        }
    }
    // The value cut to maxChars, as a buffer of maxChars + 1 would hold it.
    bool get(std::string_view section, std::string_view key, std::size_t maxChars, std::string& value) const {
        const auto it = values_.find(lower(section) + "\n" + lower(key));
        if (it == values_.end()) return false;
        value = it->second.substr(0, cp932FitLength(it->second, maxChars));
        return true;
    }
    int getInt(std::string_view section, std::string_view key, std::size_t maxChars, int fallback) const {
        std::string value;
        return get(section, key, maxChars, value) ? std::atoi(value.c_str()) : fallback;
    }

private:
    static std::string lower(std::string_view text) {
        std::string out(text);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (isCp932LeadByte(static_cast<unsigned char>(out[i]))) ++i;
            else if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
        }
        return out;
    }
    std::map<std::string, std::string> values_;
};

void readSchemeState(DesignSet& design, DesignSetKind set, int part, int s, const IniFile& ini) {
    const PartDefaults& d = defaultsOf(set, part);
    const StateNames& n = kNames[s];
    const char* name = d.name;
    design.relief[part][s] = ini.getInt(n.relief, name, 1, d.relief[s]);
    for (ColourRole role : {kBackground, kText}) {
        const char* builtIn = d.lists[s][role];
        std::string text;
        if (builtIn[0] == '-' || !ini.get(n.lists[role], name, 63, text)) text = builtIn[0] == '-' ? "-1" : builtIn;
        setList(design, part, role, static_cast<DesignState>(s), endAtFirstGap(parseColourList(text)));
    }
    if (d.widthPercent == -1) return;
    std::string face;
    if (part < 6 && d.face) setText(design.faceName[part][s], 32, ini.get(n.face, name, 29, face) ? face : d.face);
    design.widthPercent[part][s] = ini.getInt(n.width, name, 3, d.widthPercent);
    design.heightPercent[part][s] = ini.getInt(n.height, name, 3, d.heightPercent);
    design.fixedRatio[part][s] = ini.getInt(n.ratio, name, 3, d.fixedRatio) != 0;
    design.bold[part][s] = ini.getInt(n.bold, name, 3, part <= 1 ? 1 : 0) != 0;
    design.italic[part][s] = ini.getInt(n.italic, name, 3, 0) != 0;
    design.underline[part][s] = ini.getInt(n.underline, name, 3, 0) != 0;
}

}  // namespace

int designPartCount(DesignSetKind set) { return set == kCalendarDesign ? 9 : 5; }

const char* designPartName(DesignSetKind set, int part) {
    return part >= 0 && part < designPartCount(set) ? defaultsOf(set, part).name : "";
}

bool partHasHeight(DesignSetKind set, int part) {
    return part >= 0 && part < designPartCount(set) && defaultsOf(set, part).heightMetric != 0;
}

bool partHasFont(DesignSetKind set, int part) {
    return part >= 0 && part < designPartCount(set) && defaultsOf(set, part).widthPercent != -1;
}

std::array<std::int32_t, kDayKinds> parseColourList(std::string_view text) {
    std::array<std::int32_t, kDayKinds> list;
    list.fill(kNoColour);
    for (int k = 0; k < kDayKinds; ++k) {
        const std::size_t at = static_cast<std::size_t>(k) * 9;
        if (at >= text.size()) break;
        const std::string entry(text.substr(at, 8));
        list[k] = static_cast<std::int32_t>(std::strtol(entry.c_str(), nullptr, 10));
        if (list[k] == kNoColour) break;
    }
    return list;
}

SettingsTable designSettingsTable(DesignSetKind set, DesignMetrics metrics) {
    SettingsTable t;
    t.push_back({"colorname", "colorname", SettingType::Text, offsetof(DesignSet, schemeName), 0, 260, "標準"});
    for (int part = 0; part < designPartCount(set); ++part) addPartSettings(t, set, part, metrics);
    t.push_back({"System", "Button", SettingType::Switch8, offsetof(DesignSet, systemButtonColours), 0});
    t.push_back({"Smoothing", "Font", SettingType::Switch8, offsetof(DesignSet, forcedSmoothing), 1});
    return t;
}

void resetDesignSet(DesignSet& design, DesignSetKind set, DesignMetrics metrics) {
    std::memset(&design, 0, sizeof design);
    for (auto& part : design.colour)
        for (auto& kind : part)
            for (auto& role : kind)
                for (std::int32_t& c : role) c = kNoColour;
    for (auto& percent : design.widthPercent) percent[0] = percent[1] = -1;
    for (auto& percent : design.heightPercent) percent[0] = percent[1] = -1;
    resetSettings(&design, designSettingsTable(set, metrics));
}

void readDesignSet(DesignSet& design, DesignSetKind set, const SettingsStore& store, DesignMetrics metrics) {
    const SettingsTable table = designSettingsTable(set, metrics);
    resetDesignSet(design, set, metrics);
    readSettings(&design, table, store);
}

void writeDesignSet(const DesignSet& design, DesignSetKind set, SettingsStore& store) {
    // Defaults play no part in writing, so any metrics do.
    writeSettings(&design, designSettingsTable(set, DesignMetrics{0, 0}), store);
}

const SettingsTable& customColourTable() {
    static const SettingsTable table = [] {
        SettingsTable t;
        for (std::size_t i = 0; i < 16; ++i)
            t.push_back({"custcolor", std::to_string(i), SettingType::Int32, i * sizeof(std::int32_t), 16777215});
        return t;
    }();
    return table;
}

std::int32_t designColour(const DesignSet& design, int part, int dayKind, ColourRole role, DesignState state) {
    if (part < 0 || part >= kDesignParts || dayKind < 0 || dayKind >= kDayKinds) return kNoColour;
    for (int k = 0; k <= dayKind; ++k)
        if (design.colour[part][k][role][state] == kNoColour) return kNoColour;
    return design.colour[part][dayKind][role][state];
}

std::string formatSchemeFile(const DesignSet& design, DesignSetKind set, const CustomColours& customColours) {
    // Sections in the order the profile functions create them: part 0 of
    // each state opens its sections, the other parts add keys.
    std::vector<std::pair<std::string, std::string>> sections;  // name, body
    auto put = [&sections](const std::string& section, const std::string& key, const std::string& raw) {
        const std::string value = iniValue(raw);
        for (auto& s : sections) {
            if (s.first == section) {
                s.second += key + "=" + value + "\r\n";
                return;
            }
        }
        sections.emplace_back(section, key + "=" + value + "\r\n");
    };
    put("colorname", "colorname", design.schemeName);
    for (int part = 0; part < designPartCount(set); ++part) put("height", designPartName(set, part), std::to_string(design.height[part]));
    for (int part = 0; part < designPartCount(set); ++part) {
        const PartDefaults& d = defaultsOf(set, part);
        for (int s = 0; s < 2; ++s) {
            const StateNames& n = kNames[s];
            put(n.relief, d.name, std::to_string(design.relief[part][s]));
            for (ColourRole role : {kBackground, kText})
                put(n.lists[role], d.name, schemeList(listOf(design, part, role, static_cast<DesignState>(s))));
            if (part < 6 && d.face) put(n.face, d.name, design.faceName[part][s]);
            put(n.width, d.name, std::to_string(design.widthPercent[part][s]));
            put(n.height, d.name, std::to_string(design.heightPercent[part][s]));
            put(n.ratio, d.name, std::to_string(design.fixedRatio[part][s]));
            put(n.bold, d.name, std::to_string(design.bold[part][s]));
            put(n.italic, d.name, std::to_string(design.italic[part][s]));
            put(n.underline, d.name, std::to_string(design.underline[part][s]));
        }
    }
    put("System", "Button", std::to_string(design.systemButtonColours));
    for (int i = 0; i < 16; ++i) put("custcolor", std::to_string(i), std::to_string(customColours[i]));
    std::string out;
    for (const auto& [name, body] : sections) out += "[" + name + "]\r\n" + body;
    return out;
}

SaveResult saveSchemeFile(FileSystem& files, const std::string& path, const DesignSet& design, DesignSetKind set,
                          const CustomColours& customColours) {
    return rewriteFile(files, path, [&](std::string_view) { return formatSchemeFile(design, set, customColours); });
}

void parseSchemeFile(DesignSet& design, DesignSetKind set, std::string_view content, DesignMetrics metrics,
                     CustomColours* customColours) {
    const IniFile ini(content);
    std::string name;
    if (ini.get("colorname", "colorname", 259, name)) setText(design.schemeName, sizeof design.schemeName, name);
    for (int part = 0; part < designPartCount(set); ++part) {
        const PartDefaults& d = defaultsOf(set, part);
        if (d.heightMetric != 0) design.height[part] = ini.getInt("height", d.name, 3, defaultHeight(d, metrics));
        for (int s = 0; s < 2; ++s) readSchemeState(design, set, part, s, ini);
    }
    design.systemButtonColours = ini.getInt("System", "Button", 3, 0) != 0;
    if (customColours)
        for (int i = 0; i < 16; ++i) (*customColours)[i] = ini.getInt("custcolor", std::to_string(i), 15, 16777215);
}

}  // namespace tavo
