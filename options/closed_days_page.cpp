// The closed-days page: the weekday and holiday switches through the page
// mechanism, and the other closed days edited one rule at a time in the
// rule editor. OK writes the switches and, when the rules changed, the file.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "calendar/calc/closed_day_edit.h"
#include "calendar/calc/holiday_table.h"
#include "calendar/calc/jump_date.h"
#include "options_ids.h"
#include "pages.h"
#include "shared/cp932.h"
#include "shared/messages.h"
#include "shared/windows_file_system.h"
#include "win/controls.h"
#include "shared/date_math.h"
#include "shared/windows_of_kind.h"
#include "win/dialog.h"
#include "win/file_dialog.h"
#include "win/tell.h"

namespace tavo::options {
namespace {

ClosedDays& daysOf(Page& page) { return *static_cast<ClosedDays*>(page.record); }

// --- The rule editor ---

struct RuleEditor final : win::Dialog {
    RuleEditor(ClosedDayDraft d, bool add) : draft(std::move(d)), adding(add) {}
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ClosedDayDraft draft;
    bool adding;
    JumpState from{}, to{};
};

struct YearControls {
    int era, year, spin;
};
constexpr YearControls kFrom{IDC_RULE_FROM_ERA, IDC_RULE_FROM_YEAR, IDC_RULE_FROM_SPIN};
constexpr YearControls kTo{IDC_RULE_TO_ERA, IDC_RULE_TO_YEAR, IDC_RULE_TO_SPIN};

void showYear(const RuleEditor& e, const YearControls& c, const JumpState& s) {
    const int low = s.era == 0 ? kFirstRuleYear : 1;
    const int high = s.era == 0 ? kLastRuleYear : jumpEra(s.era).highest;
    SendDlgItemMessageW(e.dialog, c.spin, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    SendDlgItemMessageW(e.dialog, c.era, CB_SETCURSEL, static_cast<WPARAM>(s.era), 0);
    SetDlgItemInt(e.dialog, c.year, static_cast<UINT>(s.year), FALSE);
    SendDlgItemMessageW(e.dialog, c.spin, UDM_SETPOS32, 0, s.year);
}

void fillEditor(RuleEditor& e) {
    if (!e.adding) SetWindowTextW(e.dialog, L"休業日の変更");
    for (int m = 1; m <= 12; ++m)
        SendDlgItemMessageW(e.dialog, IDC_RULE_MONTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(m).c_str()));
    for (int d = 1; d <= 31; ++d)
        SendDlgItemMessageW(e.dialog, IDC_RULE_DAY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(d).c_str()));
    SendDlgItemMessageW(e.dialog, IDC_RULE_DAY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"??"));
    for (int id : {IDC_RULE_FROM_ERA, IDC_RULE_TO_ERA})
        for (int i = 0; i < jumpEraCount(); ++i)
            SendDlgItemMessageW(e.dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(jumpEra(i).name).c_str()));
    SendDlgItemMessageW(e.dialog, IDC_RULE_MONTH, CB_SETCURSEL, static_cast<WPARAM>(e.draft.month - 1), 0);
    SendDlgItemMessageW(e.dialog, IDC_RULE_DAY, CB_SETCURSEL, static_cast<WPARAM>(e.draft.day == 0 ? 31 : e.draft.day - 1), 0);
    SendDlgItemMessageW(e.dialog, IDC_RULE_NAME, EM_LIMITTEXT, sizeof(ClosedDayRule::name) - 1, 0);
    SetDlgItemTextW(e.dialog, IDC_RULE_NAME, cp932ToWide(e.draft.name).c_str());
    e.from = {e.draft.fromEra, e.draft.fromYear, e.draft.fromEra == 0 ? e.draft.fromYear : e.draft.fromYear + jumpEra(e.draft.fromEra).offset};
    e.to = {e.draft.toEra, e.draft.toYear, e.draft.toEra == 0 ? e.draft.toYear : e.draft.toYear + jumpEra(e.draft.toEra).offset};
    showYear(e, kFrom, e.from);
    showYear(e, kTo, e.to);
}

void onEraChanged(RuleEditor& e, const YearControls& c, JumpState& s) {
    const auto era = SendDlgItemMessageW(e.dialog, c.era, CB_GETCURSEL, 0, 0);
    if (era < 0) return;
    changeJumpEra(s, static_cast<int>(era), static_cast<int>(GetDlgItemInt(e.dialog, c.year, nullptr, FALSE)));
    showYear(e, c, s);
}

