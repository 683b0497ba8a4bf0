#include "cp932.h"

#include <cstring>
#include <string>

namespace tavo {

std::size_t cp932FitLength(std::string_view text, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t width = isCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > text.size()) break;
        i += width;
    }
    return i;
}

void copyToField(char* field, std::size_t size, std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::string copy(text.substr(0, cp932FitLength(text, size - 1)));  // text may point into field
    std::memset(field, 0, size);
    std::memcpy(field, copy.data(), copy.size());
}

namespace {

// Characters that code page 932 holds under another code point, as Windows
// converts them (text from other systems writes the first of each pair).
struct OtherForm {
    std::string_view from, to;  // UTF-8
};
constexpr OtherForm kOtherForms[] = {
    {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // U+301C -> U+FF5E
    {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // U+2212 -> U+FF0D
    {"\xE2\x80\x96", "\xE2\x88\xA5"},  // U+2016 -> U+2225
    {"\xE2\x80\x94", "\xE2\x80\x95"},  // U+2014 -> U+2015
    {"\xC2\xA2", "\xEF\xBF\xA0"},  // U+00A2 -> U+FFE0
    {"\xC2\xA3", "\xEF\xBF\xA1"},  // U+00A3 -> U+FFE1
    {"\xC2\xAC", "\xEF\xBF\xA2"},  // U+00AC -> U+FFE2
};

}  // namespace

std::string withCp932Forms(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {  // every other form starts with a lead byte
            out += utf8[i++];
            continue;
        }
        const OtherForm* form = nullptr;
        for (const OtherForm& f : kOtherForms)
            if (utf8.compare(i, f.from.size(), f.from) == 0) form = &f;
        out.append(form ? form->to : utf8.substr(i, 1));
        i += form ? form->from.size() : 1;
    }
    return out;
}

}  // namespace tavo
