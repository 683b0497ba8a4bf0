// What the main window does with the mouse, the keyboard, menus and commands.
#pragma once

#include <windows.h>

#include "app.h"
#include "calendar/calc/navigation.h"

namespace tavo::shell {

enum class Pointer { LeftPress, RightPress, Move, DoubleClick, Release };

void onPointer(App& a, int x, int y, Pointer kind);
void runStep(App& a, NavigationStep step);
void onKeyDown(App& a, WPARAM key);
void onKeyUp(App& a, WPARAM key);
void onRightButtonUp(App& a, int x, int y);
void onContextMenu(App& a, int screenX, int screenY);
void onCommand(App& a, UINT id);
void onDateWatch(App& a);
void onToday(App& a);
// After any change of the selected date: texts, grid when the month changed, repaint.
void showSelectedDate(App& a, bool monthChanged);

}  // namespace tavo::shell
