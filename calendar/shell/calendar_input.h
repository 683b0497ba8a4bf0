// What the main window does with the mouse, the keyboard, menus and commands.
#pragma once

#include <windows.h>

#include "calendar_window.h"
#include "calendar/calc/navigation.h"

namespace tavo::shell {

enum class Pointer { LeftPress, RightPress, Move, DoubleClick, Release };

void onPointer(CalendarWindow& a, int x, int y, Pointer kind);
void runStep(CalendarWindow& a, NavigationStep step);
// Opens the range view, or brings it forward and refreshes it.
void askForRangeView(CalendarWindow& a);
// The day selected (clamped to the calendar's years); the other windows follow.
void selectDate(CalendarWindow& a, int serial);
// The day selected (the calendar shown and in front) and the range view opened there.
void selectDayWithRangeView(CalendarWindow& a, int serial);
void onKeyDown(CalendarWindow& a, WPARAM key);
void onKeyUp(CalendarWindow& a, WPARAM key);
void onRightButtonUp(CalendarWindow& a, int x, int y);
void onContextMenu(CalendarWindow& a, int screenX, int screenY);
void onDateWatch(CalendarWindow& a);
void onToday(CalendarWindow& a);
// After any change of the selected date: texts, grid when the month changed, repaint.
void showSelectedDate(CalendarWindow& a, bool monthChanged);
// A reminder's 開く: the day selected and its schedule (of the kind) opened.
void onOpenDay(CalendarWindow& a, int yyyymmdd, ScheduleKind kind);

}  // namespace tavo::shell
