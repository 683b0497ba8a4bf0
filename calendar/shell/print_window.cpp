#include "print_window.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "calendar_window.h"
#include "gdi_painter.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "win/file_dialog.h"
#include "win/placement.h"
#include "win/tell.h"

namespace tavo::shell {
namespace {

enum ControlId : int { kWhat = 2101, kPaper, kLandscape, kColour, kSetup, kPrint, kSave, kBack, kNext, kPageText, kClose, kWhatLabel,
                       kPaperLabel };
constexpr int kPreviewDpi = 600;  // the sheet planned when there is no printer
constexpr short kPaperCodes[kPaperCount] = {DMPAPER_A4, DMPAPER_A3, DMPAPER_B5, DMPAPER_B4, DMPAPER_LETTER};

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

std::wstring defaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !GetDefaultPrinterW(name.data(), &size)) return {};
    name.resize(wcslen(name.c_str()));
    return name;
}

// A printer's sheet: its size, and what it can print on, in its device units.
Sheet sheetOf(HDC dc) {
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    return {GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
            {GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY), GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)},
            dpi > 0 ? dpi : kPreviewDpi};
}

void printPage(PreviewWindow& w) { w.print(); }
template <int pages>
void turnPages(PreviewWindow& w) {
    w.turn(pages);
}
void closePreview(PreviewWindow& w) { PostMessageW(w.window, WM_CLOSE, 0, 0); }

const win::Command<PreviewWindow> kCommands[] = {
    {CMD_PRINT, "print", printPage},
    {CMD_SCROLL_PAGE_UP, "the page before", turnPages<-1>},
    {CMD_SCROLL_PAGE_DOWN, "the page after", turnPages<1>},
    {CMD_CLOSE, "close", closePreview},
};
const win::KeyBinding kKeys[] = {
    {'P', true, CMD_PRINT}, {VK_PRIOR, false, CMD_SCROLL_PAGE_UP}, {VK_NEXT, false, CMD_SCROLL_PAGE_DOWN}, {VK_ESCAPE, false, CMD_CLOSE},
};
const win::CommandList<PreviewWindow> kList(kCommands, kKeys);

}  // namespace

const win::CommandList<PreviewWindow>& previewCommands() { return kList; }

void openPrintPreview(CalendarWindow& a, PrintWhat what) {
    if (!a.preview) a.preview = std::make_unique<PreviewWindow>(a);
    a.preview->open(what);
}

PreviewWindow::PreviewWindow(CalendarWindow& c)
    : PaintedWindow(WindowKind::Preview, c.process.instance, c.process.store, ownStyle_), calendar(c) {
    ownStyle_ = plainWindowStyle();
}

PreviewWindow::~PreviewWindow() {
    if (window) DestroyWindow(window);
}

void PreviewWindow::open(PrintWhat what) {
    if (!window) {
        HINSTANCE instance = calendar.process.instance;
        if (!registerOnce(instance, WindowKind::Preview, CS_VREDRAW | CS_HREDRAW)) return;
        readPrintSettings(settings_, calendar.process.store);
        if (!create(instance, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr, L"印刷 - Tavo")) return;
        win::takeDialogKeys(window);
    }
    settings_.what = static_cast<std::int32_t>(what);
    showSettings();
    replan();
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));  // Wine's activation leaves the focus on the window
}

