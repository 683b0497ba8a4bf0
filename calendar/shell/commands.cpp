#include "commands.h"
#include "search_window.h"
#include "year_window.h"
#include "print_window.h"

#include "calendar/data/day_off.h"
#include "calendar/data/external_program.h"
#include "calendar_input.h"
#include "icalendar_commands.h"
#include "sync_commands.h"
#include "birthday_window.h"
#include "day_schedule_window.h"
#include "dialogs.h"
#include "launch.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

void jump(CalendarWindow& a) {
    if (runJumpDialog(a)) showSelectedDate(a, true);
}

void options(CalendarWindow& a) { openOptions(a, false); }

}  // namespace

void openOptions(CalendarWindow& a, bool fromRangeView) {
    if (HWND open = findWindowOf(WindowKind::Options)) {
        SetFocus(open);
        return;
    }
    a.shared().optionsDate = {a.selected.day(), a.selected.month(), a.selected.year()};
    HMODULE library = LoadLibraryW(L"TavoCust.DLL");
    using Entry = int (*)(SharedSettings*, unsigned char);
    auto entry = library ? reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "TavoCust"))) : nullptr;
    if (entry == nullptr) win::tellUser(a.window, L"オプション(TavoCust.DLL)を読み込めません。", win::Tone::Error);
    else entry(&a.shared(), fromRangeView ? 1 : 0);
    if (library) FreeLibrary(library);
}

