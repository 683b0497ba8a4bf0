// The options library: loaded by the calendar only while its dialog is open.
// The frame holds two rows of tabs; pages are made on first showing and live
// until the dialog ends, so OK and Cancel reach every page ever shown.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "calendar/data/external_program.h"
#include "calendar/data/shared_settings.h"
#include "options_ids.h"
#include "pages.h"
#include "shared/cp932.h"
#include "shared/window_settings.h"
#include "shared/windows_of_kind.h"

namespace tavo::options {
namespace {

HINSTANCE gLibrary = nullptr;

struct Frame {
    OptionsContext context;
    HWND window = nullptr;
    int outer = 0, inner = 0;  // inner: index into the outer tab's pages
    std::unique_ptr<Page> pages[kOuterTabs][5];
};

// The built pages of an outer tab, in slot order.
const PageSlot* slotOf(int outer, int index) {
    int seen = 0;
    for (int i = 0; i < kPageSlotCount; ++i)
        if (kPageSlots[i].outer == outer && seen++ == index) return &kPageSlots[i];
    return nullptr;
}

HWND tabs(const Frame& f, int id) { return GetDlgItem(f.window, id); }

void hidePages(Frame& f) {
    for (auto& row : f.pages)
        for (auto& page : row)
            if (page && page->window) ShowWindow(page->window, SW_HIDE);
}

void showPage(Frame& f) {
    hidePages(f);
    const PageSlot* slot = slotOf(f.outer, f.inner);
    if (slot == nullptr) return;
    std::unique_ptr<Page>& page = f.pages[slot->outer][slot->inner];
    HWND inner = tabs(f, IDC_INNER_TABS);
    if (!page) {
        page = std::make_unique<Page>(f.context, slot->kind());
        page->create(inner);
        RECT r{};
        GetClientRect(inner, &r);
        TabCtrl_AdjustRect(inner, FALSE, &r);
        SetWindowPos(page->window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, 0);
    }
    ShowWindow(page->window, SW_SHOW);
    SetFocus(page->window);
}

void selectInnerTab(Frame& f, int index) {
    f.inner = index;
    TabCtrl_SetCurSel(tabs(f, IDC_INNER_TABS), index);
    showPage(f);
}

void buildInnerRow(Frame& f) {
    HWND inner = tabs(f, IDC_INNER_TABS);
    TabCtrl_DeleteAllItems(inner);
    for (int i = 0; const PageSlot* slot = slotOf(f.outer, i); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(slot->tab);
        TabCtrl_InsertItem(inner, i, &item);
    }
    selectInnerTab(f, 0);
}

void selectOuterTab(Frame& f, int outer) {
    f.outer = outer;
    TabCtrl_SetCurSel(tabs(f, IDC_OUTER_TABS), outer);
    buildInnerRow(f);
}

void placeAtSavedCorner(Frame& f) {
    if (!f.context.settings->env.sav) return;
    const auto size = f.context.store.openForReading("size");
    const auto corner = f.context.store.openForReading("custpos");
    const int storedX = corner->readInt("xCst", -1);
    const DialogCorner at = optionsDialogCorner(storedX, corner->readInt("yCst", -1), GetSystemMetrics(SM_CXSCREEN),
                                                GetSystemMetrics(SM_CYSCREEN), size->readInt("xCst", 280),
                                                size->readInt("yCst", 340));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(f.window, &placement);
    RECT& r = placement.rcNormalPosition;
    OffsetRect(&r, at.x - r.left, at.y - r.top);
    placement.showCmd = SW_SHOW;
    SetWindowPlacement(f.window, &placement);
}

void onInit(Frame& f, int firstOuter) {
    placeAtSavedCorner(f);
    // The inner row lies on the outer one: it must be drawn above it.
    SetWindowPos(tabs(f, IDC_INNER_TABS), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND outer = tabs(f, IDC_OUTER_TABS);
    for (int i = 0; i < kOuterTabs; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kOuterTabTexts[i]);
        TabCtrl_InsertItem(outer, i, &item);
    }
    selectOuterTab(f, firstOuter);
}

void saveCorner(Frame& f) {
    if (!f.context.settings->env.sav) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(f.window, &placement)) return;
    const auto corner = f.context.store.createForWriting("custpos");
    corner->writeInt("xCst", placement.rcNormalPosition.left);
    corner->writeInt("yCst", placement.rcNormalPosition.top);
}

// A page with input OK cannot take (a text Shift-JIS cannot hold, a number
// out of its range) is shown with that input in focus, and the dialog stays
// open: what the user typed is not dropped.
bool pagesReady(Frame& f) {
    for (int outer = 0; outer < kOuterTabs; ++outer)
        for (int index = 0; const PageSlot* slot = slotOf(outer, index); ++index) {
            const Page* page = f.pages[slot->outer][slot->inner].get();
            const PageProblem problem = page && page->window ? page->problem() : PageProblem{};
            if (problem.text.empty()) continue;
            selectOuterTab(f, outer);
            selectInnerTab(f, index);
            page->tellProblem(problem);
            return false;
        }
    return true;
}

// OK or Cancel to every page ever shown, in slot order.
void finish(Frame& f, bool ok) {
    if (ok && !pagesReady(f)) return;
    saveCorner(f);
    for (auto& row : f.pages)
        for (auto& page : row)
            if (page && page->window) ok ? page->ok() : page->cancel();
    EndDialog(f.window, ok ? 1 : 0);
}

void openHelp(const Frame& f) {
    const PageSlot* slot = slotOf(f.outer, f.inner);
    const std::string page = std::string("options\\").append(slot ? slot->help : "index.html");
    const std::wstring path = cp932ToWide(helpPagePath(f.context.settings->paths.programFolder, page));
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(f.window, nullptr, path.c_str(), nullptr, nullptr, SW_SHOW));
    if (result <= 32)
        MessageBoxW(f.window, std::wstring(L"ヘルプのページを開けませんでした.\n").append(path).c_str(), L"Tavo",
                    MB_OK | MB_ICONWARNING);
}

