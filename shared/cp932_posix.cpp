#include <iconv.h>

#include <cerrno>

#include "cp932.h"

namespace tavo {
namespace {

// Converts with iconv; each character that cannot be converted becomes `replacement`.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    bool utf8Source) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            do {
                ++src;
                --srcLeft;
            } while (utf8Source && srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) { return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", false); }

std::string utf8ToCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?", true); }

}  // namespace tavo
