// The birthday window's messages and its add dialog. Each add or delete
// rewrites the month file at once (atomically); nothing is kept in files of
// its own, so nothing can be half merged or left behind.
#include <windows.h>

#include "birthday_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "calendar/calc/jump_date.h"
#include "calendar/data/external_program.h"
#include "calendar/text/date_format_set.h"
#include "calendar/text/date_presets.h"
#include "calendar_model.h"
#include "calendar_window.h"
#include "launch.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "win/controls.h"
#include "win/tell.h"
#include "shared/windows_of_kind.h"
#include "win/dialog.h"

namespace tavo::shell {
namespace {

// The year style the list and the dialog use: the calendar's year-month format.
int yearStyleOf(const BirthdayWindow& w) {
    return w.shared().dateFormats[windowKindInfo(WindowKind::Calendar).dateFormats].selections[kPartYearMon][kSelYear1];
}

void fillList(BirthdayWindow& w) {
    SendMessageW(w.list, LB_RESETCONTENT, 0, 0);
    for (const PersonalEntry& e : w.day.entries) {
        const std::string text = personalEntryText(w.kind, e, w.date.month, w.date.year, yearStyleOf(w));
        SendMessageW(w.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(text).c_str()));
    }
}

void reload(BirthdayWindow& w) {
    w.day = readDayEntries(w.process.files, w.shared().paths, w.kind, w.date.month, w.date.day);
    fillList(w);
}

// After a change on disk: this list, the calendar's marks and the range view.
void written(BirthdayWindow& w) {
    reload(w);
    refreshWindows(kRefreshedWindows, kRefreshData);
}

void tellNotSaved(BirthdayWindow& w, const SaveResult& result) {
    std::wstring text = L"保存できませんでした。一覧とファイルは変更前のままです。\n";
    text.append(cp932ToWide(w.monthFile())).append(L"\n").append(cp932ToWide(result.reason));
    win::tellUser(w.window, text);
}

// --- The add dialog ---

struct EntryDialog final : win::Dialog {
    explicit EntryDialog(BirthdayWindow& window) : w(window) {}
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    BirthdayWindow& w;
    JumpState era;
    PersonalEntry entry;
};

HWND item(const EntryDialog& d, int id) { return d.item(id); }

void showYear(EntryDialog& d) {
    const JumpEra& e = jumpEra(d.era.era);
    SendMessageW(item(d, IDC_ENTRY_YEAR_SPIN), UDM_SETRANGE32, d.era.era == 0 ? 1582 : 1, e.highest);
    SetDlgItemInt(d.dialog, IDC_ENTRY_YEAR, static_cast<UINT>(d.era.year), FALSE);
    SendMessageW(item(d, IDC_ENTRY_YEAR_SPIN), UDM_SETPOS32, 0, d.era.year);
    SendMessageW(item(d, IDC_ENTRY_ERA), CB_SETCURSEL, static_cast<WPARAM>(d.era.era), 0);
    SendMessageW(item(d, IDC_ENTRY_YEAR), EM_SETSEL, 0, -1);
}

// The first year shown: the window's date in the calendar's year style.
void startYear(EntryDialog& d) {
    d.era.era = 0;
    initJump(d.era, d.w.date.year, d.w.date.month, d.w.date.day, yearStyleOf(d.w));
    showYear(d);
}

void setYearEnabled(EntryDialog& d, bool on) {
    for (int id : {IDC_ENTRY_ERA, IDC_ENTRY_YEAR, IDC_ENTRY_YEAR_SPIN}) EnableWindow(item(d, id), on ? TRUE : FALSE);
    if (on) startYear(d);
    else SetDlgItemTextW(d.dialog, IDC_ENTRY_YEAR, L"");
}

void initEntryDialog(EntryDialog& d) {
    if (d.w.kind == kAnniversary) {
        SetWindowTextW(d.dialog, L"記念日の追加");
        SetDlgItemTextW(d.dialog, IDC_ENTRY_WITH_YEAR, L"年も入力する(&Y)");
        SetDlgItemTextW(d.dialog, IDC_ENTRY_YEAR_SUFFIX, L"年");
        SetDlgItemTextW(d.dialog, IDC_ENTRY_NAME_SUFFIX, L"の記念日");
    }
    CheckDlgButton(d.dialog, IDC_ENTRY_WITH_YEAR, BST_CHECKED);
    for (int i = 0; i < jumpEraCount(); ++i)
        SendMessageW(item(d, IDC_ENTRY_ERA), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(jumpEra(i).name).c_str()));
    SendMessageW(item(d, IDC_ENTRY_NAME), EM_LIMITTEXT, kPersonalNameBytes, 0);  // characters; bytes are checked on OK
    EnableWindow(item(d, IDOK), FALSE);  // until a name is typed
    startYear(d);
}

