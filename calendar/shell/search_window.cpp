#include "search_window.h"

#include <algorithm>
#include <string>

#include "calendar/data/range_list.h"
#include "calendar/text/date_presets.h"
#include "calendar_input.h"
#include "calendar_window.h"
#include "shared/cp932.h"
#include "shared/clock.h"
#include "shared/date_math.h"
#include "shared/messages.h"
#include "win/dpi.h"
#include "win/placement.h"

namespace tavo::shell {

struct SearchWindow::Results {
    std::shared_ptr<const SearchData> data;
    SearchYears years;
    SearchQuery query;
    std::vector<const FoundLine*> lines;
};

namespace {

enum : int { kQuery = 100, kList, kCount, kAllYears, kSpan, kFrom, kTo, kQueryLabel, kKindFirst = 120 };

int scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void openFind(CalendarWindow& a) {
    if (!a.find) a.find = std::make_unique<SearchWindow>(a);
    a.find->open();
}

SearchWindow::SearchWindow(CalendarWindow& calendar) : Window(WindowKind::Find), calendar_(calendar) {}

SearchWindow::~SearchWindow() {
    ++generation_;  // the running search stops at its next look
    if (worker_.joinable()) worker_.join();
    if (window) DestroyWindow(window);
}

void SearchWindow::open() {
    if (!window) {
        HINSTANCE instance = calendar_.process.instance;
        if (!registerOnce(instance, WindowKind::Find, 0, nullptr, GetSysColorBrush(COLOR_BTNFACE))) return;
        readFindSettings(settings_, calendar_.process.store);
        if (!create(instance, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr, L"検索 - Tavo")) return;
        win::takeDialogKeys(window);
    }
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(query_);
    SendMessageW(query_, EM_SETSEL, 0, -1);
}

void SearchWindow::createControls() {
    const auto control = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), calendar_.process.instance, nullptr);
    };
    control(L"STATIC", L"言葉(&S):", SS_CENTERIMAGE, kQueryLabel);  // its key focuses the query made next
    query_ = control(L"EDIT", L"", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, kQuery, WS_EX_CLIENTEDGE);
    for (int k = 0; k < kSearchKinds; ++k) {
        const std::wstring label = cp932ToWide(searchKindLabel(static_cast<SearchKind>(k))) + L"(&" + std::to_wstring(k + 1) + L")";
        kindBoxes_[k] = control(L"BUTTON", label.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP | (k == 0 ? WS_GROUP : 0), kKindFirst + k);
    }
    allYears_ = control(L"BUTTON", L"すべての年(&A)", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, kAllYears);
    control(L"BUTTON", L"期間(&P):", BS_AUTORADIOBUTTON, kSpan);
    from_ = control(L"EDIT", L"", WS_TABSTOP | WS_GROUP | ES_NUMBER, kFrom, WS_EX_CLIENTEDGE);
    to_ = control(L"EDIT", L"", WS_TABSTOP | ES_NUMBER, kTo, WS_EX_CLIENTEDGE);
    count_ = control(L"STATIC", L"", SS_RIGHT, kCount);
    list_ = control(L"LISTBOX", L"結果", WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA |
                                           LBS_NOINTEGRALHEIGHT,
                    kList, WS_EX_CLIENTEDGE);
    readOptions();
}

void SearchWindow::readOptions() {
    for (int k = 0; k < kSearchKinds; ++k) SendMessageW(kindBoxes_[k], BM_SETCHECK, (settings_.kinds >> k & 1) ? BST_CHECKED : BST_UNCHECKED, 0);
    CheckRadioButton(window, kAllYears, kSpan, settings_.allYears ? kAllYears : kSpan);
    SetWindowTextW(from_, std::to_wstring(settings_.fromYear).c_str());
    SetWindowTextW(to_, std::to_wstring(settings_.toYear).c_str());
}

void SearchWindow::saveOptions() {
    SearchKinds chosen = kinds();
    settings_.kinds = 0;
    for (int k = 0; k < kSearchKinds; ++k) settings_.kinds |= chosen[static_cast<std::size_t>(k)] ? 1 << k : 0;
    settings_.allYears = IsDlgButtonChecked(window, kAllYears) == BST_CHECKED;
    settings_.fromYear = std::clamp(_wtoi(textOf(from_).c_str()), kFirstYear + 1, kLastYear);
    settings_.toYear = std::clamp(_wtoi(textOf(to_).c_str()), kFirstYear + 1, kLastYear);
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if (GetWindowPlacement(window, &place)) {  // at 96 DPI
        const RECT& r = place.rcNormalPosition;
        settings_.x = MulDiv(r.left, 96, dpi_), settings_.y = MulDiv(r.top, 96, dpi_);
        settings_.width = MulDiv(r.right - r.left, 96, dpi_), settings_.height = MulDiv(r.bottom - r.top, 96, dpi_);
    }
    writeSettings(&settings_, findTable(), calendar_.process.store);
}

