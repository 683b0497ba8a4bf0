// 印刷 ("TavoPreview"): what prints (the month, the year or the range
// view's list around the calendar's date), on which paper and how, shown
// exactly as it will print, page by page: planned for the printer's sheet
// and printable area with the same paint operations as the screen. The
// system's page setup and print dialogs; a page saved as a picture (an
// enhanced metafile) for other programs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "calendar/render/print_pages.h"
#include "design_objects.h"
#include "shared/window_settings.h"
#include "shared/year_settings.h"
#include "win/commands.h"
#include "win/painted_window.h"

namespace tavo::shell {

class CalendarWindow;

// Opens the preview (made on first use) on what to print.
void openPrintPreview(CalendarWindow& a, PrintWhat what);

class PreviewWindow final : public win::PaintedWindow {
public:
    explicit PreviewWindow(CalendarWindow& calendar);
    ~PreviewWindow() override;
    void open(PrintWhat what);
    // The calendar's date changed: the pages again.
    void follow() {
        if (window) replan();
    }

    CalendarWindow& calendar;
    void turn(int pages);
    void print();
    void pageSetup();
    void savePage();

private:
    void paint(HDC dc, int width, int height) override;
    COLORREF plainBackground() const override { return GetSysColor(COLOR_APPWORKSPACE); }
    bool keepsPlacement() const override { return false; }
    void dpiChanged() override;
    LRESULT onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void createControls();
    void layOut();
    void showSettings();
    void takeControls();
    void replan();
    // Pages planned for a device whose sheet is given, measured on dc.
    std::vector<std::vector<PaintOp>> pagesFor(HDC dc, const Sheet& sheet, DesignObjects& objects);
    void drawPage(HDC dc, const std::vector<PaintOp>& ops, const DesignObjects& objects) const;
    HGLOBAL deviceMode();  // the printer's setup with the chosen paper and orientation
    void takeDeviceMode(HGLOBAL mode, HGLOBAL names);
    const std::wstring& printerName();  // the chosen one, else the default; empty: none

    WindowStyle ownStyle_{};
    PrintSettings settings_{};
    std::wstring printer_;  // the chosen printer; empty: the default one
    // Asked of the spooler once, not at every change of a control: a
    // network printer can take seconds to answer.
    std::wstring defaultPrinter_;
    bool defaultAsked_ = false;
    std::wstring driverModeOf_;               // whose driver's setup this is
    std::vector<unsigned char> driverMode_;  // a DEVMODEW and its driver's part
    Sheet sheet_{};
    std::vector<std::vector<PaintOp>> pages_;
    int page_ = 0;
    DesignSet design_{};  // as it prints
    DesignObjects objects_;
    int toolbarHeight_ = 0;
    HWND what_ = nullptr, paper_ = nullptr, landscape_ = nullptr, colour_ = nullptr, pageText_ = nullptr;
    HFONT font_ = nullptr;
};

const win::CommandList<PreviewWindow>& previewCommands();

}  // namespace tavo::shell
