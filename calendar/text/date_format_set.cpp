#include "date_format_set.h"

#include <cstring>

#include "shared/cp932.h"
#include "shared/settings_store.h"

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

void setPattern(char (&out)[256], std::string_view text) { copyToField(out, sizeof out, text); }

}  // namespace

const char* dateTextPartName(DateTextPart part) {
    return part >= 0 && part < kDateTextPartCount ? kDefaults[part].name : "";
}

int groupPartCount(int group) { return group == 0 ? kCalendarParts : kRangeViewParts; }

DateTextPart groupPart(int group, int index) {
    return static_cast<DateTextPart>(group == 0 ? index : kPartSchDate + index);
}

void resetDateFormatSet(DateFormatSet& set, int group) {
    std::memset(&set, 0, sizeof set);
    for (int i = 0; i < groupPartCount(group); ++i) {
        const PartDefaults& d = kDefaults[groupPart(group, i)];
        std::memcpy(set.selections[i], d.selections, sizeof d.selections);
        setPattern(set.pattern[i], d.pattern);
    }
}

void readDateFormatSet(DateFormatSet& set, int group, const SettingsStore& store) {
    resetDateFormatSet(set, group);
    for (int s = 0; s < kSelectionCount; ++s) {
        const auto key = store.openForReading(kSelectionKeys[s]);
        for (int i = 0; i < groupPartCount(group); ++i)
            set.selections[i][s] = key->readInt(dateTextPartName(groupPart(group, i)), set.selections[i][s]);
    }
    const auto own = store.openForReading("own");
    const auto text = store.openForReading("dttext");
    for (int i = 0; i < groupPartCount(group); ++i) {
        const char* name = dateTextPartName(groupPart(group, i));
        set.ownPattern[i] = own->readSwitch(name, false);
        setPattern(set.pattern[i], text->readString(name, set.pattern[i]));
    }
}

void writeDateFormatSet(const DateFormatSet& set, int group, SettingsStore& store) {
    for (int s = 0; s < kSelectionCount; ++s) {
        const auto key = store.createForWriting(kSelectionKeys[s]);
        for (int i = 0; i < groupPartCount(group); ++i)
            key->writeInt(dateTextPartName(groupPart(group, i)), set.selections[i][s]);
    }
    const auto own = store.createForWriting("own");
    const auto text = store.createForWriting("dttext");
    for (int i = 0; i < groupPartCount(group); ++i) {
        const char* name = dateTextPartName(groupPart(group, i));
        own->writeInt(name, set.ownPattern[i] ? 1 : 0);
        text->writeString(name, set.pattern[i]);
    }
}

}  // namespace tavo
