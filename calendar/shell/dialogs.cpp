#include "dialogs.h"
#include "win/tell.h"

#include <commctrl.h>

#include <string>

#include "calendar/calc/jump_date.h"
#include "resources/tavo_ids.h"
#include "tavo_version.h"
#include "win/dialog.h"
#include "shared/clock.h"
#include "shared/cp932.h"

namespace tavo::shell {
namespace {

constexpr int kDaysSpinCentre = 15000;

struct JumpDialog final : win::Dialog {
    explicit JumpDialog(CalendarWindow& a) : app(a) {}
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CalendarWindow& app;
    JumpState state;
    int days = 0;
    bool updating = false;
};

int leadingNumber(HWND dialog, int id, int maxChars, bool allowSign) {
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, id, text, maxChars + 1);
    int i = 0, sign = 1;
    if (allowSign && (text[0] == L'-' || text[0] == L'+')) sign = text[i++] == L'-' ? -1 : 1;
    int value = 0;
    for (; text[i] >= L'0' && text[i] <= L'9'; ++i) value = value * 10 + (text[i] - L'0');
    return sign * value;
}

void setNumber(JumpDialog& j, HWND dialog, int id, int value, bool withSign) {
    j.updating = true;
    const std::wstring text = (withSign && value > 0 ? L"+" : L"") + std::to_wstring(value);
    SetDlgItemTextW(dialog, id, text.c_str());
    j.updating = false;
}

void showYear(JumpDialog& j, HWND dialog) {
    const JumpEra& era = jumpEra(j.state.era);
    SendDlgItemMessageW(dialog, IDC_JUMP_YEAR_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(era.lowest), era.highest);
    SendDlgItemMessageW(dialog, IDC_JUMP_YEAR_SPIN, UDM_SETPOS32, 0, j.state.year);
    setNumber(j, dialog, IDC_JUMP_YEAR, j.state.year, false);
    SendDlgItemMessageW(dialog, IDC_JUMP_YEAR, EM_SETSEL, 0, -1);
}

void showDate(JumpDialog& j, HWND dialog, int year, int month, int day) {
    initJump(j.state, year, month, day, j.app.shared().dateFormats[0].selections[kPartYearMon][kSelYear1]);
    SendDlgItemMessageW(dialog, IDC_JUMP_ERA, CB_SETCURSEL, static_cast<WPARAM>(j.state.era), 0);
    showYear(j, dialog);
    SetDlgItemInt(dialog, IDC_JUMP_MONTH, static_cast<UINT>(month), FALSE);
    SetDlgItemInt(dialog, IDC_JUMP_DAY, static_cast<UINT>(day), FALSE);
    j.days = 0;
    setNumber(j, dialog, IDC_JUMP_DAYS, 0, false);
    SendDlgItemMessageW(dialog, IDC_JUMP_DAYS_SPIN, UDM_SETRANGE32, 0, 2 * kDaysSpinCentre);
    SendDlgItemMessageW(dialog, IDC_JUMP_DAYS_SPIN, UDM_SETPOS32, 0, kDaysSpinCentre);
}

void initDialog(JumpDialog& j, HWND dialog) {
    for (int i = 0; i < jumpEraCount(); ++i)
        SendDlgItemMessageW(dialog, IDC_JUMP_ERA, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(jumpEra(i).name).c_str()));
    for (int i = 1; i <= 31; ++i) {
        const std::wstring n = std::to_wstring(i);
        if (i <= 12) SendDlgItemMessageW(dialog, IDC_JUMP_MONTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
        SendDlgItemMessageW(dialog, IDC_JUMP_DAY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
    }
    SendDlgItemMessageW(dialog, IDC_JUMP_DAYS_SPIN, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_JUMP_DAYS)), 0);
    ShownDate& d = j.app.selected;
    showDate(j, dialog, d.year(), d.month(), d.day());
    SendDlgItemMessageW(dialog, IDC_JUMP_MONTH, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    SendDlgItemMessageW(dialog, IDC_JUMP_DAY, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// Posted, so that it comes after the activation that closing a message box
// causes (which would restore the dialog's previous focus).
void focus(HWND dialog, int id) {
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void confirm(JumpDialog& j, HWND dialog) {
    const int month = leadingNumber(dialog, IDC_JUMP_MONTH, 4, false);
    const int day = leadingNumber(dialog, IDC_JUMP_DAY, 4, false);
    const JumpOutcome out = confirmJump(j.state, month, day, j.days);
    if (out.errorString != 0) showErrorString(j.app, dialog, static_cast<UINT>(out.errorString));
    if (!out.problem.empty()) win::tellUser(dialog, cp932ToWide(out.problem));
    switch (out.focus) {
        case JumpFocus::Year: focus(dialog, IDC_JUMP_YEAR); break;
        case JumpFocus::Month: focus(dialog, IDC_JUMP_MONTH); break;
        case JumpFocus::Day: focus(dialog, IDC_JUMP_DAY); break;
        case JumpFocus::Days: focus(dialog, IDC_JUMP_DAYS); break;
        case JumpFocus::None: break;
    }
    if (!out.accepted) return;
    j.app.selected.setShown(out.year, out.month, out.day);
    EndDialog(dialog, IDOK);
}

void onCommand(JumpDialog& j, HWND dialog, int id, int code) {
    switch (id) {
        case IDC_JUMP_ERA: {  // any command of the era list, not only a new selection
            const int era = static_cast<int>(SendDlgItemMessageW(dialog, IDC_JUMP_ERA, CB_GETCURSEL, 0, 0));
            if (era == CB_ERR || era == j.state.era) break;  // focus and the like: the era stays, and its year
            changeJumpEra(j.state, era, leadingNumber(dialog, IDC_JUMP_YEAR, 4, false));
            showYear(j, dialog);
            break;
        }
        case IDC_JUMP_YEAR:
            if (code == EN_CHANGE && !j.updating) {
                j.state.year = leadingNumber(dialog, IDC_JUMP_YEAR, 4, false);
                SendDlgItemMessageW(dialog, IDC_JUMP_YEAR_SPIN, UDM_SETPOS32, 0, j.state.year);
            } else if (code == EN_KILLFOCUS) {  // a Western year typed in an era's field: shown in its era
                const int era = j.state.era;
                settleJumpYear(j.state, leadingNumber(dialog, IDC_JUMP_MONTH, 4, false), leadingNumber(dialog, IDC_JUMP_DAY, 4, false));
                if (era != j.state.era) {
                    SendDlgItemMessageW(dialog, IDC_JUMP_ERA, CB_SETCURSEL, static_cast<WPARAM>(j.state.era), 0);
                    showYear(j, dialog);
                }
            }
            break;
        case IDC_JUMP_DAYS:
            if (code == EN_CHANGE && !j.updating) {
                j.days = leadingNumber(dialog, IDC_JUMP_DAYS, 6, true);
                SendDlgItemMessageW(dialog, IDC_JUMP_DAYS_SPIN, UDM_SETPOS32, 0, j.days + kDaysSpinCentre);
            }
            break;
        case IDC_JUMP_TODAY: {
            const LocalDate today = clockToday();
            showDate(j, dialog, today.year, today.month, today.day);
            focus(dialog, IDC_JUMP_YEAR);
            break;
        }
        case IDOK: confirm(j, dialog); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        default: break;
    }
}

void onSpin(JumpDialog& j, HWND dialog, const NMUPDOWN& change) {
    const int position = change.iPos + change.iDelta;
    if (change.hdr.idFrom == IDC_JUMP_YEAR_SPIN) {
        j.state.year = position;
        setNumber(j, dialog, IDC_JUMP_YEAR, position, false);
    } else if (change.hdr.idFrom == IDC_JUMP_DAYS_SPIN) {
        j.days = position - kDaysSpinCentre;
        setNumber(j, dialog, IDC_JUMP_DAYS, j.days, true);
    }
}

INT_PTR JumpDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: initDialog(*this, dialog); return TRUE;
        case WM_COMMAND: onCommand(*this, dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == UDN_DELTAPOS) onSpin(*this, dialog, *reinterpret_cast<const NMUPDOWN*>(lParam));
            return FALSE;
        }
        default: return FALSE;
    }
}

struct AboutBox final : win::Dialog {
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_INITDIALOG) {
            SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, (L"バージョン" + cp932ToWide(TAVO_VERSION_TEXT)).c_str());
            return TRUE;
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    }
};

}  // namespace

void showErrorString(CalendarWindow& a, HWND owner, UINT id) {
    const std::wstring text = loadString(a.process.instance, id);
    MessageBeep(MB_ICONERROR);
    MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

bool runJumpDialog(CalendarWindow& a) { return JumpDialog(a).runModal(a.process.instance, L"JUMPDLG", a.window) == IDOK; }

void runAboutBox(CalendarWindow& a) { AboutBox().runModal(a.process.instance, L"ABOUTDLG", a.window); }

}  // namespace tavo::shell
