// The frame of the options dialog: a row of outer tabs, under it a row of the
// pages of the chosen outer tab. Pages are made on first showing and kept
// until the dialog ends, so OK and Cancel reach every page ever shown; a tab
// holds as many pages as its slots name.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "page.h"
#include "win/dialog.h"

namespace tavo::options {

struct PageSlot {
    int outer;  // the outer tab; pages of a tab follow in slot order
    const wchar_t* tab;
    const PageKind& (*kind)();
    const char* help;  // page of the help folder's "options" folder
};

class OptionsFrame final : public win::Dialog {
public:
    OptionsFrame(OptionsContext& context, std::span<const wchar_t* const> outerTabs, std::span<const PageSlot> slots,
                 int firstOuter);

    void selectOuterTab(int outer);
    void selectInnerTab(int index);
    // OK (after every page could take its input) or Cancel to every page ever
    // shown; false when a page refused and the dialog stays open.
    bool finish(bool ok);
    const Page* pageOfSlot(std::size_t slot) const { return pages_[slot].get(); }
    const Page* shownPage() const;

private:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::size_t slotIndex(int outer, int index) const;  // slots_.size() when there is none
    HWND tabs(int id) const { return item(id); }
    void hidePages();
    void showPage();
    void buildInnerRow();
    void onInit();
    void placeAtSavedCorner();
    void saveCorner();
    bool pagesReady();
    void openHelp() const;
    void onNotify(const NMHDR& n);

    OptionsContext& context_;
    std::span<const wchar_t* const> outerTabs_;
    std::span<const PageSlot> slots_;
    std::vector<std::unique_ptr<Page>> pages_;  // by slot
    int outer_ = 0, inner_ = 0;                 // inner: index among the outer tab's pages
};

}  // namespace tavo::options
