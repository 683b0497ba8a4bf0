// On which day of a month a recurring schedule section falls.
#pragma once

#include <functional>

#include "path_settings.h"

namespace tavo {

struct ClosedDays;

// Whether a day of the month being examined is closed.
using ClosedDayTest = std::function<bool(int day)>;

// The effective day of a section with `key` in year/month, or 0 when it does
// not occur: the day its rule gives (recurrence_rule.h; with monthEndToLastDay
// a key past the month's end falls on its last day), moved off closed days
// for the shifting kinds.
// Every-week sections are not placed by day; use sectionKey instead.
int effectiveDay(ScheduleKind kind, int key, int year, int month, bool monthEndToLastDay, const ClosedDayTest& closed);

// The two closed-day tests: they differ for a public holiday on a weekly
// closed day while holidays are not closed (the grid closes it, the range not).
bool monthGridClosed(const ClosedDays& days, int year, int month, int day);
bool rangeClosed(const ClosedDays& days, int year, int month, int day);

}  // namespace tavo
