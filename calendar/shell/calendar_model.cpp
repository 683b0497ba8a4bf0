#include "calendar_model.h"

#include <vector>

#include "calendar/data/month_grid.h"
#include "calendar/text/date_presets.h"
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

DesignMetrics designMetrics() { return {GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYSMCAPTION)}; }

void loadWindowStyles(App& a) {
    readWindowStyle(a.settings->style[kCalendarStyle], kCalendarStyle, a.store);
    readWindowStyle(a.settings->style[kRangeViewStyle], kRangeViewStyle, a.store);
}

void loadSettings(App& a) {
    SharedSettings& s = *a.settings;
    const std::string windir = windowsFolder();
    initPathDefaults(s.paths, programPath(), windir);
    resetEnvironment(s.env, s.paths.programFolder);
    readDesignSet(s.design[kCalendarDesign], kCalendarDesign, a.store, designMetrics());
    readDesignSet(s.design[kRangeViewDesign], kRangeViewDesign, a.store, designMetrics());
    readEnvironment(s.env, a.store);
    loadFolderSettings(s.paths, a.store);
    readDateFormatSet(s.dateFormats[0], 0, a.store);
    readDateFormatSet(s.dateFormats[1], 1, a.store);
    resetPopupMenuFlags(s.menu);
    readPopupMenuFlags(s.menu, a.store);
    resetRangeViewSettings(s.range);
    readRangeViewSettings(s.range, a.store);
    resetClosedDays(s.closedDays);
    loadClosedDays(s.closedDays, a.files, s.paths.programFolder, a.store);
}

void rebuildMonthView(App& a) {
    const SharedSettings& s = *a.settings;
    const DataSources sources{a.files, s.paths, s.closedDays, s.env};
    rebuildMonth(a.grid, a.dayOff, a.selected.year(), a.selected.month(),
                 {a.style().rok != 0, a.style().fwk != 0}, sources);
}

DayDate selectedDayDate(App& a) {
    DayDate d = dayDate(a.selected.year(), a.selected.month(), a.selected.day());
    d.weekday = a.selected.weekday();
    d.fromToday = a.selected.daysFromToday();
    return d;
}

void rebuildTexts(App& a) {
    const DateFormatSet& formats = a.settings->dateFormats[0];
    const DayDate d = selectedDayDate(a);
    a.caption = partText(formats, 0, kPartYearMon, d, a.locale);
    a.normalTitle = calendarTitle(formats, d, a.locale);
    a.minimizedTitle = minimizedTitle(formats, d, a.locale);
    a.statusText = statusText(formats, a.settings->closedDays, d, a.locale);
    weekdayHeaders(formats, a.locale, a.weekdayNames);
}

}  // namespace tavo::shell