void PreviewWindow::createControls() {
    const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        const DWORD tabStop = std::wstring_view(cls) == L"STATIC" ? 0 : WS_TABSTOP;
        HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | tabStop | style, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), calendar.process.instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    };
    // A label's access key focuses the control made after it.
    make(L"STATIC", L"内容(&W):", SS_RIGHT | SS_CENTERIMAGE, kWhatLabel);
    what_ = make(L"COMBOBOX", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL, kWhat);
    for (const wchar_t* item : {L"月", L"年", L"一覧"}) SendMessageW(what_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    make(L"STATIC", L"用紙(&Z):", SS_RIGHT | SS_CENTERIMAGE, kPaperLabel);
    paper_ = make(L"COMBOBOX", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL, kPaper);
    for (int p = 0; p < kPaperCount; ++p)
        SendMessageW(paper_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(paperName(static_cast<Paper>(p))).c_str()));
    landscape_ = make(L"BUTTON", L"横向き(&L)", BS_AUTOCHECKBOX, kLandscape);
    colour_ = make(L"BUTTON", L"カラー(&C)", BS_AUTOCHECKBOX, kColour);
    make(L"BUTTON", L"ページ設定(&U)...", BS_PUSHBUTTON, kSetup);
    make(L"BUTTON", L"印刷(&P)...", BS_DEFPUSHBUTTON, kPrint);
    make(L"BUTTON", L"保存(&S)...", BS_PUSHBUTTON, kSave);
    make(L"BUTTON", L"< 前(&B)", BS_PUSHBUTTON, kBack);
    pageText_ = make(L"STATIC", L"", SS_CENTER | SS_CENTERIMAGE, kPageText);
    make(L"BUTTON", L"次(&N) >", BS_PUSHBUTTON, kNext);
    make(L"BUTTON", L"閉じる(&X)", BS_PUSHBUTTON, kClose);
}

// The controls in three groups (what to print, what to do, which page); a
// group that does not fit beside the one before starts a row of its own, so
// nothing runs off a narrow window at 200 %.
void PreviewWindow::layOut() {
    const int m = scaled(6, dpi), h = scaled(24, dpi);
    using Group = std::vector<std::pair<int, int>>;  // control, width at 96 DPI
    const Group groups[] = {{{kWhatLabel, 48}, {kWhat, 56}, {kPaperLabel, 46}, {kPaper, 64}, {kLandscape, 76}, {kColour, 70}},
                            {{kSetup, 96}, {kPrint, 64}, {kSave, 64}},
                            {{kBack, 56}, {kPageText, 48}, {kNext, 56}, {kClose, 70}}};
    RECT client{};
    GetClientRect(window, &client);
    int x = m, y = m;
    for (const Group& group : groups) {
        int width = 0;
        for (const auto& [id, w] : group) width += scaled(w, dpi) + m / 2;
        if (x > m && x + width > client.right) x = m, y += h + m;
        for (const auto& [id, w] : group) {
            // A drop-down list's height includes its list.
            MoveWindow(GetDlgItem(window, id), x, y, scaled(w, dpi), id == kWhat || id == kPaper ? scaled(160, dpi) : h, TRUE);
            x += scaled(w, dpi) + m / 2;
        }
        x += 2 * m - m / 2;
    }
    toolbarHeight_ = y + h + m;
}