// A Western year typed in an era's field: shown in the era in force then.
void settleYear(RuleEditor& e, const YearControls& c, JumpState& s) {
    s.year = static_cast<int>(GetDlgItemInt(e.dialog, c.year, nullptr, FALSE));
    const int era = s.era;
    settleJumpYear(s, e.draft.month, e.draft.day == 0 ? 1 : e.draft.day);
    if (era != s.era) showYear(e, c, s);
}

int fieldOf(DraftField field) {
    switch (field) {
        case DraftField::Month: return IDC_RULE_MONTH;
        case DraftField::Day: return IDC_RULE_DAY;
        case DraftField::FromYear: return IDC_RULE_FROM_YEAR;
        case DraftField::ToYear: return IDC_RULE_TO_YEAR;
        case DraftField::None: break;
    }
    return 0;
}

bool confirmRule(RuleEditor& e) {
    ClosedDayDraft d;
    d.month = static_cast<int>(SendDlgItemMessageW(e.dialog, IDC_RULE_MONTH, CB_GETCURSEL, 0, 0)) + 1;
    const int day = static_cast<int>(SendDlgItemMessageW(e.dialog, IDC_RULE_DAY, CB_GETCURSEL, 0, 0));
    d.day = day == 31 ? 0 : day + 1;
    d.fromEra = static_cast<int>(SendDlgItemMessageW(e.dialog, IDC_RULE_FROM_ERA, CB_GETCURSEL, 0, 0));
    d.toEra = static_cast<int>(SendDlgItemMessageW(e.dialog, IDC_RULE_TO_ERA, CB_GETCURSEL, 0, 0));
    d.fromYear = static_cast<int>(GetDlgItemInt(e.dialog, IDC_RULE_FROM_YEAR, nullptr, FALSE));
    d.toYear = static_cast<int>(GetDlgItemInt(e.dialog, IDC_RULE_TO_YEAR, nullptr, FALSE));
    wchar_t name[64] = {};
    GetDlgItemTextW(e.dialog, IDC_RULE_NAME, name, 64);
    if (const std::wstring bad = unstorableInCp932(name); !bad.empty()) {
        win::tellUser(e.dialog, std::wstring(L"次の文字は保存できません。\n").append(bad));
        SetFocus(GetDlgItem(e.dialog, IDC_RULE_NAME));
        return false;
    }
    d.name = wideToCp932(name);
    if (const DraftField wrong = checkClosedDayDraft(d); wrong != DraftField::None) {
        const int era = wrong == DraftField::FromYear ? d.fromEra : wrong == DraftField::ToYear ? d.toEra : 0;
        const int year = wrong == DraftField::FromYear ? d.fromYear : d.toYear;
        if (era > 0 && year > jumpEra(era).highest) win::tellUser(e.dialog, cp932ToWide(eraRangeText(era)));
        else MessageBeep(MB_ICONWARNING);
        SetFocus(GetDlgItem(e.dialog, fieldOf(wrong)));
        return false;
    }
    e.draft = d;
    return true;
}

INT_PTR RuleEditor::onMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        fillEditor(*this);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    // The input method is on only while the name is typed.
    win::setInputMethod(dialog, GetFocus() == item(IDC_RULE_NAME));
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == CBN_SELCHANGE && id == IDC_RULE_FROM_ERA) onEraChanged(*this, kFrom, from);
    if (HIWORD(wParam) == CBN_SELCHANGE && id == IDC_RULE_TO_ERA) onEraChanged(*this, kTo, to);
    if (HIWORD(wParam) == EN_KILLFOCUS && id == IDC_RULE_FROM_YEAR) settleYear(*this, kFrom, from);
    if (HIWORD(wParam) == EN_KILLFOCUS && id == IDC_RULE_TO_YEAR) settleYear(*this, kTo, to);
    if (id == IDOK && confirmRule(*this)) EndDialog(dialog, IDOK);
    if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
    return TRUE;
}

bool runEditor(Page& page, RuleEditor& editor) {
    return editor.runModal(page.context.instance, L"SETHOLI", page.dialog) == IDOK;
}

// --- The page ---

