#include "calendar_model.h"

#include <vector>

#include "calendar/data/month_grid.h"
#include "calendar/text/date_presets.h"
#include "shared/almanac.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

std::string programPath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return wideToCp932(std::wstring_view(buffer.data(), n));
}

std::string windowsFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"windir", buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? wideToCp932(std::wstring_view(buffer, n)) : std::string("C:\\Windows");
}

}  // namespace

// Design heights are kept at 96 DPI, so their defaults are the bars' heights there.

void loadWindowStyles(CalendarWindow& a) {
    readWindowStyle(a.shared().style[kCalendarStyle], kCalendarStyle, a.process.store);
    readWindowStyle(a.shared().style[kRangeViewStyle], kRangeViewStyle, a.process.store);
}

ClosedDaysLoad loadSettings(CalendarWindow& a) {
    SharedSettings& s = a.shared();
    const std::string windir = windowsFolder();
    initPathDefaults(s.paths, programPath(), windir);
    resetEnvironment(s.env, s.paths.programFolder);
    readDesignSet(s.design[kCalendarDesign], kCalendarDesign, a.process.store, win::designMetrics());
    readDesignSet(s.design[kRangeViewDesign], kRangeViewDesign, a.process.store, win::designMetrics());
    readEnvironment(s.env, a.process.store);
    loadFolderSettings(s.paths, a.process.store);
    readDateFormatSet(s.dateFormats[0], 0, a.process.store);
    readDateFormatSet(s.dateFormats[1], 1, a.process.store);
    resetPopupMenuFlags(s.menu);
    readPopupMenuFlags(s.menu, a.process.store);
    resetRangeViewSettings(s.range);
    readRangeViewSettings(s.range, a.process.store);
    readAlmanacSettings(s.almanac, a.process.store);
    readReminderSettings(s.reminders, a.process.store);
    readSyncSettings(s.sync, a.process.store);
    resetClosedDays(s.closedDays);
    return loadClosedDays(s.closedDays, a.process.files, s.paths.programFolder, a.process.store);
}

void rebuildMonthView(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    const DataSources sources{a.process.files, s.paths, s.closedDays, s.env, &a.subscriptions};
    rebuildMonth(a.grid, a.dayOff, a.selected.year(), a.selected.month(),
                 {a.style().mondayFirst != 0, a.style().firstWeekIsThisMonth != 0}, sources);
    if (s.almanac.cells) showSolarTermsForRokuyo(a.grid);
}

DayDate selectedDayDate(CalendarWindow& a) {
    DayDate d = dayDate(a.selected.year(), a.selected.month(), a.selected.day());
    d.weekday = a.selected.weekday();
    d.fromToday = a.selected.daysFromToday();
    return d;
}



void rebuildTexts(CalendarWindow& a) {
    const DateFormatSet& formats = a.shared().dateFormats[0];
    const DayDate d = selectedDayDate(a);
    a.caption = partText(formats, 0, kPartYearMon, d, a.process.locale);
    a.normalTitle = calendarTitle(formats, d, a.process.locale);
    a.minimizedTitle = minimizedTitle(formats, d, a.process.locale);
    a.statusText = statusText(formats, a.shared().closedDays, d, a.process.locale);
    if (const std::string almanac = almanacText(d.year, d.month, d.day); a.shared().almanac.statusBar && !almanac.empty())
        a.statusText.append(" ").append(almanac);
    weekdayHeaders(formats, a.process.locale, a.weekdayNames);
}

}  // namespace tavo::shell