bool blank(const std::wstring& text) { return text.find_first_not_of(L" \t\x3000") == std::wstring::npos; }

void onEraChanged(EntryDialog& d) {
    const int era = static_cast<int>(SendMessageW(item(d, IDC_ENTRY_ERA), CB_GETCURSEL, 0, 0));
    if (era < 0) return;
    changeJumpEra(d.era, era, static_cast<int>(GetDlgItemInt(d.dialog, IDC_ENTRY_YEAR, nullptr, FALSE)));
    showYear(d);
}

void refuse(EntryDialog& d, int field, const std::wstring& text) {
    win::tellUser(d.dialog, text);
    SetFocus(item(d, field));
    SendMessageW(item(d, field), EM_SETSEL, 0, -1);
}

bool confirmEntry(EntryDialog& d) {
    const bool withYear = IsDlgButtonChecked(d.dialog, IDC_ENTRY_WITH_YEAR) == BST_CHECKED;
    const int era = static_cast<int>(SendMessageW(item(d, IDC_ENTRY_ERA), CB_GETCURSEL, 0, 0));
    const EntryYear year = confirmEntryYear(withYear, era < 0 ? 0 : era, wideToCp932(win::textOf(item(d, IDC_ENTRY_YEAR))));
    if (!year.accepted) {
        refuse(d, IDC_ENTRY_YEAR, cp932ToWide(year.problem));
        return false;
    }
    const std::wstring name = win::textOf(item(d, IDC_ENTRY_NAME));
    if (blank(name)) {
        refuse(d, IDC_ENTRY_NAME, L"名前を入力してください。");
        return false;
    }
    const std::wstring unstorable = unstorableInCp932(name);
    if (!unstorable.empty()) {
        refuse(d, IDC_ENTRY_NAME, std::wstring(L"次の文字は保存できません。別の文字に書き換えてください。\n").append(unstorable));
        return false;
    }
    const std::string stored = wideToCp932(name);
    if (stored.size() > kPersonalNameBytes) {
        refuse(d, IDC_ENTRY_NAME, L"名前が長すぎます。全角で" + std::to_wstring(kPersonalNameBytes / 2) + L"文字(" +
                                      std::to_wstring(kPersonalNameBytes) + L"バイト)までにしてください。");
        return false;
    }
    d.entry = {d.w.date.day, year.year, stored};
    return true;
}

void onDialogCommand(EntryDialog& d, WPARAM wParam) {
    // The input method is on only while the name is being typed.
    win::setInputMethod(d.dialog, GetFocus() == item(d, IDC_ENTRY_NAME));
    switch (LOWORD(wParam)) {
        case IDC_ENTRY_ERA:
            if (HIWORD(wParam) == CBN_SELCHANGE) onEraChanged(d);
            break;
        case IDC_ENTRY_YEAR:
            if (HIWORD(wParam) == EN_KILLFOCUS) {  // a Western year typed in an era's field: shown in its era
                d.era.year = static_cast<int>(GetDlgItemInt(d.dialog, IDC_ENTRY_YEAR, nullptr, FALSE));
                const int era = d.era.era;
                settleJumpYear(d.era, d.w.date.month, d.w.date.day);
                if (era != d.era.era) showYear(d);
            }
            break;
        case IDC_ENTRY_NAME:
            if (HIWORD(wParam) == EN_CHANGE) EnableWindow(item(d, IDOK), blank(win::textOf(item(d, IDC_ENTRY_NAME))) ? FALSE : TRUE);
            break;
        case IDC_ENTRY_WITH_YEAR:
            if (HIWORD(wParam) == BN_CLICKED) setYearEnabled(d, IsDlgButtonChecked(d.dialog, IDC_ENTRY_WITH_YEAR) == BST_CHECKED);
            break;
        case IDOK:
            if (confirmEntry(d)) EndDialog(d.dialog, IDOK);
            break;
        case IDCANCEL: EndDialog(d.dialog, IDCANCEL); break;
        default: break;
    }
}

INT_PTR EntryDialog::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        initEntryDialog(*this);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        onDialogCommand(*this, wParam);
        return TRUE;
    }
    return FALSE;
}

// --- The window ---

void add(BirthdayWindow& w) {
    EntryDialog d(w);
    if (d.runModal(w.process.instance, L"DATADLG", w.window) != IDOK) return;
    const SaveResult saved = addPersonalDay(w.process.files, w.shared().paths, w.kind, w.date.month, d.entry);
    if (!saved) tellNotSaved(w, saved);
    else written(w);
}

