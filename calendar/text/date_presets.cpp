#include "date_presets.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "calendar/calc/closed_days.h"
#include "calendar/calc/holiday_table.h"
#include "calendar/calc/holidays.h"
#include "date_pattern.h"
#include "locale_info.h"
#include "shared/calendar_day.h"
#include "shared/cp932.h"
#include "shared/era.h"

namespace tavo {
namespace {

constexpr int kYearNone = 3, kMonthNone = 3;
const char* const kEnglishWeekdays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Every date header of the range view goes through here: the pieces are
// appended to one text, without temporaries or printf.

// Right-aligned in width columns, as "%*d" prints it.
void appendPadded(std::string& out, int value, std::size_t width = 0) {
    char text[24];
    char* const digits = text + 8;  // room for up to 8 blanks before
    const std::size_t n = static_cast<std::size_t>(std::to_chars(digits, text + sizeof text, value).ptr - digits);
    const std::size_t blanks = std::min<std::size_t>(n < width ? width - n : 0, 8);
    std::fill(digits - blanks, digits, ' ');
    out.append(digits - blanks, n + blanks);
}

std::string padded(int value, std::size_t width = 0) {
    std::string text;
    appendPadded(text, value, width);
    return text;
}

void appendYearPiece(std::string& out, int style, const DayDate& d) {
    if (style == 2) return appendPadded(out, d.year, 4);
    if (style != 0 && style != 1) return;
    const EraYear e = eraOf(d.year, d.month, d.day);
    if (style == 0) out += eraName(e.era);
    else out += eraInitial(e.era);
    appendPadded(out, e.year, style == 0 ? 2 : 0);
}

void appendMonthPiece(std::string& out, int style, int month) {
    switch (style) {
        case 0: return appendPadded(out, month, 2);
        case 1: out += std::string_view(englishMonthName(month)).substr(0, 3); return;
        case 2: out += englishMonthName(month); return;
        default: return;
    }
}

void appendWeekdayPiece(std::string& out, int style, int weekday) {
    if (weekday < 0 || weekday > 6) return;
    switch (style) {
        case 0: out += japaneseWeekdayCharacter(weekday); return;
        case 1: out.append(japaneseWeekdayCharacter(weekday)).append("曜日"); return;
        case 2: out += std::string_view(kEnglishWeekdays[weekday]).substr(0, 2); return;
        case 3: out += std::string_view(kEnglishWeekdays[weekday]).substr(0, 3); return;
        case 4: out += kEnglishWeekdays[weekday]; return;
        default: return;
    }
}

std::string weekdayPiece(int style, int weekday) {
    std::string text;
    appendWeekdayPiece(text, style, weekday);
    return text;
}

void appendNumPiece(std::string& out, int style, int fromToday) {
    if (style != 0) return;
    out += fromToday >= 0 ? "[+" : "[";
    appendPadded(out, fromToday);
    out += ']';
}

// Appends what piece appends inside opening and closing, or nothing when it appends nothing.
template <class Piece>
bool appendEnclosed(std::string& out, std::string_view opening, std::string_view closing, Piece piece) {
    const std::size_t start = out.size();
    out += opening;
    const std::size_t inside = out.size();
    piece();
    if (out.size() == inside) {
        out.resize(start);
        return false;
    }
    out += closing;
    return true;
}

void appendYearPart(std::string& out, const Selections& sel, const DayDate& d) {
    const int layout = sel[kSelLayout];
    const std::string_view opening = layout == 4 ? "," : layout == 5 ? "." : "";
    if (!appendEnclosed(out, opening, layout == 0 ? "年" : "", [&] { appendYearPiece(out, sel[kSelYear1], d); })) return;
    appendEnclosed(out, "(", layout == 0 ? "年)" : ")", [&] { appendYearPiece(out, sel[kSelYear2], d); });
}

void appendDayPiece(std::string& out, const Selections& sel, int day) {
    if (sel[kSelDay] != 0) return;
    if (sel[kSelYear1] == kYearNone && sel[kSelMonth] == kMonthNone) return appendPadded(out, day, 2);
    static const char* const kBefore[6] = {"", "/", "-", ".", " ", ""};
    const int layout = sel[kSelLayout];
    if (layout < 0 || layout > 5) return;
    out += kBefore[layout];
    appendPadded(out, day, 2);
    if (layout == 0) out += "日";
}

void appendWeekdayInDate(std::string& out, const Selections& sel, int weekday) {
    const bool commaAfter = sel[kSelLayout] == 4;
    appendEnclosed(out, commaAfter ? "" : "(", commaAfter ? "," : ")", [&] { appendWeekdayPiece(out, sel[kSelWeek], weekday); });
}

bool ownPatternOf(const DateFormatSet& set, int index) { return set.ownPattern[index] != 0; }

void appendYearMonth(std::string& out, const Selections& sel, const DayDate& date) {
    const int layout = sel[kSelLayout];
    if (layout == 4) {
        appendMonthPiece(out, sel[kSelMonth], date.month);
        return appendYearPart(out, sel, date);
    }
    const std::size_t start = out.size();
    appendYearPart(out, sel, date);
    const std::size_t yearEnd = out.size();
    static const char* const kBetween[4] = {"", "/", "-", "."};
    if (layout >= 1 && layout <= 3 && sel[kSelYear1] != kYearNone) out += kBetween[layout];
    const std::size_t monthStart = out.size();
    appendMonthPiece(out, sel[kSelMonth], date.month);
    if (out.size() == monthStart) out.resize(yearEnd);  // no month: the year alone
    else if (layout == 0) out += "月";
    else if (layout < 0 || layout > 3) out.resize(start);  // no year-month text in this layout
}

void appendFullDate(std::string& out, const Selections& sel, const DayDate& date) {
    const int layout = sel[kSelLayout];
    switch (layout) {
        case 0: case 1: case 2: case 3:
            appendYearMonth(out, sel, date);
            appendDayPiece(out, sel, date.day);
            appendWeekdayInDate(out, sel, date.weekday);
            break;
        case 4:
            appendWeekdayInDate(out, sel, date.weekday);
            appendMonthPiece(out, sel[kSelMonth], date.month);
            appendDayPiece(out, sel, date.day);
            appendYearPart(out, sel, date);
            break;
        case 5: {
            const std::size_t dayStart = out.size();
            appendDayPiece(out, sel, date.day);
            if (out.size() != dayStart) out += '.';
            appendMonthPiece(out, sel[kSelMonth], date.month);
            appendYearPart(out, sel, date);
            appendWeekdayInDate(out, sel, date.weekday);
            break;
        }
        default: return;
    }
    appendNumPiece(out, sel[kSelNum], date.fromToday);
}

// Cuts what was appended from start on to a date text's length. Preset
// pieces are whole characters: a text that fits is left as it is.
void fitFrom(std::string& out, std::size_t start) {
    if (out.size() - start < kDateTextBytes) return;
    out.resize(start + cp932FitLength(std::string_view(out).substr(start), kDateTextBytes - 1));
}

}  // namespace

std::string yearMonthText(const Selections& sel, const DayDate& date) {
    std::string text;
    appendYearMonth(text, sel, date);
    return text;
}

std::string fullDateText(const Selections& sel, const DayDate& date) {
    std::string text;
    appendFullDate(text, sel, date);
    fitFrom(text, 0);
    return text;
}

std::string yearPieceText(int style, int year, int month, int day) {
    std::string text;
    appendYearPieceText(text, style, year, month, day);
    return text;
}

void appendYearPieceText(std::string& out, int style, int year, int month, int day) {
    appendYearPiece(out, style, dayDate(year, month, day));
}

std::string weekdayHeaderText(int weekStyle, int weekday) { return weekdayPiece(weekStyle, weekday); }

std::string partText(const DateFormatSet& set, int group, int index, const DayDate& date, const LocaleInfo& locale) {
    std::string text;
    appendPartText(text, set, group, index, date, locale);
    return text;
}

void appendPartText(std::string& out, const DateFormatSet& set, int group, int index, const DayDate& date,
                    const LocaleInfo& locale) {
    const DateTextPart part = groupPart(group, index);
    const std::size_t start = out.size();
    if (ownPatternOf(set, index)) {
        if (part == kPartYearMon) out += formatYearMonthPattern(set.pattern[index], date, locale);
        else if (part == kPartWeek) out += formatWeekdayPattern(set.pattern[index], date.weekday, locale);
        else out += formatDatePattern(set.pattern[index], date, locale);
        return;
    }
    if (part == kPartWeek) return appendWeekdayPiece(out, set.selections[index][kSelWeek], date.weekday);
    if (part == kPartYearMon) appendYearMonth(out, set.selections[index], date);
    else appendFullDate(out, set.selections[index], date);
    fitFrom(out, start);
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
        text.append(" ").append(shownHolidayName(name, date.year));
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
            std::string month;
            if (sel[kSelMonth] == kMonthNone) appendPadded(month, date.month, 2);
            else appendMonthPiece(month, sel[kSelMonth], date.month);
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
