// A random section file and a random edit: the edited section reads back as
// written, every other section of a well-formed file comes out unchanged.
#include <set>

#include "calendar/data/section_file.h"
#include "fuzz_input.h"

namespace {

// Headers strictly ascending and no Ctrl-Z: the files the program writes.
bool wellFormed(std::string_view content, std::set<int>& keys) {
    if (content.find('\x1A') != std::string_view::npos) return false;
    int last = -2147483647;
    for (std::string_view line : tavo::fileLines(content)) {
        if (!tavo::isHeaderLine(line)) continue;
        const int key = tavo::headerKey(line);
        if (key <= last) return false;
        last = key;
        keys.insert(key);
    }
    return content.empty() || content.back() == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Input in(data, size);
    const int key = in.number(0, 40);
    const std::string text = in.text();
    const std::string content(in.rest());
    const std::string result = tavo::replaceSection(content, key, text);
    (void)tavo::readSection(content, key);
    std::set<int> keys;
    if (!wellFormed(content, keys)) return 0;
    const std::string expected = text.empty() ? std::string() : tavo::sectionBody(text);
    if (tavo::readSection(result, key) != expected) __builtin_trap();
    for (int other : keys)
        if (other != key && tavo::readSection(result, other) != tavo::readSection(content, other)) __builtin_trap();
    // Writing the same text again changes nothing.
    if (tavo::replaceSection(result, key, text) != result) __builtin_trap();
    return 0;
}