int selectedIndex(const BirthdayWindow& w) { return static_cast<int>(SendMessageW(w.list, LB_GETCURSEL, 0, 0)); }

// The selected entry is removed by what it says: the file may have changed
// since the list was read.
void remove(BirthdayWindow& w) {
    const int index = selectedIndex(w);
    if (index < 0 || index >= static_cast<int>(w.day.entries.size())) return;
    const PersonalEntry& entry = w.day.entries[static_cast<std::size_t>(index)];
    if (!win::askUser(w.window, L"以下を削除しますか。\n\n" + win::listLineText(w.list, index))) return;
    const int equalBefore = static_cast<int>(std::count(w.day.entries.begin(), w.day.entries.begin() + index, entry));
    const PersonalRemoval removal = removePersonalDay(w.process.files, w.shared().paths, w.kind, w.date.month, entry, equalBefore);
    if (!removal.saved) return tellNotSaved(w, removal.saved);
    written(w);
    if (removal.gone)
        win::tellUser(w.window, L"選んだ項目はファイルからすでに消えていたため、何も削除していません。一覧を読み直しました。",
                      win::Tone::Information);
}

bool writable(const BirthdayWindow& w) { return w.day.writable; }
bool oneSelected(const BirthdayWindow& w) { return w.day.writable && selectedIndex(w) >= 0; }

void runOnMonthFile(BirthdayWindow& w) { runExternalProgram(w.window, w.shared().paths, w.monthFile()); }

const win::Command<BirthdayWindow> kCommands[] = {
    {CMD_ENTRY_ADD, "add an entry", add, writable},
    {CMD_ENTRY_DELETE, "delete the selected entry", remove, oneSelected},
    {CMD_EXTERNAL, "run the external program on the month file", runOnMonthFile},
};

const win::CommandList<BirthdayWindow> kList(kCommands);

LRESULT onCreate(BirthdayWindow& w) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
    w.list = CreateWindowExW(0, L"LISTBOX", L"", style,
                             0, 0, 0, 0, w.window, reinterpret_cast<HMENU>(IDC_ENTRY_LIST), w.process.instance, nullptr);
    if (w.list == nullptr) return -1;
    SendMessageW(w.list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    const DateFormatSet& formats = w.shared().dateFormats[windowKindInfo(WindowKind::Birthday).dateFormats];
    SetWindowTextW(w.window, cp932ToWide(personalWindowTitle(formats, w.kind == kBirthday, w.date)).c_str());
    reload(w);
    if (!w.day.writable) {
        std::wstring message = L"誕生日・記念日のファイルを全部は読めませんでした。内容を守るため、追加と削除はできません。\n";
        w.tellWhenShown(message.append(cp932ToWide(w.monthFile())).append(L"\n").append(cp932ToWide(w.day.problem)));
    }
    return 0;
}

}  // namespace

std::string BirthdayWindow::monthFile() const { return personalDayFile(shared().paths, kind, date.month); }

const win::CommandList<BirthdayWindow>& BirthdayWindow::commandList() { return kList; }

// The item under the pointer is selected first.
void BirthdayWindow::beforeContextMenu(POINT at) {
    if (at.x == -1 && at.y == -1) return;
    ScreenToClient(list, &at);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    if (HIWORD(hit) == 0) SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
}

void BirthdayWindow::close() {
    saveSlotWanted();
    DestroyWindow(window);
}

LRESULT BirthdayWindow::onDataMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return onCreate(*this);
        case UM_REFRESH: reload(*this); return 0;
        case WM_COMMAND: return 0;  // the list's notifications
        case WM_VKEYTOITEM:  // keys of the list: Delete deletes, F1 opens this window's help page
            if (LOWORD(wParam) == VK_DELETE) {
                kList.run(*this, CMD_ENTRY_DELETE);
                return -2;
            }
            if (LOWORD(wParam) != VK_F1) return -1;
            openHelpPage(window, shared().paths, kBirthdayHelpPage, SW_SHOWNORMAL);
            return -2;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool BirthdayWindow::registerClass(HINSTANCE instance) { return registerDataWindowClass(instance, kWindowKind, L"WBirMenu"); }

void openBirthdays(CalendarWindow& a, PersonalDayKind kind) {
    openDataWindow(a.birthdays, a.process, a.window, kind, selectedDayDate(a), L"誕生日のウィンドウを作成できません。");
}

}  // namespace tavo::shell
