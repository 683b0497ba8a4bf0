// 検索 ("TavoFind"): a query, the kinds searched and a span of years, and
// the lines found, updated as the user types. The data is read once and kept
// while the window is open (read again when it changes); each search runs
// off the window's thread and the next keystroke cancels it. Enter or a
// double click selects the line's day in the calendar and opens the range
// view there.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "calendar/search/search_data.h"
#include "shared/find_settings.h"
#include "win/handles.h"
#include "win/window.h"

namespace tavo::shell {

class CalendarWindow;

// Opens the calendar's search window (made on first use).
void openFind(CalendarWindow& a);

class SearchWindow final : public win::Window {
public:
    explicit SearchWindow(CalendarWindow& calendar);
    ~SearchWindow() override;
    void open();  // shown and the query chosen; created on first use

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Results;
    void createControls();
    void layOut();
    void readOptions();
    void saveOptions();
    SearchKinds kinds() const;
    SearchYears years() const;
    void search();
    void showResults(Results* results);
    void drawItem(const DRAWITEMSTRUCT& item);
    void openChosen();

    CalendarWindow& calendar_;
    FindSettings settings_{};
    std::shared_ptr<const SearchData> data_;  // of dataYears_ (none: every year of the folder)
    SearchYears dataYears_;
    std::vector<const FoundLine*> found_;
    std::shared_ptr<const SearchData> shownData_;  // what found_ points into: kept while listed, whatever data_ becomes
    SearchQuery shownQuery_;
    std::atomic<int> generation_{0};
    std::thread worker_;
    HWND query_ = nullptr, list_ = nullptr, count_ = nullptr, from_ = nullptr, to_ = nullptr, allYears_ = nullptr;
    HWND kindBoxes_[kSearchKinds] = {};
    win::GdiObject font_, bold_;
    int dpi_ = 96;
};

}  // namespace tavo::shell
