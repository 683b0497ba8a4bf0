// The range, menu, environment and folder pages: their bindings and the few
// things each does beyond them.
#include <windows.h>

#include "pages.h"

#include <shlobj.h>

#include <any>
#include <string>
#include <vector>

#include "calendar/data/path_settings.h"
#include "calendar/data/reminders.h"
#include "options_ids.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/messages.h"
#include "shared/windows_of_kind.h"
#include "shared/window_settings.h"
#include "sync/caldav.h"
#include "sync/http_winhttp.h"
#include "win/controls.h"
#include "win/credentials.h"
#include "win/file_dialog.h"
#include "win/tell.h"

namespace tavo::options {
namespace {

void enable(const Page& page, int first, int last, bool on) {
    for (int id = first; id <= last; ++id) EnableWindow(page.item(id), on ? TRUE : FALSE);
}

// --- Range ---

void rangeChanged(Page& page, int) {
    enable(page, IDC_RANGE_BEFORE, IDC_RANGE_AFTER_SPIN, static_cast<RangeViewSettings*>(page.record)->range == 0);
}

// --- Menu ---

const char* const kMenuNames[kPopupMenuItems] = {"sch0", "sch1", "sch2", "sch3", "sch4", "sch5",
                                                 "sch6", "sch7", "sch8", "sch9", "sch10"};

std::vector<Binding> menuBindings() {
    std::vector<Binding> bindings;
    for (int i = 0; i < kPopupMenuItems; ++i) bindings.push_back({Control::Check, IDC_MENU_FIRST + i, kMenuNames[i]});
    return bindings;
}

void menuChanged(Page& page, int) {
    enable(page, IDC_MENU_EVERY_YEAR, IDC_MENU_EVERY_WEEK, IsDlgButtonChecked(page.dialog, IDC_MENU_RECURRING) == BST_CHECKED);
}

// --- Environment ---

void environmentCommand(Page& page, int id, int code) {
    if (id == IDC_ENV_SOUND_BROWSE && code == BN_CLICKED)
        browseForFile(page, IDC_ENV_SOUND_FILE, L"MIDI,WAV,AVI\0*.mid;*.wav;*.avi\0MIDI\0*.mid\0WAV\0*.wav\0AVI\0*.avi\0",
                      win::windowsFolder() + L"\\MEDIA");
}

// --- Folders ---

const int kFolderEdits[] = {IDC_FOLDER_SCHEDULE, IDC_FOLDER_BIRTHDAY, IDC_FOLDER_ANNIVERSARY, IDC_FOLDER_DIARY,
                            IDC_FOLDER_MEMO};
const char* const kFolderNames[] = {"schpath", "birpath", "anipath", "nikpath", "mempath"};

void folderCommand(Page& page, int id, int code) {
    if (id == IDC_FOLDER_BROWSE && code == BN_CLICKED) browseForFile(page, IDC_FOLDER_COMMAND, L"プログラム\0*.exe\0", win::windowsFolder());
}

bool createFolder(const std::string& folder) {
    const std::wstring wide = cp932ToWide(folder);
    const int result = SHCreateDirectoryExW(nullptr, wide.c_str(), nullptr);
    if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS) {
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    return false;
}

// Each folder as it will be used; one that cannot be made keeps its old value.
bool confirmFolders(Page& page) {
    auto& paths = *static_cast<PathSettings*>(page.record);
    const auto& before = *static_cast<const PathSettings*>(page.snapshot.original());
    for (const char* name : kFolderNames) {
        const SettingEntry& s = settingEntry(folderSettingsTable(), "dir", name);
        const std::string folder = resolveFolder(settingText(&paths, s), paths.programFolder);
        if (createFolder(folder)) {
            setSettingText(&paths, s, folder);
            continue;
        }
        tell(page, std::wstring(L"フォルダを作成できないため、元の設定のままにします。\n").append(cp932ToWide(folder)));
        setSettingText(&paths, s, settingText(&before, s));
    }
    for (std::size_t i = 0; i < std::size(kFolderEdits); ++i) {
        const SettingEntry& s = settingEntry(folderSettingsTable(), "dir", kFolderNames[i]);
        SetDlgItemTextW(page.dialog, kFolderEdits[i], cp932ToWide(settingText(&paths, s)).c_str());
    }
    return true;
}

std::vector<Binding> folderBindings() {
    std::vector<Binding> bindings;
    for (std::size_t i = 0; i < std::size(kFolderEdits); ++i) bindings.push_back({Control::Text, kFolderEdits[i], kFolderNames[i]});
    bindings.push_back({Control::Text, IDC_FOLDER_COMMAND_NAME, "name"});
    bindings.push_back({Control::Text, IDC_FOLDER_COMMAND, "path"});
    bindings.push_back({Control::Radio, IDC_FOLDER_OPEN_SCHEDULE, "opt", 4});
    return bindings;
}

// --- Reminders ---

void remindChanged(Page& page, int) {
    const auto& s = *static_cast<const ReminderSettings*>(page.record);
    enable(page, IDC_REMIND_LEAD, IDC_REMIND_WAVE_BROWSE, s.on != 0);
    enable(page, IDC_REMIND_WAVE, IDC_REMIND_WAVE_BROWSE, s.on != 0 && s.sound == kReminderSoundFile);
}

void remindCommand(Page& page, int id, int code) {
    if (id == IDC_REMIND_WAVE_BROWSE && code == BN_CLICKED)
        browseForFile(page, IDC_REMIND_WAVE, L"WAV\0*.wav\0", win::windowsFolder() + L"\\MEDIA");
}

// --- Sync ---

std::string utf8Of(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string syncTarget(const SyncSettings& s) { return "Tavo/CalDAV/" + cp932ToUtf8(s.url); }

// The calendars found for an account; the list shows them in this order.
struct FoundCalendars {
    std::string url, user;  // CP932, as typed when they were found
    std::vector<std::string> calendars;  // CP932 URLs
};

SyncSettings& syncRecord(Page& page) { return *static_cast<SyncSettings*>(page.record); }

// The kept calendar alone until the user asks the server for the others.
void syncInit(Page& page) {
    for (const wchar_t* choice : {L"しない", L"5分ごと", L"15分ごと", L"30分ごと", L"1時間ごと"})
        SendDlgItemMessageW(page.dialog, IDC_SYNC_EVERY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    const SyncSettings& s = syncRecord(page);
    FoundCalendars found{s.url, s.user, {}};
    if (s.calendar[0] != '\0') {
        found.calendars.push_back(s.calendar);
        SendDlgItemMessageW(page.dialog, IDC_SYNC_CALENDAR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(s.calendar).c_str()));
        SendDlgItemMessageW(page.dialog, IDC_SYNC_CALENDAR, CB_SETCURSEL, 0, 0);
    }
    page.extra = found;
}

// The typed texts and password taken: a calendar chosen for another URL or user is forgotten, a typed password stored.
void takeAccount(Page& page) {
    SyncSettings& s = syncRecord(page);
    for (const Binding& b : page.kind.bindings)
        if (b.control == Control::Text) page.take(b);
    const auto* found = std::any_cast<FoundCalendars>(&page.extra);
    if (!found || found->url != s.url || found->user != s.user) s.calendar[0] = '\0';
    const std::wstring password = win::textOf(page.item(IDC_SYNC_PASSWORD));
    if (!password.empty()) win::storePassword(syncTarget(s), cp932ToUtf8(s.user), utf8Of(password));
}

bool confirmSync(Page& page) {
    takeAccount(page);
    return true;
}

// 探す: the server's calendars in the list, the kept one (or the first) chosen.
void findCalendars(Page& page) {
    takeAccount(page);
    SyncSettings& s = syncRecord(page);
    const std::string user = cp932ToUtf8(s.user);
    sync::WinHttpClient http({user, win::storedPassword(syncTarget(s), user).value_or("")});
    const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const sync::Discovery d = sync::discoverCalendars(http, cp932ToUtf8(s.url));
    SetCursor(before);
    if (d.calendars.empty()) {
        win::tellUser(page.dialog, L"カレンダーが見つかりません。\n" + cp932ToWide(d.problem));
        return;
    }
    HWND list = page.item(IDC_SYNC_CALENDAR);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    FoundCalendars found{s.url, s.user, {}};
    int chosen = 0;
    for (const sync::CalendarInfo& c : d.calendars) {
        const std::string url = utf8ToCp932(c.url);
        if (url == s.calendar) chosen = static_cast<int>(found.calendars.size());
        found.calendars.push_back(url);
        const std::wstring shown = c.name.empty() ? cp932ToWide(url) : cp932ToWide(utf8ToCp932(c.name)) + L"  (" + cp932ToWide(url) + L")";
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    copyToField(s.calendar, sizeof s.calendar, found.calendars[static_cast<std::size_t>(chosen)]);
    page.extra = found;
}

void chooseCalendar(Page& page) {
    const auto* found = std::any_cast<FoundCalendars>(&page.extra);
    const LRESULT chosen = SendMessageW(page.item(IDC_SYNC_CALENDAR), CB_GETCURSEL, 0, 0);
    if (!found || chosen < 0 || static_cast<std::size_t>(chosen) >= found->calendars.size()) return;
    copyToField(syncRecord(page).calendar, sizeof(SyncSettings::calendar), found->calendars[static_cast<std::size_t>(chosen)]);
}

void syncCommand(Page& page, int id, int code) {
    if (id == IDC_SYNC_FIND && code == BN_CLICKED) return findCalendars(page);
    if (id == IDC_SYNC_CALENDAR && code == CBN_SELCHANGE) return chooseCalendar(page);
    if (id != IDC_SYNC_NOW || code != BN_CLICKED) return;
    takeAccount(page);
    writeSettings(page.record, page.kind.table(), page.context.store);
    postToWindows(kindBit(WindowKind::Calendar), WM_COMMAND, CMD_SYNC);
}

}  // namespace

const PageKind& rangePage() {
    static const PageKind kind{
        L"RANGE",
        [](SharedSettings& s) -> void* { return &s.range; },
        sizeof(RangeViewSettings),
        rangeViewTable,
        {{Control::Radio, IDC_RANGE_AROUND, "range", 3},
         {Control::Number, IDC_RANGE_BEFORE, "pred", 0, IDC_RANGE_BEFORE_SPIN, 0, 99, 2},
         {Control::Number, IDC_RANGE_AFTER, "aftd", 0, IDC_RANGE_AFTER_SPIN, 0, 99, 2}},
        kindBit(WindowKind::RangeView),
        kRefreshData,
        false,
        rangeChanged,
    };
    return kind;
}

const PageKind& menuPage() {
    static const PageKind kind{
        L"POPMENU",   [](SharedSettings& s) -> void* { return &s.menu; }, sizeof(PopupMenuFlags), popupMenuTable,
        menuBindings(), kindBit(WindowKind::Calendar), kRefreshMenu, false, menuChanged,
    };
    return kind;
}

const PageKind& environmentPage() {
    static const PageKind kind{
        L"ENVIRONMENT",
        [](SharedSettings& s) -> void* { return &s.env; },
        sizeof(EnvironmentSettings),
        environmentTable,
        {{Control::Check, IDC_ENV_YEARLY, "cyear"},
         {Control::Check, IDC_ENV_MONTHLY, "cmon"},
         {Control::Check, IDC_ENV_WEEKLY, "cweek"},
         {Control::Check, IDC_ENV_BIRTHDAYS, "cbir"},
         {Control::Check, IDC_ENV_ANNIVERSARIES, "caniv"},
         {Control::Radio, IDC_ENV_DATE_NOTHING, "cdt", 3},
         {Control::Check, IDC_ENV_SOUND, "midi"},
         {Control::Text, IDC_ENV_SOUND_FILE, "bwavepath"},
         {Control::Check, IDC_ENV_HIDE, "miw"},
         {Control::Check, IDC_ENV_SAVE_PLACES, "sav"},
         {Control::Check, IDC_ENV_LINK, "con"},
         {Control::Check, IDC_ENV_MONTH_END, "pmo"}},
        kindBit(WindowKind::Calendar),
        kRefreshDateWatch,  // the marks and the date watch follow at once
        false,
        nullptr,
        environmentCommand,
    };
    return kind;
}

const PageKind& folderPage() {
    static const PageKind kind{
        L"FOLDER",
        [](SharedSettings& s) -> void* { return &s.paths; },
        sizeof(PathSettings),
        folderSettingsTable,
        folderBindings(),
        kindBit(WindowKind::Calendar),
        kRefreshData,
        true,  // folders are used only once OK has made them
        nullptr,
        folderCommand,
        confirmFolders,
    };
    return kind;
}

const PageKind& almanacPage() {
    static const PageKind kind{
        L"ALMANAC",
        [](SharedSettings& s) -> void* { return &s.almanac; },
        sizeof(AlmanacSettings),
        almanacTable,
        {{Control::Check, IDC_ALMANAC_STATUS, "status"},
         {Control::Check, IDC_ALMANAC_RANGE, "range"},
         {Control::Check, IDC_ALMANAC_CELLS, "cells"}},
        kRefreshedWindows,
        kRefreshData,
    };
    return kind;
}

const PageKind& remindPage() {
    static const PageKind kind{
        L"REMIND",
        [](SharedSettings& s) -> void* { return &s.reminders; },
        sizeof(ReminderSettings),
        reminderTable,
        {{Control::Check, IDC_REMIND_ON, "on"},
         {Control::Number, IDC_REMIND_LEAD, "lead", 0, IDC_REMIND_LEAD_SPIN, 0, kMostLeadMinutes, 4},
         {Control::Check, IDC_REMIND_DAY, "day"},
         {Control::Check, IDC_REMIND_YEAR, "year"},
         {Control::Check, IDC_REMIND_MONTH, "month"},
         {Control::Check, IDC_REMIND_WEEK, "week"},
         {Control::Radio, IDC_REMIND_SOUND_NONE, "sound", 3},
         {Control::Text, IDC_REMIND_WAVE, "wave"}},
        kindBit(WindowKind::Remind),
        kRefreshData,
        false,
        remindChanged,
        remindCommand,
    };
    return kind;
}

const PageKind& syncPage() {
    static const PageKind kind{
        L"SYNC",
        [](SharedSettings& s) -> void* { return &s.sync; },
        sizeof(SyncSettings),
        syncTable,
        {{Control::Text, IDC_SYNC_URL, "url"},
         {Control::Text, IDC_SYNC_USER, "user"},
         {Control::Text, IDC_SYNC_SUBSCRIPTIONS, "webcal"},
         {Control::Check, IDC_SYNC_START, "start"},
         {Control::Combo, IDC_SYNC_EVERY, "every"}},
        kindBit(WindowKind::Calendar),
        kRefreshDateWatch,  // the calendar sets its sync timer again
        true,
        nullptr,
        syncCommand,
        confirmSync,
        syncInit,
    };
    return kind;
}

const wchar_t* const kOuterTabTexts[kOuterTabs] = {L"基本設定", L"カレンダー部", L"データ表示部"};

const PageSlot kPageSlots[] = {
    {0, L"祝日・休業日", closedDaysPage, "coholiday.html"},
    {0, L"フォルダ", folderPage, "folder.html"},
    {0, L"暦", almanacPage, "almanac.html"},
    {0, L"通知", remindPage, "remind.html"},
    {0, L"同期", syncPage, "sync.html"},
    {1, L"デザイン", calendarDesignPage, "design.html"},
    {1, L"日付形式", calendarDateFormatPage, "date.html"},
    {1, L"動作", environmentPage, "env.html"},
    {1, L"スタイル", calendarStylePage, "style.html"},
    {1, L"メニュー", menuPage, "menu.html"},
    {2, L"表示範囲", rangePage, "range.html"},
    {2, L"デザイン", rangeDesignPage, "design.html"},
    {2, L"日付形式", rangeDateFormatPage, "date.html"},
    {2, L"スタイル", rangeStylePage, "style.html"},
};
const int kPageSlotCount = static_cast<int>(std::size(kPageSlots));

}  // namespace tavo::options
