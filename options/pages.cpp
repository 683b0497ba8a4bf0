// The range, menu, environment and folder pages: their bindings and the few
// things each does beyond them.
#include <windows.h>

#include "pages.h"

#include <shlobj.h>

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
#include "win/controls.h"
#include "win/credentials.h"
#include "win/file_dialog.h"

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
        tell(page, std::wstring(L"フォルダを作成できないため, 元の設定のままにします.\n").append(cp932ToWide(folder)));
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

void syncInit(Page& page) {
    for (const wchar_t* choice : {L"しない", L"5 分ごと", L"15 分ごと", L"30 分ごと", L"1 時間ごと"})
        SendDlgItemMessageW(page.dialog, IDC_SYNC_EVERY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
}

// The typed texts and password taken: a new URL is looked up again, a typed password stored.
void takeAccount(Page& page) {
    auto& s = *static_cast<SyncSettings*>(page.record);
    const auto& before = *static_cast<const SyncSettings*>(page.snapshot.original());
    for (const Binding& b : page.kind.bindings)
        if (b.control == Control::Text) page.take(b);
    if (std::string_view(s.url) != before.url || std::string_view(s.user) != before.user) s.calendar[0] = '\0';
    const std::wstring password = win::textOf(page.item(IDC_SYNC_PASSWORD));
    if (!password.empty()) win::storePassword(syncTarget(s), cp932ToUtf8(s.user), utf8Of(password));
}

bool confirmSync(Page& page) {
    takeAccount(page);
    return true;
}

void syncCommand(Page& page, int id, int code) {
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
