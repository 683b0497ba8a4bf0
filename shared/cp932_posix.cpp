#include <iconv.h>

#include <cerrno>

#include "cp932.h"

namespace tavo {
namespace {

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// One converter per direction and thread, opened on first use: opening one
// costs more than converting a path.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return cd_;
    }

private:
    iconv_t cd_;
};

// Converts with iconv; each character that cannot be converted becomes `replacement`.
std::string convert(const Converter& converter, std::string_view in, std::string_view replacement, bool utf8Source) {
    if (isAscii(in)) return std::string(in);  // the same bytes in both encodings
    if (!converter.valid()) return std::string(in);
    iconv_t cd = converter.get();
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
    return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
    thread_local const Converter toUtf8("UTF-8", "CP932");
    return convert(toUtf8, cp932, "\xE3\x83\xBB", false);
}

std::string utf8ToCp932(std::string_view utf8) {
    thread_local const Converter toCp932("CP932", "UTF-8");
    return convert(toCp932, withCp932Forms(utf8), "?", true);
}

}  // namespace tavo