namespace {

void about(CalendarWindow& a) { runAboutBox(a); }

void close(CalendarWindow& a) { PostMessageW(a.window, WM_CLOSE, 0, 0); }

void toggleDayOff(CalendarWindow& a) {
    const SharedSettings& s = a.shared();
    const std::string file = dayOffFile(s.paths, a.selected.year());
    const int month = a.selected.month(), day = a.selected.day();
    const bool marked = !isDayOff(a.dayOff, month, day);  // the opposite of what the calendar shows
    const SaveResult saved = markDayOff(a.dayOff, a.process.files, s.paths, a.selected.year(), month, day, marked);
    if (!saved) {
        const std::wstring text = L"休暇の設定を保存できませんでした。\n" + cp932ToWide(file) + L"\n" + cp932ToWide(saved.reason);
        win::tellUser(a.window, text);
    }
    refreshWindows(kRefreshedWindows, kRefreshData);
}

// The check mark of 906 says whether the day is off: closed days are off
// unless marked, open days when marked.
bool dayIsOff(const CalendarWindow& a) {
    const CellPosition p = a.grid.dayCell[a.selected.day()];
    const bool closed = a.grid.cellClosed[cellIndex(p.column, p.row)] != 0;
    return closed != isDayOff(a.dayOff, a.selected.month(), a.selected.day());
}

bool notMinimized(const CalendarWindow& a) { return !a.minimized; }

template <ScheduleKind kind>
void schedule(CalendarWindow& a) {
    openDaySchedule(a, kind);
}

template <PersonalDayKind kind>
void personal(CalendarWindow& a) {
    openBirthdays(a, kind);
}

void runExternal(CalendarWindow& a) {
    const PathSettings& paths = a.shared().paths;
    runExternalProgram(a.window, paths, externalCommandFile(paths, a.selected.year(), a.selected.month(), a.selected.day()));
}

void help(CalendarWindow& a) { openHelpPage(a.window, a.shared().paths, kHelpIndexPage, SW_SHOW); }
void latestVersion(CalendarWindow& a) { openHelpPage(a.window, a.shared().paths, kLatestVersionPage, SW_SHOWNORMAL); }


template <NavigationStep step>
void move(CalendarWindow& a) {
    runStep(a, step);
}

void openRange(CalendarWindow& a) { askForRangeView(a); }
void printMonth(CalendarWindow& a) { openPrintPreview(a, PrintWhat::Month); }

const Command kCommands[] = {
    {CMD_JUMP, "jump to a date", jump, notMinimized, nullptr, -1},
    {CMD_EXTERNAL, "run the external program", runExternal, notMinimized, nullptr, -1},
    {CMD_OPTIONS, "options", options, nullptr, nullptr, -1},
    {CMD_HELP, "help", help, nullptr, nullptr, -1},
    {CMD_ABOUT, "about", about, nullptr, nullptr, -1},
    {CMD_CLOSE, "close", close, nullptr, nullptr, -1},
    {CMD_LATEST, "latest version", latestVersion, nullptr, nullptr, -1},
    {CMD_DAY_SCHEDULE, "day schedule", schedule<kScheduleDay>, nullptr, nullptr, 0},
    {CMD_BIRTHDAY, "birthdays", personal<kBirthday>, nullptr, nullptr, 2},
    {CMD_ANNIVERSARY, "anniversaries", personal<kAnniversary>, nullptr, nullptr, 3},
    {CMD_MEMO, "memo", schedule<kScheduleMemo>, nullptr, nullptr, 4},
    {CMD_DAY_OFF, "day off", toggleDayOff, nullptr, dayIsOff, 5},
    {CMD_EVERY_YEAR, "every-year schedule", schedule<kScheduleEveryYear>, nullptr, nullptr, 6},
    {CMD_EVERY_MONTH, "every-month schedule", schedule<kScheduleEveryMonth>, nullptr, nullptr, 7},
    {CMD_EVERY_MONTH_LATER, "every-month schedule, later when closed", schedule<kScheduleEveryMonthLater>, nullptr, nullptr, 8},
    {CMD_EVERY_MONTH_EARLIER, "every-month schedule, earlier when closed", schedule<kScheduleEveryMonthEarlier>, nullptr, nullptr, 9},
    {CMD_EVERY_WEEK, "every-week schedule", schedule<kScheduleEveryWeek>, nullptr, nullptr, 10},
    {CMD_ICS_EXPORT, "iCalendar export", exportICalendarFile, notMinimized, nullptr, -1},
    {CMD_ICS_IMPORT, "iCalendar import", importICalendarFile, notMinimized, nullptr, -1},
    {CMD_SYNC, "sync with the CalDAV calendar", syncNow, notMinimized, nullptr, -1},
    {CMD_FIND, "search", openFind, nullptr, nullptr, -1},
    {CMD_YEAR_VIEW, "year view", openYearView, nullptr, nullptr, -1},
    {CMD_PRINT, "print", printMonth, nullptr, nullptr, -1},
    {CMD_PREV_DAY, "the day before", move<NavigationStep::PrevDay>},
    {CMD_NEXT_DAY, "the day after", move<NavigationStep::NextDay>},
    {CMD_PREV_WEEK, "a week back", move<NavigationStep::PrevWeek>},
    {CMD_NEXT_WEEK, "a week on", move<NavigationStep::NextWeek>},
    {CMD_PREV_YEAR, "the year before", move<NavigationStep::PrevYear>},
    {CMD_NEXT_YEAR, "the year after", move<NavigationStep::NextYear>},
    {CMD_PREV_MONTH, "the month before", move<NavigationStep::PrevMonth>},
    {CMD_NEXT_MONTH, "the month after", move<NavigationStep::NextMonth>},
    {CMD_TODAY, "today", move<NavigationStep::Today>},
    {CMD_RANGE_VIEW, "the range view", openRange},
};

const win::KeyBinding kKeys[] = {
    {VK_RETURN, false, CMD_RANGE_VIEW}, {VK_PRIOR, false, CMD_PREV_MONTH}, {VK_NEXT, false, CMD_NEXT_MONTH},
    {VK_HOME, false, CMD_TODAY},        {VK_LEFT, false, CMD_PREV_DAY},    {VK_UP, false, CMD_PREV_WEEK},
    {VK_RIGHT, false, CMD_NEXT_DAY},    {VK_DOWN, false, CMD_NEXT_WEEK},    {'F', true, CMD_FIND},
    {'Y', true, CMD_YEAR_VIEW}, {'P', true, CMD_PRINT},
    {VK_PRIOR, true, CMD_PREV_YEAR},    {VK_NEXT, true, CMD_NEXT_YEAR},  // as the year buttons
};

const win::CommandList<CalendarWindow> kList(kCommands, kKeys);

}  // namespace

const win::CommandList<CalendarWindow>& calendarCommands() { return kList; }

bool runCommand(CalendarWindow& a, UINT id) { return kList.run(a, id); }

void updateMenuStates(const CalendarWindow& a, HMENU menu) { kList.updateMenu(a, menu); }

}  // namespace tavo::shell