SearchKinds SearchWindow::kinds() const {
    SearchKinds chosen{};
    for (int k = 0; k < kSearchKinds; ++k) chosen[static_cast<std::size_t>(k)] = SendMessageW(kindBoxes_[k], BM_GETCHECK, 0, 0) == BST_CHECKED;
    return chosen;
}

// The years typed; none for every year of the folder (listed when the data is read, not at every keystroke).
SearchYears SearchWindow::years() const {
    if (IsDlgButtonChecked(window, kAllYears) == BST_CHECKED) return {};
    return {std::clamp(_wtoi(textOf(from_).c_str()), kFirstYear + 1, kLastYear), std::clamp(_wtoi(textOf(to_).c_str()), kFirstYear + 1, kLastYear)};
}

// The data is read (once for the same years) and searched on a thread; the
// next search cancels this one, and its answer is dropped if it comes late.
void SearchWindow::search() {
    const int generation = ++generation_;
    if (worker_.joinable()) worker_.join();
    const SearchQuery query = parseSearchQuery(wideToCp932(textOf(query_)));
    const SearchYears span = years();
    std::shared_ptr<const SearchData> data = span.from == dataYears_.from && span.to == dataYears_.to ? data_ : nullptr;
    const SharedSettings& s = calendar_.shared();
    const DataSources sources{calendar_.process.files, s.paths, s.closedDays, s.env};
    SetWindowTextW(count_, query.empty() ? L"" : L"検索中...");
    worker_ = std::thread([this, generation, query, span, data, sources, chosen = kinds()]() mutable {
        const auto going = [this, generation] { return generation_.load() == generation; };
        const SearchYears read = span.empty() ? yearsInFolder(sources.files, sources.paths) : span;
        if (!data) data = std::make_shared<const SearchData>(SearchData::read(sources, read, going));
        auto results = std::make_unique<Results>(Results{data, span, query, data->find(query, chosen, going)});
        if (going() && PostMessageW(window, UM_FIND_DONE, static_cast<WPARAM>(generation), reinterpret_cast<LPARAM>(results.get())))
            results.release();
    });
}

void SearchWindow::showResults(Results* results) {
    data_ = results->data;
    dataYears_ = results->years;
    shownData_ = results->data;
    found_ = std::move(results->lines);
    shownQuery_ = results->query;
    SendMessageW(list_, LB_SETCOUNT, found_.size(), 0);
    SendMessageW(list_, LB_SETCURSEL, found_.empty() ? static_cast<WPARAM>(-1) : 0, 0);
    SetWindowTextW(count_, shownQuery_.empty() ? L"" : (std::to_wstring(found_.size()) + L"件").c_str());
    InvalidateRect(list_, nullptr, TRUE);
}

