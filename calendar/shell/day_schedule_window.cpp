// The day schedule window's messages: loading, the size limit, the edit
// menu, and saving on close without ever dropping what the user typed.
#include <windows.h>

#include "day_schedule_window.h"

#include <commctrl.h>

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
#include "win/controls.h"
#include "win/tell.h"
#include "shared/windows_of_kind.h"

namespace tavo::shell {
namespace {

constexpr UINT_PTR kEditSubclass = 1;

bool modified(HWND edit) { return SendMessageW(edit, EM_GETMODIFY, 0, 0) != 0; }

// Shows the text as saved when it took in a change made outside.
void showSaved(DayScheduleWindow& w, const std::string& text) {
    w.accepted = cp932ToWide(withCrLf(text));
    w.restoring = true;
    SetWindowTextW(w.edit, w.accepted.c_str());
    w.restoring = false;
    SendMessageW(w.edit, EM_SETMODIFY, FALSE, 0);
}

// Saves a changed text. False, with the reason told, when it was not saved
// or when it met a change made outside to the same lines: the window then
// stays open with the text (both texts, in the second case).
bool save(DayScheduleWindow& w, bool quiet = false) {
    if (!modified(w.edit)) return true;  // an unchanged text never rewrites the file
    const std::wstring text = win::textOf(w.edit);
    const std::wstring unstorable = unstorableInCp932(text);
    if (!unstorable.empty()) {
        win::tellUser(w.window, std::wstring(L"次の文字は保存できません。別の文字に書き換えてから閉じてください。\n").append(unstorable));
        return false;
    }
    const ScheduleSave saved = saveScheduleText(w.process.files, w.place, w.readText, wideToCp932(text));
    if (!saved.saved) {
        std::wstring message = L"予定を保存できませんでした。入力した内容はこのウィンドウに残っています。\n";
        message.append(cp932ToWide(w.dataFile())).append(L"\n").append(cp932ToWide(saved.saved.reason));
        win::tellUser(w.window, message);
        return false;
    }
    w.readText = saved.text;
    SendMessageW(w.edit, EM_SETMODIFY, FALSE, 0);
    w.acceptedModified = false;
    if (saved.merged) showSaved(w, saved.text);
    refreshWindows(kRefreshedWindows, kRefreshData);
    if (!saved.conflict || quiet) return true;
    win::tellUser(w.window, L"この予定は、ウィンドウを開いた後にほかでも書き換えられていました。両方の内容を保存しました。\n"
                            L"ほかで書き換えられた行には「【競合】」を付けています。確かめてから閉じてください。");
    return false;
}

void onClose(DayScheduleWindow& w) {
    w.saveSlotWanted();
    if (!save(w)) return;
    win::setInputMethod(w.edit, false);
    DestroyWindow(w.window);
}

// The limit counts bytes as stored: a change that makes the text longer than
// that is taken back, and the caret stays where the change began.
void onTextChanged(DayScheduleWindow& w) {
    if (w.restoring) return;
    const std::wstring text = win::textOf(w.edit);
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

// --- The edit menu ---

struct Selection {
    bool any, writable, text;
};

Selection selectionOf(const DayScheduleWindow& w) {
    DWORD start = 0, end = 0;
    SendMessageW(w.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start != end, (GetWindowLongW(w.edit, GWL_STYLE) & ES_READONLY) == 0, GetWindowTextLengthW(w.edit) > 0};
}

bool canCut(const DayScheduleWindow& w) { return selectionOf(w).any && selectionOf(w).writable; }
bool canCopy(const DayScheduleWindow& w) { return selectionOf(w).any; }
bool canPaste(const DayScheduleWindow& w) { return selectionOf(w).writable; }
bool canCutAll(const DayScheduleWindow& w) { return selectionOf(w).text && selectionOf(w).writable; }
bool canCopyAll(const DayScheduleWindow& w) { return selectionOf(w).text; }

template <UINT message, bool whole>
void editCommand(DayScheduleWindow& w) {
    if (whole) SendMessageW(w.edit, EM_SETSEL, 0, -1);
    SendMessageW(w.edit, message, 0, 0);
}

// The external program sees the text as typed: it is saved first.
void runOnOwnFile(DayScheduleWindow& w) {
    if (save(w)) runExternalProgram(w.window, w.shared().paths, w.dataFile());
}

const win::Command<DayScheduleWindow> kCommands[] = {
    {CMD_EDIT_CUT, "cut", editCommand<WM_CUT, false>, canCut},
    {CMD_EDIT_COPY, "copy", editCommand<WM_COPY, false>, canCopy},
    {CMD_EDIT_PASTE, "paste", editCommand<WM_PASTE, false>, canPaste},
    {CMD_EDIT_CUT_ALL, "cut all", editCommand<WM_CUT, true>, canCutAll},
    {CMD_EDIT_COPY_ALL, "copy all", editCommand<WM_COPY, true>, canCopyAll},
    {CMD_EXTERNAL, "run the external program on this file", runOnOwnFile},
};

const win::CommandList<DayScheduleWindow> kList(kCommands);

// The edit control is subclassed only to route its right click and F1 to the window.
LRESULT CALLBACK editProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& w = *reinterpret_cast<DayScheduleWindow*>(data);
    if (message == WM_CONTEXTMENU) return SendMessageW(w.window, message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_F1) {
        openHelpPage(w.window, w.shared().paths, kDayScheduleHelpPage, SW_SHOWNORMAL);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void buildFont(DayScheduleWindow& w) {
    win::WindowDc dc(w.window);
    w.font.reset(createScheduleFont(w.shared().design[windowKindInfo(WindowKind::RangeView).design], dc.get(), w.dpi));
    SendMessageW(w.edit, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.get()), TRUE);
}

void load(DayScheduleWindow& w) {
    w.place = schedulePlace(w.shared().paths, w.kind, w.date.year, w.date.month, w.date.day);
    const ScheduleText read = readScheduleText(w.process.files, w.place);
    w.readText = read.text;
    w.accepted = cp932ToWide(withCrLf(read.text));
    SetWindowTextW(w.edit, w.accepted.c_str());
    SendMessageW(w.edit, EM_SETMODIFY, FALSE, 0);
    if (read.writable) return;
    // What was shown is not the whole section: editing it could only lose the rest.
    SendMessageW(w.edit, EM_SETREADONLY, TRUE, 0);
    std::wstring message = L"予定ファイルを全部は読めませんでした。内容を守るため、このウィンドウでは編集できません。\n";
    message.append(cp932ToWide(w.dataFile())).append(L"\n").append(cp932ToWide(read.problem));
    w.tellWhenShown(std::move(message));
}

LRESULT onCreate(DayScheduleWindow& w) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    w.edit = CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 0, 0, w.window, reinterpret_cast<HMENU>(IDC_SCHEDULE_EDIT),
                             w.process.instance, nullptr);
    if (w.edit == nullptr) return -1;
    SendMessageW(w.edit, EM_LIMITTEXT, kScheduleTextBytes, 0);  // no text within the limit has more characters
    buildFont(w);
    win::setInputMethod(w.edit, true);
    const std::string title = scheduleWindowTitle(w.shared().dateFormats[windowKindInfo(WindowKind::DaySchedule).dateFormats],
                                                  w.kind, w.date);
    SetWindowTextW(w.window, cp932ToWide(title).c_str());
    load(w);
    SetWindowSubclass(w.edit, editProcedure, kEditSubclass, reinterpret_cast<DWORD_PTR>(&w));
    return 0;
}

}  // namespace

std::string DayScheduleWindow::dataFile() const { return place.path; }

const win::CommandList<DayScheduleWindow>& DayScheduleWindow::commandList() { return kList; }

void DayScheduleWindow::close() { onClose(*this); }

void DayScheduleWindow::dpiChanged() { buildFont(*this); }

LRESULT DayScheduleWindow::onDataMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return onCreate(*this);
        case WM_QUERYENDSESSION: return save(*this, true) ? TRUE : FALSE;  // logging off keeps the text
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) onTextChanged(*this);
            return 0;
        case WM_DESTROY: RemoveWindowSubclass(edit, editProcedure, kEditSubclass); return 0;
        case WM_NCDESTROY: font.reset(); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool DayScheduleWindow::registerClass(HINSTANCE instance) { return registerDataWindowClass(instance, kWindowKind, L"WSchMenu"); }

void openDaySchedule(CalendarWindow& a, ScheduleKind kind) {
    openDataWindow(a.daySchedule, a.process, a.window, kind, selectedDayDate(a), L"予定のウィンドウを作成できません。");
}

}  // namespace tavo::shell
