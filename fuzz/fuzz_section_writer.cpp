// A random file and a random edit of one section: the edited key reads back
// as written, every line the edit did not own is still there in order and
// byte for byte (a last line without a line end may gain one), the other
// sections read as before, and writing the same text again changes nothing.
#include <vector>

#include "calendar/data/section_file.h"
#include "fuzz_input.h"
#include "shared/file_system.h"

namespace {

bool keepsUnowned(std::string_view before, std::string_view after, int key) {
    const std::vector<std::string_view> was = tavo::fileLines(before), now = tavo::fileLines(after);
    std::vector<bool> owned(was.size(), false);
    for (const tavo::SectionSpan& s : tavo::sectionSpans(was))
        if (s.key == key)
            for (std::size_t i = s.header; i < s.end; ++i) owned[i] = true;
    std::size_t j = 0;
    for (std::size_t i = 0; i < was.size(); ++i) {
        if (owned[i]) continue;
        const bool ended = tavo::lineContent(was[i]).size() != was[i].size();
        while (j < now.size() && (ended ? now[j] != was[i] : tavo::lineContent(now[j]) != was[i])) ++j;
        if (j == now.size()) return false;
        ++j;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const int key = in.number(0, 40);
    const std::string text = in.text();
    const std::string content(in.rest());
    const std::string result = tavo::replaceSection(content, key, text);
    if (!keepsUnowned(content, result, key)) __builtin_trap();
    const std::string expected = text.empty() ? std::string() : tavo::sectionBody(text);
    if (tavo::readSection(result, key) != expected) __builtin_trap();
    for (const tavo::SectionSpan& s : tavo::sectionSpans(tavo::fileLines(content)))
        if (s.key != key && tavo::lineContent(tavo::readSection(result, s.key)) !=
                                tavo::lineContent(tavo::readSection(content, s.key)))
            __builtin_trap();
    if (tavo::replaceSection(result, key, text) != result) __builtin_trap();
    return 0;
}
