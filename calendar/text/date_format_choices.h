// What the date-format page offers for each date text: its label and,
// per selection, the texts of its list. An empty list means the text does not
// use that selection, and the page disables its box.
#pragma once

#include <span>

#include "date_format_set.h"

namespace tavo {

// The label of a date text in the page's first list, e.g. "年,月表示部".
const char* dateTextPartLabel(DateTextPart part);

// The entries of a selection's list for a date text, in stored-value order.
std::span<const char* const> selectionChoices(DateTextPart part, Selection selection);

}  // namespace tavo
