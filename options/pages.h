// The pages of the options dialog and where each one sits.
#pragma once

#include "options_frame.h"
#include "page.h"

namespace tavo::options {

// Outer tabs and the pages built so far, in slot order.
inline constexpr int kOuterTabs = 3;
extern const wchar_t* const kOuterTabTexts[kOuterTabs];
extern const PageSlot kPageSlots[];
extern const int kPageSlotCount;

const PageKind& closedDaysPage();
const PageKind& rangePage();
const PageKind& menuPage();
const PageKind& environmentPage();
const PageKind& folderPage();
const PageKind& almanacPage();
const PageKind& remindPage();
const PageKind& syncPage();
const PageKind& calendarDateFormatPage();
const PageKind& rangeDateFormatPage();
const PageKind& calendarStylePage();
const PageKind& rangeStylePage();
const PageKind& calendarDesignPage();
const PageKind& rangeDesignPage();

}  // namespace tavo::options