void PreviewWindow::showSettings() {
    SendMessageW(what_, CB_SETCURSEL, static_cast<WPARAM>(settings_.what), 0);
    SendMessageW(paper_, CB_SETCURSEL, static_cast<WPARAM>(settings_.paper), 0);
    SendMessageW(landscape_, BM_SETCHECK, settings_.landscape ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(colour_, BM_SETCHECK, settings_.colour ? BST_CHECKED : BST_UNCHECKED, 0);
}

void PreviewWindow::takeControls() {
    settings_.what = std::clamp(static_cast<int>(SendMessageW(what_, CB_GETCURSEL, 0, 0)), 0, 2);
    settings_.paper = std::clamp(static_cast<int>(SendMessageW(paper_, CB_GETCURSEL, 0, 0)), 0, kPaperCount - 1);
    settings_.landscape = SendMessageW(landscape_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    settings_.colour = SendMessageW(colour_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    writeSettings(&settings_, printTable(), calendar.process.store);
}

const std::wstring& PreviewWindow::printerName() {
    if (!printer_.empty()) return printer_;
    if (!defaultAsked_) defaultPrinter_ = defaultPrinter(), defaultAsked_ = true;
    return defaultPrinter_;
}

namespace {

// The driver's setup of a printer, as DocumentProperties gives it; empty when none.
std::vector<unsigned char> driverModeOf(std::wstring name) {
    std::vector<unsigned char> bytes;
    HANDLE printer = nullptr;
    if (name.empty() || !OpenPrinterW(name.data(), &printer, nullptr)) return bytes;
    const LONG size = DocumentPropertiesW(nullptr, printer, name.data(), nullptr, nullptr, 0);
    if (size >= static_cast<LONG>(sizeof(DEVMODEW))) {
        bytes.resize(static_cast<std::size_t>(size));
        if (DocumentPropertiesW(nullptr, printer, name.data(), reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr, DM_OUT_BUFFER) != IDOK)
            bytes.clear();
    }
    ClosePrinter(printer);
    return bytes;
}

}  // namespace

HGLOBAL PreviewWindow::deviceMode() {
    const std::wstring& name = printerName();
    if (driverModeOf_ != name || driverMode_.empty()) driverMode_ = driverModeOf(name), driverModeOf_ = name;
    HGLOBAL mode = nullptr;
    if (!driverMode_.empty() && (mode = GlobalAlloc(GHND, driverMode_.size())) != nullptr) {
        std::memcpy(GlobalLock(mode), driverMode_.data(), driverMode_.size());
        GlobalUnlock(mode);
    }
    if (mode == nullptr && (mode = GlobalAlloc(GHND, sizeof(DEVMODEW))) != nullptr) {
        auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
        dm->dmSize = sizeof(DEVMODEW);
        GlobalUnlock(mode);
    }
    if (mode == nullptr) return nullptr;
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(mode));
    dm->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    dm->dmPaperSize = kPaperCodes[settings_.paper];
    dm->dmOrientation = settings_.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    GlobalUnlock(mode);
    return mode;
}

void PreviewWindow::takeDeviceMode(HGLOBAL mode, HGLOBAL names) {
    if (const auto* dm = mode ? static_cast<const DEVMODEW*>(GlobalLock(mode)) : nullptr) {
        const auto paper = std::find(std::begin(kPaperCodes), std::end(kPaperCodes), dm->dmPaperSize);
        if ((dm->dmFields & DM_PAPERSIZE) && paper != std::end(kPaperCodes)) settings_.paper = static_cast<std::int32_t>(paper - kPaperCodes);
        if (dm->dmFields & DM_ORIENTATION) settings_.landscape = dm->dmOrientation == DMORIENT_LANDSCAPE;
        GlobalUnlock(mode);
    }
    if (const auto* dn = names ? static_cast<const DEVNAMES*>(GlobalLock(names)) : nullptr) {
        printer_ = reinterpret_cast<const wchar_t*>(dn) + dn->wDeviceOffset;
        GlobalUnlock(names);
    }
    if (mode) GlobalFree(mode);
    if (names) GlobalFree(names);
    writeSettings(&settings_, printTable(), calendar.process.store);
    showSettings();
}

std::vector<std::vector<PaintOp>> PreviewWindow::pagesFor(HDC dc, const Sheet& sheet, DesignObjects& objects) {
    const PrintWhat what = static_cast<PrintWhat>(settings_.what);
    const SharedSettings& s = calendar.shared();
    design_ = printedDesign(printsInRangeDesign(what) ? s.design[1] : s.design[0], settings_.colour != 0);
    objects.build(design_, printsInRangeDesign(what) ? kRangeViewDesign : kCalendarDesign, sheet.dpi);
    FontSize sizes[6][2]{};
    for (auto& part : sizes)
        for (FontSize& size : part) size = {deviceUnits(4, sheet.dpi), 0, 400};
    HDC screen = GetDC(nullptr);
    objects.buildFonts(design_, screen, sizes);  // faces are found among the screen's families; heights come with each text
    ReleaseDC(nullptr, screen);
    GdiTextMeasure measure(dc, objects);
    const WindowStyle& style = calendar.style();
    const ShownDate& date = calendar.selected;
    const PrintRequest request{what, date.year(), date.month(), date.day(), {style.mondayFirst != 0, style.firstWeekIsThisMonth != 0},
                               s.range, s.dateFormats[1], calendar.process.locale, calendar.weekdayNames};
    return planPrintJob(request, {calendar.process.files, s.paths, s.closedDays, s.env, &calendar.subscriptions}, design_,
                        contentArea(sheet, settings_.margin), sheet.dpi, measure);
}

void PreviewWindow::replan() {
    HGLOBAL mode = deviceMode();
    const std::wstring& name = printerName();
    auto* dm = mode ? static_cast<DEVMODEW*>(GlobalLock(mode)) : nullptr;
    HDC info = name.empty() ? nullptr : CreateICW(L"WINSPOOL", name.c_str(), nullptr, dm);
    if (mode) GlobalUnlock(mode), GlobalFree(mode);
    HDC screen = GetDC(nullptr);
    sheet_ = info ? sheetOf(info) : wholeSheet(static_cast<Paper>(settings_.paper), settings_.landscape != 0, kPreviewDpi);
    pages_ = pagesFor(info ? info : screen, sheet_, objects_);
    ReleaseDC(nullptr, screen);
    if (info) DeleteDC(info);
    turn(0);
}

void PreviewWindow::turn(int pages) {
    page_ = std::clamp(page_ + pages, 0, std::max(static_cast<int>(pages_.size()) - 1, 0));
    const std::wstring text = std::to_wstring(page_ + 1) + L" / " + std::to_wstring(pages_.size());
    SetWindowTextW(pageText_, text.c_str());
    EnableWindow(GetDlgItem(window, kBack), page_ > 0);
    EnableWindow(GetDlgItem(window, kNext), page_ + 1 < static_cast<int>(pages_.size()));
    InvalidateRect(window, nullptr, FALSE);
}

void PreviewWindow::drawPage(HDC dc, const std::vector<PaintOp>& ops, const DesignObjects& objects) const {
    SetBkMode(dc, TRANSPARENT);
    drawPaintOps(dc, ops, objects, design_);
}

void PreviewWindow::paint(HDC dc, int width, int height) {
    if (pages_.empty() || sheet_.width <= 0 || sheet_.height <= 0) return;
    const int m = scaled(12, dpi), top = toolbarHeight_ + m;
    const double scale = std::min(static_cast<double>(width - 2 * m) / sheet_.width, static_cast<double>(height - top - m) / sheet_.height);
    if (scale <= 0) return;
    const int w = static_cast<int>(sheet_.width * scale), h = static_cast<int>(sheet_.height * scale);
    const int left = (width - w) / 2;
    RECT paper{left, top, left + w, top + h};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM toWindow{static_cast<FLOAT>(scale), 0, 0, static_cast<FLOAT>(scale), static_cast<FLOAT>(left), static_cast<FLOAT>(top)};
    SetWorldTransform(dc, &toWindow);
    IntersectClipRect(dc, 0, 0, sheet_.width, sheet_.height);
    drawPage(dc, pages_[static_cast<std::size_t>(page_)], objects_);
    RestoreDC(dc, saved);
}

void PreviewWindow::pageSetup() {
    PAGESETUPDLGW setup{};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = window;
    setup.hDevMode = deviceMode();
    setup.Flags = PSD_INHUNDREDTHSOFMILLIMETERS | PSD_MARGINS;
    const LONG margin = settings_.margin * 100;
    setup.rtMargin = {margin, margin, margin, margin};
    if (!PageSetupDlgW(&setup)) {
        if (setup.hDevMode) GlobalFree(setup.hDevMode);
        if (CommDlgExtendedError() == PDERR_NODEFAULTPRN) win::tellUser(window, L"プリンタが設定されていません。用紙は一覧から選べます。");
        return;
    }
    settings_.margin = std::clamp(static_cast<int>(std::min({setup.rtMargin.left, setup.rtMargin.top, setup.rtMargin.right, setup.rtMargin.bottom}) / 100), 0, 50);
    takeDeviceMode(setup.hDevMode, setup.hDevNames);
    replan();
}

void PreviewWindow::print() {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.hDevMode = deviceMode();
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgW(&dialog)) {
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (CommDlgExtendedError() == PDERR_NODEFAULTPRN) win::tellUser(window, L"プリンタが設定されていません。");
        return;
    }
    HDC dc = dialog.hDC;
    takeDeviceMode(dialog.hDevMode, dialog.hDevNames);
    const Sheet sheet = sheetOf(dc);
    DesignObjects objects;
    const std::vector<std::vector<PaintOp>> pages = pagesFor(dc, sheet, objects);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = L"Tavo";
    bool printed = StartDocW(dc, &document) > 0;
    for (std::size_t p = 0; printed && p < pages.size(); ++p) {
        printed = StartPage(dc) > 0;
        SetViewportOrgEx(dc, -sheet.printable.left, -sheet.printable.top, nullptr);  // the device's origin is its printable corner
        if (printed) drawPage(dc, pages[p], objects);
        printed = printed && EndPage(dc) > 0;
    }
    if (printed) EndDoc(dc);
    else AbortDoc(dc);
    DeleteDC(dc);
    if (!printed) win::tellUser(window, L"印刷できませんでした。", win::Tone::Error);
    replan();
}

void PreviewWindow::savePage() {
    if (pages_.empty()) return;
    win::FileChoice choice;
    choice.owner = window;
    choice.filter = L"拡張メタファイル (*.emf)\0*.emf\0\0";
    choice.offered = L"Tavo.emf";
    choice.saving = true;
    choice.extension = L"emf";
    const std::string path = win::chooseFile(choice);
    if (path.empty()) return;
    HDC screen = GetDC(nullptr);
    // The frame in hundredths of a millimetre; the sheet's units mapped onto it.
    RECT frame{0, 0, MulDiv(sheet_.width, 2540, sheet_.dpi), MulDiv(sheet_.height, 2540, sheet_.dpi)};
    HDC emf = CreateEnhMetaFileW(screen, cp932ToWide(path).c_str(), &frame, L"Tavo\0page\0");
    bool saved = false;
    if (emf) {
        SetMapMode(emf, MM_ANISOTROPIC);
        SetWindowExtEx(emf, sheet_.width, sheet_.height, nullptr);
        SetViewportExtEx(emf, MulDiv(frame.right, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, HORZSIZE) * 100),
                         MulDiv(frame.bottom, GetDeviceCaps(screen, VERTRES), GetDeviceCaps(screen, VERTSIZE) * 100), nullptr);
        drawPage(emf, pages_[static_cast<std::size_t>(page_)], objects_);
        if (HENHMETAFILE done = CloseEnhMetaFile(emf)) saved = DeleteEnhMetaFile(done) != 0;
    }
    ReleaseDC(nullptr, screen);
    if (!saved) win::tellUser(window, L"保存できませんでした: " + cp932ToWide(path), win::Tone::Error);
}

