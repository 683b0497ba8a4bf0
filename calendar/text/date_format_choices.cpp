#include "date_format_choices.h"

namespace tavo {
namespace {

const char* const kLabels[kDateTextPartCount] = {
    "年,月表示部", "曜日表示部", "ステータスバー", "タイトルバー(通常表示時)", "タイトルバー(最小化時)", "日付表示部", "タイトルバー",
};

const char* const kYearMonthLayouts[] = {"Year1年(Year2年)Mon月", "Year1(Year2)/Mon", "Year1(Year2)-Mon",
                                         "Year1(Year2).Mon", "Mon,Year1(Year2)"};
const char* const kFullDateLayouts[] = {
    "Year1年(Year2年)Mon月Day日(Week)[+Num]", "Year1(Year2)/Mon/Day(Week)[+Num]",
    "Year1(Year2)-Mon-Day(Week)[+Num]",       "Year1(Year2).Mon.Day(Week)[+Num]",
    "Week,Mon Day,Year1(Year2)[+Num]",        "Day.Mon.Year1(Year2) (week)[+Num]",
};
const char* const kWeekLayouts[] = {"Week"};
// The last entry of each list is "なし"; texts that must show the field leave it out.
const char* const kYears[] = {"ggY", "gY", "yyyy", "なし"};
const char* const kMonths[] = {"m", "Jan", "January", "なし"};
const char* const kDays[] = {"d", "なし"};
const char* const kWeekdays[] = {"ddd", "dddd", "Su", "Sun", "Sunday", "なし"};
const char* const kNums[] = {"N", "なし"};

using Choices = std::span<const char* const>;

Choices withoutNone(Choices list) { return list.first(list.size() - 1); }

Choices yearMonthChoices(Selection selection) {
    switch (selection) {
        case kSelLayout: return kYearMonthLayouts;
        case kSelYear1:
        case kSelYear2: return kYears;
        case kSelMonth: return withoutNone(kMonths);
        default: return {};
    }
}

Choices weekChoices(Selection selection) {
    switch (selection) {
        case kSelLayout: return kWeekLayouts;
        case kSelWeek: return withoutNone(kWeekdays);
        default: return {};
    }
}

Choices fullDateChoices(Selection selection) {
    switch (selection) {
        case kSelLayout: return kFullDateLayouts;
        case kSelYear1:
        case kSelYear2: return kYears;
        case kSelMonth: return kMonths;
        case kSelDay: return kDays;
        case kSelWeek: return kWeekdays;
        case kSelNum: return kNums;
        default: return {};
    }
}

}  // namespace

const char* dateTextPartLabel(DateTextPart part) { return part >= 0 && part < kDateTextPartCount ? kLabels[part] : ""; }

std::span<const char* const> selectionChoices(DateTextPart part, Selection selection) {
    switch (part) {
        case kPartYearMon: return yearMonthChoices(selection);
        case kPartWeek: return weekChoices(selection);
        case kPartStatusBar:
        case kPartCaptionN:
        case kPartCaptionM:
        case kPartSchDate:
        case kPartCaption: return fullDateChoices(selection);
        default: return {};
    }
}

}  // namespace tavo
