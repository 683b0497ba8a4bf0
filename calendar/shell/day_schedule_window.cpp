// The day schedule window's messages: loading, the size limit, the edit
// menu, and saving on close without ever dropping what the user typed.
#include <windows.h>

#include "day_schedule_window.h"

#include <commctrl.h>
#include <imm.h>

#include <utility>

#include "calendar/data/external_program.h"
#include "calendar/data/section_file.h"
#include "calendar/text/date_presets.h"
#include "calendar_model.h"
#include "calendar_window.h"
#include "launch.h"
#include "placement.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {
namespace {

constexpr UINT_PTR kEditSubclass = 1;

bool modified(HWND edit) { return SendMessageW(edit, EM_GETMODIFY, 0, 0) != 0; }

// Saves a changed text. False, with the reason told, when it was not saved:
// the window then stays open with the text.
bool save(DayScheduleWindow& w) {
    if (!modified(w.edit)) return true;  // an unchanged text never rewrites the file
    const std::wstring text = textOf(w.edit);
    const std::wstring unstorable = unstorableInCp932(text);
    if (!unstorable.empty()) {
        warnUser(w.window, std::wstring(L"次の文字は保存できません. 別の文字に書き換えてから閉じてください.\n").append(unstorable));
        return false;
    }
    const SharedSettings& s = w.shared();
    const SaveResult saved = writeScheduleText(w.process.files, s.paths, w.kind, w.date.year, w.date.month, w.date.day,
                                               wideToCp932(text));
    if (!saved) {
        std::wstring message = L"予定を保存できませんでした. 入力した内容はこのウィンドウに残っています.\n";
        message.append(cp932ToWide(w.dataFile())).append(L"\n").append(cp932ToWide(saved.reason));
        warnUser(w.window, message);
        return false;
    }
    SendMessageW(w.edit, EM_SETMODIFY, FALSE, 0);
    w.acceptedModified = false;
    refreshWindows(kRefreshedWindows, kRefreshData);
    return true;
}

void onClose(DayScheduleWindow& w) {
    w.saveSlot();
    if (!save(w)) return;
    setInputMethod(w.edit, false);
    DestroyWindow(w.window);
}

// The limit counts bytes as stored: a change that makes the text longer than
// that is taken back, and the caret stays where the change began.
void onTextChanged(DayScheduleWindow& w) {
    if (w.restoring) return;
    const std::wstring text = textOf(w.edit);
    if (scheduleEditAllowed(wideToCp932(w.accepted).size(), wideToCp932(text).size())) {
        w.accepted = text;
        w.acceptedModified = modified(w.edit);
        return;
    }
    std::size_t same = 0;
    while (same < text.size() && same < w.accepted.size() && text[same] == w.accepted[same]) ++same;
    w.restoring = true;
    SetWindowTextW(w.edit, w.accepted.c_str());
    SendMessageW(w.edit, EM_SETMODIFY, w.acceptedModified ? TRUE : FALSE, 0);
    SendMessageW(w.edit, EM_SETSEL, same, static_cast<LPARAM>(same));
    SendMessageW(w.edit, EM_SCROLLCARET, 0, 0);
    w.restoring = false;
    MessageBeep(MB_ICONWARNING);
}

void updateEditMenu(const DayScheduleWindow& w, HMENU menu) {
    DWORD start = 0, end = 0;
    SendMessageW(w.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool writable = (GetWindowLongW(w.edit, GWL_STYLE) & ES_READONLY) == 0;
    const bool selection = start != end, text = GetWindowTextLengthW(w.edit) > 0;
    const auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(CMD_EDIT_CUT, selection && writable);
    enable(CMD_EDIT_COPY, selection);
    enable(CMD_EDIT_PASTE, writable);
    enable(CMD_EDIT_CUT_ALL, text && writable);
    enable(CMD_EDIT_COPY_ALL, text);
}

void runEditCommand(DayScheduleWindow& w, UINT id) {
    if (id == CMD_EDIT_CUT_ALL || id == CMD_EDIT_COPY_ALL) SendMessageW(w.edit, EM_SETSEL, 0, -1);
    switch (id) {
        case CMD_EDIT_CUT: case CMD_EDIT_CUT_ALL: SendMessageW(w.edit, WM_CUT, 0, 0); break;
        case CMD_EDIT_COPY: case CMD_EDIT_COPY_ALL: SendMessageW(w.edit, WM_COPY, 0, 0); break;
        case CMD_EDIT_PASTE: SendMessageW(w.edit, WM_PASTE, 0, 0); break;
        default: break;
    }
}

// The same edit menu on a right click in the text (or the menu key).
void onContextMenu(DayScheduleWindow& w, LPARAM where) {
    POINT p{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {
        p = {0, 0};
        ClientToScreen(w.edit, &p);
    }
    HMENU popup = GetSubMenu(GetMenu(w.window), 0);
    updateEditMenu(w, popup);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, p.x, p.y, 0, w.window, nullptr);
}

LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& w = *reinterpret_cast<DayScheduleWindow*>(data);
    if (message == WM_CONTEXTMENU) {
        onContextMenu(w, lParam);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_F1) {
        openHelpPage(w.window, w.shared().paths, kDayScheduleHelpPage, SW_SHOWNORMAL);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void buildFont(DayScheduleWindow& w) {
    HDC dc = GetDC(w.window);
    w.font.reset(createScheduleFont(w.shared().design[windowKindInfo(WindowKind::RangeView).design], dc, w.dpi));
    ReleaseDC(w.window, dc);
    SendMessageW(w.edit, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.get()), TRUE);
}

void load(DayScheduleWindow& w) {
    const SharedSettings& s = w.shared();
    const ScheduleText read = readScheduleText(w.process.files, s.paths, w.kind, w.date.year, w.date.month, w.date.day);
    w.accepted = cp932ToWide(withCrLf(read.text));
    SetWindowTextW(w.edit, w.accepted.c_str());
    SendMessageW(w.edit, EM_SETMODIFY, FALSE, 0);
    if (read.writable) return;
    // What was shown is not the whole section: editing it could only lose the rest.
    SendMessageW(w.edit, EM_SETREADONLY, TRUE, 0);
    std::wstring message = L"予定ファイルを全部は読めませんでした. 内容を守るため, このウィンドウでは編集できません.\n";
    message.append(cp932ToWide(w.dataFile())).append(L"\n").append(cp932ToWide(read.problem));
    w.tellWhenShown(std::move(message));
}

LRESULT onCreate(DayScheduleWindow& w) {
    w.dpi = windowDpi(w.window);
    setWindowIcons(w.icons, w.window, w.process.instance, w.dpi);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    w.edit = CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 0, 0, w.window, reinterpret_cast<HMENU>(IDC_SCHEDULE_EDIT),
                             w.process.instance, nullptr);
    if (w.edit == nullptr) return -1;
    SendMessageW(w.edit, EM_LIMITTEXT, kScheduleTextBytes, 0);  // no text within the limit has more characters
    buildFont(w);
    setInputMethod(w.edit, true);
    const std::string title = scheduleWindowTitle(w.shared().dateFormats[windowKindInfo(WindowKind::DaySchedule).dateFormats],
                                                  w.kind, w.date);
    SetWindowTextW(w.window, cp932ToWide(title).c_str());
    load(w);
    SetWindowSubclass(w.edit, editProcedure, kEditSubclass, reinterpret_cast<DWORD_PTR>(&w));
    return 0;
}

void onCommand(DayScheduleWindow& w, WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {  // from the edit control
        if (HIWORD(wParam) == EN_CHANGE) onTextChanged(w);
        return;
    }
    runEditCommand(w, LOWORD(wParam));
}

// The external program sees the text as typed: it is saved first.
void runOnOwnFile(DayScheduleWindow& w) {
    if (save(w)) runExternalProgram(w.window, w.shared().paths, w.dataFile());
}

void onDpiChanged(DayScheduleWindow& w, int dpi, const RECT& r) {
    w.dpi = dpi;
    SetWindowPos(w.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    setWindowIcons(w.icons, w.window, w.process.instance, w.dpi);
    buildFont(w);
}

LRESULT dispatch(DayScheduleWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return onCreate(w);
        case WM_SIZE: MoveWindow(w.edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
        case WM_SETFOCUS: SetFocus(w.edit); return 0;
        case WM_CLOSE:
        case UM_CLOSE: onClose(w); return 0;
        case WM_QUERYENDSESSION: return save(w) ? TRUE : FALSE;  // logging off keeps the text
        case WM_COMMAND: onCommand(w, wParam, lParam); return 0;
        case WM_INITMENUPOPUP: updateEditMenu(w, reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_MENUSELECT:
            if (HMENU bar = GetMenu(w.window)) updateEditMenu(w, GetSubMenu(bar, 0));
            return 0;
        case WM_CONTEXTMENU: onContextMenu(w, lParam); return 0;
        case WM_SYSCOMMAND:
            if (wParam == CMD_EXTERNAL) {
                runOnOwnFile(w);
                return 0;
            }
            return DefWindowProcW(w.window, message, wParam, lParam);
        case WM_DPICHANGED: onDpiChanged(w, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case UM_PLACE: w.tellPending(); return 0;
        case WM_DESTROY: RemoveWindowSubclass(w.edit, editProcedure, kEditSubclass); return 0;
        case WM_NCDESTROY: w.font.reset(); return 0;
        default: return DefWindowProcW(w.window, message, wParam, lParam);
    }
}

}  // namespace

std::string DayScheduleWindow::dataFile() const { return scheduleFile(shared().paths, kind, date.year, date.month); }

LRESULT DayScheduleWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatch(*this, message, wParam, lParam);
}

bool DayScheduleWindow::registerClass(HINSTANCE instance) {
    return Window::registerClass(instance, WindowKind::DaySchedule, CS_HREDRAW | CS_VREDRAW,
                                 loadProgramIcon(instance, false, windowDpi(nullptr), LR_SHARED), nullptr, L"WSchMenu",
                                 reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

void openDaySchedule(CalendarWindow& a, ScheduleKind kind) {
    if (bringForward(WindowKind::DaySchedule)) return;
    a.daySchedule = std::make_unique<DayScheduleWindow>(a.process, kind, selectedDayDate(a));
    if (a.daySchedule->create() == nullptr)
        MessageBoxW(a.window, L"予定のウィンドウを作成できません.", L"Tavo", MB_OK | MB_ICONERROR);
}

}  // namespace tavo::shell
