#include "date_format_set.h"

#include <cstddef>
#include <cstring>

#include "shared/cp932.h"
#include "shared/settings_store.h"
#include "shared/settings_table.h"

namespace tavo {
namespace {

struct PartDefaults {
    const char* name;
    std::int32_t selections[kSelectionCount];
    const char* pattern;
};

const PartDefaults kDefaults[kDateTextPartCount] = {
    {"YearMon", {0, 2, 0, 0, 0, 0, 0}, "yyyy年(ggY年)m月"},
    {"Week", {0, 0, 0, 0, 0, 0, 0}, "ddd"},
    {"StatusBar", {1, 2, 3, 0, 0, 0, 0}, "yyyy年(ggY年)m月d日(dddd) RR [N]"},
    {"CaptionN", {1, 3, 3, 3, 1, 5, 1}, "yyyy年m月d日"},
    {"CaptionM", {1, 2, 3, 0, 0, 0, 1}, "yyyy年m月d日"},
    {"SchDate", {1, 2, 3, 0, 0, 0, 0}, "yyyy年m月d日"},
    {"Caption", {1, 2, 3, 0, 0, 0, 0}, "yyyy年m月d日"},
};

// One registry subkey per selection, in selection order.
const char* const kSelectionKeys[kSelectionCount] = {"date", "year1", "year2", "mon", "day", "week", "cal"};

// Key by key: the seven selection keys, then "own" and "dttext".
SettingsTable makeDateFormatTable(int group) {
    SettingsTable t;
    const int parts = group == 0 ? kCalendarParts : kRangeViewParts;
    const auto part = [&](int i) -> const PartDefaults& {
        return kDefaults[group == 0 ? i : kPartSchDate + i];
    };
    for (int s = 0; s < kSelectionCount; ++s)
        for (int i = 0; i < parts; ++i)
            t.push_back({kSelectionKeys[s], part(i).name, SettingType::Int32,
                         offsetof(DateFormatSet, selections) + sizeof(std::int32_t) * static_cast<std::size_t>(i * kSelectionCount + s),
                         part(i).selections[s]});
    for (int i = 0; i < parts; ++i)
        t.push_back({"own", part(i).name, SettingType::Switch8, offsetof(DateFormatSet, ownPattern) + static_cast<std::size_t>(i), 0});
    for (int i = 0; i < parts; ++i)
        t.push_back({"dttext", part(i).name, SettingType::Text,
                     offsetof(DateFormatSet, pattern) + 256 * static_cast<std::size_t>(i), 0, 256, part(i).pattern});
    return t;
}

}  // namespace

const char* dateTextPartName(DateTextPart part) {
    return part >= 0 && part < kDateTextPartCount ? kDefaults[part].name : "";
}

int groupPartCount(int group) { return group == 0 ? kCalendarParts : kRangeViewParts; }

DateTextPart groupPart(int group, int index) {
    return static_cast<DateTextPart>(group == 0 ? index : kPartSchDate + index);
}

const SettingsTable& dateFormatTable(int group) {
    static const SettingsTable tables[2] = {makeDateFormatTable(0), makeDateFormatTable(1)};
    return tables[group == 0 ? 0 : 1];
}

void resetDateFormatSet(DateFormatSet& set, int group) {
    std::memset(&set, 0, sizeof set);
    resetSettings(&set, dateFormatTable(group));
}

void readDateFormatSet(DateFormatSet& set, int group, const SettingsStore& store) {
    resetDateFormatSet(set, group);
    readSettings(&set, dateFormatTable(group), store);
}

void writeDateFormatSet(const DateFormatSet& set, int group, SettingsStore& store) {
    writeSettings(&set, dateFormatTable(group), store);
}

}  // namespace tavo