int selected(const Page& page) { return static_cast<int>(SendMessageW(page.item(IDC_RULE_LIST), LB_GETCURSEL, 0, 0)); }

void fillRules(Page& page) {
    HWND list = page.item(IDC_RULE_LIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : closedDayRuleLines(daysOf(page)))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(line).c_str()));
    EnableWindow(page.item(IDC_RULE_CHANGE), FALSE);
    EnableWindow(page.item(IDC_RULE_DELETE), FALSE);
}

void rulesChanged(Page& page) {
    fillRules(page);
    page.notify();
}

ClosedDayDraft newDraft(const Page& page) {
    const OptionsDate& date = page.context.settings->optionsDate;
    JumpState s{};
    initJump(s, date.year, date.month, date.day, 0);  // the date's era and era year
    return {date.month, date.day, s.era, s.year, s.era, s.year, ""};
}

void addRule(Page& page) {
    if (closedDayRuleCount(daysOf(page)) >= kMaxClosedDayRules) {
        tell(page, L"休業日は256件までしか登録できません。不要なものを削除してから追加してください。");
        return;
    }
    RuleEditor editor(newDraft(page), true);
    if (!runEditor(page, editor)) return;
    addClosedDayRule(daysOf(page), editor.draft);
    rulesChanged(page);
}

// A change is a delete and an add; a cancelled editor puts the old rule back.
void changeRule(Page& page) {
    const int index = selected(page);
    if (index < 0) return;
    ClosedDays& days = daysOf(page);
    RuleEditor editor(draftOfClosedDayRule(days, index), false);
    const ClosedDayRule old = days.rules[days.order[index]];
    removeClosedDayRule(days, index);
    if (runEditor(page, editor)) addClosedDayRule(days, editor.draft);
    else addClosedDayRule(days, old);  // as it was, line and all
    rulesChanged(page);
}

std::wstring differencesText(const HolidayTable& table) {
    const std::vector<HolidayDifference> differences = holidayDifferences(table);
    const std::wstring years = table.firstYear == table.lastYear ? std::to_wstring(table.firstYear)
                                                                 : std::to_wstring(table.firstYear) + L"～" + std::to_wstring(table.lastYear);
    std::wstring text = L"祝日表を読み込みました (" + years + L"年)。この年の祝日は表のとおりに表示します。\n";
    if (differences.empty()) return text + L"法律による祝日と違う日はありません。";
    text += L"法律による祝日と違う日: " + std::to_wstring(differences.size()) + L"日\n";
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < differences.size() && i < kShown; ++i) {
        int y, m, d;
        civilFromSerial(differences[i].serial, y, m, d);
        const auto side = [](const std::string& name) { return name.empty() ? std::wstring(L"-") : cp932ToWide(name); };
        text += L"\n" + std::to_wstring(y) + L"/" + std::to_wstring(m) + L"/" + std::to_wstring(d) + L"  表: " + side(differences[i].table) +
                L"  法律: " + side(differences[i].law);
    }
    if (differences.size() > kShown) text += L"\nほか" + std::to_wstring(differences.size() - kShown) + L"日";
    return text;
}

// 祝日表の読み込み: a table chosen and checked whole is copied beside the data,
// where the calendar reads it; what differs from the law is shown.
void readInHolidayTable(Page& page) {
    win::FileChoice choice;
    choice.owner = page.dialog;
    choice.filter = L"祝日表 (*.csv)\0*.csv\0すべてのファイル\0*.*\0\0";
    const std::string chosen = win::chooseFile(choice);
    if (chosen.empty()) return;
    WindowsFileSystem files;
    const FileContent file = files.readFile(chosen);
    if (!readWhole(file)) return tell(page, L"ファイルを読めませんでした。\n" + cp932ToWide(chosen));
    const HolidayTableRead read = parseHolidayTable(file.content);
    if (!read.table) return tell(page, L"祝日表として使えないため、読み込みませんでした。\n" + cp932ToWide(read.problem));
    const std::string target = joinPath(page.context.settings->paths.scheduleFolder, kHolidayTableFile);
    if (const SaveResult saved = rewriteFile(files, target, [&](std::string_view) { return file.content; }); !saved)
        return tell(page, L"祝日表を保存できませんでした。\n" + cp932ToWide(target) + L"\n" + cp932ToWide(saved.reason));
    refreshWindows(kindBit(WindowKind::Calendar) | kindBit(WindowKind::RangeView) | kindBit(WindowKind::Year), kRefreshData);
    win::tellUser(page.dialog, differencesText(*read.table), win::Tone::Information);
}

