// Date texts built from preset selections (layout, year1, year2, month, day,
// week, num), and the texts of the shown date built from them.
#pragma once

#include <string>

#include "calendar/calc/day_date.h"
#include "date_format_set.h"

namespace tavo {

class LocaleInfo;
struct ClosedDays;

using Selections = std::int32_t[kSelectionCount];

// date needs day, month, year, weekday and fromToday.
std::string yearMonthText(const Selections& sel, const DayDate& date);
std::string fullDateText(const Selections& sel, const DayDate& date);
// The year of a date in a preset year style (0 era name, 1 era letter, 2 Gregorian, 3 none).
std::string yearPieceText(int style, int year, int month, int day);
void appendYearPieceText(std::string& out, int style, int year, int month, int day);
// Weekday header cell for week style 0..4 (0 = Sunday).
std::string weekdayHeaderText(int weekStyle, int weekday);

// The text of one part of a group, from its pattern or its presets.
std::string partText(const DateFormatSet& set, int group, int index, const DayDate& date, const LocaleInfo& locale);
void appendPartText(std::string& out, const DateFormatSet& set, int group, int index, const DayDate& date,
                    const LocaleInfo& locale);
// The seven weekday header texts, Sunday first.
void weekdayHeaders(const DateFormatSet& calendar, const LocaleInfo& locale, std::string (&out)[7]);

std::string calendarTitle(const DateFormatSet& calendar, const DayDate& date, const LocaleInfo& locale);
std::string minimizedTitle(const DateFormatSet& calendar, const DayDate& date, const LocaleInfo& locale);
// The status text followed by the date's holiday name or closed-day rule name.
std::string statusText(const DateFormatSet& calendar, const ClosedDays& days, const DayDate& date,
                       const LocaleInfo& locale);

// Day-schedule window title for a schedule kind (1 day .. 7 memo), from the
// range view's Caption selections.
std::string scheduleWindowTitle(const DateFormatSet& rangeView, int scheduleKind, const DayDate& date);
// The birthday window's title: the date as the data windows write it, then " の誕生日" or " 記念日".
std::string personalWindowTitle(const DateFormatSet& rangeView, bool birthdays, const DayDate& date);

}  // namespace tavo
