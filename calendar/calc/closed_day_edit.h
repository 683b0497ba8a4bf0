// Editing the other closed days as the options page and its rule editor do:
// a draft in the editor's terms (era choice and era year), its validation,
// and the list operations on the rules.
#pragma once

#include <string>
#include <vector>

#include "closed_days.h"

namespace tavo {

// The editor's values. Eras are indexes of the jump dialog's list (0 西暦, 1 令和, ...).
struct ClosedDayDraft {
    int month = 0;  // 1..12
    int day = 0;    // 1..31, 0 for a month-only rule ("??")
    int fromEra = 0, fromYear = 0;
    int toEra = 0, toYear = 0;
    std::string name;  // CP932; cut to 23 bytes
};

inline constexpr int kFirstRuleYear = 1865;  // the first year an era letter can write
inline constexpr int kLastRuleYear = 2117;   // R99, the last a two-digit era year can write

enum class DraftField { None, Month, Day, FromYear, ToYear };
// Checks in the editor's order; the field that failed gets the focus.
DraftField checkClosedDayDraft(const ClosedDayDraft& draft);

// The rules as the page lists them: stored lines in slot order.
std::vector<std::string> closedDayRuleLines(const ClosedDays& days);
// The draft of the listed rule at index (for changing it).
ClosedDayDraft draftOfClosedDayRule(const ClosedDays& days, int index);
// Adds a checked draft at the end of its slot; false when 256 rules exist.
bool addClosedDayRule(ClosedDays& days, const ClosedDayDraft& draft);
// Puts a rule back as it was (a change the user cancelled), at the end of its slot.
bool addClosedDayRule(ClosedDays& days, const ClosedDayRule& rule);
// Removes the listed rule at index; false when there is none.
bool removeClosedDayRule(ClosedDays& days, int index);

}  // namespace tavo
