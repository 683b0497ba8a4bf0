// The date-format page, one per window group: the date text chosen at the top is
// shown either as its seven preset boxes or as its own pattern. Boxes and the
// own-pattern switch apply at once; a typed pattern is taken by Apply, by
// choosing another text and by OK.
#include <windows.h>

#include "calendar/text/date_format_choices.h"
#include "options_ids.h"
#include "pages.h"
#include "shared/cp932.h"
#include "shared/messages.h"

namespace tavo::options {
namespace {

constexpr int kLayoutBox = IDC_DATE_LAYOUT;  // then one box per selection, in selection order

DateFormatSet& formatsOf(const Page& page) { return *static_cast<DateFormatSet*>(page.record); }

const Binding& patternBinding(const Page& page) { return *page.binding(IDC_DATE_PATTERN); }

template <int Group>
DateTextPart shownPart(const Page& page) {
    return groupPart(Group, page.part);
}

// Bindings name the subkey; the date text shown names the value.
template <int Group>
const SettingEntry& partEntry(const Page& page, const Binding& b) {
    return settingEntry(dateFormatTable(Group), b.name, dateTextPartName(shownPart<Group>(page)));
}

template <int Group>
void fillChoices(Page& page) {
    for (int s = 0; s < kSelectionCount; ++s) {
        HWND box = page.item(kLayoutBox + s);
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        for (const char* text : selectionChoices(shownPart<Group>(page), static_cast<Selection>(s)))
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(text).c_str()));
    }
}

// Only the boxes the date text uses, and none of them while its own pattern is on.
template <int Group>
void enableControls(const Page& page) {
    const bool own = formatsOf(page).ownPattern[page.part] != 0;
    for (int s = 0; s < kSelectionCount; ++s) {
        const bool used = !selectionChoices(shownPart<Group>(page), static_cast<Selection>(s)).empty();
        EnableWindow(page.item(kLayoutBox + s), used && !own ? TRUE : FALSE);
    }
    EnableWindow(page.item(IDC_DATE_PATTERN), own ? TRUE : FALSE);
    EnableWindow(page.item(IDC_DATE_APPLY), own ? TRUE : FALSE);
}

template <int Group>
void showPart(Page& page) {
    fillChoices<Group>(page);
    for (const Binding& b : page.kind.bindings) page.show(b);
    enableControls<Group>(page);
}

template <int Group>
void init(Page& page) {
    HWND parts = page.item(IDC_DATE_PART);
    for (int i = 0; i < groupPartCount(Group); ++i)
        SendMessageW(parts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cp932ToWide(dateTextPartLabel(groupPart(Group, i))).c_str()));
    SendMessageW(parts, CB_SETCURSEL, static_cast<WPARAM>(page.part), 0);
    fillChoices<Group>(page);
}

// The switch takes the pattern typed so far with it.
template <int Group>
void changed(Page& page, int id) {
    if (id == IDC_DATE_OWN) page.take(patternBinding(page));
    enableControls<Group>(page);
}

bool takePattern(Page& page) {
    if (!page.storable(patternBinding(page))) return false;
    page.take(patternBinding(page));
    page.notify();
    return true;
}

template <int Group>
void choosePart(Page& page) {
    const auto chosen = SendMessageW(page.item(IDC_DATE_PART), CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen == page.part) return;
    if (!takePattern(page)) {  // the pattern stays in the edit, with its own text
        SendMessageW(page.item(IDC_DATE_PART), CB_SETCURSEL, static_cast<WPARAM>(page.part), 0);
        return;
    }
    page.part = static_cast<int>(chosen);
    showPart<Group>(page);
}

template <int Group>
void command(Page& page, int id, int code) {
    if (id == IDC_DATE_PART && code == CBN_SELCHANGE) choosePart<Group>(page);
    else if (id == IDC_DATE_APPLY && code == BN_CLICKED) takePattern(page);
}

template <int Group>
const PageKind& makeDateFormatPage() {
    static const PageKind kind{
        L"DATETYPE",
        [](SharedSettings& s) -> void* { return &s.dateFormats[Group]; },
        sizeof(DateFormatSet),
        [] () -> const SettingsTable& { return dateFormatTable(Group); },
        {{Control::Combo, kLayoutBox + kSelLayout, "date"},
         {Control::Combo, kLayoutBox + kSelYear1, "year1"},
         {Control::Combo, kLayoutBox + kSelYear2, "year2"},
         {Control::Combo, kLayoutBox + kSelMonth, "mon"},
         {Control::Combo, kLayoutBox + kSelDay, "day"},
         {Control::Combo, kLayoutBox + kSelWeek, "week"},
         {Control::Combo, kLayoutBox + kSelNum, "cal"},
         {Control::Check, IDC_DATE_OWN, "own"},
         {Control::Text, IDC_DATE_PATTERN, "dttext"}},
        kindBit(Group == 0 ? WindowKind::Calendar : WindowKind::RangeView),
        kRefreshData,
        true,  // a pattern half typed is not shown
        changed<Group>,
        command<Group>,
        nullptr,
        init<Group>,
        partEntry<Group>,
    };
    return kind;
}

}  // namespace

const PageKind& calendarDateFormatPage() { return makeDateFormatPage<0>(); }
const PageKind& rangeDateFormatPage() { return makeDateFormatPage<1>(); }

}  // namespace tavo::options
