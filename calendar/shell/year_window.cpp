#include "year_window.h"

#include <commctrl.h>

#include <algorithm>

#include "calendar/calc/closed_days.h"
#include "calendar_input.h"
#include "calendar_window.h"
#include "gdi_painter.h"
#include "resources/tavo_ids.h"
#include "shared/cp932.h"
#include "shared/date_math.h"
#include "shared/clock.h"
#include "shared/dpi.h"
#include "win/placement.h"

namespace tavo::shell {
namespace {

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

std::string monthName(int month) { return std::to_string(month) + "月"; }

GridLayoutChoice gridChoice(const CalendarWindow& a) {
    const WindowStyle& style = a.style();
    return {style.mondayFirst != 0, style.firstWeekIsThisMonth != 0};
}

template <int days>
void moveDays(YearWindow& w) {
    w.moveBy(days);
}
template <int years>
void moveYearsBy(YearWindow& w) {
    w.moveYears(years);
}
void goToday(YearWindow& w) { onToday(w.calendar); }
void openRangeViewHere(YearWindow& w) { askForRangeView(w.calendar); }
void closeView(YearWindow& w) { PostMessageW(w.window, WM_CLOSE, 0, 0); }

const win::Command<YearWindow> kCommands[] = {
    {CMD_PREV_DAY, "the day before", moveDays<-1>},
    {CMD_NEXT_DAY, "the day after", moveDays<1>},
    {CMD_PREV_WEEK, "a week back", moveDays<-7>},
    {CMD_NEXT_WEEK, "a week on", moveDays<7>},
    {CMD_PREV_YEAR, "a year back", moveYearsBy<-1>},
    {CMD_NEXT_YEAR, "a year on", moveYearsBy<1>},
    {CMD_TODAY, "today", goToday},
    {CMD_RANGE_VIEW, "the range view of the day", openRangeViewHere},
    {CMD_CLOSE, "close", closeView},
};

const win::KeyBinding kKeys[] = {
    {VK_LEFT, false, CMD_PREV_DAY},   {VK_RIGHT, false, CMD_NEXT_DAY}, {VK_UP, false, CMD_PREV_WEEK},
    {VK_DOWN, false, CMD_NEXT_WEEK},  {VK_PRIOR, false, CMD_PREV_YEAR}, {VK_NEXT, false, CMD_NEXT_YEAR},
    {VK_HOME, false, CMD_TODAY},      {VK_RETURN, false, CMD_RANGE_VIEW}, {VK_ESCAPE, false, CMD_CLOSE},
};

const win::CommandList<YearWindow> kList(kCommands, kKeys);

}  // namespace

const win::CommandList<YearWindow>& yearViewCommands() { return kList; }

void openYearView(CalendarWindow& a) {
    if (!a.yearView) a.yearView = std::make_unique<YearWindow>(a);
    a.yearView->open();
}

YearWindow::YearWindow(CalendarWindow& c)
    : PaintedWindow(WindowKind::Year, c.process.instance, c.process.store, ownStyle_), calendar(c) {
    ownStyle_ = plainWindowStyle();
}

YearWindow::~YearWindow() {
    if (window) DestroyWindow(window);
}

void YearWindow::open() {
    if (!window) {
        HINSTANCE instance = calendar.process.instance;
        if (!registerOnce(instance, WindowKind::Year, kClassStyle)) return;
        readYearViewSettings(settings_, calendar.process.store);
        if (!create(instance, 0, WS_OVERLAPPEDWINDOW, nullptr, L"年間カレンダー")) return;
    }
    follow();
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

void YearWindow::follow() {
    if (!window) return;
    if (calendar.selected.year() != year_) rebuild();
    repaint();
}

void YearWindow::rebuild() {
    year_ = calendar.selected.year();
    const SharedSettings& s = calendar.shared();
    rebuildYear(grids_, year_, gridChoice(calendar), {calendar.process.files, s.paths, s.closedDays, s.env, &calendar.subscriptions});
    dayParts_.clear();
    for (int month = 1; month <= 12; ++month)  // month by month, week by week
        for (int row = 0; row < kGridRows; ++row)
            for (int column = 0; column < kGridColumns; ++column) {
                const int cell = cellIndex(column, row), day = grids_.months[month - 1].cellDay[cell];
                if (day > 0 && day < kOtherMonth) dayParts_.push_back({month, cell});
            }
    const std::wstring title = std::to_wstring(year_) + L"年 - 年間カレンダー";
    SetWindowTextW(window, title.c_str());
}

void YearWindow::moveBy(int days) { selectDate(calendar, serialDayOf(calendar.selected.year(), calendar.selected.month(), calendar.selected.day()) + days); }

void YearWindow::moveYears(int years) {
    const int y = std::clamp(calendar.selected.year() + years, kFirstYear + 1, kLastYear), m = calendar.selected.month();
    selectDate(calendar, serialDayOf(y, m, std::min(calendar.selected.day(), monthLengthOf(y, m))));
}

void YearWindow::select(YearHit hit, bool openRangeView) {
    if (hit.month == 0) return;
    selectDate(calendar, serialDayOf(year_, hit.month, hit.day));
    if (openRangeView) askForRangeView(calendar);
}

void YearWindow::layOut() {
    RECT client{};
    GetClientRect(window, &client);
    const int m = scaled(8, dpi);
    layout_ = layoutYear({m, m, std::max<int>(client.right - 2 * m, 0), std::max<int>(client.bottom - 2 * m, 0)});
    FontSize sizes[6][2]{};
    for (int part = 0; part < 6; ++part)
        for (DesignState state : {kNormal, kSelected}) sizes[part][state] = designFontSize(calendar.design(), part, state, layout_.cell, layout_.cell);
    HDC dc = GetDC(window);
    objects_.buildFonts(calendar.design(), dc, sizes);
    ReleaseDC(window, dc);
    if (tip_) {
        TOOLINFOW tool{sizeof tool, 0, window, 1, client, nullptr, LPSTR_TEXTCALLBACKW, 0, nullptr};
        SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void YearWindow::showTip(int x, int y) {
    const YearHit hit = yearDayAt(layout_, grids_, x, y);
    if (hit.month == tipDay_.month && hit.day == tipDay_.day) return;
    tipDay_ = hit;
    tipText_ = hit.month ? cp932ToWide(dayNameOf(calendar.shared().closedDays, dayDate(year_, hit.month, hit.day))) : L"";
    SendMessageW(tip_, TTM_POP, 0, 0);  // asked again for the new day's text
}

void YearWindow::savePlacement() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const RECT& r = placement.rcNormalPosition;
    settings_ = {MulDiv(r.left, 96, dpi), MulDiv(r.top, 96, dpi), MulDiv(r.right - r.left, 96, dpi), MulDiv(r.bottom - r.top, 96, dpi)};
    writeSettings(&settings_, yearViewTable(), calendar.process.store);
}

void YearWindow::paint(HDC dc, int, int) {
    GdiTextMeasure measure(dc, objects_);
    const std::string months[12] = {monthName(1), monthName(2), monthName(3), monthName(4),  monthName(5),  monthName(6),
                                    monthName(7), monthName(8), monthName(9), monthName(10), monthName(11), monthName(12)};
    const LocalDate today = clockToday();
    const YearHit selected{calendar.selected.year() == year_ ? calendar.selected.month() : 0, calendar.selected.day()};
    const YearHit now{today.year == year_ ? today.month : 0, today.day};
    const YearPaintInput input{grids_, layout_, calendar.design(), months, calendar.weekdayNames, selected, now, dpi, 0, 0,
                               highContrastOn()};
    drawPaintOps(dc, planYearPaint(input, measure), objects_, calendar.design());
}

COLORREF YearWindow::plainBackground() const {
    const std::int32_t background = designColour(calendar.design(), kBackgroundPart, 0, kBackground, kNormal);
    return background == kNoColour ? GetSysColor(COLOR_WINDOW) : static_cast<COLORREF>(background);
}

void YearWindow::dpiChanged() {
    objects_.build(calendar.design(), kCalendarDesign, dpi);
    layOut();
    repaint();
}

LRESULT YearWindow::onWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            objects_.build(calendar.design(), kCalendarDesign, dpi);
            tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, window,
                                   nullptr, calendar.process.instance, nullptr);
            TOOLINFOW tool{sizeof tool, TTF_SUBCLASS, window, 1, {}, nullptr, LPSTR_TEXTCALLBACKW, 0, nullptr};
            SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            constexpr int kLargest = 16384;  // bounds what scaling multiplies
            const int width = scaled(settings_.width > 0 ? std::min(settings_.width, kLargest) : 900, dpi);
            const int height = scaled(settings_.height > 0 ? std::min(settings_.height, kLargest) : 640, dpi);
            win::placeOnWorkArea(window, scaled(settings_.x, dpi), scaled(settings_.y, dpi), width, height, settings_.width > 0);
            return 0;
        }
        case WM_SIZE: layOut(); return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {scaled(320, dpi), scaled(240, dpi)};
            return 0;
        case WM_LBUTTONDOWN: select(yearDayAt(layout_, grids_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), false); return 0;
        case WM_LBUTTONDBLCLK: select(yearDayAt(layout_, grids_, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), true); return 0;
        case WM_MOUSEMOVE: showTip(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return 0;
        case WM_NOTIFY:
            if (auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam); info->hdr.hwndFrom == tip_ && info->hdr.code == TTN_GETDISPINFOW)
                info->lpszText = const_cast<wchar_t*>(tipText_.c_str());
            return 0;
        case WM_KEYDOWN: kList.runKey(*this, wParam, win::controlHeld()); return 0;
        case UM_REFRESH:
            if (wParam & kRefreshDesign) objects_.build(calendar.design(), kCalendarDesign, dpi);
            rebuild();
            layOut();
            repaint();
            return 0;
        case WM_CLOSE:
            savePlacement();
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            objects_.release();
            tip_ = nullptr;
            year_ = 0;
            return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace tavo::shell
