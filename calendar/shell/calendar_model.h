// Loading the settings into the shared block and rebuilding the shown month
// and its texts from them.
#pragma once

#include "app.h"

namespace tavo::shell {

void loadSettings(App& a);            // everything but the window styles
void loadWindowStyles(App& a);
void rebuildMonthView(App& a);        // grid, marks and the day-off table
void rebuildTexts(App& a);            // caption, titles, status text, weekday names
DayDate selectedDayDate(App& a);
DesignMetrics designMetrics();

}  // namespace tavo::shell
