// Two changes of one text, made apart (a data window and an import, an
// outside editor, a sync), brought together line by line: what only one side
// changed is taken as changed; where both changed the same lines
// differently, both are kept, the window's first and the other's marked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The mark before each line of the other side in a conflict (CP932).
inline constexpr std::string_view kConflictMark = "【競合】";

struct TextMerge {
    std::string text;       // lines ended by CR LF (CP932, as stored)
    bool conflict = false;  // both sides changed the same lines
};

// base: the text both started from; mine: the one saving; theirs: what the
// file holds now. Line ends do not count as changes.
TextMerge mergeTexts(std::string_view base, std::string_view mine, std::string_view theirs);

}  // namespace tavo
