// Three texts of any content merged as two writers' changes: nothing fails
// hard, a side that did not change gives way to the other, two equal changes
// merge into that change, and a merge never loses a line only one side wrote.
#include <string>

#include "fuzz_input.h"
#include "shared/file_system.h"
#include "shared/text_merge.h"

namespace {

// The lines of a text ended by CR LF: what a merge gives for an unmerged side.
std::string normal(const std::string& text) {
    std::string out;
    for (std::string_view line : tavo::fileLines(text)) out.append(tavo::lineContent(line)).append("\r\n");
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input input(data, size);
    const std::string base = input.text(), mine = input.text(), theirs = input.text();
    if (tavo::mergeTexts(base, mine, base).text != normal(mine)) __builtin_trap();
    if (tavo::mergeTexts(base, base, theirs).text != normal(theirs)) __builtin_trap();
    if (tavo::mergeTexts(base, mine, mine).text != normal(mine)) __builtin_trap();
    const tavo::TextMerge merged = tavo::mergeTexts(base, mine, theirs);
    for (const std::string* side : {&mine, &theirs})
        for (std::string_view line : tavo::fileLines(*side)) {
            const std::string_view text = tavo::lineContent(line);
            const bool inBase = normal(base).find(std::string(text) + "\r\n") != std::string::npos;
            if (!inBase && merged.text.find(text) == std::string::npos) __builtin_trap();
        }
    return 0;
}
