#include "date_presets.h"

#include <charconv>
#include <string_view>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holidays.h"
#include "date_pattern.h"
#include "locale_info.h"
#include "shared/calendar_day.h"
#include "shared/era.h"

namespace tavo {
namespace {

constexpr int kYearNone = 3, kMonthNone = 3;
const char* const kEnglishWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Right-aligned in width columns, as "%*d" prints it; every date header of
// the range view goes through here, so no printf.
std::string padded(int value, std::size_t width = 0) {
    char digits[16];
    const std::size_t n = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    std::string text(n < width ? width - n : 0, ' ');
    return text.append(digits, n);
}

std::string yearPiece(int style, const DayDate& d) {
    const EraYear e = eraOf(d.year, d.month, d.day);
    switch (style) {
        case 0: return std::string(eraName(e.era)).append(padded(e.year, 2));
        case 1: return std::string(1, eraInitial(e.era)).append(padded(e.year));
        case 2: return padded(d.year, 4);
        default: return "";
    }
}

std::string monthPiece(int style, int month) {
    switch (style) {
        case 0: return padded(month, 2);
        case 1: return std::string(englishMonthName(month)).substr(0, 3);
        case 2: return englishMonthName(month);
        default: return "";
    }
}

std::string weekdayPiece(int style, int weekday) {
    if (weekday < 0 || weekday > 6) return "";
    switch (style) {
        case 0: return japaneseWeekdayCharacter(weekday);
        case 1: return std::string(japaneseWeekdayCharacter(weekday)) + "曜日";
        case 2: return std::string(kEnglishWeekdays[weekday]).substr(0, 2);
        case 3: return std::string(kEnglishWeekdays[weekday]).substr(0, 3);
        case 4: return kEnglishWeekdays[weekday];
        default: return "";
    }
}

std::string numPiece(int style, int fromToday) {
    if (style != 0) return "";
    return std::string(fromToday >= 0 ? "[+" : "[").append(padded(fromToday)).append("]");
}

std::string yearPart(const Selections& sel, const DayDate& d) {
    const int layout = sel[kSelLayout];
    const std::string first = yearPiece(sel[kSelYear1], d);
    if (first.empty()) return "";
    std::string text = layout == 4 ? "," + first : layout == 5 ? "." + first : first;
    if (layout == 0) text += "年";
    const std::string second = yearPiece(sel[kSelYear2], d);
    if (!second.empty()) text += layout == 0 ? "(" + second + "年)" : "(" + second + ")";
    return text;
}

std::string dayPiece(const Selections& sel, int day) {
    if (sel[kSelDay] != 0) return "";
    if (sel[kSelYear1] == kYearNone && sel[kSelMonth] == kMonthNone) return padded(day, 2);
    static const char* const kBefore[6] = {"", "/", "-", ".", " ", ""};
    const int layout = sel[kSelLayout];
    if (layout < 0 || layout > 5) return "";
    return std::string(kBefore[layout]).append(padded(day, 2)).append(layout == 0 ? "日" : "");
}

std::string weekdayInDate(const Selections& sel, int weekday) {
    const std::string text = weekdayPiece(sel[kSelWeek], weekday);
    if (text.empty()) return "";
    return sel[kSelLayout] == 4 ? text + "," : "(" + text + ")";
}

bool ownPatternOf(const DateFormatSet& set, int index) { return set.ownPattern[index] != 0; }

}  // namespace

std::string yearMonthText(const Selections& sel, const DayDate& date) {
    const std::string year = yearPart(sel, date);
    const std::string month = monthPiece(sel[kSelMonth], date.month);
    if (month.empty()) return year;
    switch (sel[kSelLayout]) {
        case 0: return year + month + "月";
        case 1: return year + (sel[kSelYear1] == kYearNone ? "" : "/") + month;
        case 2: return year + (sel[kSelYear1] == kYearNone ? "" : "-") + month;
        case 3: return year + (sel[kSelYear1] == kYearNone ? "" : ".") + month;
        case 4: return month + year;
        default: return "";
    }
}

std::string fullDateText(const Selections& sel, const DayDate& date) {
    const std::string day = dayPiece(sel, date.day);
    const std::string week = weekdayInDate(sel, date.weekday);
    const std::string num = numPiece(sel[kSelNum], date.fromToday);
    switch (sel[kSelLayout]) {
        case 0: case 1: case 2: case 3:
            return fitDateText(yearMonthText(sel, date) + day + week + num);
        case 4:
            return fitDateText(week + monthPiece(sel[kSelMonth], date.month) + day + yearPart(sel, date) + num);
        case 5:
            return fitDateText(day + (day.empty() ? "" : ".") + monthPiece(sel[kSelMonth], date.month) +
                               yearPart(sel, date) + week + num);
        default: return "";
    }
}

std::string yearPieceText(int style, int year, int month, int day) { return yearPiece(style, dayDate(year, month, day)); }

std::string weekdayHeaderText(int weekStyle, int weekday) { return weekdayPiece(weekStyle, weekday); }

std::string partText(const DateFormatSet& set, int group, int index, const DayDate& date, const LocaleInfo& locale) {
    const DateTextPart part = groupPart(group, index);
    if (ownPatternOf(set, index)) {
        if (part == kPartYearMon) return formatYearMonthPattern(set.pattern[index], date, locale);
        if (part == kPartWeek) return formatWeekdayPattern(set.pattern[index], date.weekday, locale);
        return formatDatePattern(set.pattern[index], date, locale);
    }
    if (part == kPartYearMon) return fitDateText(yearMonthText(set.selections[index], date));
    if (part == kPartWeek) return weekdayHeaderText(set.selections[index][kSelWeek], date.weekday);
    return fullDateText(set.selections[index], date);
}

void weekdayHeaders(const DateFormatSet& calendar, const LocaleInfo& locale, std::string (&out)[7]) {
    for (int w = 0; w < 7; ++w) {
        DayDate d{};
        d.weekday = w;
        out[w] = partText(calendar, 0, kPartWeek, d, locale);
    }
}

std::string calendarTitle(const DateFormatSet& calendar, const DayDate& date, const LocaleInfo& locale) {
    const std::string text = partText(calendar, 0, kPartCaptionN, date, locale);
    return fitDateText(text.empty() ? "Tavo" : "Tavo - " + text);
}

std::string minimizedTitle(const DateFormatSet& calendar, const DayDate& date, const LocaleInfo& locale) {
    return partText(calendar, 0, kPartCaptionM, date, locale);
}

std::string statusText(const DateFormatSet& calendar, const ClosedDays& days, const DayDate& date,
                       const LocaleInfo& locale) {
    std::string text = partText(calendar, 0, kPartStatusBar, date, locale);
    char name[kHolidayNameBytes] = "";
    if (isPublicHoliday({days.japaneseHolidays != 0}, date, name, true) != kNoHoliday) {
        text += std::string(" ") + name;
    } else if (isClosedDay(days, date, name) && name[0] != '\0') {
        text += std::string(" ") + name;
    }
    return fitDateText(text);
}

std::string scheduleWindowTitle(const DateFormatSet& rangeView, int scheduleKind, const DayDate& date) {
    const Selections& sel = rangeView.selections[kPartCaption - kPartSchDate];
    const int layout = sel[kSelLayout];
    std::string text;
    switch (scheduleKind) {
        case 1: text = fullDateText(sel, date); break;
        case 2: {
            const std::string month = sel[kSelMonth] == kMonthNone ? padded(date.month, 2)
                                                                   : monthPiece(sel[kSelMonth], date.month);
            static const char* const kBefore[5] = {"月", "/", "-", ".", " "};
            if (layout == 5) text = padded(date.day, 2).append(".").append(month);
            else if (layout >= 0 && layout <= 4)
                text = std::string(month).append(kBefore[layout]).append(padded(date.day, 2)).append(layout == 0 ? "日" : "");
            break;
        }
        case 3: case 4: case 5: text = padded(date.day, 2).append(layout == 0 ? "日" : ""); break;
        case 6: {
            const int week = sel[kSelWeek];
            if (week == 0 || week == 1) text = weekdayPiece(1, date.weekday);
            else if (week >= 2 && week <= 4) text = weekdayPiece(4, date.weekday);
            break;
        }
        case 7: return "メモ";
        default: return "";
    }
    text += " の予定";
    if (scheduleKind == 4) text += "(休業日は後にシフト)";
    if (scheduleKind == 5) text += "(休業日は前にシフト)";
    return fitDateText(text);
}

std::string personalWindowTitle(const DateFormatSet& rangeView, bool birthdays, const DayDate& date) {
    const Selections& sel = rangeView.selections[kPartCaption - kPartSchDate];
    return fitDateText(fullDateText(sel, date).append(birthdays ? " の誕生日" : " 記念日"));
}

}  // namespace tavo