// Date, kind and the line, the words found on a highlight.
void SearchWindow::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= found_.size()) return;
    const FoundLine& line = *found_[item.itemID];
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SelectObject(dc, font_.get());
    std::string date = "-";
    if (line.serial > 0) {
        int y, m, d;
        civilFromSerial(line.serial, y, m, d);
        DayDate day = dayDate(y, m, d);
        day.weekday = weekdayOf(y, m, d);
        const LocalDate today = clockToday();
        day.fromToday = line.serial - serialDayOf(today.year, today.month, today.day);
        date = partText(dateFormatsOf(calendar_.process, WindowKind::RangeView), 1, 0, day, calendar_.process.locale);
    }
    RECT r = item.rcItem;
    r.left += scaled(4, dpi_);
    const int dateWidth = scaled(150, dpi_), kindWidth = scaled(64, dpi_);
    const std::wstring dateText = cp932ToWide(date), kindText = cp932ToWide(searchKindLabel(line.kind));
    RECT cell{r.left, r.top, r.left + dateWidth, r.bottom};
    DrawTextW(dc, dateText.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    cell = {r.left + dateWidth, r.top, r.left + dateWidth + kindWidth, r.bottom};
    DrawTextW(dc, kindText.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The line in pieces: plain, then each match bold on a marker colour.
    int x = r.left + dateWidth + kindWidth;
    std::size_t at = 0;
    const auto piece = [&](std::size_t from, std::size_t to, bool match) {
        if (to <= from) return;
        const std::wstring text = cp932ToWide(expandTabs(std::string_view(line.text).substr(from, to - from)));
        SelectObject(dc, match ? bold_.get() : font_.get());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT box{x, r.top + 1, x + size.cx, r.bottom - 1};
        if (match && !chosen) {
            HBRUSH marker = CreateSolidBrush(RGB(255, 240, 140));
            FillRect(dc, &box, marker);
            DeleteObject(marker);
        }
        DrawTextW(dc, text.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
        x += size.cx;
    };
    for (const auto& [from, to] : searchMatches(line.text, shownQuery_)) {
        if (from < at) continue;  // inside one shown already
        piece(at, from, false);
        piece(from, to, true);
        at = to;
    }
    piece(at, line.text.size(), false);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

void SearchWindow::openChosen() {
    const LRESULT chosen = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= found_.size()) return;
    const int serial = found_[static_cast<std::size_t>(chosen)]->serial;
    if (serial > 0) selectDayWithRangeView(calendar_, serial);
}

void SearchWindow::layOut() {
    RECT client{};
    GetClientRect(window, &client);
    const int m = scaled(8, dpi_), line = scaled(24, dpi_), width = client.right - 2 * m;
    const int label = scaled(64, dpi_);
    MoveWindow(GetDlgItem(window, kQueryLabel), m, m, label, line, TRUE);
    MoveWindow(query_, m + label, m, std::max(width - label, 0), line, TRUE);
    const int kindWidth = std::max(width / 4, 1);
    for (int k = 0; k < kSearchKinds; ++k)
        MoveWindow(kindBoxes_[k], m + (k % 4) * kindWidth, m + line + scaled(6, dpi_) + (k / 4) * scaled(22, dpi_), kindWidth, scaled(20, dpi_), TRUE);
    const int spanTop = m + line + scaled(54, dpi_);
    MoveWindow(allYears_, m, spanTop, scaled(110, dpi_), scaled(22, dpi_), TRUE);
    MoveWindow(GetDlgItem(window, kSpan), m + scaled(114, dpi_), spanTop, scaled(76, dpi_), scaled(22, dpi_), TRUE);
    MoveWindow(from_, m + scaled(192, dpi_), spanTop, scaled(52, dpi_), scaled(22, dpi_), TRUE);
    MoveWindow(to_, m + scaled(252, dpi_), spanTop, scaled(52, dpi_), scaled(22, dpi_), TRUE);
    MoveWindow(count_, m + scaled(310, dpi_), spanTop + scaled(3, dpi_), std::max(width - scaled(310, dpi_), 0), scaled(20, dpi_), TRUE);
    const int listTop = spanTop + scaled(28, dpi_);
    MoveWindow(list_, m, listTop, width, std::max(static_cast<int>(client.bottom) - listTop - m, 0), TRUE);
}

LRESULT SearchWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            dpi_ = win::windowDpi(window);
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi_, win::windowDpi(nullptr));
            font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
            metrics.lfMessageFont.lfWeight = FW_BOLD;
            bold_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
            createControls();
            for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
            constexpr int kLargest = 16384;  // bounds what scaling multiplies
            const int width = scaled(settings_.width > 0 ? std::min(settings_.width, kLargest) : 560, dpi_);
            const int height = scaled(settings_.height > 0 ? std::min(settings_.height, kLargest) : 420, dpi_);
            win::placeOnWorkArea(window, scaled(settings_.x, dpi_), scaled(settings_.y, dpi_), width, height, settings_.width > 0);
            return 0;
        }
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(scaled(22, dpi_));
            return TRUE;
        case WM_DRAWITEM: drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_SIZE: layOut(); return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {scaled(420, dpi_), scaled(260, dpi_)};
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == IDOK || (id == kList && code == LBN_DBLCLK)) openChosen();
            else if (id == IDCANCEL) SendMessageW(window, WM_CLOSE, 0, 0);
            else if ((id == kQuery || id == kFrom || id == kTo) && code == EN_CHANGE) search();
            else if ((id >= kKindFirst || id == kAllYears || id == kSpan) && code == BN_CLICKED) search();
            return 0;
        }
        case UM_FIND_DONE: {
            std::unique_ptr<Results> results(reinterpret_cast<Results*>(lParam));
            if (static_cast<int>(wParam) == generation_.load()) showResults(results.get());
            return 0;
        }
        case UM_REFRESH:  // the data changed: read again (a hidden window only forgets it)
            if (wParam != kRefreshData) return 0;
            data_.reset();
            dataYears_ = {};
            if (IsWindowVisible(window)) search();
            return 0;
        case WM_CLOSE:  // hidden until opened again, without the data
            saveOptions();
            ++generation_;
            data_.reset();
            dataYears_ = {};
            SendMessageW(list_, LB_SETCOUNT, 0, 0);
            found_.clear();
            shownData_.reset();
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_DESTROY: ++generation_; return 0;
        default: return defaultMessage(message, wParam, lParam);
    }
}

}  // namespace tavo::shell
