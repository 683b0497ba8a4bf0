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

}  // namespace tavo