void onNotify(Frame& f, const NMHDR& n) {
    if (n.code != TCN_SELCHANGE) return;
    if (n.idFrom == IDC_INNER_TABS) {
        f.inner = TabCtrl_GetCurSel(n.hwndFrom);
        showPage(f);
    } else if (n.idFrom == IDC_OUTER_TABS) {
        selectOuterTab(f, TabCtrl_GetCurSel(n.hwndFrom));
    }
}

struct Start {
    Frame* frame;
    int firstOuter;
};

INT_PTR CALLBACK frameProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<const Start*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start->frame));
        start->frame->window = dialog;
        onInit(*start->frame, start->firstOuter);
        return FALSE;  // the page has the focus
    }
    auto* f = reinterpret_cast<Frame*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (f == nullptr) return FALSE;
    switch (message) {
        case WM_NOTIFY: onNotify(*f, *reinterpret_cast<const NMHDR*>(lParam)); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) finish(*f, true);
            else if (LOWORD(wParam) == IDCANCEL) finish(*f, false);
            else if (LOWORD(wParam) == IDC_OPTIONS_HELP) openHelp(*f);
            return TRUE;
        case WM_CLOSE: finish(*f, false); return TRUE;
        default: return FALSE;
    }
}

// The first outer tab: "基本設定" on the very first opening, then the tab of the caller.
int firstOuterTab(RegistrySettingsStore& store, bool fromRangeView) {
    if (store.openForReading("tavocust")->readInt("exec", 0) != 0) return fromRangeView ? 2 : 1;
    store.createForWriting("tavocust")->writeInt("exec", 1);
    return 0;
}

}  // namespace
}  // namespace tavo::options

extern "C" {

// Runs the options dialog on the calendar's settings block; returns 1 after
// OK and 0 after Cancel or close.
__declspec(dllexport) int TavoCust(tavo::SharedSettings* settings, unsigned char fromRangeView) {
    using namespace tavo::options;
    if (settings == nullptr) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    Frame frame;
    frame.context.settings = settings;
    frame.context.instance = gLibrary;
    Start start{&frame, firstOuterTab(frame.context.store, fromRangeView != 0)};
    const INT_PTR result = DialogBoxParamW(gLibrary, L"TAVOCUST", tavo::findWindowOf(tavo::WindowKind::Tray), frameProcedure,
                                           reinterpret_cast<LPARAM>(&start));
    return result == 1 ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) tavo::options::gLibrary = instance;
    return TRUE;
}

}
