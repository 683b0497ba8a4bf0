// The style pages of the calendar and the range view. Each switch applies to
// the open window at once: the frame changes keeping the client area where it
// is, the window stays on top or not, the background follows. Cancel puts the
// record back and the window's frame with it.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "calendar/render/month_painter.h"
#include "options_ids.h"
#include "pages.h"
#include "shared/cp932.h"
#include "shared/window_frame.h"
#include "shared/window_frame_win.h"
#include "shared/windows_of_kind.h"
#include "win/controls.h"
#include "win/file_dialog.h"

namespace tavo::options {
namespace {

constexpr int kPathBytes = sizeof(WindowStyle::wallpaperPath) - 1;

template <int Index>
constexpr WindowKind kWindow = Index == kCalendarStyle ? WindowKind::Calendar : WindowKind::RangeView;

WindowStyle& styleOf(const Page& page) { return *static_cast<WindowStyle*>(page.record); }

void enable(const Page& page, int id, bool on) { EnableWindow(page.item(id), on ? TRUE : FALSE); }

// The client grows or shrinks by the bands that come or go: the grid keeps its size.
int clientGrowth(const Page& page, int index, const WindowStyle& from, const WindowStyle& to, HWND window) {
    if (index != kCalendarStyle) return 0;
    const DesignSet& design = page.context.settings->design[0];
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    const BandHeights a = scaledBandHeights(design, from, design.statusBarHeight, dpi);
    const BandHeights b = scaledBandHeights(design, to, design.statusBarHeight, dpi);
    return (b.buttonBand + b.statusBar) - (a.buttonBand + a.statusBar);
}

// The window follows the record: its frame, its band of the z-order.
template <int Index>
void applyToWindow(Page& page, const WindowStyle& from) {
    WindowStyle& s = styleOf(page);
    HWND window = findWindowOf(kWindow<Index>);
    if (window == nullptr) {  // it takes the record when it is made
        deriveWindowStyle(s, Index);
        return;
    }
    s.windowStyle = windowStyleBits(s);
    if (frameChanges(from, s).any()) applyWindowFrame(window, s.windowStyle, clientGrowth(page, Index, from, s, window));
    if (from.alwaysOnTop != s.alwaysOnTop)
        SetWindowPos(window, s.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (from.rokuyo != s.rokuyo) refreshWindows(kindBit(kWindow<Index>), kRefreshDesign);
    SetForegroundWindow(GetAncestor(page.dialog, GA_ROOT));
}

bool bitmapLoads(const std::string& path) {
    HANDLE image = LoadImageW(nullptr, cp932ToWide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (image) DeleteObject(image);
    return image != nullptr;
}

void tellUnloadable(const Page& page, const std::string& path) {
    tell(page, std::wstring(L"壁紙のビットマップを読み込めません。背景は今のままです。\n").append(cp932ToWide(path)));
}

void showSwitch(Page& page, int id) {
    if (const Binding* b = page.binding(id)) page.show(*b);
}

template <int Index>
void enableControls(const Page& page) {
    const WindowStyle& s = styleOf(page);
    enable(page, IDC_STYLE_MINIMIZE, s.titleBar != 0);
    enable(page, IDC_STYLE_MAXIMIZE, s.titleBar != 0);
    for (int id : {IDC_STYLE_WALLPAPER_FILE, IDC_STYLE_WALLPAPER_BROWSE, IDC_STYLE_WALLPAPER_MODE}) enable(page, id, s.wallpaper != 0);
    const bool calendar = Index == kCalendarStyle;
    enable(page, IDC_STYLE_STATUS, calendar);
    enable(page, IDC_STYLE_TODAY, calendar);
    enable(page, IDC_STYLE_ROKUYO, calendar);
    enable(page, IDC_STYLE_MONTHS, calendar && s.todayButton);
    enable(page, IDC_STYLE_YEARS, calendar && s.todayButton);
}

// The list of wallpaper modes; the program uses at least 10 %, so a stored
// percent outside 10..100 shows as what it acts as, and is stored so on OK.
void init(Page& page) {
    SendMessageW(page.item(IDC_STYLE_WALLPAPER_MODE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"並べて表示"));
    SendMessageW(page.item(IDC_STYLE_WALLPAPER_MODE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"拡大して表示"));
}

void showEffectivePercent(Page& page) {
    WindowStyle& s = styleOf(page);
    if (page.item(IDC_STYLE_PERCENT) == nullptr || (s.percent >= 10 && s.percent <= 100)) return;
    s.percent = layeredOpacityPercent(s);  // what is shown is what OK stores
    SetDlgItemInt(page.dialog, IDC_STYLE_PERCENT, static_cast<UINT>(layeredOpacityPercent(s)), FALSE);
    SendMessageW(page.item(IDC_STYLE_PERCENT_SPIN), UDM_SETPOS32, 0, layeredOpacityPercent(s));
}

template <int Index>
void changed(Page& page, int id) {
    if (id == 0) showEffectivePercent(page);
    if (id != 0) {
        const WindowStyle& before = page.previousRecord<WindowStyle>();
        followStyleSwitches(styleOf(page), before, Index);
        for (int follower : {IDC_STYLE_MINIMIZE, IDC_STYLE_MAXIMIZE, IDC_STYLE_MONTHS, IDC_STYLE_YEARS, IDC_STYLE_TRANSPARENT,
                             IDC_STYLE_WALLPAPER})
            showSwitch(page, follower);
        applyToWindow<Index>(page, before);
        if (id == IDC_STYLE_LAYERED) MessageBoxW(page.dialog, L"再起動後反映されます", L"透明化", MB_OK);
        const WindowStyle& s = styleOf(page);
        if (id == IDC_STYLE_WALLPAPER && s.wallpaper && s.wallpaperPath[0] && !bitmapLoads(s.wallpaperPath)) tellUnloadable(page, s.wallpaperPath);
    }
    enableControls<Index>(page);
}

template <int Index>
void restored(Page& page) {
    applyToWindow<Index>(page, page.previousRecord<WindowStyle>());
}

// A path the record cannot hold whole would be a different, wrong path.
bool storablePath(const std::wstring& path) { return win::unusablePathReason(path, kPathBytes).empty(); }

// A chosen bitmap is taken at once: the window shows it while the page is open.
void browse(Page& page) {
    if (!browseForFile(page, IDC_STYLE_WALLPAPER_FILE, L"ビットマップ ファイル (*.bmp)\0*.bmp\0", win::windowsFolder())) return;
    page.take(*page.binding(IDC_STYLE_WALLPAPER_FILE));
    const std::string chosen = wideToCp932(win::itemText(page.dialog, IDC_STYLE_WALLPAPER_FILE));
    if (!bitmapLoads(chosen)) tellUnloadable(page, chosen);
    page.notify();
}

void command(Page& page, int id, int code) {
    if (id == IDC_STYLE_WALLPAPER_BROWSE && code == BN_CLICKED) browse(page);
}

// A percent outside 10..100 would make the window nearly invisible or mean nothing.
PageProblem check(const Page& page) {
    if (page.item(IDC_STYLE_PERCENT)) {
        BOOL number = FALSE;
        const UINT percent = GetDlgItemInt(page.dialog, IDC_STYLE_PERCENT, &number, FALSE);
        if (!number || percent < 10 || percent > 100)
            return {IDC_STYLE_PERCENT, L"透明化の割合は10から100までの数で入れてください。"};
    }
    wchar_t path[1024] = {};
    GetDlgItemTextW(page.dialog, IDC_STYLE_WALLPAPER_FILE, path, 1024);
    const WindowStyle& s = styleOf(page);
    if (!storablePath(path)) return {IDC_STYLE_WALLPAPER_FILE, L"壁紙のファイルの場所が長すぎます(259バイトまで)。"};
    if (s.wallpaper && path[0] && wideToCp932(path) != s.wallpaperPath && !bitmapLoads(wideToCp932(path)))
        return {IDC_STYLE_WALLPAPER_FILE, std::wstring(L"壁紙のビットマップを読み込めません。\n").append(path)};
    return {};
}

std::vector<Binding> styleBindings(int index) {
    std::vector<Binding> b = {
        {Control::Check, IDC_STYLE_TITLE, "cap"},        {Control::Check, IDC_STYLE_MINIMIZE, "min"},
        {Control::Check, IDC_STYLE_MAXIMIZE, "max"},     {Control::Check, IDC_STYLE_SIZING, "siz"},
        {Control::Check, IDC_STYLE_STATUS, "sts"},       {Control::Check, IDC_STYLE_TOP, "top"},
        {Control::Check, IDC_STYLE_TRANSPARENT, "clr"},  {Control::Check, IDC_STYLE_WALLPAPER, "wal"},
        {Control::Text, IDC_STYLE_WALLPAPER_FILE, "bmppath"},
        {Control::Combo, IDC_STYLE_WALLPAPER_MODE, "wtp"},
        {Control::Radio, IDC_STYLE_SUNDAY, "rok", 2},    {Control::Radio, IDC_STYLE_FIRST_WEEK, "fwk", 2},
    };
    if (index != kCalendarStyle) return b;  // the range view has no buttons, rokuyo or layered window
    b.insert(b.end(), {{Control::Check, IDC_STYLE_TODAY, "tbt"},
                       {Control::Check, IDC_STYLE_MONTHS, "mbt"},
                       {Control::Check, IDC_STYLE_YEARS, "ybt"},
                       {Control::Check, IDC_STYLE_ROKUYO, "sps"},
                       {Control::Check, IDC_STYLE_LAYERED, "lay"},
                       {Control::Number, IDC_STYLE_PERCENT, "percent", 0, IDC_STYLE_PERCENT_SPIN, 10, 100, 3}});
    return b;
}

template <int Index>
const PageKind& makeStylePage() {
    static const PageKind kind{
        Index == kCalendarStyle ? L"STYLE" : L"DSTYLE",
        [](SharedSettings& s) -> void* { return &s.style[Index]; },
        sizeof(WindowStyle),
        [] () -> const SettingsTable& { return windowStyleTable(Index); },
        styleBindings(Index),
        kindBit(kWindow<Index>),
        kRefreshStyle,
        true,  // a wallpaper path half typed is not loaded
        changed<Index>,
        command,
        nullptr,
        init,
        nullptr,
        restored<Index>,
        check,
    };
    return kind;
}

}  // namespace

const PageKind& calendarStylePage() { return makeStylePage<kCalendarStyle>(); }
const PageKind& rangeStylePage() { return makeStylePage<kRangeViewStyle>(); }

}  // namespace tavo::options
