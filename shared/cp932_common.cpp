#include "cp932.h"

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

}  // namespace tavo