void PreviewWindow::dpiChanged() {
    layOut();
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT PreviewWindow::onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, win::windowDpi(nullptr));
            font_ = CreateFontIndirectW(&metrics.lfMessageFont);
            createControls();
            win::placeOnWorkArea(window, 0, 0, scaled(900, dpi), scaled(720, dpi), false);
            return 0;
        }
        case WM_SIZE: layOut(); InvalidateRect(window, nullptr, FALSE); return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam), code = HIWORD(wParam);
            if ((id == kWhat || id == kPaper) && code == CBN_SELCHANGE) takeControls(), page_ = 0, replan();
            else if ((id == kLandscape || id == kColour) && code == BN_CLICKED) takeControls(), replan();
            else if (id == kSetup) pageSetup();
            else if (id == kPrint) print();
            else if (id == kSave) savePage();
            else if (id == kBack || id == kNext) turn(id == kBack ? -1 : 1);
            else if (id == kClose || id == IDCANCEL) PostMessageW(window, WM_CLOSE, 0, 0);
            else kList.run(*this, static_cast<UINT>(id));
            return 0;
        }
        case WM_KEYDOWN: kList.runKey(*this, wParam, win::controlHeld()); return 0;
        case UM_REFRESH: replan(); return 0;
        case WM_CLOSE: DestroyWindow(window); return 0;
        case WM_DESTROY:
            objects_.release();
            if (font_) DeleteObject(font_), font_ = nullptr;
            return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tavo::shell