void closedDaysCommand(Page& page, int id, int code) {
    if (id == IDC_RULE_LIST && code == LBN_SELCHANGE) {
        EnableWindow(page.item(IDC_RULE_CHANGE), selected(page) >= 0);
        EnableWindow(page.item(IDC_RULE_DELETE), selected(page) >= 0);
    }
    if (code != BN_CLICKED) return;
    if (id == IDC_RULE_ADD) addRule(page);
    if (id == IDC_HOLIDAY_TABLE) readInHolidayTable(page);
    if (id == IDC_RULE_CHANGE) changeRule(page);
    if (id == IDC_RULE_DELETE && removeClosedDayRule(daysOf(page), selected(page))) rulesChanged(page);
}

// At most six closed weekdays: a seventh box, or the holidays box with six, is undone.
void closedDaysChanged(Page& page, int id) {
    if (id < IDC_CLOSED_SUNDAY || id > IDC_CLOSED_HOLIDAYS) return;
    ClosedDays& days = daysOf(page);
    int weekdays = 0;
    for (int w = 0; w < 7; ++w) weekdays += days.closed[w] != 0;
    const bool tooMany = id == IDC_CLOSED_HOLIDAYS ? weekdays >= 6 && days.closed[kClosedFlagHolidays] : weekdays > 6;
    if (!tooMany || IsDlgButtonChecked(page.dialog, id) != BST_CHECKED) return;
    days.closed[id - IDC_CLOSED_SUNDAY] = 0;
    CheckDlgButton(page.dialog, id, BST_UNCHECKED);
}

// The rules file is written when its rules differ from those in use; a
// failure is told, and the rules stay as edited, so a later OK tries again.
bool confirmClosedDays(Page& page) {
    ClosedDays& days = daysOf(page);
    WindowsFileSystem files;
    const std::string path = joinPath(page.context.settings->paths.programFolder, kClosedDaysFile);
    const FileContent file = files.readFile(path);
    auto stored = std::make_unique<ClosedDays>();
    resetClosedDays(*stored);
    parseClosedDayRules(*stored, file.content);
    if (readWhole(file) && formatClosedDayRules(days) == formatClosedDayRules(*stored)) return true;
    // The page began from the rules as they were when it opened: a change made
    // to the file since is kept beside the page's own.
    bool merged = false;
    const auto& base = *static_cast<const ClosedDays*>(page.snapshot.original());
    const SaveResult saved = saveClosedDayRulesOver(base, days, files, page.context.settings->paths.programFolder, merged);
    if (!saved)
        tell(page, std::wstring(L"休業日のファイル(Holiday2.Dat)を保存できませんでした。設定は変更したまま使われます。\n")
                       .append(cp932ToWide(saved.reason)));
    else if (merged)
        tell(page, L"休業日のファイル(Holiday2.Dat)は、この画面を開いた後にほかでも書き換えられていました。\n"
                   L"ほかで加えられた休業日も残して保存しました。");
    return true;
}

std::vector<Binding> closedDaysBindings() {
    static const char* const names[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat", "hol"};
    std::vector<Binding> bindings;
    for (int i = 0; i < 8; ++i) bindings.push_back({Control::Check, IDC_CLOSED_SUNDAY + i, names[i]});
    bindings.push_back({Control::Check, IDC_JAPANESE_HOLIDAYS, "nholi"});
    bindings.push_back({Control::Check, IDC_HATCH_FORECASTS, "hatch"});
    return bindings;
}

}  // namespace

const PageKind& closedDaysPage() {
    static const PageKind kind{
        L"HOLIDAY2",
        [](SharedSettings& s) -> void* { return &s.closedDays; },
        sizeof(ClosedDays),
        closedDaySwitchTable,
        closedDaysBindings(),
        kindBit(WindowKind::Calendar) | kindBit(WindowKind::RangeView),
        kRefreshData,
        false,
        closedDaysChanged,
        closedDaysCommand,
        confirmClosedDays,
        fillRules,
    };
    return kind;
}

}  // namespace tavo::options
