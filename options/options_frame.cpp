#include "options_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "calendar/data/external_program.h"
#include "options_ids.h"
#include "shared/cp932.h"
#include "shared/window_settings.h"
#include "win/dpi.h"
#include "win/tell.h"

namespace tavo::options {

OptionsFrame::OptionsFrame(OptionsContext& context, std::span<const wchar_t* const> outerTabs,
                           std::span<const PageSlot> slots, int firstOuter)
    : context_(context), outerTabs_(outerTabs), slots_(slots), pages_(slots.size()), outer_(firstOuter) {}

std::size_t OptionsFrame::slotIndex(int outer, int index) const {
    int seen = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].outer == outer && seen++ == index) return i;
    return slots_.size();
}

const Page* OptionsFrame::shownPage() const {
    const std::size_t slot = slotIndex(outer_, inner_);
    return slot < pages_.size() ? pages_[slot].get() : nullptr;
}

void OptionsFrame::hidePages() {
    for (const auto& page : pages_)
        if (page && page->dialog) ShowWindow(page->dialog, SW_HIDE);
}

void OptionsFrame::showPage() {
    hidePages();
    const std::size_t slot = slotIndex(outer_, inner_);
    if (slot == slots_.size()) return;
    std::unique_ptr<Page>& page = pages_[slot];
    HWND inner = tabs(IDC_INNER_TABS);
    if (!page) {
        page = std::make_unique<Page>(context_, slots_[slot].kind());
        page->create(inner);
        RECT r{};
        GetClientRect(inner, &r);
        TabCtrl_AdjustRect(inner, FALSE, &r);
        SetWindowPos(page->dialog, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, 0);
    }
    ShowWindow(page->dialog, SW_SHOW);
    SetFocus(page->dialog);
}

void OptionsFrame::selectInnerTab(int index) {
    inner_ = index;
    TabCtrl_SetCurSel(tabs(IDC_INNER_TABS), index);
    showPage();
}

void OptionsFrame::buildInnerRow() {
    HWND inner = tabs(IDC_INNER_TABS);
    TabCtrl_DeleteAllItems(inner);
    for (int i = 0; slotIndex(outer_, i) < slots_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(slots_[slotIndex(outer_, i)].tab);
        TabCtrl_InsertItem(inner, i, &item);
    }
    selectInnerTab(0);
}

void OptionsFrame::selectOuterTab(int outer) {
    outer_ = outer;
    TabCtrl_SetCurSel(tabs(IDC_OUTER_TABS), outer);
    buildInnerRow();
}

// At its saved corner, else centred over its owner; wholly on the work area
// with the size it has at this DPI.
void OptionsFrame::placeAtSavedCorner() {
    OptionsDialogSettings place{};
    resetSettings(&place, optionsDialogTable());
    if (context_.settings->env.keepPlacements) readSettings(&place, optionsDialogTable(), context_.store);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(dialog, &placement);
    RECT& r = placement.rcNormalPosition;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND owner = GetWindow(dialog, GW_OWNER);
    const BesideRect ownerRect = win::windowRectOf(owner);
    const DialogCorner at = optionsDialogCorner(place.x, place.y, work.right, work.bottom, r.right - r.left, r.bottom - r.top,
                                                owner && IsWindowVisible(owner) ? &ownerRect : nullptr);
    OffsetRect(&r, at.x - r.left, at.y - r.top);
    placement.showCmd = SW_SHOW;
    SetWindowPlacement(dialog, &placement);
}

void OptionsFrame::onInit() {
    placeAtSavedCorner();
    // The inner row lies on the outer one: it must be drawn above it.
    SetWindowPos(tabs(IDC_INNER_TABS), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND outer = tabs(IDC_OUTER_TABS);
    for (std::size_t i = 0; i < outerTabs_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(outerTabs_[i]);
        TabCtrl_InsertItem(outer, static_cast<int>(i), &item);
    }
    selectOuterTab(outer_);
}

// The corner only: the dialog's size is the template's.
void OptionsFrame::saveCorner() {
    if (!context_.settings->env.keepPlacements) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(dialog, &placement)) return;
    const OptionsDialogSettings place{placement.rcNormalPosition.left, placement.rcNormalPosition.top, 0, 0, 1};
    for (const char* name : {"xCst", "yCst"})
        writeSetting(&place, settingEntry(optionsDialogTable(), "custpos", name), context_.store);
}

// A page with input OK cannot take (a text Shift-JIS cannot hold, a number
// out of its range) is shown with that input in focus, and the dialog stays
// open: what the user typed is not dropped.
bool OptionsFrame::pagesReady() {
    for (int outer = 0; outer < static_cast<int>(outerTabs_.size()); ++outer)
        for (int index = 0; slotIndex(outer, index) < slots_.size(); ++index) {
            const Page* page = pages_[slotIndex(outer, index)].get();
            const PageProblem problem = page && page->dialog ? page->problem() : PageProblem{};
            if (problem.text.empty()) continue;
            selectOuterTab(outer);
            selectInnerTab(index);
            page->tellProblem(problem);
            return false;
        }
    return true;
}

bool OptionsFrame::finish(bool ok) {
    if (ok && !pagesReady()) return false;
    saveCorner();
    for (const auto& page : pages_)
        if (page && page->dialog) ok ? page->ok() : page->cancel();
    EndDialog(dialog, ok ? 1 : 0);
    return true;
}

void OptionsFrame::openHelp() const {
    const std::size_t slot = slotIndex(outer_, inner_);
    const std::string page = std::string("options\\").append(slot < slots_.size() ? slots_[slot].help : "index.html");
    const std::wstring path = cp932ToWide(helpPagePath(context_.settings->paths.programFolder, page));
    win::showHelpPage(dialog, path, SW_SHOW);
}

void OptionsFrame::onNotify(const NMHDR& n) {
    if (n.code != TCN_SELCHANGE) return;
    if (n.idFrom == IDC_INNER_TABS) {
        inner_ = TabCtrl_GetCurSel(n.hwndFrom);
        showPage();
    } else if (n.idFrom == IDC_OUTER_TABS) {
        selectOuterTab(TabCtrl_GetCurSel(n.hwndFrom));
    }
}

INT_PTR OptionsFrame::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInit();
            return FALSE;  // the page has the focus
        case WM_NOTIFY: onNotify(*reinterpret_cast<const NMHDR*>(lParam)); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) finish(true);
            else if (LOWORD(wParam) == IDCANCEL) finish(false);
            else if (LOWORD(wParam) == IDC_OPTIONS_HELP) openHelp();
            return TRUE;
        case WM_HELP: openHelp(); return TRUE;  // F1, as the ヘルプ button
        case WM_CLOSE: finish(false); return TRUE;
        default: return FALSE;
    }
}

}  // namespace tavo::options
